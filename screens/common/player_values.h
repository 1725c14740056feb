#pragma once
// The player values (width, height, autostart, alignment) and their one road between a
// settings screen and its creation screen: Form5 with Form4, Form7 with Form6.
//
// The settings screen holds the values in Text12, Text14, Text17 and Text1, and writes every
// change of one into its creation screen's hidden field (push). A creation field, whenever
// its text changes, takes the settings field's text again (pull), so that any other text put
// there is undone at once. The creation screen's load pulls its fields in its own order:
// reading a field of a settings screen that does not exist creates it, hidden, and runs its
// load first, whose start values are pushed; that is how a new creation screen gets them.
// Assigning a field the text it holds raises no change, so each round of pushes and pulls
// ends at the first equal text. The height always follows the width (followWidth), and the
// pages are written from the creation screen's fields (playerValues).

#include <vector>

#include "core/page_set.h"
#include "screens/controls.h"
#include "ui/runtime.h"

namespace nubera::screens {

// Each player value's fields, one row per value: the settings screens' field for it, and each
// creation screen's. A new value is a row here, its rule, its fragments and its controls.
struct PlayerRow {
  PlayerValue value;
  ControlName settings, quick, detailed;
};
inline constexpr PlayerRow kPlayerRows[] = {
    {PlayerValue::Width, ctl::settings::Text12, ctl::quick::Text171, ctl::detailed::Text15},
    {PlayerValue::Height, ctl::settings::Text14, ctl::quick::Text161, ctl::detailed::Text13},
    {PlayerValue::Autostart, ctl::settings::Text17, ctl::quick::Text211, ctl::detailed::Text20},
    {PlayerValue::Alignment, ctl::settings::Text1, ctl::quick::Text151, ctl::detailed::Text35},
};
static_assert(
    [] {
      for (std::size_t i = 0; i < std::size(kPlayerValues); ++i) {
        if (kPlayerRows[i].value != kPlayerValues[i]) return false;
      }
      return std::size(kPlayerRows) == std::size(kPlayerValues);
    }(),
    "one row for each player value, in its order");

struct PlayerLink {
  ScreenId settings;
  ScreenId creation;
  ControlName PlayerRow::*field;            // the creation screen's column of the rows
  std::vector<PlayerValue> pulledAtLoad;    // in this order
  std::vector<PlayerValue> pulledOnChange;  // the fields that undo any other text
  bool widthPullSetsHeight;                 // the width's pull also applies the height rule there
  // The creation screen's field for the value.
  ControlName creationField(PlayerValue v) const;
};

const PlayerLink& quickPlayerLink();     // Form5 → Form4
const PlayerLink& detailedPlayerLink();  // Form7 → Form6

// The settings screen's push of one of its fields.
void pushPlayerValue(Runtime& rt, const PlayerLink& link, PlayerValue value);
// The height rule on the settings screen: Text14 := three quarters of Text12. A width that
// is no number yet (the user is still typing) leaves the height as it is, without a message.
void followWidth(Runtime& rt, ScreenId settings);

// The creation screen's side: its load's pulls, and a pull on each change of its fields.
void pullPlayerValuesAtLoad(Runtime& rt, const PlayerLink& link);
void addPlayerPulls(ScreenKind& creation, const PlayerLink& link);

// The values as the creation screen holds them, which its pages are written with.
PlayerSettings playerValues(Runtime& rt, const PlayerLink& link);

}  // namespace nubera::screens
