#pragma once
// One screen's window on plain Win32: its controls made from the declaration and laid out at
// the scale of the display it stands on, owner-drawn buttons, pictures and lines, and its
// messages turned into runtime events. Keys go by the desktop's message loop.

#include <windows.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "ui/desktop_rules.h"
#include "ui/geometry.h"
#include "ui/runtime.h"
#include "ui/win32/gdi.h"

namespace nubera {

class Win32Desktop;

class Win32ScreenWindow {
 public:
  // The window class of every screen, with the program's icon; registered once.
  static void registerClass(HINSTANCE instance);

  Win32ScreenWindow(Win32Desktop& desktop, const ScreenInstance& screen);
  Win32ScreenWindow(const Win32ScreenWindow&) = delete;
  Win32ScreenWindow& operator=(const Win32ScreenWindow&) = delete;

  ScreenId id() const { return id_; }
  HWND hwnd() const { return hwnd_; }
  const ScreenDecl& decl() const { return *decl_; }
  int dpi() const { return dpi_; }
  HWND control(int i) const { return i >= 0 ? controls_[i] : nullptr; }
  // The control that has the keyboard focus, or -1.
  int focusedControl() const;
  // The focus moves to the control; a text field selects its text where the shared rule says.
  void focus(int control, FocusCause cause);

  // Shows the control as the runtime holds it.
  void refresh(const ScreenInstance& screen, int i);
  // The screen was unloaded: hidden now, cut off from the runtime, and destroyed once the
  // message that caused this has been handled.
  void retire();
  // For tests: the file a picture was decoded from and its decoded size (at 0, 0); none before
  // the window has been painted.
  std::pair<std::string, PixelRect> pictureShown(int i) const;
  // Whether the system window is gone.
  bool destroyed() const { return !IsWindow(hwnd_); }

 private:
  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  void build(const ScreenInstance& screen, int i);
  void layout();
  void drawItem(const DRAWITEMSTRUCT& item);
  void drawCaption(const DRAWITEMSTRUCT& item, UINT format);
  void paintUnderneath(HDC dc);
  void loadPictures();
  // Buttons and named labels draw their captions; their window text is their spoken name.
  bool drawsOwnCaption(int i) const;
  static LRESULT CALLBACK pictureProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);

  Win32Desktop& desktop_;
  ScreenId id_;
  HWND hwnd_ = nullptr;
  const ScreenDecl* decl_ = nullptr;
  std::vector<HWND> controls_;
  std::vector<HWND> namers_;            // the hidden text that names a field for a screen reader
  std::vector<std::wstring> captions_;  // what a button shows; its window text is its name
  std::vector<std::unique_ptr<Picture>> pictures_;  // decoded after the first paint
  std::vector<std::string> pictureFiles_;
  bool picturesPending_ = false;
  int picturesDpi_ = 0;               // the scale the pictures were chosen for
  std::vector<ControlPlace> places_;  // at the window's scale
  int dpi_ = 96;
  int lastFocus_ = -1;     // the control that had the focus when the window was left
  bool updating_ = false;  // the program, not the user, is changing a text
};

}  // namespace nubera
