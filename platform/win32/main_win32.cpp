// The Windows program: the real backends behind the program's seams, then start-up,
// the message loop and shutdown.
#include <windows.h>

#include "app/app.h"
#include "base/fatal.h"
#include "platform/win32/chime_waveout.h"
#include "platform/win32/desktop_win32.h"
#include "platform/win32/internet_wininet.h"
#include "platform/win32/shell_win32.h"
#include "platform/win32/ui_win32.h"
#include "resources/resources.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  sw::InstallOutOfMemoryHandler();
  // Declared first, destroyed last: the chime stops and waits for its players after
  // everything else has gone.
  sw::WaveOutChimePlayer chime;
  sw::Win32WindowLayer windows(instance);
  sw::Win32Desktop desktop;
  sw::WinInetInternet internet;
  sw::Win32Shell shell;
  sw::SystemClock clock;
  const std::span<const std::uint8_t> chimeWav = sw::ChimeWav();
  sw::App app({windows, desktop, chime, internet, shell, clock},
              sw::ByteSet(chimeWav.data(), chimeWav.size()));
  return app.Run();
}
