#pragma once
// What a screen reader is told of a window the program draws itself (a part, a marker): the
// object the system makes for any window, with the role and the checked state that the
// system's own control in its place would report. It is the answer to WM_GETOBJECT, so every
// reader gets it, also where the system serves no annotations (Wine).

#include <windows.h>

#include <functional>

namespace nubera::win32 {

struct Spoken {
  long role = 0;         // ROLE_SYSTEM_STATICTEXT, ROLE_SYSTEM_RADIOBUTTON, ...
  bool checked = false;  // a chosen option
};

// The answer to WM_GETOBJECT for the window's client area, its role and state asked of
// `spoken` each time a reader asks for them; 0 for any other object, or where the system's
// accessibility library is missing, which the window then passes to DefWindowProc.
LRESULT answerGetObject(HWND h, WPARAM wp, LPARAM lp, std::function<Spoken()> spoken);

}  // namespace nubera::win32
