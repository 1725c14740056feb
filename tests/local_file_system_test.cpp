#include "platform/local_file_system.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <fstream>
#include <functional>
#include <set>
#include <thread>

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/utf.h"
#else
#include <unistd.h>
#endif

#include "core/page_set.h"
#include "core/rules.h"
#include "core/text_file.h"
#include "platform/temp_name.h"
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

#ifndef _WIN32
// A name as long as the system allows is written: the temporary name is short.
TEST(LocalFileSystem, LongestNamesAndNoLitter) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  const std::string longest(std::string(251, 'v') + ".ram");  // 255 bytes
  writeLines(fs, fs.join(tmp.path(), longest), {"x"});
  writeLines(fs, fs.join(tmp.path(), longest), {"y"});
  EXPECT_EQ(namesIn(tmp.path()), std::vector<std::string>{longest});
}
#endif

#ifdef _WIN32
#include <windows.h>
#else
#include <fcntl.h>
#include <signal.h>
#include <sys/file.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

// A folder name past the system's limit of 255 gives that reason on every system.
TEST(LocalFileSystem, AFolderNameTooLongSaysSo) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  try {
    fs.makeDirectory(fs.join(tmp.path(), std::string(256, 'a')));
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(e.cause(), FileCause::NameTooLong);
  }
  EXPECT_TRUE(namesIn(tmp.path()).empty());
}

// A temporary file left by a writer that died is removed by the next write into its folder;
// one that another writer still holds is left alone.
TEST(LocalFileSystem, StaleTemporaryFilesAreRemoved) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  // On Linux an empty file of the pattern is another copy's until it is two minutes old: that
  // copy may not have locked it yet, and writes only once it has; one with content that no
  // writer holds goes at once. On Windows its writer holds it unshared from the start.
  for (auto [name, age, content] : {std::tuple{"~nb0123abcd.tmp", 600, "left"},
                                    {"~nb89abcdef.tmp", 600, "left"},
                                    {"~nbmine.tmp", 600, "left"},
                                    {"~nbghijklmn.tmp", 600, "left"},
                                    {"~nbABCDEF01.tmp", 600, "left"},
                                    {"~nb0000beef.tmp", 1, "the whole new page"},
                                    {"~nb00000000.tmp", 100, ""}}) {
    const auto file = nubera::testing::pathOf(fs.join(tmp.path(), name));
    std::ofstream(file) << content;
    std::filesystem::last_write_time(
        file, std::filesystem::file_time_type::clock::now() - std::chrono::seconds(age));
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
#ifdef _WIN32
  const std::vector<std::string> left = {"v.rpm", "~nb89abcdef.tmp", "~nbABCDEF01.tmp",
                                         "~nbghijklmn.tmp", "~nbmine.tmp"};
#else
  const std::vector<std::string> left = {"v.rpm",           "~nb00000000.tmp", "~nb89abcdef.tmp",
                                         "~nbABCDEF01.tmp", "~nbghijklmn.tmp", "~nbmine.tmp"};
#endif
  EXPECT_EQ(namesIn(tmp.path()), left);
  // What the writer names its files is what the sweep recognises.
  EXPECT_EQ(tempName(0xABCDEF01u), "~nbabcdef01.tmp");
  EXPECT_TRUE(isTempName(tempName(0xABCDEF01u)));
}

// Several programs saving the same page set at once: no save fails because of another, on
// either way of naming the temporary file, and nothing is left behind.
TEST(LocalFileSystem, WritersSavingTheSameFilesAtOnce) {
  for (bool named : {false, true}) {
    nubera::testing::TempDir tmp;
    LocalFileSystem::useNamedTemporaryFiles(named);
    std::atomic<int> failures{0};
    std::atomic<bool> writing{true};
    std::vector<std::thread> writers;
    // A copy that opens its screens meanwhile reads every time, and reads a whole line.
    std::thread reader([&] {
      LocalFileSystem fs(tmp.path());
      while (writing) {
        try {
          auto bytes = fs.readFile(fs.join(tmp.path(), "v.ram"));
          if (bytes && bytes->size() != 3) ADD_FAILURE() << "torn: " << *bytes;
        } catch (const FileError& e) {
          ++failures;
          ADD_FAILURE() << e.what();
        }
      }
    });
    for (int w = 0; w < 4; ++w) {
      writers.emplace_back([&, w] {
        LocalFileSystem fs(tmp.path());  // one program each
        for (int round = 0; round < 100; ++round) {
          for (const char* name : {"v.ram", "v.rpm"}) {
            try {
              fs.replaceFile(fs.join(tmp.path(), name), std::to_string(w) + "\r\n");
            } catch (const FileError& e) {
              ++failures;
              ADD_FAILURE() << e.what();
            }
          }
        }
      });
    }
    for (auto& t : writers) t.join();
    writing = false;
    reader.join();
    LocalFileSystem::useNamedTemporaryFiles(false);
    EXPECT_EQ(failures, 0) << (named ? "named" : "unnamed");
    EXPECT_EQ(namesIn(tmp.path()), (std::vector<std::string>{"v.ram", "v.rpm"}));
  }
}

