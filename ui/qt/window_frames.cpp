#include "ui/qt/window_frames.h"

#include <QGuiApplication>
#include <QScreen>

#include "ui/desktop_rules.h"

namespace nubera::qt {

PixelRect pixelRect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

PixelRect frameOf(QWidget* w, const QMargins& frame) {
  if (w->isVisible() && w->frameGeometry() != w->geometry()) return pixelRect(w->frameGeometry());
  const QRect client(w->mapToGlobal(QPoint(0, 0)), w->size());
  return pixelRect(client.marginsAdded(frame));
}

QMargins frameMargins(QWidget* w) {
  const QRect outer = w->frameGeometry();
  const QRect inner = w->geometry();
  return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                  outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

void placeOver(QWidget* w, QWidget* over) {
  QScreen* display = over ? over->screen() : QGuiApplication::primaryScreen();
  if (!display) return;
  const PixelRect area = pixelRect(display->availableGeometry());
  // Before the window manager frames the window, it gets the frame of the one it belongs to.
  const QMargins margins = over ? frameMargins(over) : QMargins();
  const PixelRect at = centredOver(frameOf(w, margins), over ? frameOf(over, margins) : area, area);
  w->move(at.x, at.y);
}

}  // namespace nubera::qt
