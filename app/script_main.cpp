// st_nubera_script --dir PROGRAM_DIR < SCENARIO
// Runs the real screens against a desktop that answers every box with OK.

#include <cstring>
#include <iostream>

#include "platform/local_file_system.h"
#include "platform/script_driver.h"
#include "screens/screens.h"

int main(int argc, char** argv) {
  std::string dir;
  for (int i = 1; i < argc; ++i) {
    if (std::strcmp(argv[i], "--dir") == 0 && i + 1 < argc) {
      dir = argv[++i];
    } else {
      std::cerr << "usage: st_nubera_script --dir PROGRAM_DIR < SCENARIO\n";
      return 2;
    }
  }
  if (dir.empty()) {
    std::cerr << "usage: st_nubera_script --dir PROGRAM_DIR < SCENARIO\n";
    return 2;
  }
  nubera::LocalFileSystem files(dir);
  return nubera::runScript(nubera::screens::all(), files, std::cin, std::cout);
}