// Each replacement flushes the file and then its folder, so the new name outlives a power cut.
TEST(LocalFileSystem, ReplacementFlushesFileAndFolder) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  const unsigned long before = LocalFileSystem::flushCount();
  fs.replaceFile(fs.join(tmp.path(), "a.ram"), "x\r\n");
  EXPECT_EQ(LocalFileSystem::flushCount() - before, 2u);
  // A read takes no more than it was asked for.
  fs.replaceFile(fs.join(tmp.path(), "b.dat"), std::string(20000, 'b'));
  EXPECT_EQ(fs.readFile(fs.join(tmp.path(), "b.dat"), 10)->size(), 10u);
}

#ifdef _WIN32
// A page held open by a browser or a player: the message says so, not that the program must
// move, whatever sharing the other program allows; the old bytes stay and nothing is left.
TEST(LocalFileSystem, FileHeldByAnotherProgram) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  const std::string file = fs.join(tmp.path(), "abcpop.htm");
  fs.replaceFile(file, "old\r\n");
  for (DWORD share : {DWORD{0}, DWORD{FILE_SHARE_READ}, DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE},
                      DWORD{FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE}}) {
    HANDLE holder = CreateFileW(nubera::testing::pathOf(file).c_str(), GENERIC_READ, share, nullptr,
                                OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(holder, INVALID_HANDLE_VALUE);
    try {
      fs.replaceFile(file, "new\r\n");
      // Where the system lets a file be replaced under an open handle, the save is whole.
      EXPECT_NE(share & FILE_SHARE_DELETE, 0u) << share;
    } catch (const FileError& e) {
      EXPECT_FALSE(e.denied()) << share;
      EXPECT_EQ(e.cause(), FileCause::HeldOpen);
    }
    CloseHandle(holder);
    EXPECT_EQ(namesIn(tmp.path()), std::vector<std::string>{"abcpop.htm"});
  }
}

// A path that the temporary file beside it would push past the system's limit is refused
// before anything is written, with a message that names the limit: in a folder of 243
// characters a short name fits, in one of 244 it does not, although its own path would.
TEST(LocalFileSystem, PathsNearTheWindowsLimit) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  for (std::size_t length : {243u, 244u}) {
    const std::string folder =
        fs.join(tmp.path(), std::string(length - tmp.path().size() - 1, 'd'));
    ASSERT_EQ(folder.size(), length);
    std::filesystem::create_directory(nubera::testing::pathOf(folder));
    try {
      fs.replaceFile(fs.join(folder, "v.ram"), "x\r\n");
      EXPECT_EQ(length, 243u);
    } catch (const FileError& e) {
      EXPECT_EQ(length, 244u);
      EXPECT_EQ(e.cause(), FileCause::FilePathTooLong);
    }
    EXPECT_EQ(namesIn(folder).size(), length == 243u ? 1u : 0u);
  }
  // A new folder's path may be 247 characters long, not 248.
  for (std::size_t length : {247u, 248u}) {
    const std::string folder =
        fs.join(tmp.path(), std::string(length - tmp.path().size() - 1, 'f'));
    try {
      fs.makeDirectory(folder);
      EXPECT_EQ(length, 247u);
    } catch (const FileError& e) {
      EXPECT_EQ(length, 248u);
      EXPECT_EQ(e.cause(), FileCause::FolderPathTooLong);
    }
    EXPECT_EQ(fs.isDirectory(folder), length == 247u);
  }
}
#else
using nubera::testing::inChild;

