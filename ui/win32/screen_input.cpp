// A screen window's messages and keys, turned into the runtime's events.

#include "platform/win32/utf.h"
#include "ui/desktop_rules.h"
#include "ui/win32/screen_window.h"
#include "ui/win32/win32_desktop.h"

namespace nubera::win32 {

LRESULT CALLBACK ScreenWindow::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  auto* w = reinterpret_cast<ScreenWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!w) return DefWindowProcW(hwnd, msg, wp, lp);
  ++w->busy_;
  const LRESULT result = w->handle(msg, wp, lp);
  --w->busy_;
  return result;
}

// A control's notification: a typed text, or a click on a button, option button or label.
void ScreenWindow::command(WPARAM wp) {
  const int i = LOWORD(wp) - kFirstControlId;
  if (i < 0 || i >= static_cast<int>(controls_.size())) return;
  const ControlDecl& c = decl_->controls[i];
  const ControlKind kind = c.kind;
  const WORD code = HIWORD(wp);
  Runtime& runtime = desktop_.runtime();
  if (kind == ControlKind::TextBox) {
    if (code == EN_CHANGE && !updating_) {
      runtime.userEdit(id_, c.name, utf8(windowText(controls_[i].window)));
    }
  } else if (code == BN_CLICKED || code == STN_CLICKED) {
    // Copied: the window may be gone after the event.
    const std::string name = decl_->controls[clickedControl(*decl_, i)].name;
    runtime.userClick(id_, name);
    // Windows may have toggled a radio button on its own: the runtime's state counts.
    if (kind == ControlKind::OptionButton) desktop_.resync(id_, i);
  }
}

// A group box lets clicks through: a click on a frame's free area lands on the window.
void ScreenWindow::clickOnWindow(LPARAM lp) {
  if (const int target = clickedControl(*decl_, -1); target >= 0) {
    desktop_.runtime().userClick(id_, decl_->controls[target].name);
    return;
  }
  const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
  for (std::size_t i = 0; i < decl_->controls.size(); ++i) {
    const ControlDecl& c = decl_->controls[i];
    const PixelRect& r = controls_[i].place.inScreen;
    if (c.kind == ControlKind::Frame && p.x >= r.x && p.x < r.right() && p.y >= r.y &&
        p.y < r.bottom()) {
      desktop_.runtime().userClick(id_, c.name);
      return;
    }
  }
}

// As a dialog does: the focus is kept when the window is left (for a message box, another
// window) and given back when it becomes active again; true when it was given.
bool ScreenWindow::activated(bool active) {
  if (!active) {
    if (const int f = focusedControl(); f >= 0) lastFocus_ = f;
    return true;
  }
  desktop_.noteActive(id_);
  // The first time, the control the opening gave the focus to, or the first one.
  if (lastFocus_ < 0) lastFocus_ = focusedControl();
  if (const ScreenInstance* s = desktop_.runtime().find(id_); s && lastFocus_ < 0) {
    lastFocus_ = firstFocus(*s);
  }
  if (lastFocus_ < 0 || !IsWindowVisible(controls_[lastFocus_].window)) return false;
  focus(lastFocus_, FocusCause::Reactivation);
  return true;
}

// Moved to a display of another scale: the window takes the size Windows suggests, and the
// controls their places and fonts at the new scale.
void ScreenWindow::dpiChanged(int dpi, const RECT& suggested) {
  dpi_ = dpi;
  SetWindowPos(hwnd_, nullptr, suggested.left, suggested.top, suggested.right - suggested.left,
               suggested.bottom - suggested.top, SWP_NOZORDER | SWP_NOACTIVATE);
  layout();
  InvalidateRect(hwnd_, nullptr, TRUE);
}

