#pragma once
// Where every declared control stands in pixels, at a display's scale: the one conversion of
// twips to pixels that both desktops and the window placement use.

#include <optional>
#include <string>
#include <vector>

#include "ui/screen_decl.h"

namespace nubera {

struct PixelRect {
  int x = 0, y = 0, width = 0, height = 0;
  int right() const { return x + width; }
  int bottom() const { return y + height; }
  bool intersects(const PixelRect& o) const {
    return x < o.right() && o.x < right() && y < o.bottom() && o.y < bottom();
  }
  bool operator==(const PixelRect&) const = default;
};

// Twips (1/1440 inch) at `dpi` pixels per inch, rounded half up as Windows' MulDiv rounds.
int twipsToPixels(int twips, int dpi);

// A control's place: in its screen's client area, and in its parent (the frame it stands in,
// or the client area itself). Sizes are at least one pixel.
struct ControlPlace {
  PixelRect inScreen;
  PixelRect inParent;
  int parent = -1;  // the index of its frame, or -1
};

// Why a declaration cannot be drawn: a control whose parent names no frame declared before
// it. nullopt when every parent exists.
std::optional<std::string> declarationFault(const ScreenDecl& decl);

// Every control's place at `dpi`, in declared order. Throws std::logic_error naming the fault
// when declarationFault finds one.
std::vector<ControlPlace> placeControls(const ScreenDecl& decl, int dpi);

// The size of the screen's client area at `dpi`.
PixelRect clientSize(const ScreenDecl& decl, int dpi);

}  // namespace nubera
