#pragma once
// The file operations the program needs, behind one interface, so the same
// logic runs on the local disk and on an in-memory Windows-like tree in tests.

#include <optional>
#include <stdexcept>
#include <string>
#include <vector>

#include "core/message.h"

namespace nubera {

// A failed file operation: what was attempted, on which path, and why.
class FileError : public std::runtime_error {
 public:
  enum class Operation { MakeDirectory, Write, Read, Look };
  // denied: the system refused the access (a folder the user may not write, a read-only
  // disk), as against a name or a state of the file itself. The detail is what the cause's
  // sentence names (a character, a limit, the system's own words for an error no cause names).
  FileError(Operation op, std::string path, FileCause cause, Message detail = {},
            bool denied = false);
  Operation operation() const { return op_; }
  FileCause cause() const { return cause_; }
  bool denied() const { return denied_; }
  const std::string& path() const { return path_; }
  // Why, as the cause's sentence with its detail.
  Message reason() const;
  // One message for the user: what failed, the path and the reason.
  Message message() const;

 private:
  Operation op_;
  std::string path_;
  FileCause cause_;
  Message detail_;
  bool denied_ = false;
};

class FileSystem {
 public:
  virtual ~FileSystem() = default;

  // The folder that holds the program (no trailing separator except at a root).
  virtual std::string programDirectory() const = 0;
  // Whether Windows' rules hold: "\" between names, letter case and short names folded, paths
  // written in code page 932.
  virtual bool isWindows() const = 0;
  char separator() const { return isWindows() ? '\\' : '/'; }
  // Whether the program folder lies in the user's temporary folder, which Windows empties
  // later (a program started from inside a zip runs from a copy there).
  virtual bool programDirectoryIsTemporary() const { return false; }

  // Creates one directory level; throws FileError if it exists or its parent is missing.
  virtual void makeDirectory(const std::string& path) = 0;
  // The looks below answer "there" or "not there"; where the system cannot tell (the look
  // itself fails: a disk error, no permission on the way) they throw FileError with its cause,
  // which is no reason to make anything again.
  // Whether a folder stands at the path.
  virtual bool isDirectory(const std::string& path) const = 0;
  // What `dir` holds, as the system names it; nothing when there is no such folder.
  struct Entry {
    std::string name;
    bool folder = false;
  };
  virtual std::vector<Entry> entries(const std::string& dir) const = 0;
  std::vector<std::string> folderNames(const std::string& dir) const;
  std::vector<std::string> fileNames(const std::string& dir) const;
  // The name the system keeps for the last part of an existing path, which on Windows may
  // differ from the one asked for (letter case, an 8.3 short name); nullopt when it is missing.
  // (A look, as above.)
  virtual std::optional<std::string> nameOnDisk(const std::string& path) const = 0;

  // Why the system would refuse the path for its length (a name or a whole path too long, for
  // a file or a folder), as a failed save or make gives it; nullopt when it fits.
  virtual std::optional<FileCause> lengthProblem(const std::string& path, bool folder) const {
    (void)path;
    (void)folder;
    return std::nullopt;
  }

  // Replaces the file with these bytes atomically: the old content stays whole on failure.
  virtual void replaceFile(const std::string& path, const std::string& bytes) = 0;
  // Removes from the folder the temporary files of writers that are gone (a program stopped
  // before its rename), which would otherwise be uploaded with the folder; one that another
  // running copy is writing stays. A folder that cannot be looked into is left as it is.
  virtual void removeLeftovers(const std::string& folder) { (void)folder; }
  // The file's first `limit` bytes at most (all of it by default), or nullopt when it does not
  // exist. Only a regular file is read: a folder, a device or a pipe throws FileError, as does
  // a file that cannot be read.
  std::optional<std::string> readFile(const std::string& path,
                                      std::size_t limit = static_cast<std::size_t>(-1)) const {
    return readPrefix(path, limit);
  }

  // dir + separator + name, without doubling a separator that dir already ends with.
  std::string join(const std::string& dir, const std::string& name) const;
  // The folder that holds `path`: the part before its last separator.
  std::string parentOf(const std::string& path) const;

 protected:
  virtual std::optional<std::string> readPrefix(const std::string& path,
                                                std::size_t limit) const = 0;
};

}  // namespace nubera
