// wininet.dll's functions, bound by name on first use (no import library). A system
// without a usable wininet.dll is a fatal error.
#pragma once

#include <windows.h>

namespace sw::wininet {

using RawHandle = void*;

struct Api {
  BOOL(WINAPI* close)(RawHandle);
  RawHandle(WINAPI* connect)(RawHandle, LPCSTR, WORD, LPCSTR, LPCSTR, DWORD, DWORD, DWORD_PTR);
  RawHandle(WINAPI* open)(LPCSTR, DWORD, LPCSTR, LPCSTR, DWORD);
  RawHandle(WINAPI* openRequest)(RawHandle, LPCSTR, LPCSTR, LPCSTR, LPCSTR, LPCSTR*, DWORD,
                                 DWORD_PTR);
  BOOL(WINAPI* queryInfo)(RawHandle, DWORD, LPVOID, LPDWORD, LPDWORD);
  BOOL(WINAPI* readFile)(RawHandle, LPVOID, DWORD, LPDWORD);
  BOOL(WINAPI* sendRequest)(RawHandle, LPCSTR, DWORD, LPVOID, DWORD);
  BOOL(WINAPI* setOption)(RawHandle, DWORD, LPVOID, DWORD);
  HMODULE module;  // stays loaded for the life of the process
};

// Loads and binds on the first call, once.
const Api& Bound();

// Closes a WinInet handle exactly once, when it goes out of scope or is replaced.
class Handle {
 public:
  Handle() = default;
  explicit Handle(RawHandle handle) : handle_(handle) {}
  Handle(Handle&& other) noexcept : handle_(other.Release()) {}
  Handle& operator=(Handle&& other) noexcept {
    if (this != &other) Reset(other.Release());
    return *this;
  }
  Handle(const Handle&) = delete;
  Handle& operator=(const Handle&) = delete;
  ~Handle() { Reset(nullptr); }

  RawHandle get() const { return handle_; }
  explicit operator bool() const { return handle_ != nullptr; }
  void Reset(RawHandle handle) {
    if (handle_ != nullptr) Bound().close(handle_);
    handle_ = handle;
  }
  // Gives up ownership without closing, for a handle already closed elsewhere.
  RawHandle Release() {
    RawHandle handle = handle_;
    handle_ = nullptr;
    return handle;
  }

 private:
  RawHandle handle_ = nullptr;
};

}  // namespace sw::wininet
