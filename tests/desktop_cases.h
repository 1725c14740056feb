#pragma once
// The keyboard and window cases every desktop must pass alike. Each desktop's test gives a
// probe that drives its real widgets (Qt: key events to the focused widget; Win32: WM_KEYDOWN
// through the message loop) and reads them back; the cases themselves are written once here.

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdlib>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "screens/controls.h"
#include "screens/screens.h"
#include "ui/desktop_rules.h"
#include "ui/runtime.h"

namespace nubera::testing {

namespace ctl = screens::ctl;

class DesktopProbe {
 public:
  virtual ~DesktopProbe() = default;
  virtual Runtime& runtime() = 0;
  // A mouse click on a control; a key to whatever has the focus in the screen's window.
  virtual void click(ScreenId screen, ControlName control) = 0;
  virtual void key(ScreenId screen, Key key) = 0;
  // Characters typed, one key each, into the control that has the focus.
  virtual void type(ScreenId screen, const std::string& ascii) = 0;
  // The name of the control that has the focus in the screen's window ("" when none).
  virtual std::string focused(ScreenId screen) = 0;
  // Desktop coordinates, in pixels: a window's frame, and a control; the work area.
  virtual PixelRect frame(ScreenId screen) = 0;
  virtual PixelRect workArea() = 0;
  virtual PixelRect control(ScreenId screen, ControlName name) = 0;
  virtual std::vector<std::string>& messages() = 0;
  // Whether the control's text, drawn in the font the desktop really uses, is whole inside it.
  virtual bool textFits(ScreenId screen, ControlName name) = 0;
  // Whether typing in the field goes past the input method (no full-width digits).
  virtual bool inputMethodOff(ScreenId screen, ControlName name) = 0;
  // The screen's window closed through its frame (the close box, Alt+F4).
  virtual void closeFrame(ScreenId screen) = 0;
  // Another window becomes active for a moment (a message box, another program), then the
  // screen's window again.
  virtual void reactivate(ScreenId screen) = 0;

  // What a screen reader is told the control is called, what it adds after the name, and
  // what kind of control it says it is; for an empty name, of the screen's window itself.
  virtual std::string spokenName(ScreenId screen, ControlName name) = 0;
  virtual std::string spokenDescription(ScreenId screen, ControlName name) = 0;
  enum class Role { Radio, Check, Button, Other };
  virtual Role spokenRole(ScreenId screen, ControlName name) = 0;
  // Whether a screen reader is told the control is checked (a chosen option).
  virtual bool spokenChecked(ScreenId screen, ControlName name) = 0;
  // The colours the desktop draws with, chosen before any screen is made: the light theme, a
  // dark desktop theme, or a high-contrast scheme of white on black.
  enum class Theme { Light, Dark, HighContrast };
  virtual void useTheme(Theme theme) = 0;
  // The pixels the control shows, `inset` pixels inside its edges (0: all of them), row by row.
  virtual std::vector<Rgb> pixelsOf(ScreenId screen, ControlName name, int inset) = 0;
  std::vector<Rgb> pixelsInside(ScreenId screen, ControlName name) {
    return pixelsOf(screen, name, 2);
  }
  // Whether the control is drawn on the screen now; nullopt for a control that has no widget
  // of its own (a working field, a band painted by its window).
  virtual std::optional<bool> drawnVisible(ScreenId screen, const std::string& name) = 0;

  // The colour the control shows most: its back colour.
  Rgb colourInside(ScreenId screen, ControlName name) {
    return mostFrequent(pixelsInside(screen, name));
  }
  static Rgb mostFrequent(const std::vector<Rgb>& pixels) {
    std::map<std::uint32_t, int> counts;
    for (Rgb px : pixels) ++counts[static_cast<std::uint32_t>(px.r << 16 | px.g << 8 | px.b)];
    const auto most = std::max_element(counts.begin(), counts.end(),
                                       [](auto& a, auto& b) { return a.second < b.second; });
    if (most == counts.end()) return {0, 0, 0};
    return {static_cast<std::uint8_t>(most->first >> 16),
            static_cast<std::uint8_t>(most->first >> 8), static_cast<std::uint8_t>(most->first)};
  }
};

// Every control of every screen is drawn exactly when the runtime shows it and its screen.
// The probes check this after each step they take.
inline void checkShown(DesktopProbe& p) {
  const Runtime& rt = p.runtime();
  for (ScreenId id : kAllScreens) {
    const ScreenInstance* s = rt.find(id);
    if (!s) continue;
    const auto& controls = s->decl().controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const auto drawn = p.drawnVisible(id, controls[i].name);
      if (!drawn) continue;
      EXPECT_EQ(*drawn, s->visible && s->controls[i].visible)
          << screenName(id) << " " << controls[i].name;
    }
  }
}

