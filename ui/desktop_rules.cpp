#include "ui/desktop_rules.h"

#include <algorithm>
#include <climits>
#include <cmath>

namespace nubera {

namespace {

// Whether the control chooses one value among others: an option button, or a marker of a
// declared group.
bool chooses(const ControlDecl& c) {
  return c.kind == ControlKind::OptionButton || (c.kind == ControlKind::Label && !c.group.empty());
}

// The controls of the group `member` belongs to, shown ones, in declared order: the option
// buttons of its container, or the markers of its declared group.
std::vector<int> choiceGroup(const ScreenInstance& screen, int member) {
  std::vector<int> group;
  const auto& controls = screen.decl().controls;
  const ControlDecl& m = controls[member];
  for (std::size_t i = 0; i < controls.size(); ++i) {
    const ControlDecl& c = controls[i];
    if (c.kind == m.kind && c.parent == m.parent && c.group == m.group &&
        screen.controls[i].visible) {
      group.push_back(static_cast<int>(i));
    }
  }
  return group;
}

// The one stop of a group: its chosen member, or its first.
int groupStop(const ScreenInstance& screen, int member) {
  const auto group = choiceGroup(screen, member);
  for (int i : group) {
    if (screen.controls[i].checked) return i;
  }
  return group.empty() ? member : group.front();
}

}  // namespace

std::vector<int> focusOrder(const ScreenInstance& screen) {
  std::vector<int> order;
  const auto& controls = screen.decl().controls;
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].tabIndex < 0 || !screen.controls[i].visible) continue;
    if (chooses(controls[i]) && groupStop(screen, static_cast<int>(i)) != static_cast<int>(i)) {
      continue;
    }
    order.push_back(static_cast<int>(i));
  }
  std::stable_sort(order.begin(), order.end(),
                   [&](int a, int b) { return controls[a].tabIndex < controls[b].tabIndex; });
  return order;
}

int firstFocus(const ScreenInstance& screen) {
  auto order = focusOrder(screen);
  return order.empty() ? -1 : order.front();
}

int clickedControl(const ScreenDecl& decl, int control) {
  const int target = decl.clickTarget.empty() ? -1 : decl.indexOf(decl.clickTarget);
  return target >= 0 ? target : control;
}

int focusAfterHiding(const ScreenInstance& screen, int hidden) {
  const auto order = focusOrder(screen);
  if (order.empty()) return -1;
  const auto& controls = screen.decl().controls;
  const int after = controls[static_cast<std::size_t>(hidden)].tabIndex;
  for (int i : order) {
    if (controls[static_cast<std::size_t>(i)].tabIndex > after && i != hidden) return i;
  }
  return order.front() != hidden ? order.front() : -1;
}

int focusAfterShowing(const ScreenInstance& screen, int shown) {
  return screen.decl().controls[static_cast<std::size_t>(shown)].focusWhenShown ? shown : -1;
}

KeyAction keyAction(const ScreenInstance& screen, int focused, Key key, bool character) {
  if (screen.kind->keyPress) {
    const ScreenDecl& d = screen.decl();
    if (const int i = d.clickTarget.empty() ? -1 : d.indexOf(d.clickTarget);
        i >= 0 && (key == Key::Enter || key == Key::Space)) {
      return {KeyAction::Click, i};
    }
    return character ? KeyAction{KeyAction::ScreenKey} : KeyAction{KeyAction::Pass};
  }
  const auto& controls = screen.decl().controls;
  const bool known = focused >= 0 && focused < static_cast<int>(controls.size());
  const ControlKind kind = known ? controls[focused].kind : ControlKind::Label;
  const bool choice = known && chooses(controls[focused]);
  switch (key) {
    case Key::Tab:
    case Key::BackTab: {
      auto order = focusOrder(screen);
      if (order.empty()) return {KeyAction::Swallow};
      // A member of a group stands at its group's stop.
      auto at =
          std::find(order.begin(), order.end(), choice ? groupStop(screen, focused) : focused);
      const int n = static_cast<int>(order.size());
      int pos =
          at == order.end() ? (key == Key::Tab ? -1 : 0) : static_cast<int>(at - order.begin());
      pos = (pos + (key == Key::Tab ? 1 : n - 1)) % n;
      return {KeyAction::Focus, order[pos]};
    }
    case Key::Enter:
      if (kind == ControlKind::Button) return {KeyAction::Click, focused};
      return {KeyAction::Swallow};
    case Key::Space:
      if (kind == ControlKind::Button || choice) return {KeyAction::Click, focused};
      return {KeyAction::Pass};
    case Key::Escape:
      return {KeyAction::Swallow};
    case Key::Up:
    case Key::Down:
    case Key::Left:
    case Key::Right: {
      // Among the buttons of the form, as a dialog's group; in a group that chooses, to its
      // next member, which is chosen. A field keeps the arrows for its caret.
      std::vector<int> ring;
      if (choice) ring = choiceGroup(screen, focused);
      if (kind == ControlKind::Button) {
        for (int i : focusOrder(screen)) {
          if (controls[i].kind == ControlKind::Button) ring.push_back(i);
        }
      }
      if (ring.empty()) return {KeyAction::Pass};
      const auto at = std::find(ring.begin(), ring.end(), focused);
      if (at == ring.end()) return {KeyAction::Swallow};
      const int n = static_cast<int>(ring.size());
      const int step = key == Key::Down || key == Key::Right ? 1 : n - 1;
      const int next = ring[(static_cast<int>(at - ring.begin()) + step) % n];
      return {choice ? KeyAction::Choose : KeyAction::Focus, next};
    }
    case Key::Other:
      break;
  }
  return {KeyAction::Pass};
}

