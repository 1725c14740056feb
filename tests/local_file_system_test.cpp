#include "platform/local_file_system.h"

#include <gtest/gtest.h>

#include "core/names.h"
#include "test_support.h"

using namespace nubera;

TEST(LocalFileSystem, DirectoriesAndReplacement) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path() + "/");
  EXPECT_EQ(fs.programDirectory(), tmp.path());
  const std::string dir = fs.join(fs.programDirectory(), "サーバー");
  fs.makeDirectory(dir);
  EXPECT_TRUE(fs.isDirectory(dir));
  EXPECT_THROW(fs.makeDirectory(dir), FileError);
  EXPECT_THROW(fs.makeDirectory(fs.join(fs.join(dir, "a"), "b")), FileError);

  const std::string file = fs.join(dir, "動画.txt");
  writeLines(fs, file, {"一", "two"});
  EXPECT_EQ(fs.readFile(file), "\x88\xea\r\ntwo\r\n");
  EXPECT_TRUE(std::filesystem::exists(nubera::testing::pathOf(file)));
  writeLines(fs, file, {"3"});
  EXPECT_EQ(fs.readFile(file), "3\r\n");
  EXPECT_EQ(fs.readFile(fs.join(dir, "none")), std::nullopt);
  try {
    writeLines(fs, dir, {"x"});
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), dir);
  }
}

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
