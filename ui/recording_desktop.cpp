#include "ui/recording_desktop.h"

namespace nubera {

RecordingDesktop::RecordingDesktop(std::function<void(const std::string&)> sink)
    : sink_(std::move(sink)) {}

void RecordingDesktop::record(std::string line) {
  if (sink_) sink_(line);
  log_.push_back(std::move(line));
}

void RecordingDesktop::messageBox(std::optional<ScreenId>, const std::string& prompt) {
  std::string escaped;
  for (char c : prompt) {
    if (c == '\n') {
      escaped += "\\n";
    } else {
      escaped += c;
    }
  }
  record("message " + escaped);
}

std::optional<std::string> RecordingDesktop::help(ScreenId window, const std::string& file,
                                                  HelpTopic, const std::string&) {
  record("help " + std::string(screenName(window)) + " " + file + " contents");
  return std::nullopt;
}

void RecordingDesktop::programEnded() {
  record("end");
}

std::vector<std::string> RecordingDesktop::messages() const {
  std::vector<std::string> out;
  for (const auto& line : log_) {
    if (line.starts_with("message ")) out.push_back(line.substr(8));
  }
  return out;
}

}  // namespace nubera
