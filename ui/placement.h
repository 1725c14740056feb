#pragma once
// Where a window opens on the desktop, alike on every desktop: centred, over the one it
// belongs to, or beside another without covering what the user works with there.

#include <vector>

#include "ui/geometry.h"
#include "ui/screen_decl.h"

namespace nubera {

// A window's frame centred in the work area; one larger than it at the area's top left.
PixelRect centredIn(const PixelRect& frame, const PixelRect& workArea);
// Where a window that belongs to another one opens (a message box, the help): centred over
// that window's frame, moved wholly into the work area of its display (a frame larger than
// the area keeps its title bar in it).
PixelRect centredOver(const PixelRect& frame, const PixelRect& over, const PixelRect& workArea);

// The parts of a screen the user works with, its buttons and its input fields (hidden ones
// too, since they may be shown later), in desktop coordinates: its client area's top left
// corner stands at (clientX, clientY), and it is drawn at `dpi`.
struct WorkingParts {
  std::vector<PixelRect> buttons;
  std::vector<PixelRect> fields;
};
WorkingParts workingParts(const ScreenDecl& decl, int dpi, int clientX, int clientY);

// Where a screen that opens beside another goes, and where that other one stands then.
// Where the work area holds both side by side, they stand so, the other one moved only as
// far as it must; where it does not, the screen overlaps only parts of the other that hold
// no button or input field (`otherParts`, in desktop coordinates at the other's place), and
// where no place is clear of them all (a small display at a large scale), none of its
// buttons, so that what the user presses next stays in sight. The other one is moved as a
// whole, so its parts move with it.
struct PairPlacement {
  PixelRect other;
  PixelRect screen;
  bool operator==(const PairPlacement&) const = default;
};
PairPlacement placeBeside(const PixelRect& other, const WorkingParts& otherParts,
                          const PixelRect& screen, const PixelRect& workArea);

}  // namespace nubera
