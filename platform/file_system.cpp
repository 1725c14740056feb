#include "platform/file_system.h"

#include "core/cp932.h"

namespace nubera {

FileError::FileError(Operation op, std::string path, std::string reason)
    : std::runtime_error(path + ": " + reason),
      op_(op),
      path_(std::move(path)),
      reason_(std::move(reason)) {}

std::string FileError::userMessage() const {
  const char* what = "";
  switch (op_) {
    case Operation::MakeDirectory:
      what = "フォルダーを作成できませんでした。";
      break;
    case Operation::Write:
      what = "ファイルを保存できませんでした。";
      break;
    case Operation::Read:
      what = "ファイルを読み込めませんでした。";
      break;
  }
  return std::string(what) + "\n" + path_ + "\n" + reason_;
}

std::string FileSystem::join(const std::string& dir, const std::string& name) const {
  if (!dir.empty() && dir.back() == separator()) return dir + name;
  return dir + separator() + name;
}

std::string encodeLines(const std::string& path, const std::vector<std::string>& lines) {
  std::string bytes;
  for (const auto& line : lines) {
    try {
      bytes += cp932::encode(line);
    } catch (const cp932::EncodeError& e) {
      throw FileError(FileError::Operation::Write, path,
                      "「" + e.character() + "」は Shift_JIS で保存できない文字です。");
    }
    bytes += "\r\n";
  }
  return bytes;
}

void writeLines(FileSystem& fs, const std::string& path, const std::vector<std::string>& lines) {
  fs.replaceFile(path, encodeLines(path, lines));
}

std::string readFirstLine(const FileSystem& fs, const std::string& path) {
  auto bytes = fs.readFile(path);
  if (!bytes) return {};
  std::string line = bytes->substr(0, bytes->find('\n'));
  if (!line.empty() && line.back() == '\r') line.pop_back();
  auto text = cp932::decode(line);
  if (!text) {
    throw FileError(FileError::Operation::Read, path,
                    "Shift_JIS のテキストとして読めない内容が含まれています。");
  }
  return *text;
}

}  // namespace nubera