// The high-contrast scheme the probes set: white on black.
inline constexpr SystemColours kWhiteOnBlack{
    {0, 0, 0}, {255, 255, 255}, {0, 0, 0}, {255, 255, 255}};

using Step = std::pair<ScreenId, ControlName>;  // a click

struct FocusCase {
  const char* name;
  std::vector<Step> road;  // from the main menu
  ScreenId screen;
  std::vector<ControlName> order;  // the shown controls in the declared focus order
};

inline void PrintTo(const FocusCase& c, std::ostream* os) {
  *os << c.name;
}

inline const std::vector<FocusCase>& focusCases() {
  using enum ScreenId;
  static const std::vector<FocusCase> cases = {
      {"Menu",
       {},
       Form1,
       {ctl::menu::Command2, ctl::menu::Command1, ctl::menu::Command5, ctl::menu::Command3,
        ctl::menu::Command4}},
      {"ServerFolder",
       {{Form1, ctl::menu::Command2}},
       Form2,
       {ctl::serverFolder::Text1, ctl::serverFolder::Command1, ctl::serverFolder::Command2,
        ctl::serverFolder::Command3}},
      {"SiteFolder",
       {{Form1, ctl::menu::Command2}, {Form2, ctl::serverFolder::Command2}},
       Form3,
       {ctl::siteFolder::Text1, ctl::siteFolder::Text2, ctl::siteFolder::Command1,
        ctl::siteFolder::Command2, ctl::siteFolder::Command3}},
      {"Quick",
       {{Form1, ctl::menu::Command1}},
       Form4,
       {ctl::quick::Text3, ctl::quick::Command1, ctl::quick::Command2, ctl::quick::Command3,
        ctl::quick::Command4, ctl::quick::Command6}},
      {"QuickSettings",
       {{Form1, ctl::menu::Command1}, {Form4, ctl::quick::Command2}},
       Form5,
       {ctl::settings::Text12, ctl::settings::Text14, ctl::settings::Text1, ctl::settings::Label1,
        ctl::settings::Option2, ctl::settings::Text17, ctl::settings::Command1,
        ctl::settings::Command2}},  // the markers at 中心, オフ chosen
      {"Detailed",
       {{Form1, ctl::menu::Command5}},
       Form6,
       {ctl::detailed::Text1, ctl::detailed::Text2, ctl::detailed::Text3, ctl::detailed::Command1,
        ctl::detailed::Command2, ctl::detailed::Command3, ctl::detailed::Command4,
        ctl::detailed::Command6}},
      {"DetailedSettings",
       {{Form1, ctl::menu::Command5}, {Form6, ctl::detailed::Command2}},
       Form7,
       {ctl::settings::Text12, ctl::settings::Text14, ctl::settings::Text1, ctl::settings::Label1,
        ctl::settings::Option1, ctl::settings::Text17, ctl::settings::Command1,
        ctl::settings::Command2}},  // the markers at 中心, オン chosen
  };
  return cases;
}

// Tab from the first control goes through the declared order and round; Shift+Tab back.
inline void checkFocusOrder(DesktopProbe& p, const FocusCase& c) {
  p.runtime().start(ScreenId::Form1);
  for (auto [screen, control] : c.road) p.click(screen, control);
  ASSERT_EQ(p.focused(c.screen), c.order.front()) << "first focus";
  for (std::size_t i = 1; i <= c.order.size(); ++i) {
    p.key(c.screen, Key::Tab);
    EXPECT_EQ(p.focused(c.screen), c.order[i % c.order.size()]) << "Tab " << i;
  }
  for (std::size_t i = c.order.size(); i > 0; --i) {
    p.key(c.screen, Key::BackTab);
    EXPECT_EQ(p.focused(c.screen), c.order[i - 1]) << "Shift+Tab";
  }
}

inline bool shown(DesktopProbe& p, ScreenId id) {
  const ScreenInstance* s = p.runtime().find(id);
  return s && s->visible;
}

