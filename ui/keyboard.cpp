#include "ui/keyboard.h"

#include <algorithm>

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

std::optional<ScreenId> ActivationOrder::ownerOf(const Runtime& runtime,
                                                 std::optional<ScreenId> raisedBy) const {
  const ScreenInstance* s = raisedBy ? runtime.find(*raisedBy) : nullptr;
  return s && s->visible ? raisedBy : next(runtime);
}

std::optional<ScreenId> ActivationOrder::next(const Runtime& runtime) const {
  for (ScreenId id : recent_) {
    const ScreenInstance* s = runtime.find(id);
    if (s && s->visible) return id;
  }
  return std::nullopt;
}

}  // namespace nubera
