// Where the settings screens open beside their creation screens, for the work areas users
// have, with the real screens' sizes and a Windows-like frame around each.
#include "ui/desktop_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "platform/memory_file_system.h"
#include "screens/controls.h"
#include "screens/screens.h"
#include "ui/recording_desktop.h"

using namespace nubera;
namespace ctl = nubera::screens::ctl;

namespace {

struct Desk {
  int width, height, dpi;
};

PixelRect frameOf(const ScreenDecl& d, int dpi, int x, int y) {
  const double scale = dpi / 96.0;
  const int border = static_cast<int>(std::lround(8 * scale));
  const int title = static_cast<int>(std::lround(23 * scale));
  return {x, y, static_cast<int>(std::lround(d.clientWidth * dpi / 1440.0)) + 2 * border,
          static_cast<int>(std::lround(d.clientHeight * dpi / 1440.0)) + title + border};
}

}  // namespace

// Side by side where the work area holds both; else clear of the creation screen's buttons
// and fields; on a small display at a large scale, where nothing is clear of both, of its
// buttons.
TEST(Placement, SettingsBesideTheirCreationScreen) {
  const Desk desks[] = {{1280, 1024, 96}, {1920, 1080, 144}, {1024, 768, 96},
                        {1024, 768, 144}, {1280, 1024, 144}, {1280, 1024, 192}};
  const auto& screens = screens::all();
  for (auto [creation, settings] :
       {std::pair{ScreenId::Form4, ScreenId::Form5}, {ScreenId::Form6, ScreenId::Form7}}) {
    const ScreenDecl& c = screens[static_cast<int>(creation)]->decl;
    const ScreenDecl& s = screens[static_cast<int>(settings)]->decl;
    for (const Desk& desk : desks) {
      const PixelRect area{0, 0, desk.width, desk.height - 40 * desk.dpi / 96};  // a taskbar
      // Where the system put the creation screen: near the middle.
      const PixelRect other = frameOf(c, desk.dpi, desk.width / 5, desk.height / 6);
      const double scale = desk.dpi / 96.0;
      const int clientX = other.x + static_cast<int>(std::lround(8 * scale));
      const int clientY = other.y + static_cast<int>(std::lround(23 * scale));
      const auto parts = workingParts(c, desk.dpi, clientX, clientY);
      const auto pair = placeBeside(other, parts, frameOf(s, desk.dpi, 0, 0), area);
      const std::string where = std::to_string(desk.width) + "x" + std::to_string(desk.height) +
                                "@" + std::to_string(desk.dpi) + " " + s.caption;
      for (const PixelRect& r : {pair.other, pair.screen}) {
        EXPECT_TRUE(r.x >= area.x && r.y >= area.y && r.right() <= area.right() &&
                    r.bottom() <= area.bottom())
            << where;
      }
      const bool sideBySide = desk.width >= 1280 && desk.dpi == 96;
      // Where nothing is clear of both, the buttons stay in sight.
      const bool fieldsClear = !(desk.width == 1024 && desk.dpi == 144) && desk.dpi != 192;
      if (sideBySide) {
        EXPECT_FALSE(pair.screen.intersects(pair.other)) << where;
      }
      std::vector<PixelRect> kept = parts.buttons;
      if (fieldsClear) kept.insert(kept.end(), parts.fields.begin(), parts.fields.end());
      for (PixelRect p : kept) {
        p.x += pair.other.x - other.x;
        p.y += pair.other.y - other.y;
        EXPECT_FALSE(pair.screen.intersects(p)) << where;
      }
    }
  }
}

// Twips become pixels one way for every desktop: the quick screen's "保存", declared at 6840,
// 3840, 735, 375, stands where a Windows dialog of that scale would put it.
TEST(Geometry, WorkedExamplesAtTwoScales) {
  const ScreenDecl& quick = screens::all()[static_cast<int>(ScreenId::Form4)]->decl;
  const int save = quick.indexOf(ctl::quick::Command1);
  EXPECT_EQ(placeControls(quick, 96)[save].inScreen, (PixelRect{456, 256, 49, 25}));
  EXPECT_EQ(placeControls(quick, 144)[save].inScreen, (PixelRect{684, 384, 74, 38}));
  const auto parts = workingParts(quick, 144, 300, 200);
  EXPECT_NE(std::find(parts.buttons.begin(), parts.buttons.end(), PixelRect{984, 584, 74, 38}),
            parts.buttons.end());
  EXPECT_EQ(parts.fields, (std::vector<PixelRect>{{672, 452, 194, 38}}));  // Text3
  EXPECT_EQ(clientSize(quick, 144), (PixelRect{0, 0, 863, 467}));
  // Inside a frame: the settings screen's hint, 120, 240 in its frame at 5280, 480.
  const ScreenDecl& settings = screens::all()[static_cast<int>(ScreenId::Form5)]->decl;
  const auto hint = placeControls(settings, 96)[settings.indexOf(ctl::settings::Label7)];
  EXPECT_EQ(hint.inParent, (PixelRect{8, 16, 105, 81}));
  EXPECT_EQ(hint.inScreen, (PixelRect{360, 48, 105, 81}));
}

