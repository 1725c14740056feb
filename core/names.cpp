#include "core/names.h"

#include <array>
#include <string_view>

#include "core/cp932.h"

namespace nubera {

namespace {

std::string lowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Names Windows keeps for devices, with or without an extension ("nul.txt" too).
bool deviceName(const std::string& name) {
  std::string base = lowerAscii(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (const char* device : {"con", "prn", "aux", "nul"}) {
    if (base == device) return true;
  }
  return base.size() == 4 && (base.starts_with("com") || base.starts_with("lpt")) &&
         base[3] >= '1' && base[3] <= '9';
}

// The files that lie beside the program.
bool programFileName(const std::string& name) {
  static constexpr std::array<std::string_view, 13> kFiles = {
      "out01.dat",     "nout02.dat",       "nout03.dat",          "nout04.dat", "splash_logo.jpg",
      "quick.jpg",     "settings.jpg",     "nubera_help.html",    "nubera.hlp", "st_nubera",
      "st_nubera.exe", "st_nubera_script", "st_nubera_script.exe"};
  const std::string lower = lowerAscii(name);
  for (auto file : kFiles) {
    if (lower == file) return true;
  }
  return false;
}

}  // namespace

bool hasControlCharacter(std::string_view text) {
  for (char c : text) {
    const auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) return true;
  }
  return false;
}

std::optional<NameFault> nameFault(const std::string& name, const std::string& subject,
                                   NamePlace place) {
  if (name == "." || name == "..") return NameFault{subject + "に「" + name + "」は使えません。"};
  // Windows refuses these in names; "#" and "%" cut or garble the address a browser follows.
  constexpr std::string_view reserved = "/\\:*?\"<>|#%";
  if (hasControlCharacter(name)) return NameFault{subject + "に制御文字は使えません。"};
  for (char c : name) {
    if (reserved.find(c) != std::string_view::npos) {
      return NameFault{subject + "に使えない文字「" + std::string(1, c) + "」が含まれています。"};
    }
  }
  if (auto bad = cp932::firstUnencodable(name)) {
    return NameFault{subject + "の「" + *bad + "」は Shift_JIS で保存できない文字です。", true};
  }
  if (deviceName(name)) {
    return NameFault{subject + "「" + name + "」は Windows が装置に使う名前なので使えません。"};
  }
  if (place == NamePlace::ProgramFolder && programFileName(name)) {
    return NameFault{subject + "「" + name +
                     "」はこのプログラムのファイルと同じ名前なので使えません。"};
  }
  return std::nullopt;
}

std::optional<std::string> nameProblem(const std::string& name, const std::string& what,
                                       NamePlace place) {
  auto fault = nameFault(name, what, place);
  if (!fault) return std::nullopt;
  return fault->sentence + (fault->replaceCharacter ? "別の文字に置き換えてください。"
                                                    : "別の名前を入力してください。");
}

}  // namespace nubera
