#include "platform/linux/desktop_xcb.h"

#include <xcb/xtest.h>

#include <algorithm>
#include <chrono>
#include <cstdint>
#include <limits>
#include <span>
#include <string>
#include <thread>
#include <unordered_map>
#include <utility>
#include <vector>

namespace sw {
namespace {

// Upper bound, in 32-bit units, of the managed-client list read from the root.
constexpr std::uint32_t kMaxClientListLength = 1u << 16;
// Deepest window nesting followed when looking for a window's top-level ancestor.
constexpr int kMaxAncestors = 64;
constexpr std::uint8_t kSyntheticEventBit = 0x80;
constexpr std::uint8_t kLeftButton = 1;
constexpr std::uint8_t kRightButton = 3;
// How long a click may wait for a frozen pointer to thaw, and how often it looks.
constexpr auto kThawLimit = std::chrono::seconds(1);
constexpr auto kThawPoll = std::chrono::milliseconds(5);

// Root children report their position in root coordinates; the outer size adds the
// border on both sides.
WindowRect OuterRect(std::int16_t x, std::int16_t y, std::uint16_t width, std::uint16_t height,
                     std::uint16_t border) {
  const std::int32_t outerWidth = std::int32_t{width} + 2 * std::int32_t{border};
  const std::int32_t outerHeight = std::int32_t{height} + 2 * std::int32_t{border};
  return WindowRect{x, y, x + outerWidth, y + outerHeight};
}

WindowRect OuterRect(const xcb_get_geometry_reply_t& g) {
  return OuterRect(g.x, g.y, g.width, g.height, g.border_width);
}

std::int16_t ToRootCoordinate(int v) {
  return static_cast<std::int16_t>(std::clamp<int>(v, std::numeric_limits<std::int16_t>::min(),
                                                   std::numeric_limits<std::int16_t>::max()));
}

Text HandleText(xcb_window_t window) {
  return Text(std::to_string(static_cast<std::int32_t>(window)));
}

std::span<const xcb_window_t> WindowList(const xcb_get_property_reply_t* reply) {
  if (reply == nullptr || reply->format != 32 || reply->type != XCB_ATOM_WINDOW) return {};
  const auto* ids = static_cast<const xcb_window_t*>(xcb_get_property_value(reply));
  const auto count = static_cast<std::size_t>(xcb_get_property_value_length(reply)) / 4;
  return {ids, count};
}

}  // namespace

XcbDesktop::XcbDesktop(std::string displayName) : displayName_(std::move(displayName)) {}

xcb_connection_t* XcbDesktop::Connection() {
  if (connection_ && xcb_connection_has_error(connection_.get()) == 0) return connection_.get();
  connection_.reset();
  listed_.Clear();
  clientFrames_.Clear();

  int screenNumber = 0;
  XcbConnectionPtr c(
      xcb_connect(displayName_.empty() ? nullptr : displayName_.c_str(), &screenNumber));
  if (xcb_connection_has_error(c.get()) != 0) return nullptr;

  xcb_screen_iterator_t screens = xcb_setup_roots_iterator(xcb_get_setup(c.get()));
  for (int i = 0; i < screenNumber && screens.rem > 0; ++i) xcb_screen_next(&screens);
  if (screens.rem == 0) return nullptr;
  root_ = screens.data->root;

  // Structure changes of the root's children (moves, resizes, destruction,
  // reparenting) arrive as notifications that keep the listed rectangles current.
  const std::uint32_t rootEvents = XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY;
  xcb_change_window_attributes(c.get(), root_, XCB_CW_EVENT_MASK, &rootEvents);

  static constexpr char kClientList[] = "_NET_CLIENT_LIST";
  auto atom = TakeReply(c.get(), xcb_intern_atom(c.get(), 0, sizeof kClientList - 1, kClientList),
                        xcb_intern_atom_reply);
  clientListAtom_ = atom ? atom->atom : xcb_atom_t{XCB_ATOM_NONE};

  const xcb_query_extension_reply_t* xtest = xcb_get_extension_data(c.get(), &xcb_test_id);
  hasXTest_ = xtest != nullptr && xtest->present != 0;

  if (xcb_connection_has_error(c.get()) != 0) return nullptr;
  connection_ = std::move(c);
  return connection_.get();
}

TextArray XcbDesktop::ListVisibleWindows() {
  TextArray handles;
  xcb_connection_t* c = Connection();
  if (c == nullptr) return handles;
  ApplyNotifications(c);  // keeps the client frames current

  // First round trip: the root's children and the managed clients.
  auto treeCookie = xcb_query_tree(c, root_);
  auto clientsCookie =
      xcb_get_property(c, 0, root_, clientListAtom_, XCB_ATOM_WINDOW, 0, kMaxClientListLength);
  auto tree = TakeReply(c, treeCookie, xcb_query_tree_reply);
  auto clientList = TakeReply(c, clientsCookie, xcb_get_property_reply);
  if (!tree) {
    listed_.Clear();
    return handles;
  }
  const std::span<const xcb_window_t> children(xcb_query_tree_children(tree.get()),
                                               xcb_query_tree_children_length(tree.get()));
  const std::span<const xcb_window_t> clients = WindowList(clientList.get());
  clientFrames_.RetainOnly(clients);

  // Second round trip: every request is sent before any reply is read.
  std::vector<xcb_get_window_attributes_cookie_t> attributeCookies;
  std::vector<xcb_get_geometry_cookie_t> geometryCookies;
  attributeCookies.reserve(children.size());
  geometryCookies.reserve(children.size());
  for (xcb_window_t child : children) {
    attributeCookies.push_back(xcb_get_window_attributes(c, child));
    geometryCookies.push_back(xcb_get_geometry(c, child));
  }
  // Clients seen for the first time: where they sit, and notice of their moves
  // between frames and of their destruction from now on.
  std::vector<std::pair<xcb_window_t, xcb_query_tree_cookie_t>> newClients;
  const std::uint32_t clientEvents = XCB_EVENT_MASK_STRUCTURE_NOTIFY;
  for (xcb_window_t client : clients) {
    if (clientFrames_.Knows(client)) continue;
    xcb_change_window_attributes(c, client, XCB_CW_EVENT_MASK, &clientEvents);
    newClients.emplace_back(client, xcb_query_tree(c, client));
  }

  for (const auto& [client, cookie] : newClients) {
    auto parentTree = TakeReply(c, cookie, xcb_query_tree_reply);
    if (parentTree) clientFrames_.Set(client, parentTree->parent);
  }
  const auto clientOfFrame = clientFrames_.ClientOfFrame(root_);

  std::vector<ListedWindow> listed;
  listed.reserve(children.size());
  for (std::size_t i = 0; i < children.size(); ++i) {
    auto attributes = TakeReply(c, attributeCookies[i], xcb_get_window_attributes_reply);
    auto geometry = TakeReply(c, geometryCookies[i], xcb_get_geometry_reply);
    // A window destroyed since the first round trip answers with an error: skip it.
    if (!attributes || !geometry || attributes->map_state != XCB_MAP_STATE_VIEWABLE) continue;
    const xcb_window_t frame = children[i];
    const auto client = clientOfFrame.find(frame);
    const xcb_window_t handle = client == clientOfFrame.end() ? frame : client->second;
    listed.push_back(ListedWindow{handle, frame, OuterRect(*geometry)});
  }
  xcb_flush(c);

  listed_.Replace(listed);
  // Changes that happened while the replies were coming in.
  ApplyNotifications(c);
  for (const ListedWindow& w : listed) handles.Append(HandleText(w.handle));
  return handles;
}

bool XcbDesktop::GetWindowRect(int handle, WindowRect& rect) {
  xcb_connection_t* c = Connection();
  if (c == nullptr) return false;
  ApplyNotifications(c);
  const auto window = static_cast<xcb_window_t>(handle);
  std::optional<WindowRect> found = listed_.RectOf(window);
  if (!found) found = QueryRect(c, window);
  if (!found) return false;
  rect = *found;
  return true;
}

void XcbDesktop::ClickAt(int x, int y, std::optional<int> clickKind) {
  xcb_connection_t* c = Connection();
  if (c == nullptr || !hasXTest_) return;
  const std::int16_t rootX = ToRootCoordinate(x);
  const std::int16_t rootY = ToRootCoordinate(y);
  // Detail 0 makes the motion absolute, in root coordinates.
  xcb_test_fake_input(c, XCB_MOTION_NOTIFY, 0, XCB_CURRENT_TIME, root_, rootX, rootY, 0);
  for (ButtonEvent event : ClickEvents(clickKind)) {
    const bool press = event == ButtonEvent::kLeftDown || event == ButtonEvent::kRightDown;
    const bool left = event == ButtonEvent::kLeftDown || event == ButtonEvent::kLeftUp;
    xcb_test_fake_input(c, press ? XCB_BUTTON_PRESS : XCB_BUTTON_RELEASE,
                        left ? kLeftButton : kRightButton, XCB_CURRENT_TIME, root_, 0, 0, 0);
  }
  WaitForButtonsReleased(c);
}

// A window manager may freeze the pointer when a press reaches a window it wants to
// focus first (a synchronous grab), until it lets the press through. Injected motion
// still moves the pointer while the button events wait, so the next click's motion
// would carry this click's waiting button events away to another window. The click is over
// once the server shows its buttons up again; a freeze that outlasts the limit is
// left to the window manager.
void XcbDesktop::WaitForButtonsReleased(xcb_connection_t* c) {
  constexpr std::uint16_t kButtons = XCB_BUTTON_MASK_1 | XCB_BUTTON_MASK_3;
  const auto giveUp = std::chrono::steady_clock::now() + kThawLimit;
  for (;;) {
    // A round trip: the server has processed the injected events when it answers.
    auto pointer = TakeReply(c, xcb_query_pointer(c, root_), xcb_query_pointer_reply);
    if (!pointer || (pointer->mask & kButtons) == 0) return;
    if (std::chrono::steady_clock::now() >= giveUp) return;
    std::this_thread::sleep_for(kThawPoll);
  }
}

void XcbDesktop::ApplyNotifications(xcb_connection_t* c) {
  while (xcb_generic_event_t* raw = xcb_poll_for_event(c)) {
    XcbReply<xcb_generic_event_t> event(raw);
    // Events sent by other clients carry nothing about the real window structure;
    // errors of requests without replies (a vanished client) fall to the default.
    if ((event->response_type & kSyntheticEventBit) != 0) continue;
    switch (event->response_type) {
      case XCB_CONFIGURE_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_configure_notify_event_t*>(raw);
        if (e->event == root_) {
          listed_.FrameConfigured(e->window,
                                  OuterRect(e->x, e->y, e->width, e->height, e->border_width));
        }
        break;
      }
      case XCB_DESTROY_NOTIFY: {
        const xcb_window_t window =
            reinterpret_cast<const xcb_destroy_notify_event_t*>(raw)->window;
        listed_.WindowDestroyed(window);
        clientFrames_.WindowDestroyed(window);
        break;
      }
      case XCB_REPARENT_NOTIFY: {
        const auto* e = reinterpret_cast<const xcb_reparent_notify_event_t*>(raw);
        listed_.WindowReparented(e->window, e->parent, root_);
        clientFrames_.WindowReparented(e->window, e->parent);
        break;
      }
      default:
        break;
    }
  }
}

std::optional<WindowRect> XcbDesktop::QueryRect(xcb_connection_t* c, xcb_window_t window) {
  for (int depth = 0; depth < kMaxAncestors; ++depth) {
    auto treeCookie = xcb_query_tree(c, window);
    auto geometryCookie = xcb_get_geometry(c, window);
    auto tree = TakeReply(c, treeCookie, xcb_query_tree_reply);
    auto geometry = TakeReply(c, geometryCookie, xcb_get_geometry_reply);
    if (!tree || !geometry) return std::nullopt;  // no such window (any more)
    if (tree->parent == root_ || tree->parent == XCB_NONE) return OuterRect(*geometry);
    window = tree->parent;
  }
  return std::nullopt;
}

}  // namespace sw