// The typical road with the keyboard alone: Tab, typing and Enter (Space on one button).
inline void checkKeyboardRoad(DesktopProbe& p) {
  using enum ScreenId;
  Runtime& rt = p.runtime();
  rt.start(Form1);
  p.key(Form1, Key::Enter);  // 仮想サーバー作成
  ASSERT_TRUE(shown(p, Form2));
  p.type(Form2, "example-server");
  p.key(Form2, Key::Enter);  // in a field: nothing
  EXPECT_TRUE(p.messages().empty());
  p.key(Form2, Key::Tab);
  p.key(Form2, Key::Enter);  // 作成
  EXPECT_EQ(p.messages(), (std::vector<std::string>{"保存しました。", "完成しました"}));
  p.key(Form2, Key::Tab);
  p.key(Form2, Key::Space);  // 次
  ASSERT_TRUE(shown(p, Form3));
  p.type(Form3, "user01");
  p.key(Form3, Key::Tab);
  p.type(Form3, "movie");
  p.key(Form3, Key::Tab);
  p.key(Form3, Key::Enter);  // 作成
  EXPECT_EQ(p.messages().back(), "保存しました。");
  p.key(Form3, Key::Tab);
  p.key(Form3, Key::Enter);  // 終了
  ASSERT_TRUE(shown(p, Form1));
  p.key(Form1, Key::Tab);
  p.key(Form1, Key::Enter);  // 一発　ヌベラ
  ASSERT_TRUE(shown(p, Form4));
  p.type(Form4, "abc");
  p.key(Form4, Key::Escape);  // no key throws typed work away
  ASSERT_TRUE(shown(p, Form4));
  EXPECT_EQ(rt.text(ScreenId::Form4, ctl::quick::Text3), "abc");
  p.key(Form4, Key::Tab);
  p.key(Form4, Key::Enter);  // 保存
  EXPECT_EQ(p.messages().back(), "完成しました");
  EXPECT_TRUE(rt.find(Form4)->controls[rt.find(Form4)->index(ctl::quick::Command5)].visible);
  p.key(Form4, Key::Tab);  // 保存 is gone: the focus moves on from where it stood
  EXPECT_FALSE(rt.ended());
}

// Esc keeps a working screen and what is typed in it; on the start-up screen it ends.
inline void checkEscape(DesktopProbe& p) {
  using enum ScreenId;
  Runtime& rt = p.runtime();
  rt.start(Form1);
  p.click(Form1, ctl::menu::Command5);
  p.type(Form6, "example.jp");
  p.key(Form6, Key::Escape);
  p.click(Form6, ctl::detailed::Command2);
  p.key(Form7, Key::Escape);
  EXPECT_TRUE(shown(p, Form6));
  EXPECT_TRUE(shown(p, Form7));
  EXPECT_EQ(rt.text(Form6, ctl::detailed::Text1), "example.jp");
}

// The settings screen leaves its creation screen's buttons and input field uncovered, on
// whatever work area the desktop has.
inline void checkSettingsBeside(DesktopProbe& p, ScreenId creation, ScreenId settings) {
  p.runtime().start(ScreenId::Form1);
  p.click(ScreenId::Form1, creation == ScreenId::Form4 ? ctl::menu::Command1 : ctl::menu::Command5);
  p.click(creation, creation == ScreenId::Form4 ? ctl::quick::Command2 : ctl::detailed::Command2);
  ASSERT_TRUE(shown(p, settings));
  const PixelRect over = p.frame(settings);
  const PixelRect area = p.workArea();
  for (ScreenId id : {creation, settings}) {
    const PixelRect f = p.frame(id);
    EXPECT_TRUE(f.x >= area.x && f.y >= area.y && f.right() <= area.right() &&
                f.bottom() <= area.bottom())
        << screenName(id) << " " << f.x << "," << f.y << " " << f.width << "x" << f.height << " in "
        << area.width << "x" << area.height;
  }
  // Its buttons stay in sight; its fields too wherever the two fit stacked or side by side.
  const PixelRect under = p.frame(creation);
  const bool room =
      under.height + over.height <= area.height || under.width + over.width <= area.width;
  for (const ControlDecl& c : p.runtime().find(creation)->decl().controls) {
    if (isWorkingPart(c) && (room || c.kind != ControlKind::TextBox)) {
      EXPECT_FALSE(over.intersects(p.control(creation, c.name.c_str()))) << c.name;
    }
  }
}

// Every screen made, the start-up screen shown: what a case that looks at all of them needs.
inline void makeEveryScreen(Runtime& rt) {
  using enum ScreenId;
  rt.start(frmSplash);
  // Reading a control of a screen creates it, hidden: its first declared control will do.
  for (const ScreenKind* kind : screens::all()) rt.text(kind->decl.id, kind->decl.controls[0].name);
}

