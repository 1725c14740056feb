#pragma once
// The desktop on plain Win32: draws the declared screens with user32 and gdi32
// controls, turns clicks, edits, keys and window closes into runtime events, and
// shows message boxes and help. No screen logic lives here.

#include <windows.h>
// after windows.h
#include <ocidl.h>

#include <array>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "ui/desktop.h"
#include "ui/runtime.h"

namespace nubera {

class Win32Desktop : public Desktop {
 public:
  // assetDir: the folder with the pictures and the help, beside the program.
  Win32Desktop(HINSTANCE instance, std::string assetDir);
  ~Win32Desktop() override;

  void attach(Runtime& runtime) { runtime_ = &runtime; }
  // Runs the message loop until the program ends.
  int run();

  void messageBox(const std::string& prompt, int style, const std::string& title) override;
  void help(ScreenId window, const std::string& file, int command,
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
  HWND controlOf(ScreenId id, const std::string& name) const;
  void setMessageAnswerer(std::function<void(const std::string&)> answerer) {
    answerer_ = std::move(answerer);
  }
  void setHelpOpener(std::function<bool(const std::string&)> opener) {
    helpOpener_ = std::move(opener);
  }

 private:
  struct Window;
  static LRESULT CALLBACK screenProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT handle(Window& w, UINT msg, WPARAM wp, LPARAM lp);
  void build(Window& w, const ScreenInstance& screen, int i);
  void update(Window& w, const ScreenInstance& screen, int i);
  void drawItem(Window& w, const DRAWITEMSTRUCT& item);
  HFONT font(const Font& f, int dpi);
  void layout(Window& w);
  HBRUSH brush(Rgb c);
  static int px(int twips, int dpi);
  bool pump();
  bool key(Window& w, const MSG& msg);
  int focusedControl(const Window& w) const;
  Window* window(ScreenId id) const { return windows_[static_cast<std::size_t>(id)].get(); }
  HWND activeScreenWindow() const;

  HINSTANCE instance_;
  std::string assetDir_;
  Runtime* runtime_ = nullptr;
  std::array<std::unique_ptr<Window>, kScreenCount> windows_{};
  std::vector<std::unique_ptr<Window>> retired_;
  std::map<std::wstring, HFONT> fonts_;
  std::map<unsigned, HBRUSH> brushes_;
  std::map<std::string, ::IPicture*> pictures_;
  std::function<void(const std::string&)> answerer_;
  std::function<bool(const std::string&)> helpOpener_;
  int dpi_ = 96;
  bool ended_ = false;
};

}  // namespace nubera
