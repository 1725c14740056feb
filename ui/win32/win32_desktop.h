#pragma once
// The desktop on plain Win32: routes the runtime's screens to their windows, runs the message
// loop with the shared keyboard rules, places windows, and shows message boxes and help. No
// screen logic lives here.

#include <windows.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/desktop.h"
#include "ui/desktop_rules.h"
#include "ui/runtime.h"
#include "ui/win32/gdi.h"
#include "ui/win32/screen_window.h"

struct IAccPropServices;

namespace nubera {

// Whether the HIGHCONTRAST flags say the user has turned the scheme on; a scheme that is only
// available (HCF_AVAILABLE) is not on.
bool highContrastOn(unsigned long flags);

class Win32Desktop : public Desktop {
 public:
  // assetDir: the folder with the pictures and the help, beside the program.
  Win32Desktop(HINSTANCE instance, std::string assetDir);
  ~Win32Desktop() override;

  // Runs the message loop until the program ends.
  int run();

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

  // Test seams: every message waiting is handled and the call returns; the window of a screen
  // and the handle of a control; an answerer that takes the place of the message box (the
  // box counts as answered with OK); and what opens the help page instead of the browser
  // (true: it opened).
  void processPending();
  HWND windowOf(ScreenId id) const;
  HWND controlOf(ScreenId id, ControlName name) const;
  // The file a picture was decoded from, and its decoded size.
  std::pair<std::string, PixelRect> pictureShown(ScreenId id, ControlName name) const;
  void setMessageAnswerer(std::function<void(const std::string&)> answerer) {
    answerer_ = std::move(answerer);
  }
  void setHelpOpener(std::function<bool(const std::string&)> opener) {
    helpOpener_ = std::move(opener);
  }
  // The colours of a high-contrast scheme as if the user had chosen one (nullopt: none).
  void setHighContrastForTest(std::optional<SystemColours> colours);

  // For the screen windows: what they draw with and whom they tell.
  using Desktop::runtime;
  GdiCache& gdi() { return gdi_; }
  HINSTANCE instance() const { return instance_; }
  const std::string& assetDir() const { return assetDir_; }
  int systemDpi() const { return dpi_; }
  // Shows the control as the runtime now holds it, if its screen is still there.
  void resync(ScreenId id, int control);
  // The screen's window became the active one.
  void noteActive(ScreenId id) { activation_.activated(id); }
  // The system's colours while the user has a high-contrast scheme on, else nullopt.
  const std::optional<SystemColours>& highContrast() const { return highContrast_; }
  // The system's colours or its high-contrast setting changed: every window is drawn anew.
  void systemColoursChanged();
  // What a screen reader adds after the control's name: handed to the system once a window
  // has painted; and, for tests, what was given.
  void describe(HWND h, const std::string& description);
  // A window has painted for the first time: what was left until then is done now.
  void afterFirstPaint();
  // OLE started on this thread, once.
  void ensureCom();
  std::string descriptionGiven(HWND h) const {
    auto it = descriptions_.find(h);
    return it == descriptions_.end() ? "" : it->second;
  }

 private:
  bool pump();
  win32::ScreenWindow* window(ScreenId id) const {
    return windows_[static_cast<std::size_t>(id)].get();
  }

  HINSTANCE instance_;
  std::string assetDir_;
  GdiCache gdi_;
  std::array<std::unique_ptr<win32::ScreenWindow>, kScreenCount> windows_{};
  std::vector<std::unique_ptr<win32::ScreenWindow>> retired_;
  std::function<void(const std::string&)> answerer_;
  std::function<bool(const std::string&)> helpOpener_;
  ActivationOrder activation_;
  int dpi_ = 96;
  bool ended_ = false;
  std::optional<SystemColours> highContrast_;
  ::IAccPropServices* accProps_ = nullptr;
  std::map<HWND, std::string> descriptions_;
  std::vector<HWND> undescribed_;  // described, not yet handed over
  bool comStarted_ = false;        // the annotation service, made on first use
  bool highContrastForced_ = false;
};

}  // namespace nubera