// Every caption, and every value the program itself puts in a field, is readable whole.
inline void checkTextsFit(DesktopProbe& p) {
  using enum ScreenId;
  Runtime& rt = p.runtime();
  makeEveryScreen(rt);
  for (ScreenId id : kAllScreens) {
    const ScreenInstance* s = rt.find(id);
    ASSERT_TRUE(s);
    for (const ControlDecl& c : s->decl().controls) {
      const bool captioned = c.kind == ControlKind::Label || c.kind == ControlKind::Button ||
                             c.kind == ControlKind::OptionButton || c.kind == ControlKind::Frame;
      if (captioned && !s->controls[s->index(c.name)].text.empty()) {
        EXPECT_TRUE(p.textFits(id, c.name.c_str())) << screenName(id) << " " << c.name;
      }
    }
  }
  // The program's own values in the settings fields: the widest of each.
  const std::pair<ControlName, const char*> values[] = {{ctl::settings::Text12, "320"},
                                                        {ctl::settings::Text14, "240.75"},
                                                        {ctl::settings::Text1, "center"},
                                                        {ctl::settings::Text17, "false"}};
  for (ScreenId id : {Form5, Form7}) {
    for (auto [field, value] : values) {
      rt.setText(id, field, value);
      if (field == ctl::settings::Text14) rt.setText(id, ctl::settings::Text12, "321");
      EXPECT_TRUE(p.textFits(id, field))
          << screenName(id) << " " << field << " " << rt.text(id, field);
    }
  }
}

// The width and height take digits straight from the keys; the other fields take the input
// method as any field does.
inline void checkNumberFields(DesktopProbe& p) {
  using enum ScreenId;
  p.runtime().start(Form1);
  p.click(Form1, ctl::menu::Command1);
  p.click(Form4, ctl::quick::Command2);
  for (ControlName field : {ctl::settings::Text12, ctl::settings::Text14})
    EXPECT_TRUE(p.inputMethodOff(Form5, field));
  for (ControlName field : {ctl::settings::Text1, ctl::settings::Text17})
    EXPECT_FALSE(p.inputMethodOff(Form5, field));
  EXPECT_FALSE(p.inputMethodOff(Form4, ctl::quick::Text3));
}

// Closing the detailed creation screen through its frame ends the program, also while its
// settings screen is shown: nothing is left running unseen.
inline void checkDetailedFrameClose(DesktopProbe& p) {
  using enum ScreenId;
  p.runtime().start(Form1);
  p.click(Form1, ctl::menu::Command5);
  p.click(Form6, ctl::detailed::Command2);
  p.closeFrame(Form6);
  EXPECT_TRUE(p.runtime().ended());
}

// Typing replaces the value a field holds when the focus came by the keyboard, by the screen
// opening or by its window becoming active again; the focus comes back where it was.
inline void checkTypingReplaces(DesktopProbe& p) {
  using enum ScreenId;
  Runtime& rt = p.runtime();
  rt.start(Form1);
  p.click(Form1, ctl::menu::Command1);
  p.key(Form4, Key::Tab);
  p.key(Form4, Key::Tab);  // 設定
  p.key(Form4, Key::Enter);
  ASSERT_EQ(p.focused(Form5), ctl::settings::Text12);
  p.type(Form5, "640");  // over the "320" the screen opened with
  EXPECT_EQ(rt.text(Form4, ctl::quick::Text171), "640");
  EXPECT_EQ(rt.text(Form4, ctl::quick::Text161), "480");
  p.key(Form5, Key::Tab);
  p.key(Form5, Key::Tab);
  p.type(Form5, "left");  // over "center", reached by Tab
  EXPECT_EQ(rt.text(Form4, ctl::quick::Text151), "left");
  p.reactivate(Form5);
  EXPECT_EQ(p.focused(Form5), ctl::settings::Text1);
  p.type(Form5, "right");
  EXPECT_EQ(rt.text(Form4, ctl::quick::Text151), "right");
  // 戻る: the creation screen takes the focus back where it was, on 設定.
  p.click(Form5, ctl::settings::Command1);
  EXPECT_EQ(p.focused(Form4), ctl::quick::Command2);
  p.key(Form4, Key::Enter);
  EXPECT_TRUE(shown(p, Form5));
}

