#include "core/text_file.h"

#include "core/cp932.h"
#include "core/text.h"

namespace nubera {

std::string encodeLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) {
    try {
      bytes += cp932::encode(line);
    } catch (const cp932::EncodeError& e) {
      throw FileError(FileError::Operation::Write, path, FileCause::Unencodable,
                      shownCharacter(e.character()));
    }
    bytes += "\r\n";
  }
  return bytes;
}

void writeLines(FileSystem& fs, const std::string& path, const std::vector<std::string>& lines) {
  fs.replaceFile(path, encodeLines(path, lines));
}

std::string readFirstLine(const FileSystem& fs, const std::string& path) {
  auto bytes = fs.readFile(path, kMaxFirstLine + 2);  // room for the CR LF
  if (!bytes) return {};
  std::string line = bytes->substr(0, bytes->find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  if (line.size() > kMaxFirstLine) {
    throw FileError(FileError::Operation::Read, path, FileCause::FirstLineTooLong,
                    Message(std::to_string(kMaxFirstLine)));
  }
  // A NUL (a UTF-16 file, say) or a CR inside the line is no one-line Shift_JIS file.
  if (line.find('\0') != std::string::npos || line.find('\r') != std::string::npos) {
    throw FileError(FileError::Operation::Read, path, FileCause::NotOneLine);
  }
  auto text = cp932::decode(line);
  if (!text) {
    throw FileError(FileError::Operation::Read, path, FileCause::NotShiftJis);
  }
  return *text;
}

}  // namespace nubera
