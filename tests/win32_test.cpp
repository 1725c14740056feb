// The shared keyboard and window cases on the real Win32 desktop: keys go through the
// program's own message loop as WM_KEYDOWN, the focus is read with GetFocus, windows with
// GetWindowRect. Runs under Wine on a virtual display in CI.
#include <gtest/gtest.h>
#include <windows.h>
// after windows.h
#include <imm.h>
#include <oleacc.h>

#include <cstdio>
#include <cstdlib>
#include <map>

#include "desktop_cases.h"
#include "platform/local_file_system.h"
#include "platform/win32/utf.h"
#include "screens/controls.h"
#include "screens/screens.h"
#include "test_support.h"
#include "ui/win32/system_library.h"
#include "ui/win32/win32_desktop.h"

using namespace nubera;
namespace ctl = nubera::screens::ctl;
using enum ScreenId;

namespace {

struct Win32Probe : ::testing::Test, nubera::testing::DesktopProbe {
  nubera::testing::TempDir tmp;
  LocalFileSystem files{tmp.path()};
  Win32Desktop desktop{GetModuleHandleW(nullptr), ASSET_DIR};
  Runtime rt{screens::all(), files, desktop};
  std::vector<std::string> said;

  Win32Probe() {
    // A program that ended in an earlier test left its quit message in this thread's queue.
    MSG quit;
    while (PeekMessageW(&quit, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
    desktop.setMessageAnswerer([this](const std::string& m) { said.push_back(m); });
  }
  void TestBody() override {}

  Runtime& runtime() override { return rt; }
  std::vector<std::string>& messages() override { return said; }

  void click(ScreenId s, ControlName name) override {
    HWND h = desktop.controlOf(s, name);
    ASSERT_TRUE(h && IsWindowVisible(h)) << screenName(s) << " " << name;
    SendMessageW(h, BM_CLICK, 0, 0);
    desktop.processPending();
    nubera::testing::checkShown(*this);
  }
  std::optional<bool> drawnVisible(ScreenId s, const std::string& name) override {
    HWND h = desktop.controlOf(s, name);
    if (!h) return std::nullopt;
    return IsWindowVisible(h) != FALSE;
  }
  HWND focusIn(ScreenId s) {
    HWND focus = GetFocus();
    HWND window = desktop.windowOf(s);
    return focus && (focus == window || IsChild(window, focus)) ? focus : nullptr;
  }
  void key(ScreenId s, Key k) override {
    const std::map<Key, WPARAM> codes = {{Key::Tab, VK_TAB},       {Key::BackTab, VK_TAB},
                                         {Key::Enter, VK_RETURN},  {Key::Space, VK_SPACE},
                                         {Key::Escape, VK_ESCAPE}, {Key::Other, 'A'},
                                         {Key::Up, VK_UP},         {Key::Down, VK_DOWN},
                                         {Key::Left, VK_LEFT},     {Key::Right, VK_RIGHT}};
    const WPARAM vk = codes.at(k);
    HWND target = focusIn(s) ? focusIn(s) : desktop.windowOf(s);
    ASSERT_TRUE(target) << screenName(s);
    BYTE state[256] = {};
    GetKeyboardState(state);
    state[VK_SHIFT] = k == Key::BackTab ? 0x80 : 0;
    SetKeyboardState(state);
    const UINT scan = MapVirtualKeyW(static_cast<UINT>(vk), MAPVK_VK_TO_VSC);
    PostMessageW(target, WM_KEYDOWN, vk, 1 | scan << 16);
    desktop.processPending();
    if (IsWindow(target)) PostMessageW(target, WM_KEYUP, vk, 1 | scan << 16 | 3u << 30);
    desktop.processPending();
    state[VK_SHIFT] = 0;
    SetKeyboardState(state);
    nubera::testing::checkShown(*this);
  }
  void type(ScreenId s, const std::string& ascii) override {
    HWND target = focusIn(s);
    ASSERT_TRUE(target) << screenName(s);
    for (char c : ascii) {
      PostMessageW(target, WM_CHAR, static_cast<WPARAM>(c), 1);
      desktop.processPending();
    }
  }
  std::string focused(ScreenId s) override {
    HWND focus = focusIn(s);
    const ScreenInstance* inst = rt.find(s);
    if (!focus || !inst) return "";
    for (const auto& c : inst->decl().controls) {
      if (desktop.controlOf(s, c.name) == focus) return c.name;
    }
    return "";
  }
  PixelRect frame(ScreenId s) override { return rectOf(desktop.windowOf(s)); }
  PixelRect workArea() override {
    RECT area{};
    SystemParametersInfoW(SPI_GETWORKAREA, 0, &area, 0);
    return {area.left, area.top, area.right - area.left, area.bottom - area.top};
  }
  PixelRect control(ScreenId s, ControlName name) override {
    return rectOf(desktop.controlOf(s, name));
  }
  static PixelRect rectOf(HWND h) {
    RECT r{};
    GetWindowRect(h, &r);
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
  }
  bool inputMethodOff(ScreenId s, ControlName name) override {
    HWND h = desktop.controlOf(s, name);
    HIMC context = ImmGetContext(h);
    if (context) ImmReleaseContext(h, context);
    return context == nullptr;
  }
  void closeFrame(ScreenId s) override {
    PostMessageW(desktop.windowOf(s), WM_CLOSE, 0, 0);
    desktop.processPending();
  }
  void reactivate(ScreenId s) override {
    HWND other = CreateWindowExW(0, L"STATIC", L"other", WS_POPUP | WS_VISIBLE, 0, 0, 50, 50,
                                 nullptr, nullptr, GetModuleHandleW(nullptr), nullptr);
    SetActiveWindow(other);
    desktop.processPending();
    DestroyWindow(other);
    SetActiveWindow(desktop.windowOf(s));
    desktop.processPending();
  }
  void useTheme(Theme theme) override {
    // Windows draws classic forms alike in its light and dark modes; high contrast is the
    // system's colours.
    desktop.setHighContrastForTest(theme == Theme::HighContrast
                                       ? std::optional(nubera::testing::kWhiteOnBlack)
                                       : std::nullopt);
  }
  std::vector<Rgb> pixelsOf(ScreenId s, ControlName name, int inset) override {
    return pixels(s, name, inset, false);
  }
  // The pixels as the control paints itself now (printed), or as they stand on the screen,
  // which keeps what was painted last until the control is told to paint again.
  std::vector<Rgb> pixels(ScreenId s, ControlName name, int inset, bool onScreen) {
    HWND h = desktop.controlOf(s, name);
    RECT r{};
    GetClientRect(h, &r);
    HDC screen = GetDC(h);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, r.right, r.bottom);
    HGDIOBJ old = SelectObject(mem, bitmap);
    if (onScreen) {
      UpdateWindow(desktop.windowOf(s));
      BitBlt(mem, 0, 0, r.right, r.bottom, screen, 0, 0, SRCCOPY);
    } else {
      PrintWindow(h, mem, PW_CLIENTONLY);
    }
    std::vector<Rgb> out;
    for (int y = inset; y < r.bottom - inset; ++y) {
      for (int x = inset; x < r.right - inset; ++x) {
        const COLORREF c = GetPixel(mem, x, y);
        out.push_back({GetRValue(c), GetGValue(c), GetBValue(c)});
      }
    }
    SelectObject(mem, old);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(h, screen);
    return out;
  }
  // What a screen reader is told of the control (or of the window, for no name).
  struct Spoken {
    std::string name, description;
    long role = 0;
    bool checked = false;
  };
  Spoken spoken(ScreenId s, ControlName name) {
    static const HRESULT com = CoInitialize(nullptr);  // as the program does for its pictures
    (void)com;
    Spoken out;
    IAccessible* acc = nullptr;
    HWND h = name.empty() ? desktop.windowOf(s) : desktop.controlOf(s, name);
    if (AccessibleObjectFromWindow(h, OBJID_CLIENT, __uuidof(IAccessible),
                                   reinterpret_cast<void**>(&acc)) != S_OK) {
      return out;
    }
    VARIANT self;
    VariantInit(&self);
    self.vt = VT_I4;
    self.lVal = CHILDID_SELF;
    BSTR text = nullptr;
    if (acc->get_accName(self, &text) == S_OK && text) {
      out.name = win32::utf8(text);
      SysFreeString(text);
    }
    text = nullptr;
    if (acc->get_accDescription(self, &text) == S_OK && text) {
      out.description = win32::utf8(text);
      SysFreeString(text);
    }
    VARIANT role;
    VariantInit(&role);
    if (acc->get_accRole(self, &role) == S_OK && role.vt == VT_I4) out.role = role.lVal;
    VARIANT state;
    VariantInit(&state);
    if (acc->get_accState(self, &state) == S_OK && state.vt == VT_I4) {
      out.checked = (state.lVal & STATE_SYSTEM_CHECKED) != 0;
    }
    acc->Release();
    return out;
  }
  std::string spokenName(ScreenId s, ControlName name) override { return spoken(s, name).name; }
  bool spokenChecked(ScreenId s, ControlName name) override { return spoken(s, name).checked; }
  // Wine's accessibility layer gives neither the annotations nor the roles of the standard
  // controls: there, what the desktop handed to the annotation service, and the role Windows
  // gives the control's class and style.
  std::string spokenDescription(ScreenId s, ControlName name) override {
    const std::string read = spoken(s, name).description;
    return read.empty() ? desktop.descriptionGiven(name.empty() ? desktop.windowOf(s)
                                                                : desktop.controlOf(s, name))
                        : read;
  }
  Role spokenRole(ScreenId s, ControlName name) override {
    long role = spoken(s, name).role;
    if (role == ROLE_SYSTEM_CLIENT && !name.empty()) {
      HWND h = desktop.controlOf(s, name);
      wchar_t cls[16] = {};
      GetClassNameW(h, cls, 16);
      const LONG type = GetWindowLongW(h, GWL_STYLE) & BS_TYPEMASK;
      if (std::wstring(cls) == L"Button") {
        role = type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON ? ROLE_SYSTEM_RADIOBUTTON
               : type == BS_CHECKBOX || type == BS_AUTOCHECKBOX     ? ROLE_SYSTEM_CHECKBUTTON
               : type == BS_GROUPBOX                                ? ROLE_SYSTEM_GROUPING
                                                                    : ROLE_SYSTEM_PUSHBUTTON;
      }
    }
    switch (role) {
      case ROLE_SYSTEM_RADIOBUTTON:
        return Role::Radio;
      case ROLE_SYSTEM_CHECKBUTTON:
        return Role::Check;
      case ROLE_SYSTEM_PUSHBUTTON:
        return Role::Button;
      default:
        return Role::Other;
    }
  }

  bool textFits(ScreenId s, ControlName name) override {
    HWND h = desktop.controlOf(s, name);
    if (!h) return false;
    // What the control shows: its caption (a button's window text is its spoken name).
    const std::wstring text = win32::wide(rt.text(s, name));
    const int n = static_cast<int>(text.size());
    RECT client{};
    GetClientRect(h, &client);
    wchar_t cls[16] = {};
    GetClassNameW(h, cls, 16);
    const std::wstring kind = cls;
    const LONG style = GetWindowLongW(h, GWL_STYLE);
    const ScreenInstance& screen = *rt.find(s);
    const bool label = screen.decl().controls[screen.index(name)].kind == ControlKind::Label;
    HDC dc = GetDC(h);
    HGDIOBJ old = SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(h, WM_GETFONT, 0, 0)));
    RECT need{0, 0, client.right, 0};
    bool fits;
    if (kind == L"Edit") {
      RECT inner{};
      SendMessageW(h, EM_GETRECT, 0, reinterpret_cast<LPARAM>(&inner));
      DrawTextW(dc, text.c_str(), n, &need, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
      fits = need.right <= inner.right - inner.left;
    } else if (kind == L"Static" || (kind == win32::kPartClass && label)) {
      DrawTextW(dc, text.c_str(), n, &need, DT_CALCRECT | DT_WORDBREAK | DT_NOPREFIX);
      fits = need.right <= client.right && need.bottom <= client.bottom;
    } else {  // buttons, option buttons, frames: one line
      DrawTextW(dc, text.c_str(), n, &need, DT_CALCRECT | DT_SINGLELINE | DT_NOPREFIX);
      const bool radio = (style & 0xF) == BS_RADIOBUTTON;
      const int margin = radio ? GetSystemMetrics(SM_CXMENUCHECK) + 4 : 6;
      fits = need.right + margin <= client.right;
    }
    SelectObject(dc, old);
    ReleaseDC(h, dc);
    if (!fits) {
      std::printf("%s %s: needs %ldx%ld in %ldx%ld\n", std::string(screenName(s)).c_str(),
                  std::string(name).c_str(), need.right, need.bottom, client.right, client.bottom);
    }
    return fits;
  }
};

class Win32Focus : public ::testing::TestWithParam<nubera::testing::FocusCase> {};
TEST_P(Win32Focus, TabAndShiftTabFollowTheDeclaredOrder) {
  Win32Probe probe;
  nubera::testing::checkFocusOrder(probe, GetParam());
}
INSTANTIATE_TEST_SUITE_P(Screens, Win32Focus, ::testing::ValuesIn(nubera::testing::focusCases()),
                         [](const auto& info) { return std::string(info.param.name); });

// The cases both desktops pass, from their one list.
#define NUBERA_DESKTOP_CASE(name, call) \
  TEST_F(Win32Probe, name) {            \
    nubera::testing::call;              \
  }
NUBERA_DESKTOP_CASES(NUBERA_DESKTOP_CASE)
#undef NUBERA_DESKTOP_CASE
// Screen readers walk the children in window order: it is the declared order, with each
// field's naming text just before its field.
TEST_F(Win32Probe, WindowOrderIsTheDeclaredOrder) {
  nubera::testing::makeEveryScreen(rt);
  for (ScreenId id : kAllScreens) {
    const ScreenInstance* s = rt.find(id);
    ASSERT_TRUE(s);
    std::vector<std::string> declared, walked;
    for (const auto& c : s->decl().controls) {
      if (!desktop.controlOf(id, c.name)) continue;
      const std::string name = accessibleName(*s, s->decl().indexOf(c.name));
      if (c.kind == ControlKind::TextBox && !name.empty()) declared.push_back("(" + name + ")");
      declared.push_back(c.name);
    }
    for (HWND h = GetWindow(desktop.windowOf(id), GW_CHILD); h; h = GetWindow(h, GW_HWNDNEXT)) {
      std::string found;
      for (const auto& c : s->decl().controls) {
        if (desktop.controlOf(id, c.name) == h) found = c.name;
      }
      if (found.empty()) {
        wchar_t text[200] = {};
        GetWindowTextW(h, text, 200);
        // Appended piece by piece: g++ 12 at -O3 warns falsely about "(" + text + ")".
        found = "(";
        found += win32::utf8(text);
        found += ")";
      }
      walked.push_back(found);
    }
    EXPECT_EQ(walked, declared) << screenName(id);
  }
}

// What lies under later controls is painted under them: the width and height fields over the
// picture, the bands behind the buttons, the buttons on the band.
TEST_F(Win32Probe, PicturesAndBandsLieUnderTheirControls) {
  rt.start(Form1);
  click(Form1, ctl::menu::Command1);
  click(Form4, ctl::quick::Command2);
  auto at = [&](ScreenId s, ControlName name, int dx, int dy) {
    HWND w = desktop.windowOf(s);
    UpdateWindow(w);
    RedrawWindow(w, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    const PixelRect r = control(s, name);
    HDC screen = GetDC(nullptr);
    const COLORREF c = GetPixel(screen, r.x + dx, r.y + dy);
    ReleaseDC(nullptr, screen);
    return Rgb{GetRValue(c), GetGValue(c), GetBValue(c)};
  };
  EXPECT_EQ(at(Form5, ctl::settings::Text14, 3, 3), (Rgb{255, 255, 255}));     // over the picture
  EXPECT_EQ(at(Form5, ctl::settings::Command1, 3, 3), (Rgb{255, 128, 0}));     // 戻る on the band
  EXPECT_EQ(at(Form5, ctl::settings::Command1, -3, 3), (Rgb{192, 192, 255}));  // the band beside it
}

// Each picture is decoded at its file's own pixels, and above 100 % from the file drawn at
// twice the size, so it is scaled once and is sharp at 150 %.
TEST_F(Win32Probe, PicturesFollowTheDisplayScale) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  rt.start(Form1);
  click(Form1, ctl::menu::Command1);
  click(Form4, ctl::quick::Command2);
  for (ScreenId id : {Form4, Form5}) {
    UpdateWindow(desktop.windowOf(id));
    desktop.processPending();
  }
  struct Case {
    ScreenId screen;
    ControlName picture;
    const char* file;
    int width, height;  // at 100 %
  };
  for (const Case& c : {Case{Form4, ctl::quick::Image1, "quick", 397, 91},
                        Case{Form5, ctl::settings::Image1, "settings", 137, 94}}) {
    const auto [file, size] = desktop.pictureShown(c.screen, c.picture);
    const int factor = dpi > 96 ? 2 : 1;
    EXPECT_TRUE(file.ends_with(std::string("\\") + c.file + (factor == 2 ? "@2x.jpg" : ".jpg")))
        << file;
    EXPECT_EQ(size.width, c.width * factor) << file;
    EXPECT_EQ(size.height, c.height * factor) << file;
  }
}

// Every screen's client area is its declared size at the display's scale, and the fonts
// follow it (NUBERA_EXPECT_DPI names the scale the run was set up for).
TEST_F(Win32Probe, ScreensFollowTheDisplayScale) {
  HDC screen = GetDC(nullptr);
  const int dpi = GetDeviceCaps(screen, LOGPIXELSY);
  ReleaseDC(nullptr, screen);
  if (const char* expected = std::getenv("NUBERA_EXPECT_DPI")) {
    EXPECT_EQ(dpi, std::atoi(expected));
  }
  nubera::testing::makeEveryScreen(rt);
  for (ScreenId id : kAllScreens) {
    const ScreenDecl& d = rt.find(id)->decl();
    RECT client{};
    GetClientRect(desktop.windowOf(id), &client);
    EXPECT_EQ(client.right, MulDiv(d.clientWidth, dpi, 1440)) << screenName(id);
    EXPECT_EQ(client.bottom, MulDiv(d.clientHeight, dpi, 1440)) << screenName(id);
  }
  HWND caption = desktop.controlOf(Form1, ctl::menu::Label1);  // "選択", 21.75 points
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(caption, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_EQ(-lf.lfHeight, MulDiv(2175, dpi, 7200));
}

// The program a user double-clicks carries its manifest (per-monitor DPI awareness), its icon
// in the sizes Windows uses, and its version in Japanese, read back from the exe itself.
// A system library is taken from the system folder alone: a file of a library's name beside
// the program (here a stand-in that marks its loading) is never loaded in its place, also in a
// process that has not restricted its library folders as the program does at start.
TEST(Win32Libraries, NeverFromTheProgramsFolder) {
  wchar_t self[MAX_PATH] = {};
  GetModuleFileNameW(nullptr, self, MAX_PATH);
  const std::wstring dir = std::wstring(self).substr(0, std::wstring(self).rfind(L'\\') + 1);
  const std::wstring planted = dir + L"nubera_planted.dll";
  ASSERT_TRUE(CopyFileW((dir + L"planted_library.dll").c_str(), planted.c_str(), FALSE));
  const std::wstring marker = planted + L".loaded";
  DeleteFileW(marker.c_str());
  using Any = void (*)();
  EXPECT_EQ(win32::systemFunction<Any>(L"nubera_planted.dll", "DllMain"), nullptr);
  EXPECT_EQ(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES);
  // The stand-in does mark a load from beside the program.
  HMODULE beside = LoadLibraryW(L"nubera_planted.dll");
  ASSERT_TRUE(beside);
  FreeLibrary(beside);
  EXPECT_NE(GetFileAttributesW(marker.c_str()), INVALID_FILE_ATTRIBUTES);
  DeleteFileW(marker.c_str());
  DeleteFileW(planted.c_str());
}

// A box belongs to the screen whose button raised it, which the system places it over: its
// owner is that screen's window, also while another screen (its settings screen) is active.
TEST_F(Win32Probe, BoxesBelongToTheScreenThatRaisedThem) {
  desktop.setMessageAnswerer({});
  rt.start(Form1);
  click(Form1, ctl::menu::Command1);
  click(Form4, ctl::quick::Command2);
  SetActiveWindow(desktop.windowOf(Form5));
  desktop.processPending();
  ASSERT_EQ(GetActiveWindow(), desktop.windowOf(Form5));
  struct Answer {
    HWND owner = nullptr;
  } answer;
  HANDLE answering = CreateThread(
      nullptr, 0,
      [](void* data) -> DWORD {
        for (int i = 0; i < 500; ++i, Sleep(10)) {
          HWND box = FindWindowW(L"#32770", L"ストリーミング　");
          if (!box) continue;
          static_cast<Answer*>(data)->owner = GetWindow(box, GW_OWNER);
          PostMessageW(box, WM_COMMAND, IDOK, 0);
          return 0;
        }
        return 1;
      },
      &answer, 0, nullptr);
  // 保存, with no name, as its command reaches the screen: a mouse click would make Form4 active.
  HWND save = desktop.controlOf(Form4, ctl::quick::Command1);
  SendMessageW(desktop.windowOf(Form4), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(save), BN_CLICKED),
               reinterpret_cast<LPARAM>(save));
  WaitForSingleObject(answering, 5000);
  CloseHandle(answering);
  EXPECT_EQ(answer.owner, desktop.windowOf(Form4));
}

TEST(Win32Program, CarriesManifestIconAndVersion) {
  const std::wstring exe = win32::wide(PROGRAM_EXE);
  HMODULE program = LoadLibraryExW(exe.c_str(), nullptr,
                                   LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
  ASSERT_TRUE(program) << PROGRAM_EXE;
  auto resource = [&](LPCWSTR type) {
    HRSRC found = FindResourceW(program, MAKEINTRESOURCEW(1), type);
    if (!found) return std::string();
    const char* bytes = static_cast<const char*>(LockResource(LoadResource(program, found)));
    return std::string(bytes, SizeofResource(program, found));
  };
  const std::string manifest = resource(MAKEINTRESOURCEW(24));
  EXPECT_NE(manifest.find("<dpiAwareness xmlns=\"http://schemas.microsoft.com/SMI/2016/"
                          "WindowsSettings\">PerMonitorV2</dpiAwareness>"),
            std::string::npos);
  EXPECT_NE(manifest.find("level=\"asInvoker\""), std::string::npos);
  const std::string group = resource(MAKEINTRESOURCEW(14));  // RT_GROUP_ICON
  ASSERT_GE(group.size(), 6u);
  std::vector<int> sizes;
  for (int i = 0; i < static_cast<unsigned char>(group[4]); ++i) {
    const int width = static_cast<unsigned char>(group[6 + 14 * i]);
    sizes.push_back(width == 0 ? 256 : width);
  }
  EXPECT_EQ(sizes, (std::vector<int>{16, 24, 32, 48, 256}));
  FreeLibrary(program);

  DWORD ignored = 0;
  std::vector<char> info(GetFileVersionInfoSizeW(exe.c_str(), &ignored));
  ASSERT_FALSE(info.empty());
  ASSERT_TRUE(GetFileVersionInfoW(exe.c_str(), 0, static_cast<DWORD>(info.size()), info.data()));
  VS_FIXEDFILEINFO* fixed = nullptr;
  UINT length = 0;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\", reinterpret_cast<void**>(&fixed), &length));
  EXPECT_EQ(fixed->dwFileVersionMS, 0x00010000u);  // 1.0
  EXPECT_EQ(fixed->dwFileVersionLS, 0x00000000u);  // .0.0
  wchar_t* text = nullptr;
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\041104B0\\ProductVersion",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ(std::wstring(text), L"1.0.0");
  ASSERT_TRUE(VerQueryValueW(info.data(), L"\\StringFileInfo\\041104B0\\ProductName",
                             reinterpret_cast<void**>(&text), &length));
  EXPECT_EQ(win32::utf8(text), "ストリーミング　");
}

// Moved to a display of another scale, a screen takes the size Windows suggests and puts its
// controls at their twips and in their points at the new scale.
TEST_F(Win32Probe, RescalesWhenTheDisplayScaleChanges) {
  rt.start(Form1);
  HWND window = desktop.windowOf(Form1);
  const int dpi = 144;
  RECT suggested{0, 0, MulDiv(5640, dpi, 1440), MulDiv(5430, dpi, 1440)};
  AdjustWindowRectEx(&suggested, static_cast<DWORD>(GetWindowLongW(window, GWL_STYLE)), FALSE,
                     static_cast<DWORD>(GetWindowLongW(window, GWL_EXSTYLE)));
  OffsetRect(&suggested, 40 - suggested.left, 30 - suggested.top);
  SendMessageW(window, WM_DPICHANGED, MAKEWPARAM(dpi, dpi), reinterpret_cast<LPARAM>(&suggested));
  RECT client{};
  GetClientRect(window, &client);
  EXPECT_EQ(client.right, MulDiv(5640, dpi, 1440));
  HWND button = desktop.controlOf(Form1, ctl::menu::Command3);  // 終了 at 1440, 4560 twips
  RECT at{};
  GetWindowRect(button, &at);
  MapWindowPoints(nullptr, window, reinterpret_cast<POINT*>(&at), 2);
  EXPECT_EQ(at.left, MulDiv(1440, dpi, 1440));
  EXPECT_EQ(at.top, MulDiv(4560, dpi, 1440));
  LOGFONTW lf{};
  GetObjectW(reinterpret_cast<HFONT>(SendMessageW(button, WM_GETFONT, 0, 0)), sizeof lf, &lf);
  EXPECT_EQ(-lf.lfHeight, MulDiv(900, dpi, 7200));
}

// The system's high-contrast flags as they are read: a scheme only available is no scheme.
TEST(Win32HighContrast, OnlyASchemeTurnedOnCounts) {
  EXPECT_FALSE(highContrastOn(0));
  EXPECT_FALSE(highContrastOn(HCF_AVAILABLE));
  EXPECT_FALSE(highContrastOn(HCF_AVAILABLE | HCF_HOTKEYACTIVE | HCF_CONFIRMHOTKEY));
  EXPECT_TRUE(highContrastOn(HCF_HIGHCONTRASTON));
  EXPECT_TRUE(highContrastOn(HCF_AVAILABLE | HCF_HIGHCONTRASTON));
}

// The declared weight shows at every scale: a bold caption carries clearly more ink than the
// same caption regular.
TEST_F(Win32Probe, BoldCaptionsLookBoldAtEveryScale) {
  auto ink = [&](bool bold, double points, int dpi) {
    const int w = 300 * dpi / 96, h = 32 * dpi / 96;
    HDC screen = GetDC(nullptr);
    HDC mem = CreateCompatibleDC(screen);
    HBITMAP bitmap = CreateCompatibleBitmap(screen, w, h);
    HGDIOBJ oldBitmap = SelectObject(mem, bitmap);
    PatBlt(mem, 0, 0, w, h, WHITENESS);
    HGDIOBJ oldFont =
        SelectObject(mem, desktop.gdi().font(Font{"ＭＳ Ｐゴシック", points, bold}, dpi));
    SetBkMode(mem, TRANSPARENT);
    const std::wstring text = L"仮想サーバー作成";
    TextOutW(mem, 2, 2, text.c_str(), static_cast<int>(text.size()));
    double total = 0;
    for (int y = 0; y < h; ++y) {
      for (int x = 0; x < w; ++x) total += 255 - GetGValue(GetPixel(mem, x, y));
    }
    SelectObject(mem, oldFont);
    SelectObject(mem, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(mem);
    ReleaseDC(nullptr, screen);
    return total;
  };
  // The 9-point captions at every scale, and at 100 % the 16-pixel ones (the markers, the help
  // buttons, the start-up line: 12 points), the largest the unsmoothed bold is for. Bold as
  // drawn here gives 1.7 to 1.9; the system's smoothed bold 1.15 at 12 pixels, 1.37 at 16.
  for (auto [points, dpi] : {std::pair{9.0, 96}, {9.0, 120}, {9.0, 144}, {9.0, 192}, {12.0, 96}}) {
    EXPECT_GE(ink(true, points, dpi) / ink(false, points, dpi), 1.5)
        << points << " pt " << dpi << " dpi";
  }
}

// The marker the focus leaves is painted again: after an arrow moves it on, what each of the
// group's markers shows on the screen is what it paints now, the focus mark on one alone.
TEST_F(Win32Probe, TheMarkerTheFocusLeavesIsPaintedAgain) {
  using namespace ctl::settings;
  rt.start(Form1);
  click(Form1, ctl::menu::Command1);
  click(Form4, ctl::quick::Command2);
  while (rt.find(Form5)->decl().controls[rt.find(Form5)->index(focused(Form5))].group.empty()) {
    key(Form5, Key::Tab);
  }
  for (Key k : {Key::Right, Key::Right, Key::Left}) {
    key(Form5, k);
    for (ControlName marker : {Label2, Label1, Label8}) {
      EXPECT_EQ(pixels(Form5, marker, 0, true), pixels(Form5, marker, 0, false))
          << marker << " after an arrow to " << focused(Form5);
    }
  }
}

// The start-up screen is all parts: it shows before the common controls are loaded (under
// Wine they cost the start tens of milliseconds); the menu's buttons load them.
TEST_F(Win32Probe, StartUpScreenShowsWithoutTheCommonControls) {
  ASSERT_FALSE(GetModuleHandleW(L"comctl32.dll")) << "loaded before the screen";
  rt.start(frmSplash);
  UpdateWindow(desktop.windowOf(frmSplash));
  EXPECT_TRUE(IsWindowVisible(desktop.windowOf(frmSplash)));
  EXPECT_FALSE(GetModuleHandleW(L"comctl32.dll"));
  // Its parts are named and called what the system's controls would be.
  using namespace ctl::splash;
  EXPECT_EQ(spokenName(frmSplash, Label2), "ヌベラ　動画");
  EXPECT_EQ(spokenName(frmSplash, lblVersion).rfind("ﾊﾞｰｼﾞｮﾝ ", 0), 0u);  // set as it loads
  EXPECT_EQ(spokenName(frmSplash, imgLogo), "ストリーミング　のロゴ");
  // Read back through the accessibility interface, as a screen reader asks.
  EXPECT_EQ(spoken(frmSplash, Label2).role, ROLE_SYSTEM_STATICTEXT);
  EXPECT_EQ(spoken(frmSplash, imgLogo).role, ROLE_SYSTEM_GRAPHIC);
  EXPECT_EQ(spoken(frmSplash, Frame1).role, ROLE_SYSTEM_GROUPING);
  EXPECT_EQ(spoken(frmSplash, Label2).name, "ヌベラ　動画");
}

TEST_F(Win32Probe, EscOnTheStartUpScreenEndsTheProgram) {
  rt.start(frmSplash);
  key(frmSplash, Key::Escape);
  EXPECT_TRUE(rt.ended());
}

// Enter and Space do what a click on the frame does: the menu, modally. Its loop runs inside
// the key, so a timer, which that loop dispatches, looks at the menu and closes it.
void startUpKeyOpensTheMenu(Win32Probe& p, Key k) {
  static Win32Probe* probe;
  static bool menuWasModal;
  probe = &p;
  menuWasModal = false;
  p.rt.start(frmSplash);
  const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
    HWND menu = probe->desktop.windowOf(Form1);
    if (!menu || menuWasModal) return;
    menuWasModal = IsWindowVisible(menu) && !probe->desktop.windowOf(frmSplash);
    probe->rt.userClick(Form1, ctl::menu::Command3);  // 終了
  });
  p.key(frmSplash, k);
  KillTimer(nullptr, timer);
  EXPECT_TRUE(menuWasModal);
  EXPECT_TRUE(p.rt.ended());
}
// A real click (the system's input, hit-tested as a user's) anywhere on the start-up screen does
// what a click on its frame does: on its words, its picture, and the margin outside the frame.
TEST(Win32StartUp, AClickAnywhereOpensTheMenu) {
  for (ControlName part : {ctl::splash::lblProductName, ctl::splash::Label1,
                           ctl::splash::lblVersion, ctl::splash::imgLogo, ControlName()}) {
    Win32Probe p;
    p.rt.start(frmSplash);
    UpdateWindow(p.desktop.windowOf(frmSplash));
    RECT r{};
    GetWindowRect(
        part.empty() ? p.desktop.windowOf(frmSplash) : p.desktop.controlOf(frmSplash, part), &r);
    static Win32Probe* probe;
    static bool menu;
    probe = &p;
    menu = false;
    const UINT_PTR timer = SetTimer(nullptr, 0, 20, [](HWND, UINT, UINT_PTR, DWORD) {
      HWND shown = probe->desktop.windowOf(Form1);
      if (!shown || menu) return;
      menu = IsWindowVisible(shown);
      probe->rt.userClick(Form1, ctl::menu::Command3);  // 終了
    });
    SetCursorPos(r.left + 3, r.top + 3);
    INPUT press[2] = {};
    press[0].type = press[1].type = INPUT_MOUSE;
    press[0].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
    press[1].mi.dwFlags = MOUSEEVENTF_LEFTUP;
    SendInput(2, press, sizeof(INPUT));
    for (int i = 0; i < 50 && !p.rt.ended(); ++i) {
      p.desktop.processPending();
      Sleep(10);
    }
    KillTimer(nullptr, timer);
    EXPECT_TRUE(menu) << part;
  }
}

TEST_F(Win32Probe, EnterOnTheStartUpScreenOpensTheMenu) {
  startUpKeyOpensTheMenu(*this, Key::Enter);
}
TEST_F(Win32Probe, SpaceOnTheStartUpScreenOpensTheMenu) {
  startUpKeyOpensTheMenu(*this, Key::Space);
}

TEST_F(Win32Probe, HelpOpensThePageInTheBrowser) {
  std::string opened;
  desktop.setHelpOpener([&](const std::string& page) {
    opened = page;
    return true;
  });
  rt.start(Form1);
  click(Form1, ctl::menu::Command4);
  EXPECT_TRUE(opened.ends_with("\\nubera_help.html")) << opened;
  desktop.setHelpOpener([](const std::string&) { return false; });
  click(Form1, ctl::menu::Command4);
  ASSERT_EQ(said.size(), 1u);
  EXPECT_TRUE(said[0].starts_with("ヘルプを開けませんでした。")) << said[0];
}

}  // namespace