// 保存 hides itself and shows 完成ボタン, where the user looks next: the focus goes there, and
// is there again after the message. On the detailed screen 作成 shows 完成 and hands it on.
inline void checkFocusAfterSaveHides(DesktopProbe& p) {
  using enum ScreenId;
  p.runtime().start(Form1);
  p.click(Form1, ctl::menu::Command1);
  p.key(Form4, Key::Tab);
  ASSERT_EQ(p.focused(Form4), ctl::quick::Command1);
  p.key(Form4, Key::Enter);  // no name: "記入しましょう。"
  EXPECT_EQ(p.messages().size(), 1u);
  EXPECT_EQ(p.focused(Form4), ctl::quick::Command5);
  p.reactivate(Form4);
  EXPECT_EQ(p.focused(Form4), ctl::quick::Command5);
  p.click(Form4, ctl::quick::Command3);  // 戻る
  p.click(Form1, ctl::menu::Command5);
  for (int i = 0; i < 3; ++i) p.key(Form6, Key::Tab);
  ASSERT_EQ(p.focused(Form6), ctl::detailed::Command1);
  p.key(Form6, Key::Enter);  // 作成, no name
  EXPECT_EQ(p.focused(Form6), ctl::detailed::Command5);
  p.key(Form6, Key::BackTab);  // and on from it along the focus order
  EXPECT_EQ(p.focused(Form6), ctl::detailed::Command4);
}

// The main menu's buttons are one group for the arrow keys: Down then Enter opens the second.
inline void checkMenuArrows(DesktopProbe& p) {
  using enum ScreenId;
  p.runtime().start(Form1);
  ASSERT_EQ(p.focused(Form1), ctl::menu::Command2);
  p.key(Form1, Key::Down);
  EXPECT_EQ(p.focused(Form1), ctl::menu::Command1);
  p.key(Form1, Key::Up);
  p.key(Form1, Key::Up);  // round, to the last
  EXPECT_EQ(p.focused(Form1), ctl::menu::Command4);
  p.key(Form1, Key::Right);
  p.key(Form1, Key::Right);
  EXPECT_EQ(p.focused(Form1), ctl::menu::Command1);
  p.key(Form1, Key::Enter);
  EXPECT_TRUE(shown(p, Form4));
}

// The alignment's markers are an option group: one Tab stop that enters at the chosen one and
// goes on to the next stop, the arrows move among them and choose, Space chooses; each is a
// radio button named by what it sets, and says whether it is chosen, as the alignment has it.
inline void checkMarkersByKeyboard(DesktopProbe& p) {
  using enum ScreenId;
  using namespace ctl::settings;
  Runtime& rt = p.runtime();
  rt.start(Form1);
  p.click(Form1, ctl::menu::Command1);
  p.click(Form4, ctl::quick::Command2);
  for (int i = 0; i < 3; ++i) p.key(Form5, Key::Tab);
  ASSERT_EQ(p.focused(Form5), Label1);  // 中心, as the screen opened
  const auto chosen = [&] {
    std::string out;
    for (ControlName m : {Label2, Label1, Label8}) out += p.spokenChecked(Form5, m) ? "x" : "-";
    return out;
  };
  EXPECT_EQ(chosen(), "-x-");
  for (ControlName m : {Label2, Label1, Label8}) {
    EXPECT_EQ(p.spokenRole(Form5, m), DesktopProbe::Role::Radio) << m;
  }
  EXPECT_EQ(p.spokenName(Form5, Label2), "左");
  EXPECT_EQ(p.spokenName(Form5, Label8), "右");
  p.key(Form5, Key::Right);
  EXPECT_EQ(p.focused(Form5), Label8);
  EXPECT_EQ(rt.text(Form4, ctl::quick::Text151), "right");
  EXPECT_EQ(chosen(), "--x");
  p.key(Form5, Key::Down);  // round
  EXPECT_EQ(p.focused(Form5), Label2);
  EXPECT_EQ(rt.text(Form4, ctl::quick::Text151), "left");
  p.key(Form5, Key::Tab);  // on to the option group
  EXPECT_EQ(p.focused(Form5), Option2);
  p.key(Form5, Key::BackTab);  // back in at the chosen one
  EXPECT_EQ(p.focused(Form5), Label2);
  p.key(Form5, Key::BackTab);
  p.type(Form5, "RIGHT");  // typed, in any letter case: 右 is chosen
  EXPECT_EQ(chosen(), "--x");
  p.key(Form5, Key::Tab);
  EXPECT_EQ(p.focused(Form5), Label8);
  p.key(Form5, Key::Space);
  EXPECT_EQ(rt.text(Form4, ctl::quick::Text151), "right");
  p.key(Form5, Key::Tab);
  EXPECT_EQ(p.focused(Form5), Option2);
}

