#include "ui/speech.h"

#include <algorithm>
#include <initializer_list>
#include <optional>

namespace nubera {

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

}  // namespace nubera
