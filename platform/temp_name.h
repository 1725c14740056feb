#pragma once
// The one pattern of the program's temporary files, "~nb" + 8 hex digits + ".tmp": short, so
// any final name the system accepts can be written, and recognisable, so one left by a crash
// can be found again and removed.

#include <cstdio>
#include <string>
#include <string_view>

namespace nubera {

// "~nb": made under its name, so for a moment before its writer locks it; "~nl": written
// unnamed and linked under the name only when complete and locked, so never one that another
// writer is still creating.
inline constexpr std::string_view kNamedPrefix = "~nb";
inline constexpr std::string_view kLinkedPrefix = "~nl";

inline bool isTempName(std::string_view name, std::string_view prefix = kNamedPrefix) {
  if (name.size() != 15 || !name.starts_with(prefix) || !name.ends_with(".tmp")) return false;
  for (char c : name.substr(3, 8)) {
    if (!((c >= '0' && c <= '9') || (c >= 'a' && c <= 'f'))) return false;
  }
  return true;
}

inline std::string tempName(unsigned random, std::string_view prefix = kNamedPrefix) {
  char hex[9];
  std::snprintf(hex, sizeof hex, "%08x", random);
  return std::string(prefix) + hex + ".tmp";
}

}  // namespace nubera
