// The quick player settings screen: width, height, autostart and alignment of
// the player, each change written at once into the quick creation screen.

#include "screens/common/common.h"
#include "screens/common/settings_screen.h"
#include "screens/controls.h"
#include "screens/screens.h"

namespace nubera::screens {

namespace {

using enum ScreenId;
namespace settings = ctl::settings;

ScreenKind build() {
  ScreenKind k;
  k.decl.id = Form5;
  k.decl.caption = "ヌベラ　設定";
  k.decl.clientWidth = 8475;
  k.decl.placement = Placement::Beside;
  k.decl.besideOf = Form4;
  k.decl.clientHeight = 5445;
  buildSettingsScreen(
      k,
      {
          .Label6 = {960, 360, 735, 615},
          .Label4 = {1920, 840, 375, 375},
          .Text12 = {2400, 840, 495, 375},
          .Text14 = {3000, 1680, 855, 375},
          .Label5 = {3900, 1680, 615, 375},
          .Image1 = {2280, 1320, 2055, 1410},
          .Frame1 = {5280, 480, 1935, 1695},
          .Label7 = {120, 240, 1575, 1215},
          .Text1 = {5400, 2280, 1095, 375},
          .Label12 = {1200, 2880, 735, 375},
          .Label2 = {2280, 2880, 375, 285},
          .Label1 = {3120, 2880, 375, 285},
          .Label8 = {3960, 2880, 375, 285},
          .Label10 = {2160, 3360, 615, 375},
          .Label9 = {3000, 3360, 615, 255},
          .Label11 = {3960, 3360, 615, 375},
          .Label3 = {4800, 3360, 975, 375},
          .Option1 = {6000, 3120, 1335, 495},
          .Option2 = {6000, 3600, 1575, 495},
          .Text17 = {7560, 3600, 735, 375},
          .Label13 = {0, 4440, 8535, 1095},
          .Command1 = {600, 4680, 735, 375},
          .Command2 = {1560, 4680, 615, 375},
      },
      {.link = quickPlayerLink(), .optionAtLoad = settings::Option2, .alignmentText = ""});
  k.clicks[settings::Command1] = [](Runtime& rt) {  // 戻る
    unloadAll(rt, {Form2, Form3});
    rt.show(Form4);
    rt.hide(Form5);
  };
  return k;
}

}  // namespace

const ScreenKind& quickSettings() {
  static const ScreenKind kind = build();
  return kind;
}

}  // namespace nubera::screens
