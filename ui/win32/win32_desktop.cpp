#include "ui/win32/win32_desktop.h"

#include <imm.h>
#include <ocidl.h>
#include <olectl.h>
#include <shellapi.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/win32/utf.h"
#include "ui/desktop_rules.h"

namespace nubera {

using win32::wide;

namespace {

constexpr wchar_t kScreenClass[] = L"NuberaScreen";
constexpr UINT kDestroyLater = WM_APP + 1;
constexpr int kFirstControlId = 100;

COLORREF ref(Rgb c) {
  return RGB(c.r, c.g, c.b);
}

// One desktop per process; the window procedure reaches it here.
Win32Desktop* theDesktop = nullptr;

bool inside(const Rect& outer, const Rect& inner) {
  return inner.left >= outer.left && inner.top >= outer.top &&
         inner.left + inner.width <= outer.left + outer.width &&
         inner.top + inner.height <= outer.top + outer.height;
}

}  // namespace

struct Win32Desktop::Window {
  ScreenId id;
  HWND hwnd = nullptr;
  const ScreenDecl* decl = nullptr;
  std::vector<HWND> controls;
  std::vector<Rect> at;                   // positions in the window, frames resolved
  std::vector<std::optional<Rgb>> under;  // the back colour a transparent label stands on
  int dpi = 96;                           // the scale of the display it stands on
  bool updating = false;                  // the program, not the user, is changing a text
  bool placed = false;                    // given its place on the desktop once
};

Win32Desktop::Win32Desktop(HINSTANCE instance, std::string assetDir)
    : instance_(instance), assetDir_(std::move(assetDir)) {
  theDesktop = this;
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof wc;
  wc.lpfnWndProc = screenProc;
  wc.hInstance = instance_;
  wc.hCursor = LoadCursor(nullptr, IDC_ARROW);
  // The program's icon (resource 1), on every window and on the taskbar.
  wc.hIcon = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                           GetSystemMetrics(SM_CXICON), GetSystemMetrics(SM_CYICON),
                                           LR_DEFAULTCOLOR));
  wc.hIconSm = static_cast<HICON>(LoadImageW(instance_, MAKEINTRESOURCEW(1), IMAGE_ICON,
                                             GetSystemMetrics(SM_CXSMICON),
                                             GetSystemMetrics(SM_CYSMICON), LR_DEFAULTCOLOR));
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kScreenClass;
  RegisterClassExW(&wc);
}

Win32Desktop::~Win32Desktop() {
  for (auto& w : windows_) {
    if (w && w->hwnd) DestroyWindow(w->hwnd);
  }
  for (auto& [k, f] : fonts_) DeleteObject(f);
  for (auto& [k, b] : brushes_) DeleteObject(b);
  for (auto& [k, p] : pictures_) {
    if (p) p->Release();
  }
}

namespace {

// The scale of the display a window stands on; Windows 10 and later tell it per window.
int dpiOf(HWND hwnd, int fallback) {
  using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
  static const auto getDpi = reinterpret_cast<GetDpiForWindowFn>(
      reinterpret_cast<void*>(GetProcAddress(GetModuleHandleW(L"user32"), "GetDpiForWindow")));
  const int dpi = getDpi && hwnd ? static_cast<int>(getDpi(hwnd)) : 0;
  return dpi > 0 ? dpi : fallback;
}

}  // namespace

int Win32Desktop::px(int twips, int dpi) {
  return MulDiv(twips, dpi, 1440);
}

// Every control at its place and in its font for the window's scale: positions stay true to
// the twips of the declaration, fonts to their points.
void Win32Desktop::layout(Window& w) {
  SendMessageW(w.hwnd, WM_SETFONT, reinterpret_cast<WPARAM>(font(w.decl->font, w.dpi)), FALSE);
  for (std::size_t i = 0; i < w.controls.size(); ++i) {
    HWND h = w.controls[i];
    if (!h) continue;
    const ControlDecl& c = w.decl->controls[i];
    const Rect& r = w.at[i];
    SetWindowPos(h, nullptr, px(r.left, w.dpi), px(r.top, w.dpi), std::max(1, px(r.width, w.dpi)),
                 std::max(1, px(r.height, w.dpi)), SWP_NOZORDER | SWP_NOACTIVATE);
    SendMessageW(h, WM_SETFONT,
                 reinterpret_cast<WPARAM>(font(c.font ? *c.font : w.decl->font, w.dpi)), TRUE);
  }
}

