// The real disk on Windows: wide-character paths, "\" as separator.

#include <windows.h>

#include <algorithm>
#include <atomic>
#include <vector>

#include "platform/local_file_system.h"
#include "platform/temp_name.h"
#include "platform/win32/utf.h"

namespace nubera {

using win32::wide;
using Op = FileError::Operation;

namespace {

[[noreturn]] void fail(FileError::Operation op, const std::string& path, DWORD error,
                       bool denied = true) {
  throw systemError(op, path, static_cast<int>(error),
                    denied && (error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT));
}

std::atomic<unsigned long> flushes{0};

bool flush(HANDLE h) {
  ++flushes;
  return FlushFileBuffers(h);
}

// Whether an existing path is a file on a disk, not a device or a pipe; asked without
// reading or writing it, so a pipe cannot block.
bool regularFile(const std::wstring& path) {
  HANDLE h = CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                         FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
                         OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
  if (h == INVALID_HANDLE_VALUE) return true;  // the write will say what is wrong
  const bool disk = GetFileType(h) == FILE_TYPE_DISK;
  CloseHandle(h);
  return disk;
}

// A file held for a moment by another copy is tried again every 20 ms for a second.
constexpr int kTries = 50;
constexpr DWORD kRetryMilliseconds = 20;

}  // namespace

bool saveRetries(unsigned long err) {
  return err == ERROR_ACCESS_DENIED || err == ERROR_SHARING_VIOLATION ||
         err == ERROR_LOCK_VIOLATION || err == ERROR_USER_MAPPED_FILE;
}

bool readRetries(unsigned long err) {
  return err == ERROR_SHARING_VIOLATION || err == ERROR_LOCK_VIOLATION ||
         err == ERROR_DELETE_PENDING;
}

void LocalFileSystem::useNamedTemporaryFiles(bool) {}
void LocalFileSystem::onFaultAfterNaming(void (*)()) {}

unsigned long LocalFileSystem::flushCount() {
  return flushes;
}

FileCause causeOf(int errorNumber) {
  using enum FileCause;
  // 1295 is ERROR_DISK_QUOTA_EXCEEDED, which MinGW-w64 does not name.
  // clang-format off
  static constexpr std::pair<DWORD, FileCause> kCauses[] = {
      {ERROR_FILE_NOT_FOUND, NotFound},       {ERROR_PATH_NOT_FOUND, NotFound},
      {ERROR_BAD_NETPATH, NotFound},          {ERROR_INVALID_DRIVE, NotFound},
      {ERROR_ACCESS_DENIED, Denied},          {ERROR_SHARING_VIOLATION, InUse},
      {ERROR_LOCK_VIOLATION, InUse},          {ERROR_USER_MAPPED_FILE, InUse},
      {ERROR_WRITE_PROTECT, ReadOnlyPlace},   {ERROR_HANDLE_DISK_FULL, DiskFull},
      {ERROR_DISK_FULL, DiskFull},            {1295, QuotaReached},
      {ERROR_NOT_ENOUGH_QUOTA, QuotaReached}, {ERROR_FILE_TOO_LARGE, FileTooLarge},
      {ERROR_FILENAME_EXCED_RANGE, NameTooLong}, {ERROR_BUFFER_OVERFLOW, NameTooLong},
      {ERROR_INVALID_NAME, BadName},          {ERROR_BAD_PATHNAME, BadName},
      {ERROR_ALREADY_EXISTS, FileExists},     {ERROR_FILE_EXISTS, FileExists},
      {ERROR_DIRECTORY, NotAFolder},          {ERROR_CANT_RESOLVE_FILENAME, LinkLoop},
      {ERROR_TOO_MANY_LINKS, LinkLoop},       {ERROR_NOT_READY, DriveNotReady},
      {ERROR_TOO_MANY_OPEN_FILES, TooManyOpenFiles}, {ERROR_NOT_ENOUGH_MEMORY, NoMemory},
      {ERROR_OUTOFMEMORY, NoMemory},          {ERROR_CRC, InputOutput},
      {ERROR_GEN_FAILURE, InputOutput},       {ERROR_IO_DEVICE, InputOutput},
      {ERROR_NETWORK_ACCESS_DENIED, NetworkDenied}};
  // clang-format on
  for (const auto& [number, cause] : kCauses) {
    if (number == static_cast<DWORD>(errorNumber)) return cause;
  }
  return System;
}

FileError systemError(FileError::Operation op, const std::string& path, int errorNumber,
                      bool denied) {
  const FileCause cause = causeOf(errorNumber);
  return FileError(op, path, cause,
                   cause == FileCause::System
                       ? win32::systemMessage(static_cast<DWORD>(errorNumber))
                       : Message(),
                   denied);
}

LocalFileSystem::LocalFileSystem(std::string programDirectory)
    : programDirectory_(std::move(programDirectory)) {
  for (char& c : programDirectory_) {
    if (c == '/') c = '\\';
  }
  // No trailing "\" except at the root of a drive ("C:\").
  while (programDirectory_.size() > 3 && programDirectory_.back() == '\\') {
    programDirectory_.pop_back();
  }
}

std::string LocalFileSystem::executableDirectory() {
  std::wstring path(MAX_PATH, L'\0');
  DWORD n = 0;
  while ((n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()))) >=
         path.size()) {
    path.resize(path.size() * 2);  // a path longer than MAX_PATH
  }
  path.resize(n);
  auto slash = path.rfind(L'\\');
  std::wstring dir = slash == std::wstring::npos ? L"." : path.substr(0, slash);
  if (dir.size() == 2 && dir[1] == L':') dir += L'\\';
  return win32::utf8(dir);
}