// A control standing in a frame that is not declared (a misspelt name) fails here, not on a
// user's desktop.
TEST(Geometry, EveryParentIsADeclaredFrame) {
  for (const ScreenKind* kind : screens::all()) {
    EXPECT_EQ(declarationFault(kind->decl), std::nullopt);
  }
  ScreenDecl bad = screens::all()[static_cast<int>(ScreenId::Form5)]->decl;
  bad.controls[static_cast<std::size_t>(bad.indexOf(ctl::settings::Label7))].in("Frame9");
  ASSERT_TRUE(declarationFault(bad));
  EXPECT_NE(declarationFault(bad)->find("Frame9"), std::string::npos);
  EXPECT_THROW(placeControls(bad, 96), std::logic_error);
}

// Worked examples of the colour rule, and of where the focus goes when its control hides.
TEST(Colours, DeclaredOnTheFormsOwnFaceOrTheSystemsInHighContrast) {
  const ScreenDecl& quick = screens::all()[static_cast<int>(ScreenId::Form4)]->decl;
  const ScreenDecl& settings = screens::all()[static_cast<int>(ScreenId::Form5)]->decl;
  const SystemColours hc{{0, 0, 0}, {255, 255, 0}, {0, 0, 128}, {255, 255, 255}};
  struct Case {
    const ScreenDecl& decl;
    ControlName control;
    Colours light, highContrast;
  };
  const Case cases[] = {
      {quick,
       ctl::quick::Command1,
       {{0, 255, 0}, {0, 0, 0}},
       {{0, 0, 128}, {255, 255, 255}}},  // 保存
      {quick,
       ctl::quick::Label2,
       {{192, 192, 255}, {0, 0, 0}},
       {{0, 0, 128}, {255, 255, 255}}},  // on the band
      {quick, ctl::quick::Label3, {{240, 240, 240}, {0, 0, 0}}, {{0, 0, 128}, {255, 255, 255}}},
      {quick, ctl::quick::Text3, {{255, 255, 255}, {0, 0, 0}}, {{0, 0, 0}, {255, 255, 0}}},
      {settings,
       ctl::settings::Label2,
       {{240, 240, 240}, {255, 0, 0}},
       {{0, 0, 128}, {255, 255, 255}}},  // ■
  };
  for (const auto& c : cases) {
    const int i = c.decl.indexOf(c.control);
    EXPECT_EQ(controlColours(c.decl, i, std::nullopt), c.light) << c.control;
    EXPECT_EQ(controlColours(c.decl, i, hc), c.highContrast) << c.control;
  }
  EXPECT_NEAR(contrastRatio({0, 0, 0}, {255, 255, 255}), 21.0, 0.01);
  EXPECT_NEAR(contrastRatio({255, 0, 0}, {240, 240, 240}), 3.51, 0.01);
  EXPECT_NEAR(contrastRatio({0, 0, 255}, {240, 240, 240}), 7.54, 0.01);
}

// Typing replaces a value reached by the keyboard, an opening or a reactivation; a click
// puts the caret where it was clicked.
TEST(Focus, WhichWaysInSelectTheWholeText) {
  EXPECT_TRUE(selectsWholeText(FocusCause::Keyboard));
  EXPECT_TRUE(selectsWholeText(FocusCause::Opening));
  EXPECT_TRUE(selectsWholeText(FocusCause::Reactivation));
  EXPECT_FALSE(selectsWholeText(FocusCause::Click));
}

