#pragma once
// One screen's window on plain Win32: its controls made from the declaration and laid out at
// the scale of the display it stands on, owner-drawn buttons, pictures and lines, and its
// messages and keys turned into runtime events through the shared keyboard rules.
// What a user operates is a system control; what is only shown (pictures, lines, and on a
// screen with nothing to operate, its words and frames too) is a part: a window of the
// program's own class that carries the name a screen reader says, drawn by the screen. A
// screen of parts alone (the start-up screen) shows without loading the common controls.
//   screen_window.cpp  the window and its controls: made, laid out, shown as the runtime holds
//   screen_input.cpp   its messages and keys
//   screen_paint.cpp   what it paints: the face, bands, pictures and owner-drawn captions

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
}

namespace nubera::win32 {

// The window owns its system window: made by the constructor, destroyed by the destructor.
// The desktop owns the ScreenWindow and deletes it only while none of its messages is being
// handled, so a handler that unloads its own screen finishes on a window that is still there.
class ScreenWindow {
 public:
  // The window class of every screen, with the program's icon, and that of the parts;
  // registered once.
  static void registerClass(HINSTANCE instance);

  ScreenWindow(Win32Desktop& desktop, const ScreenInstance& screen);
  ~ScreenWindow();
  ScreenWindow(const ScreenWindow&) = delete;
  ScreenWindow& operator=(const ScreenWindow&) = delete;

  ScreenId id() const { return id_; }
  HWND hwnd() const { return hwnd_; }
  const ScreenDecl& decl() const { return *decl_; }
  int dpi() const { return dpi_; }
  HWND control(int i) const { return i >= 0 ? controls_[i].window : nullptr; }
  // The control that has the keyboard focus, or -1.
  int focusedControl() const;
  // The focus moves to the control; a text field selects its text where the shared rule says.
  void focus(int control, FocusCause cause);
  // A key the message loop took for this window, carried out by the keyboard rules; true when
  // it is used up.
  bool key(const MSG& msg);

  // Shows the control as the runtime holds it.
  void refresh(const ScreenInstance& screen, int i);
  // The screen was unloaded: hidden now, and cut off from the runtime.
  void retire();
  // Its messages no longer reach it (the desktop is going).
  void detach();
  // Whether one of its messages is being handled now (it may not be deleted then).
  bool busy() const { return busy_ > 0; }
  // For tests: the file a picture was decoded from and its decoded size (at 0, 0); none before
  // the window has been painted.
  std::pair<std::string, PixelRect> pictureShown(int i) const;

 private:
  // What the window keeps of one declared control.
  struct Control {
    HWND window = nullptr;  // none for a working field or a band, which the window paints
    HWND namer = nullptr;   // the hidden text that names a field for a screen reader
    std::wstring caption;   // what an owner-drawn control shows; its window text is its name
    std::unique_ptr<Picture> picture;  // decoded after the first paint
    std::string pictureFile;
    ControlPlace place;    // at the window's scale
    bool checked = false;  // as last shown: an option button or a marker
  };

  static LRESULT CALLBACK proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp);
  LRESULT handle(UINT msg, WPARAM wp, LPARAM lp);
  // The steps of handle(), one message each.
  void command(WPARAM wp);
  void clickOnWindow(LPARAM lp);
  bool activated(bool active);
  void dpiChanged(int dpi, const RECT& suggested);
  LRESULT controlColour(HDC dc, HWND control);
  void build(const ScreenInstance& screen, int i);
  void nameForScreenReaders(const ScreenInstance& screen);
  // What a screen reader is told of the control (-1: the window), as the screen now holds it.
  void speak(const ScreenInstance& screen, int i);
  void layout();
  void drawItem(const DRAWITEMSTRUCT& item);
  void drawCaption(const DRAWITEMSTRUCT& item, UINT format);
  void paintUnderneath(HDC dc);
  void loadPictures();
  // Buttons, labels and parts draw their captions; their window text is their spoken
  // name.
  bool drawsOwnCaption(int i) const;
  bool isPart(int i) const;
  void drawFrame(const DRAWITEMSTRUCT& item);
  static LRESULT CALLBACK partProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK fieldProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
  static LRESULT CALLBACK markerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp);
  // The window a control of it stands in, while it is still the runtime's.
  static ScreenWindow* of(HWND control);

  Win32Desktop& desktop_;
  ScreenId id_;
  HWND hwnd_ = nullptr;
  const ScreenDecl* decl_ = nullptr;
  std::vector<Control> controls_;  // one per declared control
  bool partsOnly_ = false;         // nothing on it is operated: all of it is parts
  bool picturesPending_ = false;
  int picturesDpi_ = 0;  // the scale the pictures were chosen for
  int dpi_ = 96;
  int lastFocus_ = -1;     // the control that had the focus when the window was left
  bool updating_ = false;  // the program, not the user, is changing a text
  int busy_ = 0;           // messages being handled now
};

// Shared by the window's three files.
inline constexpr UINT kAfterFirstPaint = WM_APP + 2;
inline constexpr int kFirstControlId = 100;
inline constexpr wchar_t kPartClass[] = L"NuberaPart";
inline COLORREF ref(Rgb c) {
  return RGB(c.r, c.g, c.b);
}
std::wstring windowText(HWND h);

}  // namespace nubera::win32
