#pragma once
// Every screen of the program, for the runtime.

#include "ui/screen_decl.h"

namespace nubera::screens {

const ScreenKind& splash();            // frmSplash
const ScreenKind& menu();              // Form1
const ScreenKind& serverFolder();      // Form2
const ScreenKind& siteFolder();        // Form3
const ScreenKind& quick();             // Form4
const ScreenKind& quickSettings();     // Form5
const ScreenKind& detailed();          // Form6
const ScreenKind& detailedSettings();  // Form7

const ScreenSet& all();

}  // namespace nubera::screens
