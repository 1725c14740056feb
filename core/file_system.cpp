#include "core/file_system.h"

#include <string_view>

namespace nubera {

FileError::FileError(Operation op, std::string path, FileCause cause, Message detail, bool denied)
    : std::runtime_error(path + ": " + std::string(messageName(causeMessage(cause)))),
      op_(op),
      path_(std::move(path)),
      cause_(cause),
      detail_(std::move(detail)),
      denied_(denied) {}

Message FileError::reason() const {
  const bool none = detail_.id == MessageId::Text && detail_.text.empty();
  return none ? Message(causeMessage(cause_)) : Message(causeMessage(cause_), {detail_});
}

Message FileError::message() const {
  constexpr MessageId kWhat[] = {MessageId::OpMakeDirectory, MessageId::OpWrite, MessageId::OpRead,
                                 MessageId::OpLook};
  return Message(kWhat[static_cast<std::size_t>(op_)])
      .then(MessageId::Line, {path_})
      .then(MessageId::Line, {reason()});
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
