// The start-up screen: title and version; a click on the frame, Enter or Space opens
// the main menu, any other character key ends the program.

#include "screens/common/common.h"
#include "screens/controls.h"
#include "screens/screens.h"

namespace nubera::screens {

std::string versionLine(int major, int minor, int revision) {
  return say(Message(MessageId::VersionLine,
                     {std::to_string(major), std::to_string(minor), std::to_string(revision)}));
}

namespace {

using namespace ctl::splash;

constexpr int kMajor = NUBERA_VERSION_MAJOR, kMinor = NUBERA_VERSION_MINOR,
              kRevision = NUBERA_VERSION_PATCH;

ScreenKind build() {
  using namespace decl;
  ScreenKind k;
  k.decl.id = ScreenId::frmSplash;
  k.decl.caption = "";  // the window shows no caption text
  k.decl.clientWidth = 7380;
  k.decl.clientHeight = 4755;
  k.decl.placement = Placement::Centred;
  k.decl.frameless = true;
  k.decl.spokenName = "ストリーミング　ヌベラ";
  k.decl.spokenDescription =
      "画面をクリックするか、Enter キーかスペース キーを押すとメニューが開きます。"
      "ほかのキーを押すと終了します。";
  k.decl.hintLabels = {std::string(Label1), std::string(lblVersion)};
  // Without it a keyboard or screen-reader user could never get past this screen.
  k.decl.clickTarget = Frame1;
  k.decl.controls = {
      frame(Frame1, "", {120, 120, 7200, 4530}),
      label(lblProductName, "", {2640, 960, 3600, 540}).withFont(24).in(Frame1),
      label(Label2, "ヌベラ　動画", {4080, 1560, 3030, 495}).withFont(21.75).in(Frame1),
      label(Label1, "windows ME、XP、2000対応", {3840, 2160, 3330, 285})
          .withFont(12, true, "ＭＳ ゴシック")
          .in(Frame1),
      label(lblVersion, "", {5520, 2520, 1620, 225}).withFont(9.75).in(Frame1),
      picture(imgLogo, "splash_logo.jpg", {240, 840, 1575, 2145})
          .in(Frame1)
          .spokenAs("ストリーミング　のロゴ"),
  };

  k.load = [](Runtime& rt) {
    rt.setText(ScreenId::frmSplash, lblVersion, versionLine(kMajor, kMinor, kRevision));
    rt.setText(ScreenId::frmSplash, lblProductName, caption::kApplicationTitle);
  };
  // No other screen is open then, so the program ends with it.
  k.keyPress = [](Runtime& rt) { rt.unload(ScreenId::frmSplash); };
  k.clicks[Frame1] = [](Runtime& rt) {
    rt.unload(ScreenId::frmSplash);
    rt.showModal(ScreenId::Form1);
  };
  return k;
}

}  // namespace

const ScreenKind& splash() {
  static const ScreenKind kind = build();
  return kind;
}

}  // namespace nubera::screens