// A write past the file-size limit fails with a message instead of ending the program, keeps
// the old bytes and leaves nothing, on either way of naming the temporary file.
TEST(LocalFileSystem, WriteFailingHalfWayKeepsTheOldFile) {
  for (bool named : {false, true}) {
    nubera::testing::TempDir tmp;
    const std::string file = tmp.path() + "/abc.ram";
    LocalFileSystem(tmp.path()).replaceFile(file, "old\r\n");
    EXPECT_TRUE(inChild([&] {
      signal(SIGXFSZ, SIG_DFL);  // as a program starts
      LocalFileSystem::useNamedTemporaryFiles(named);
      LocalFileSystem fs(tmp.path());
      rlimit small{4096, 4096};
      setrlimit(RLIMIT_FSIZE, &small);
      try {
        fs.replaceFile(file, std::string(10000, 'x'));
      } catch (const FileError&) {
        return 0;
      }
      return 1;
    })) << "named "
        << named;
    EXPECT_EQ(LocalFileSystem(tmp.path()).readFile(file), "old\r\n");
    EXPECT_EQ(namesIn(tmp.path()), std::vector<std::string>{"abc.ram"});
  }
}

// A video folder the user may not write (as a user, not as root): the refusal is the
// folder's own ("denied", on the file in that folder), so the message names that folder and
// not the program's. Run as another user where the test runs as root.
TEST(LocalFileSystem, AReadOnlyFolderRefusesAsItself) {
  nubera::testing::TempDir tmp;
  const std::string folder = tmp.path() + "/vid";
  ASSERT_EQ(::mkdir(folder.c_str(), 0555), 0);
  ::chmod(tmp.path().c_str(), 0755);
  pid_t child = fork();
  ASSERT_GE(child, 0);
  if (child == 0) {
    if (geteuid() == 0 && setuid(65534) != 0) _exit(2);  // nobody
    LocalFileSystem fs(tmp.path());
    try {
      fs.replaceFile(folder + "/abc.ram", "x\r\n");
    } catch (const FileError& e) {
      _exit(e.denied() && e.path() == folder + "/abc.ram" && e.cause() == FileCause::Denied ? 0
                                                                                            : 3);
    }
    _exit(1);
  }
  int status = 0;
  waitpid(child, &status, 0);
  EXPECT_TRUE(WIFEXITED(status) && WEXITSTATUS(status) == 0) << WEXITSTATUS(status);
  ::chmod(folder.c_str(), 0755);
  EXPECT_TRUE(namesIn(folder).empty());
}

// A look the system refuses (a folder on the way the user may not search) cannot tell whether
// the path is there: it is a failure with its reason, not "missing"; what is plainly not there
// stays "not there". A save whose folder cannot be flushed after the rename (one the user may
// write but not read) is a failure too, not a success. Run as another user where the test runs
// as root.
TEST(LocalFileSystem, ALookThatFailsIsNotMissing) {
  nubera::testing::TempDir tmp;
  const std::string closed = tmp.path() + "/closed", blind = tmp.path() + "/blind";
  ASSERT_EQ(::mkdir(closed.c_str(), 0), 0);
  ASSERT_EQ(::mkdir(blind.c_str(), 0333), 0);
  ::chmod(tmp.path().c_str(), 0755);
  EXPECT_TRUE(inChild([&] {
    if (geteuid() == 0 && setuid(65534) != 0) return 2;  // nobody
    LocalFileSystem fs(tmp.path());
    int failed = 0;
    for (const auto& look : std::vector<std::function<void()> >{
             [&] { fs.isDirectory(closed + "/vid"); }, [&] { fs.entries(closed); },
             [&] { fs.nameOnDisk(closed + "/abc.ram"); }}) {
      try {
        look();
      } catch (const FileError& e) {
        failed += e.cause() == FileCause::Denied;
      }
    }
    const bool missing = !fs.isDirectory(tmp.path() + "/none") &&
                         fs.entries(tmp.path() + "/none").empty() &&
                         !fs.nameOnDisk(tmp.path() + "/none/x");
    try {
      fs.replaceFile(blind + "/abc.ram", "x\r\n");
    } catch (const FileError& e) {
      failed += e.cause() == FileCause::Denied;
    }
    return failed == 4 && missing ? 0 : 1;
  }));
  ::chmod(closed.c_str(), 0755);
  ::chmod(blind.c_str(), 0755);
}

// A replaced file keeps its permissions.
TEST(LocalFileSystem, ReplacementKeepsTheMode) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  const std::string file = fs.join(tmp.path(), "abcenb.htm");
  fs.replaceFile(file, "old\r\n");
  ASSERT_EQ(::chmod(file.c_str(), 0640), 0);
  fs.replaceFile(file, "new\r\n");
  struct stat st {};
  ASSERT_EQ(::stat(file.c_str(), &st), 0);
  EXPECT_EQ(st.st_mode & 07777, 0640u);
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

