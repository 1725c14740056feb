#pragma once
// Functions of the system's libraries looked up when first called. The libraries that the
// start-up screen does not need (OLE for the pictures and the annotations, the shell for the
// help, the input method manager) are then loaded after it shows, not before: under Wine each
// of them costs the start some tens of milliseconds.

#include <windows.h>

namespace nubera::win32 {

// The function, or nullptr when the library or the function is missing. The library is taken
// from the system folder alone: a file of its name beside the program (a download folder can
// hold anything) is never loaded in its place.
template <class F>
F systemFunction(const wchar_t* library, const char* name) {
  HMODULE module = GetModuleHandleW(library);
  if (!module) module = LoadLibraryExW(library, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32);
  return module ? reinterpret_cast<F>(reinterpret_cast<void*>(GetProcAddress(module, name)))
                : nullptr;
}

}  // namespace nubera::win32
