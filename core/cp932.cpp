#include "core/cp932.h"

#include <algorithm>
#include <array>
#include <cstdint>
#include <vector>

namespace nubera::cp932 {
namespace {

constexpr int kTrailCount = 188;

const std::uint16_t kDoubleByte[] = {
#include "core/cp932_table.inc"
};
static_assert(sizeof(kDoubleByte) / sizeof(kDoubleByte[0]) == 60 * kTrailCount);

int leadIndex(unsigned char lead) {
  if (lead >= 0x81 && lead <= 0x9F) return lead - 0x81;
  if (lead >= 0xE0 && lead <= 0xFC) return lead - 0xE0 + 31;
  return -1;
}

unsigned char leadByte(int index) {
  return static_cast<unsigned char>(index < 31 ? 0x81 + index : 0xE0 + index - 31);
}

int trailIndex(unsigned char trail) {
  if (trail < 0x40 || trail > 0xFC || trail == 0x7F) return -1;
  return trail < 0x7F ? trail - 0x40 : trail - 0x41;
}

unsigned char trailByte(int index) {
  return static_cast<unsigned char>(index < 0x3F ? 0x40 + index : 0x41 + index);
}

struct Reverse {
  std::uint32_t codePoint;
  std::uint16_t bytes;
};

// Unicode to bytes. Where several byte pairs decode to the same character, Windows
// writes the lowest one outside the NEC-selected IBM rows (lead 0xED, 0xEE): JIS X 0208
// first, then NEC row 13, then the IBM extension ("髙" becomes FB FC, not EE E0).
const std::vector<Reverse>& reverseTable() {
  static const std::vector<Reverse> table = [] {
    std::vector<Reverse> entries;
    for (int lead = 0; lead < 60; ++lead) {
      unsigned char leadValue = leadByte(lead);
      if (leadValue == 0xED || leadValue == 0xEE) continue;
      for (int trail = 0; trail < kTrailCount; ++trail) {
        std::uint16_t cp = kDoubleByte[lead * kTrailCount + trail];
        if (cp == 0) continue;
        entries.push_back({cp, static_cast<std::uint16_t>(leadValue << 8 | trailByte(trail))});
      }
    }
    std::stable_sort(entries.begin(), entries.end(),
                     [](const Reverse& a, const Reverse& b) { return a.codePoint < b.codePoint; });
    // Keep the first (lowest byte pair) of each code point.
    entries.erase(
        std::unique(entries.begin(), entries.end(),
                    [](const Reverse& a, const Reverse& b) { return a.codePoint == b.codePoint; }),
        entries.end());
    return entries;
  }();
  return table;
}

// Decodes one UTF-8 sequence at pos; returns the code point and advances pos, or -1.
long nextCodePoint(std::string_view s, std::size_t& pos) {
  auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  unsigned char c = byte(pos);
  int extra;
  long cp;
  if (c < 0x80) {
    ++pos;
    return c;
  } else if ((c & 0xE0) == 0xC0) {
    extra = 1;
    cp = c & 0x1F;
  } else if ((c & 0xF0) == 0xE0) {
    extra = 2;
    cp = c & 0x0F;
  } else if ((c & 0xF8) == 0xF0) {
    extra = 3;
    cp = c & 0x07;
  } else {
    return -1;
  }
  if (pos + extra >= s.size()) return -1;
  for (int i = 1; i <= extra; ++i) {
    unsigned char t = byte(pos + i);
    if ((t & 0xC0) != 0x80) return -1;
    cp = (cp << 6) | (t & 0x3F);
  }
  static constexpr long kMin[] = {0, 0x80, 0x800, 0x10000};
  if (cp < kMin[extra] || cp > 0x10FFFF || (cp >= 0xD800 && cp <= 0xDFFF)) return -1;
  pos += extra + 1;
  return cp;
}

void appendUtf8(std::string& out, std::uint32_t cp) {
  if (cp < 0x80) {
    out += static_cast<char>(cp);
  } else if (cp < 0x800) {
    out += static_cast<char>(0xC0 | cp >> 6);
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else if (cp < 0x10000) {
    out += static_cast<char>(0xE0 | cp >> 12);
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  } else {
    out += static_cast<char>(0xF0 | cp >> 18);
    out += static_cast<char>(0x80 | (cp >> 12 & 0x3F));
    out += static_cast<char>(0x80 | (cp >> 6 & 0x3F));
    out += static_cast<char>(0x80 | (cp & 0x3F));
  }
}

// Linux input methods type these JIS characters by the JIS mapping's code points; they are
// written as the Windows counterparts that code page 932 holds (reading gives the latter).
long windowsCodePoint(long cp) {
  switch (cp) {
    case 0x301C:  // 〜 as ～
      return 0xFF5E;
    case 0x2016:  // ‖ as ∥
      return 0x2225;
    case 0x2212:  // − as －
      return 0xFF0D;
    case 0x2014:  // — as ―
      return 0x2015;
    case 0x00A2:  // ¢ as ￠
      return 0xFFE0;
    case 0x00A3:  // £ as ￡
      return 0xFFE1;
    case 0x00AC:  // ¬ as ￢
      return 0xFFE2;
  }
  return cp;
}

// Bytes for one code point, or 0 when code page 932 has none. Single bytes are < 0x100.
std::uint16_t bytesFor(long cp) {
  if (cp < 0x81) return static_cast<std::uint16_t>(cp);  // ASCII, and 0x80 as Windows has it
  // Windows' private single bytes.
  if (cp == 0xF8F0) return 0xA0;
  if (cp >= 0xF8F1 && cp <= 0xF8F3) return static_cast<std::uint16_t>(0xFD + (cp - 0xF8F1));
  if (cp >= 0xFF61 && cp <= 0xFF9F) return static_cast<std::uint16_t>(cp - 0xFF61 + 0xA1);
  cp = windowsCodePoint(cp);
  const auto& table = reverseTable();
  auto it = std::lower_bound(table.begin(), table.end(), static_cast<std::uint32_t>(cp),
                             [](const Reverse& r, std::uint32_t v) { return r.codePoint < v; });
  if (it != table.end() && it->codePoint == static_cast<std::uint32_t>(cp)) return it->bytes;
  return 0;
}

// The letter that a letter and a combining mark compose into, or -1.
long composedPair(long base, long mark) {
  if (mark == 0x0308 && (base == 0x0415 || base == 0x0435)) return base == 0x0415 ? 0x0401 : 0x0451;
  if (mark == 0x0306 && (base == 0x0418 || base == 0x0438)) return base + 1;  // Й й
  const bool katakana = base >= 0x30A1 && base <= 0x30FA;
  const long kana = katakana ? base - 0x60 : base;  // as its hiragana
  const bool haRow = kana >= 0x306F && kana <= 0x307B && (kana - 0x306F) % 3 == 0;
  if (mark == 0x309A) return haRow ? base + 2 : -1;  // ぱ
  if (mark != 0x3099) return -1;
  if ((kana >= 0x304B && kana <= 0x3061 && kana % 2 == 1) || kana == 0x3064 || kana == 0x3066 ||
      kana == 0x3068 || haRow || base == 0x309D || base == 0x30FD) {
    return base + 1;  // が, ゞ
  }
  if (kana == 0x3046) return katakana ? 0x30F4 : 0x3094;  // ヴ ゔ
  if (base >= 0x30EF && base <= 0x30F2) return base + 8;  // ヷ .. ヺ
  return -1;
}

}  // namespace

std::string composed(std::string_view utf8) {
  std::string out;
  long last = -1;
  std::size_t lastAt = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const std::size_t start = pos;
    const long cp = nextCodePoint(utf8, pos);
    if (cp < 0) {
      out += utf8[pos++];
      last = -1;
      continue;
    }
    if (const long both = last < 0 ? -1 : composedPair(last, cp); both >= 0) {
      out.resize(lastAt);
      appendUtf8(out, static_cast<std::uint32_t>(both));
      last = -1;
      continue;
    }
    lastAt = out.size();
    last = cp;
    out.append(utf8.substr(start, pos - start));
  }
  return out;
}

long codePoint(std::string_view utf8) {
  std::size_t pos = 0;
  return utf8.empty() ? -1 : nextCodePoint(utf8, pos);
}

EncodeError::EncodeError(std::string character)
    : std::runtime_error("character not in code page 932: " + character),
      character_(std::move(character)) {}

std::string encode(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    std::size_t start = pos;
    long cp = nextCodePoint(utf8, pos);
    if (cp < 0) throw EncodeError(std::string(utf8.substr(start, 1)));
    std::uint16_t b = bytesFor(cp);
    if (b == 0 && cp != 0) throw EncodeError(std::string(utf8.substr(start, pos - start)));
    if (b > 0xFF) out += static_cast<char>(b >> 8);
    out += static_cast<char>(b & 0xFF);
  }
  return out;
}

