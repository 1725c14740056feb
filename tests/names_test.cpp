#include "core/names.h"

#include <gtest/gtest.h>

using namespace nubera;

// One list for every system: what a name may be, and what the refusal names.
TEST(Names, TheSameRulesOnEverySystem) {
  struct Case {
    const char* name;
    NameUse use;
    const char* refusalHolds;  // nullptr: accepted
  };
  const Case cases[] = {
      {"abc", NameUse::VideoFile, nullptr},
      {"   ", NameUse::VideoFile, nullptr},  // blanks are a name
      {"動画 1", NameUse::VideoFile, nullptr},
      {"〜ｖ", NameUse::VideoFile, nullptr},  // as a Linux input method types it
      {"con1", NameUse::VideoFile, nullptr},
      {"out01.dat", NameUse::VideoFile, nullptr},  // only beside the program is it taken
      {".", NameUse::VideoFile, "「.」"},
      {"..", NameUse::VideoFile, "「..」"},
      {"a\tb", NameUse::VideoFile, "制御文字"},
      {"a/b", NameUse::VideoFile, "「/」"},
      {"a\\b", NameUse::VideoFile, "「\\」"},
      {"a:b", NameUse::VideoFile, "「:」"},
      {"a*b", NameUse::VideoFile, "「*」"},
      {"a?b", NameUse::VideoFile, "「?」"},
      {"a\"b", NameUse::VideoFile, "「\"」"},
      {"a<b", NameUse::VideoFile, "「<」"},
      {"a>b", NameUse::VideoFile, "「>」"},
      {"a\x7F"
       "b",
       NameUse::VideoFile, "制御文字"},
      {"a|b", NameUse::VideoFile, "「|」"},
      {"a#b", NameUse::VideoFile, "「#」"},
      {"100%", NameUse::VideoFile, "「%」"},
      {"名前😀", NameUse::VideoFile, "「😀」は Shift_JIS"},
      {"CON", NameUse::VideoFile, "装置"},
      {"nul.txt", NameUse::VideoFile, "装置"},
      {"Lpt9", NameUse::VideoFile, "装置"},
      {"com3 .rm", NameUse::VideoFile, "装置"},
      {"COM0", NameUse::VideoFile, "装置"},
      {"lpt\u00B2.htm", NameUse::VideoFile, "装置"},
      {"CONIN$", NameUse::VideoFile, "装置"},
      {"conout$.txt", NameUse::VideoFile, "装置"},
      {"com10", NameUse::VideoFile, nullptr},
      {"a\u0085b", NameUse::VideoFile, "制御文字"},  // C1, a next-line
      // A video name starts file names only; a folder name ends a path Windows trims.
      {"abc.", NameUse::VideoFile, nullptr},
      {" ", NameUse::VideoFile, nullptr},
      {"vid.", NameUse::Folder, "最後に「.」や空白"},
      {"abc ", NameUse::ServerFolder, "最後に「.」や空白"},
      {"out01.dat ", NameUse::ServerFolder, "最後に「.」や空白"},
      {"a b", NameUse::Folder, nullptr},
      {"...", NameUse::Folder, "「.」や空白だけ"},
      {". ", NameUse::Folder, "「.」や空白だけ"},
      {" ", NameUse::Folder, "「.」や空白だけ"},
      {"OUT01.DAT", NameUse::ServerFolder, "このプログラムのファイル"},
      {"nout04.dat", NameUse::ServerFolder, "このプログラムのファイル"},
      {"St_Nubera.exe", NameUse::ServerFolder, "このプログラムのファイル"},
      {"nubera_help.html", NameUse::ServerFolder, "このプログラムのファイル"},
  };
  for (const auto& c : cases) {
    auto problem = nameProblem(c.name, "ビデオ名", c.use);
    if (!c.refusalHolds) {
      EXPECT_EQ(problem, std::nullopt) << c.name;
    } else {
      ASSERT_TRUE(problem) << c.name;
      EXPECT_NE(problem->find(c.refusalHolds), std::string::npos) << *problem;
    }
  }
  // A NUL inside the text is a control character, however the text reached us.
  EXPECT_NE(nameProblem(std::string("a\0b", 3), "サーバー名", NameUse::ServerFolder), std::nullopt);
}
