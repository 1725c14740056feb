#pragma once
// A desktop without windows: every message box is answered with OK, and every
// call is written down as one line, in the order it happens.

#include <functional>
#include <string>
#include <vector>

#include "ui/desktop.h"

namespace nubera {

class RecordingDesktop : public Desktop {
 public:
  // Each line also goes to the sink as it happens, when one is given.
  explicit RecordingDesktop(std::function<void(const std::string&)> sink = {});

  void messageBox(std::optional<ScreenId> owner, const std::string& prompt) override;
  std::optional<std::string> help(ScreenId window, const std::string& file, HelpTopic topic,
                                  const std::string& data) override;
  void programEnded() override;

  // "message PROMPT" (line breaks written \n), "help SCREEN FILE contents", "end".
  const std::vector<std::string>& log() const { return log_; }
  // The prompts of the message boxes only.
  std::vector<std::string> messages() const;
  void clear() { log_.clear(); }

 private:
  void record(std::string line);
  std::function<void(const std::string&)> sink_;
  std::vector<std::string> log_;
};

}  // namespace nubera
