// A stand-in for a system library (ole32.dll, oleaut32.dll, uxtheme.dll) planted beside the
// program: when loaded, it leaves NAME.dll.loaded beside itself, which the start-up check
// looks for.

#include <windows.h>

#include <cwchar>

BOOL WINAPI DllMain(HINSTANCE self, DWORD reason, LPVOID) {
  if (reason == DLL_PROCESS_ATTACH) {
    wchar_t path[MAX_PATH + 8] = {};
    GetModuleFileNameW(self, path, MAX_PATH);
    std::wcscat(path, L".loaded");
    HANDLE marker = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    if (marker != INVALID_HANDLE_VALUE) CloseHandle(marker);
  }
  return TRUE;
}