inline void checkOptionGroup(DesktopProbe& p) {
  using enum ScreenId;
  Runtime& rt = p.runtime();
  rt.start(Form1);
  p.click(Form1, ctl::menu::Command1);
  p.click(Form4, ctl::quick::Command2);
  for (int i = 0; i < 4; ++i) p.key(Form5, Key::Tab);   // past the alignment's markers
  ASSERT_EQ(p.focused(Form5), ctl::settings::Option2);  // オフ, chosen at load
  p.key(Form5, Key::Up);
  EXPECT_EQ(p.focused(Form5), ctl::settings::Option1);
  EXPECT_EQ(rt.text(Form4, ctl::quick::Text211), "true");
  p.key(Form5, Key::Down);
  EXPECT_EQ(p.focused(Form5), ctl::settings::Option2);
  EXPECT_EQ(rt.text(Form4, ctl::quick::Text211), "false");
  p.key(Form5, Key::Tab);
  EXPECT_EQ(p.focused(Form5), ctl::settings::Text17);
}

// Buttons show their declared colours.
inline void checkButtonColours(DesktopProbe& p) {
  using enum ScreenId;
  Runtime& rt = p.runtime();
  rt.start(Form1);
  EXPECT_EQ(p.colourInside(Form1, ctl::menu::Command5), (Rgb{0, 192, 0}));  // 詳細作成
  p.click(Form1, ctl::menu::Command1);
  p.click(Form4, ctl::quick::Command1);  // 保存 with no name: 完成ボタン shows
  EXPECT_EQ(p.colourInside(Form4, ctl::quick::Command5), (Rgb{255, 192, 255}));  // 完成ボタン
  EXPECT_EQ(p.colourInside(Form4, ctl::quick::Command3), (Rgb{255, 128, 0}));    // 戻る
}

// A screen reader names every field by its label, every button by its caption, every help
// button "ヘルプ", and every picture.
inline void checkSpokenNames(DesktopProbe& p) {
  using enum ScreenId;
  Runtime& rt = p.runtime();
  makeEveryScreen(rt);
  for (ScreenId id : kAllScreens) {
    const ScreenInstance* s = rt.find(id);
    ASSERT_TRUE(s);
    for (const ControlDecl& c : s->decl().controls) {
      const bool spoken = c.kind == ControlKind::Button || c.kind == ControlKind::Picture ||
                          (c.kind == ControlKind::TextBox && !isField(c));
      if (!spoken) continue;
      const std::string name = p.spokenName(id, c.name.c_str());
      const std::string caption = s->controls[s->index(c.name)].text;
      if (c.kind == ControlKind::Button && caption.find_first_not_of("?？ ") == std::string::npos) {
        EXPECT_EQ(name, "ヘルプ") << screenName(id) << " " << c.name;
      } else {
        EXPECT_FALSE(name.empty()) << screenName(id) << " " << c.name;
      }
    }
  }
  EXPECT_EQ(p.spokenName(Form4, ctl::quick::Text3), "拡張子抜きのビデオ名");
  EXPECT_EQ(p.spokenName(Form5, ctl::settings::Text12), "幅");
  EXPECT_EQ(p.spokenName(Form2, ctl::serverFolder::Text1), "あなたのサーバー名記入");
  EXPECT_EQ(p.spokenName(Form1, ctl::menu::Command5), "詳細作成");
}

