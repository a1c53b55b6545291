#include "tests/integration/desktop/test_windows.h"

#include <algorithm>
#include <cstring>

namespace sw::test {
namespace {

// WM_NORMAL_HINTS flags: user-specified position and size.
constexpr std::uint32_t kUsPosition = 1;
constexpr std::uint32_t kUsSize = 2;
constexpr int kNormalHintsWords = 18;

}  // namespace

TestWindows::TestWindows() : c_(xcb_connect(nullptr, nullptr)) {
  if (xcb_connection_has_error(c_.get()) != 0) return;
  root_ = xcb_setup_roots_iterator(xcb_get_setup(c_.get())).data->root;
}

TestWindows::~TestWindows() {
  DestroyAll();
}

void TestWindows::DestroyAll() {
  if (!connected()) return;
  for (xcb_window_t w : created_) xcb_destroy_window(c_.get(), w);
  created_.clear();
  Sync();
}

xcb_atom_t TestWindows::Atom(const char* name) {
  auto reply = TakeReply(
      c_.get(), xcb_intern_atom(c_.get(), 0, static_cast<std::uint16_t>(std::strlen(name)), name),
      xcb_intern_atom_reply);
  return reply ? reply->atom : xcb_atom_t{XCB_ATOM_NONE};
}

xcb_window_t TestWindows::Create(int x, int y, int width, int height, bool overrideRedirect,
                                 int border, std::uint32_t eventMask) {
  xcb_connection_t* c = c_.get();
  const xcb_window_t w = xcb_generate_id(c);
  const std::uint32_t values[] = {overrideRedirect ? 1u : 0u, eventMask};
  xcb_create_window(c, XCB_COPY_FROM_PARENT, w, root_, static_cast<std::int16_t>(x),
                    static_cast<std::int16_t>(y), static_cast<std::uint16_t>(width),
                    static_cast<std::uint16_t>(height), static_cast<std::uint16_t>(border),
                    XCB_WINDOW_CLASS_INPUT_OUTPUT, XCB_COPY_FROM_PARENT,
                    XCB_CW_OVERRIDE_REDIRECT | XCB_CW_EVENT_MASK, values);
  if (!overrideRedirect) {
    std::uint32_t hints[kNormalHintsWords] = {};
    hints[0] = kUsPosition | kUsSize;
    hints[1] = static_cast<std::uint32_t>(x);
    hints[2] = static_cast<std::uint32_t>(y);
    hints[3] = static_cast<std::uint32_t>(width);
    hints[4] = static_cast<std::uint32_t>(height);
    xcb_change_property(c, XCB_PROP_MODE_REPLACE, w, XCB_ATOM_WM_NORMAL_HINTS,
                        XCB_ATOM_WM_SIZE_HINTS, 32, kNormalHintsWords, hints);
  }
  created_.push_back(w);
  Sync();
  return w;
}

void TestWindows::Map(xcb_window_t w) {
  xcb_map_window(c_.get(), w);
  Sync();
}

void TestWindows::Unmap(xcb_window_t w) {
  xcb_unmap_window(c_.get(), w);
  Sync();
}

void TestWindows::Destroy(xcb_window_t w) {
  xcb_destroy_window(c_.get(), w);
  std::erase(created_, w);
  Sync();
}

void TestWindows::Move(xcb_window_t w, int x, int y) {
  const std::uint32_t values[] = {static_cast<std::uint32_t>(x), static_cast<std::uint32_t>(y)};
  xcb_configure_window(c_.get(), w, XCB_CONFIG_WINDOW_X | XCB_CONFIG_WINDOW_Y, values);
  Sync();
}

void TestWindows::Minimise(xcb_window_t w) {
  constexpr std::uint32_t kIconicState = 3;
  xcb_client_message_event_t message = {};
  message.response_type = XCB_CLIENT_MESSAGE;
  message.format = 32;
  message.window = w;
  message.type = Atom("WM_CHANGE_STATE");
  message.data.data32[0] = kIconicState;
  xcb_send_event(c_.get(), 0, root_,
                 XCB_EVENT_MASK_SUBSTRUCTURE_REDIRECT | XCB_EVENT_MASK_SUBSTRUCTURE_NOTIFY,
                 reinterpret_cast<const char*>(&message));
  Sync();
}

void TestWindows::Sync() {
  TakeReply(c_.get(), xcb_get_input_focus(c_.get()), xcb_get_input_focus_reply);
}

bool TestWindows::MapAndWaitForFrame(xcb_window_t w) {
  Map(w);
  return Eventually([&] {
    const std::optional<xcb_window_t> parent = Parent(w);
    return parent && *parent != root_ && IsViewable(w) && Extents(w).has_value() &&
           IsListedClient(w);
  });
}

bool TestWindows::IsListedClient(xcb_window_t w) {
  auto p = TakeReply(
      c_.get(),
      xcb_get_property(c_.get(), 0, root_, Atom("_NET_CLIENT_LIST"), XCB_ATOM_WINDOW, 0, 4096),
      xcb_get_property_reply);
  if (!p || p->format != 32) return false;
  const auto* clients = static_cast<const xcb_window_t*>(xcb_get_property_value(p.get()));
  const int count = xcb_get_property_value_length(p.get()) / 4;
  return std::find(clients, clients + count, w) != clients + count;
}

bool TestWindows::UnmapAndWaitForRelease(xcb_window_t w) {
  Unmap(w);
  return Eventually([&] { return Parent(w) == root_ && !IsViewable(w); });
}

std::optional<xcb_window_t> TestWindows::Parent(xcb_window_t w) {
  auto tree = TakeReply(c_.get(), xcb_query_tree(c_.get(), w), xcb_query_tree_reply);
  if (!tree) return std::nullopt;
  return tree->parent;
}

bool TestWindows::IsViewable(xcb_window_t w) {
  auto a =
      TakeReply(c_.get(), xcb_get_window_attributes(c_.get(), w), xcb_get_window_attributes_reply);
  return a && a->map_state == XCB_MAP_STATE_VIEWABLE;
}

std::optional<FrameExtents> TestWindows::Extents(xcb_window_t w) {
  auto p = TakeReply(
      c_.get(),
      xcb_get_property(c_.get(), 0, w, Atom("_NET_FRAME_EXTENTS"), XCB_ATOM_CARDINAL, 0, 4),
      xcb_get_property_reply);
  if (!p || p->format != 32 || xcb_get_property_value_length(p.get()) != 16) return std::nullopt;
  const auto* v = static_cast<const std::uint32_t*>(xcb_get_property_value(p.get()));
  return FrameExtents{static_cast<std::int32_t>(v[0]), static_cast<std::int32_t>(v[1]),
                      static_cast<std::int32_t>(v[2]), static_cast<std::int32_t>(v[3])};
}

std::optional<Point> TestWindows::RootOrigin(xcb_window_t w) {
  auto t = TakeReply(c_.get(), xcb_translate_coordinates(c_.get(), w, root_, 0, 0),
                     xcb_translate_coordinates_reply);
  if (!t) return std::nullopt;
  return Point{t->dst_x, t->dst_y};
}

std::optional<WindowRect> TestWindows::OwnOuterRect(xcb_window_t w) {
  auto g = TakeReply(c_.get(), xcb_get_geometry(c_.get(), w), xcb_get_geometry_reply);
  if (!g) return std::nullopt;
  const int border = 2 * g->border_width;
  return WindowRect{g->x, g->y, g->x + g->width + border, g->y + g->height + border};
}

std::optional<Point> TestWindows::Pointer() {
  auto p = TakeReply(c_.get(), xcb_query_pointer(c_.get(), root_), xcb_query_pointer_reply);
  if (!p) return std::nullopt;
  return Point{p->root_x, p->root_y};
}

std::vector<XcbReply<xcb_generic_event_t>> TestWindows::TakeEvents(
    std::size_t count, std::chrono::milliseconds timeout) {
  std::vector<XcbReply<xcb_generic_event_t>> events;
  Eventually(
      [&] {
        while (xcb_generic_event_t* e = xcb_poll_for_event(c_.get())) {
          events.emplace_back(e);
        }
        return events.size() >= count;
      },
      timeout);
  return events;
}

}  // namespace sw::test
