#include "ui/win32/win32_desktop.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <fstream>
#include <sstream>

#include "platform/win32/utf.h"

namespace nubera {

using win32::wide;

namespace {

constexpr wchar_t kScreenClass[] = L"NuberaScreen";
constexpr wchar_t kHelpClass[] = L"NuberaHelp";
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
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = kScreenClass;
  RegisterClassExW(&wc);
  wc.lpfnWndProc = helpProc;
  wc.lpszClassName = kHelpClass;
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

int Win32Desktop::px(int twips) const {
  return MulDiv(twips, dpi_, 1440);
}

HFONT Win32Desktop::font(const Font& f) {
  std::wstring key = wide(f.name) + L"|" + std::to_wstring(f.points) + (f.bold ? L"b" : L"");
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(static_cast<int>(f.points * 100 + 0.5), dpi_, 7200);
  lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  std::wstring face = wide(f.name);
  face.copy(lf.lfFaceName, LF_FACESIZE - 1);
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
  const bool splash = screen.id() == ScreenId::frmSplash;
  DWORD style =
      splash ? WS_POPUP | WS_BORDER : WS_OVERLAPPED | WS_CAPTION | WS_SYSMENU | WS_MINIMIZEBOX;
  DWORD exStyle = WS_EX_CONTROLPARENT;
  RECT rc{0, 0, px(decl.clientWidth), px(decl.clientHeight)};
  AdjustWindowRectEx(&rc, style, FALSE, exStyle);
  w->hwnd = CreateWindowExW(exStyle, kScreenClass, wide(decl.caption).c_str(), style, CW_USEDEFAULT,
                            CW_USEDEFAULT, rc.right - rc.left, rc.bottom - rc.top, nullptr, nullptr,
                            instance_, nullptr);
  SetWindowLongPtrW(w->hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(w.get()));
  SendMessageW(w->hwnd, WM_SETFONT,
               reinterpret_cast<WPARAM>(font(Font{"ＭＳ Ｐゴシック", 9, false})), FALSE);
  w->controls.assign(decl.controls.size(), nullptr);
  w->at.resize(decl.controls.size());
  w->under.resize(decl.controls.size());
  for (std::size_t i = 0; i < decl.controls.size(); ++i) {
    build(*w, screen, static_cast<int>(i));
  }
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
  int height = std::max(1, px(r.height));
  HWND h = CreateWindowExW(
      exStyle, cls, L"", style, px(r.left), px(r.top), std::max(1, px(r.width)), height, w.hwnd,
      reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + i)), instance_, nullptr);
  // What is declared later lies on top, as the screens are laid out.
  SetWindowPos(h, HWND_TOP, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE);
  SendMessageW(h, WM_SETFONT,
               reinterpret_cast<WPARAM>(font(c.font ? *c.font : Font{"ＭＳ Ｐゴシック", 9, false})),
               FALSE);
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
        if (c.kind == ControlKind::Frame && p.x >= px(r.left) && p.x < px(r.left + r.width) &&
            p.y >= px(r.top) && p.y < px(r.top + r.height) && runtime_) {
          runtime_->userClick(id, c.name);
          return 0;
        }
      }
      return 0;
    }
    case WM_CHAR:
      if (runtime_) runtime_->userKey(id);
      return 0;
    case WM_CLOSE:
      if (runtime_) runtime_->userClose(id);
      return 0;
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

