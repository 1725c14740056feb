#pragma once
// Every screen of the program, for the runtime.

#include <string>

#include "ui/screen_decl.h"

namespace nubera::screens {

const ScreenKind& splash();            // frmSplash
// The start-up screen's version line: "ﾊﾞｰｼﾞｮﾝ " and the three numbers joined by ".".
std::string versionLine(int major, int minor, int revision);
const ScreenKind& menu();              // Form1
const ScreenKind& serverFolder();      // Form2
const ScreenKind& siteFolder();        // Form3
const ScreenKind& quick();             // Form4
const ScreenKind& quickSettings();     // Form5
const ScreenKind& detailed();          // Form6
const ScreenKind& detailedSettings();  // Form7

const ScreenSet& all();

}  // namespace nubera::screens
