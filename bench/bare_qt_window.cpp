// The baseline of bench/startup.py: a bare Qt window of the start-up screen's size with its
// picture and a Japanese caption in the same font, shown once, then left.
#include <QApplication>
#include <QLabel>
#include <QStyleFactory>
#include <QTimer>
#include <QVBoxLayout>
#include <QWidget>

int main(int argc, char** argv) {
  QApplication app(argc, argv);
  QApplication::setStyle(QStyleFactory::create("Fusion"));
  QWidget window;
  window.resize(492, 317);
  auto* layout = new QVBoxLayout(&window);
  auto* picture = new QLabel;
  picture->setPixmap(QPixmap(QCoreApplication::applicationDirPath() + "/splash_logo.jpg"));
  auto* caption = new QLabel(QString::fromUtf8("ホームページ動画作成ウィザード"));
  caption->setFont(QFont(QStringList{"IPAPGothic", "IPAGothic"}, 12));
  layout->addWidget(picture);
  layout->addWidget(caption);
  window.show();
  QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
  return app.exec();
}
