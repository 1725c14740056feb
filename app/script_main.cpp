// st_nubera_script --dir PROGRAM_DIR < SCENARIO
// Runs the real screens against a desktop that answers every box with OK.

#include <cstring>
#include <filesystem>
#include <iostream>
#include <vector>

#ifdef _WIN32
#include <fcntl.h>
#include <io.h>
#include <windows.h>
// after windows.h
#include <shellapi.h>

#include "platform/win32/utf.h"
#endif

#include "platform/local_file_system.h"
#include "screens/screens.h"
#include "ui/script_driver.h"

int main(int argc, char** argv) {
  std::vector<std::string> args(argv, argv + argc);
#ifdef _WIN32
  // The arguments as Unicode, and output byte for byte as on Linux (no CR added).
  int count = 0;
  wchar_t** wideArgs = CommandLineToArgvW(GetCommandLineW(), &count);
  args.clear();
  for (int i = 0; i < count; ++i) args.push_back(nubera::win32::utf8(wideArgs[i]));
  LocalFree(wideArgs);
  argc = count;
  _setmode(_fileno(stdout), _O_BINARY);
  _setmode(_fileno(stdin), _O_BINARY);
#endif
  std::string dir;
  for (int i = 1; i < argc; ++i) {
    if (args[i] == "--dir" && i + 1 < argc) {
      dir = args[++i];
    } else {
      std::cerr << "usage: st_nubera_script --dir PROGRAM_DIR < SCENARIO\n";
      return 2;
    }
  }
  if (dir.empty()) {
    std::cerr << "usage: st_nubera_script --dir PROGRAM_DIR < SCENARIO\n";
    return 2;
  }
  // The folder is stored in nout04.dat and written into file addresses, which only an absolute
  // path can serve; a folder that is not there would fail every step.
  std::error_code error;
  const std::filesystem::path given(std::u8string(dir.begin(), dir.end()));
  const std::filesystem::path absolute = std::filesystem::absolute(given, error);
  if (error || !std::filesystem::is_directory(absolute, error)) {
    std::cerr << "st_nubera_script: no such folder: " << dir << "\n";
    return 2;
  }
  const std::u8string folder = absolute.lexically_normal().u8string();
  nubera::LocalFileSystem files(std::string(folder.begin(), folder.end()));
  return nubera::runScript(nubera::screens::all(), files, std::cin, std::cout);
}