// What a screen reader says beyond the names: オン and オフ are radio buttons of the group
// オート起動, the markers say where they put the player, the alignment field lists its words,
// and the start-up screen has the program's name and says how to go on.
inline void checkSpokenRoles(DesktopProbe& p) {
  using enum ScreenId;
  makeEveryScreen(p.runtime());
  for (ControlName option : {ctl::settings::Option1, ctl::settings::Option2}) {
    EXPECT_EQ(p.spokenRole(Form5, option), DesktopProbe::Role::Radio) << option;
    EXPECT_EQ(p.spokenDescription(Form5, option), "オート起動") << option;
  }
  EXPECT_EQ(p.spokenName(Form7, ctl::settings::Option1), "オン");
  EXPECT_EQ(p.spokenName(Form5, ctl::settings::Label2), "左");
  EXPECT_EQ(p.spokenName(Form5, ctl::settings::Label1), "中心");
  EXPECT_EQ(p.spokenName(Form7, ctl::settings::Label8), "右");
  EXPECT_NE(p.spokenDescription(Form5, ctl::settings::Text1).find("center"), std::string::npos);
  EXPECT_EQ(p.spokenRole(Form4, ctl::quick::Command1), DesktopProbe::Role::Button);
  EXPECT_EQ(p.spokenName(frmSplash, {}), "ストリーミング　ヌベラ");
  EXPECT_NE(p.spokenDescription(frmSplash, {}).find("クリック"), std::string::npos);
  // The hints and examples beside a control are read with it; the version line with the screen.
  EXPECT_TRUE(p.spokenDescription(frmSplash, {}).ends_with("ﾊﾞｰｼﾞｮﾝ 1.0.0"));
  EXPECT_EQ(p.spokenDescription(Form4, ctl::quick::Text3), "例：abc.rmの場合abcのみです。");
  EXPECT_EQ(p.spokenDescription(Form1, ctl::menu::Command5), "詳細メニュー");
  EXPECT_EQ(p.spokenDescription(Form6, ctl::detailed::Text2), "例：/user name/hoge/video/");
  EXPECT_EQ(p.spokenDescription(Form3, ctl::siteFolder::Text1), "example.ne.jp 例：vudezur");
  // The autostart field is told apart from the option group beside it.
  EXPECT_EQ(p.spokenName(Form5, ctl::settings::Text17), "オート起動の値");
}

// Every control the focus reaches shows that it has it, in the light theme, a dark desktop
// theme and a high-contrast scheme: some of its pixels change when it gets the focus, and one of
// those stands at 3 : 1 or more against the control's back colour; the chosen marker shows
// that it is chosen so.
inline void checkFocusSeen(DesktopProbe& p, DesktopProbe::Theme theme) {
  using enum ScreenId;
  Runtime& rt = p.runtime();
  p.useTheme(theme);
  const std::optional<SystemColours> hc =
      theme == DesktopProbe::Theme::HighContrast ? std::optional(kWhiteOnBlack) : std::nullopt;
  rt.start(Form1);
  p.click(Form1, ctl::menu::Command1);
  p.click(Form4, ctl::quick::Command2);
  for (ScreenId id : {Form5, Form4}) {
    const ScreenInstance* s = rt.find(id);
    ASSERT_TRUE(s);
    const auto order = focusOrder(*s);
    const auto name = [&](int c) { return ControlName(s->decl().controls[c].name); };
    std::map<int, std::vector<Rgb>> focused, unfocused;
    for (std::size_t step = 0; step <= order.size(); ++step) {
      const std::string now = p.focused(id);
      for (int c : order) (name(c) == now ? focused : unfocused)[c] = p.pixelsOf(id, name(c), 0);
      p.key(id, Key::Tab);
    }
    for (int c : order) {
      const auto& on = focused[c];
      const auto& off = unfocused[c];
      ASSERT_EQ(on.size(), off.size()) << screenName(id) << " " << name(c);
      const Rgb back = controlColours(s->decl(), c, hc).back;
      double best = 1.0;
      for (std::size_t i = 0; i < on.size(); ++i) {
        if (!(on[i] == off[i])) best = std::max(best, contrastRatio(on[i], back));
      }
      EXPECT_GE(best, 3.0) << screenName(id) << " " << name(c);
    }
  }
  // So does the chosen marker (中心), beside one that is not, neither of them focused.
  const ScreenInstance& settings = *rt.find(Form5);
  const auto chosen = p.pixelsOf(Form5, ctl::settings::Label1, 0);
  const auto other = p.pixelsOf(Form5, ctl::settings::Label2, 0);
  ASSERT_EQ(chosen.size(), other.size());
  const Rgb back = controlColours(settings.decl(), settings.index(ctl::settings::Label1), hc).back;
  double best = 1.0;
  for (std::size_t i = 0; i < chosen.size(); ++i) {
    if (!(chosen[i] == other[i])) best = std::max(best, contrastRatio(chosen[i], back));
  }
  EXPECT_GE(best, 3.0) << "the chosen marker";
}

