#include "platform/local_file_system.h"

#include <gtest/gtest.h>

#include <fstream>

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

namespace {

std::vector<std::string> namesIn(const std::string& dir) {
  std::vector<std::string> names;
  for (const auto& e : std::filesystem::directory_iterator(nubera::testing::pathOf(dir))) {
    auto u8 = e.path().filename().u8string();
    names.emplace_back(u8.begin(), u8.end());
  }
  std::sort(names.begin(), names.end());
  return names;
}

}  // namespace

// A name as long as the system allows is written: the temporary name is short.
TEST(LocalFileSystem, LongestNamesAndNoLitter) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  const std::string longest(std::string(251, 'v') + ".ram");  // 255 bytes
  writeLines(fs, fs.join(tmp.path(), longest), {"x"});
  writeLines(fs, fs.join(tmp.path(), longest), {"y"});
  EXPECT_EQ(namesIn(tmp.path()), std::vector<std::string>{longest});
}

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>
#endif

// A temporary file left by a writer that died is removed by the next write into its folder;
// one that another writer still holds is left alone.
TEST(LocalFileSystem, StaleTemporaryFilesAreRemoved) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  for (const char* name : {"~nb0123abcd.tmp", "~nb89abcdef.tmp", "~nbmine.tmp"}) {
    std::ofstream(nubera::testing::pathOf(fs.join(tmp.path(), name))) << "left";
  }
  const std::string held = fs.join(tmp.path(), "~nb89abcdef.tmp");
#ifdef _WIN32
  HANDLE holder = CreateFileW(nubera::testing::pathOf(held).c_str(), GENERIC_WRITE, 0, nullptr,
                              OPEN_EXISTING, 0, nullptr);
  ASSERT_NE(holder, INVALID_HANDLE_VALUE);
#else
  int holder = ::open(held.c_str(), O_RDONLY);
  ASSERT_EQ(::flock(holder, LOCK_EX), 0);
#endif
  writeLines(fs, fs.join(tmp.path(), "v.rpm"), {"x"});
#ifdef _WIN32
  CloseHandle(holder);
#else
  ::close(holder);
#endif
  EXPECT_EQ(namesIn(tmp.path()),
            (std::vector<std::string>{"v.rpm", "~nb89abcdef.tmp", "~nbmine.tmp"}));
}

#ifndef _WIN32
// A write that fails half-way (the file size limit) keeps the old bytes and leaves nothing.
TEST(LocalFileSystem, WriteFailingHalfWayKeepsTheOldFile) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  const std::string file = fs.join(tmp.path(), "abc.ram");
  fs.replaceFile(file, "old\r\n");
  rlimit saved{};
  ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &saved), 0);
  auto oldHandler = signal(SIGXFSZ, SIG_IGN);
  rlimit small = saved;
  small.rlim_cur = 4096;
  ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &small), 0);
  EXPECT_THROW(fs.replaceFile(file, std::string(10000, 'x')), FileError);
  setrlimit(RLIMIT_FSIZE, &saved);
  signal(SIGXFSZ, oldHandler);
  EXPECT_EQ(fs.readFile(file), "old\r\n");
  EXPECT_EQ(namesIn(tmp.path()), std::vector<std::string>{"abc.ram"});
}

// Whatever stands in a state file's place, reading ends at once with a message naming it.
TEST(LocalFileSystem, StateFilesThatAreNotSmallPlainFiles) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  const std::string fifo = fs.join(tmp.path(), "nout02.dat");
  ASSERT_EQ(::mkfifo(fifo.c_str(), 0644), 0);
  const std::string zero = fs.join(tmp.path(), "out01.dat");
  ASSERT_EQ(::symlink("/dev/zero", zero.c_str()), 0);
  const std::string huge = fs.join(tmp.path(), "nout03.dat");
  fs.replaceFile(huge, std::string(kMaxFirstLine + 1, 'a') + "\r\n");
  const std::string fits = fs.join(tmp.path(), "nout04.dat");
  fs.replaceFile(fits, std::string(kMaxFirstLine, 'a') + "\r\n" + std::string(100000, 'b'));
  for (const auto& path : {fifo, zero, huge}) {
    try {
      readFirstLine(fs, path);
      ADD_FAILURE() << path;
    } catch (const FileError& e) {
      EXPECT_EQ(e.path(), path);
    }
  }
  EXPECT_EQ(readFirstLine(fs, fits).size(), kMaxFirstLine);
}
#endif
