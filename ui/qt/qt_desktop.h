#pragma once
// The desktop on Qt Widgets: draws the declared screens, turns clicks, edits,
// keys and window closes into runtime events, and shows message boxes and help.
// No screen logic lives here.

#include <QPointer>
#include <QWidget>
#include <array>
#include <functional>
#include <memory>

#include "ui/desktop.h"
#include "ui/desktop_rules.h"
#include "ui/qt/help_window.h"
#include "ui/runtime.h"

class QEventLoop;

namespace nubera {

namespace qt {
class ScreenWindow;
}

class QtDesktop : public Desktop {
 public:
  // assetDir: the folder with the pictures and the help, beside the program.
  explicit QtDesktop(std::string assetDir);
  ~QtDesktop() override;

  // Called once the program has ended (the program leaves its event loop there).
  void setOnEnded(std::function<void()> onEnded) { onEnded_ = std::move(onEnded); }

  void messageBox(std::optional<ScreenId> owner, const std::string& prompt) override;
  std::optional<std::string> help(ScreenId window, const std::string& file, HelpTopic topic,
                                  const std::string& data) override;
  void screenCreated(const ScreenInstance& screen) override;
  void screenDestroyed(ScreenId id) override;
  void screenShown(const ScreenInstance& screen, bool modal) override;
  void screenHidden(ScreenId id) override;
  void controlChanged(const ScreenInstance& screen, int controlIndex) override;
  void runModal(ScreenId id) override;
  void programEnded() override;

  // Test seams: the window of a screen, the help window, and an answerer that takes the
  // place of the message box (the prompt is passed; the box counts as answered with OK).
  QWidget* window(ScreenId id) const;
  QWidget* helpWindow() const { return helpWindow_; }
  void setMessageAnswerer(std::function<void(const std::string&)> answerer) {
    answerer_ = std::move(answerer);
  }

 private:
  // The window a box or the help stands over: the owner's, if shown, else the active screen's.
  QWidget* ownerWindow(std::optional<ScreenId> owner) const;
  // The desktop's high-contrast scheme, if any.
  const std::optional<SystemColours>& highContrast();

  std::string assetDir_;
  std::array<qt::ScreenWindow*, kScreenCount> windows_{};
  QPointer<qt::HelpWindow> helpWindow_;
  QEventLoop* modalLoop_ = nullptr;
  ScreenId modalScreen_ = ScreenId::Form1;
  std::function<void(const std::string&)> answerer_;
  std::function<void()> onEnded_;
  ActivationOrder activation_;
  std::optional<SystemColours> highContrast_;
  bool contrastAsked_ = false;
};

}  // namespace nubera
