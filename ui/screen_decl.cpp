#include "ui/screen_decl.h"

namespace nubera {

namespace {
#define NUBERA_SCREEN_NAME(name) #name,
constexpr std::array<std::string_view, kScreenCount> kNames = {NUBERA_SCREENS(NUBERA_SCREEN_NAME)};
#undef NUBERA_SCREEN_NAME

ControlDecl make(ControlKind kind, ControlName name, std::string text, Rect r) {
  ControlDecl c;
  c.kind = kind;
  c.name = std::string(name);
  c.text = std::move(text);
  c.rect = r;
  return c;
}
}  // namespace

std::string_view screenName(ScreenId id) {
  return kNames[static_cast<std::size_t>(id)];
}

std::optional<ScreenId> screenFromName(std::string_view name) {
  for (std::size_t i = 0; i < kScreenCount; ++i) {
    if (kNames[i] == name) return static_cast<ScreenId>(i);
  }
  return std::nullopt;
}

ControlDecl& ControlDecl::withFont(double points, bool bold, std::string fontName) {
  font = Font{std::move(fontName), points, bold};
  return *this;
}
ControlDecl& ControlDecl::back(Rgb c) {
  backColor = c;
  return *this;
}
ControlDecl& ControlDecl::fore(Rgb c) {
  foreColor = c;
  return *this;
}
ControlDecl& ControlDecl::hidden() {
  visible = false;
  return *this;
}
ControlDecl& ControlDecl::in(ControlName frameName) {
  parent = std::string(frameName);
  return *this;
}
ControlDecl& ControlDecl::tab(int index) {
  tabIndex = index;
  return *this;
}

ControlDecl& ControlDecl::numbers() {
  inputMethod = false;
  return *this;
}

ControlDecl& ControlDecl::labelledBy(ControlName label) {
  nameLabel = std::string(label);
  return *this;
}

ControlDecl& ControlDecl::spokenAs(std::string name) {
  accessibleName = std::move(name);
  return *this;
}

ControlDecl& ControlDecl::describedAs(std::string text) {
  description = std::move(text);
  return *this;
}

ControlDecl& ControlDecl::explainedBy(ControlName label) {
  hintLabels.emplace_back(label);
  return *this;
}

ControlDecl& ControlDecl::inGroup(std::string name) {
  group = std::move(name);
  return *this;
}

ControlDecl& ControlDecl::chooses(ControlName field, std::string value) {
  choiceField = std::string(field);
  choiceValue = std::move(value);
  return *this;
}

ControlDecl& ControlDecl::takesFocusWhenShown() {
  focusWhenShown = true;
  return *this;
}

namespace decl {

ControlDecl label(ControlName name, std::string caption, Rect r) {
  return make(ControlKind::Label, std::move(name), std::move(caption), r);
}
ControlDecl button(ControlName name, std::string caption, Rect r) {
  return make(ControlKind::Button, std::move(name), std::move(caption), r);
}
ControlDecl textBox(ControlName name, std::string text, Rect r) {
  return make(ControlKind::TextBox, std::move(name), std::move(text), r);
}
ControlDecl option(ControlName name, std::string caption, Rect r) {
  return make(ControlKind::OptionButton, std::move(name), std::move(caption), r);
}
ControlDecl frame(ControlName name, std::string caption, Rect r) {
  return make(ControlKind::Frame, std::move(name), std::move(caption), r);
}
ControlDecl picture(ControlName name, std::string file, Rect r) {
  ControlDecl c = make(ControlKind::Picture, std::move(name), "", r);
  c.picture = std::move(file);
  return c;
}
ControlDecl line(ControlName name, Rect r) {
  return make(ControlKind::Line, std::move(name), "", r);
}
ControlDecl field(ControlName name, std::string text) {
  return make(ControlKind::TextBox, std::move(name), std::move(text), {}).hidden();
}

}  // namespace decl

bool isField(const ControlDecl& c) {
  return c.kind == ControlKind::TextBox && !c.visible && c.rect.width == 0;
}

bool isWorkingPart(const ControlDecl& c) {
  return c.kind == ControlKind::Button || c.kind == ControlKind::OptionButton ||
         (c.kind == ControlKind::TextBox && !isField(c));
}

int ScreenDecl::indexOf(std::string_view name) const {
  for (std::size_t i = 0; i < controls.size(); ++i) {
    if (controls[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

}  // namespace nubera
