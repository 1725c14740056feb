#pragma once
// What several screens share: the system's messages, colours, and the checks
// and reports around a pass that writes files.

#include <optional>
#include <string>
#include <vector>

#include "core/page_set.h"
#include "core/site_state.h"
#include "ui/runtime.h"

namespace nubera::screens {

inline constexpr const char* kFillIn = "記入しましょう。";
inline constexpr const char* kSaved = "保存しました。";
inline constexpr const char* kDone = "完成しました";
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

// Why the typed video name cannot be used: "記入しましょう。" when it is empty, otherwise the
// reason it cannot be one file name; nullopt when it can.
std::optional<std::string> videoNameRefusal(const std::string& videoName);

// That the page set of the video name has not been written with the preview pass in `folder`
// (its pages, named), so it cannot be published; the caller adds how to reach the preview.
std::string missingPagesSentence(const std::string& videoName,
                                 const std::vector<std::string>& pages, const std::string& folder);

// Writes the files of a pass; only when every one is written does the user see
// "保存しました。" and then "完成しました". A failure reaches the user as one message.
void writePass(Runtime& rt, const std::vector<PageFile>& files);

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