TEST(Focus, AHiddenControlHandsTheFocusOn) {
  const ScreenKind& kind = *screens::all()[static_cast<int>(ScreenId::Form4)];
  ScreenInstance quick{.kind = &kind, .visible = true, .modal = false, .controls = {}};
  for (const auto& c : kind.decl.controls) quick.controls.push_back({c.text, c.visible});
  auto hide = [&](ControlName name) {
    const int i = kind.decl.indexOf(name);
    quick.controls[static_cast<std::size_t>(i)].visible = false;
    return i;
  };
  hide(ctl::quick::Command5);  // 完成ボタン, hidden at load
  hide(ctl::quick::Label2);
  // 保存 (tab 1) hides itself: 設定 (tab 2) follows.
  EXPECT_EQ(focusAfterHiding(quick, hide(ctl::quick::Command1)),
            kind.decl.indexOf(ctl::quick::Command2));
  // The last in the order hands on round to the first: the video name.
  EXPECT_EQ(focusAfterHiding(quick, hide(ctl::quick::Command6)),
            kind.decl.indexOf(ctl::quick::Text3));
  // 完成ボタン, shown by 保存, takes the focus; other controls shown leave it where it is.
  const int publish = kind.decl.indexOf(ctl::quick::Command5);
  EXPECT_EQ(focusAfterShowing(quick, publish), publish);
  EXPECT_EQ(focusAfterShowing(quick, kind.decl.indexOf(ctl::quick::Label2)), -1);
  EXPECT_EQ(focusAfterShowing(quick, kind.decl.indexOf(ctl::quick::Command1)), -1);
}

TEST(Pictures, TheLargerFileAbove100Percent) {
  EXPECT_EQ(pictureFile("quick.jpg", 1.0), "quick.jpg");
  EXPECT_EQ(pictureFile("quick.jpg", 1.25), "quick@2x.jpg");
  EXPECT_EQ(pictureFile("splash_logo.jpg", 2.0), "splash_logo@2x.jpg");
  // Where the larger file is missing, the file itself is drawn, on both desktops.
  const auto only = [](std::string there) {
    return [there](const std::string& f) { return f == there; };
  };
  EXPECT_EQ(pictureToDraw("D", '/', "quick.jpg", 1.5, only("D/quick@2x.jpg")), "D/quick@2x.jpg");
  EXPECT_EQ(pictureToDraw("D", '/', "quick.jpg", 1.5, only("D/quick.jpg")), "D/quick.jpg");
  EXPECT_EQ(pictureToDraw("D", '\\', "quick.jpg", 1.0, only("D\\quick@2x.jpg")), "D\\quick.jpg");
}

namespace {

// A small screen for the keyboard tables: the focus order is the tab indices, not the
// declared order, a hidden button is left out, and the option buttons are one stop.
ScreenKind toyScreen() {
  ScreenKind k;
  k.decl.id = ScreenId::Form2;
  k.decl.controls = {
      decl::textBox("T1", "", {0, 0, 100, 100}).tab(0),              // 0
      decl::button("B1", "b", {0, 0, 100, 100}).tab(2),              // 1
      decl::label("L", "l", {0, 0, 100, 100}),                       // 2
      decl::option("O1", "on", {0, 0, 100, 100}).tab(3),             // 3
      decl::option("O2", "off", {0, 0, 100, 100}).tab(4),            // 4
      decl::textBox("T2", "", {0, 0, 100, 100}).tab(1),              // 5
      decl::button("B2", "x", {0, 0, 100, 100}).tab(5).hidden(),     // 6
      decl::label("M1", "■", {0, 0, 100, 100}).tab(6).inGroup("g"),  // 7
      decl::label("M2", "■", {0, 0, 100, 100}).tab(6).inGroup("g"),  // 8
      decl::label("M3", "■", {0, 0, 100, 100}).tab(6).inGroup("g"),  // 9
      decl::button("B3", "y", {0, 0, 100, 100}).tab(7),              // 10
  };
  return k;
}

ScreenInstance instanceOf(const ScreenKind& k) {
  ScreenInstance s{.kind = &k, .visible = true, .modal = false, .controls = {}};
  for (const auto& c : k.decl.controls) s.controls.push_back({c.text, c.visible, false});
  return s;
}

}  // namespace

