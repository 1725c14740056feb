#pragma once
// The two player settings screens behave alike: four fields whose every change
// is written into a creation screen, a height that follows the width, markers
// for the alignment and option buttons for autostart. Only the target screen,
// the autostart chosen at load, "戻る" and the layout differ.

#include "platform/screen_decl.h"

namespace nubera::screens {

struct SettingsTarget {
  ScreenId self;
  ScreenId target;
  const char* width;         // field of the target that takes Text12
  const char* height;        // ... Text14
  const char* autostart;     // ... Text17
  const char* alignment;     // ... Text1
  const char* optionAtLoad;  // "Option1" (on) or "Option2" (off)
};

// Adds the settings handlers (load, field changes, markers, options, help) to a kind whose
// declaration is filled in; "戻る" (Command1) is the caller's.
void addSettingsHandlers(ScreenKind& kind, const SettingsTarget& target);

}  // namespace nubera::screens

#include <map>
#include <string>

namespace nubera::screens {

// The controls of a settings screen at the given positions (by control name).
std::vector<ControlDecl> settingsControls(const std::map<std::string, Rect>& at,
                                          const std::string& alignmentText);

}  // namespace nubera::screens