bool carryOut(const KeyAction& action, KeyTarget& target) {
  switch (action.kind) {
    case KeyAction::Pass:
      return false;
    case KeyAction::Click:
      target.clickControl(action.control);
      return true;
    case KeyAction::Focus:
      target.focusControl(action.control);
      return true;
    case KeyAction::Choose:
      target.focusControl(action.control);
      target.clickControl(action.control);
      return true;
    case KeyAction::ScreenKey:
      target.screenKey();
      return true;
    case KeyAction::Swallow:
      return true;
  }
  return false;
}

bool selectsWholeText(FocusCause cause) {
  return cause != FocusCause::Click;
}

void ActivationOrder::activated(ScreenId id) {
  recent_.erase(std::remove(recent_.begin(), recent_.end(), id), recent_.end());
  recent_.insert(recent_.begin(), id);
}

std::optional<ScreenId> ActivationOrder::next(const Runtime& runtime) const {
  for (ScreenId id : recent_) {
    const ScreenInstance* s = runtime.find(id);
    if (s && s->visible) return id;
  }
  return std::nullopt;
}

namespace {

// The caption of the label that names the control, if it has one.
std::optional<std::string> namingCaption(const ScreenInstance& screen, const ControlDecl& c) {
  const int label = c.nameLabel.empty() ? -1 : screen.decl().indexOf(c.nameLabel);
  if (label < 0) return std::nullopt;
  return screen.controls[static_cast<std::size_t>(label)].text;
}

}  // namespace

std::string accessibleName(const ScreenInstance& screen, int control) {
  const ControlDecl& c = screen.decl().controls[static_cast<std::size_t>(control)];
  if (!c.accessibleName.empty()) return c.accessibleName;
  // An option button's label names its group; the button is called by its caption.
  if (c.kind != ControlKind::OptionButton) {
    if (auto caption = namingCaption(screen, c)) return *caption;
  }
  if (c.kind == ControlKind::TextBox || c.kind == ControlKind::Picture) return "";
  return screen.controls[static_cast<std::size_t>(control)].text;
}

namespace {

std::string captionOf(const ScreenInstance& screen, const std::string& label) {
  const int i = label.empty() ? -1 : screen.decl().indexOf(label);
  return i < 0 ? "" : screen.controls[static_cast<std::size_t>(i)].text;
}

// The parts of a description, each read after the other.
std::string joined(std::initializer_list<std::string> parts) {
  std::string out;
  for (const std::string& part : parts) {
    if (part.empty()) continue;
    if (!out.empty()) out += ' ';
    out += part;
  }
  return out;
}

}  // namespace

std::string accessibleDescription(const ScreenInstance& screen, int control) {
  const ScreenDecl& d = screen.decl();
  if (control < 0) {
    std::string out = d.spokenDescription;
    for (const std::string& label : d.hintLabels) out = joined({out, captionOf(screen, label)});
    return out;
  }
  const ControlDecl& c = d.controls[static_cast<std::size_t>(control)];
  // An option button's label names its group.
  std::string out =
      c.kind == ControlKind::OptionButton ? namingCaption(screen, c).value_or("") : "";
  for (const std::string& label : c.hintLabels) out = joined({out, captionOf(screen, label)});
  return joined({out, c.description});
}

std::vector<int> speakingCaptionOf(const ScreenDecl& decl, int label) {
  std::vector<int> out;
  const std::string& name = decl.controls[static_cast<std::size_t>(label)].name;
  const auto among = [&](const std::vector<std::string>& labels) {
    return std::find(labels.begin(), labels.end(), name) != labels.end();
  };
  if (among(decl.hintLabels)) out.push_back(-1);
  for (std::size_t i = 0; i < decl.controls.size(); ++i) {
    const ControlDecl& c = decl.controls[i];
    if (c.nameLabel == name || among(c.hintLabels)) out.push_back(static_cast<int>(i));
  }
  return out;
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

ContrastScheme schemeOfTheme(std::string_view theme) {
  theme = theme.substr(0, theme.find(':'));
  std::string folded;
  for (char c : theme) folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (folded == "highcontrast") return ContrastScheme::Standard;
  if (folded == "highcontrastinverse") return ContrastScheme::Inverse;
  return ContrastScheme::None;
}

ContrastScheme schemeOfPortal(const PortalAppearance& p) {
  if (p.contrast != 1u && p.gnomeHighContrast != true) return ContrastScheme::None;
  return p.colorScheme == 1u ? ContrastScheme::Inverse : ContrastScheme::Standard;
}

std::string themeInSettings(std::string_view file) {
  auto trim = [](std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return std::string_view();
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
  };
  bool inSettings = false;
  std::string theme;
  for (std::size_t start = 0; start < file.size();) {
    std::size_t end = file.find('\n', start);
    if (end == std::string_view::npos) end = file.size();
    const std::string_view line = trim(file.substr(start, end - start));
    start = end + 1;
    if (line.starts_with('[')) {
      inSettings = line == "[Settings]";
    } else if (const auto eq = line.find('='); inSettings && eq != std::string_view::npos &&
                                               trim(line.substr(0, eq)) == "gtk-theme-name") {
      theme = std::string(trim(line.substr(eq + 1)));
    }
  }
  return theme;
}

SystemColours schemeColours(ContrastScheme scheme) {
  const Rgb back = scheme == ContrastScheme::Inverse ? kBlack : kWhite;
  const Rgb text = scheme == ContrastScheme::Inverse ? kWhite : kBlack;
  return {back, text, back, text};
}

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

bool isBand(const ControlDecl& c) {
  return c.kind == ControlKind::Label && c.backColor && c.text.empty();
}

double contrastRatio(Rgb a, Rgb b) {
  const double la = luminance(a);
  const double lb = luminance(b);
  return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

}  // namespace nubera