bool LocalFileSystem::isWindows() const {
  return true;
}

namespace {

// The long form of an existing folder's path (no 8.3 short names), folded to upper case, with
// a "\" at its end, so that one path can be seen to lie in another.
std::wstring comparablePath(const std::wstring& path) {
  std::wstring out(32768, L'\0');
  const DWORD n = GetLongPathNameW(path.c_str(), out.data(), static_cast<DWORD>(out.size()));
  out = n == 0 || n >= out.size() ? path : out.substr(0, n);
  if (out.empty() || out.back() != L'\\') out += L'\\';
  CharUpperBuffW(out.data(), static_cast<DWORD>(out.size()));
  return out;
}

}  // namespace

bool LocalFileSystem::programDirectoryIsTemporary() const {
  wchar_t temp[MAX_PATH + 2];
  const DWORD n = GetTempPathW(MAX_PATH + 2, temp);
  if (n == 0 || n > MAX_PATH + 1) return false;
  return comparablePath(wide(programDirectory_)).starts_with(comparablePath(temp));
}

std::optional<FileCause> LocalFileSystem::lengthProblem(const std::string& path,
                                                        bool folder) const {
  // Paths are handed to the system as they are, so the classic limits hold: 255 characters a
  // name, 259 a file's path (also for the temporary file beside it) and 247 a new folder's.
  // Said so, rather than with the reason the system gives, which names neither.
  const std::wstring w = wide(path);
  const auto slash = w.find_last_of(L"\\/");
  const std::size_t folderLength = slash == std::wstring::npos ? 0 : slash;
  if (w.size() - (slash == std::wstring::npos ? 0 : slash + 1) > 255) return FileCause::NameTooLong;
  if (folder && w.size() > MAX_PATH - 13) return FileCause::FolderPathTooLong;
  if (folder) return std::nullopt;
  const std::size_t tempLength = folderLength + 1 + tempName(0).size();
  if (std::max(tempLength, w.size()) <= MAX_PATH - 1) return std::nullopt;
  return FileCause::FilePathTooLong;
}

void LocalFileSystem::makeDirectory(const std::string& path) {
  if (auto cause = lengthProblem(path, true)) throw FileError(Op::MakeDirectory, path, *cause);
  if (CreateDirectoryW(wide(path).c_str(), nullptr)) return;
  const DWORD err = GetLastError();
  if (err == ERROR_ALREADY_EXISTS)
    throw FileError(Op::MakeDirectory, path, FileCause::FolderExists);
  fail(Op::MakeDirectory, path, err);
}

namespace {

// Whether a failed look says the path is not there, as against not being able to tell.
bool notThere(DWORD err) {
  return err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND || err == ERROR_INVALID_NAME ||
         err == ERROR_BAD_PATHNAME || err == ERROR_DIRECTORY || err == ERROR_FILENAME_EXCED_RANGE ||
         err == ERROR_INVALID_DRIVE;
}

}  // namespace

bool LocalFileSystem::isDirectory(const std::string& path) const {
  DWORD attributes = GetFileAttributesW(wide(path).c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) return (attributes & FILE_ATTRIBUTE_DIRECTORY) != 0;
  const DWORD err = GetLastError();
  if (notThere(err)) return false;
  fail(Op::Look, path, err, false);
}

