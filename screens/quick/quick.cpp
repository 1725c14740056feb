// The quick creation screen: the page set of one video from the stored site
// facts and a typed video name, written into the video folder.

#include "core/page_set.h"
#include "core/site_layout.h"
#include "screens/common/common.h"
#include "screens/common/page_set_road.h"
#include "screens/common/player_values.h"
#include "screens/controls.h"
#include "screens/screens.h"

namespace nubera::screens {

namespace {

using enum ScreenId;
using namespace ctl::quick;

// The page set goes into the video folder of the site facts read at load, which name it and
// its published address; the preview line names the server folder in the program folder, where
// the files go (the stored path may be one from before a move).
std::variant<PageSetPlace, Message> place(Runtime& rt, Pass pass) {
  SiteState site{.serverName = rt.text(Form4, Text1),
                 .serverFolderPath = rt.text(Form4, Text2),
                 .accountName = rt.text(Form4, Text4),
                 .contentFolder = rt.text(Form4, Text5)};
  const FileSystem& fs = rt.files();
  const auto use = pass == Pass::Publish ? ServerNameUse::Site : ServerNameUse::Folder;
  const SiteFolders at = siteFolders(fs, site.serverName, site.accountName, site.contentFolder);
  if (auto refusal = serverNameRefusal(fs, site.serverName, use, Origin::Stored)) return *refusal;
  if (auto refusal = accountRefusal(fs, at.server, site.accountName, Origin::Stored)) {
    return *refusal;
  }
  if (auto refusal = videoFolderRefusal(fs, at.account, site.contentFolder, Origin::Stored)) {
    return *refusal;
  }
  const std::string& folder = at.video;
  if (!fs.isDirectory(folder)) {
    return Message(MessageId::NoVideoFolder, {folder});
  }
  site.serverFolderPath = previewServerFolder(fs, site);
  const FragmentTable rows = fragmentsFromFields(rt, Form4, quickFragments());
  return PageSetPlace{folder, rows,
                      [rows, site, windows = fs.isWindows()](Pass p, const std::string& file) {
                        return p == Pass::Preview ? quickPreviewLine(rows, site, file, windows)
                                                  : quickPublishLine(rows, site, file);
                      }};
}

const PageSetRoad& road() {
  static const PageSetRoad road{
      .screen = Form4,
      .videoName = Text3,
      .player = quickPlayerLink(),
      .levels = kSiteLevels,
      .place = place,
      .pressed =
          [](Runtime& rt) {
            rt.setVisible(Form4, Command1, false);
            rt.setVisible(Form4, Command5, true);
            rt.setVisible(Form4, Label2, true);
          },
      // "保存" is gone once pressed, so every failure of it tells the way back.
      .previewAgain = Message(MessageId::ReopenToSave),
      .previewFirst = Message(MessageId::PreviewFirstQuick).then(MessageId::ReopenToSave),
  };
  return road;
}

ScreenKind build() {
  using namespace decl;
  ScreenKind k;
  k.decl.id = Form4;
  k.decl.caption = caption::kQuick;
  k.decl.clientWidth = 8625;
  k.decl.clientHeight = 4665;
  k.decl.controls = {
      picture(Image1, "quick.jpg", {1560, 360, 5955, 1365}).spokenAs("一発　ヌベラの絵"),
      label(Label1, "例：abc.rmの場合abcのみです。", {3600, 2040, 2895, 375}).withFont(9),
      label(Label3, "拡張子抜きのビデオ名", {1800, 2640, 1875, 210}).withFont(9),
      textBox(Text3, "", {3720, 2520, 1935, 375})
          .withFont(9)
          .tab(0)
          .labelledBy(Label3)
          .explainedBy(Label1),
      label(Label4, "", {0, 3600, 8655, 1095}).back(colour::kBand),
      label(Label2, "御自身のPC上で動作確認し最後はこのボタンを押し完成。", {360, 3840, 2535, 615})
          .withFont(9),
      button(Command5, caption::kPublishQuick, {3240, 3840, 1455, 495})
          .withFont(9)
          .back({255, 192, 255})
          .tab(6)
          .takesFocusWhenShown()
          .explainedBy(Label2),
      helpButton(Command6, "?", {4920, 3840, 615, 375}, 12).tab(5),
      button(Command4, "終了", {5640, 3840, 615, 375}).withFont(9).back(colour::kGrey).tab(4),
      button(Command3, caption::kBack, {6240, 3840, 615, 375})
          .withFont(9)
          .back(colour::kOrange)
          .tab(3),
      button(Command1, caption::kSave, {6840, 3840, 735, 375})
          .withFont(9)
          .back(colour::kGreen)
          .tab(1),
      button(Command2, caption::kSettings, {7800, 3840, 615, 375})
          .withFont(9)
          .back(colour::kLightYellow)
          .tab(2),
      field(Text1, "Text1"),
      field(Text2, "Text2"),
      field(Text4, "Text4"),
      field(Text5, "Text5"),
      field(Text171, ""),
      field(Text161, ""),
      field(Text211, ""),
      field(Text151, "CENTER"),
  };
  addFragmentFields(k.decl, quickFragments());

  k.load = [](Runtime& rt) {
    pullPlayerValuesAtLoad(rt, quickPlayerLink());
    rt.setVisible(Form4, Command5, false);
    rt.setVisible(Form4, Label2, false);
    readSiteFields(rt, Form4,
                   {{Text1, SiteField::ServerName},
                    {Text2, SiteField::ServerFolderPath},
                    {Text4, SiteField::AccountName},
                    {Text5, SiteField::ContentFolder}});
  };

  k.clicks[Command1] = [](Runtime& rt) { runPass(rt, road(), Pass::Preview); };  // 保存
  k.clicks[Command5] = [](Runtime& rt) { runPass(rt, road(), Pass::Publish); };  // 完成ボタン
  k.clicks[Command2] = [](Runtime& rt) {                                         // 設定
    unloadAll(rt, {Form2, Form3});
    rt.show(Form4);
    rt.show(Form5);
  };
  k.clicks[Command3] = [](Runtime& rt) {  // 戻る
    rt.show(Form1);
    unloadAll(rt, {Form2, Form3, Form4, Form5});
  };
  k.clicks[Command4] = [](Runtime& rt) {  // 終了
    rt.unload(Form4);
    rt.endProgram();
  };
  k.clicks[Command6] = [](Runtime& rt) { rt.help(Form4); };

  addPlayerPulls(k, quickPlayerLink());
  return k;
}

}  // namespace

const ScreenKind& quick() {
  static const ScreenKind kind = build();
  return kind;
}

}  // namespace nubera::screens