// Every colour from the shared rule: a caption never stands in a system colour on a declared
// one, and a high-contrast scheme replaces them all.
LRESULT ScreenWindow::controlColour(HDC dc, HWND control) {
  const int i = GetDlgCtrlID(control) - kFirstControlId;
  const Colours colours = i >= 0 && i < static_cast<int>(controls_.size())
                              ? controlColours(*decl_, i, desktop_.highContrast())
                              : formColours(desktop_.highContrast());
  SetTextColor(dc, ref(colours.text));
  SetBkColor(dc, ref(colours.back));
  return reinterpret_cast<LRESULT>(desktop_.gdi().brush(colours.back));
}

LRESULT ScreenWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
  switch (msg) {
    case WM_COMMAND:
      command(wp);
      return 0;
    case WM_LBUTTONDOWN:
      clickOnWindow(lp);
      return 0;
    case WM_CHAR:
      // A character key on the window itself (no control has the focus).
      if (const ScreenInstance* s = desktop_.runtime().find(id_);
          s && keyAction(*s, -1, Key::Other, true).kind == KeyAction::ScreenKey) {
        desktop_.runtime().userKey(id_);
      }
      return 0;
    case WM_CLOSE:
      desktop_.runtime().userClose(id_);
      return 0;
    case WM_ACTIVATE:
      if (activated(LOWORD(wp) != WA_INACTIVE)) return 0;
      break;
    case WM_DPICHANGED:
      dpiChanged(HIWORD(wp), *reinterpret_cast<const RECT*>(lp));
      return 0;
    case kAfterFirstPaint:
      // What the window does not need to show itself: screen-reader descriptions, pictures.
      desktop_.afterFirstPaint();
      loadPictures();
      return 0;
    case WM_DRAWITEM:
      drawItem(*reinterpret_cast<DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN:
    case WM_CTLCOLOREDIT:
      return controlColour(reinterpret_cast<HDC>(wp), reinterpret_cast<HWND>(lp));
    case WM_ERASEBKGND:
      paintUnderneath(reinterpret_cast<HDC>(wp));
      return 1;
    case WM_SYSCOLORCHANGE:
    case WM_SETTINGCHANGE:
      desktop_.systemColoursChanged();
      break;
    default:
      break;
  }
  return DefWindowProcW(hwnd_, msg, wp, lp);
}

// Carries out what the keyboard rules say of the key; true when it is used up.
bool ScreenWindow::key(const MSG& msg) {
  Key k = Key::Other;
  const bool ctrlOrAlt = (GetKeyState(VK_CONTROL) & 0x8000) || (GetKeyState(VK_MENU) & 0x8000);
  switch (msg.wParam) {
    case VK_TAB:
      k = (GetKeyState(VK_SHIFT) & 0x8000) ? Key::BackTab : Key::Tab;
      break;
    case VK_RETURN:
      k = Key::Enter;
      break;
    case VK_SPACE:
      k = Key::Space;
      break;
    case VK_ESCAPE:
      k = Key::Escape;
      break;
    case VK_UP:
      k = Key::Up;
      break;
    case VK_DOWN:
      k = Key::Down;
      break;
    case VK_LEFT:
      k = Key::Left;
      break;
    case VK_RIGHT:
      k = Key::Right;
      break;
    default:
      return false;
  }
  if (ctrlOrAlt && k != Key::Escape) return false;
  const ScreenInstance* s = desktop_.runtime().find(id_);
  if (!s) return false;
  struct Target : KeyTarget {
    Win32Desktop& desktop;
    ScreenWindow& w;
    Target(Win32Desktop& d, ScreenWindow& window) : desktop(d), w(window) {}
    void focusControl(int c) override { w.focus(c, FocusCause::Keyboard); }
    void clickControl(int c) override {
      const ScreenId id = w.id();
      desktop.runtime().userClick(id, w.decl().controls[c].name);
      desktop.resync(id, c);
    }
    void screenKey() override { desktop.runtime().userKey(w.id()); }
  } dispatch(desktop_, *this);
  // Whether the key makes a character is told by WM_CHAR, which only a passed key gets.
  ++busy_;  // a click may unload this screen; the window stays until the key is done
  const bool used = carryOut(keyAction(*s, focusedControl(), k, false), dispatch);
  --busy_;
  return used;
}

}  // namespace nubera::win32
