// The main menu: opens one working area at a time, closing itself and the
// screens of the other areas.

#include "screens/common/common.h"
#include "screens/controls.h"
#include "screens/screens.h"

namespace nubera::screens {

namespace {

using enum ScreenId;
using namespace ctl::menu;

ScreenKind build() {
  using namespace decl;
  ScreenKind k;
  k.decl.id = Form1;
  k.decl.caption = "ソラトーン　ヌベラ";
  k.decl.clientWidth = 5640;
  k.decl.clientHeight = 5430;
  k.decl.placement = Placement::Centred;
  k.decl.controls = {
      label(Label1, "選択", {1320, 120, 2895, 615}).withFont(21.75),
      label(Label2, "簡単メニュー", {240, 840, 2175, 405}).withFont(18).back({0, 255, 255}),
      button(Command2, caption::kServerFolder, {1440, 1320, 2775, 615})
          .withFont(9)
          .back(colour::kLightYellow)
          .tab(0)
          .explainedBy(Label2),
      button(Command1, caption::kQuick, {1440, 1920, 2775, 615})
          .withFont(9)
          .back(colour::kPink)
          .tab(1)
          .explainedBy(Label2),
      label(Label3, "詳細メニュー", {240, 2760, 2175, 405}).withFont(18).back({255, 128, 128}),
      button(Command5, "詳細作成", {1440, 3240, 2775, 615})
          .withFont(14.25)
          .back({0, 192, 0})
          .tab(2)
          .explainedBy(Label3),
      label(Label4, "", {0, 4320, 5655, 1095}).back(colour::kBand),
      button(Command3, "終了", {1440, 4560, 2775, 615}).withFont(9).back(colour::kGrey).tab(3),
      helpButton(Command4, "? ", {4920, 4560, 495, 495}, 14.25).tab(4),
  };

  k.clicks[Command1] = [](Runtime& rt) {  // 一発　ヌベラ
    unloadAll(rt, {Form1, Form2, Form3});
    rt.show(Form4);  // its load creates Form5, hidden
    unloadAll(rt, {Form5, Form6});
  };
  k.clicks[Command2] = [](Runtime& rt) {  // 仮想サーバー作成
    rt.unload(Form1);
    rt.show(Form2);
    unloadAll(rt, {Form3, Form4, Form5, Form6});
  };
  k.clicks[Command5] = [](Runtime& rt) {  // 詳細作成
    unloadAll(rt, {Form1, Form2, Form3, Form4, Form5});
    rt.show(Form6);  // its load creates Form7, hidden, which stays
  };
  k.clicks[Command3] = [](Runtime& rt) {  // 終了
    rt.unload(Form1);
    rt.endProgram();
  };
  k.clicks[Command4] = [](Runtime& rt) { rt.help(Form1); };
  return k;
}

}  // namespace

const ScreenKind& menu() {
  static const ScreenKind kind = build();
  return kind;
}

}  // namespace nubera::screens
