// The site folder screen: the account folder and the video folder under the
// server folder, and the three site facts saved.

#include "core/cp932.h"
#include "core/rules.h"
#include "core/site_layout.h"
#include "core/site_state.h"
#include "screens/common/common.h"
#include "screens/controls.h"
#include "screens/screens.h"

namespace nubera::screens {

namespace {

using enum ScreenId;
using namespace ctl::siteFolder;

// 作成: the account folder and the video folder under the server folder, and the three site
// facts saved; nothing made where any of them is refused.
void create(Runtime& rt) {
  const std::string server = rt.text(Form3, Text4);
  const std::string account = cp932::windowsForm(rt.text(Form3, Text1));
  const std::string folder = cp932::windowsForm(rt.text(Form3, Text2));
  const std::string serverPath = rt.text(Form3, Text3);
  FileSystem& fs = rt.files();
  const auto [serverFolder, accountFolder, videoFolder] = siteFolders(fs, server, account, folder);
  const Message noServer(MessageId::NoServerFolder, {serverFolder});
  if (server.empty()) return rt.message(noServer);
  // The server name comes from out01.dat, which may have been edited or damaged.
  if (auto refusal = serverNameRefusal(fs, server, ServerNameUse::Site, Origin::Stored)) {
    return rt.message(*refusal);
  }
  if (!fs.isDirectory(serverFolder)) return rt.message(noServer);
  if (auto refusal = accountRefusal(fs, serverFolder, account)) return rt.message(*refusal);
  if (auto refusal = videoFolderRefusal(fs, accountFolder, folder)) return rt.message(*refusal);
  // The server folder's path is stored in nout04.dat: it must fit before anything is made.
  if (auto refusal = programFolderRefusal(fs, kSiteLevels, true)) {
    return rt.message(*refusal);
  }
  // Another copy of the program may have saved another server name since this screen opened:
  // the folders and the state files would then describe a site that does not exist.
  if (const std::string now = readSiteField(fs, SiteField::ServerName); now != server) {
    return rt.message(Message(MessageId::ServerNameChanged,
                              {server, now, siteFilePath(fs, SiteField::ServerName)}));
  }
  // Folders that are there already are used as they are; what is missing is made.
  if (!fs.isDirectory(accountFolder)) fs.makeDirectory(accountFolder);
  if (!fs.isDirectory(videoFolder)) fs.makeDirectory(videoFolder);
  writeSiteField(fs, SiteField::AccountName, account);
  writeSiteField(fs, SiteField::ContentFolder, folder);
  writeSiteField(fs, SiteField::ServerFolderPath, serverPath);
  rt.message(Message(MessageId::Saved));
}

ScreenKind build() {
  using namespace decl;
  ScreenKind k;
  k.decl.id = Form3;
  k.decl.caption = "仮想サーバー②";
  k.decl.clientWidth = 9120;
  k.decl.clientHeight = 4920;
  const Rgb blue = colour::kBlue;
  k.decl.controls = {
      label(Label7, "仮想サーバー②", {360, 120, 4215, 615}).withFont(24),
      label(Label1, "サーバーに与えられた貴方のアドレス（yahooの場合ID）名記入、フォルダー作成。",
            {3000, 840, 2775, 735})
          .withFont(9),
      label(Label2, "ｈｔｍ、ビデオファイル、ramファイルを入れるフォルダー名記入作成。[何でも結構]",
            {6120, 840, 2775, 735})
          .withFont(9),
      label(Label9, "例：サーバー名", {240, 1800, 2415, 255}).withFont(11.25).fore(blue),
      label(Label10, "例：vudezur", {3000, 1800, 2415, 255}).withFont(11.25).fore(blue),
      label(Label11, "例：tolford", {6120, 1800, 2415, 255}).withFont(11.25).fore(blue),
      label(Label3, "example.ne.jp", {240, 2280, 2415, 375}).withFont(14.25),
      line(Line1, {2655, 2460, 345, 0}),
      // The server the row starts from, and the example above the field.
      textBox(Text1, "", {3000, 2280, 2415, 375})
          .withFont(11.25, false)
          .tab(0)
          .labelledBy(Label1)
          .explainedBy(Label3)
          .explainedBy(Label10),
      line(Line2, {5415, 2460, 705, 0}),
      textBox(Text2, "", {6120, 2280, 2415, 375})
          .withFont(11.25, false)
          .tab(1)
          .labelledBy(Label2)
          .explainedBy(Label11),
      field(Text4, ""),
      field(Text3, ""),
      label(Label4, "", {0, 3360, 9135, 1575}).back(colour::kBand),
      helpButton(Command3, "?", {6240, 3960, 615, 375}, 12).tab(4),
      button(Command1, caption::kCreate, {6960, 3960, 855, 375})
          .withFont(9)
          .back(colour::kGreen)
          .tab(2),
      button(Command2, caption::kEnd, {7920, 3960, 855, 375})
          .withFont(9)
          .back(colour::kGrey)
          .tab(3),
  };

  k.load = [](Runtime& rt) {
    readSiteFields(rt, Form3,
                   {{Text4, SiteField::ServerName},
                    {Text1, SiteField::AccountName},
                    {Text2, SiteField::ContentFolder}});
    const FileSystem& fs = rt.files();
    rt.setText(Form3, Text3, siteFolders(fs, rt.text(Form3, Text4), "", "").server);
  };

  k.clicks[Command1] = create;
  k.clicks[Command2] = [](Runtime& rt) {  // 終了
    rt.show(Form1);
    rt.unload(Form2);
    rt.unload(Form3);
    rt.unload(Form4);
  };
  k.clicks[Command3] = [](Runtime& rt) { rt.help(Form3); };
  return k;
}

}  // namespace

const ScreenKind& siteFolder() {
  static const ScreenKind kind = build();
  return kind;
}

}  // namespace nubera::screens
