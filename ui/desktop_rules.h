#pragma once
// What every desktop does alike, decided once here from the screen declarations: which
// control a key moves the focus to, which key presses a button, which keys do nothing, and
// where a window appears. A desktop maps its toolkit's events to these and carries out the
// answer; it decides none of it itself.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "ui/geometry.h"
#include "ui/runtime.h"

namespace nubera {

// --- Keyboard -------------------------------------------------------------------------------

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

 private:
  std::vector<ScreenId> recent_;
};

// --- Screen readers -------------------------------------------------------------------------

// The name a screen reader speaks for the control: the declared name, else the caption of the
// label that names it, else its own caption (buttons, option buttons, labels).
std::string accessibleName(const ScreenInstance& screen, int control);
// What a screen reader adds after the name: for an option button the name of its group (the
// caption of the label that names the group), then the caption of the label that explains the
// control (a hint, an example), then its declared description. For the window itself
// (control -1): the screen's spoken description and the captions of its hint labels.
std::string accessibleDescription(const ScreenInstance& screen, int control);
// The controls whose spoken name or description takes the label's caption (-1: the window), to
// be told again when the caption changes.
std::vector<int> speakingCaptionOf(const ScreenDecl& decl, int label);

// --- Colours --------------------------------------------------------------------------------

// The system's colours in a high-contrast mode the user chose, which every program is to draw
// with instead of its own.
struct SystemColours {
  Rgb window, windowText;  // input fields
  Rgb face, faceText;      // the form, its labels and its buttons
};

struct Colours {
  Rgb back;
  Rgb text;
  bool operator==(const Colours&) const = default;
};

// The light face the forms were designed on, and their fields' colours. A dark desktop theme
// does not change them, as it does not change a classic Windows form.
inline constexpr Rgb kFormFace{240, 240, 240};
inline constexpr Rgb kBlack{0, 0, 0};
inline constexpr Rgb kWhite{255, 255, 255};

// A high-contrast scheme a Linux desktop can choose: dark on light, or light on dark.
enum class ContrastScheme { None, Standard, Inverse };
// The scheme a GTK theme name stands for ("HighContrast", "HighContrastInverse", either with a
// ":variant" after it); None for any other theme.
ContrastScheme schemeOfTheme(std::string_view themeName);
// What the desktop portal answers (org.freedesktop.appearance: contrast 1 is "high",
// color-scheme 1 is "prefer dark"; GNOME's own a11y high-contrast key), nothing where it has
// no answer; and the scheme that stands for: high contrast where either key turns it on, light
// on dark where the desktop also prefers a dark look.
struct PortalAppearance {
  std::optional<unsigned> contrast;
  std::optional<bool> gnomeHighContrast;
  std::optional<unsigned> colorScheme;
};
ContrastScheme schemeOfPortal(const PortalAppearance& portal);
// The theme a GTK settings file (gtk-3.0/settings.ini) chooses: the value of gtk-theme-name in
// its [Settings] group, or "" when it names none.
std::string themeInSettings(std::string_view settingsFile);
// The colours every program draws with in the scheme: black on white, or white on black.
SystemColours schemeColours(ContrastScheme scheme);

// The form's own colours: its face, or the system's face in high-contrast mode.
Colours formColours(const std::optional<SystemColours>& highContrast);
// What a control is drawn in. A declared back colour with the declared fore colour (black
// where none is declared); a label without a back colour of its own shows the colour of a
// band declared before it that it lies in, or the form's face; a text box is white with black
// text. In high-contrast mode the system's colours replace all declared ones.
Colours controlColours(const ScreenDecl& decl, int control,
                       const std::optional<SystemColours>& highContrast);

// A band: a label with a back colour and no caption, on which other controls stand. It lies
// under everything declared after it.
bool isBand(const ControlDecl& c);

// The contrast ratio of two colours (WCAG 2: 1 to 21); text needs 4.5, a symbol 3.
double contrastRatio(Rgb a, Rgb b);

// --- Pictures -------------------------------------------------------------------------------

// The picture file to draw at a display scale (1.0 = 96 dpi): above 100 % the one drawn at
// twice the size ("quick.jpg" becomes "quick@2x.jpg"), so it is as sharp as the text; the
// desktop falls back to the file itself where that one is missing.
std::string pictureFile(const std::string& file, double scale);

// --- Fonts ----------------------------------------------------------------------------------

// The font families to ask for, best first: the declared Windows font by its Japanese and its
// English name, then Japanese fonts that other Windows installations and Linux desktops have.
std::vector<std::string> fontFamilies(const Font& font);

// --- Windows on the desktop -----------------------------------------------------------------

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
