#include "core/names.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"

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
      {"Quick@2x.JPG", NameUse::ServerFolder, "このプログラムのファイル"},
      {"st_nubera.png", NameUse::ServerFolder, "このプログラムのファイル"},
      {"はじめにお読みください.txt", NameUse::ServerFolder, "このプログラムのファイル"},
      {"ＮＵＢＥＲＡ.hlp", NameUse::ServerFolder, nullptr},  // full-width: another name
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

// Letter case as Windows folds it: one worked pair from each script it folds; characters that
// only look alike (〜 and ～, ｱ and ア) stay apart.
TEST(Names, LetterCaseFoldsAsWindowsFoldsIt) {
  const std::pair<const char*, const char*> folded[] = {
      {"ABC", "abc"},
      {"ＡＢＣ", "ａｂｃ"},
      {"ΑΩ", "αω"},
      {"ЖЁ", "жё"},
      {"動画Ⅱ", "動画ⅱ"},
      {"Ⅹ", "ⅹ"},
      // the last letter of each range
      {"Z", "z"},
      {"Ｚ", "ｚ"},
      {"Ω", "ω"},
      {"Я", "я"},
      {"Џ", "џ"},
  };
  for (const auto& [upper, lower] : folded) EXPECT_EQ(foldCase(upper), foldCase(lower)) << upper;
  EXPECT_EQ(foldCase("動画Ⅱ"), "動画ⅱ");
  // Just past each range nothing folds: "[" is not "{", nor "@" "`", nor "［" "｛".
  for (const char* beside : {"[", "@", "［", "＠", "Ⅺ", "а"}) EXPECT_EQ(foldCase(beside), beside);
  for (const auto& [a, b] : {std::pair{"〜", "～"}, {"ｱ", "ア"}, {"Ⅰ", "ⅱ"}, {"a", "ａ"}}) {
    EXPECT_NE(foldCase(a), foldCase(b)) << a << " " << b;
  }
}

// Beside folders and page sets that differ in letter case alone, the one there is named.
TEST(Names, TwinsBesideAreNamed) {
  MemoryFileSystem fs{"C:\\p"};
  fs.makeDirectory("C:\\p\\動画Ⅱ");
  fs.replaceFile("C:\\p\\abcenb.htm", "x");
  fs.replaceFile("C:\\p\\clip.RAM", "x");
  EXPECT_EQ(caseTwin(fs, "C:\\p", "動画ⅱ"), "動画Ⅱ");
  const auto problem = folderNameProblem(fs, "C:\\p", "動画ⅱ", "フォルダー名");
  ASSERT_TRUE(problem);
  EXPECT_NE(problem->find("「動画Ⅱ」と同じに"), std::string::npos) << *problem;
  EXPECT_EQ(folderNameProblem(fs, "C:\\p", "動画Ⅱ", "フォルダー名"), std::nullopt);
  EXPECT_EQ(pageSetTwin(fs, "C:\\p", "ABC"), "abc");
  EXPECT_EQ(pageSetTwin(fs, "C:\\p", "clip"), "clip");       // clip.RAM would be overwritten
  EXPECT_EQ(pageSetTwin(fs, "C:\\p", "abc"), std::nullopt);  // the same name saves again
  EXPECT_EQ(pageSetTwin(fs, "C:\\p", "ab"), std::nullopt);
}
