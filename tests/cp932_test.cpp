#include "core/cp932.h"

#include <gtest/gtest.h>

using namespace nubera;

TEST(Cp932, EncodesAsWindowsDoes) {
  EXPECT_EQ(cp932::encode("動画"), "\x93\xAE\x89\xE6");
  EXPECT_EQ(cp932::encode("①"), "\x87\x40");
  // Duplicated characters take the pair Windows writes, not the NEC-selected one.
  EXPECT_EQ(cp932::encode("髙"), "\xFB\xFC");
  EXPECT_EQ(cp932::encode("ⅰ"), "\xFA\x40");
  EXPECT_EQ(cp932::encode("∵"), "\x81\xE6");
  EXPECT_EQ(cp932::encode("￢"), "\x81\xCA");
  EXPECT_EQ(cp932::encode("Ⅰ"), "\x87\x54");
  EXPECT_EQ(cp932::encode("ﾊﾞｰｼﾞｮﾝ 1.0.0"), "\xCA\xDE\xB0\xBC\xDE\xAE\xDD 1.0.0");
  EXPECT_EQ(cp932::encode("a\\b~"), "a\\b~");
  EXPECT_EQ(cp932::encode("（）　"), "\x81\x69\x81\x6A\x81\x40");
}

// What Linux input methods type for these JIS characters is written as Windows writes its
// own counterparts; reading gives the Windows characters.
TEST(Cp932, JisMappingCharactersAsWindowsCounterparts) {
  const std::pair<const char*, const char*> cases[] = {
      {"〜", "\x81\x60"}, {"‖", "\x81\x61"}, {"−", "\x81\x7C"}, {"—", "\x81\x5C"},
      {"¢", "\x81\x91"},  {"£", "\x81\x92"}, {"¬", "\x81\xCA"}};
  for (auto [typed, bytes] : cases) {
    EXPECT_EQ(cp932::encode(typed), bytes) << typed;
    EXPECT_EQ(cp932::firstUnencodable(typed), std::nullopt) << typed;
  }
  EXPECT_EQ(cp932::decode("\x81\x60"), "～");
  EXPECT_EQ(cp932::decode("\x81\x5C"), "―");
}

TEST(Cp932, RefusesWhatItCannotHoldAndNamesIt) {
  try {
    cp932::encode("abc😀def");
    FAIL();
  } catch (const cp932::EncodeError& e) {
    EXPECT_EQ(e.character(), "😀");
  }
  EXPECT_EQ(cp932::firstUnencodable("ok한"), "한");
  EXPECT_EQ(cp932::firstUnencodable("é"), "é");
  EXPECT_EQ(cp932::firstUnencodable("普通の名前"), std::nullopt);
  EXPECT_THROW(cp932::encode("\xFF"), cp932::EncodeError);  // not UTF-8
}

TEST(Cp932, DecodesAndRefusesBrokenBytes) {
  EXPECT_EQ(cp932::decode("\x93\xAE\x89\xE6"), "動画");
  EXPECT_EQ(cp932::decode("\xEE\xE0"), "髙");  // both pairs read as the same character
  EXPECT_EQ(cp932::decode("\xB1"), "ｱ");
  EXPECT_EQ(cp932::decode("\x93"), std::nullopt);      // lead byte at the end
  EXPECT_EQ(cp932::decode("\x81\x20"), std::nullopt);  // bad trail byte
  EXPECT_EQ(cp932::decode("\x85\x40"), std::nullopt);  // unused pair
  EXPECT_EQ(cp932::decode("\xE0"), std::nullopt);
}

// At the edges: every half-width katakana byte is itself both ways; a lead byte followed by
// a byte that cannot trail it (below 0x40, 0x7F, above 0xFC) or by nothing is refused.
TEST(Cp932, SingleBytesAndBrokenPairsAtTheEdges) {
  for (int b = 0xA1; b <= 0xDF; ++b) {
    const std::string single(1, static_cast<char>(b));
    const auto text = cp932::decode(single);
    ASSERT_TRUE(text) << std::hex << b;
    EXPECT_EQ(cp932::encode(*text), single) << std::hex << b;
  }
  EXPECT_EQ(cp932::decode("\xA1"), "｡");
  EXPECT_EQ(cp932::decode("\xDF"), "ﾟ");
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    const char l = static_cast<char>(lead);
    EXPECT_EQ(cp932::decode(std::string{l}), std::nullopt) << std::hex << lead;
    for (int trail : {0x00, 0x20, 0x3F, 0x7F, 0xFD, 0xFE, 0xFF}) {
      EXPECT_EQ(cp932::decode(std::string{l, static_cast<char>(trail)}), std::nullopt)
          << std::hex << lead << " " << trail;
    }
  }
  EXPECT_EQ(cp932::decode("\x81\x40"), "　");  // the first trail byte
  EXPECT_EQ(cp932::decode("\x81\xFC"), "◯");   // the last
}

TEST(Cp932, EveryEncodableCharacterRoundTrips) {
  int checked = 0;
  for (int lead = 0x81; lead <= 0xFC; ++lead) {
    if (lead > 0x9F && lead < 0xE0) continue;
    for (int trail = 0x40; trail <= 0xFC; ++trail) {
      std::string bytes{static_cast<char>(lead), static_cast<char>(trail)};
      auto text = cp932::decode(bytes);
      if (!text) continue;
      // Encoding again gives the same character back, whatever pair Windows prefers.
      EXPECT_EQ(cp932::decode(cp932::encode(*text)), text) << std::hex << lead << trail;
      ++checked;
    }
  }
  EXPECT_GT(checked, 9000);
}

#ifdef _WIN32
#include <windows.h>

// On Windows the table agrees with the system's own code page 932 conversion, character by
// character, and what it refuses the system cannot write without a default character either.
// The JIS-mapping characters are ours alone: Windows has no conversion for them.
TEST(Cp932, AgreesWithWindows) {
  int differences = 0;
  for (wchar_t c = 1; c < 0xFFFF; ++c) {
    if (c >= 0xD800 && c <= 0xDFFF) continue;
    if (c == 0x301C || c == 0x2016 || c == 0x2212 || c == 0x2014 || c == 0xA2 || c == 0xA3 ||
        c == 0xAC) {
      continue;
    }
    char bytes[4];
    BOOL usedDefault = FALSE;
    int n = WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, &c, 1, bytes, sizeof bytes, nullptr,
                                &usedDefault);
    std::string utf8(4, '\0');
    utf8.resize(static_cast<std::size_t>(
        WideCharToMultiByte(CP_UTF8, 0, &c, 1, utf8.data(), 4, nullptr, nullptr)));
    auto mine = cp932::firstUnencodable(utf8) ? std::optional<std::string>()
                                              : std::optional<std::string>(cp932::encode(utf8));
    auto theirs = (n <= 0 || usedDefault) ? std::optional<std::string>()
                                          : std::optional<std::string>(std::string(bytes, n));
    if (mine != theirs && ++differences <= 10) {
      ADD_FAILURE() << "U+" << std::hex << static_cast<int>(c);
    }
  }
  EXPECT_EQ(differences, 0);
}
#endif
