#include "core/names.h"

#include <gtest/gtest.h>

using namespace nubera;

// One list for every system: what a name may be, and what the refusal names.
TEST(Names, TheSameRulesOnEverySystem) {
  struct Case {
    const char* name;
    NamePlace place;
    const char* refusalHolds;  // nullptr: accepted
  };
  const Case cases[] = {
      {"abc", NamePlace::Below, nullptr},
      {"   ", NamePlace::Below, nullptr},  // blanks are a name
      {"動画 1", NamePlace::Below, nullptr},
      {"〜ｖ", NamePlace::Below, nullptr},  // as a Linux input method types it
      {"con1", NamePlace::Below, nullptr},
      {"out01.dat", NamePlace::Below, nullptr},  // only beside the program is it taken
      {".", NamePlace::Below, "「.」"},
      {"..", NamePlace::Below, "「..」"},
      {"a\tb", NamePlace::Below, "制御文字"},
      {"a/b", NamePlace::Below, "「/」"},
      {"a\\b", NamePlace::Below, "「\\」"},
      {"a:b", NamePlace::Below, "「:」"},
      {"a*b", NamePlace::Below, "「*」"},
      {"a?b", NamePlace::Below, "「?」"},
      {"a\"b", NamePlace::Below, "「\"」"},
      {"a<b", NamePlace::Below, "「<」"},
      {"a|b", NamePlace::Below, "「|」"},
      {"a#b", NamePlace::Below, "「#」"},
      {"100%", NamePlace::Below, "「%」"},
      {"名前😀", NamePlace::Below, "「😀」は Shift_JIS"},
      {"CON", NamePlace::Below, "装置"},
      {"nul.txt", NamePlace::Below, "装置"},
      {"Lpt9", NamePlace::Below, "装置"},
      {"com3 .rm", NamePlace::Below, "装置"},
      {"OUT01.DAT", NamePlace::ProgramFolder, "このプログラムのファイル"},
      {"nout04.dat", NamePlace::ProgramFolder, "このプログラムのファイル"},
      {"St_Nubera.exe", NamePlace::ProgramFolder, "このプログラムのファイル"},
      {"nubera_help.html", NamePlace::ProgramFolder, "このプログラムのファイル"},
  };
  for (const auto& c : cases) {
    auto problem = nameProblem(c.name, "ビデオ名", c.place);
    if (!c.refusalHolds) {
      EXPECT_EQ(problem, std::nullopt) << c.name;
    } else {
      ASSERT_TRUE(problem) << c.name;
      EXPECT_NE(problem->find(c.refusalHolds), std::string::npos) << *problem;
    }
  }
  // A NUL inside the text is a control character, however the text reached us.
  EXPECT_NE(nameProblem(std::string("a\0b", 3), "サーバー名"), std::nullopt);
}