std::vector<FileSystem::Entry> LocalFileSystem::entries(const std::string& dir) const {
  std::vector<Entry> names;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((wide(dir) + L"\\*").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD err = GetLastError();
    if (notThere(err)) return names;
    fail(Op::Look, dir, err, false);
  }
  do {
    const std::wstring name = found.cFileName;
    if (name != L"." && name != L"..") {
      names.push_back(
          {win32::utf8(name), (found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) != 0});
    }
  } while (FindNextFileW(find, &found));
  const DWORD err = GetLastError();
  FindClose(find);
  if (err != ERROR_NO_MORE_FILES) fail(Op::Look, dir, err, false);
  return names;
}

std::optional<std::string> LocalFileSystem::nameOnDisk(const std::string& path) const {
  // Asked for one name without wildcards, the system answers with the long name it keeps,
  // also when the path took another letter case or a short name.
  const std::wstring w = wide(path);
  if (w.find_first_of(L"*?") != std::wstring::npos) return std::nullopt;
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW(w.c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) {
    const DWORD err = GetLastError();
    if (notThere(err)) return std::nullopt;
    fail(Op::Look, path, err, false);
  }
  FindClose(find);
  return win32::utf8(found.cFileName);
}

namespace {

std::wstring freshTempName() {
  static unsigned state = GetTickCount() ^ (GetCurrentProcessId() << 16);
  state = state * 1664525u + 1013904223u;
  return wide(tempName(state));
}

// A writer opens its temporary file without sharing until it is renamed, so one of the
// pattern that can be deleted was left by a writer that died.
void removeStaleTemps(const std::wstring& folder) {
  WIN32_FIND_DATAW found;
  HANDLE find = FindFirstFileW((folder + L"\\~nb*.tmp").c_str(), &found);
  if (find == INVALID_HANDLE_VALUE) return;
  do {
    if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) &&
        isTempName(win32::utf8(found.cFileName))) {
      DeleteFileW((folder + L"\\" + found.cFileName).c_str());
    }
  } while (FindNextFileW(find, &found));
  FindClose(find);
}

bool setDeletePending(HANDLE h, bool pending) {
  FILE_DISPOSITION_INFO info{};
  info.DeleteFile = pending;
  return SetFileInformationByHandle(h, FileDispositionInfo, &info, sizeof info);
}

// Renames the open file over the target, so that no other process can take it between the
// write and the rename (another instance's sweep deletes what it can delete).
bool renameOpenFile(HANDLE h, const std::wstring& target) {
  const std::size_t size = sizeof(FILE_RENAME_INFO) + target.size() * sizeof(wchar_t);
  std::vector<unsigned char> buffer(size, 0);
  auto* info = reinterpret_cast<FILE_RENAME_INFO*>(buffer.data());
  info->ReplaceIfExists = TRUE;
  info->RootDirectory = nullptr;
  info->FileNameLength = static_cast<DWORD>(target.size() * sizeof(wchar_t));
  std::copy(target.begin(), target.end(), info->FileName);
  return SetFileInformationByHandle(h, FileRenameInfo, info, static_cast<DWORD>(size));
}

// Why the target cannot be replaced as a file: a folder, a read-only file or no file on a disk
// (a pipe) in its place, or a path too long; nothing when it can.
void checkTarget(const LocalFileSystem& fs, const std::string& path, const std::wstring& target) {
  const DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    throw FileError(Op::Write, path, FileCause::FolderInTheWay);
  }
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    throw FileError(Op::Write, path, FileCause::ReadOnlyFile);
  }
  // Also where the system gives no attributes (a pipe): it is asked what the name opens.
  if (!regularFile(target)) throw FileError(Op::Write, path, FileCause::NotRegularFile);
  if (auto cause = fs.lengthProblem(path, false)) throw FileError(Op::Write, path, *cause);
}

// The temporary file beside the target, open for writing and marked for deletion while it is
// written, so a crash leaves no name behind.
struct TemporaryFile {
  std::wstring path;
  HANDLE handle = INVALID_HANDLE_VALUE;
  bool pending = false;

