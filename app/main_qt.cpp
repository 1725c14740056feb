// st_nubera: the desktop program. The program directory, which holds the virtual
// server and the state files, is the folder of the executable.

#include <QApplication>
#include <QIcon>
#include <QStyleFactory>
#include <cstdio>
#include <cstdlib>

#include "platform/local_file_system.h"
#include "screens/screens.h"
#include "ui/qt/qt_desktop.h"
#include "ui/runtime.h"

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  // Fusion draws the buttons' back colours as declared.
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QApplication::setQuitOnLastWindowClosed(false);  // the runtime decides when the program ends

  const std::string dir = nubera::LocalFileSystem::executableDirectory();
  nubera::LocalFileSystem files(dir);
  QApplication::setWindowIcon(QIcon(QString::fromStdString(dir + "/st_nubera.png")));
  nubera::QtDesktop desktop(dir);
  nubera::Runtime runtime(nubera::screens::all(), files, desktop);
  desktop.setOnEnded([] { QCoreApplication::exit(0); });
  runtime.start();
  const int status = runtime.ended() ? 0 : app.exec();
  // Every file was written, flushed and closed inside its handler, and no window is left: the
  // process ends here, without the toolkit's teardown, which can wait on the display server
  // (a Wayland connection) and leave a program that the user can neither see nor end.
  std::fflush(nullptr);
  std::_Exit(status);
}
