#include "ui/win32/screen_window.h"

#include <imm.h>

#include <algorithm>

#include "platform/win32/utf.h"
#include "ui/desktop_rules.h"
#include "ui/win32/system_library.h"
#include "ui/win32/win32_desktop.h"

namespace nubera {

using win32::wide;

namespace {

constexpr wchar_t kScreenClass[] = L"NuberaScreen";
constexpr UINT kDestroyLater = WM_APP + 1;
constexpr UINT kAfterFirstPaint = WM_APP + 2;
constexpr int kFirstControlId = 100;

COLORREF ref(Rgb c) {
  return RGB(c.r, c.g, c.b);
}

// The scale of the display a window stands on; Windows 10 and later tell it per window.
int dpiOf(HWND hwnd, int fallback) {
  using Fn = UINT(WINAPI*)(HWND);
  static const auto getDpi = win32::systemFunction<Fn>(L"user32.dll", "GetDpiForWindow");
  const int dpi = getDpi && hwnd ? static_cast<int>(getDpi(hwnd)) : 0;
  return dpi > 0 ? dpi : fallback;
}

// The frame around a client area at the window's own scale, where Windows can tell it.
void adjustForDpi(RECT& rc, DWORD style, DWORD exStyle, int dpi) {
  using Fn = BOOL(WINAPI*)(RECT*, DWORD, BOOL, DWORD, UINT);
  static const auto adjust = win32::systemFunction<Fn>(L"user32.dll", "AdjustWindowRectExForDpi");
  if (!adjust || !adjust(&rc, style, FALSE, exStyle, static_cast<UINT>(dpi))) {
    AdjustWindowRectEx(&rc, style, FALSE, exStyle);
  }
}

std::wstring windowText(HWND h) {
  const int n = GetWindowTextLengthW(h);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  GetWindowTextW(h, text.data(), n + 1);
  text.resize(static_cast<std::size_t>(n));
  return text;
}

}  // namespace

void Win32ScreenWindow::registerClass(HINSTANCE instance) {
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = proc;
  wc.hInstance = instance;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  // The program's icon (resource 1), on every window and on the taskbar.
  wc.hIcon = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                           LR_DEFAULTCOLOR));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kScreenClass;
  RegisterClassExW(&wc);
}

Win32ScreenWindow::Win32ScreenWindow(Win32Desktop& desktop, const ScreenInstance& screen)
    : desktop_(desktop), id_(screen.id()), decl_(&screen.decl()) {
  const ScreenDecl& decl = *decl_;
  const std::string& title = decl.caption.empty() ? decl.spokenName : decl.caption;
  const DWORD style = decl.frameless ? WS_POPUP | WS_BORDER
                                     : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  const DWORD exStyle = WS_EX_CONTROLPARENT;
  // A window without a caption on screen (the start-up screen) is still named: screen readers
  // and the taskbar read its window text.
  hwnd_ = CreateWindowExW(exStyle, kScreenClass, wide(title).c_str(), style, CW_USEDEFAULT,
                          CW_USEDEFAULT, 100, 100, nullptr, nullptr, desktop_.instance(), nullptr);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
  // Sized for the display the system put it on.
  dpi_ = dpiOf(hwnd_, desktop_.systemDpi());
  places_ = placeControls(decl, dpi_);
  controls_.assign(decl.controls.size(), nullptr);
  captions_.resize(decl.controls.size());
  pictures_.resize(decl.controls.size());
  pictureFiles_.resize(decl.controls.size());
  namers_.assign(decl.controls.size(), nullptr);
  for (std::size_t i = 0; i < decl.controls.size(); ++i) build(screen, static_cast<int>(i));
  const PixelRect client = clientSize(decl, dpi_);
  RECT rc{0, 0, client.width, client.height};
  adjustForDpi(rc, style, exStyle, dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  layout();
  for (std::size_t i = 0; i < decl.controls.size(); ++i) refresh(screen, static_cast<int>(i));
  // Names for screen readers. A button's and a picture's window text is what they are called
  // (a button draws its caption itself); a field is called by the static text just before it
  // in the window order, so each named field gets a hidden one with its label's caption.
  for (std::size_t i = 0; i < decl.controls.size(); ++i) {
    HWND h = controls_[i];
    const ControlDecl& c = decl.controls[i];
    if (!h) continue;
    const std::wstring name = wide(accessibleName(screen, static_cast<int>(i)));
    const std::string description = accessibleDescription(screen, static_cast<int>(i));
    if (!description.empty()) desktop_.describe(h, description);
    if (drawsOwnCaption(static_cast<int>(i)) || c.kind == ControlKind::Picture) {
      SetWindowTextW(h, name.c_str());
    } else if (c.kind == ControlKind::TextBox && !name.empty()) {
      namers_[i] = CreateWindowExW(0, L"STATIC", name.c_str(), WS_CHILD, 0, 0, 0, 0, hwnd_, nullptr,
                                   desktop_.instance(), nullptr);
    }
  }
  if (!decl.spokenDescription.empty()) desktop_.describe(hwnd_, decl.spokenDescription);
  // Screen readers walk the children in window order: it is the declared order, each field's
  // naming text just before it.
  HWND previous = HWND_TOP;
  for (std::size_t i = 0; i < decl.controls.size(); ++i) {
    for (HWND h : {namers_[i], controls_[i]}) {
      if (!h) continue;
      SetWindowPos(h, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      previous = h;
    }
  }
}

LRESULT CALLBACK Win32ScreenWindow::pictureProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_USERDATA));
  switch (msg) {
    case WM_NCHITTEST:
      return HTTRANSPARENT;
    case WM_ERASEBKGND:
      return 1;
    case WM_PAINT: {
      PAINTSTRUCT ps;
      BeginPaint(h, &ps);
      EndPaint(h, &ps);
      return 0;
    }
    default:
      return CallWindowProcW(original, h, msg, wp, lp);
  }
}

