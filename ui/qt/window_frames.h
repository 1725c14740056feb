#pragma once
// Where the program's Qt windows stand on the desktop, frames included, before and after a
// window manager has framed them.

#include <QMargins>
#include <QRect>
#include <QWidget>

#include "ui/geometry.h"

namespace nubera::qt {

PixelRect pixelRect(const QRect& r);
// A window's frame on the desktop: once the window manager has framed it, as it is; before,
// its client area with the frame a framed window of the program has (the title bar and the
// borders are the same on every screen of it).
PixelRect frameOf(QWidget* w, const QMargins& frame);
QMargins frameMargins(QWidget* w);
// Moves a window that belongs to `over` (a message box, the help) over it, wholly on the
// display `over` stands on; with no such window, onto the middle of the primary display.
void placeOver(QWidget* w, QWidget* over);

}  // namespace nubera::qt
