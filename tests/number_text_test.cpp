#include "core/number_text.h"

#include <gtest/gtest.h>

using namespace nubera;

TEST(HeightRule, ExampleTable) {
  const std::pair<const char*, const char*> table[] = {
      {"160", "120"},    {"320", "240"}, {"480", "360"}, {"640", "480"},
      {"321", "240.75"}, {"10", "7.5"},  {"0", "0"},     {"-320", "-240"},
  };
  for (auto [width, height] : table) EXPECT_EQ(heightForWidth(width), height) << width;
  EXPECT_EQ(heightForWidth("4"), "3");
  EXPECT_EQ(heightForWidth("6"), "4.5");
  EXPECT_EQ(heightForWidth("0.1"), "0.075");
}

TEST(HeightRule, NoHeightWithoutANumber) {
  for (const char* width :
       {"", "-", "abc", "32a", "1,0", ".", "+", "e3", "inf", "nan", "0x10", "1e999", "３２０"}) {
    EXPECT_EQ(heightForWidth(width), std::nullopt) << width;
  }
}

TEST(NumberText, PlainDecimalWithFifteenDigits) {
  EXPECT_EQ(numberToText(240), "240");
  EXPECT_EQ(numberToText(240.75), "240.75");
  EXPECT_EQ(numberToText(-0.5), "-0.5");
  EXPECT_EQ(numberToText(-0.0), "0");
  EXPECT_EQ(numberToText(1e20), "100000000000000000000");
  EXPECT_EQ(numberToText(1.5e-7), "0.00000015");
  EXPECT_EQ(numberToText(123456789012345678.0), "123456789012346000");
  EXPECT_EQ(numberToText(0.1 + 0.2), "0.3");
  EXPECT_EQ(numberToText(2.0 / 3.0), "0.666666666666667");
  EXPECT_EQ(numberToText(-7.5e300).substr(0, 5), "-7500");
}

TEST(NumberText, TextToNumberAcceptsOrdinaryNumbers) {
  EXPECT_EQ(textToNumber("320"), 320);
  EXPECT_EQ(textToNumber(" 320 "), 320);
  EXPECT_EQ(textToNumber("+1.5"), 1.5);
  EXPECT_EQ(textToNumber("-.5"), -0.5);
  EXPECT_EQ(textToNumber("5."), 5);
  EXPECT_EQ(textToNumber("1e3"), 1000);
  EXPECT_EQ(textToNumber(""), std::nullopt);
  EXPECT_EQ(textToNumber("  "), std::nullopt);
}
