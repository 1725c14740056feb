#pragma once
// Runs a scenario of user actions against the real screens, one command a line,
// and writes what the program does, one line an event.
//
// Set-up, before the program starts (PATH is relative to the program folder, with "/"):
//   #! dir PATH                makes the folder and any missing folder above it
//   #! file PATH TEXT          writes TEXT as one line (code page 932, CR LF); in TEXT,
//                              {DIR} stands for the program folder, written with its own
//                              separator after it, {NUL} for a NUL character and {CR} for a
//                              carriage return
// Commands (blank lines and other lines that begin with "#" are skipped; SCREEN is frmSplash
// or Form1 ... Form7, CONTROL a control's name on it):
//   start                      the program starts and shows its first screen
//   click SCREEN CONTROL       a click on a button, option button, label or frame
//   type SCREEN CONTROL TEXT   select all, then type TEXT one character a change
//                              (no TEXT: the field is cleared in one change)
//   paste SCREEN CONTROL TEXT  the whole text replaced by TEXT in one change
//   key SCREEN                 a character key other than Enter and Space (Esc, a letter)
//   close SCREEN               the screen closed through its window frame
//   get SCREEN CONTROL         prints "value SCREEN CONTROL TEXT" (option buttons: true/false)
//   state                      prints "screens NAME:visible NAME:hidden ..."
// Events written: "message PROMPT" (line breaks as \n), "help SCREEN FILE COMMAND",
// "end" (nothing further is read), "error TEXT" for an action on a screen that does not
// exist or is hidden, on a hidden or unknown control, or an unknown command; such an
// action changes nothing. get and state never create a screen.

#include <istream>
#include <ostream>

#include "core/file_system.h"
#include "ui/screen_decl.h"

namespace nubera {

// Returns the exit status: 1 when any "error" line was written, 0 otherwise.
int runScript(const ScreenSet& screens, FileSystem& files, std::istream& in, std::ostream& out);

}  // namespace nubera