TEST(Keyboard, FocusOrderAndKeysWorkedExamples) {
  const ScreenKind kind = toyScreen();
  ScreenInstance s = instanceOf(kind);
  // An option group and a group of markers: one stop each.
  EXPECT_EQ(focusOrder(s), (std::vector<int>{0, 5, 1, 3, 7, 10}));
  s.controls[4].checked = true;  // オフ chosen: the group's stop is that button
  EXPECT_EQ(focusOrder(s), (std::vector<int>{0, 5, 1, 4, 7, 10}));
  s.controls[4].checked = false;
  using A = KeyAction;
  struct Case {
    int focused;
    Key key;
    bool character;
    KeyAction expected;
  };
  const Case cases[] = {
      {-1, Key::Tab, false, {A::Focus, 0}},       // nothing focused: the first
      {-1, Key::BackTab, false, {A::Focus, 10}},  // nothing focused: the last
      {10, Key::Tab, false, {A::Focus, 0}},       // round
      {0, Key::BackTab, false, {A::Focus, 10}},
      {3, Key::Tab, false, {A::Focus, 7}},
      {5, Key::Tab, false, {A::Focus, 1}},
      {1, Key::Enter, true, {A::Click, 1}},
      {1, Key::Space, true, {A::Click, 1}},
      {0, Key::Enter, true, {A::Swallow, -1}},  // no default button
      {0, Key::Space, true, {A::Pass, -1}},     // a blank typed
      {0, Key::Escape, true, {A::Swallow, -1}},
      {1, Key::Escape, true, {A::Swallow, -1}},
      {0, Key::Other, true, {A::Pass, -1}},
      {0, Key::Up, false, {A::Pass, -1}},  // the caret's own
      {3, Key::Down, false, {A::Choose, 4}},
      {3, Key::Up, false, {A::Choose, 4}},  // round, in a group of two
      {4, Key::Right, false, {A::Choose, 3}},
      {3, Key::Space, true, {A::Click, 3}},
      {3, Key::Enter, true, {A::Swallow, -1}},  // only Space and the arrows choose
      // Arrows among the buttons, round, the hidden one left out.
      {1, Key::Down, false, {A::Focus, 10}},
      {1, Key::Up, false, {A::Focus, 10}},
      {10, Key::Right, false, {A::Focus, 1}},
      {10, Key::Left, false, {A::Focus, 1}},
      // A group of markers: arrows move and choose, round; Space chooses, as in an option group.
      {7, Key::Right, false, {A::Choose, 8}},
      {9, Key::Down, false, {A::Choose, 7}},
      {7, Key::Up, false, {A::Choose, 9}},
      {8, Key::Left, false, {A::Choose, 7}},
      {8, Key::Space, true, {A::Click, 8}},
      {9, Key::Enter, true, {A::Swallow, -1}},
      {2, Key::Enter, true, {A::Swallow, -1}},  // a label of no group
  };
  for (const auto& c : cases) {
    EXPECT_EQ(keyAction(s, c.focused, c.key, c.character), c.expected)
        << c.focused << " " << static_cast<int>(c.key);
  }
  // A screen with a key event of its own (the start-up screen) takes every character key.
  ScreenKind splash = toyScreen();
  splash.keyPress = [](Runtime&) {};
  const ScreenInstance start = instanceOf(splash);
  EXPECT_EQ(keyAction(start, -1, Key::Enter, true), (KeyAction{A::ScreenKey, -1}));
  EXPECT_EQ(keyAction(start, -1, Key::Escape, true), (KeyAction{A::ScreenKey, -1}));
  EXPECT_EQ(keyAction(start, -1, Key::Up, false), (KeyAction{A::Pass, -1}));
  // With a control for Enter and Space, those two click it, whatever has the focus.
  splash.decl.clickTarget = splash.decl.controls[1].name;
  const ScreenInstance entered = instanceOf(splash);
  EXPECT_EQ(keyAction(entered, -1, Key::Enter, true), (KeyAction{A::Click, 1}));
  EXPECT_EQ(keyAction(entered, 0, Key::Space, true), (KeyAction{A::Click, 1}));
  EXPECT_EQ(keyAction(entered, -1, Key::Escape, true), (KeyAction{A::ScreenKey, -1}));
  EXPECT_EQ(keyAction(entered, -1, Key::Tab, true), (KeyAction{A::ScreenKey, -1}));
}

