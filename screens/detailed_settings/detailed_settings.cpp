// The detailed player settings screen: the quick one's counterpart, writing
// into the detailed creation screen.

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
  k.decl.id = Form7;
  k.decl.caption = "設定②";
  k.decl.clientWidth = 8445;
  k.decl.placement = Placement::Beside;
  k.decl.besideOf = Form6;
  k.decl.clientHeight = 5355;
  buildSettingsScreen(
      k,
      {
          .Label6 = {600, 240, 735, 615},
          .Label4 = {1560, 720, 375, 375},
          .Text12 = {2040, 720, 495, 375},
          .Text14 = {2640, 1560, 855, 375},
          .Label5 = {3540, 1560, 615, 375},
          .Image1 = {1920, 1200, 2055, 1410},
          .Frame1 = {4920, 360, 1935, 1695},
          .Label7 = {120, 240, 1575, 1215},
          .Text1 = {5040, 2160, 1095, 375},
          .Label12 = {840, 2760, 735, 375},
          .Label2 = {1920, 2760, 375, 285},
          .Label1 = {2760, 2760, 375, 285},
          .Label8 = {3600, 2760, 375, 285},
          .Label10 = {1800, 3240, 615, 375},
          .Label9 = {2640, 3240, 615, 255},
          .Label11 = {3600, 3240, 615, 375},
          .Label3 = {4440, 3240, 975, 375},
          .Option1 = {5640, 3000, 1335, 495},
          .Option2 = {5640, 3480, 1575, 495},
          .Text17 = {7320, 3480, 735, 375},
          .Label13 = {0, 4560, 9015, 1095},
          .Command1 = {840, 4800, 735, 375},
          .Command2 = {1800, 4800, 615, 375},
      },
      {.link = detailedPlayerLink(), .optionAtLoad = settings::Option1, .alignmentText = "Text1"});
  k.clicks[settings::Command1] = [](Runtime& rt) {  // 戻る
    unloadAll(rt, {Form1, Form2, Form3, Form4, Form5});
    rt.show(Form6);
    rt.hide(Form7);
  };
  return k;
}

}  // namespace

const ScreenKind& detailedSettings() {
  static const ScreenKind kind = build();
  return kind;
}

}  // namespace nubera::screens
