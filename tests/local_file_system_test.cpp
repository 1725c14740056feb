#include "platform/local_file_system.h"

#include <gtest/gtest.h>

#include "core/text_file.h"
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