// Three screens shown and activated in turn; when the active one is hidden, the latest one
// still shown takes over.
TEST(Keyboard, ActivationOrderWorkedExample) {
  MemoryFileSystem fs{"C:\\p"};
  RecordingDesktop desktop;
  Runtime rt{screens::all(), fs, desktop};
  rt.start(ScreenId::Form1);
  rt.show(ScreenId::Form6);  // its settings screen is made hidden
  rt.show(ScreenId::Form7);
  ActivationOrder order;
  EXPECT_EQ(order.next(rt), std::nullopt);
  order.activated(ScreenId::Form1);
  order.activated(ScreenId::Form6);
  order.activated(ScreenId::Form7);
  EXPECT_EQ(order.next(rt), ScreenId::Form7);
  rt.hide(ScreenId::Form7);
  EXPECT_EQ(order.next(rt), ScreenId::Form6);
  order.activated(ScreenId::Form1);
  EXPECT_EQ(order.next(rt), ScreenId::Form1);
  rt.hide(ScreenId::Form1);
  EXPECT_EQ(order.next(rt), ScreenId::Form6);
  // A box belongs to the screen that raised it while it is shown, else to the latest shown.
  EXPECT_EQ(order.ownerOf(rt, ScreenId::Form1), ScreenId::Form6);  // hidden: the latest
  rt.show(ScreenId::Form1);
  EXPECT_EQ(order.ownerOf(rt, ScreenId::Form1), ScreenId::Form1);
  EXPECT_EQ(order.ownerOf(rt, std::nullopt), ScreenId::Form1);  // the latest active shown
  rt.hide(ScreenId::Form1);
  rt.hide(ScreenId::Form6);
  EXPECT_EQ(order.next(rt), std::nullopt);
  EXPECT_EQ(order.ownerOf(rt, ScreenId::Form7), std::nullopt);
}

TEST(Placement, CentredWorkedExamples) {
  EXPECT_EQ(centredIn({0, 0, 300, 200}, {0, 0, 1280, 984}), (PixelRect{490, 392, 300, 200}));
  EXPECT_EQ(centredIn({5, 5, 300, 200}, {100, 50, 800, 600}), (PixelRect{350, 250, 300, 200}));
  // Larger than the work area: its title bar stays in it.
  EXPECT_EQ(centredIn({0, 0, 1000, 700}, {0, 40, 800, 600}), (PixelRect{0, 40, 1000, 700}));
  // Over another window, kept wholly in the work area: over its middle; pushed off the top
  // left and the bottom right edges; larger than the area, at its top left.
  const PixelRect area{0, 0, 1024, 738};
  EXPECT_EQ(centredOver({0, 0, 300, 120}, {200, 100, 500, 400}, area),
            (PixelRect{300, 240, 300, 120}));
  EXPECT_EQ(centredOver({0, 0, 300, 120}, {-1, -20, 100, 100}, area), (PixelRect{0, 0, 300, 120}));
  EXPECT_EQ(centredOver({0, 0, 300, 120}, {900, 700, 200, 100}, area),
            (PixelRect{724, 618, 300, 120}));
  EXPECT_EQ(centredOver({0, 0, 1100, 800}, {200, 100, 500, 400}, area),
            (PixelRect{0, 0, 1100, 800}));
}

TEST(Placement, BesideWorkedExamples) {
  const PixelRect wide{0, 0, 1920, 1040};
  // Room on the right: the other stays, the screen stands 8 px beside it.
  EXPECT_EQ(placeBeside({100, 100, 600, 400}, {}, {0, 0, 500, 380}, wide),
            (PairPlacement{{100, 100, 600, 400}, {708, 100, 500, 380}}));
  // Near the right edge: the screen goes left, the other moves 180 px instead of 688.
  EXPECT_EQ(placeBeside({1500, 100, 600, 400}, {}, {0, 0, 500, 380}, wide),
            (PairPlacement{{1320, 100, 600, 400}, {812, 100, 500, 380}}));
  // Either side without moving: the right.
  EXPECT_EQ(placeBeside({700, 0, 600, 400}, {}, {0, 0, 500, 380}, {0, 0, 2000, 1000}),
            (PairPlacement{{700, 0, 600, 400}, {1308, 0, 500, 380}}));
  // Too narrow for both (a portrait area): over the other's free part, clear of its button.
  const PixelRect narrow{0, 0, 1000, 1800};
  EXPECT_EQ(placeBeside({0, 0, 600, 400}, {{{500, 350, 90, 30}}, {}}, {0, 0, 500, 300}, narrow),
            (PairPlacement{{0, 0, 600, 400}, {500, 0, 500, 300}}));
  EXPECT_EQ(placeBeside({0, 0, 600, 400}, {{{520, 10, 70, 30}}, {}}, {0, 0, 500, 300}, narrow),
            (PairPlacement{{0, 0, 600, 400}, {500, 40, 500, 300}}));
}
