// The quick creation screen: the page set of one video from the stored site
// facts and a typed video name, written into the video folder.

#include <variant>

#include "core/cp932.h"
#include "core/fragment_table.h"
#include "core/names.h"
#include "core/page_set.h"
#include "core/site_state.h"
#include "screens/common/common.h"
#include "screens/common/player_values.h"
#include "screens/controls.h"
#include "screens/screens.h"

namespace nubera::screens {

namespace {

using enum ScreenId;
using namespace ctl::quick;

SiteState siteFacts(Runtime& rt) {
  return {.serverName = rt.text(Form4, Text1),
          .serverFolderPath = rt.text(Form4, Text2),
          .accountName = rt.text(Form4, Text4),
          .contentFolder = rt.text(Form4, Text5)};
}

// What both passes take from the screen, once the name, the site facts and the video folder
// are checked.
struct PassInputs {
  std::string video;      // as typed: the page set's file names and the pages' references
  std::string videoFile;  // the video file's name as the metafile lines give it
  SiteState site;
  std::string folder;
  FragmentTable rows;
};

// The inputs of a pass, or why it cannot run. The preview line names the server folder in the
// program folder, where the files go (the stored path may be one from before a move); the
// published address needs a server name that is a host name and the pages of a preview.
std::variant<PassInputs, std::string> passInputs(Runtime& rt, bool preview) {
  const std::string video = rt.text(Form4, Text3);
  if (auto refusal = videoNameRefusal(video)) return *refusal;
  SiteState site = siteFacts(rt);
  const FileSystem& fs = rt.files();
  for (auto [file, value] : {std::pair{SiteField::ServerName, &site.serverName},
                             {SiteField::AccountName, &site.accountName},
                             {SiteField::ContentFolder, &site.contentFolder}}) {
    if (auto problem = storedValueProblem(fs, file, *value)) return *problem;
  }
  if (!preview) {
    if (auto problem = serverNameProblem(site.serverName, false)) {
      return *problem + "\n" + siteFilePath(fs, SiteField::ServerName) +
             "\nメインメニューの「仮想サーバー作成」でサーバー名を入力し直してください。";
    }
  }
  // A Windows player reads the folder's path as it stands in the metafile.
  if (preview && fs.separator() == '\\') {
    if (auto problem = programFolderProblem(fs.programDirectory())) return *problem;
  }
  // Windows would write into a folder whose name differs in letter case, which the published
  // address would not name.
  std::string parent = fs.programDirectory();
  for (auto [file, name] : {std::pair{SiteField::ServerName, &site.serverName},
                            {SiteField::AccountName, &site.accountName},
                            {SiteField::ContentFolder, &site.contentFolder}}) {
    if (auto problem = folderNameProblem(fs, parent, *name, "保存されている名前")) {
      return *problem + "\n" + siteFilePath(fs, file) +
             "\nメインメニューの「仮想サーバー作成」で仮想サーバーを作り直してください。";
    }
    parent = fs.join(parent, *name);
  }
  const std::string folder = videoFolder(fs, site);
  if (!fs.isDirectory(folder)) {
    return "ビデオを入れるフォルダーがありません。\n" + folder +
           "\n先にメインメニューの「仮想サーバー作成」で仮想サーバーを作ってください。";
  }
  if (auto twin = pageSetTwin(fs, folder, video)) return pageSetTwinSentence(video, *twin);
  if (auto problem = pageSetAliasProblem(fs, folder, video)) return *problem;
  if (preview) {
    if (auto problem = videoFileNameProblem(fs, folder, video)) return *problem;
  } else if (const auto missing = missingPages(fs, folder, video); !missing.empty()) {
    return missingPagesSentence(video, missing, folder) +
           "このビデオ名で「保存」を押してから、「完成ボタン」を押してください。「保存」は、"
           "「戻る」を押してメインメニューに戻り、「一発　ヌベラ」でこの画面を開き直すと、"
           "また押せます。";
  }
  site.serverFolderPath = previewServerFolder(fs, site);
  return PassInputs{video, videoFileBase(fs, folder, video), site, folder,
                    fragmentsFromFields(rt, Form4, quickFragments())};
}

// "保存" is gone once pressed, so a refusal tells the way back to it.
constexpr const char* kReopenToSave =
    "\n\n保存をやり直すには、「戻る」を押してメインメニューに戻り、「一発　ヌベラ」で"
    "この画面を開き直してください。";

ScreenKind build() {
  using namespace decl;
  ScreenKind k;
  k.decl.id = Form4;
  k.decl.caption = "一発　ヌベラ";
  k.decl.clientWidth = 8625;
  k.decl.clientHeight = 4665;
  k.decl.controls = {
      picture(Image1, "quick.jpg", {1560, 360, 5955, 1365}).spokenAs("一発　ヌベラの絵"),
      label(Label1, "例：abc.rmの場合abcのみです。", {3600, 2040, 2895, 375}).withFont(9),
      label(Label3, "拡張子抜きのビデオ名", {1800, 2640, 1875, 210}).withFont(9),
      textBox(Text3, "", {3720, 2520, 1935, 375}).withFont(9).tab(0).labelledBy(Label3),
      label(Label4, "", {0, 3600, 8655, 1095}).back(colour::kBand),
      label(Label2, "御自身のPC上で動作確認し最後はこのボタンを押し完成。", {360, 3840, 2535, 615})
          .withFont(9),
      button(Command5, "完成ボタン", {3240, 3840, 1455, 495})
          .withFont(9)
          .back({255, 192, 255})
          .tab(6),
      helpButton(Command6, "?", {4920, 3840, 615, 375}, 12).tab(5),
      button(Command4, "終了", {5640, 3840, 615, 375}).withFont(9).back(colour::kGrey).tab(4),
      button(Command3, "戻る", {6240, 3840, 615, 375}).withFont(9).back(colour::kOrange).tab(3),
      button(Command1, "保存", {6840, 3840, 735, 375}).withFont(9).back(colour::kGreen).tab(1),
      button(Command2, "設定", {7800, 3840, 615, 375})
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

  k.clicks[Command1] = [](Runtime& rt) {  // 保存: the preview pass
    // A player value the page cannot hold is refused before "保存" goes, so that it can be
    // corrected on the settings screen and saved again without losing the other settings.
    const PlayerSettings player = playerValues(rt, quickPlayerLink());
    if (auto problem = playerSettingsProblem(player)) return rt.message(*problem);
    rt.setVisible(Form4, Command1, false);
    rt.setVisible(Form4, Command5, true);
    rt.setVisible(Form4, Label2, true);
    auto inputs = passInputs(rt, true);
    if (auto* refusal = std::get_if<std::string>(&inputs))
      return rt.message(*refusal + kReopenToSave);
    const auto& in = std::get<PassInputs>(inputs);
    const std::string line =
        quickPreviewLine(in.rows, in.site, in.videoFile, rt.files().separator());
    writePass(rt, pageSetFiles(rt.files(), in.folder, in.rows, in.video, line, player));
  };
  k.clicks[Command5] = [](Runtime& rt) {  // 完成ボタン: the publish pass
    auto inputs = passInputs(rt, false);
    if (auto* refusal = std::get_if<std::string>(&inputs)) return rt.message(*refusal);
    const auto& in = std::get<PassInputs>(inputs);
    writePass(rt, metafiles(rt.files(), in.folder, in.video,
                            quickPublishLine(in.rows, in.site, in.videoFile)));
  };
  k.clicks[Command2] = [](Runtime& rt) {  // 設定
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
