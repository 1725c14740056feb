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

// The first line of a code page 932 file, without its line end (CR LF or LF);
// the empty text when the file is missing or empty. Throws FileError for bytes
// that are not code page 932.
std::string readFirstLine(const FileSystem& fs, const std::string& path);

}  // namespace nubera
