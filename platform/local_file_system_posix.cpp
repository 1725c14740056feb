#include <dirent.h>
#include <fcntl.h>
#include <limits.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <csignal>
#include <cstring>
#include <ctime>
#include <random>
#include <string_view>

#include "platform/local_file_system.h"
#include "platform/temp_name.h"

namespace nubera {

std::string reasonText(int errorNumber) {
  // The reasons a user can meet in their own words; the system's text only as a last resort.
  switch (errorNumber) {
    case ENOENT:
      return "ファイルまたはフォルダーが見つかりません。";
    case EACCES:
    case EPERM:
      return "アクセスが拒否されました。";
    case EEXIST:
      return "同じ名前のファイルが既にあります。";
    case ENOTDIR:
      return "途中の名前がフォルダーではありません。";
    case EISDIR:
      return "同じ名前のフォルダーがあります。";
    case ENOSPC:
      return "ディスクの空き容量が足りません。";
    case EDQUOT:
      return "ディスクの使用量の上限に達しました。";
    case EFBIG:
      return "ファイルが大きすぎます。";
    case EROFS:
      return "読み取り専用の場所です。";
    case ENAMETOOLONG:
      return "名前が長すぎます。";
    case ELOOP:
      return "リンクが多すぎるか、リンクが自分自身を指しています。";
    case EMLINK:
      return "リンクが多すぎます。";
    case ETXTBSY:
    case EBUSY:
      return "ほかのプログラムが使用中です。";
    case ENXIO:
    case ENODEV:
      return "通常のファイルではありません。";
    case EMFILE:
    case ENFILE:
      return "開いているファイルが多すぎます。ほかのプログラムを閉じてから、もう一度試してください"
             "。";
    case ENOMEM:
      return "メモリが足りません。";
    case EINTR:
    case EAGAIN:
      return "処理が中断されました。もう一度試してください。";
    case EIO:
      return "入出力エラーが発生しました。";
    default:
      return std::strerror(errorNumber);
  }
}

namespace {

bool deniedError(int err) {
  return err == EACCES || err == EPERM || err == EROFS;
}

std::atomic<bool> namedTemporaryFiles{false};
void (*faultAfterNaming)() = nullptr;
std::atomic<unsigned long> flushes{0};

bool flush(int fd) {
  ++flushes;
  return ::fsync(fd) == 0;
}

}  // namespace

void LocalFileSystem::onFaultAfterNaming(void (*fault)()) {
  faultAfterNaming = fault;
}

void LocalFileSystem::useNamedTemporaryFiles(bool named) {
  namedTemporaryFiles = named;
}

unsigned long LocalFileSystem::flushCount() {
  return flushes;
}

LocalFileSystem::LocalFileSystem(std::string programDirectory)
    : programDirectory_(std::move(programDirectory)) {
  // Past a file-size limit a write must fail with EFBIG and reach the user as a message; the
  // signal's default action would end the program silently.
  ::signal(SIGXFSZ, SIG_IGN);
  while (programDirectory_.size() > 1 && programDirectory_.back() == '/') {
    programDirectory_.pop_back();
  }
}

std::string LocalFileSystem::executableDirectory() {
  char buf[4096];
  ssize_t n = ::readlink("/proc/self/exe", buf, sizeof buf - 1);
  if (n <= 0) return ".";
  std::string path(buf, static_cast<std::size_t>(n));
  auto slash = path.rfind('/');
  return slash == 0 ? "/" : path.substr(0, slash);
}

char LocalFileSystem::separator() const {
  return '/';
}

bool LocalFileSystem::programDirectoryIsTemporary() const {
  // No system empties a folder behind a running program's back here; users and tests run
  // from /tmp.
  return false;
}

std::optional<std::string> LocalFileSystem::lengthProblem(const std::string& path, bool) const {
  const std::string folder = path.substr(0, path.rfind('/') + 1);
  long nameMax = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  if (nameMax <= 0) nameMax = NAME_MAX;
  const std::size_t nameLength = path.size() - folder.size();
  if (nameLength > static_cast<std::size_t>(nameMax) || path.size() >= PATH_MAX) {
    return reasonText(ENAMETOOLONG);
  }
  return std::nullopt;
}

void LocalFileSystem::makeDirectory(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) != 0) {
    int err = errno;
    std::string reason =
        err == EEXIST ? "同じ名前のフォルダーまたはファイルが既にあります。" : reasonText(err);
    throw FileError(FileError::Operation::MakeDirectory, path, reason, deniedError(err));
  }
}

bool LocalFileSystem::isDirectory(const std::string& path) const {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

std::vector<FileSystem::Entry> LocalFileSystem::entries(const std::string& dir) const {
  std::vector<Entry> found;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return found;
  while (const dirent* entry = ::readdir(d)) {
    const std::string name = entry->d_name;
    if (name != "." && name != "..") found.push_back({name, isDirectory(dir + "/" + name)});
  }
  ::closedir(d);
  return found;
}

std::optional<std::string> LocalFileSystem::nameOnDisk(const std::string& path) const {
  // Names here are taken as they are written: no folding, no short names.
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) return std::nullopt;
  return path.substr(path.rfind('/') + 1);
}

