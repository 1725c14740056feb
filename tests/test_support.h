#pragma once
// Helpers shared by the tests.

#include <filesystem>
#include <string>
#include <vector>

#include "core/cp932.h"

namespace nubera::testing {

// The bytes of a file of these lines: code page 932, CR LF after each.
inline std::string fileBytes(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out += cp932::encode(line) + "\r\n";
  return out;
}

// A fresh folder under the system's temporary folder, removed at the end of the test.
class TempDir {
 public:
  TempDir() {
    std::string pattern = (std::filesystem::temp_directory_path() / "nubera-XXXXXX").string();
    path_ = ::mkdtemp(pattern.data());
  }
  ~TempDir() {
    std::error_code ec;
    std::filesystem::permissions(path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ec);
    std::filesystem::remove_all(path_, ec);
  }
  const std::string& path() const { return path_; }

 private:
  std::string path_;
};

}  // namespace nubera::testing
