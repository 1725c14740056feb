#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <random>

#include "platform/local_file_system.h"

namespace nubera {

std::string reasonText(int errorNumber) {
  switch (errorNumber) {
    case ENOENT:
      return "フォルダーが見つかりません。";
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
    case EROFS:
      return "読み取り専用の場所です。";
    case ENAMETOOLONG:
      return "名前が長すぎます。";
    case EIO:
      return "入出力エラーが発生しました。";
    default:
      return std::strerror(errorNumber);
  }
}

LocalFileSystem::LocalFileSystem(std::string programDirectory)
    : programDirectory_(std::move(programDirectory)) {
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
bool LocalFileSystem::windowsNames() const {
  return false;
}

void LocalFileSystem::makeDirectory(const std::string& path) {
  if (::mkdir(path.c_str(), 0777) != 0) {
    int err = errno;
    std::string reason =
        err == EEXIST ? "同じ名前のフォルダーまたはファイルが既にあります。" : reasonText(err);
    throw FileError(FileError::Operation::MakeDirectory, path, reason);
  }
}

bool LocalFileSystem::isDirectory(const std::string& path) const {
  struct stat st {};
  return ::stat(path.c_str(), &st) == 0 && S_ISDIR(st.st_mode);
}

void LocalFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
  auto fail = [&](int err) { throw FileError(FileError::Operation::Write, path, reasonText(err)); };
  struct stat old {};
  bool exists = ::stat(path.c_str(), &old) == 0;
  if (exists && S_ISDIR(old.st_mode)) fail(EISDIR);
  // A file without any write permission is read-only for the user, even for root.
  if (exists && (old.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0) {
    throw FileError(FileError::Operation::Write, path, "読み取り専用のファイルです。");
  }

  static std::mt19937_64 random{std::random_device{}()};
  std::string temp;
  int fd = -1;
  for (int attempt = 0; fd < 0 && attempt < 16; ++attempt) {
    temp = path + ".tmp" + std::to_string(random() % 1000000000);
    fd = ::open(temp.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd < 0 && errno != EEXIST) fail(errno);
  }
  if (fd < 0) fail(EEXIST);

  auto abandon = [&](int err) {
    ::close(fd);
    ::unlink(temp.c_str());
    fail(err);
  };
  const char* data = bytes.data();
  std::size_t left = bytes.size();
  while (left > 0) {
    ssize_t n = ::write(fd, data, left);
    if (n < 0) {
      if (errno == EINTR) continue;
      abandon(errno);
    }
    data += n;
    left -= static_cast<std::size_t>(n);
  }
  if (exists) ::fchmod(fd, old.st_mode & 07777);
  if (::fsync(fd) != 0) abandon(errno);
  if (::close(fd) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    fail(err);
  }
  if (::rename(temp.c_str(), path.c_str()) != 0) {
    int err = errno;
    ::unlink(temp.c_str());
    fail(err);
  }
}

std::optional<std::string> LocalFileSystem::readFile(const std::string& path) const {
  int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    if (errno == ENOENT) return std::nullopt;
    throw FileError(FileError::Operation::Read, path, reasonText(errno));
  }
  std::string out;
  char buf[8192];
  for (;;) {
    ssize_t n = ::read(fd, buf, sizeof buf);
    if (n < 0) {
      if (errno == EINTR) continue;
      int err = errno;
      ::close(fd);
      throw FileError(FileError::Operation::Read, path, reasonText(err));
    }
    if (n == 0) break;
    out.append(buf, static_cast<std::size_t>(n));
  }
  ::close(fd);
  return out;
}

}  // namespace nubera
