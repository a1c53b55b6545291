// A stand-in for the prompt the program answers: a plain X11 window whose OUTER size
// (the window manager's frame included) is the given width and height, and which
// prints every mouse press it receives. Used by the end-to-end tests and by
// scripts/run.sh.
//
//   prompt_window TITLE OUTER_WIDTH OUTER_HEIGHT [LEFT TOP]
//
// With LEFT and TOP the window asks the manager to put its frame's top-left corner
// there; otherwise the manager places it.
// Prints "ready X Y W H" (the outer rectangle in root coordinates) once the window is
// shown at its size, then "press X Y BUTTON" (root coordinates) for each press. Ends
// when closed by the manager or killed.
#include <xcb/xcb.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <memory>
#include <string>

namespace {

struct Free {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using Reply = std::unique_ptr<T, Free>;

struct Disconnect {
  void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};

struct Frame {
  int left = 0, right = 0, top = 0, bottom = 0;
  bool known = false;
};

xcb_atom_t Atom(xcb_connection_t* c, const char* name) {
  Reply<xcb_intern_atom_reply_t> reply(xcb_intern_atom_reply(
      c, xcb_intern_atom(c, 0, static_cast<uint16_t>(std::strlen(name)), name), nullptr));
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

Frame ReadFrame(xcb_connection_t* c, xcb_window_t window, xcb_atom_t extents) {
  Frame frame;
  Reply<xcb_get_property_reply_t> reply(xcb_get_property_reply(
      c, xcb_get_property(c, 0, window, extents, XCB_ATOM_CARDINAL, 0, 4), nullptr));
  if (reply && xcb_get_property_value_length(reply.get()) == 16) {
    const auto* v = static_cast<const uint32_t*>(xcb_get_property_value(reply.get()));
    frame = {static_cast<int>(v[0]), static_cast<int>(v[1]), static_cast<int>(v[2]),
             static_cast<int>(v[3]), true};
  }
  return frame;
}

void Resize(xcb_connection_t* c, xcb_window_t window, int width, int height) {
  const uint32_t size[] = {static_cast<uint32_t>(width > 1 ? width : 1),
                           static_cast<uint32_t>(height > 1 ? height : 1)};
  xcb_configure_window(c, window, XCB_CONFIG_WINDOW_WIDTH | XCB_CONFIG_WINDOW_HEIGHT, size);
}

// The client's position in root coordinates.
bool ClientOrigin(xcb_connection_t* c, xcb_window_t window, xcb_window_t root, int& x, int& y) {
  Reply<xcb_translate_coordinates_reply_t> reply(xcb_translate_coordinates_reply(
      c, xcb_translate_coordinates(c, window, root, 0, 0), nullptr));
  if (!reply) return false;
  x = reply->dst_x;
  y = reply->dst_y;
  return true;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 4 && argc != 6) {
    std::fprintf(stderr, "usage: %s TITLE OUTER_WIDTH OUTER_HEIGHT [LEFT TOP]\n", argv[0]);
    return 2;
  }
  const std::string title = argv[1];
  const int outerWidth = std::atoi(argv[2]);
  const int outerHeight = std::atoi(argv[3]);
  if (outerWidth <= 2 || outerHeight <= 2) {
    std::fprintf(stderr, "the outer size must be larger than 2 x 2\n");
    return 2;
  }
  std::unique_ptr<xcb_connection_t, Disconnect> connection(xcb_connect(nullptr, nullptr));
  xcb_connection_t* c = connection.get();
  if (xcb_connection_has_error(c)) {
    std::fprintf(stderr, "no X display\n");
    return 1;
  }
  xcb_screen_t* screen = xcb_setup_roots_iterator(xcb_get_setup(c)).data;
  const xcb_atom_t extentsAtom = Atom(c, "_NET_FRAME_EXTENTS");
  const xcb_atom_t requestExtents = Atom(c, "_NET_REQUEST_FRAME_EXTENTS");
  const xcb_atom_t utf8 = Atom(c, "UTF8_STRING");
  const xcb_atom_t netWmName = Atom(c, "_NET_WM_NAME");
  const xcb_atom_t protocols = Atom(c, "WM_PROTOCOLS");
  const xcb_atom_t deleteWindow = Atom(c, "WM_DELETE_WINDOW");

  const xcb_window_t window = xcb_generate_id(c);
  const uint32_t values[] = {screen->white_pixel, XCB_EVENT_MASK_BUTTON_PRESS |
                                                      XCB_EVENT_MASK_STRUCTURE_NOTIFY |
                                                      XCB_EVENT_MASK_PROPERTY_CHANGE};
  const bool placed = argc == 6;
  const int left = placed ? std::atoi(argv[4]) : 100;
  const int top = placed ? std::atoi(argv[5]) : 100;
  xcb_create_window(c, XCB_COPY_FROM_PARENT, window, screen->root, static_cast<int16_t>(left),
                    static_cast<int16_t>(top), static_cast<uint16_t>(outerWidth),
                    static_cast<uint16_t>(outerHeight), 0, XCB_WINDOW_CLASS_INPUT_OUTPUT,
                    screen->root_visual, XCB_CW_BACK_PIXEL | XCB_CW_EVENT_MASK, values);
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NAME, XCB_ATOM_STRING, 8,
                      static_cast<uint32_t>(title.size()), title.data());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, netWmName, utf8, 8,
                      static_cast<uint32_t>(title.size()), title.data());
  xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, protocols, XCB_ATOM_ATOM, 32, 1,
                      &deleteWindow);
  if (placed) {
    // WM_NORMAL_HINTS: a user-given position, the frame's top-left corner at it.
    constexpr uint32_t kUsPosition = 1;
    constexpr uint32_t kWinGravity = 512;
    constexpr uint32_t kNorthWest = 1;
    uint32_t hints[18] = {};
    hints[0] = kUsPosition | kWinGravity;
    hints[1] = static_cast<uint32_t>(left);
    hints[2] = static_cast<uint32_t>(top);
    hints[17] = kNorthWest;
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, window, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, 18, hints);
  }

  // Ask the manager for the frame it will add, so the window is mapped at its final
  // outer size; a manager that does not answer is corrected after mapping.
  xcb_client_message_event_t request{};
  request.response_type = XCB_CLIENT_MESSAGE;
  request.format = 32;
  request.window = window;
  request.type = requestExtents;
  xcb_send_event(c, 0, screen->root,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&request));
  xcb_flush(c);
  Frame frame;
  for (int i = 0; i < 50 && !frame.known; ++i) {
    frame = ReadFrame(c, window, extentsAtom);
    if (!frame.known) {
      struct timespec pause {
        0, 20'000'000
      };
      nanosleep(&pause, nullptr);
    }
  }
  Resize(c, window, outerWidth - frame.left - frame.right, outerHeight - frame.top - frame.bottom);
  xcb_map_window(c, window);
  xcb_flush(c);

  bool mapped = false;
  bool ready = false;
  while (auto* raw = xcb_wait_for_event(c)) {
    Reply<xcb_generic_event_t> event(raw);
    const int type = event->response_type & 0x7f;
    if (type == XCB_PROPERTY_NOTIFY) {
      auto* property = reinterpret_cast<xcb_property_notify_event_t*>(raw);
      if (property->atom != extentsAtom) continue;
      const Frame now = ReadFrame(c, window, extentsAtom);
      if (now.known && (now.left != frame.left || now.right != frame.right ||
                        now.top != frame.top || now.bottom != frame.bottom)) {
        frame = now;
        Resize(c, window, outerWidth - frame.left - frame.right,
               outerHeight - frame.top - frame.bottom);
        xcb_flush(c);
      }
    } else if (type == XCB_CONFIGURE_NOTIFY || type == XCB_MAP_NOTIFY) {
      // The manager frames and places the window before it maps it.
      if (type == XCB_MAP_NOTIFY) mapped = true;
      if (!mapped) continue;
      if (type == XCB_CONFIGURE_NOTIFY) {
        auto* configure = reinterpret_cast<xcb_configure_notify_event_t*>(raw);
        if (configure->width != outerWidth - frame.left - frame.right ||
            configure->height != outerHeight - frame.top - frame.bottom) {
          continue;
        }
      }
      int x = 0;
      int y = 0;
      if (!ready && ClientOrigin(c, window, screen->root, x, y)) {
        ready = true;
        std::printf("ready %d %d %d %d\n", x - frame.left, y - frame.top, outerWidth, outerHeight);
        std::fflush(stdout);
      }
    } else if (type == XCB_BUTTON_PRESS) {
      auto* press = reinterpret_cast<xcb_button_press_event_t*>(raw);
      std::printf("press %d %d %d\n", press->root_x, press->root_y, press->detail);
      std::fflush(stdout);
    } else if (type == XCB_CLIENT_MESSAGE) {
      auto* message = reinterpret_cast<xcb_client_message_event_t*>(raw);
      if (message->type == protocols && message->data.data32[0] == deleteWindow) break;
    }
  }
  return 0;
}
