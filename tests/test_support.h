#pragma once
// Helpers shared by the tests.

#include <filesystem>
#include <random>
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

// A UTF-8 path as the file system library takes it, on Windows too.
inline std::filesystem::path pathOf(const std::string& utf8) {
  return std::filesystem::path(std::u8string(utf8.begin(), utf8.end()));
}

// A fresh folder, removed at the end of the test: under the system's temporary folder, or on
// Windows under the working folder, since a program started in the temporary folder warns
// that its work would be deleted.
class TempDir {
 public:
  TempDir() {
    std::random_device seed;
    std::mt19937_64 random(seed());
#ifdef _WIN32
    const auto base = std::filesystem::current_path() / "nubera-test-folders";
    std::filesystem::create_directories(base);
#else
    const auto base = std::filesystem::temp_directory_path();
#endif
    for (;;) {
      auto candidate = base / ("nubera-" + std::to_string(random() % 1000000000));
      if (std::filesystem::create_directory(candidate)) {
        auto u8 = candidate.u8string();
        path_.assign(u8.begin(), u8.end());
        break;
      }
    }
  }
  ~TempDir() {
    std::error_code ec;
    for (const auto& entry : std::filesystem::recursive_directory_iterator(pathOf(path_), ec)) {
      std::filesystem::permissions(entry.path(), std::filesystem::perms::owner_all,
                                   std::filesystem::perm_options::add, ec);
    }
    std::filesystem::remove_all(pathOf(path_), ec);
  }
  const std::string& path() const {
    return path_;
  }

 private:
  std::string path_;
};

}  // namespace nubera::testing
