#include "ui/placement.h"

#include <algorithm>
#include <climits>

namespace nubera {

PixelRect centredIn(const PixelRect& frame, const PixelRect& area) {
  // A frame larger than the work area keeps its title bar in it, where it can be taken.
  return {std::max(area.x, area.x + (area.width - frame.width) / 2),
          std::max(area.y, area.y + (area.height - frame.height) / 2), frame.width, frame.height};
}

PixelRect centredOver(const PixelRect& frame, const PixelRect& over, const PixelRect& area) {
  const int x = over.x + (over.width - frame.width) / 2;
  const int y = over.y + (over.height - frame.height) / 2;
  return {std::max(area.x, std::min(x, area.right() - frame.width)),
          std::max(area.y, std::min(y, area.bottom() - frame.height)), frame.width, frame.height};
}

WorkingParts workingParts(const ScreenDecl& decl, int dpi, int clientX, int clientY) {
  WorkingParts parts;
  const auto places = placeControls(decl, dpi);
  for (std::size_t i = 0; i < decl.controls.size(); ++i) {
    const ControlDecl& c = decl.controls[i];
    if (!isWorkingPart(c)) continue;
    PixelRect r = places[i].inScreen;
    r.x += clientX;
    r.y += clientY;
    (c.kind == ControlKind::TextBox ? parts.fields : parts.buttons).push_back(r);
  }
  return parts;
}

namespace {

PixelRect moved(const PixelRect& r, int dx, int dy) {
  return {r.x + dx, r.y + dy, r.width, r.height};
}

// The nearest x (or y) at which a span of `size` starting at `want` lies within [lo, hi).
int clampSpan(int want, int size, int lo, int hi) {
  return std::max(lo, std::min(want, hi - size));
}

}  // namespace

PairPlacement placeBeside(const PixelRect& other, const WorkingParts& otherParts,
                          const PixelRect& screen, const PixelRect& area) {
  constexpr int kGap = 8;
  // Side by side: the screen to the right of the other or to its left, whichever moves the
  // other less, the pair moved into the work area.
  const int pair = other.width + kGap + screen.width;
  if (pair <= area.width && std::max(other.height, screen.height) <= area.height) {
    const int y = clampSpan(other.y, std::max(other.height, screen.height), area.y, area.bottom());
    const int rightX = clampSpan(other.x, pair, area.x, area.right());
    const int leftX = clampSpan(other.x - kGap - screen.width, pair, area.x, area.right());
    if (std::abs(rightX - other.x) <= std::abs(leftX + screen.width + kGap - other.x)) {
      return {{rightX, y, other.width, other.height},
              {rightX + other.width + kGap, y, screen.width, screen.height}};
    }
    return {{leftX + screen.width + kGap, y, other.width, other.height},
            {leftX, y, screen.width, screen.height}};
  }
  // Overlapping: the other one stays, or moves to a corner of the work area; the screen
  // goes wherever it covers none of the parts kept clear, as near to the right of the other
  // as it can.
  std::vector<PixelRect> others = {other};
  for (int cx : {area.x, area.right() - other.width}) {
    for (int cy : {area.y, area.bottom() - other.height}) {
      others.push_back({cx, cy, other.width, other.height});
    }
  }
  const auto clearOf = [&](const std::vector<PixelRect>& kept) -> std::optional<PairPlacement> {
    long best = LONG_MAX;
    std::optional<PairPlacement> found;
    constexpr int kStep = 4;
    for (const auto& o : others) {
      std::vector<PixelRect> parts;
      for (const auto& p : kept) parts.push_back(moved(p, o.x - other.x, o.y - other.y));
      for (int y = area.y; y + screen.height <= area.bottom(); y += kStep) {
        for (int x = area.x; x + screen.width <= area.right(); x += kStep) {
          PixelRect s{x, y, screen.width, screen.height};
          if (std::any_of(parts.begin(), parts.end(),
                          [&](const PixelRect& p) { return p.intersects(s); })) {
            continue;
          }
          const long dx = x - (o.right() + kGap), dy = y - o.y;
          const long moveCost = std::labs(o.x - other.x) + std::labs(o.y - other.y);
          const long cost = dx * dx + dy * dy + 4 * moveCost * moveCost;
          if (cost < best) {
            best = cost;
            found = PairPlacement{o, s};
          }
        }
      }
    }
    return found;
  };
  std::vector<PixelRect> all = otherParts.buttons;
  all.insert(all.end(), otherParts.fields.begin(), otherParts.fields.end());
  if (auto found = clearOf(all)) return *found;
  if (auto found = clearOf(otherParts.buttons)) return *found;
  return {other,
          {clampSpan(other.right() + kGap, screen.width, area.x, area.right()),
           clampSpan(other.y, screen.height, area.y, area.bottom()), screen.width, screen.height}};
}

}  // namespace nubera
