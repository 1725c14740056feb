#include "core/names.h"

#include <gtest/gtest.h>

using namespace nubera;

TEST(Names, RefusedNamesSayWhy) {
  EXPECT_EQ(nameProblem("abc", "ビデオ名", true), std::nullopt);
  EXPECT_EQ(nameProblem("   ", "ビデオ名", true), std::nullopt);
  EXPECT_EQ(nameProblem("a:b", "ビデオ名", false), std::nullopt);
  for (const char* bad : {"a/b", "a\\b", ".", "..", "a\tb"}) {
    EXPECT_NE(nameProblem(bad, "ビデオ名", false), std::nullopt) << bad;
  }
  auto msg = nameProblem("a*b", "ビデオ名", true);
  ASSERT_TRUE(msg);
  EXPECT_NE(msg->find("「*」"), std::string::npos);
  msg = nameProblem("名前😀", "フォルダー名", false);
  ASSERT_TRUE(msg);
  EXPECT_NE(msg->find("😀"), std::string::npos);
}
