#include "ui/win32/win32_desktop.h"

// The annotation service's identifiers are defined here, once.
#include <initguid.h>
// after initguid.h
#include <oleacc.h>
#include <shellapi.h>

#include <algorithm>

#include "platform/win32/utf.h"
#include "ui/desktop_rules.h"
#include "ui/win32/system_library.h"

namespace nubera {

using win32::wide;

Win32Desktop::Win32Desktop(HINSTANCE instance, std::string assetDir)
    : instance_(instance), assetDir_(std::move(assetDir)) {
  HDC screen = GetDC(nullptr);
  dpi_ = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  win32::ScreenWindow::registerClass(instance_);
  systemColoursChanged();
}

Win32Desktop::~Win32Desktop() {
  if (accProps_) accProps_->Release();
  if (comStarted_) {
    using Uninitialize = void(WINAPI*)();
    if (auto f = win32::systemFunction<Uninitialize>(L"ole32.dll", "CoUninitialize")) f();
  }
  // The runtime is gone by now: every window is cut off from it before any is destroyed,
  // since destroying one activates another. They go with windows_ and retired_.
  for (auto& w : windows_) {
    if (w) w->detach();
  }
  for (auto& w : retired_) w->detach();
}

void Win32Desktop::screenCreated(const ScreenInstance& screen) {
  windows_[static_cast<std::size_t>(screen.id())] =
      std::make_unique<win32::ScreenWindow>(*this, screen);
}

void Win32Desktop::resync(ScreenId id, int control) {
  win32::ScreenWindow* w = window(id);
  const ScreenInstance* s = runtime().find(id);
  if (w && s) w->refresh(*s, control);
}

void Win32Desktop::screenDestroyed(ScreenId id) {
  auto& slot = windows_[static_cast<std::size_t>(id)];
  if (!slot) return;
  slot->retire();
  retired_.push_back(std::move(slot));
}

namespace {

PixelRect windowRect(HWND h) {
  RECT rc{};
  GetWindowRect(h, &rc);
  return {rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top};
}

// The work area of the monitor the window stands on (most of it, or the nearest), so that
// on several monitors a window opens on the one it belongs to.
PixelRect workArea(HWND h) {
  MONITORINFO info{};
  info.cbSize = sizeof info;
  RECT area{};
  if (GetMonitorInfoW(MonitorFromWindow(h, MONITOR_DEFAULTTONEAREST), &info)) {
    area = info.rcWork;
  } else {
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
  }
  return {area.left, area.top, area.right - area.left, area.bottom - area.top};
}

Rgb rgbOf(COLORREF c) {
  return {GetRValue(c), GetGValue(c), GetBValue(c)};
}

void moveTo(HWND h, const PixelRect& r) {
  SetWindowPos(h, nullptr, r.x, r.y, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

}  // namespace

bool highContrastOn(unsigned long flags) {
  return (flags & HCF_HIGHCONTRASTON) != 0;
}

namespace {

std::optional<SystemColours> systemHighContrast() {
  HIGHCONTRASTW hc{};
  hc.cbSize = sizeof hc;
  if (!SystemParametersInfoW(SPI_GETHIGHCONTRAST, sizeof hc, &hc, 0) ||
      !highContrastOn(hc.dwFlags)) {
    return std::nullopt;
  }
  return SystemColours{rgbOf(GetSysColor(COLOR_WINDOW)), rgbOf(GetSysColor(COLOR_WINDOWTEXT)),
                       rgbOf(GetSysColor(COLOR_BTNFACE)), rgbOf(GetSysColor(COLOR_BTNTEXT))};
}

}  // namespace

void Win32Desktop::screenShown(const ScreenInstance& screen, bool) {
  win32::ScreenWindow* w = window(screen.id());
  if (!w) return;
  const ScreenDecl& decl = screen.decl();
  const bool opening = !IsWindowVisible(w->hwnd());
  if (opening && decl.placement == Placement::Centred) {
    moveTo(w->hwnd(), centredIn(windowRect(w->hwnd()), workArea(w->hwnd())));
  } else if (opening && decl.placement == Placement::Beside) {
    win32::ScreenWindow* other = window(decl.besideOf);
    if (other && IsWindowVisible(other->hwnd())) {
      POINT client{0, 0};
      ClientToScreen(other->hwnd(), &client);
      const auto parts = workingParts(other->decl(), other->dpi(), client.x, client.y);
      const PairPlacement pair = placeBeside(windowRect(other->hwnd()), parts,
                                             windowRect(w->hwnd()), workArea(other->hwnd()));
      moveTo(other->hwnd(), pair.other);
      moveTo(w->hwnd(), pair.screen);
    }
  }
  ShowWindow(w->hwnd(), SW_SHOW);
  SetForegroundWindow(w->hwnd());
  if (opening) {
    const int first = firstFocus(screen);
    if (first >= 0) {
      w->focus(first, FocusCause::Opening);
    } else {
      SetFocus(w->hwnd());
    }
  }
}

void Win32Desktop::screenHidden(ScreenId id) {
  win32::ScreenWindow* w = window(id);
  if (!w) return;
  const bool wasActive = GetActiveWindow() == w->hwnd();
  ShowWindow(w->hwnd(), SW_HIDE);
  if (!wasActive) return;
  if (auto next = activation_.next(runtime()); next && window(*next)) {
    SetForegroundWindow(window(*next)->hwnd());
    SetActiveWindow(window(*next)->hwnd());
  }
}

void Win32Desktop::controlChanged(const ScreenInstance& screen, int i) {
  if (win32::ScreenWindow* w = window(screen.id())) w->refresh(screen, i);
}

void Win32Desktop::describe(HWND h, const std::string& description) {
  if (descriptions_[h] == description) return;
  descriptions_[h] = description;
  undescribed_.push_back(h);
  // Once the service is there (a window has shown), a changed description is handed at once.
  if (accProps_) afterFirstPaint();
}

void Win32Desktop::afterFirstPaint() {
  // Windows' annotation service gives a control the description a screen reader reads after
  // its name; where it is missing, the name alone is read. Loading it takes a while, so it is
  // asked once a window shows, not before.
  if (undescribed_.empty()) return;
  ensureCom();
  if (!accProps_) {
    using Create = HRESULT(WINAPI*)(REFCLSID, LPUNKNOWN, DWORD, REFIID, void**);
    if (auto create = win32::systemFunction<Create>(L"ole32.dll", "CoCreateInstance")) {
      create(CLSID_AccPropServices, nullptr, CLSCTX_INPROC_SERVER, IID_IAccPropServices,
             reinterpret_cast<void**>(&accProps_));
    }
  }
  for (HWND h : undescribed_) {
    if (!accProps_ || !IsWindow(h)) continue;
    if (auto it = descriptions_.find(h); it != descriptions_.end()) {
      const std::wstring text = wide(it->second);
      accProps_->SetHwndPropStr(h, static_cast<DWORD>(OBJID_CLIENT), CHILDID_SELF,
                                PROPID_ACC_DESCRIPTION, text.c_str());
    }
  }
  undescribed_.clear();
}

void Win32Desktop::ensureCom() {
  // OLE decodes the pictures and serves the annotations; it is started when first needed.
  if (comStarted_) return;
  using Initialize = HRESULT(WINAPI*)(void*);
  auto initialize = win32::systemFunction<Initialize>(L"ole32.dll", "CoInitialize");
  comStarted_ = initialize && SUCCEEDED(initialize(nullptr));
}

void Win32Desktop::setHighContrastForTest(std::optional<SystemColours> colours) {
  highContrastForced_ = true;
  highContrast_ = colours;
  for (auto& w : windows_) {
    if (w) InvalidateRect(w->hwnd(), nullptr, TRUE);
  }
}

void Win32Desktop::systemColoursChanged() {
  if (!highContrastForced_) highContrast_ = systemHighContrast();
  for (auto& w : windows_) {
    if (w) RedrawWindow(w->hwnd(), nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  }
}

void Win32Desktop::messageBox(std::optional<ScreenId> owner, const std::string& prompt) {
  if (answerer_) return answerer_(prompt);
  // The system places the box over its owner, on the owner's display.
  const auto id = activation_.ownerOf(runtime(), owner);
  win32::ScreenWindow* w = id ? window(*id) : nullptr;
  HWND ownerWindow = w && IsWindowVisible(w->hwnd()) ? w->hwnd() : nullptr;
  const std::string title = runtime().say(Message(MessageId::ApplicationTitle));
  MessageBoxW(ownerWindow, wide(prompt).c_str(), wide(title).c_str(), MB_OK);
}

std::optional<std::string> Win32Desktop::help(ScreenId id, const std::string& file, HelpTopic,
                                              const std::string& data) {
  win32::ScreenWindow* w = window(id);
  HWND owner = w ? w->hwnd() : nullptr;
  // Where the help file lies beside the program, the Windows help viewer shows it.
  if (GetFileAttributesW(wide(assetDir_ + "\\" + file).c_str()) != INVALID_FILE_ATTRIBUTES) {
    WinHelpA(owner, file.c_str(), HELP_CONTENTS, reinterpret_cast<ULONG_PTR>(data.c_str()));
    return std::nullopt;
  }
  // Otherwise the program's own help, a page whose top is its contents, in the user's browser.
  const std::string page = assetDir_ + "\\" + kHelpPage;
  using Execute = HINSTANCE(WINAPI*)(HWND, LPCWSTR, LPCWSTR, LPCWSTR, LPCWSTR, INT);
  static const auto execute = win32::systemFunction<Execute>(L"shell32.dll", "ShellExecuteW");
  const bool opened =
      helpOpener_
          ? helpOpener_(page)
          : execute && reinterpret_cast<INT_PTR>(execute(owner, L"open", wide(page).c_str(),
                                                         nullptr, nullptr, SW_SHOWNORMAL)) > 32;
  return opened ? std::nullopt : std::optional(page);
}

bool Win32Desktop::pump() {
  MSG msg;
  if (GetMessageW(&msg, nullptr, 0, 0) <= 0) {
    ended_ = true;
    return false;
  }
  // The windows of unloaded screens go once none of their messages is being handled: this is
  // the one place where a screen's window is deleted while the program runs.
  std::erase_if(retired_, [](const auto& w) { return !w->busy(); });
  HWND root = msg.hwnd ? GetAncestor(msg.hwnd, GA_ROOT) : nullptr;
  win32::ScreenWindow* screen = nullptr;
  for (auto& w : windows_) {
    if (w && w->hwnd() == root) screen = w.get();
  }
  if (screen && msg.message == WM_KEYDOWN && screen->key(msg)) return true;
  if (screen && !screen->decl().frameless && IsDialogMessageW(root, &msg)) return true;
  TranslateMessage(&msg);
  DispatchMessageW(&msg);
  return true;
}

void Win32Desktop::runModal(ScreenId id) {
  win32::ScreenWindow* modal = window(id);
  if (!modal) return;
  std::vector<HWND> disabled;
  for (auto& w : windows_) {
    if (w && w.get() != modal && IsWindowEnabled(w->hwnd())) {
      EnableWindow(w->hwnd(), FALSE);
      disabled.push_back(w->hwnd());
    }
  }
  while (!ended_) {
    const ScreenInstance* s = runtime().find(id);
    if (!s || !s->visible) break;
    if (!pump()) break;
  }
  for (HWND h : disabled) {
    if (IsWindow(h)) EnableWindow(h, TRUE);
  }
}

void Win32Desktop::programEnded() {
  for (auto& w : windows_) {
    if (w) screenDestroyed(w->id());
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
  win32::ScreenWindow* w = window(id);
  return w ? w->hwnd() : nullptr;
}

HWND Win32Desktop::controlOf(ScreenId id, ControlName name) const {
  win32::ScreenWindow* w = window(id);
  return w ? w->control(w->decl().indexOf(name)) : nullptr;
}

std::pair<std::string, PixelRect> Win32Desktop::pictureShown(ScreenId id, ControlName name) const {
  win32::ScreenWindow* w = window(id);
  return w ? w->pictureShown(w->decl().indexOf(name)) : std::pair<std::string, PixelRect>{};
}

int Win32Desktop::run() {
  while (!ended_ && pump()) {
  }
  return 0;
}

}  // namespace nubera
