// The detailed creation screen: the page set of one video from a typed server
// name, video address and video name, written into the program directory.

#include "core/page_set.h"
#include "screens/common/common.h"
#include "screens/common/page_set_road.h"
#include "screens/common/player_values.h"
#include "screens/controls.h"
#include "screens/screens.h"

namespace nubera::screens {

namespace {

using enum ScreenId;
using namespace ctl::detailed;

// The page set goes into the program folder; its published address is the typed server name
// and video address, which only a whole address may be. The preview needs neither, but refuses
// one typed that the publish would refuse; an empty one is asked for when it is needed.
std::variant<PageSetPlace, Message> place(Runtime& rt, Pass pass) {
  const FileSystem& fs = rt.files();
  const std::string server = rt.text(Form6, Text1);
  const std::string address = rt.text(Form6, Text2);
  const bool publish = pass == Pass::Publish;
  if (publish || !server.empty()) {
    if (auto refusal = serverNameRefusal(fs, server, ServerNameUse::Host)) return *refusal;
  }
  if (publish || !address.empty()) {
    if (auto refusal = videoAddressRefusal(address)) return *refusal;
  }
  const FragmentTable rows = fragmentsFromFields(rt, Form6, detailedFragments());
  return PageSetPlace{
      fs.programDirectory(), quickRowsFromDetailed(rows),
      [=, dir = fs.programDirectory(), windows = fs.isWindows()](Pass p, const std::string& file) {
        return p == Pass::Preview ? detailedPreviewLine(rows, dir, file, windows)
                                  : detailedPublishLine(rows, server, address, file);
      }};
}

const PageSetRoad& road() {
  static const PageSetRoad road{
      .screen = Form6,
      .videoName = Text3,
      .player = detailedPlayerLink(),
      .levels = 0,
      .place = place,
      .pressed =
          [](Runtime& rt) {
            rt.setVisible(Form6, Command5, true);
            rt.setVisible(Form6, Label9, true);
          },
      .previewAgain = std::nullopt,
      .previewFirst = Message(MessageId::PreviewFirstDetailed),
  };
  return road;
}

ScreenKind build() {
  using namespace decl;
  ScreenKind k;
  k.decl.id = Form6;
  k.decl.caption = "詳細作成";
  k.decl.clientWidth = 7710;
  k.decl.clientHeight = 5310;
  const Rgb blue = colour::kBlue;
  k.decl.controls = {
      label(Label1, "詳細作成", {1440, 240, 4215, 615}).withFont(24).fore(blue),
      label(Label5, "例：abc.ne.jp", {4680, 1320, 1695, 255}).withFont(11.25).fore(blue),
      label(Label2, "貴方のインターネットサーバー名記入", {120, 1800, 3090, 210}).withFont(9),
      textBox(Text1, "", {4560, 1680, 2055, 375}).tab(0).labelledBy(Label2).explainedBy(Label5),
      label(Label6, "例：/user name/hoge/video/", {2400, 2280, 3495, 255})
          .withFont(11.25)
          .fore(blue),
      label(Label3, "ビデオまでのアドレス", {120, 2640, 2055, 255}).withFont(9),
      textBox(Text2, "/", {2280, 2640, 5295, 375}).tab(1).labelledBy(Label3).explainedBy(Label6),
      label(Label7, "例：abc.rmはabcと記入", {2400, 3240, 2655, 255}).withFont(11.25).fore(blue),
      label(Label4, "拡張子ぬきビデオ名記入", {120, 3600, 1695, 615}).withFont(9),
      textBox(Text3, "", {2280, 3600, 2655, 375}).tab(2).labelledBy(Label4).explainedBy(Label7),
      label(Label8, "", {0, 4320, 7695, 1215}).back(colour::kBand),
      label(Label9, "PC上で確認した後、完成ボタンを押してください。", {120, 4560, 1575, 735})
          .withFont(9),
      button(Command5, caption::kPublish, {1800, 4680, 1095, 375})
          .withFont(9)
          .back(colour::kPink)
          .tab(7)
          .takesFocusWhenShown()
          .explainedBy(Label9),
      helpButton(Command4, "？", {4080, 4680, 495, 375}, 14.25).tab(6),
      button(Command6, caption::kBack, {5280, 4680, 495, 375})
          .withFont(9)
          .back(colour::kOrange)
          .tab(8),
      button(Command3, "終了", {5760, 4680, 495, 375}).withFont(9).back(colour::kGrey).tab(5),
      button(Command1, caption::kCreate, {6240, 4680, 495, 375})
          .withFont(9)
          .back(colour::kGreen)
          .tab(3),
      button(Command2, caption::kSettings, {6720, 4680, 495, 375})
          .withFont(9)
          .back(colour::kYellow)
          .tab(4),
      field(Text15, ""),
      field(Text13, "Text13"),
      field(Text20, "Text20"),
      field(Text35, "Text35"),
  };
  addFragmentFields(k.decl, detailedFragments());

  k.load = [](Runtime& rt) {
    pullPlayerValuesAtLoad(rt, detailedPlayerLink());
    rt.setVisible(Form6, Command5, false);
    rt.setVisible(Form6, Label9, false);
  };

  k.clicks[Command1] = [](Runtime& rt) { runPass(rt, road(), Pass::Preview); };  // 作成
  k.clicks[Command5] = [](Runtime& rt) { runPass(rt, road(), Pass::Publish); };  // 完成
  k.clicks[Command2] = [](Runtime& rt) {                                         // 設定
    unloadAll(rt, {Form1, Form2, Form3, Form4, Form5});
    rt.show(Form6);
    rt.show(Form7);
  };
  k.clicks[Command6] = [](Runtime& rt) {  // 戻る
    rt.show(Form1);
    unloadAll(rt, {Form2, Form3, Form4, Form5, Form6, Form7});
  };
  k.clicks[Command3] = [](Runtime& rt) {  // 終了
    rt.unload(Form6);
    rt.endProgram();
  };
  // Closed through its window frame, the screen ends the program as "終了" does, also while
  // its settings screen is shown: that screen alone could only lead back to a detailed
  // creation screen that never received the alignment.
  k.close = k.clicks[Command3];
  k.clicks[Command4] = [](Runtime& rt) { rt.help(Form6); };

  addPlayerPulls(k, detailedPlayerLink());
  return k;
}

}  // namespace

const ScreenKind& detailed() {
  static const ScreenKind kind = build();
  return kind;
}

}  // namespace nubera::screens
