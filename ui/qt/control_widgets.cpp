#include "ui/qt/control_widgets.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QFile>
#include <QPainter>

#include "ui/desktop_rules.h"
#include "ui/qt/screen_window.h"

namespace nubera::qt {

void ClickLabel::makeMarker(QColor chosenColour) {
  chosenColour_ = chosenColour;
}

void ClickLabel::setChosen(bool chosen) {
  if (chosen_ == chosen) return;
  chosen_ = chosen;
  update();
  QAccessible::State changed;
  changed.checked = true;
  QAccessibleStateChangeEvent event(this, changed);
  QAccessible::updateAccessibility(&event);
}

void ClickLabel::paintEvent(QPaintEvent* e) {
  QLabel::paintEvent(e);
  QPainter p(this);
  if (chosen_) {
    // Whole logical pixels, so the frame stays sharp at every scale.
    const QRect r = rect();
    for (const QRect& edge :
         {QRect(r.left(), r.top(), r.width(), 2), QRect(r.left(), r.bottom() - 1, r.width(), 2),
          QRect(r.left(), r.top(), 2, r.height()), QRect(r.right() - 1, r.top(), 2, r.height())}) {
      p.fillRect(edge, chosenColour_);
    }
  }
  if (!hasFocus()) return;
  p.setPen(QPen(palette().color(QPalette::WindowText), 1, Qt::DotLine));
  p.drawRect(
      rect().adjusted(chosen_ ? 2 : 0, chosen_ ? 2 : 0, chosen_ ? -3 : -1, chosen_ ? -3 : -1));
}

namespace {

class MarkerAccessible : public QAccessibleWidget {
 public:
  explicit MarkerAccessible(ClickLabel* marker)
      : QAccessibleWidget(marker, QAccessible::RadioButton) {}
  QAccessible::State state() const override {
    QAccessible::State s = QAccessibleWidget::state();
    s.checkable = true;
    s.checked = static_cast<ClickLabel*>(widget())->chosen();
    return s;
  }
  QString text(QAccessible::Text t) const override {
    // The caption "■" is drawn, not said: the marker is called by what it sets.
    if (t == QAccessible::Name) return widget()->accessibleName();
    return QAccessibleWidget::text(t);
  }
};

QAccessibleInterface* markerInterface(const QString&, QObject* object) {
  auto* label = dynamic_cast<ClickLabel*>(object);
  return label && label->isMarker() ? new MarkerAccessible(label) : nullptr;
}

}  // namespace

void installMarkerAccessibility() {
  static const bool installed = [] {
    QAccessible::installFactory(markerInterface);
    return true;
  }();
  (void)installed;
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
  const QString file = qs(pictureToDraw(dir_.toStdString(), '/', file_, scale,
                                        [](const auto& f) { return QFile::exists(qs(f)); }));
  if (file != drawnFile_) {
    drawnFile_ = file;
    pixmap_ = QPixmap(file);
  }
  return pixmap_;
}

void FlatButton::paintEvent(QPaintEvent*) {
  QPainter p(this);
  const QRect r = rect();
  const QColor back = palette().color(QPalette::Button);
  const QColor text =
      palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText);
  p.fillRect(r, back);
  // The border's shadow and the focus mark take the caption's colour, which the colour rule
  // keeps readable on the button in every scheme (white on a black high-contrast face); its
  // light edge too where a white one would vanish on the button. The edges fill whole logical
  // pixels, so at every scale they reach the button's outer edge.
  const QColor light = back.lightness() >= 250 ? text : QColor(Qt::white);
  const bool down = isDown();
  p.fillRect(QRect(r.left(), r.top(), r.width(), 1), down ? text : light);
  p.fillRect(QRect(r.left(), r.top(), 1, r.height()), down ? text : light);
  p.fillRect(QRect(r.left(), r.bottom(), r.width(), 1), down ? light : text);
  p.fillRect(QRect(r.right(), r.top(), 1, r.height()), down ? light : text);
  p.setPen(text);
  p.drawText(rect(), Qt::AlignCenter, this->text());
  if (hasFocus()) {
    p.setPen(QPen(text, 1, Qt::DotLine));
    p.drawRect(r.adjusted(3, 3, -4, -4));
  }
}

void LineWidget::paintEvent(QPaintEvent*) {
  QPainter p(this);
  p.setPen(QPen(Qt::black, 1));
  p.drawLine(0, 0, width() - 1, height() - 1);
}

}  // namespace nubera::qt
