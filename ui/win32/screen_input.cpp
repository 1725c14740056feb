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

LRESULT ScreenWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
  const ScreenId id = id_;
  Runtime& runtime = desktop_.runtime();
  switch (msg) {
    case WM_COMMAND: {
      const int i = LOWORD(wp) - kFirstControlId;
      if (i < 0 || i >= static_cast<int>(controls_.size())) return 0;
      const ControlDecl& c = decl_->controls[i];
      const std::string name = c.name;  // the window may be gone after the event
      const ControlKind kind = c.kind;
      const WORD code = HIWORD(wp);
      if (kind == ControlKind::TextBox) {
        if (code == EN_CHANGE && !updating_) {
          runtime.userEdit(id, name, utf8(windowText(controls_[i].window)));
        }
      } else if (code == BN_CLICKED || code == STN_CLICKED) {
        runtime.userClick(id, name);
        // Windows may have toggled a radio button on its own: the runtime's state counts.
        if (kind == ControlKind::OptionButton) desktop_.resync(id, i);
      }
      return 0;
    }
    case WM_LBUTTONDOWN: {
      // A group box lets clicks through: a click on a frame's free area lands here.
      const POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      for (std::size_t i = 0; i < decl_->controls.size(); ++i) {
        const ControlDecl& c = decl_->controls[i];
        const PixelRect& r = controls_[i].place.inScreen;
        if (c.kind == ControlKind::Frame && p.x >= r.x && p.x < r.right() && p.y >= r.y &&
            p.y < r.bottom()) {
          runtime.userClick(id, c.name);
          return 0;
        }
      }
      return 0;
    }
    case WM_CHAR:
      // A character key on the window itself (no control has the focus).
      if (const ScreenInstance* s = runtime.find(id);
          s && keyAction(*s, -1, Key::Other, true).kind == KeyAction::ScreenKey) {
        runtime.userKey(id);
      }
      return 0;
    case WM_CLOSE:
      runtime.userClose(id);
      return 0;
    case WM_ACTIVATE:
      // As a dialog does: the focus is kept when the window is left (for a message box,
      // another window) and given back when it becomes active again.
      if (LOWORD(wp) == WA_INACTIVE) {
        if (const int f = focusedControl(); f >= 0) lastFocus_ = f;
        return 0;
      }
      desktop_.noteActive(id);
      // The first time, the control the opening gave the focus to, or the first one.
      if (lastFocus_ < 0) lastFocus_ = focusedControl();
      if (const ScreenInstance* s = runtime.find(id); s && lastFocus_ < 0) {
        lastFocus_ = firstFocus(*s);
      }
      if (lastFocus_ >= 0 && IsWindowVisible(controls_[lastFocus_].window)) {
        focus(lastFocus_, FocusCause::Reactivation);
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      // Moved to a display of another scale: the window takes the size Windows suggests, and
      // the controls their places and fonts at the new scale.
      dpi_ = HIWORD(wp);
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      layout();
      InvalidateRect(hwnd_, nullptr, TRUE);
      return 0;
    }
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
    case WM_CTLCOLOREDIT: {
      // Every colour from the shared rule: a caption never stands in a system colour on a
      // declared one, and a high-contrast scheme replaces them all.
      HDC dc = reinterpret_cast<HDC>(wp);
      const int i = GetDlgCtrlID(reinterpret_cast<HWND>(lp)) - kFirstControlId;
      const Colours colours = i >= 0 && i < static_cast<int>(controls_.size())
                                  ? controlColours(*decl_, i, desktop_.highContrast())
                                  : formColours(desktop_.highContrast());
      SetTextColor(dc, ref(colours.text));
      SetBkColor(dc, ref(colours.back));
      return reinterpret_cast<LRESULT>(desktop_.gdi().brush(colours.back));
    }
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