  TemporaryFile(const std::string& target, const std::wstring& folder) {
    for (unsigned attempt = 0; handle == INVALID_HANDLE_VALUE && attempt < 16; ++attempt) {
      path = folder + L"\\" + freshTempName();
      // Shared for reading alone: once renamed, the file is still held while it is flushed,
      // and another copy reading it then must not fail; without delete sharing no other copy
      // can remove it before the rename.
      handle = CreateFileW(path.c_str(), GENERIC_WRITE | DELETE, FILE_SHARE_READ, nullptr,
                           CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
      if (handle == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
        fail(Op::Write, target, GetLastError());
      }
    }
    if (handle == INVALID_HANDLE_VALUE) fail(Op::Write, target, ERROR_FILE_EXISTS);
    pending = setDeletePending(handle, true);
  }
  // From the moment it exists the folder is known to be writable: a refusal is the target
  // file's own. Another program (a browser or a player showing the page) that holds the file
  // is said to, so the user closes it instead of moving the program.
  [[noreturn]] void abandon(const std::string& target, DWORD err) {
    if (pending) setDeletePending(handle, true);
    CloseHandle(handle);
    DeleteFileW(path.c_str());
    if (saveRetries(err)) throw FileError(Op::Write, target, FileCause::HeldOpen);
    fail(Op::Write, target, err, false);
  }
  void write(const std::string& target, const std::string& bytes) {
    DWORD written = 0;
    if (!bytes.empty() &&
        (!WriteFile(handle, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
         written != bytes.size())) {
      abandon(target, GetLastError());
    }
    if (!flush(handle)) abandon(target, GetLastError());
    if (pending && !setDeletePending(handle, false)) abandon(target, GetLastError());
  }
};

// Another instance saving the same page holds the target for a moment after its own rename:
// a refusal is tried again for a second before it counts as another program's. Renamed and
// flushed, which commits its new name with it: true; else the system's last error is left.
bool renamedOver(TemporaryFile& temp, const std::string& path, const std::wstring& target) {
  for (int attempt = 1;; ++attempt) {
    if (renameOpenFile(temp.handle, target)) {
      const bool flushed = flush(temp.handle);
      const DWORD err = GetLastError();
      CloseHandle(temp.handle);
      if (!flushed) fail(Op::Write, path, err, false);
      return true;
    }
    if (!saveRetries(GetLastError()) || attempt == kTries) return false;
    Sleep(kRetryMilliseconds);
  }
}

// A file system that cannot rename by handle: the classic way, through the folder.
void movedOver(const std::wstring& temp, const std::string& path, const std::wstring& target) {
  for (int attempt = 1;; ++attempt) {
    if (MoveFileExW(temp.c_str(), target.c_str(),
                    MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
      return;
    }
    const DWORD err = GetLastError();
    if (saveRetries(err) && attempt < kTries) {
      Sleep(kRetryMilliseconds);
      continue;
    }
    DeleteFileW(temp.c_str());
    if (saveRetries(err)) throw FileError(Op::Write, path, FileCause::HeldOpen);
    fail(Op::Write, path, err, false);
  }
}

}  // namespace

void LocalFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
  const std::wstring target = wide(path);
  checkTarget(*this, path, target);
  const auto slash = target.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash);
  removeStaleTemps(folder);
  TemporaryFile temp(path, folder);
  temp.write(path, bytes);
  if (renamedOver(temp, path, target)) return;
  const DWORD renameError = GetLastError();
  if (renameError != ERROR_INVALID_PARAMETER && renameError != ERROR_NOT_SUPPORTED &&
      renameError != ERROR_INVALID_FUNCTION && renameError != ERROR_CALL_NOT_IMPLEMENTED) {
    temp.abandon(path, renameError);
  }
  CloseHandle(temp.handle);
  movedOver(temp.path, path, target);
}

void LocalFileSystem::removeLeftovers(const std::string& folder) {
  removeStaleTemps(wide(folder));
}

std::optional<std::string> LocalFileSystem::readPrefix(const std::string& path,
                                                       std::size_t limit) const {
  if (isDirectory(path)) throw FileError(Op::Read, path, FileCause::FolderInTheWay);
  // Another copy replacing the file holds it for a moment (its rename and flush): a sharing
  // refusal is tried again for a second, as a write is. Every sharing is granted, so a
  // reader never stands in a writer's way either.
  HANDLE h = INVALID_HANDLE_VALUE;
  for (int attempt = 1;; ++attempt) {
    h = CreateFileW(wide(path).c_str(), GENERIC_READ,
                    FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr, OPEN_EXISTING,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h != INVALID_HANDLE_VALUE) break;
    const DWORD err = GetLastError();
    if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return std::nullopt;
    if (!readRetries(err) || attempt == kTries) fail(Op::Read, path, err);
    Sleep(kRetryMilliseconds);
  }
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    throw FileError(Op::Read, path, FileCause::NotRegularFile);
  }
  std::string out;
  char buffer[8192];
  for (DWORD n = 1; n > 0 && out.size() < limit; out.append(buffer, n)) {
    const DWORD want = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, limit - out.size()));
    if (!ReadFile(h, buffer, want, &n, nullptr)) {
      const DWORD err = GetLastError();
      CloseHandle(h);
      fail(Op::Read, path, err);
    }
  }
  CloseHandle(h);
  return out;
}

}  // namespace nubera
