#pragma once
// The names of every screen's controls, each written once here. The declarations and the
// handlers use these constants, so a misspelt name does not compile. The fragment rows' hidden
// fields are named by their tables.

#include "ui/screen_decl.h"

namespace nubera::screens::ctl {

// The start-up screen (frmSplash).
namespace splash {
NUBERA_CONTROL(Frame1);
NUBERA_CONTROL(Label1);
NUBERA_CONTROL(Label2);
NUBERA_CONTROL(imgLogo);
NUBERA_CONTROL(lblProductName);
NUBERA_CONTROL(lblVersion);
}  // namespace splash

// The main menu (Form1).
namespace menu {
NUBERA_CONTROL(Label1);
NUBERA_CONTROL(Label2);
NUBERA_CONTROL(Label3);
NUBERA_CONTROL(Label4);
NUBERA_CONTROL(Command1);
NUBERA_CONTROL(Command2);
NUBERA_CONTROL(Command3);
NUBERA_CONTROL(Command4);
NUBERA_CONTROL(Command5);
}  // namespace menu

// The server folder screen (Form2).
namespace serverFolder {
NUBERA_CONTROL(Label1);
NUBERA_CONTROL(Label2);
NUBERA_CONTROL(Label3);
NUBERA_CONTROL(Label4);
NUBERA_CONTROL(Text1);
NUBERA_CONTROL(Command1);
NUBERA_CONTROL(Command2);
NUBERA_CONTROL(Command3);
}  // namespace serverFolder

// The site folder screen (Form3).
namespace siteFolder {
NUBERA_CONTROL(Label1);
NUBERA_CONTROL(Label2);
NUBERA_CONTROL(Label3);
NUBERA_CONTROL(Label4);
NUBERA_CONTROL(Label7);
NUBERA_CONTROL(Label9);
NUBERA_CONTROL(Label10);
NUBERA_CONTROL(Label11);
NUBERA_CONTROL(Line1);
NUBERA_CONTROL(Line2);
NUBERA_CONTROL(Text1);
NUBERA_CONTROL(Text2);
NUBERA_CONTROL(Text3);
NUBERA_CONTROL(Text4);
NUBERA_CONTROL(Command1);
NUBERA_CONTROL(Command2);
NUBERA_CONTROL(Command3);
}  // namespace siteFolder

// The quick creation screen (Form4).
namespace quick {
NUBERA_CONTROL(Image1);
NUBERA_CONTROL(Label1);
NUBERA_CONTROL(Label2);
NUBERA_CONTROL(Label3);
NUBERA_CONTROL(Label4);
NUBERA_CONTROL(Text1);
NUBERA_CONTROL(Text2);
NUBERA_CONTROL(Text3);
NUBERA_CONTROL(Text4);
NUBERA_CONTROL(Text5);
NUBERA_CONTROL(Text151);
NUBERA_CONTROL(Text161);
NUBERA_CONTROL(Text171);
NUBERA_CONTROL(Text211);
NUBERA_CONTROL(Command1);
NUBERA_CONTROL(Command2);
NUBERA_CONTROL(Command3);
NUBERA_CONTROL(Command4);
NUBERA_CONTROL(Command5);
NUBERA_CONTROL(Command6);
}  // namespace quick

// Both player settings screens (Form5, Form7).
namespace settings {
NUBERA_CONTROL(Image1);
NUBERA_CONTROL(Frame1);
NUBERA_CONTROL(Label1);
NUBERA_CONTROL(Label2);
NUBERA_CONTROL(Label3);
NUBERA_CONTROL(Label4);
NUBERA_CONTROL(Label5);
NUBERA_CONTROL(Label6);
NUBERA_CONTROL(Label7);
NUBERA_CONTROL(Label8);
NUBERA_CONTROL(Label9);
NUBERA_CONTROL(Label10);
NUBERA_CONTROL(Label11);
NUBERA_CONTROL(Label12);
NUBERA_CONTROL(Label13);
NUBERA_CONTROL(Option1);
NUBERA_CONTROL(Option2);
NUBERA_CONTROL(Text1);
NUBERA_CONTROL(Text12);
NUBERA_CONTROL(Text14);
NUBERA_CONTROL(Text17);
NUBERA_CONTROL(Command1);
NUBERA_CONTROL(Command2);
}  // namespace settings

// The detailed creation screen (Form6).
namespace detailed {
NUBERA_CONTROL(Label1);
NUBERA_CONTROL(Label2);
NUBERA_CONTROL(Label3);
NUBERA_CONTROL(Label4);
NUBERA_CONTROL(Label5);
NUBERA_CONTROL(Label6);
NUBERA_CONTROL(Label7);
NUBERA_CONTROL(Label8);
NUBERA_CONTROL(Label9);
NUBERA_CONTROL(Text1);
NUBERA_CONTROL(Text2);
NUBERA_CONTROL(Text3);
NUBERA_CONTROL(Text13);
NUBERA_CONTROL(Text15);
NUBERA_CONTROL(Text20);
NUBERA_CONTROL(Text35);
NUBERA_CONTROL(Command1);
NUBERA_CONTROL(Command2);
NUBERA_CONTROL(Command3);
NUBERA_CONTROL(Command4);
NUBERA_CONTROL(Command5);
NUBERA_CONTROL(Command6);
}  // namespace detailed

}  // namespace nubera::screens::ctl