void Win32Desktop::screenShown(const ScreenInstance& screen, bool) {
  Window* w = window(screen.id());
  if (!w) return;
  if (screen.decl().centred) {
    RECT area{}, rc{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    GetWindowRect(w->hwnd, &rc);
    int width = rc.right - rc.left, height = rc.bottom - rc.top;
    SetWindowPos(w->hwnd, nullptr, area.left + (area.right - area.left - width) / 2,
                 area.top + (area.bottom - area.top - height) / 2, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
  } else if (!IsWindowVisible(w->hwnd) && !w->placed) {
    // A screen opened while another is shown (a settings screen) stands beside it.
    for (const auto& other : windows_) {
      if (other && other.get() != w && IsWindowVisible(other->hwnd)) {
        RECT area{}, beside{}, mine{};
        SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
        GetWindowRect(other->hwnd, &beside);
        GetWindowRect(w->hwnd, &mine);
        int x = std::min<int>(beside.right + 8, area.right - (mine.right - mine.left));
        SetWindowPos(w->hwnd, nullptr, x, beside.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
        break;
      }
    }
  }
  w->placed = true;
  ShowWindow(w->hwnd, SW_SHOW);
  SetForegroundWindow(w->hwnd);
  // The first control in the focus order takes the focus.
  int best = -1;
  for (std::size_t i = 0; i < screen.decl().controls.size(); ++i) {
    int t = screen.decl().controls[i].tabIndex;
    if (t >= 0 && w->controls[i] && screen.controls[i].visible &&
        (best < 0 || t < screen.decl().controls[best].tabIndex)) {
      best = static_cast<int>(i);
    }
  }
  SetFocus(best >= 0 ? w->controls[best] : w->hwnd);
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
  MessageBoxW(activeScreenWindow(), wide(prompt).c_str(),
              wide(title.empty() ? kApplicationTitle : title).c_str(), MB_OK);
}

std::wstring helpTextFromHtml(const std::string& html) {
  std::string out;
  bool inTag = false, inHead = false;
  std::string tag;
  for (char c : html) {
    if (inTag) {
      if (c == '>') {
        inTag = false;
        std::string t = tag;
        std::transform(t.begin(), t.end(), t.begin(), ::tolower);
        if (t.starts_with("head")) inHead = true;
        if (t.starts_with("/head")) inHead = false;
        if (t == "/p" || t == "/h1" || t == "/h2" || t == "/li" || t == "br" || t == "/ul" ||
            t == "/ol") {
          out += "\r\n";
        }
        if (t == "/h1" || t == "/h2") out += "\r\n";
        if (t == "li") out += "・";
      } else {
        tag += c;
      }
    } else if (c == '<') {
      inTag = true;
      tag.clear();
    } else if (!inHead && c != '\n' && c != '\r') {
      out += c;
    }
  }
  return wide(out);
}

LRESULT CALLBACK Win32Desktop::helpProc(HWND hwnd, UINT msg, WPARAM wp, LPARAM lp) {
  if (msg == WM_SIZE) {
    if (HWND edit = GetWindow(hwnd, GW_CHILD)) {
      MoveWindow(edit, 0, 0, LOWORD(lp), HIWORD(lp), TRUE);
    }
    return 0;
  }
  if (msg == WM_CLOSE) {
    ShowWindow(hwnd, SW_HIDE);
    return 0;
  }
  return DefWindowProcW(hwnd, msg, wp, lp);
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
  // Otherwise the program's own help, from its contents.
  if (!help_) {
    help_ = CreateWindowExW(0, kHelpClass, L"ヘルプ － ストリーミング", WS_OVERLAPPEDWINDOW,
                            CW_USEDEFAULT, CW_USEDEFAULT, 720, 560, nullptr, nullptr, instance_,
                            nullptr);
    HWND edit = CreateWindowExW(
        0, L"EDIT", L"",
        WS_CHILD | WS_VISIBLE | WS_VSCROLL | ES_MULTILINE | ES_READONLY | ES_AUTOVSCROLL, 0, 0, 700,
        520, help_, nullptr, instance_, nullptr);
    SendMessageW(edit, WM_SETFONT,
                 reinterpret_cast<WPARAM>(font(Font{"ＭＳ Ｐゴシック", 10.5, false})), FALSE);
    std::ifstream in(wide(assetDir_ + "\\nubera_help.html").c_str(), std::ios::binary);
    std::stringstream html;
    html << in.rdbuf();
    std::wstring text =
        html.str().empty() ? L"ヘルプファイルが見つかりません。" : helpTextFromHtml(html.str());
    SetWindowTextW(edit, text.c_str());
    RECT rc;
    GetClientRect(help_, &rc);
    MoveWindow(edit, 0, 0, rc.right, rc.bottom, FALSE);
  }
  SendMessageW(GetWindow(help_, GW_CHILD), EM_SETSEL, 0, 0);
  SendMessageW(GetWindow(help_, GW_CHILD), EM_SCROLLCARET, 0, 0);
  ShowWindow(help_, SW_SHOW);
  SetForegroundWindow(help_);
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
  if (screen && screen->id != ScreenId::frmSplash) {
    // Esc closes a screen as its window frame does.
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
      if (runtime_) runtime_->userClose(screen->id);
      return true;
    }
    if (IsDialogMessageW(root, &msg)) return true;
  }
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
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
  if (help_) ShowWindow(help_, SW_HIDE);
  ended_ = true;
  PostQuitMessage(0);
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
