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
  EXPECT_EQ(cp932::decode("\xFF"), std::nullopt);
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