// Every control at its place and in its font for the window's scale: positions stay true to
// the twips of the declaration, fonts to their points.
void Win32ScreenWindow::layout() {
  places_ = placeControls(*decl_, dpi_);
  GdiCache& gdi = desktop_.gdi();
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(gdi.font(decl_->font, dpi_)), FALSE);
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    HWND h = controls_[i];
    if (!h) continue;
    const ControlDecl& c = decl_->controls[i];
    // Every control is a child of the window itself, so it stands at its place in the screen.
    const PixelRect& r = places_[i].inScreen;
    SetWindowPos(h, nullptr, r.x, r.y, r.width, r.height, SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(h, WM_SETFONT,
                 reinterpret_cast<WPARAM>(gdi.font(c.font ? *c.font : decl_->font, dpi_)), TRUE);
  }
}

void Win32ScreenWindow::build(const ScreenInstance& screen, int i) {
  const ControlDecl& c = screen.decl().controls[i];
  if (isField(c)) return;
  // A band is painted by the window itself, under everything declared after it.
  if (isBand(c)) return;
  const wchar_t* cls = L"STATIC";
  // Siblings are not clipped: the window order is the reading order (declared order), and
  // what lies under later controls (pictures, bands, frames) paints nothing over them.
  DWORD style = WS_CHILD;
  DWORD exStyle = 0;
  switch (c.kind) {
    case ControlKind::Label:
      // A label with a name of its own (the "■" markers) draws its caption itself: its window
      // text is what a screen reader says.
      style |= (c.accessibleName.empty() ? SS_LEFT : SS_OWNERDRAW) | SS_NOTIFY;
      break;
    case ControlKind::Picture:  // decoded once the window has been painted (loadPictures)
      style |= SS_OWNERDRAW | SS_NOTIFY;
      break;
    case ControlKind::Line:
      style |= SS_OWNERDRAW | SS_NOTIFY;
      break;
    case ControlKind::Button:
      cls = L"BUTTON";
      style |= BS_OWNERDRAW | WS_TABSTOP;
      break;
    case ControlKind::TextBox:
      cls = L"EDIT";
      style |= ES_AUTOHSCROLL | WS_TABSTOP;
      exStyle |= WS_EX_CLIENTEDGE;
      break;
    case ControlKind::OptionButton:
      cls = L"BUTTON";
      style |= BS_RADIOBUTTON | WS_TABSTOP;
      break;
    case ControlKind::Frame:
      cls = L"BUTTON";
      style |= BS_GROUPBOX;
      break;
  }
  HWND h = CreateWindowExW(exStyle, cls, L"", style, 0, 0, 1, 1, hwnd_,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                           desktop_.instance(), nullptr);
  // A picture is drawn by the window under the controls declared after it; its own window
  // only carries its name, and lets clicks through to what lies under it.
  if (c.kind == ControlKind::Picture) {
    SetWindowLongPtrW(h, GWLP_USERDATA,
                      SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(pictureProc)));
  }
  // A number field: full-width digits from an input method would reach the page.
  if (!c.inputMethod) {
    using Associate = BOOL(WINAPI*)(HWND, HIMC, DWORD);
    static const auto associate =
        win32::systemFunction<Associate>(L"imm32.dll", "ImmAssociateContextEx");
    if (associate) associate(h, nullptr, 0);
  }
  controls_[i] = h;
}

