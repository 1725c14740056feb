#pragma once
// The two player settings screens behave alike: four fields whose every change
// is written into a creation screen (player_values.h), a height that follows the
// width, markers for the alignment and option buttons for autostart. Only the
// creation screen, the autostart chosen at load, "戻る" and the layout differ.

#include <string>

#include "screens/common/player_values.h"
#include "ui/screen_decl.h"

namespace nubera::screens {

// Where each control of a settings screen stands. Named members, filled by name, so a
// misspelt control cannot compile.
struct SettingsLayout {
  Rect Label6, Label4, Text12, Text14, Label5, Image1, Frame1, Label7, Text1, Label12, Label2,
      Label1, Label8, Label10, Label9, Label11, Label3, Option1, Option2, Text17, Label13, Command1,
      Command2;
};

struct SettingsTarget {
  const PlayerLink& link;     // this screen, its creation screen and the fields between them
  ControlName optionAtLoad;   // Option1 (on) or Option2 (off)
  std::string alignmentText;  // initial text of Text1
};

// The controls of a settings screen at the layout's positions, and the handlers (load, field
// changes, markers, options, help). "戻る" (Command1) is the caller's.
void buildSettingsScreen(ScreenKind& kind, const SettingsLayout& at, const SettingsTarget& target);

}  // namespace nubera::screens
