#include "core/file_system.h"

#include <string_view>

namespace nubera {

std::string causeSentence(FileCause cause, const std::string& detail) {
#define NUBERA_FILE_CAUSE(name, sentence) sentence,
  static constexpr std::string_view kSentences[] = {NUBERA_FILE_CAUSES(NUBERA_FILE_CAUSE)};
#undef NUBERA_FILE_CAUSE
  std::string sentence(kSentences[static_cast<std::size_t>(cause)]);
  if (const auto at = sentence.find("{}"); at != std::string::npos) sentence.replace(at, 2, detail);
  return sentence;
}

FileError::FileError(Operation op, std::string path, FileCause cause, std::string detail,
                     bool denied)
    : std::runtime_error(path + ": " + causeSentence(cause, detail)),
      op_(op),
      path_(std::move(path)),
      cause_(cause),
      detail_(std::move(detail)),
      denied_(denied) {}

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
    case Operation::Look:
      what = "ファイルやフォルダーがあるかどうかを確かめられませんでした。";
      break;
  }
  return std::string(what) + "\n" + path_ + "\n" + reason();
}

std::string FileSystem::join(const std::string& dir, const std::string& name) const {
  if (!dir.empty() && dir.back() == separator()) return dir + name;
  return dir + separator() + name;
}

std::string FileSystem::parentOf(const std::string& path) const {
  const auto last = path.find_last_of(separator());
  if (last == std::string::npos) return ".";
  // The root keeps its separator ("/", "C:\").
  if (last == 0 || (last == 2 && path[1] == ':')) return path.substr(0, last + 1);
  return path.substr(0, last);
}

namespace {

std::vector<std::string> namesOf(const std::vector<FileSystem::Entry>& all, bool folders) {
  std::vector<std::string> names;
  for (const auto& e : all) {
    if (e.folder == folders) names.push_back(e.name);
  }
  return names;
}

}  // namespace

std::vector<std::string> FileSystem::folderNames(const std::string& dir) const {
  return namesOf(entries(dir), true);
}

std::vector<std::string> FileSystem::fileNames(const std::string& dir) const {
  return namesOf(entries(dir), false);
}

}  // namespace nubera