// Every caption stays readable in the light theme, a dark desktop theme and a high-contrast
// scheme: drawn on its back colour in a text colour with at least 4.5 : 1 against it (3 : 1
// for the "■" markers, which are symbols), as the desktop really draws it.
inline void checkCaptionContrast(DesktopProbe& p, DesktopProbe::Theme theme) {
  using enum ScreenId;
  Runtime& rt = p.runtime();
  p.useTheme(theme);
  makeEveryScreen(rt);
  const std::optional<SystemColours> hc =
      theme == DesktopProbe::Theme::HighContrast ? std::optional(kWhiteOnBlack) : std::nullopt;
  for (ScreenId id : kAllScreens) {
    const ScreenInstance* s = rt.find(id);
    ASSERT_TRUE(s);
    const auto& controls = s->decl().controls;
    for (std::size_t i = 0; i < controls.size(); ++i) {
      const ControlDecl& c = controls[i];
      const bool captioned = c.kind == ControlKind::Label || c.kind == ControlKind::Button ||
                             c.kind == ControlKind::OptionButton;
      const std::string& text = s->controls[i].text;
      if (!captioned || text.empty() || !s->controls[i].visible) continue;
      const Colours want = controlColours(s->decl(), static_cast<int>(i), hc);
      const double need = text == "■" ? 3.0 : 4.5;
      EXPECT_GE(contrastRatio(want.text, want.back), need) << screenName(id) << " " << c.name;
      const auto pixels = p.pixelsInside(id, c.name.c_str());
      ASSERT_FALSE(pixels.empty()) << screenName(id) << " " << c.name;
      // (A chosen marker's frame may cover more of it than its back colour.)
      if (c.choiceField.empty() || !s->controls[i].checked) {
        EXPECT_EQ(DesktopProbe::mostFrequent(pixels), want.back) << screenName(id) << " " << c.name;
      }
      // Some stroke of the caption in the text colour (anti-aliasing leaves the rest between).
      int nearest = INT_MAX;
      for (Rgb px : pixels) {
        nearest = std::min(nearest, std::abs(px.r - want.text.r) + std::abs(px.g - want.text.g) +
                                        std::abs(px.b - want.text.b));
      }
      EXPECT_LE(nearest, 60) << screenName(id) << " " << c.name;
    }
  }
}

}  // namespace nubera::testing

// Every case above, as both desktops' suites register it: X(NAME, CALL), CALL run with the
// suite's probe as `*this`. Each suite expands the list once, so both run the same cases.
#define NUBERA_DESKTOP_CASES(X)                                                 \
  X(KeyboardAloneDoesTheTypicalRoad, checkKeyboardRoad(*this))                  \
  X(EscKeepsWorkingScreensAndTheirText, checkEscape(*this))                     \
  X(EveryTextFitsItsControl, checkTextsFit(*this))                              \
  X(SettingsScreensLeaveTheirCreationScreenUsable,                              \
    checkSettingsBeside(*this, ScreenId::Form4, ScreenId::Form5))               \
  X(DetailedSettingsLeaveTheirCreationScreenUsable,                             \
    checkSettingsBeside(*this, ScreenId::Form6, ScreenId::Form7))               \
  X(NumberFieldsTakeNoInputMethod, checkNumberFields(*this))                    \
  X(DetailedFrameCloseEndsTheProgram, checkDetailedFrameClose(*this))           \
  X(TypingReplacesAndTheFocusComesBack, checkTypingReplaces(*this))             \
  X(OptionGroupIsOneStopAndArrowsChoose, checkOptionGroup(*this))               \
  X(ButtonsShowTheirDeclaredColours, checkButtonColours(*this))                 \
  X(FocusMovesOnWhenSaveHidesItself, checkFocusAfterSaveHides(*this))           \
  X(MenuButtonsAreOneGroupForTheArrows, checkMenuArrows(*this))                 \
  X(MarkersAreReachedAndChosenByKeyboard, checkMarkersByKeyboard(*this))        \
  X(ScreenReadersHearRolesAndDescriptions, checkSpokenRoles(*this))             \
  X(ScreenReadersHearEveryName, checkSpokenNames(*this))                        \
  X(CaptionsReadableInTheLightTheme, checkCaptionContrast(*this, Theme::Light)) \
  X(CaptionsReadableInADarkTheme, checkCaptionContrast(*this, Theme::Dark))     \
  X(FocusSeenInTheLightTheme, checkFocusSeen(*this, Theme::Light))              \
  X(FocusSeenInADarkTheme, checkFocusSeen(*this, Theme::Dark))                  \
  X(FocusSeenInHighContrast, checkFocusSeen(*this, Theme::HighContrast))        \
  X(CaptionsReadableInHighContrast, checkCaptionContrast(*this, Theme::HighContrast))
