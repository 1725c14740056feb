#include "ui/win32/screen_window.h"

#include <imm.h>
#include <oleacc.h>

#include <algorithm>

#include "platform/win32/utf.h"
#include "ui/desktop_rules.h"
#include "ui/win32/system_library.h"
#include "ui/win32/win32_desktop.h"

namespace nubera::win32 {

namespace {

constexpr wchar_t kScreenClass[] = L"NuberaScreen";

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

}  // namespace

std::wstring windowText(HWND h) {
  const int n = GetWindowTextLengthW(h);
  std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
  GetWindowTextW(h, text.data(), n + 1);
  text.resize(static_cast<std::size_t>(n));
  return text;
}

void ScreenWindow::registerClass(HINSTANCE instance) {
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
  WNDCLASSEXW part{};
  part.cbSize = sizeof part;
  part.lpfnWndProc = partProc;
  part.hInstance = instance;
  part.hCursor = LoadCursor(nullptr, IDC_ARROW);
  part.lpszClassName = kPartClass;
  RegisterClassExW(&part);
}

ScreenWindow::ScreenWindow(Win32Desktop& desktop, const ScreenInstance& screen)
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
  controls_.resize(decl.controls.size());
  partsOnly_ = std::none_of(decl.controls.begin(), decl.controls.end(), [](const ControlDecl& c) {
    return c.kind == ControlKind::Button || c.kind == ControlKind::OptionButton ||
           (c.kind == ControlKind::TextBox && !isField(c)) || c.tabIndex >= 0;
  });
  for (std::size_t i = 0; i < decl.controls.size(); ++i) build(screen, static_cast<int>(i));
  const PixelRect client = clientSize(decl, dpi_);
  RECT rc{0, 0, client.width, client.height};
  adjustForDpi(rc, style, exStyle, dpi_);
  SetWindowPos(hwnd_, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  layout();
  for (std::size_t i = 0; i < decl.controls.size(); ++i) refresh(screen, static_cast<int>(i));
  nameForScreenReaders(screen);
}

ScreenWindow::~ScreenWindow() {
  // Messages sent while it goes (WM_DESTROY and its children's) no longer reach this object.
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  if (IsWindow(hwnd_)) DestroyWindow(hwnd_);
}

// Names for screen readers. A button's and a picture's window text is what they are called
// (a button draws its caption itself); a field is called by the static text just before it
// in the window order, so each named field gets a hidden one with its label's caption.
void ScreenWindow::nameForScreenReaders(const ScreenInstance& screen) {
  const ScreenDecl& decl = *decl_;
  for (std::size_t i = 0; i < decl.controls.size(); ++i) {
    Control& control = controls_[i];
    const ControlDecl& c = decl.controls[i];
    if (control.window && c.kind == ControlKind::TextBox &&
        !accessibleName(screen, static_cast<int>(i)).empty()) {
      control.namer = CreateWindowExW(0, L"STATIC", L"", WS_CHILD, 0, 0, 0, 0, hwnd_, nullptr,
                                      desktop_.instance(), nullptr);
    }
    speak(screen, static_cast<int>(i));
  }
  speak(screen, -1);
  // Screen readers walk the children in window order: it is the declared order, each field's
  // naming text just before it.
  HWND previous = HWND_TOP;
  for (const Control& control : controls_) {
    for (HWND h : {control.namer, control.window}) {
      if (!h) continue;
      SetWindowPos(h, previous, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
      previous = h;
    }
  }
}

void ScreenWindow::speak(const ScreenInstance& screen, int i) {
  if (i < 0) {
    if (const std::string d = accessibleDescription(screen, -1); !d.empty()) {
      desktop_.describe(hwnd_, d);
    }
    return;
  }
  const Control& control = controls_[static_cast<std::size_t>(i)];
  if (!control.window) return;
  const std::wstring name = wide(accessibleName(screen, i));
  if (const std::string d = accessibleDescription(screen, i); !d.empty()) {
    desktop_.describe(control.window, d);
  }
  if (drawsOwnCaption(i)) {
    SetWindowTextW(control.window, name.c_str());
  } else if (control.namer) {
    SetWindowTextW(control.namer, name.c_str());
  }
}

// Every control at its place and in its font for the window's scale: positions stay true to
// the twips of the declaration, fonts to their points.
void ScreenWindow::layout() {
  const auto places = placeControls(*decl_, dpi_);
  GdiCache& gdi = desktop_.gdi();
  SendMessageW(hwnd_, WM_SETFONT, reinterpret_cast<WPARAM>(gdi.font(decl_->font, dpi_)), FALSE);
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    Control& control = controls_[i];
    control.place = places[i];
    if (!control.window) continue;
    const ControlDecl& c = decl_->controls[i];
    // Every control is a child of the window itself, so it stands at its place in the screen.
    const PixelRect& r = control.place.inScreen;
    SetWindowPos(control.window, nullptr, r.x, r.y, r.width, r.height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(control.window, WM_SETFONT,
                 reinterpret_cast<WPARAM>(gdi.font(c.font ? *c.font : decl_->font, dpi_)), TRUE);
  }
}

void ScreenWindow::build(const ScreenInstance& screen, int i) {
  const ControlDecl& c = screen.decl().controls[i];
  if (isField(c)) return;
  // A band is painted by the window itself, under everything declared after it.
  if (isBand(c)) return;
  if (isPart(i)) {
    // Drawn by the window; it carries the name, and a label's clicks.
    controls_[i].window =
        CreateWindowExW(0, kPartClass, L"", WS_CHILD, 0, 0, 1, 1, hwnd_,
                        reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                        desktop_.instance(), nullptr);
    return;
  }
  const wchar_t* cls = L"STATIC";
  // Siblings are not clipped: the window order is the reading order (declared order), and
  // what lies under later controls (pictures, bands, frames) paints nothing over them.
  DWORD style = WS_CHILD;
  DWORD exStyle = 0;
  switch (c.kind) {
    case ControlKind::Label:
      // A label draws its caption itself, in the program's bold (its window text is what a
      // screen reader says: the caption, or a marker's name).
      style |= SS_OWNERDRAW | SS_NOTIFY;
      if (c.tabIndex >= 0) style |= WS_TABSTOP;  // a marker, chosen from the keyboard too
      break;
    case ControlKind::Picture:  // parts, above
    case ControlKind::Line:
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
  // A field draws its focus mark, a marker tells a screen reader it is a radio button; each
  // keeps the system's procedure in its user data, to call on.
  if (c.kind == ControlKind::TextBox) {
    SetWindowLongPtrW(h, GWLP_USERDATA,
                      SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(fieldProc)));
    SendMessageW(h, EM_SETMARGINS, EC_LEFTMARGIN | EC_RIGHTMARGIN, MAKELONG(2, 2));
  } else if (!c.choiceField.empty()) {
    SetWindowLongPtrW(h, GWLP_USERDATA,
                      SetWindowLongPtrW(h, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(markerProc)));
  }
  // A number field: full-width digits from an input method would reach the page.
  if (!c.inputMethod) {
    using Associate = BOOL(WINAPI*)(HWND, HIMC, DWORD);
    static const auto associate =
        win32::systemFunction<Associate>(L"imm32.dll", "ImmAssociateContextEx");
    if (associate) associate(h, nullptr, 0);
  }
  controls_[i].window = h;
}

void ScreenWindow::refresh(const ScreenInstance& screen, int i) {
  Control& control = controls_[i];
  HWND h = control.window;
  if (!h) return;
  const ControlState& state = screen.controls[i];
  const ControlKind kind = screen.decl().controls[i].kind;
  bool captionChanged = false;
  if (drawsOwnCaption(i)) {
    if (control.caption != wide(state.text)) {
      control.caption = wide(state.text);
      InvalidateRect(h, nullptr, FALSE);
      // A part's name may be its caption (a label's), which has just changed.
      captionChanged = true;
    }
  } else {
    const std::wstring text = wide(state.text);
    if (windowText(h) != text) {
      updating_ = true;
      SetWindowTextW(h, text.c_str());
      updating_ = false;
      captionChanged = kind == ControlKind::Label;
    }
  }
  // What is spoken of it, and of the controls its caption names or explains, changes with it.
  if (captionChanged && kind == ControlKind::Label) {
    if (isPart(i)) speak(screen, i);
    for (int j : speakingCaptionOf(*decl_, i)) speak(screen, j);
  }
  if (kind == ControlKind::OptionButton) {
    SendMessageW(h, BM_SETCHECK, state.checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  // A marker draws its choice, and tells a screen reader of it (a radio button does itself).
  if (control.checked != state.checked && kind == ControlKind::Label) {
    InvalidateRect(h, nullptr, FALSE);
    NotifyWinEvent(EVENT_OBJECT_STATECHANGE, h, OBJID_CLIENT, CHILDID_SELF);
  }
  control.checked = state.checked;
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
  const bool shown = state.visible && !IsWindowVisible(h);
  ShowWindow(h, state.visible ? SW_SHOWNA : SW_HIDE);
  // One an action shows may take the focus; a window left for a message box gets it back so.
  if (shown && focusAfterShowing(screen, i) == i) {
    if (GetActiveWindow() == hwnd_) focus(i, FocusCause::Keyboard);
    lastFocus_ = i;
  }
}

void ScreenWindow::focus(int control, FocusCause cause) {
  HWND h = this->control(control);
  if (!h) return;
  // A marker draws its own focus mark: the one left and the one reached draw anew.
  if (HWND left = GetFocus(); left && left != h) InvalidateRect(left, nullptr, FALSE);
  SetFocus(h);
  InvalidateRect(h, nullptr, FALSE);
  if (decl_->controls[control].kind == ControlKind::TextBox && selectsWholeText(cause)) {
    SendMessageW(h, EM_SETSEL, 0, -1);
  }
}

int ScreenWindow::focusedControl() const {
  HWND focus = GetFocus();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i].window && controls_[i].window == focus) return static_cast<int>(i);
  }
  return -1;
}

void ScreenWindow::retire() {
  detach();
  ShowWindow(hwnd_, SW_HIDE);
}

void ScreenWindow::detach() {
  SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
}

std::pair<std::string, PixelRect> ScreenWindow::pictureShown(int i) const {
  const Control& control = controls_[static_cast<std::size_t>(i)];
  if (!control.picture) return {"", {}};
  return {control.pictureFile, {0, 0, control.picture->width(), control.picture->height()}};
}

bool ScreenWindow::drawsOwnCaption(int i) const {
  const ControlDecl& c = decl_->controls[static_cast<std::size_t>(i)];
  return c.kind == ControlKind::Button || c.kind == ControlKind::Label || isPart(i);
}

bool ScreenWindow::isPart(int i) const {
  const ControlKind kind = decl_->controls[static_cast<std::size_t>(i)].kind;
  return kind == ControlKind::Picture || kind == ControlKind::Line ||
         (partsOnly_ && (kind == ControlKind::Label || kind == ControlKind::Frame));
}

}  // namespace nubera::win32
