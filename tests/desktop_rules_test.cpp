// Where the settings screens open beside their creation screens, for the work areas users
// have, with the real screens' sizes and a Windows-like frame around each.
#include "ui/desktop_rules.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>

#include "screens/screens.h"

using namespace nubera;

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

TEST(Placement, SettingsBesideTheirCreationScreen) {
  const Desk desks[] = {{1280, 1024, 96}, {1920, 1080, 144}, {1024, 768, 96}};
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
      if (desk.width >= 1280) {
        EXPECT_FALSE(pair.screen.intersects(pair.other)) << where;
      } else {
        for (PixelRect p : parts) {
          p.x += pair.other.x - other.x;
          p.y += pair.other.y - other.y;
          EXPECT_FALSE(pair.screen.intersects(p)) << where;
        }
      }
    }
  }
}

// Twips become pixels one way for every desktop: the quick screen's "保存", declared at 6840,
// 3840, 735, 375, stands where a Windows dialog of that scale would put it.
TEST(Geometry, WorkedExamplesAtTwoScales) {
  const ScreenDecl& quick = screens::all()[static_cast<int>(ScreenId::Form4)]->decl;
  const int save = quick.indexOf("Command1");
  EXPECT_EQ(placeControls(quick, 96)[save].inScreen, (PixelRect{456, 256, 49, 25}));
  EXPECT_EQ(placeControls(quick, 144)[save].inScreen, (PixelRect{684, 384, 74, 38}));
  const auto parts = workingParts(quick, 144, 300, 200);
  EXPECT_NE(std::find(parts.begin(), parts.end(), PixelRect{984, 584, 74, 38}), parts.end());
  EXPECT_EQ(clientSize(quick, 144), (PixelRect{0, 0, 863, 467}));
  // Inside a frame: the settings screen's hint, 120, 240 in its frame at 5280, 480.
  const ScreenDecl& settings = screens::all()[static_cast<int>(ScreenId::Form5)]->decl;
  const auto hint = placeControls(settings, 96)[settings.indexOf("Label7")];
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
  bad.controls[static_cast<std::size_t>(bad.indexOf("Label7"))].in("Frame9");
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
    const char* control;
    Colours light, highContrast;
  };
  const Case cases[] = {
      {quick, "Command1", {{0, 255, 0}, {0, 0, 0}}, {{0, 0, 128}, {255, 255, 255}}},  // 保存
      {quick,
       "Label2",
       {{192, 192, 255}, {0, 0, 0}},
       {{0, 0, 128}, {255, 255, 255}}},  // on the band
      {quick, "Label3", {{240, 240, 240}, {0, 0, 0}}, {{0, 0, 128}, {255, 255, 255}}},
      {quick, "Text3", {{255, 255, 255}, {0, 0, 0}}, {{0, 0, 0}, {255, 255, 0}}},
      {settings, "Label2", {{240, 240, 240}, {255, 0, 0}}, {{0, 0, 128}, {255, 255, 255}}},  // ■
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

TEST(Focus, AHiddenControlHandsTheFocusOn) {
  const ScreenKind& kind = *screens::all()[static_cast<int>(ScreenId::Form4)];
  ScreenInstance quick{.kind = &kind, .visible = true, .modal = false, .controls = {}};
  for (const auto& c : kind.decl.controls) quick.controls.push_back({c.text, c.visible});
  auto hide = [&](const char* name) {
    const int i = kind.decl.indexOf(name);
    quick.controls[static_cast<std::size_t>(i)].visible = false;
    return i;
  };
  hide("Command5");  // 完成ボタン, hidden at load
  hide("Label2");
  // 保存 (tab 1) hides itself: 設定 (tab 2) follows.
  EXPECT_EQ(focusAfterHiding(quick, hide("Command1")), kind.decl.indexOf("Command2"));
  // The last in the order hands on round to the first: the video name.
  EXPECT_EQ(focusAfterHiding(quick, hide("Command6")), kind.decl.indexOf("Text3"));
}

TEST(Pictures, TheLargerFileAbove100Percent) {
  EXPECT_EQ(pictureFile("quick.jpg", 1.0), "quick.jpg");
  EXPECT_EQ(pictureFile("quick.jpg", 1.25), "quick@2x.jpg");
  EXPECT_EQ(pictureFile("splash_logo.jpg", 2.0), "splash_logo@2x.jpg");
}
