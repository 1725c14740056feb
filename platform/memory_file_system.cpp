#include "platform/memory_file_system.h"

#include <algorithm>

#include "core/text.h"

namespace nubera {

MemoryFileSystem::MemoryFileSystem(std::string programDirectory)
    : programDirectory_(std::move(programDirectory)) {
  std::string k = key(programDirectory_);
  std::string made = programDirectory_;
  while (!k.empty()) {
    directories_.emplace(k, made);
    made = made.substr(0, std::min(made.size(), made.find_last_of("\\/")));
    std::string parent = parentKey(k);
    if (parent == k) break;
    k = parent;
  }
}

std::string MemoryFileSystem::key(const std::string& path) {
  std::string k;
  // Windows folds letter case, repeated separators, and ignores a trailing one.
  for (char c : foldCase(path)) {
    if (c == '/') c = '\\';
    if (c == '\\' && !k.empty() && k.back() == '\\') continue;
    k += c;
  }
  if (k.size() > 3 && k.back() == '\\') k.pop_back();
  if (k.size() == 3 && k.back() == '\\') k.pop_back();  // "c:\" is the drive "c:"
  return k;
}

std::string MemoryFileSystem::parentKey(const std::string& k) {
  auto slash = k.rfind('\\');
  return slash == std::string::npos ? k : k.substr(0, slash);
}

static bool badName(const std::string& path) {
  // Only the drive's colon may appear; the rest of Windows' reserved characters never.
  for (std::size_t i = 0; i < path.size(); ++i) {
    char c = path[i];
    if (c == ':' && i == 1) continue;
    if (std::string_view(":*?\"<>|").find(c) != std::string_view::npos) return true;
    if (static_cast<unsigned char>(c) < 0x20) return true;
  }
  return false;
}

void MemoryFileSystem::makeDirectory(const std::string& path) {
  using Op = FileError::Operation;
  if (badName(path)) throw FileError(Op::MakeDirectory, path, FileCause::BadName);
  std::string k = key(path);
  if (directories_.count(k) || files_.count(k)) {
    throw FileError(Op::MakeDirectory, path, FileCause::FolderExists);
  }
  if (!directories_.count(parentKey(k)))
    throw FileError(Op::MakeDirectory, path, FileCause::NotFound);
  if (readOnlyFolders_.count(parentKey(k)))
    throw FileError(Op::MakeDirectory, path, FileCause::Denied, {}, true);
  directories_.emplace(k, path);
}

bool MemoryFileSystem::programDirectoryIsTemporary() const {
  if (temporaryFolder_.empty()) return false;
  const std::string temp = key(temporaryFolder_);
  const std::string dir = key(programDirectory_);
  return dir == temp || dir.starts_with(temp + "\\");
}

void MemoryFileSystem::look(const std::string& path) const {
  if (unlookable_.count(key(path))) {
    throw FileError(FileError::Operation::Look, path, FileCause::InputOutput);
  }
}

bool MemoryFileSystem::isDirectory(const std::string& path) const {
  look(path);
  return directories_.count(key(path)) > 0;
}

namespace {

std::string lastPart(const std::string& path) {
  return path.substr(path.find_last_of("\\/") + 1);
}

}  // namespace

std::vector<FileSystem::Entry> MemoryFileSystem::entries(const std::string& dir) const {
  look(dir);
  std::vector<Entry> names;
  const std::string parent = key(dir);
  for (const auto& [k, made] : directories_) {
    if (k != parent && parentKey(k) == parent) names.push_back({lastPart(made), true});
  }
  for (const auto& [k, file] : files_) {
    if (parentKey(k) == parent) names.push_back({lastPart(file.path), false});
  }
  return names;
}

std::optional<std::string> MemoryFileSystem::nameOnDisk(const std::string& path) const {
  look(path);
  const std::string k = key(path);
  if (auto d = directories_.find(k); d != directories_.end()) return lastPart(d->second);
  if (auto f = files_.find(k); f != files_.end()) return lastPart(f->second.path);
  return std::nullopt;
}

void MemoryFileSystem::replaceFile(const std::string& path, const std::string& bytes) {
  using Op = FileError::Operation;
  if (badName(path)) throw FileError(Op::Write, path, FileCause::BadName);
  std::string k = key(path);
  if (!directories_.count(parentKey(k))) throw FileError(Op::Write, path, FileCause::NotFound);
  if (directories_.count(k)) throw FileError(Op::Write, path, FileCause::FolderInTheWay);
  if (readOnlyFolders_.count(parentKey(k)))
    throw FileError(Op::Write, path, FileCause::Denied, {}, true);
  auto it = files_.find(k);
  if (it != files_.end()) {
    if (it->second.readOnly) throw FileError(Op::Write, path, FileCause::Denied);
    it->second.bytes = bytes;
  } else {
    files_[k] = File{path, bytes};
  }
}

std::optional<std::string> MemoryFileSystem::readPrefix(const std::string& path,
                                                        std::size_t limit) const {
  auto it = files_.find(key(path));
  if (it == files_.end()) {
    if (directories_.count(key(path))) {
      throw FileError(FileError::Operation::Read, path, FileCause::FolderInTheWay);
    }
    return std::nullopt;
  }
  return it->second.bytes.substr(0, limit);
}

void MemoryFileSystem::setReadOnly(const std::string& path, bool readOnly) {
  files_.at(key(path)).readOnly = readOnly;
}

bool MemoryFileSystem::exists(const std::string& path) const {
  std::string k = key(path);
  return files_.count(k) || directories_.count(k);
}

std::set<std::string> MemoryFileSystem::files() const {
  std::set<std::string> out;
  for (const auto& [k, f] : files_) out.insert(f.path);
  return out;
}

}  // namespace nubera
