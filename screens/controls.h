#pragma once
// The names of every screen's controls, each written once here. The declarations and the
// handlers use these constants, so a misspelt name does not compile. The fragment rows' hidden
// fields are named by their tables.

#include "ui/screen_decl.h"

namespace nubera::screens::ctl {

// The start-up screen (frmSplash).
namespace splash {
NUBERA_CONTROL(Frame1);          // the clickable area: a click on its free part opens the main menu
NUBERA_CONTROL(Label1);          // the supported systems
NUBERA_CONTROL(Label2);          // the edition line
NUBERA_CONTROL(imgLogo);         // the logo
NUBERA_CONTROL(lblProductName);  // the application title, set at load
NUBERA_CONTROL(lblVersion);      // the version line, set at load
}  // namespace splash

// The main menu (Form1).
namespace menu {
NUBERA_CONTROL(Label1);    // "選択", the heading
NUBERA_CONTROL(Label2);    // "簡単メニュー", heading of the quick group
NUBERA_CONTROL(Label3);    // "詳細メニュー", heading of the detailed group
NUBERA_CONTROL(Label4);    // the band along the bottom
NUBERA_CONTROL(Command1);  // "一発　ヌベラ": the quick creation screen
NUBERA_CONTROL(Command2);  // "仮想サーバー作成": the server folder screen
NUBERA_CONTROL(Command3);  // "終了"
NUBERA_CONTROL(Command4);  // "? ": help
NUBERA_CONTROL(Command5);  // "詳細作成": the detailed creation screen
}  // namespace menu

// The server folder screen (Form2).
namespace serverFolder {
NUBERA_CONTROL(Label1);    // prompt of the server name
NUBERA_CONTROL(Label2);    // the banner
NUBERA_CONTROL(Label3);    // the example host name
NUBERA_CONTROL(Label4);    // the band behind the buttons
NUBERA_CONTROL(Text1);     // the server name (serverName)
NUBERA_CONTROL(Command1);  // "作成": makes the server folder, saves out01.dat
NUBERA_CONTROL(Command2);  // "次": the site folder screen
NUBERA_CONTROL(Command3);  // "?": help
}  // namespace serverFolder

// The site folder screen (Form3).
namespace siteFolder {
NUBERA_CONTROL(Label1);    // prompt above the account column
NUBERA_CONTROL(Label2);    // prompt above the folder column
NUBERA_CONTROL(Label3);    // the sample host name at the head of the row
NUBERA_CONTROL(Label4);    // the band behind the buttons
NUBERA_CONTROL(Label7);    // the banner
NUBERA_CONTROL(Label9);    // heading of the server column
NUBERA_CONTROL(Label10);   // example above Text1
NUBERA_CONTROL(Label11);   // example above Text2
NUBERA_CONTROL(Line1);     // joins Label3 to Text1
NUBERA_CONTROL(Line2);     // joins Text1 to Text2
NUBERA_CONTROL(Text1);     // the account name (accountName)
NUBERA_CONTROL(Text2);     // the video folder name (contentFolder)
NUBERA_CONTROL(Text3);     // hidden: the server folder path, derived at load (serverFolderPath)
NUBERA_CONTROL(Text4);     // hidden: serverName as read from out01.dat
NUBERA_CONTROL(Command1);  // "作成": makes the account and video folders, saves nout02-04.dat
NUBERA_CONTROL(Command2);  // "終了": back to the main menu
NUBERA_CONTROL(Command3);  // "?": help
}  // namespace siteFolder

// The quick creation screen (Form4).
namespace quick {
NUBERA_CONTROL(Image1);    // the banner picture
NUBERA_CONTROL(Label1);    // example of the video name
NUBERA_CONTROL(Label2);    // hint to try the pages, shown with 完成ボタン
NUBERA_CONTROL(Label3);    // caption of the video name
NUBERA_CONTROL(Label4);    // the band behind the buttons
NUBERA_CONTROL(Text1);     // hidden: serverName (out01.dat)
NUBERA_CONTROL(Text2);     // hidden: serverFolderPath (nout04.dat)
NUBERA_CONTROL(Text3);     // the video name, without ".rm" (videoName)
NUBERA_CONTROL(Text4);     // hidden: accountName (nout02.dat)
NUBERA_CONTROL(Text5);     // hidden: contentFolder (nout03.dat)
NUBERA_CONTROL(Text151);   // hidden: the player alignment, the settings screen's Text1
NUBERA_CONTROL(Text161);   // hidden: the player height, the settings screen's Text14
NUBERA_CONTROL(Text171);   // hidden: the player width, the settings screen's Text12
NUBERA_CONTROL(Text211);   // hidden: autostart, the settings screen's Text17
NUBERA_CONTROL(Command1);  // "保存": the preview pass; hides itself
NUBERA_CONTROL(Command2);  // "設定": the quick player settings screen
NUBERA_CONTROL(Command3);  // "戻る": back to the main menu
NUBERA_CONTROL(Command4);  // "終了"
NUBERA_CONTROL(Command5);  // "完成ボタン": the publish pass
NUBERA_CONTROL(Command6);  // "?": help
}  // namespace quick

// Both player settings screens (Form5, Form7).
namespace settings {
NUBERA_CONTROL(Image1);    // the picture behind the size fields
NUBERA_CONTROL(Frame1);    // "大きさ", the box around the hint
NUBERA_CONTROL(Label1);    // "■" that chooses center
NUBERA_CONTROL(Label2);    // "■" that chooses left
NUBERA_CONTROL(Label3);    // "オート起動", names the option group
NUBERA_CONTROL(Label4);    // "幅", caption of the width
NUBERA_CONTROL(Label5);    // "高さ", caption of the height
NUBERA_CONTROL(Label6);    // "①", the step mark
NUBERA_CONTROL(Label7);    // the hint on usual widths
NUBERA_CONTROL(Label8);    // "■" that chooses right
NUBERA_CONTROL(Label9);    // "中心" under its marker
NUBERA_CONTROL(Label10);   // "左" under its marker
NUBERA_CONTROL(Label11);   // "右" under its marker
NUBERA_CONTROL(Label12);   // "位置", caption of the alignment
NUBERA_CONTROL(Label13);   // the band along the bottom
NUBERA_CONTROL(Option1);   // "オン": autostart true
NUBERA_CONTROL(Option2);   // "オフ": autostart false
NUBERA_CONTROL(Text1);     // the alignment (center, left, right)
NUBERA_CONTROL(Text12);    // the width
NUBERA_CONTROL(Text14);    // the height: three quarters of the width
NUBERA_CONTROL(Text17);    // autostart (true, false)
NUBERA_CONTROL(Command1);  // "戻る": hides this screen
NUBERA_CONTROL(Command2);  // "?": help
}  // namespace settings

// The detailed creation screen (Form6).
namespace detailed {
NUBERA_CONTROL(Label1);    // the banner
NUBERA_CONTROL(Label2);    // prompt of the server name
NUBERA_CONTROL(Label3);    // prompt of the video address
NUBERA_CONTROL(Label4);    // prompt of the video name
NUBERA_CONTROL(Label5);    // the example host name
NUBERA_CONTROL(Label6);    // example of the video address
NUBERA_CONTROL(Label7);    // example of the video name
NUBERA_CONTROL(Label8);    // the band behind the buttons
NUBERA_CONTROL(Label9);    // hint to try the pages, shown with 完成
NUBERA_CONTROL(Text1);     // the server name
NUBERA_CONTROL(Text2);     // the video address, from "/" to "/"
NUBERA_CONTROL(Text3);     // the video name, without ".rm" (videoName)
NUBERA_CONTROL(Text13);    // hidden: the player height, the settings screen's Text14
NUBERA_CONTROL(Text15);    // hidden: the player width, the settings screen's Text12
NUBERA_CONTROL(Text20);    // hidden: autostart, the settings screen's Text17
NUBERA_CONTROL(Text35);    // hidden: the alignment, the settings screen's Text1
NUBERA_CONTROL(Command1);  // "作成": the preview pass
NUBERA_CONTROL(Command2);  // "設定": the detailed player settings screen
NUBERA_CONTROL(Command3);  // "終了"
NUBERA_CONTROL(Command4);  // "？": help
NUBERA_CONTROL(Command5);  // "完成": the publish pass
NUBERA_CONTROL(Command6);  // "戻る": back to the main menu
}  // namespace detailed

}  // namespace nubera::screens::ctl