// The reasons a user meets are said in Japanese on both systems, also where the system itself
// speaks English; a state file that is a link to itself is one of them.
#ifdef _WIN32
// Each error the retries wait out, and ones at their edge that fail at once.
TEST(LocalFileSystem, WhatSavesAndReadsTryAgain) {
  for (unsigned long err : {5ul, 32ul, 33ul, 1224ul}) EXPECT_TRUE(saveRetries(err)) << err;
  for (unsigned long err : {2ul, 3ul, 112ul, 303ul}) EXPECT_FALSE(saveRetries(err)) << err;
  for (unsigned long err : {32ul, 33ul, 303ul}) EXPECT_TRUE(readRetries(err)) << err;
  for (unsigned long err : {2ul, 5ul, 1224ul}) EXPECT_FALSE(readRetries(err)) << err;
}
#endif

// Every entry of the table of reasons, by the system's error number.
TEST(LocalFileSystem, CausesOfTheSystemsErrors) {
  using enum FileCause;
#ifdef _WIN32
  const std::pair<int, FileCause> table[] = {
      {2, NotFound},         {3, NotFound},       {53, NotFound},      {15, NotFound},
      {5, Denied},           {32, InUse},         {33, InUse},         {1224, InUse},
      {19, ReadOnlyPlace},   {39, DiskFull},      {112, DiskFull},     {1295, QuotaReached},
      {1816, QuotaReached},  {223, FileTooLarge}, {206, NameTooLong},  {111, NameTooLong},
      {123, BadName},        {161, BadName},      {183, FileExists},   {80, FileExists},
      {267, NotAFolder},     {1921, LinkLoop},    {1142, LinkLoop},    {21, DriveNotReady},
      {4, TooManyOpenFiles}, {8, NoMemory},       {14, NoMemory},      {23, InputOutput},
      {31, InputOutput},     {1117, InputOutput}, {65, NetworkDenied}, {50, System},
  };
#else
  const std::pair<int, FileCause> table[] = {
      {ENOENT, NotFound},
      {EACCES, Denied},
      {EPERM, Denied},
      {EEXIST, FileExists},
      {ENOTDIR, NotAFolder},
      {EISDIR, FolderInTheWay},
      {ENOSPC, DiskFull},
      {EDQUOT, QuotaReached},
      {EFBIG, FileTooLarge},
      {EROFS, ReadOnlyPlace},
      {ENAMETOOLONG, NameTooLong},
      {ELOOP, LinkLoop},
      {EMLINK, TooManyLinks},
      {ETXTBSY, InUse},
      {EBUSY, InUse},
      {ENXIO, NotRegularFile},
      {ENODEV, NotRegularFile},
      {EMFILE, TooManyOpenFiles},
      {ENFILE, TooManyOpenFiles},
      {ENOMEM, NoMemory},
      {EINTR, Interrupted},
      {EAGAIN, Interrupted},
      {EIO, InputOutput},
      {EXDEV, System},
  };
#endif
  for (const auto& [number, cause] : table) EXPECT_EQ(causeOf(number), cause) << number;
    // An error no cause names reaches the user with the system's own words as its reason; a
    // named one with its sentence alone.
#ifdef _WIN32
  const std::pair<int, const char*> unnamed[] = {{50, nullptr}, {5, "CauseDenied"}};
#else
  const std::pair<int, const char*> unnamed[] = {
      {EXDEV, "CauseSystem(Invalid cross-device link)"},
      {EOVERFLOW, "CauseSystem(Value too large for defined data type)"},
      {EACCES, "CauseDenied"}};
#endif
  for (const auto& [number, reason] : unnamed) {
    const FileError e = systemError(FileError::Operation::Write, "p", number, false);
    const std::string said = shape(e.reason());
    EXPECT_EQ(shape(e.message()), "OpWrite Line(p) Line(" + said + ")") << number;
    if (reason) {
      EXPECT_EQ(said, reason) << number;
    } else {
      EXPECT_TRUE(said.starts_with("CauseSystem(") && said.size() > 13) << said;
    }
  }
#ifndef _WIN32
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  const std::string self = fs.join(tmp.path(), "out01.dat");
  ASSERT_EQ(::symlink(self.c_str(), self.c_str()), 0);
  try {
    fs.readFile(self);
    ADD_FAILURE() << "read a link to itself";
  } catch (const FileError& e) {
    EXPECT_EQ(e.cause(), FileCause::LinkLoop);
  }
#endif
}

