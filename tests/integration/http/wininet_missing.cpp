// Run with wininet.dll made unavailable: the first web request must end the process
// with the fatal error, not return.
#include <cstdio>

#include "http/web_access.h"
#include "platform/win32/internet_wininet.h"

int main() {
  sw::WinInetInternet internet;
  sw::WebAccess(internet, "http://127.0.0.1:1/");
  std::puts("WebAccess returned");
  return 0;
}
