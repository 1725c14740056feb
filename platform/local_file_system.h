#pragma once
// The real disk. Paths are UTF-8; on Linux they use "/".

#include <string>

#include "core/file_system.h"

namespace nubera {

class LocalFileSystem : public FileSystem {
 public:
  // programDirectory: the folder of the running program, or another folder for scripted runs.
  explicit LocalFileSystem(std::string programDirectory);
  // The folder of the running executable.
  static std::string executableDirectory();
  // Test seams: write through named temporary files, as on file systems without unnamed ones
  // (POSIX only; Windows always names them); how many flushes have been made so far.
  static void useNamedTemporaryFiles(bool named);
  // POSIX only: called once the temporary file holds the whole content under its name, before
  // the rename, so a test can end the process there as a kill would.
  static void onFaultAfterNaming(void (*fault)());
  static unsigned long flushCount();

  std::string programDirectory() const override { return programDirectory_; }
  bool isWindows() const override;
  bool programDirectoryIsTemporary() const override;
  void makeDirectory(const std::string& path) override;
  bool isDirectory(const std::string& path) const override;
  std::vector<Entry> entries(const std::string& dir) const override;
  std::optional<std::string> nameOnDisk(const std::string& path) const override;
  std::optional<FileCause> lengthProblem(const std::string& path, bool folder) const override;
  void replaceFile(const std::string& path, const std::string& bytes) override;
  void removeLeftovers(const std::string& folder) override;

 protected:
  std::optional<std::string> readPrefix(const std::string& path, std::size_t limit) const override;

 private:
  std::string programDirectory_;
};

// The cause of a system error number (errno; on Windows GetLastError); FileCause::System for
// one that no cause names, whose text the system gives.
FileCause causeOf(int errorNumber);
// The failed operation as the user is told of it: the error's cause, and where no cause names
// it, the system's own text for the error as the reason.
FileError systemError(FileError::Operation op, const std::string& path, int errorNumber,
                      bool denied);

#ifdef _WIN32
// The Windows errors tried again every 20 ms for a second: by a save, whose target another
// copy or program holds for a moment; by a read, while another copy renames the file.
bool saveRetries(unsigned long error);
bool readRetries(unsigned long error);
#endif

}  // namespace nubera
