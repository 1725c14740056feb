#pragma once
// What several screens share: the system's messages, colours, the site state read into
// fields and the fragment rows held in them.

#include <optional>
#include <string>

#include "core/fragment_table.h"
#include "core/rules.h"
#include "core/site_layout.h"
#include "core/site_state.h"
#include "screens/common/captions.h"
#include "screens/common/messages.h"
#include "ui/runtime.h"

namespace nubera::screens {

// A help button: yellow, its caption a question mark in the screen's own form, and called
// "ヘルプ" for a screen reader, which would otherwise say "question mark".
ControlDecl helpButton(ControlName name, std::string caption, Rect r, double points);

namespace colour {
inline constexpr Rgb kBand{192, 192, 255};
inline constexpr Rgb kYellow{255, 255, 0};
inline constexpr Rgb kLightYellow{255, 255, 128};
inline constexpr Rgb kGreen{0, 255, 0};
inline constexpr Rgb kPink{255, 192, 192};
inline constexpr Rgb kOrange{255, 128, 0};
inline constexpr Rgb kGrey{192, 192, 192};
inline constexpr Rgb kBlue{0, 0, 255};
inline constexpr Rgb kRed{255, 0, 0};
}  // namespace colour

// Unloads each screen in the order given; screens that do not exist are left alone.
void unloadAll(Runtime& rt, std::initializer_list<ScreenId> screens);

// Reads site state files into fields, in the order given. A file that cannot be read leaves
// its field empty; one message at the end names every such file, so the screen still opens.
struct SiteFieldInto {
  ControlName field;
  SiteField file;
};
void readSiteFields(Runtime& rt, ScreenId screen, std::initializer_list<SiteFieldInto> reads);

// The rows of a fragment table as hidden fields of a screen.
void addFragmentFields(ScreenDecl& decl, const FragmentTable& table);
// The rows as the screen's fields hold them.
FragmentTable fragmentsFromFields(Runtime& rt, ScreenId screen, const FragmentTable& table);

}  // namespace nubera::screens
