#include "screens/common/settings_screen.h"

#include "screens/common/common.h"
#include "screens/controls.h"
#include "ui/runtime.h"

namespace nubera::screens {

namespace {

using namespace ctl::settings;

// A red "■" that chooses the alignment it is named for: by a click, or from the keyboard as an
// option group with its neighbours (the arrows move among them and choose, Space chooses); the
// one whose value the alignment holds is shown chosen.
ControlDecl marker(ControlName name, Rect r, std::string caption, std::string alignment) {
  return decl::label(name, "■", r)
      .withFont(12)
      .fore(colour::kRed)
      .tab(3)
      .inGroup(caption::kAlignment)
      .chooses(Text1, std::move(alignment))
      .spokenAs(caption)
      .describedAs("位置を" + caption + "にします。矢印キーでほかの位置に移ります。");
}

std::vector<ControlDecl> controls(const SettingsLayout& at, const std::string& alignmentText) {
  using namespace decl;
  return {
      label(Label6, "①", at.Label6).withFont(18, true, "ＭＳ ゴシック"),
      picture(Image1, "settings.jpg", at.Image1).spokenAs("プレーヤーの大きさの絵"),
      label(Label4, caption::kWidth, at.Label4).withFont(9),
      textBox(Text12, "320", at.Text12).numbers().tab(0).labelledBy(Label4).explainedBy(Label7),
      textBox(Text14, "304", at.Text14).numbers().tab(1).labelledBy(Label5),
      label(Label5, caption::kHeight, at.Label5).withFont(9),
      frame(Frame1, "大きさ", at.Frame1).withFont(9),
      label(Label7,
            "160、320、480、640　他いろいろサイズがあります。幅に数値を入れると自動で高さが決まりま"
            "す。",
            at.Label7)
          .withFont(9)
          .in(Frame1),
      textBox(Text1, alignmentText, at.Text1)
          .tab(2)
          .labelledBy(Label12)
          .describedAs("center（中心）、left（左）、right（右）のどれかを入力します。"),
      label(Label12, caption::kAlignment, at.Label12).withFont(9),
      marker(Label2, at.Label2, "左", std::string(PlayerWords::kLeft)),
      marker(Label1, at.Label1, "中心", std::string(PlayerWords::kCenter)),
      marker(Label8, at.Label8, "右", std::string(PlayerWords::kRight)),
      label(Label10, "左", at.Label10).withFont(9),
      label(Label9, "中心", at.Label9).withFont(9),
      label(Label11, "右", at.Label11).withFont(9),
      label(Label3, caption::kAutostart, at.Label3).withFont(9),
      option(Option1, "オン", at.Option1).withFont(9).tab(4).labelledBy(Label3),
      option(Option2, "オフ", at.Option2).withFont(9).tab(5).labelledBy(Label3),
      // Beside the option group of the same caption: called by what it holds.
      textBox(Text17, std::string(PlayerWords::kOn), at.Text17)
          .tab(6)
          .spokenAs("オート起動の値")
          .describedAs("true（オン）か false（オフ）を入力します。"),
      label(Label13, "", at.Label13).back(colour::kBand),
      button(Command1, caption::kBack, at.Command1).withFont(9).back(colour::kOrange).tab(7),
      helpButton(Command2, "?", at.Command2, 12).tab(8),
  };
}

void addHandlers(ScreenKind& k, const SettingsTarget& t) {
  const PlayerLink& link = t.link;
  const ScreenId self = link.settings;
  k.load = [self, option = t.optionAtLoad](Runtime& rt) {
    rt.setText(self, Text1, std::string(PlayerWords::kCenter));
    rt.setText(self, Text12, "320");
    rt.setText(self, Text14, "");
    rt.setText(self, Text17, std::string(PlayerWords::kOn));
    rt.choose(self, option);
  };
  // Every change of a value goes to the creation screen at once; a typed height is put back
  // at once, for the height only ever follows the width.
  for (const PlayerRow& row : kPlayerRows) {
    const bool size = row.value == PlayerValue::Width || row.value == PlayerValue::Height;
    k.changes[row.settings] = [&link, value = row.value, size](Runtime& rt) {
      pushPlayerValue(rt, link, value);
      if (size) followWidth(rt, link.settings);
    };
  }

  // Each marker sets the alignment it is declared to choose.
  for (const ControlDecl& c : k.decl.controls) {
    if (c.choiceField != Text1) continue;
    k.clicks[c.name] = [self, marker = c.name, alignment = c.choiceValue](Runtime& rt) {
      rt.setText(self, marker, "■");
      rt.setText(self, Text1, alignment);
    };
  }
  for (auto [button, autostart] :
       {std::pair{Option1, PlayerWords::kOn}, {Option2, PlayerWords::kOff}}) {
    k.clicks[button] = [self, button, autostart](Runtime& rt) {
      rt.choose(self, button);
      rt.setText(self, Text17, std::string(autostart));
    };
  }
  k.clicks[Command2] = [self](Runtime& rt) { rt.help(self); };
}

}  // namespace

void buildSettingsScreen(ScreenKind& kind, const SettingsLayout& at, const SettingsTarget& target) {
  kind.decl.controls = controls(at, target.alignmentText);
  addHandlers(kind, target);
}

}  // namespace nubera::screens
