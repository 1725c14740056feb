#pragma once
// Text files as the program writes and reads them: code page 932, each line ended by CR LF.

#include <string>
#include <vector>

#include "core/file_system.h"

namespace nubera {

// Encodes the lines in code page 932, each ended by CR LF, and replaces the file with them.
// Throws FileError (naming the character) when a line holds a character code page 932 lacks.
void writeLines(FileSystem& fs, const std::string& path, const std::vector<std::string>& lines);
std::string encodeLines(const std::string& path, const std::vector<std::string>& lines);

// The longest first line a one-line file may have; more is refused, so a damaged or hostile
// file cannot fill the memory or a screen field.
inline constexpr std::size_t kMaxFirstLine = 4096;

// The first line of a code page 932 file, without its line end (CR LF or LF); the empty
// text when the file is missing or empty. Reads no further than that line. Throws FileError
// for bytes that are not code page 932, a first line longer than kMaxFirstLine, or a path
// that is not a regular file.
std::string readFirstLine(const FileSystem& fs, const std::string& path);

}  // namespace nubera
