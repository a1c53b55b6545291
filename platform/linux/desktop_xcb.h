// The desktop on X11, through XCB and the XTest extension.
//
// What counts as a visible top-level window: every child of the root window whose map
// state is Viewable, in the root's stacking order (bottom to top), which the server
// keeps stable until windows are raised or lowered. Under a reparenting window manager
// the root child is the manager's frame; the listed handle is then the application's
// own window inside it (found through the manager's _NET_CLIENT_LIST), and its
// rectangle is the frame's, so the title bar and border are included as on Windows.
// Root children without a managed client inside (override-redirect menus and
// tooltips, windows of a desktop without a manager) are listed by their own id.
//
// Unlike Windows, X11 unmaps minimised windows and the windows of other workspaces,
// so neither is listed.
//
// Cost: a listing is two round trips to the server whatever the number of windows
// (the root's children and the client list, then every root child's attributes and
// geometry, all requested before any reply is read). Reading a listed window's
// rectangle afterwards costs none: the server's structure notifications keep the
// listed rectangles current and report windows destroyed since. Any other handle is
// asked of the server directly. Which frame holds which client is asked once per
// client and then followed through the same notifications.
#pragma once

#include <xcb/xcb.h>

#include <optional>
#include <string>

#include "platform/linux/desktop_xcb_clients.h"
#include "platform/linux/desktop_xcb_handles.h"
#include "platform/linux/desktop_xcb_listed.h"
#include "watcher/desktop.h"

namespace sw {

class XcbDesktop final : public Desktop {
 public:
  // An empty display name means $DISPLAY. The connection is opened on first use,
  // kept, and opened again if the server drops it.
  explicit XcbDesktop(std::string displayName = {});

  TextArray ListVisibleWindows() override;
  bool GetWindowRect(int handle, WindowRect& rect) override;
  void ClickAt(int x, int y, std::optional<int> clickKind = std::nullopt) override;

 private:
  // The live connection, or null when no X server can be reached.
  xcb_connection_t* Connection();
  // Applies every structure notification already received to the listed windows.
  void ApplyNotifications(xcb_connection_t* c);
  // Asks the server for the outer rectangle of the root child that holds the window.
  std::optional<WindowRect> QueryRect(xcb_connection_t* c, xcb_window_t window);
  void WaitForButtonsReleased(xcb_connection_t* c);

  std::string displayName_;
  XcbConnectionPtr connection_;
  xcb_window_t root_ = XCB_NONE;
  xcb_atom_t clientListAtom_ = XCB_ATOM_NONE;
  bool hasXTest_ = false;
  ListedWindows listed_;
  ClientFrames clientFrames_;
};

}  // namespace sw
