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

FileCause causeOf(int errorNumber) {
  using enum FileCause;
  // clang-format off
  static constexpr std::pair<int, FileCause> kCauses[] = {
      {ENOENT, NotFound},         {EACCES, Denied},            {EPERM, Denied},
      {EEXIST, FileExists},       {ENOTDIR, NotAFolder},       {EISDIR, FolderInTheWay},
      {ENOSPC, DiskFull},         {EDQUOT, QuotaReached},      {EFBIG, FileTooLarge},
      {EROFS, ReadOnlyPlace},     {ENAMETOOLONG, NameTooLong}, {ELOOP, LinkLoop},
      {EMLINK, TooManyLinks},     {ETXTBSY, InUse},            {EBUSY, InUse},
      {ENXIO, NotRegularFile},    {ENODEV, NotRegularFile},    {EMFILE, TooManyOpenFiles},
      {ENFILE, TooManyOpenFiles}, {ENOMEM, NoMemory},          {EINTR, Interrupted},
      {EAGAIN, Interrupted},      {EIO, InputOutput}};
  // clang-format on
  for (const auto& [number, cause] : kCauses) {
    if (number == errorNumber) return cause;
  }
  return System;
}

FileError systemError(FileError::Operation op, const std::string& path, int errorNumber,
                      bool denied) {
  const FileCause cause = causeOf(errorNumber);
  return FileError(op, path, cause,
                   cause == FileCause::System ? Message(std::strerror(errorNumber)) : Message(),
                   denied);
}

namespace {

[[noreturn]] void fail(FileError::Operation op, const std::string& path, int err,
                       bool denied = false) {
  throw systemError(op, path, err, denied);
}

bool deniedError(int err) {
  return err == EACCES || err == EPERM || err == EROFS;
}

// Whether a failed look says the path is not there, as against not being able to tell.
bool notThere(int err) {
  return err == ENOENT || err == ENOTDIR || err == ENAMETOOLONG;
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

bool LocalFileSystem::isWindows() const {
  return false;
}

bool LocalFileSystem::programDirectoryIsTemporary() const {
  // No system empties a folder behind a running program's back here; users and tests run
  // from /tmp.
  return false;
}

std::optional<FileCause> LocalFileSystem::lengthProblem(const std::string& path, bool) const {
  const std::string folder = path.substr(0, path.rfind('/') + 1);
  long nameMax = ::pathconf(folder.empty() ? "." : folder.c_str(), _PC_NAME_MAX);
  if (nameMax <= 0) nameMax = NAME_MAX;
  const std::size_t nameLength = path.size() - folder.size();
  if (nameLength > static_cast<std::size_t>(nameMax) || path.size() >= PATH_MAX) {
    return FileCause::NameTooLong;
  }
  return std::nullopt;
}

void LocalFileSystem::makeDirectory(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) != 0) {
    const int err = errno;
    if (err == EEXIST)
      throw FileError(FileError::Operation::MakeDirectory, path, FileCause::FolderExists);
    fail(FileError::Operation::MakeDirectory, path, err, deniedError(err));
  }
}

bool LocalFileSystem::isDirectory(const std::string& path) const {
  struct stat st {};
  if (::stat(path.c_str(), &st) == 0) return S_ISDIR(st.st_mode);
  if (notThere(errno)) return false;
  fail(FileError::Operation::Look, path, errno);
}

std::vector<FileSystem::Entry> LocalFileSystem::entries(const std::string& dir) const {
  std::vector<Entry> found;
  DIR* d = ::opendir(dir.c_str());
  if (!d) {
    if (notThere(errno)) return found;
    fail(FileError::Operation::Look, dir, errno);
  }
  for (;;) {
    errno = 0;
    const dirent* entry = ::readdir(d);
    if (!entry) break;
    const std::string name = entry->d_name;
    if (name == "." || name == "..") continue;
    try {
      found.push_back({name, isDirectory(dir + "/" + name)});
    } catch (...) {
      ::closedir(d);
      throw;
    }
  }
  const int err = errno;
  ::closedir(d);
  if (err != 0) fail(FileError::Operation::Look, dir, err);
  return found;
}