void Win32ScreenWindow::refresh(const ScreenInstance& screen, int i) {
  HWND h = controls_[i];
  if (!h) return;
  const ControlState& state = screen.controls[i];
  const ControlKind kind = screen.decl().controls[i].kind;
  if (drawsOwnCaption(i)) {
    if (captions_[i] != wide(state.text)) {
      captions_[i] = wide(state.text);
      InvalidateRect(h, nullptr, FALSE);
    }
  } else if (kind != ControlKind::Picture && kind != ControlKind::Line) {
    const std::wstring text = wide(state.text);
    if (windowText(h) != text) {
      updating_ = true;
      SetWindowTextW(h, text.c_str());
      updating_ = false;
    }
  }
  if (kind == ControlKind::OptionButton) {
    SendMessageW(h, BM_SETCHECK, state.checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  // A control that hides itself with the focus (保存) hands it on by the shared rule; in a
  // window left for a message box, the focus it will get back moves on.
  if (!state.visible && IsWindowVisible(h)) {
    const bool active = GetActiveWindow() == hwnd_;
    if (active && GetFocus() == h) {
      const int next = focusAfterHiding(screen, i);
      if (next >= 0) focus(next, FocusCause::Keyboard);
      lastFocus_ = next;
    } else if (!active && lastFocus_ == i) {
      lastFocus_ = focusAfterHiding(screen, i);
    }
  }
  ShowWindow(h, state.visible ? SW_SHOWNA : SW_HIDE);
}

void Win32ScreenWindow::focus(int control, FocusCause cause) {
  HWND h = this->control(control);
  if (!h) return;
  SetFocus(h);
  if (decl_->controls[control].kind == ControlKind::TextBox && selectsWholeText(cause)) {
    SendMessageW(h, EM_SETSEL, 0, -1);
  }
}

int Win32ScreenWindow::focusedControl() const {
  HWND focus = GetFocus();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] && controls_[i] == focus) return static_cast<int>(i);
  }
  return -1;
}

void Win32ScreenWindow::retire() {
  ShowWindow(hwnd_, SW_HIDE);
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  PostMessageW(hwnd_, kDestroyLater, 0, 0);
}

// The form's face, and what lies under the controls declared after it: the bands and the
// pictures, in declared order.
// The pictures for the window's scale (at 150 % and 200 % those drawn at twice the size),
// each decoded at its own pixels. Done after the first paint, so that the window shows at
// once and its pictures follow a moment later.
void Win32ScreenWindow::loadPictures() {
  picturesPending_ = false;
  picturesDpi_ = dpi_;
  desktop_.ensureCom();  // OLE decodes them
  for (std::size_t i = 0; i < decl_->controls.size(); ++i) {
    const ControlDecl& c = decl_->controls[i];
    if (c.kind != ControlKind::Picture) continue;
    std::string file = desktop_.assetDir() + "\\" + pictureFile(c.picture, dpi_ / 96.0);
    if (GetFileAttributesW(wide(file).c_str()) == INVALID_FILE_ATTRIBUTES) {
      file = desktop_.assetDir() + "\\" + c.picture;
    }
    if (pictures_[i] && pictureFiles_[i] == file) continue;
    pictures_[i] = std::make_unique<Picture>(wide(file));
    pictureFiles_[i] = file;
    const PixelRect& r = places_[i].inScreen;
    const RECT rc{r.x, r.y, r.right(), r.bottom()};
    InvalidateRect(hwnd_, &rc, TRUE);
  }
}

std::pair<std::string, PixelRect> Win32ScreenWindow::pictureShown(int i) const {
  const auto& p = pictures_[static_cast<std::size_t>(i)];
  if (!p) return {"", {}};
  return {pictureFiles_[static_cast<std::size_t>(i)], {0, 0, p->width(), p->height()}};
}

void Win32ScreenWindow::paintUnderneath(HDC dc) {
  if (picturesDpi_ != dpi_ && !picturesPending_) {
    picturesPending_ = true;
    PostMessageW(hwnd_, kAfterFirstPaint, 0, 0);
  }
  const auto& hc = desktop_.highContrast();
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, desktop_.gdi().brush(formColours(hc).back));
  const ScreenInstance* screen = desktop_.runtime() ? desktop_.runtime()->find(id_) : nullptr;
  for (std::size_t i = 0; i < decl_->controls.size(); ++i) {
    const ControlDecl& c = decl_->controls[i];
    if (screen && !screen->controls[i].visible) continue;
    const PixelRect& r = places_[i].inScreen;
    const RECT rc{r.x, r.y, r.right(), r.bottom()};
    if (isBand(c)) {
      FillRect(dc, &rc, desktop_.gdi().brush(controlColours(*decl_, static_cast<int>(i), hc).back));
    } else if (c.kind == ControlKind::Picture && pictures_[i]) {
      pictures_[i]->draw(dc, rc);
    }
  }
}

