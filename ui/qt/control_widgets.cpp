#include "ui/qt/control_widgets.h"

#include <QFile>
#include <QPainter>

#include "ui/desktop_rules.h"
#include "ui/qt/screen_window.h"

namespace nubera::qt {

void ClickLabel::paintEvent(QPaintEvent* e) {
  QLabel::paintEvent(e);
  if (!hasFocus()) return;
  QPainter p(this);
  p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
  p.drawRect(rect().adjusted(0, 0, -1, -1));
}

void ClickLabel::focusInEvent(QFocusEvent* e) {
  QLabel::focusInEvent(e);
  update();
}

void ClickLabel::focusOutEvent(QFocusEvent* e) {
  QLabel::focusOutEvent(e);
  update();
}

void ClickFrame::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QColor back = palette().color(QPalette::Window);
  const QColor text = palette().color(QPalette::WindowText);
  const QFontMetrics metrics(font());
  const int top = title().isEmpty() ? 0 : metrics.height() / 2;
  const QRect box = rect().adjusted(0, top, -1, -1);
  p.setPen(QColor((back.red() + text.red()) / 2, (back.green() + text.green()) / 2,
                  (back.blue() + text.blue()) / 2));
  p.drawRect(box.adjusted(0, 0, -1, -1));
  p.setPen(back.lighter(150));
  p.drawRect(box.adjusted(1, 1, 0, 0));
  if (title().isEmpty()) return;
  const int inset = metrics.averageCharWidth();
  const QRect caption(inset, 0, metrics.horizontalAdvance(title()) + inset, metrics.height());
  p.fillRect(caption, back);
  p.setPen(text);
  p.drawText(caption, Qt::AlignCenter, title());
}

PictureLabel::PictureLabel(QWidget* parent, QString dir, std::string file)
    : QLabel(parent), dir_(std::move(dir)), file_(std::move(file)) {
  setPixmap(pixmapFor(1.0));  // for a screen reader: a graphic
}

void PictureLabel::paintEvent(QPaintEvent*) {
  const QPixmap& pm = pixmapFor(devicePixelRatioF());
  QPainter p(this);
  p.setRenderHint(QPainter::SmoothPixmapTransform);
  p.drawPixmap(rect(), pm);
  setProperty("drawnFile", drawnFile_);
  setProperty("drawnSize", pm.size());
}

const QPixmap& PictureLabel::pixmapFor(double scale) {
  QString file = dir_ + "/" + qs(pictureFile(file_, scale));
  if (!QFile::exists(file)) file = dir_ + "/" + qs(file_);
  if (file != drawnFile_) {
    drawnFile_ = file;
    pixmap_ = QPixmap(file);
  }
  return pixmap_;
}

void FlatButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect().adjusted(0, 0, -1, -1);
  const QColor back = palette().color(QPalette::Button);
  const QColor text =
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
  p.fillRect(rect(), back);
  // The border's shadow and the focus mark take the caption's colour, which the colour rule
  // keeps readable on the button in every scheme (white on a black high-contrast face); its
  // light edge too where a white one would vanish on the button.
  const QColor light = back.lightness() >= 250 ? text : QColor(Qt::white);
  const bool down = isDown();
  p.setPen(down ? text : light);
  p.drawLine(r.topLeft(), r.topRight());
  p.drawLine(r.topLeft(), r.bottomLeft());
  p.setPen(down ? light : text);
  p.drawLine(r.bottomLeft(), r.bottomRight());
  p.drawLine(r.topRight(), r.bottomRight());
  p.setPen(text);
  p.drawText(rect(), Qt::AlignCenter, this->text());
  if (hasFocus()) {
    p.setPen(QPen(text, 1, Qt::DotLine));
    p.drawRect(r.adjusted(3, 3, -3, -3));
  }
}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(0, 0, width() - 1, height() - 1);
}

}  // namespace nubera::qt
