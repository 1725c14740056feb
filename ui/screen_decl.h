#pragma once
// A screen declared once, as data: its caption, size and controls. Every
// backend draws from this, and the runtime keeps the controls' state from it.

#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "core/message.h"

namespace nubera {

// Every screen of the program, in the order of its ScreenId; the names are its own.
#define NUBERA_SCREENS(X) \
  X(frmSplash) X(Form1) X(Form2) X(Form3) X(Form4) X(Form5) X(Form6) X(Form7)
#define NUBERA_SCREEN_ID(name) name,
enum class ScreenId { NUBERA_SCREENS(NUBERA_SCREEN_ID) };
#undef NUBERA_SCREEN_ID
#define NUBERA_SCREEN_ID(name) ScreenId::name,
constexpr std::array kAllScreens = {NUBERA_SCREENS(NUBERA_SCREEN_ID)};
#undef NUBERA_SCREEN_ID
constexpr std::size_t kScreenCount = kAllScreens.size();

std::string_view screenName(ScreenId id);
std::optional<ScreenId> screenFromName(std::string_view name);

// A control's name. Screens declare each one once with NUBERA_CONTROL, so a misspelt name does
// not compile and a declaration and its handlers cannot name different controls.
using ControlName = std::string_view;
#define NUBERA_CONTROL(name) inline constexpr ::nubera::ControlName name = #name

enum class ControlKind { Label, Button, TextBox, OptionButton, Frame, Picture, Line };

struct Rgb {
  std::uint8_t r, g, b;
  bool operator==(const Rgb&) const = default;
};

struct Font {
  std::string name = "ＭＳ Ｐゴシック";
  double points = 9;
  bool bold = true;
};

struct Rect {
  int left = 0, top = 0, width = 0, height = 0;  // twips
};

struct ControlDecl {
  ControlKind kind = ControlKind::Label;
  std::string name;
  std::string text;  // caption or initial text
  Rect rect;
  bool visible = true;
  std::optional<Font> font;
  std::optional<Rgb> backColor;
  std::optional<Rgb> foreColor;
  std::string parent;                   // the frame it stands in, if any
  std::string picture;                  // file name of a picture, beside the program
  int tabIndex = -1;                    // focus order; -1 when not in it
  bool inputMethod = true;              // false: a number field, opened with the input method off
  std::string group;                    // markers that choose one value: one keyboard stop together
  std::string choiceField;              // a marker: chosen while this field holds choiceValue
  std::string choiceValue;              //   (in any letter case)
  bool focusWhenShown = false;          // a button that takes the focus when an action shows it
  std::string nameLabel;                // the label whose caption names it for a screen reader
  std::string accessibleName;           // a name of its own for a screen reader
  std::string description;              // what a screen reader adds after the name
  std::vector<std::string> hintLabels;  // labels whose captions (hints, examples) explain it

  // Small builders so the tables read like the screen's description.
  ControlDecl& withFont(double points, bool bold = true, std::string name = "ＭＳ Ｐゴシック");
  ControlDecl& back(Rgb c);
  ControlDecl& fore(Rgb c);
  ControlDecl& hidden();
  ControlDecl& in(ControlName frame);
  ControlDecl& tab(int index);
  ControlDecl& numbers();  // a number field: the input method is off in it
  ControlDecl& labelledBy(ControlName label);
  ControlDecl& spokenAs(std::string name);
  ControlDecl& describedAs(std::string text);
  // The label's caption is read after the name: a hint or an example that explains the control.
  ControlDecl& explainedBy(ControlName label);
  ControlDecl& inGroup(std::string name);
  // A marker of a group: shown and spoken as chosen while the field holds the value.
  ControlDecl& chooses(ControlName field, std::string value);
  ControlDecl& takesFocusWhenShown();
};

// A working value of the screen: a text box declared without a place, never drawn.
bool isField(const ControlDecl& c);
// What the user works with: a button, an option button or a text box that is drawn.
bool isWorkingPart(const ControlDecl& c);

// The builders that make the screens' tables read like their descriptions, in a namespace
// of their own so that "label" or "line" shadow nothing elsewhere.
namespace decl {
ControlDecl label(ControlName name, std::string caption, Rect r);
ControlDecl button(ControlName name, std::string caption, Rect r);
ControlDecl textBox(ControlName name, std::string text, Rect r);
ControlDecl option(ControlName name, std::string caption, Rect r);
ControlDecl frame(ControlName name, std::string caption, Rect r);
ControlDecl picture(ControlName name, std::string file, Rect r);
ControlDecl line(ControlName name, Rect r);
// A text box the user never sees: a working value of the screen.
ControlDecl field(ControlName name, std::string text);
}  // namespace decl

// Where a screen's window appears when it is first shown.
enum class Placement {
  System,   // where the system places any new window
  Centred,  // centred on the work area
  Beside,   // beside the screen `besideOf`, without covering its buttons and input fields
};

struct ScreenDecl {
  ScreenId id;
  std::string caption;
  int clientWidth = 0, clientHeight = 0;  // twips
  std::vector<ControlDecl> controls;
  bool frameless = false;  // no caption, no frame (the start-up screen)
  Placement placement = Placement::System;
  ScreenId besideOf = ScreenId::Form1;
  Font font{"ＭＳ Ｐゴシック", 9, false};  // for controls without a font of their own
  // For a screen reader, where the window has no caption to be read: its name and how to go on.
  std::string spokenName;
  std::string spokenDescription;
  // Labels whose captions a screen reader reads after that, as the window's description (the
  // start-up screen's version lines).
  std::vector<std::string> hintLabels;
  // On a screen that is one big button (the start-up screen): the control that a click
  // anywhere on it clicks, and Enter and Space too, so that the keyboard reaches it as well.
  std::string clickTarget;

  // Index of the control, or -1.
  int indexOf(std::string_view name) const;
};

class Runtime;
using Handler = std::function<void(Runtime&)>;

// Handlers by control name. The names are kept as owned strings, so a handler registered
// under a name made on the fly cannot outlive its key.
class HandlerMap {
 public:
  using Map = std::map<std::string, Handler, std::less<>>;
  Handler& operator[](std::string_view name) { return map_[std::string(name)]; }
  Map::const_iterator find(std::string_view name) const { return map_.find(name); }
  Map::const_iterator end() const { return map_.end(); }

 private:
  Map map_;
};

// A screen kind: its declaration and the handlers of its events.
struct ScreenKind {
  ScreenDecl decl;
  Handler load;
  Handler keyPress;   // a character key while the screen is active
  Handler close;      // closed through its window frame; when empty, the screen is unloaded
  HandlerMap clicks;  // by control name
  HandlerMap changes;
};

// The program's screens, by ScreenId, and what it does as it starts, before its first screen
// shows (a warning about where it runs, tidying up after a writer that was stopped).
struct ScreenSet {
  std::array<const ScreenKind*, kScreenCount> kinds{};
  Handler start;
  // The words of a message, from the screens' one table of sentences.
  std::function<std::string(const Message&)> say;
  const ScreenKind* operator[](std::size_t i) const { return kinds[i]; }
  auto begin() const { return kinds.begin(); }
  auto end() const { return kinds.end(); }
};

}  // namespace nubera
