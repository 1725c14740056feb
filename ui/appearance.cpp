#include "ui/appearance.h"

#include <algorithm>
#include <cmath>

namespace nubera {

namespace {

bool within(const Rect& outer, const Rect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

double luminance(Rgb c) {
  auto channel = [](std::uint8_t v) {
    const double s = v / 255.0;
    return s <= 0.04045 ? s / 12.92 : std::pow((s + 0.055) / 1.055, 2.4);
  };
  return 0.2126 * channel(c.r) + 0.7152 * channel(c.g) + 0.0722 * channel(c.b);
}

}  // namespace

Colours formColours(const std::optional<SystemColours>& highContrast) {
  if (highContrast) return {highContrast->face, highContrast->faceText};
  return {kFormFace, kBlack};
}

Colours controlColours(const ScreenDecl& decl, int control,
                       const std::optional<SystemColours>& highContrast) {
  const ControlDecl& c = decl.controls[static_cast<std::size_t>(control)];
  if (c.kind == ControlKind::TextBox) {
    if (highContrast) return {highContrast->window, highContrast->windowText};
    return {kWhite, kBlack};
  }
  if (highContrast) return formColours(highContrast);
  const Rgb text = c.foreColor ? *c.foreColor : kBlack;
  if (c.backColor) return {*c.backColor, text};
  Rgb back = kFormFace;
  if (c.kind != ControlKind::Button) {
    for (int j = 0; j < control; ++j) {
      const ControlDecl& below = decl.controls[static_cast<std::size_t>(j)];
      if (below.kind == ControlKind::Label && below.backColor && below.parent == c.parent &&
          within(below.rect, c.rect)) {
        back = *below.backColor;
      }
    }
  }
  return {back, text};
}

std::string pictureFile(const std::string& file, double scale) {
  if (scale <= 1.0) return file;
  const auto dot = file.rfind('.');
  if (dot == std::string::npos) return file + "@2x";
  return file.substr(0, dot) + "@2x" + file.substr(dot);
}

std::string pictureToDraw(const std::string& folder, char separator, const std::string& file,
                          double scale, const std::function<bool(const std::string&)>& there) {
  const std::string sharp = folder + separator + pictureFile(file, scale);
  return there(sharp) ? sharp : folder + separator + file;
}

bool isBand(const ControlDecl& c) {
  return c.kind == ControlKind::Label && c.backColor && c.text.empty();
}

double contrastRatio(Rgb a, Rgb b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

std::vector<std::string> fontFamilies(const Font& font) {
  const bool fixed = font.name == "ＭＳ ゴシック";
  std::vector<std::string> families = {font.name, fixed ? "MS Gothic" : "MS PGothic"};
  if (fixed) families.push_back("IPAGothic");
  for (const char* f : {"Meiryo UI", "Yu Gothic UI", "IPAPGothic", "IPAGothic", "Noto Sans CJK JP",
                        "VL PGothic", "Takao PGothic"}) {
    if (std::find(families.begin(), families.end(), f) == families.end()) families.push_back(f);
  }
  return families;
}

}  // namespace nubera
