// st_nubera.exe: the desktop program on Windows. The program directory, which holds the
// virtual server and the state files, is the folder of the executable.

#include <windows.h>

#include "platform/local_file_system.h"
#include "screens/screens.h"
#include "ui/runtime.h"
#include "ui/win32/system_library.h"
#include "ui/win32/win32_desktop.h"

int WINAPI wWinMain(HINSTANCE instance, HINSTANCE, PWSTR, int) {
  // Before anything loads a library: the libraries the system loads for the program (the
  // visual styles' uxtheme, say) come from the system folder only, never from the program's
  // own, where a planted file of their name would otherwise be taken.
  using SetDirectories = BOOL(WINAPI*)(DWORD);
  if (auto set = nubera::win32::systemFunction<SetDirectories>(L"kernel32.dll",
                                                               "SetDefaultDllDirectories")) {
    set(LOAD_LIBRARY_SEARCH_SYSTEM32);
  }
  // The input method manager (at the first window) and the common controls (at their first
  // control) load OLE by its bare name, and not every system (Wine) applies the rule above to
  // that load: OLE is loaded here, from the system folder, so that the name is taken already.
  LoadLibraryExW(L"ole32.dll", nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  const std::string dir = nubera::LocalFileSystem::executableDirectory();
  nubera::LocalFileSystem files(dir);
  int status = 0;
  {
    nubera::Win32Desktop desktop(instance, dir);
    nubera::Runtime runtime(nubera::screens::all(), files, desktop);
    runtime.start();
    if (!runtime.ended()) status = desktop.run();
  }
  return status;
}
