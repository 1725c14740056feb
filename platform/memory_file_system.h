#pragma once
// An in-memory folder tree with Windows path rules (drive letters, "\",
// names compared without regard to case), for tests.

#include <map>
#include <set>
#include <string>

#include "core/file_system.h"

namespace nubera {

class MemoryFileSystem : public FileSystem {
 public:
  // Creates the program directory and every folder above it.
  explicit MemoryFileSystem(std::string programDirectory);

  std::string programDirectory() const override { return programDirectory_; }
  bool isWindows() const override { return true; }
  bool programDirectoryIsTemporary() const override;
  void makeDirectory(const std::string& path) override;
  bool isDirectory(const std::string& path) const override;
  std::vector<Entry> entries(const std::string& dir) const override;
  std::optional<std::string> nameOnDisk(const std::string& path) const override;
  void replaceFile(const std::string& path, const std::string& bytes) override;

  // Test helpers.
  // The user's temporary folder, which Windows empties; none by default.
  void setTemporaryFolder(std::string path) { temporaryFolder_ = std::move(path); }
  void setReadOnly(const std::string& path, bool readOnly);
  // A folder in which nothing may be made or written, as a folder the user may not write.
  void setFolderReadOnly(const std::string& path) { readOnlyFolders_.insert(key(path)); }
  // A path whose every look fails with a disk error, as a failing disk's does.
  void setUnlookable(const std::string& path) { unlookable_.insert(key(path)); }
  bool exists(const std::string& path) const;
  std::set<std::string> files() const;  // paths as first written

 protected:
  std::optional<std::string> readPrefix(const std::string& path, std::size_t limit) const override;

 private:
  struct File {
    std::string path;
    std::string bytes;
    bool readOnly = false;
  };
  static std::string key(const std::string& path);
  static std::string parentKey(const std::string& path);

  std::string programDirectory_;
  std::string temporaryFolder_;
  std::map<std::string, std::string> directories_;  // key to the path as made
  std::set<std::string> readOnlyFolders_;           // keys
  std::set<std::string> unlookable_;                // keys
  void look(const std::string& path) const;         // throws where the look fails
  std::map<std::string, File> files_;               // by key
};

}  // namespace nubera