#ifdef _WIN32
// A state file that is not a file on a disk (here a pipe) is refused at once on a save, as on
// a read, and not taken for a file held by another program.
TEST(LocalFileSystem, SavingOverAPipeIsRefusedAtOnce) {
  const std::wstring pipe = L"\\\\.\\pipe\\nubera-test-" + std::to_wstring(GetCurrentProcessId());
  HANDLE server =
      CreateNamedPipeW(pipe.c_str(), PIPE_ACCESS_INBOUND, PIPE_TYPE_BYTE, 4, 64, 64, 0, nullptr);
  ASSERT_NE(server, INVALID_HANDLE_VALUE);
  LocalFileSystem fs("C:\\");
  const auto started = std::chrono::steady_clock::now();
  try {
    fs.replaceFile(win32::utf8(pipe), "x\r\n");
    ADD_FAILURE() << "wrote over a pipe";
  } catch (const FileError& e) {
    EXPECT_EQ(e.cause(), FileCause::NotRegularFile);
  }
  EXPECT_LT(std::chrono::steady_clock::now() - started, std::chrono::milliseconds(500));
  CloseHandle(server);
}

// A program folder in the user's temporary folder (a copy Explorer runs from inside a zip)
// is seen as such, whatever the letter case; one beside it is not.
// A name Windows takes for a folder or file of another name (its 8.3 short name) is refused,
// naming the one on disk: files would go there while the address named one the server lacks.
TEST(LocalFileSystem, AShortNameIsRefusedNamingTheFolder) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  const std::string longName = "example folder with a long name";
  fs.makeDirectory(fs.join(tmp.path(), longName));
  wchar_t shortPath[MAX_PATH] = {};
  GetShortPathNameW(win32::wide(fs.join(tmp.path(), longName)).c_str(), shortPath, MAX_PATH);
  std::string shortName = win32::utf8(shortPath);
  shortName = shortName.substr(shortName.rfind('\\') + 1);
  if (shortName.empty() || shortName == longName) GTEST_SKIP() << "no short names here";
  EXPECT_EQ(fs.nameOnDisk(fs.join(tmp.path(), shortName)), longName);
  const auto problem = videoFolderRefusal(fs, tmp.path(), shortName);
  ASSERT_TRUE(problem) << shortName;
  EXPECT_EQ(shape(*problem),
            "FolderAlias(SubjectFolder," + shortName + "," + longName + "," + longName + ")");
  EXPECT_EQ(videoFolderRefusal(fs, tmp.path(), longName), std::nullopt);

  fs.replaceFile(fs.join(tmp.path(), "sportsday2024.ram"), "x\r\n");
  GetShortPathNameW(win32::wide(fs.join(tmp.path(), "sportsday2024.ram")).c_str(), shortPath,
                    MAX_PATH);
  std::string shortFile = win32::utf8(shortPath);
  shortFile = shortFile.substr(shortFile.rfind('\\') + 1);
  ASSERT_TRUE(shortFile.size() > 4 && shortFile != "sportsday2024.ram") << shortFile;
  const std::string shortVideo = shortFile.substr(0, shortFile.size() - 4);  // no ".RAM"
  const auto alias = videoNameRefusal(fs, tmp.path(), shortVideo, Pass::Preview);
  ASSERT_TRUE(alias) << shortVideo;
  EXPECT_EQ(alias->id, MessageId::VideoFileAlias);
  EXPECT_EQ(alias->args[2].text, "sportsday2024.ram");
  EXPECT_EQ(videoNameRefusal(fs, tmp.path(), "sportsday2024", Pass::Preview), std::nullopt);
}

TEST(LocalFileSystem, ProgramFolderInTheTemporaryFolder) {
  wchar_t temp[MAX_PATH + 2];
  ASSERT_GT(GetTempPathW(MAX_PATH + 2, temp), 0u);
  const std::filesystem::path inside = std::filesystem::path(temp) / L"Temp1_st.zip" / L"st";
  std::filesystem::create_directories(inside);
  std::string lower = win32::utf8(inside.wstring());
  for (char& c : lower) c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
  EXPECT_TRUE(LocalFileSystem(win32::utf8(inside.wstring())).programDirectoryIsTemporary());
  EXPECT_TRUE(LocalFileSystem(lower).programDirectoryIsTemporary());
  std::filesystem::remove_all(inside.parent_path());
  nubera::testing::TempDir elsewhere;
  EXPECT_FALSE(LocalFileSystem(elsewhere.path()).programDirectoryIsTemporary());
}
#endif
