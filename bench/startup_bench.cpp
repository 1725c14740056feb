// Starts the desktop as the program does and leaves as soon as the start-up screen is
// shown; bench/startup.py times whole runs of it and reads their peak memory.

#include <QApplication>
#include <QStyleFactory>
#include <QTimer>
#include <filesystem>

#include "platform/local_file_system.h"
#include "screens/screens.h"
#include "ui/qt/qt_desktop.h"
#include "ui/runtime.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  const std::string dir = nubera::LocalFileSystem::executableDirectory();
  nubera::LocalFileSystem files(std::filesystem::temp_directory_path().string());
  nubera::QtDesktop desktop(dir);
  nubera::Runtime runtime(nubera::screens::all(), files, desktop);
  runtime.start();
  // Once the first paint of the shown screen has gone through the event loop, leave.
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  return app.exec();
}
