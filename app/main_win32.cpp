// st_nubera.exe: the desktop program on Windows. The program directory, which holds the
// virtual server and the state files, is the folder of the executable.

#include <windows.h>

#include "platform/local_file_system.h"
#include "screens/screens.h"
#include "ui/runtime.h"
#include "ui/win32/win32_desktop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  const std::string dir = nubera::LocalFileSystem::executableDirectory();
  nubera::LocalFileSystem files(dir);
  int status = 0;
  {
    nubera::Win32Desktop desktop(instance, dir);
    nubera::Runtime runtime(nubera::screens::all(), files, desktop);
    desktop.attach(runtime);
    runtime.start();
    if (!runtime.ended()) status = desktop.run();
  }
  return status;
}