std::string windowsForm(std::string_view utf8) {
  std::string out;
  out.reserve(utf8.size());
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    std::size_t start = pos;
    long cp = nextCodePoint(utf8, pos);
    if (cp < 0) {
      out += utf8[pos++];  // not UTF-8: kept, for the encoder to name
    } else if (windowsCodePoint(cp) == cp) {
      out.append(utf8.substr(start, pos - start));
    } else {
      appendUtf8(out, static_cast<std::uint32_t>(windowsCodePoint(cp)));
    }
  }
  return out;
}

std::optional<std::string> firstInexact(std::string_view utf8) {
  std::size_t pos = 0;
  while (pos < utf8.size()) {
    const std::size_t start = pos;
    if (nextCodePoint(utf8, pos) < 0) return std::string(utf8.substr(start, 1));
    const std::string_view character = utf8.substr(start, pos - start);
    if (firstUnencodable(character)) return std::string(character);
    if (decode(encode(character)) != character) return std::string(character);
  }
  return std::nullopt;
}

std::optional<std::string> firstUnencodable(std::string_view utf8) {
  try {
    encode(utf8);
  } catch (const EncodeError& e) {
    return e.character();
  }
  return std::nullopt;
}

std::optional<std::string> decode(std::string_view bytes) {
  std::string out;
  out.reserve(bytes.size() * 3 / 2);
  for (std::size_t i = 0; i < bytes.size(); ++i) {
    auto c = static_cast<unsigned char>(bytes[i]);
    if (c < 0x80) {
      out += static_cast<char>(c);
    } else if (c == 0x80) {
      appendUtf8(out, 0x80);
    } else if (c == 0xA0) {
      appendUtf8(out, 0xF8F0);
    } else if (c >= 0xFD) {
      appendUtf8(out, 0xF8F1 + (c - 0xFD));
    } else if (c >= 0xA1 && c <= 0xDF) {
      appendUtf8(out, 0xFF61 + (c - 0xA1));
    } else {
      int lead = leadIndex(c);
      if (lead < 0 || i + 1 >= bytes.size()) return std::nullopt;
      int trail = trailIndex(static_cast<unsigned char>(bytes[i + 1]));
      if (trail < 0) return std::nullopt;
      std::uint16_t cp = kDoubleByte[lead * kTrailCount + trail];
      if (cp == 0) return std::nullopt;
      appendUtf8(out, cp);
      ++i;
    }
  }
  return out;
}

}  // namespace nubera::cp932
