#include "core/names.h"

#include <string_view>

#include "core/cp932.h"

namespace nubera {

std::optional<std::string> nameProblem(const std::string& name, const std::string& what,
                                       bool windowsNames) {
  if (name == "." || name == "..") {
    return what + "に「" + name + "」は使えません。別の名前を入力してください。";
  }
  const std::string_view reserved = windowsNames ? "/\\:*?\"<>|" : "/\\";
  for (char c : name) {
    auto u = static_cast<unsigned char>(c);
    if (u < 0x20 || u == 0x7F) {
      return what + "に制御文字は使えません。別の名前を入力してください。";
    }
    if (reserved.find(c) != std::string_view::npos) {
      return what + "に使えない文字「" + std::string(1, c) + "」が含まれています。" +
             "別の名前を入力してください。";
    }
  }
  if (auto bad = cp932::firstUnencodable(name)) {
    return what + "の「" + *bad + "」は Shift_JIS で保存できない文字です。" +
           "別の文字に置き換えてください。";
  }
  return std::nullopt;
}

}  // namespace nubera