namespace {

std::string freshTempName(std::string_view prefix = kNamedPrefix) {
  static std::mt19937 random{std::random_device{}()};
  return tempName(static_cast<unsigned>(random()), prefix);
}

std::string folderOf(const std::string& path) {
  auto slash = path.rfind('/');
  if (slash == std::string::npos) return ".";
  return slash == 0 ? "/" : path.substr(0, slash);
}

// A writer holds an exclusive lock on its temporary file until it is renamed, so a file of
// the pattern that can be locked was left by a writer that died: it is removed. A named
// temporary file exists for a moment before its writer can lock it, so only one older than
// that moment could ever be is taken; a linked one was locked before it had its name, so it
// goes at once, and a pass after a kill leaves none in the folder the user uploads.
constexpr std::time_t kStaleAfterSeconds = 120;

void removeStaleTemps(const std::string& folder) {
  const std::time_t now = std::time(nullptr);
  DIR* dir = ::opendir(folder.c_str());
  if (!dir) return;
  while (const dirent* entry = ::readdir(dir)) {
    const bool linked = isTempName(entry->d_name, kLinkedPrefix);
    if (!linked && !isTempName(entry->d_name)) continue;
    const std::string path = folder + "/" + entry->d_name;
    int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK | O_NOCTTY);
    if (fd < 0) continue;
    struct stat held {
    }, named{};
    if (::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
        (linked || held.st_mtime + kStaleAfterSeconds < now) &&
        ::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::lstat(path.c_str(), &named) == 0 &&
        named.st_ino == held.st_ino && named.st_dev == held.st_dev) {
      ::unlink(path.c_str());
    }
    ::close(fd);
  }
  ::closedir(dir);
}

bool writeAll(int fd, const std::string& bytes) {
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      return false;
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  return true;
}

}  // namespace

void LocalFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
  // Once a temporary file stands in the folder, the folder is writable: a later refusal is the
  // file's own (held by another program, say), not a reason to move the program.
  bool created = false;
  auto fail = [&](int err) {
    throw FileError(FileError::Operation::Write, path, reasonText(err),
                    !created && deniedError(err));
  };
  struct stat old {};
  bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) fail(EISDIR);
  if (exists && !S_ISREG(old.st_mode)) {
    throw FileError(FileError::Operation::Write, path, "通常のファイルではありません。");
  }
  // A file without any write permission is read-only for the user, even for root.
  if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    throw FileError(FileError::Operation::Write, path, "読み取り専用のファイルです。");
  }
  const std::string folder = folderOf(path);
  removeStaleTemps(folder);

  // Unnamed while it is written, where the file system allows it, so a crash leaves nothing.
  // The name is given later through /proc, so it must be there.
  static const bool procFd = ::access("/proc/self/fd", X_OK) == 0;
  bool unnamed = procFd && !namedTemporaryFiles;
  int fd = unnamed ? ::open(folder.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666) : -1;
  if (unnamed && fd < 0) {
    if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) fail(errno);
    unnamed = false;
  }
  std::string temp;
  for (int attempt = 0; !unnamed && fd < 0 && attempt < 16; ++attempt) {
    temp = folder + "/" + freshTempName();
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) fail(errno);
  }
  if (fd < 0) fail(EEXIST);
  created = true;
  ::flock(fd, LOCK_EX);

  auto abandon = [&](int err) {
    ::close(fd);
    if (!temp.empty()) ::unlink(temp.c_str());
    fail(err);
  };
  if (!writeAll(fd, bytes)) abandon(errno);
  if (exists) ::fchmod(fd, old.st_mode & 07777);
  if (!flush(fd)) abandon(errno);
  if (unnamed) {
    // The finished file gets its temporary name only now, for the rename over the old one.
    const std::string self = "/proc/self/fd/" + std::to_string(fd);
    for (int attempt = 0; temp.empty() && attempt < 16; ++attempt) {
      std::string candidate = folder + "/" + freshTempName(kLinkedPrefix);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        temp = candidate;
      } else if (errno != EEXIST) {
        abandon(errno);
      }
    }
    if (temp.empty()) abandon(EEXIST);
    if (faultAfterNaming) faultAfterNaming();
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) abandon(errno);
  ::close(fd);
  // The new name is only durable once the folder itself is flushed. A folder the user may
  // write but not list cannot be opened for that; the file is in place all the same.
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0) return;
  const bool flushed = flush(dirFd);
  const int err = errno;
  ::close(dirFd);
  if (!flushed && err != EINVAL) fail(err);  // EINVAL: a file system that cannot flush folders
}

std::optional<std::string> LocalFileSystem::readPrefix(const std::string& path,
                                                       std::size_t limit) const {
  auto fail = [&](int err) { throw FileError(FileError::Operation::Read, path, reasonText(err)); };
  // Non-blocking, so a pipe in the file's place cannot hang the program.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    fail(errno);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    int err = errno;
    ::close(fd);
    fail(err);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    if (S_ISDIR(st.st_mode)) fail(EISDIR);
    throw FileError(FileError::Operation::Read, path, "通常のファイルではありません。");
  }
  std::string out;
  char buf[8192];
  while (out.size() < limit) {
    ssize_t n = ::read(fd, buf, std::min(sizeof buf, limit - out.size()));
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      fail(err);
    }
    if (n == 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return out;
}

}  // namespace nubera
