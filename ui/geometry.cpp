#include "ui/geometry.h"

#include <algorithm>
#include <stdexcept>

namespace nubera {

int twipsToPixels(int twips, int dpi) {
  const long long scaled = static_cast<long long>(twips) * dpi;
  return static_cast<int>(scaled >= 0 ? (scaled + 720) / 1440 : -((-scaled + 720) / 1440));
}

std::optional<std::string> declarationFault(const ScreenDecl& decl) {
  for (std::size_t i = 0; i < decl.controls.size(); ++i) {
    const ControlDecl& c = decl.controls[i];
    if (!c.nameLabel.empty()) {
      const int label = decl.indexOf(c.nameLabel);
      if (label < 0 || decl.controls[label].kind != ControlKind::Label) {
        return std::string(screenName(decl.id)) + ": " + c.name + " is named by " + c.nameLabel +
               ", which is no label";
      }
    }
    if (c.parent.empty()) continue;
    const int parent = decl.indexOf(c.parent);
    if (parent < 0 || parent >= static_cast<int>(i) ||
        decl.controls[parent].kind != ControlKind::Frame) {
      return std::string(screenName(decl.id)) + ": " + c.name + " stands in " + c.parent +
             ", which is no frame declared before it";
    }
  }
  return std::nullopt;
}

std::vector<ControlPlace> placeControls(const ScreenDecl& decl, int dpi) {
  if (auto fault = declarationFault(decl)) throw std::logic_error(*fault);
  std::vector<ControlPlace> places;
  places.reserve(decl.controls.size());
  for (const ControlDecl& c : decl.controls) {
    ControlPlace p;
    p.inParent = {twipsToPixels(c.rect.left, dpi), twipsToPixels(c.rect.top, dpi),
                  std::max(1, twipsToPixels(c.rect.width, dpi)),
                  std::max(1, twipsToPixels(c.rect.height, dpi))};
    p.inScreen = p.inParent;
    if (!c.parent.empty()) {
      p.parent = decl.indexOf(c.parent);
      // Positions inside a frame count from the frame's corner, in twips, as declared.
      const Rect& frame = decl.controls[p.parent].rect;
      p.inScreen.x = twipsToPixels(frame.left + c.rect.left, dpi);
      p.inScreen.y = twipsToPixels(frame.top + c.rect.top, dpi);
    }
    places.push_back(p);
  }
  return places;
}

PixelRect clientSize(const ScreenDecl& decl, int dpi) {
  return {0, 0, twipsToPixels(decl.clientWidth, dpi), twipsToPixels(decl.clientHeight, dpi)};
}

}  // namespace nubera