std::optional<std::string> LocalFileSystem::nameOnDisk(const std::string& path) const {
  // Names here are taken as they are written: no folding, no short names.
  struct stat st {};
  if (::lstat(path.c_str(), &st) != 0) {
    if (notThere(errno)) return std::nullopt;
    fail(FileError::Operation::Look, path, errno);
  }
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
// the pattern that can be locked was left by a writer that died: it is removed. A linked one
// was locked before it had its name, and a named one is written only once it is locked, so
// either with content goes at once. Only an empty named one may be a writer's that is yet to
// lock it: that one is taken only once it is older than that moment could ever be.
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
    // The lock first: a writer's file does not change while it is held.
    if (::flock(fd, LOCK_EX | LOCK_NB) == 0 && ::fstat(fd, &held) == 0 && S_ISREG(held.st_mode) &&
        (linked || held.st_size > 0 || held.st_mtime + kStaleAfterSeconds < now) &&
        ::lstat(path.c_str(), &named) == 0 && named.st_ino == held.st_ino &&
        named.st_dev == held.st_dev) {
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

namespace {

using Op = FileError::Operation;

// The target as it stands: nothing, or a regular file that may be replaced (whose mode the
// new file keeps); a folder, a device or a read-only file in its place is refused.
std::optional<mode_t> checkedTarget(const std::string& path) {
  struct stat old {};
  if (::stat(path.c_str(), &old) != 0) {
    if (notThere(errno)) return std::nullopt;
    fail(Op::Write, path, errno, deniedError(errno));
  }
  if (S_ISDIR(old.st_mode)) fail(Op::Write, path, EISDIR);
  if (!S_ISREG(old.st_mode)) throw FileError(Op::Write, path, FileCause::NotRegularFile);
  // A file without any write permission is read-only for the user, even for root.
  if ((old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    throw FileError(Op::Write, path, FileCause::ReadOnlyFile);
  }
  return old.st_mode & 07777;
}

// The new content beside the target, locked while it is written: unnamed where the file system
// allows it (so a crash leaves nothing), linked under a temporary name once complete, and then
// committed by the rename over the target. Failures are the target's; the folder is blamed
// (for the advice to move the program) only before the temporary file stands in it.
class TemporaryFile {
 public:
  TemporaryFile(std::string target, std::string folder)
      : target_(std::move(target)), folder_(std::move(folder)) {
    // The name is given later through /proc, so it must be there.
    static const bool procFd = ::access("/proc/self/fd", X_OK) == 0;
    unnamed_ = procFd && !namedTemporaryFiles;
    fd_ = unnamed_ ? ::open(folder_.c_str(), O_TMPFILE | O_WRONLY | O_CLOEXEC, 0666) : -1;
    if (unnamed_ && fd_ < 0) {
      if (errno != EOPNOTSUPP && errno != EISDIR && errno != EINVAL) failed(errno);
      unnamed_ = false;
    }
    for (int attempt = 0; !unnamed_ && fd_ < 0 && attempt < 16; ++attempt) {
      name_ = folder_ + "/" + freshTempName();
      fd_ = ::open(name_.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
      if (fd_ < 0 && errno != EEXIST) failed(errno);
    }
    if (fd_ < 0) failed(EEXIST);
    created_ = true;
    ::flock(fd_, LOCK_EX);  // held until the rename: a sweep leaves it alone
  }
  TemporaryFile(const TemporaryFile&) = delete;
  TemporaryFile& operator=(const TemporaryFile&) = delete;
  ~TemporaryFile() {
    if (fd_ >= 0) ::close(fd_);
    if (!committed_ && !name_.empty()) ::unlink(name_.c_str());
  }

  void write(const std::string& bytes, std::optional<mode_t> mode) {
    if (!writeAll(fd_, bytes)) failed(errno);
    if (mode) ::fchmod(fd_, *mode);
    if (!flush(fd_)) failed(errno);
  }

  // The finished file gets its temporary name only now, for the rename over the target.
  void name() {
    if (!unnamed_) return;
    const std::string self = "/proc/self/fd/" + std::to_string(fd_);
    for (int attempt = 0; name_.empty() && attempt < 16; ++attempt) {
      std::string candidate = folder_ + "/" + freshTempName(kLinkedPrefix);
      if (::linkat(AT_FDCWD, self.c_str(), AT_FDCWD, candidate.c_str(), AT_SYMLINK_FOLLOW) == 0) {
        name_ = candidate;
      } else if (errno != EEXIST) {
        failed(errno);
      }
    }
    if (name_.empty()) failed(EEXIST);
  }

  // The rename over the target, and the folder flushed: the new name is durable only then,
  // and a folder that cannot be opened for that, or refuses it, is a failed save.
  void commit() {
    if (faultAfterNaming) faultAfterNaming();
    if (::rename(name_.c_str(), target_.c_str()) != 0) failed(errno);
    committed_ = true;
    ::close(fd_);
    fd_ = -1;
    const int dirFd = ::open(folder_.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (dirFd < 0) failed(errno);
    const bool flushed = flush(dirFd);
    const int err = errno;
    ::close(dirFd);
    if (!flushed && err != EINVAL) failed(err);  // EINVAL: a file system that cannot flush folders
  }

 private:
  [[noreturn]] void failed(int err) const {
    fail(Op::Write, target_, err, !created_ && deniedError(err));
  }

  std::string target_, folder_;
  std::string name_;  // the temporary name, once it has one
  int fd_ = -1;
  bool unnamed_ = false;
  bool created_ = false;
  bool committed_ = false;
};

}  // namespace

void LocalFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
  const std::optional<mode_t> mode = checkedTarget(path);
  const std::string folder = folderOf(path);
  removeStaleTemps(folder);
  TemporaryFile temp(path, folder);
  temp.write(bytes, mode);
  temp.name();
  temp.commit();
}

void LocalFileSystem::removeLeftovers(const std::string& folder) {
  removeStaleTemps(folder);
}

std::optional<std::string> LocalFileSystem::readPrefix(const std::string& path,
                                                       std::size_t limit) const {
  auto failed = [&](int err) { fail(FileError::Operation::Read, path, err); };
  // Non-blocking, so a pipe in the file's place cannot hang the program.
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC | O_NONBLOCK | O_NOCTTY);
  if (fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    failed(errno);
  }
  struct stat st {};
  if (::fstat(fd, &st) != 0) {
    int err = errno;
    ::close(fd);
    failed(err);
  }
  if (!S_ISREG(st.st_mode)) {
    ::close(fd);
    if (S_ISDIR(st.st_mode)) failed(EISDIR);
    throw FileError(FileError::Operation::Read, path, FileCause::NotRegularFile);
  }
  std::string out;
  char buf[8192];
  while (out.size() < limit) {
    ssize_t n = ::read(fd, buf, std::min(sizeof buf, limit - out.size()));
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      failed(err);
    }
    if (n == 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return out;
}

}  // namespace nubera
