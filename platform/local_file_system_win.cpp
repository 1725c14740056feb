// The real disk on Windows: wide-character paths, "\" as separator.

#include <windows.h>

#include <algorithm>

#include "platform/local_file_system.h"
#include "platform/temp_name.h"
#include "platform/win32/utf.h"

namespace nubera {

using win32::wide;

namespace {

[[noreturn]] void fail(FileError::Operation op, const std::string& path, DWORD error) {
  throw FileError(op, path, win32::systemMessage(error),
                  error == ERROR_ACCESS_DENIED || error == ERROR_WRITE_PROTECT);
}

}  // namespace

std::string reasonText(int errorNumber) {
  return win32::systemMessage(errorNumber);
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
  for (;;) {
    DWORD n = GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size()));
    if (n < path.size()) {
      path.resize(n);
      break;
    }
    path.resize(path.size() * 2);
  }
  auto slash = path.rfind(L'\\');
  std::wstring dir = slash == std::wstring::npos ? L"." : path.substr(0, slash);
  if (dir.size() == 2 && dir[1] == L':') dir += L'\\';
  return win32::utf8(dir);
}

char LocalFileSystem::separator() const {
  return '\\';
}

void LocalFileSystem::makeDirectory(const std::string& path) {
  if (!CreateDirectoryW(wide(path).c_str(), nullptr)) {
    DWORD err = GetLastError();
    if (err == ERROR_ALREADY_EXISTS) {
      throw FileError(FileError::Operation::MakeDirectory, path,
                      "同じ名前のフォルダーまたはファイルが既にあります。");
    }
    fail(FileError::Operation::MakeDirectory, path, err);
  }
}

bool LocalFileSystem::isDirectory(const std::string& path) const {
  DWORD attributes = GetFileAttributesW(wide(path).c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
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

}  // namespace

void LocalFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
  using Op = FileError::Operation;
  const std::wstring target = wide(path);
  DWORD attributes = GetFileAttributesW(target.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES) {
    if (attributes & FILE_ATTRIBUTE_DIRECTORY) {
      throw FileError(Op::Write, path, "同じ名前のフォルダーがあります。");
    }
    if (attributes & FILE_ATTRIBUTE_READONLY) {
      throw FileError(Op::Write, path, "読み取り専用のファイルです。");
    }
  }
  const auto slash = target.find_last_of(L"\\/");
  const std::wstring folder = slash == std::wstring::npos ? L"." : target.substr(0, slash);
  removeStaleTemps(folder);

  std::wstring temp;
  HANDLE h = INVALID_HANDLE_VALUE;
  for (unsigned attempt = 0; h == INVALID_HANDLE_VALUE && attempt < 16; ++attempt) {
    temp = folder + L"\\" + freshTempName();
    h = CreateFileW(temp.c_str(), GENERIC_WRITE | DELETE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_NORMAL, nullptr);
    if (h == INVALID_HANDLE_VALUE && GetLastError() != ERROR_FILE_EXISTS) {
      fail(Op::Write, path, GetLastError());
    }
  }
  if (h == INVALID_HANDLE_VALUE) fail(Op::Write, path, ERROR_FILE_EXISTS);
  // Marked for deletion while it is written, so a crash leaves no name behind.
  const bool pending = setDeletePending(h, true);
  auto abandon = [&](DWORD err) {
    CloseHandle(h);
    DeleteFileW(temp.c_str());
    fail(Op::Write, path, err);
  };
  DWORD written = 0;
  if (!bytes.empty() &&
      (!WriteFile(h, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
       written != bytes.size())) {
    abandon(GetLastError());
  }
  if (!FlushFileBuffers(h)) abandon(GetLastError());
  if (pending && !setDeletePending(h, false)) abandon(GetLastError());
  CloseHandle(h);
  if (!MoveFileExW(temp.c_str(), target.c_str(),
                   MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    DWORD err = GetLastError();
    DeleteFileW(temp.c_str());
    fail(Op::Write, path, err);
  }
}

std::optional<std::string> LocalFileSystem::readPrefix(const std::string& path,
                                                       std::size_t limit) const {
  if (isDirectory(path)) {
    throw FileError(FileError::Operation::Read, path, "同じ名前のフォルダーがあります。");
  }
  HANDLE h = CreateFileW(wide(path).c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE,
                         nullptr, OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
  if (h == INVALID_HANDLE_VALUE) {
    DWORD err = GetLastError();
    if (err == ERROR_FILE_NOT_FOUND || err == ERROR_PATH_NOT_FOUND) return std::nullopt;
    fail(FileError::Operation::Read, path, err);
  }
  if (GetFileType(h) != FILE_TYPE_DISK) {
    CloseHandle(h);
    throw FileError(FileError::Operation::Read, path, "通常のファイルではありません。");
  }
  std::string out;
  char buffer[8192];
  DWORD n = 0;
  while (out.size() < limit) {
    DWORD want = static_cast<DWORD>(std::min<std::size_t>(sizeof buffer, limit - out.size()));
    if (!ReadFile(h, buffer, want, &n, nullptr)) {
      DWORD err = GetLastError();
      CloseHandle(h);
      fail(FileError::Operation::Read, path, err);
    }
    if (n == 0) break;
    out.append(buffer, n);
  }
  CloseHandle(h);
  return out;
}

}  // namespace nubera
