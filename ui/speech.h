#pragma once
// What a screen reader is told of a control, alike on every desktop: its name and what it adds
// after the name.

#include <string>
#include <vector>

#include "ui/runtime.h"

namespace nubera {

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

}  // namespace nubera
