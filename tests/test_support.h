#pragma once
// Helpers shared by the tests.

#include <filesystem>
#include <random>
#include <string>
#include <vector>

#ifdef _WIN32
#include <windows.h>
#else
#include <iconv.h>
#include <sys/wait.h>
#include <unistd.h>
#endif

namespace nubera::testing {

// The text in code page 932 as the system converts it (Windows' own code page, glibc's
// CP932), not by the program's table; empty where the system cannot.
inline std::string systemCp932(const std::string& utf8) {
#ifdef _WIN32
  const int wide = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, utf8.data(),
                                       static_cast<int>(utf8.size()), nullptr, 0);
  std::wstring w(static_cast<std::size_t>(wide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, utf8.data(), static_cast<int>(utf8.size()), w.data(), wide);
  BOOL lossy = FALSE;
  const int n =
      WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), wide, nullptr, 0, nullptr, &lossy);
  std::string out(static_cast<std::size_t>(n), '\0');
  WideCharToMultiByte(932, WC_NO_BEST_FIT_CHARS, w.data(), wide, out.data(), n, nullptr, &lossy);
  return lossy ? std::string() : out;
#else
  iconv_t convert = iconv_open("CP932", "UTF-8");
  std::string in = utf8, out(utf8.size() * 2 + 4, '\0');
  char* from = in.data();
  char* to = out.data();
  std::size_t left = in.size(), room = out.size();
  const bool whole = iconv(convert, &from, &left, &to, &room) != static_cast<std::size_t>(-1);
  iconv_close(convert);
  out.resize(out.size() - room);
  return whole ? out : std::string();
#endif
}

// The bytes of a file of these lines: code page 932, CR LF after each.
inline std::string fileBytes(const std::vector<std::string>& lines) {
  std::string out;
  for (const auto& line : lines) out += systemCp932(line) + "\r\n";
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

#ifndef _WIN32
// Runs the body in a child process, as a program of its own that may die; true when the child
// ended with status 0.
template <class Body>
bool inChild(Body body) {
  pid_t child = fork();
  if (child == 0) _exit(body());
  int status = 0;
  waitpid(child, &status, 0);
  return child > 0 && WIFEXITED(status) && WEXITSTATUS(status) == 0;
}
#endif

}  // namespace nubera::testing
