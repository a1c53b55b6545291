// Owners for the XCB objects the desktop backend holds: the connection and replies.
#pragma once

#include <xcb/xcb.h>

#include <cstdlib>
#include <memory>
#include <string>

namespace sw {

// XCB replies and errors are malloc'ed and released with free().
struct XcbFree {
  void operator()(void* p) const { std::free(p); }
};
template <typename T>
using XcbReply = std::unique_ptr<T, XcbFree>;

struct XcbDisconnect {
  void operator()(xcb_connection_t* c) const { xcb_disconnect(c); }
};
using XcbConnectionPtr = std::unique_ptr<xcb_connection_t, XcbDisconnect>;

// Waits for the reply of one request. An error reply (a window that vanished) gives
// null; the error itself is released here rather than left in the event queue.
template <typename Reply, typename Cookie>
XcbReply<Reply> TakeReply(xcb_connection_t* c, Cookie cookie,
                          Reply* (*fetch)(xcb_connection_t*, Cookie, xcb_generic_error_t**)) {
  xcb_generic_error_t* error = nullptr;
  XcbReply<Reply> reply(fetch(c, cookie, &error));
  std::free(error);
  return reply;
}

}  // namespace sw
