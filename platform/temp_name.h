#pragma once
// The one pattern of the program's temporary files, "~nb" + 8 hex digits + ".tmp": short, so
// any final name the system accepts can be written, and recognisable, so one left by a crash
// can be found again and removed.

#include <cstdio>
#include <string>
#include <string_view>

namespace nubera {

inline bool isTempName(std::string_view name) {
  if (name.size() != 15 || !name.starts_with("~nb") || !name.ends_with(".tmp")) return false;
  for (char c : name.substr(3, 8)) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

inline std::string tempName(unsigned random) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", random);
  return "~nb" + std::string(hex) + ".tmp";
}

}  // namespace nubera