HFONT Win32Desktop::font(const Font& f, int dpi) {
  std::wstring key = wide(f.name) + L"|" + std::to_wstring(f.points) + (f.bold ? L"b" : L"") +
                     L"@" + std::to_wstring(dpi);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(static_cast<int>(f.points * 100 + 0.5), dpi, 7200);
  lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  // The first of the families that this system has; the font mapper's own choice otherwise.
  for (const std::string& family : fontFamilies(f)) {
    LOGFONTW probe{};
    probe.lfCharSet = DEFAULT_CHARSET;
    wide(family).copy(probe.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(
        dc, &probe,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
          *reinterpret_cast<bool*>(found) = true;
          return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    if (found) {
      wide(family).copy(lf.lfFaceName, LF_FACESIZE - 1);
      break;
    }
  }
  return fonts_[key] = CreateFontIndirectW(&lf);
}

HBRUSH Win32Desktop::brush(Rgb c) {
  unsigned key = c.r << 16 | c.g << 8 | c.b;
  auto it = brushes_.find(key);
  if (it != brushes_.end()) return it->second;
  return brushes_[key] = CreateSolidBrush(ref(c));
}

void Win32Desktop::screenCreated(const ScreenInstance& screen) {
  auto w = std::make_unique<Window>();
  w->id = screen.id();
  w->decl = &screen.decl();
  const ScreenDecl& decl = screen.decl();
  DWORD style = decl.frameless ? WS_POPUP | WS_BORDER
                               : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  w->hwnd = CreateWindowExW(exStyle, kScreenClass, wide(decl.caption).c_str(), style, CW_USEDEFAULT,
                            CW_USEDEFAULT, 100, 100, nullptr, nullptr, instance_, nullptr);
  SetWindowLongPtrW(w->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w.get()));
  w->controls.assign(decl.controls.size(), nullptr);
  w->at.resize(decl.controls.size());
  w->under.resize(decl.controls.size());
  for (std::size_t i = 0; i < decl.controls.size(); ++i) {
    build(*w, screen, static_cast<int>(i));
  }
  // Sized for the display the system put it on.
  w->dpi = dpiOf(w->hwnd, dpi_);
  RECT rc{0, 0, px(decl.clientWidth, w->dpi), px(decl.clientHeight, w->dpi)};
  AdjustWindowRectEx(&rc, style, FALSE, exStyle);
  SetWindowPos(w->hwnd, nullptr, 0, 0, rc.right - rc.left, rc.bottom - rc.top,
               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  layout(*w);
  for (std::size_t i = 0; i < decl.controls.size(); ++i) update(*w, screen, static_cast<int>(i));
  windows_[static_cast<std::size_t>(screen.id())] = std::move(w);
}

void Win32Desktop::build(Window& w, const ScreenInstance& screen, int i) {
  const ControlDecl& c = screen.decl().controls[i];
  if (c.kind == ControlKind::TextBox && !c.visible && c.rect.width == 0) return;  // a field
  Rect r = c.rect;
  if (!c.parent.empty()) {
    const Rect& frame = screen.decl().controls[screen.decl().indexOf(c.parent)].rect;
    r.left += frame.left;
    r.top += frame.top;
  }
  w.at[i] = r;
  // A label without a colour of its own shows the colour of a band it stands on.
  for (int j = 0; j < i; ++j) {
    const ControlDecl& below = screen.decl().controls[j];
    if (below.kind == ControlKind::Label && below.backColor && inside(w.at[j], r)) {
      w.under[i] = below.backColor;
    }
  }
  const wchar_t* cls = L"STATIC";
  DWORD style = WS_CHILD | WS_CLIPSIBLINGS;
  DWORD exStyle = 0;
  switch (c.kind) {
    case ControlKind::Label:
      style |= SS_LEFT | SS_NOTIFY;
      break;
    case ControlKind::Picture:
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
  HWND h = CreateWindowExW(exStyle, cls, L"", style, 0, 0, 1, 1, w.hwnd,
                           reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)),
                           instance_, nullptr);
  // What is declared later lies on top, as the screens are laid out.
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  // A number field: full-width digits from an input method would reach the page.
  if (!c.inputMethod) ImmAssociateContextEx(h, nullptr, 0);
  w.controls[i] = h;
}

void Win32Desktop::update(Window& w, const ScreenInstance& screen, int i) {
  HWND h = w.controls[i];
  if (!h) return;
  const ControlState& state = screen.controls[i];
  const ControlKind kind = screen.decl().controls[i].kind;
  if (kind != ControlKind::Picture && kind != ControlKind::Line) {
    std::wstring text = wide(state.text);
    int n = GetWindowTextLengthW(h);
    std::wstring current(static_cast<std::size_t>(n) + 1, L'\0');
    GetWindowTextW(h, current.data(), n + 1);
    current.resize(static_cast<std::size_t>(n));
    if (current != text) {
      w.updating = true;
      SetWindowTextW(h, text.c_str());
      w.updating = false;
    }
  }
  if (kind == ControlKind::OptionButton) {
    SendMessageW(h, BM_SETCHECK, state.checked ? BST_CHECKED : BST_UNCHECKED, 0);
  }
  ShowWindow(h, state.visible ? SW_SHOWNA : SW_HIDE);
}

void Win32Desktop::drawItem(Window& w, const DRAWITEMSTRUCT& item) {
  int i = static_cast<int>(item.CtlID) - kFirstControlId;
  if (i < 0 || i >= static_cast<int>(w.controls.size())) return;
  const ControlDecl& c = w.decl->controls[i];
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  switch (c.kind) {
    case ControlKind::Button: {
      FillRect(dc, &rc, c.backColor ? brush(*c.backColor) : GetSysColorBrush(COLOR_BTNFACE));
      DrawEdge(dc, &rc, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
      int n = GetWindowTextLengthW(item.hwndItem);
      std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
      GetWindowTextW(item.hwndItem, text.data(), n + 1);
      SetBkMode(dc, TRANSPARENT);
      SetTextColor(dc, c.foreColor ? ref(*c.foreColor) : GetSysColor(COLOR_BTNTEXT));
      DrawTextW(dc, text.c_str(), n, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      if (item.itemState & ODS_FOCUS) {
        RECT focus = rc;
        InflateRect(&focus, -3, -3);
        DrawFocusRect(dc, &focus);
      }
      break;
    }
    case ControlKind::Picture: {
      auto it = pictures_.find(c.picture);
      if (it == pictures_.end()) {
        IPicture* picture = nullptr;
        std::ifstream in(wide(assetDir_ + "\\" + c.picture).c_str(), std::ios::binary);
        std::string bytes((std::istreambuf_iterator<char>(in)), {});
        if (!bytes.empty()) {
          HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
          std::copy(bytes.begin(), bytes.end(), static_cast<char*>(GlobalLock(mem)));
          GlobalUnlock(mem);
          IStream* stream = nullptr;
          if (CreateStreamOnHGlobal(mem, TRUE, &stream) == S_OK) {
            OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                           reinterpret_cast<void**>(&picture));
            stream->Release();
          } else {
            GlobalFree(mem);
          }
        }
        it = pictures_.emplace(c.picture, picture).first;
      }
      if (IPicture* picture = it->second) {
        OLE_XSIZE_HIMETRIC hmWidth = 0;
        OLE_YSIZE_HIMETRIC hmHeight = 0;
        picture->get_Width(&hmWidth);
        picture->get_Height(&hmHeight);
        picture->Render(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, 0, hmHeight,
                        hmWidth, -hmHeight, nullptr);
      }
      break;
    }
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

LRESULT CALLBACK Win32Desktop::screenProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == kDestroyLater) {
    DestroyWindow(hwnd);
    return 0;
  }
  auto* w = reinterpret_cast<Window*>(GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  if (!w || !theDesktop) return DefWindowProcW(hwnd, msg, wp, lp);
  return theDesktop->handle(*w, msg, wp, lp);
}

LRESULT Win32Desktop::handle(Window& w, UINT msg, WPARAM wp, LPARAM lp) {
  const ScreenId id = w.id;
  switch (msg) {
    case WM_COMMAND: {
      int i = LOWORD(wp) - kFirstControlId;
      if (i < 0 || i >= static_cast<int>(w.controls.size()) || !runtime_) return 0;
      const ControlDecl& c = w.decl->controls[i];
      const std::string name = c.name;  // the window may be gone after the event
      WORD code = HIWORD(wp);
      if (c.kind == ControlKind::TextBox) {
        if (code == EN_CHANGE && !w.updating) {
          HWND h = w.controls[i];
          int n = GetWindowTextLengthW(h);
          std::wstring text(static_cast<std::size_t>(n) + 1, L'\0');
          GetWindowTextW(h, text.data(), n + 1);
          text.resize(static_cast<std::size_t>(n));
          runtime_->userEdit(id, name, win32::utf8(text));
        }
      } else if (code == BN_CLICKED || code == STN_CLICKED) {
        runtime_->userClick(id, name);
        // Windows may have toggled a radio button on its own: the runtime's state counts.
        if (Window* still = window(id); still && c.kind == ControlKind::OptionButton) {
          if (const ScreenInstance* s = runtime_->find(id)) update(*still, *s, i);
        }
      }
      return 0;
    }
    case WM_LBUTTONDOWN: {
      // A group box lets clicks through: a click on a frame's free area lands here.
      POINT p{static_cast<short>(LOWORD(lp)), static_cast<short>(HIWORD(lp))};
      for (std::size_t i = 0; i < w.decl->controls.size(); ++i) {
        const ControlDecl& c = w.decl->controls[i];
        const Rect& r = w.at[i];
        if (c.kind == ControlKind::Frame && p.x >= px(r.left, w.dpi) &&
            p.x < px(r.left + r.width, w.dpi) && p.y >= px(r.top, w.dpi) &&
            p.y < px(r.top + r.height, w.dpi) && runtime_) {
          runtime_->userClick(id, c.name);
          return 0;
        }
      }
      return 0;
    }
    case WM_CHAR:
      // A character key on the window itself (no control has the focus).
      if (const ScreenInstance* s = runtime_ ? runtime_->find(id) : nullptr;
          s && keyAction(*s, -1, Key::Other, true).kind == KeyAction::ScreenKey) {
        runtime_->userKey(id);
      }
      return 0;
    case WM_CLOSE:
      if (runtime_) runtime_->userClose(id);
      return 0;
    case WM_DPICHANGED: {
      // Moved to a display of another scale: the window takes the size Windows suggests, and
      // the controls their places and fonts at the new scale.
      w.dpi = HIWORD(wp);
      const RECT* suggested = reinterpret_cast<const RECT*>(lp);
      SetWindowPos(w.hwnd, nullptr, suggested->left, suggested->top,
                   suggested->right - suggested->left, suggested->bottom - suggested->top,
                   SWP_NOZORDER | SWP_NOACTIVATE);
      layout(w);
      InvalidateRect(w.hwnd, nullptr, TRUE);
      return 0;
    }
    case WM_DRAWITEM:
      drawItem(w, *reinterpret_cast<DRAWITEMSTRUCT*>(lp));
      return TRUE;
    case WM_CTLCOLORSTATIC:
    case WM_CTLCOLORBTN: {
      HDC dc = reinterpret_cast<HDC>(wp);
      int i = GetDlgCtrlID(reinterpret_cast<HWND>(lp)) - kFirstControlId;
      if (i < 0 || i >= static_cast<int>(w.controls.size())) break;
      const ControlDecl& c = w.decl->controls[i];
      SetTextColor(dc, c.foreColor ? ref(*c.foreColor) : GetSysColor(COLOR_WINDOWTEXT));
      std::optional<Rgb> back = c.backColor ? c.backColor : w.under[i];
      if (back) {
        SetBkColor(dc, ref(*back));
        return reinterpret_cast<LRESULT>(brush(*back));
      }
      SetBkColor(dc, GetSysColor(COLOR_BTNFACE));
      return reinterpret_cast<LRESULT>(GetSysColorBrush(COLOR_BTNFACE));
    }
    default:
      break;
  }
  return DefWindowProcW(w.hwnd, msg, wp, lp);
}

void Win32Desktop::screenDestroyed(ScreenId id) {
  auto& slot = windows_[static_cast<std::size_t>(id)];
  if (!slot) return;
  // Hidden now, destroyed once the message that caused this has been handled.
  ShowWindow(slot->hwnd, SW_HIDE);
  SetWindowLongPtrW(slot->hwnd, GWLP_USERDATA, 0);
  PostMessageW(slot->hwnd, kDestroyLater, 0, 0);
  retired_.push_back(std::move(slot));
}

namespace {

PixelRect windowRect(HWND h) {
  RECT rc{};
  GetWindowRect(h, &rc);
  return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

PixelRect workArea() {
  RECT area{};
  SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

void moveTo(HWND h, const PixelRect& r) {
  SetWindowPos(h, nullptr, r.x, r.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

void Win32Desktop::screenShown(const ScreenInstance& screen, bool) {
  Window* w = window(screen.id());
  if (!w) return;
  const ScreenDecl& decl = screen.decl();
  const bool opening = !IsWindowVisible(w->hwnd);
  if (opening && decl.placement == Placement::Centred) {
    moveTo(w->hwnd, centredIn(windowRect(w->hwnd), workArea()));
  } else if (opening && decl.placement == Placement::Beside) {
    Window* other = window(decl.besideOf);
    if (other && IsWindowVisible(other->hwnd)) {
      POINT client{0, 0};
      ClientToScreen(other->hwnd, &client);
      const auto parts = workingParts(*other->decl, other->dpi / 1440.0, client.x, client.y);
      const PairPlacement pair =
          placeBeside(windowRect(other->hwnd), parts, windowRect(w->hwnd), workArea());
      moveTo(other->hwnd, pair.other);
      moveTo(w->hwnd, pair.screen);
    }
  }
  ShowWindow(w->hwnd, SW_SHOW);
  SetForegroundWindow(w->hwnd);
  if (opening) {
    const int first = firstFocus(screen);
    SetFocus(first >= 0 ? w->controls[first] : w->hwnd);
  }
}

void Win32Desktop::screenHidden(ScreenId id) {
  if (Window* w = window(id)) ShowWindow(w->hwnd, SW_HIDE);
}

void Win32Desktop::controlChanged(const ScreenInstance& screen, int i) {
  if (Window* w = window(screen.id())) update(*w, screen, i);
}

HWND Win32Desktop::activeScreenWindow() const {
  HWND active = GetActiveWindow();
  for (const auto& w : windows_) {
    if (w && w->hwnd == active) return active;
  }
  return nullptr;
}

void Win32Desktop::messageBox(const std::string& prompt, int, const std::string& title) {
  if (answerer_) return answerer_(prompt);
  MessageBoxW(activeScreenWindow(), wide(prompt).c_str(),
              wide(title.empty() ? kApplicationTitle : title).c_str(), MB_OK);
}

void Win32Desktop::help(ScreenId id, const std::string& file, int command,
                        const std::string& data) {
  Window* w = window(id);
  HWND owner = w ? w->hwnd : nullptr;
  // Where the help file lies beside the program, the Windows help viewer shows it.
  if (GetFileAttributesW(wide(assetDir_ + "\\" + file).c_str()) != INVALID_FILE_ATTRIBUTES) {
    WinHelpA(owner, file.c_str(), static_cast<UINT>(command),
             reinterpret_cast<ULONG_PTR>(data.c_str()));
    return;
  }
  // Otherwise the program's own help, a page whose top is its contents, in the user's browser.
  const std::string page = assetDir_ + "\\nubera_help.html";
  const bool opened =
      helpOpener_ ? helpOpener_(page)
                  : reinterpret_cast<INT_PTR>(ShellExecuteW(owner, L"open", wide(page).c_str(),
                                                            nullptr, nullptr, SW_SHOWNORMAL)) > 32;
  if (!opened) messageBox("ヘルプを開けませんでした。\n" + page, 0, "");
}

bool Win32Desktop::pump() {
  MSG msg;
  if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
    ended_ = true;
    return false;
  }
  // Windows of unloaded screens, once destroyed, are forgotten.
  retired_.erase(std::remove_if(retired_.begin(), retired_.end(),
                                [](const auto& w) { return !IsWindow(w->hwnd); }),
                 retired_.end());
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  Window* screen = nullptr;
  for (auto& w : windows_) {
    if (w && w->hwnd == root) screen = w.get();
  }
  if (screen && runtime_ && msg.message == WM_KEYDOWN && key(*screen, msg)) return true;
  if (screen && !screen->decl->frameless && IsDialogMessageW(root, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

int Win32Desktop::focusedControl(const Window& w) const {
  HWND focus = GetFocus();
  for (std::size_t i = 0; i < w.controls.size(); ++i) {
    if (w.controls[i] && w.controls[i] == focus) return static_cast<int>(i);
  }
  return -1;
}

bool Win32Desktop::key(Window& w, const MSG& msg) {
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
    default:
      return false;
  }
  if (ctrlOrAlt && k != Key::Escape) return false;
  const ScreenInstance* s = runtime_->find(w.id);
  if (!s) return false;
  // Whether the key makes a character is told by WM_CHAR, which only a passed key gets.
  const KeyAction action = keyAction(*s, focusedControl(w), k, false);
  switch (action.kind) {
    case KeyAction::Pass:
    case KeyAction::ScreenKey:
      return false;
    case KeyAction::Click: {
      const ScreenId id = w.id;
      const std::string name = s->decl().controls[action.control].name;
      runtime_->userClick(id, name);
      if (Window* still = window(id)) {
        if (const ScreenInstance* now = runtime_->find(id)) update(*still, *now, action.control);
      }
      return true;
    }
    case KeyAction::Focus: {
      HWND h = w.controls[action.control];
      SetFocus(h);
      // As the dialog manager does: a field reached by the keyboard has its text selected.
      if (s->decl().controls[action.control].kind == ControlKind::TextBox) {
        SendMessageW(h, EM_SETSEL, 0, -1);
      }
      return true;
    }
    case KeyAction::Swallow:
      return true;
  }
  return false;
}

void Win32Desktop::runModal(ScreenId id) {
  Window* modal = window(id);
  if (!modal) return;
  std::vector<HWND> disabled;
  for (auto& w : windows_) {
    if (w && w.get() != modal && IsWindowEnabled(w->hwnd)) {
      EnableWindow(w->hwnd, FALSE);
      disabled.push_back(w->hwnd);
    }
  }
  while (!ended_ && runtime_) {
    const ScreenInstance* s = runtime_->find(id);
    if (!s || !s->visible) break;
    if (!pump()) break;
  }
  for (HWND h : disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
}

void Win32Desktop::programEnded() {
  for (auto& w : windows_) {
    if (w) screenDestroyed(w->id);
  }
  ended_ = true;
  PostQuitMessage(0);
}

void Win32Desktop::processPending() {
  MSG msg;
  while (!ended_ && PeekMessageW(&msg, nullptr, 0, 0, PM_NOREMOVE)) {
    if (!pump()) break;
  }
}

HWND Win32Desktop::windowOf(ScreenId id) const {
  Window* w = window(id);
  return w ? w->hwnd : nullptr;
}

HWND Win32Desktop::controlOf(ScreenId id, const std::string& name) const {
  Window* w = window(id);
  if (!w) return nullptr;
  const int i = w->decl->indexOf(name);
  return i >= 0 ? w->controls[i] : nullptr;
}

int Win32Desktop::run() {
  while (!ended_ && pump()) {
  }
  for (auto& w : retired_) {
    if (IsWindow(w->hwnd)) DestroyWindow(w->hwnd);
  }
  retired_.clear();
  return 0;
}

}  // namespace nubera
