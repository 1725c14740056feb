#include "core/site_state.h"

#include <gtest/gtest.h>

#include "platform/memory_file_system.h"
#include "test_support.h"

using namespace nubera;

TEST(SiteState, WorkedExample) {
  MemoryFileSystem fs("C:\\pub");
  writeSiteField(fs, SiteField::ServerName, "example-server");
  writeSiteField(fs, SiteField::AccountName, "myname");
  writeSiteField(fs, SiteField::ContentFolder, "video1");
  writeSiteField(fs, SiteField::ServerFolderPath, "C:\\pub\\example-server");
  EXPECT_EQ(fs.readFile("C:\\pub\\out01.dat"), "example-server\r\n");
  EXPECT_EQ(fs.readFile("C:\\pub\\nout02.dat"), "myname\r\n");
  EXPECT_EQ(fs.readFile("C:\\pub\\nout03.dat"), "video1\r\n");
  EXPECT_EQ(fs.readFile("C:\\pub\\nout04.dat")->size(), 23u);
  EXPECT_EQ(readSiteField(fs, SiteField::ServerFolderPath), "C:\\pub\\example-server");

  writeSiteField(fs, SiteField::ContentFolder, "動画");
  EXPECT_EQ(fs.readFile("C:\\pub\\nout03.dat"), "\x93\xAE\x89\xE6\r\n");
  EXPECT_EQ(readSiteField(fs, SiteField::ContentFolder), "動画");
}

TEST(SiteState, ReadsTheWholeFirstLine) {
  MemoryFileSystem fs("C:\\pub");
  for (const char* value : {"a,b", "  x", "\"quoted\"", ""}) {
    writeSiteField(fs, SiteField::AccountName, value);
    EXPECT_EQ(readSiteField(fs, SiteField::AccountName), value);
  }
  fs.replaceFile("C:\\pub\\nout03.dat", "hand\nedited\n");
  EXPECT_EQ(readSiteField(fs, SiteField::ContentFolder), "hand");
  fs.replaceFile("C:\\pub\\nout03.dat", "no line end");
  EXPECT_EQ(readSiteField(fs, SiteField::ContentFolder), "no line end");
  fs.replaceFile("C:\\pub\\nout03.dat", "");
  EXPECT_EQ(readSiteField(fs, SiteField::ContentFolder), "");
  EXPECT_EQ(readSiteField(fs, SiteField::ServerName), "");  // missing
}

TEST(SiteState, BrokenBytesNameTheFile) {
  MemoryFileSystem fs("C:\\pub");
  fs.replaceFile("C:\\pub\\out01.dat", "\x93\r\n");
  try {
    readSiteField(fs, SiteField::ServerName);
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), "C:\\pub\\out01.dat");
  }
}

TEST(SiteState, AtTheRootOfADrive) {
  MemoryFileSystem fs("C:\\");
  writeSiteField(fs, SiteField::ServerName, "s");
  EXPECT_EQ(fs.files(), std::set<std::string>{"C:\\out01.dat"});
}
