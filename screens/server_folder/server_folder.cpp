// The server folder screen: the top folder of the virtual server, named after
// the web server, and its name saved in out01.dat.

#include "core/cp932.h"
#include "core/rules.h"
#include "core/site_state.h"
#include "screens/common/common.h"
#include "screens/controls.h"
#include "screens/screens.h"

namespace nubera::screens {

namespace {

using enum ScreenId;
using namespace ctl::serverFolder;

ScreenKind build() {
  using namespace decl;
  ScreenKind k;
  k.decl.id = Form2;
  k.decl.caption = "サーバー（フォルダー作成①）";
  k.decl.clientWidth = 6360;
  k.decl.clientHeight = 3840;
  k.decl.controls = {
      label(Label2, "仮想サーバー①", {360, 240, 4215, 615}).withFont(24),
      label(Label3, "例：www.example.ne.jp", {2880, 1080, 3015, 255})
          .withFont(11.25)
          .fore(colour::kBlue),
      label(Label1, "あなたのサーバー名記入", {360, 1560, 2415, 255}).withFont(9),
      textBox(Text1, "", {2880, 1440, 3015, 375})
          .withFont(11.25, false)
          .tab(0)
          .labelledBy(Label1)
          .explainedBy(Label3),
      label(Label4, "", {0, 2640, 6375, 1215}).back(colour::kBand),
      helpButton(Command3, "?", {3720, 3000, 615, 375}, 12).tab(3),
      button(Command1, caption::kCreate, {4440, 3000, 735, 375})
          .withFont(9)
          .back(colour::kGreen)
          .tab(1),
      button(Command2, "次", {5280, 3000, 735, 375}).withFont(9).back(colour::kPink).tab(2),
  };

  k.load = [](Runtime& rt) { readSiteFields(rt, Form2, {{Text1, SiteField::ServerName}}); };

  k.clicks[Command1] = [](Runtime& rt) {  // 作成
    // A name typed as a Linux input method types it is stored in its Windows form.
    const std::string name = cp932::windowsForm(rt.text(Form2, Text1));
    FileSystem& fs = rt.files();
    // The folder's path is stored by the next screen: it must come back the same.
    for (const Refusal& refusal : {serverNameRefusal(fs, name, ServerNameUse::Site),
                                   programFolderRefusal(fs, kSiteLevels, true)}) {
      if (refusal) return rt.message(*refusal);
    }
    // A folder that is there already is used as it is, so the name can be saved again.
    const std::string folder = siteFolders(fs, name, "", "").server;
    if (!fs.isDirectory(folder)) fs.makeDirectory(folder);
    writeSiteField(fs, SiteField::ServerName, name);
    rt.message(Message(MessageId::Saved));
    rt.message(Message(MessageId::Done));
  };
  k.clicks[Command2] = [](Runtime& rt) {  // 次
    rt.unload(Form1);
    rt.hide(Form2);
    rt.show(Form3);
    rt.unload(Form4);
  };
  k.clicks[Command3] = [](Runtime& rt) { rt.help(Form2); };
  return k;
}

}  // namespace

const ScreenKind& serverFolder() {
  static const ScreenKind kind = build();
  return kind;
}

}  // namespace nubera::screens
