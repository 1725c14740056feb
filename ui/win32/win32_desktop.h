#pragma once
// The desktop on plain Win32: draws the declared screens with user32 and gdi32
// controls, turns clicks, edits, keys and window closes into runtime events, and
// shows message boxes and help. No screen logic lives here.

#include <windows.h>
// after windows.h
#include <ocidl.h>

#include <array>
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

 private:
  struct Window;
  static LRESULT CALLBACK screenProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK helpProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT handle(Window& w, UINT msg, WPARAM wp, LPARAM lp);
  void build(Window& w, const ScreenInstance& screen, int i);
  void update(Window& w, const ScreenInstance& screen, int i);
  void drawItem(Window& w, const DRAWITEMSTRUCT& item);
  HFONT font(const Font& f);
  HBRUSH brush(Rgb c);
  int px(int twips) const;
  bool pump();
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
  HWND help_ = nullptr;
  int dpi_ = 96;
  bool ended_ = false;
};

// The program's own help as plain text: the HTML file without its tags.
std::wstring helpTextFromHtml(const std::string& html);

}  // namespace nubera
