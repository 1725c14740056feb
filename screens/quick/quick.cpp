// The quick creation screen: the page set of one video from the stored site
// facts and a typed video name, written into the video folder.

#include "core/fragment_table.h"
#include "core/page_set.h"
#include "core/site_state.h"
#include "screens/common/common.h"
#include "screens/screens.h"

namespace nubera::screens {

namespace {

using enum ScreenId;

SiteState siteFacts(Runtime& rt) {
  return {.serverName = rt.text(Form4, "Text1"),
          .serverFolderPath = rt.text(Form4, "Text2"),
          .accountName = rt.text(Form4, "Text4"),
          .contentFolder = rt.text(Form4, "Text5")};
}

PlayerSettings playerValues(Runtime& rt) {
  return {.width = rt.text(Form4, "Text171"),
          .height = rt.text(Form4, "Text161"),
          .autostart = rt.text(Form4, "Text211"),
          .alignment = rt.text(Form4, "Text151")};
}

// The video folder, or nullopt after telling the user that the virtual server is missing.
// Empty site facts mean no virtual server was built, even where the joined path would
// collapse onto the program directory.
std::optional<std::string> existingVideoFolder(Runtime& rt, const SiteState& site) {
  const std::string folder = videoFolder(rt.files(), site);
  if (site.serverName.empty() || site.accountName.empty() || site.contentFolder.empty() ||
      !rt.files().isDirectory(folder)) {
    rt.message("ビデオを入れるフォルダーがありません。\n" + folder +
               "\n先にメインメニューの「仮想サーバー作成」で仮想サーバーを作ってください。");
    return std::nullopt;
  }
  return folder;
}

// What both passes take from the screen, once the name and the video folder are checked.
struct PassInputs {
  std::string video;
  SiteState site;
  std::string folder;
  FragmentTable rows;
};

std::optional<PassInputs> passInputs(Runtime& rt) {
  const std::string video = rt.text(Form4, "Text3");
  if (!videoNameAccepted(rt, video)) return std::nullopt;
  const SiteState site = siteFacts(rt);
  auto folder = existingVideoFolder(rt, site);
  if (!folder) return std::nullopt;
  return PassInputs{video, site, *folder, fragmentsFromFields(rt, Form4, quickFragments())};
}

ScreenKind build() {
  using namespace decl;
  ScreenKind k;
  k.decl.id = Form4;
  k.decl.caption = "一発　ヌベラ";
  k.decl.clientWidth = 8625;
  k.decl.clientHeight = 4665;
  k.decl.controls = {
      picture("Image1", "quick.jpg", {1560, 360, 5955, 1365}),
      label("Label1", "例：abc.rmの場合abcのみです。", {3600, 2040, 2175, 375}).withFont(9),
      label("Label3", "拡張子抜きのビデオ名", {1800, 2640, 1875, 180}).withFont(9),
      textBox("Text3", "", {3720, 2520, 1935, 375}).withFont(9).tab(0),
      label("Label4", "", {0, 3600, 8655, 1095}).back(colour::kBand),
      label("Label2", "御自身のPC上で動作確認し最後はこのボタンを押し完成。",
            {360, 3840, 2535, 615})
          .withFont(9),
      button("Command5", "完成ボタン", {3240, 3840, 1455, 495})
          .withFont(9)
          .back({255, 192, 255})
          .tab(6),
      button("Command6", "?", {4920, 3840, 615, 375}).withFont(12).back(colour::kYellow).tab(5),
      button("Command4", "終了", {5640, 3840, 615, 375}).withFont(9).back(colour::kGrey).tab(4),
      button("Command3", "戻る", {6240, 3840, 615, 375}).withFont(9).back(colour::kOrange).tab(3),
      button("Command1", "保存", {6840, 3840, 735, 375}).withFont(9).back(colour::kGreen).tab(1),
      button("Command2", "設定", {7800, 3840, 615, 375})
          .withFont(9)
          .back(colour::kLightYellow)
          .tab(2),
      field("Text1", "Text1"),
      field("Text2", "Text2"),
      field("Text4", "Text4"),
      field("Text5", "Text5"),
      field("Text171", ""),
      field("Text161", ""),
      field("Text211", ""),
      field("Text151", "CENTER"),
  };
  addFragmentFields(k.decl, quickFragments());

  k.load = [](Runtime& rt) {
    rt.setText(Form4, "Text211", rt.text(Form5, "Text17"));
    rt.setText(Form4, "Text171", rt.text(Form5, "Text12"));
    rt.setText(Form4, "Text161", rt.text(Form5, "Text14"));
    rt.setVisible(Form4, "Command5", false);
    rt.setVisible(Form4, "Label2", false);
    readSiteFieldInto(rt, Form4, "Text1", SiteField::ServerName);
    readSiteFieldInto(rt, Form4, "Text2", SiteField::ServerFolderPath);
    readSiteFieldInto(rt, Form4, "Text4", SiteField::AccountName);
    readSiteFieldInto(rt, Form4, "Text5", SiteField::ContentFolder);
  };

  k.clicks["Command1"] = [](Runtime& rt) {  // 保存: the preview pass
    rt.setVisible(Form4, "Command1", false);
    rt.setVisible(Form4, "Command5", true);
    rt.setVisible(Form4, "Label2", true);
    auto in = passInputs(rt);
    if (!in) return;
    const std::string line =
        quickPreviewLine(in->rows, in->site, in->video, rt.files().separator());
    writePass(rt,
              pageSetFiles(rt.files(), in->folder, in->rows, in->video, line, playerValues(rt)));
  };
  k.clicks["Command5"] = [](Runtime& rt) {  // 完成ボタン: the publish pass
    auto in = passInputs(rt);
    if (!in) return;
    writePass(rt, metafiles(rt.files(), in->folder, in->video,
                            quickPublishLine(in->rows, in->site, in->video)));
  };
  k.clicks["Command2"] = [](Runtime& rt) {  // 設定
    unloadAll(rt, {Form2, Form3});
    rt.show(Form4);
    rt.show(Form5);
  };
  k.clicks["Command3"] = [](Runtime& rt) {  // 戻る
    rt.show(Form1);
    unloadAll(rt, {Form2, Form3, Form4, Form5});
  };
  k.clicks["Command4"] = [](Runtime& rt) {  // 終了
    rt.unload(Form4);
    rt.endProgram();
  };
  k.clicks["Command6"] = [](Runtime& rt) { rt.help(Form4); };

  // The player fields always equal the settings screen's: any other text is replaced at once.
  for (auto [here, there] : {std::pair{"Text151", "Text1"},
                             {"Text161", "Text14"},
                             {"Text171", "Text12"},
                             {"Text211", "Text17"}}) {
    k.changes[here] = [here, there](Runtime& rt) {
      rt.setText(Form4, here, rt.text(Form5, there));
    };
  }
  return k;
}

}  // namespace

const ScreenKind& quick() {
  static const ScreenKind kind = build();
  return kind;
}

}  // namespace nubera::screens
