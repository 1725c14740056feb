#pragma once
// The keyboard and the focus, alike on every desktop, decided from the screen declarations:
// which control a key moves the focus to, which key presses a button, which keys do nothing,
// what a click on a screen clicks, and who has the focus after a control hides or shows.

#include <optional>
#include <vector>

#include "ui/runtime.h"

namespace nubera {

enum class Key { Tab, BackTab, Enter, Space, Escape, Other, Up, Down, Left, Right };

struct KeyAction {
  enum Kind {
    Pass,       // the focused control takes the key as its toolkit does (typing, arrows)
    Click,      // the control `control` is clicked
    Focus,      // the focus moves to `control`
    Choose,     // the focus moves to the option button `control`, which is clicked
    ScreenKey,  // the screen's own key event (the start-up screen: any character key)
    Swallow,    // nothing happens: no key throws typed work away
  } kind = Pass;
  int control = -1;
  bool operator==(const KeyAction&) const = default;
};

// The controls that take the focus, in the declared order, shown ones only. A group of option
// buttons is one stop, as in a Windows dialog: its chosen button, or its first when none is;
// so is a declared group of markers (the alignment's ■), which is an option group too.
std::vector<int> focusOrder(const ScreenInstance& screen);
// The first of them, or -1.
int firstFocus(const ScreenInstance& screen);

// What a key pressed on a shown screen does. `focused` is the index of the control that has
// the focus, or -1; `character` tells whether the key produces a character (letters, digits,
// blank, Enter, Esc, Backspace; not arrows, function keys or modifiers alone).
// - A screen with its own key event (the start-up screen) gets every character key, but for
//   Enter and Space, which click its declared control (the frame that opens the menu).
// - Tab and Shift+Tab move through the declared focus order, round; from any member of a
//   group, on from the group's stop.
// - Enter and Space press the focused button; Space chooses the focused option button or
//   marker.
// - Enter elsewhere and Esc do nothing: these forms have no default or cancel button, and
//   the close key is Alt+F4, as the system has it.
// - The arrow keys on an option button or a marker move to the next (Down, Right) or previous
//   (Up, Left) one of its group, round, and choose it; on a button, to the next or previous
//   button in the focus order, round, as in a dialog's group of buttons. A field keeps them.
KeyAction keyAction(const ScreenInstance& screen, int focused, Key key, bool character);

// What a click on the control (-1: on the window's own face) clicks: on a screen that is one big
// button (the start-up screen), its declared target, whatever lies under the pointer; elsewhere
// the control itself, and nothing for the face.
int clickedControl(const ScreenDecl& decl, int control);

// Where the focus goes when the control that has it is hidden (保存 hides itself): the next
// shown control after it in the declared focus order, round, as on a Windows form; -1 when
// none is left.
int focusAfterHiding(const ScreenInstance& screen, int hidden);

// Where the focus goes when a control is shown: to a button declared to take it (the publish
// button a preview reveals, where the user looks next); -1 when it stays where it is.
int focusAfterShowing(const ScreenInstance& screen, int shown);

// What a desktop does for a key action, each in its toolkit's way.
class KeyTarget {
 public:
  virtual ~KeyTarget() = default;
  // The focus moves to the control, as by Tab.
  virtual void focusControl(int control) = 0;
  // The runtime's click on the control; the widget then shows what the runtime holds.
  virtual void clickControl(int control) = 0;
  // The screen's own key event.
  virtual void screenKey() = 0;
};
// Carries the action out on the desktop; true when the key is used up, false when the
// focused control is to take it as its toolkit does.
bool carryOut(const KeyAction& action, KeyTarget& target);

// Why a control gets the focus.
enum class FocusCause {
  Keyboard,      // Tab or Shift+Tab
  Opening,       // its screen opened, or was shown again
  Reactivation,  // its screen became the active window again (after a message box, say)
  Click,         // the user clicked into it
};
// Whether a text field that gets the focus so has its whole text selected, so that typing
// replaces the value, as in a Windows dialog. A click puts the caret where it was clicked.
bool selectsWholeText(FocusCause cause);

// The screens in the order they were last active, latest first. When the active screen is
// hidden (a settings screen's "戻る"), the one the user worked in before it becomes active
// again and takes its focus back.
class ActivationOrder {
 public:
  void activated(ScreenId id);
  // The latest screen that the runtime still shows, if any.
  std::optional<ScreenId> next(const Runtime& runtime) const;
  // The screen a message box or the help stands over and belongs to: the one whose event
  // raised it, while it is shown; else the latest one still shown; none before any is.
  std::optional<ScreenId> ownerOf(const Runtime& runtime, std::optional<ScreenId> raisedBy) const;

 private:
  std::vector<ScreenId> recent_;
};

}  // namespace nubera
