#include "core/text.h"

#include <cstdio>

#include "core/cp932.h"

namespace nubera {

Message shownCharacter(std::string_view character) {
  const long cp = cp932::codePoint(character);
  const auto in = [cp](long first, long last) { return cp >= first && cp <= last; };
  MessageId looks = MessageId::Text;
  if (cp == 0xA0 || cp == 0x1680 || in(0x2000, 0x200A) || cp == 0x202F || cp == 0x205F) {
    looks = MessageId::LooksBlank;
  } else if (cp == 0x2028 || cp == 0x2029) {
    looks = MessageId::LooksLineBreak;
  } else if (in(0x300, 0x36F) || in(0x1AB0, 0x1AFF) || in(0x1DC0, 0x1DFF) || in(0x20D0, 0x20FF) ||
             in(0xFE20, 0xFE2F) || in(0x3099, 0x309A)) {
    looks = MessageId::LooksCombining;
  } else if (cp == 0xAD || cp == 0x61C || cp == 0x180E || in(0x200B, 0x200F) ||
             in(0x202A, 0x202E) || in(0x2060, 0x206F) || cp == 0xFEFF || in(0xFE00, 0xFE0F) ||
             in(0xE0000, 0xE01EF)) {
    looks = MessageId::LooksInvisible;
  }
  if (looks == MessageId::Text) return Message(MessageId::ShownCharacter, {std::string(character)});
  char code[12];
  std::snprintf(code, sizeof code, "U+%04lX", static_cast<unsigned long>(cp));
  return Message(MessageId::ShownInvisible, {std::string(code), Message(looks)});
}

std::string foldCase(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); ++i) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(out[k]); };
    if (b(i) >= 'A' && b(i) <= 'Z') {
      out[i] = static_cast<char>(b(i) + 0x20);
    } else if (i + 1 < out.size() && (b(i) == 0xCE || b(i) == 0xD0)) {
      const unsigned cp = (b(i) & 0x1Fu) << 6 | (b(i + 1) & 0x3Fu);
      unsigned lower = cp;
      if ((cp >= 0x391 && cp <= 0x3A9) || (cp >= 0x410 && cp <= 0x42F)) lower = cp + 0x20;
      if (cp >= 0x400 && cp <= 0x40F) lower = cp + 0x50;
      out[i] = static_cast<char>(0xC0 | lower >> 6);
      out[i + 1] = static_cast<char>(0x80 | (lower & 0x3F));
      ++i;
    } else if (i + 2 < out.size() && b(i) == 0xEF && b(i + 1) == 0xBC && b(i + 2) >= 0xA1 &&
               b(i + 2) <= 0xBA) {  // Ａ..Ｚ to ａ..ｚ
      out[i + 1] = static_cast<char>(0xBD);
      out[i + 2] = static_cast<char>(b(i + 2) - 0x20);
      i += 2;
    } else if (i + 2 < out.size() && b(i) == 0xE2 && b(i + 1) == 0x85 && b(i + 2) >= 0xA0 &&
               b(i + 2) <= 0xA9) {  // Ⅰ..Ⅹ to ⅰ..ⅹ, which NTFS folds like letters
      out[i + 2] = static_cast<char>(b(i + 2) + 0x10);
      i += 2;
    }
  }
  return out;
}

bool hasControlCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto u = static_cast<unsigned char>(text[i]);
    if (u < 0x20 || u == 0x7F) return true;
    // U+0080..U+009F, written C2 80..C2 9F.
    if (u == 0xC2 && i + 1 < text.size()) {
      const auto next = static_cast<unsigned char>(text[i + 1]);
      if (next >= 0x80 && next <= 0x9F) return true;
    }
  }
  return false;
}

}  // namespace nubera