bool Win32ScreenWindow::drawsOwnCaption(int i) const {
  const ControlDecl& c = decl_->controls[static_cast<std::size_t>(i)];
  return c.kind == ControlKind::Button ||
         (c.kind == ControlKind::Label && !c.accessibleName.empty());
}

// An owner-drawn control's back colour and caption, in its own font.
void Win32ScreenWindow::drawCaption(const DRAWITEMSTRUCT& item, UINT format) {
  const int i = static_cast<int>(item.CtlID) - kFirstControlId;
  const Colours colours = controlColours(*decl_, i, desktop_.highContrast());
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  FillRect(dc, &rc, desktop_.gdi().brush(colours.back));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ref(colours.text));
  // The drawing context comes with the system font: the control's own is chosen here.
  HGDIOBJ old =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  const std::wstring& text = captions_[static_cast<std::size_t>(i)];
  DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, format);
  SelectObject(dc, old);
}

void Win32ScreenWindow::drawItem(const DRAWITEMSTRUCT& item) {
  const int i = static_cast<int>(item.CtlID) - kFirstControlId;
  if (i < 0 || i >= static_cast<int>(controls_.size())) return;
  const ControlDecl& c = decl_->controls[i];
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  switch (c.kind) {
    case ControlKind::Button:
      drawCaption(item, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      DrawEdge(dc, &rc, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
      if (item.itemState & ODS_FOCUS) {
        RECT focus = rc;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
      }
      break;
    case ControlKind::Label:
      drawCaption(item, DT_LEFT | DT_WORDBREAK);
      break;
    case ControlKind::Line: {
      HPEN pen = static_cast<HPEN>(SelectObject(dc, GetStockObject(BLACK_PEN)));
      MoveToEx(dc, rc.left, rc.top, nullptr);
      LineTo(dc, rc.right - 1, rc.bottom - 1);
      SelectObject(dc, pen);
      break;
    }
    default:
      break;
  }
}

LRESULT CALLBACK Win32ScreenWindow::proc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kDestroyLater) {
    DestroyWindow(hwnd);
    return 0;
  }
  auto* w = reinterpret_cast<Win32ScreenWindow*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!w) return DefWindowProcW(hwnd, msg, wp, lp);
  return w->handle(msg, wp, lp);
}

LRESULT Win32ScreenWindow::handle(UINT msg, WPARAM wp, LPARAM lp) {
  const ScreenId id = id_;
  Runtime* runtime = desktop_.runtime();
  switch (msg) {
    case WM_COMMAND: {
      const int i = LOWORD(wp) - kFirstControlId;
      if (i < 0 || i >= static_cast<int>(controls_.size()) || !runtime) return 0;
      const ControlDecl& c = decl_->controls[i];
      const std::string name = c.name;  // the window may be gone after the event
      const ControlKind kind = c.kind;
      const WORD code = HIWORD(wp);
      if (kind == ControlKind::TextBox) {
        if (code == EN_CHANGE && !updating_) {
          runtime->userEdit(id, name, win32::utf8(windowText(controls_[i])));
        }
      } else if (code == BN_CLICKED || code == STN_CLICKED) {
        runtime->userClick(id, name);
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
        const PixelRect& r = places_[i].inScreen;
        if (c.kind == ControlKind::Frame && p.x >= r.x && p.x < r.right() && p.y >= r.y &&
            p.y < r.bottom() && runtime) {
          runtime->userClick(id, c.name);
          return 0;
        }
      }
      return 0;
    }
    case WM_CHAR:
      // A character key on the window itself (no control has the focus).
      if (const ScreenInstance* s = runtime ? runtime->find(id) : nullptr;
          s && keyAction(*s, -1, Key::Other, true).kind == KeyAction::ScreenKey) {
        runtime->userKey(id);
      }
      return 0;
    case WM_CLOSE:
      if (runtime) runtime->userClose(id);
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
      if (const ScreenInstance* s = runtime ? runtime->find(id) : nullptr; s && lastFocus_ < 0) {
        lastFocus_ = firstFocus(*s);
      }
      if (lastFocus_ >= 0 && IsWindowVisible(controls_[lastFocus_])) {
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

}  // namespace nubera
