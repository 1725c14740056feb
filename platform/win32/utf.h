#pragma once
// UTF-8 (the program's text in memory) to and from the wide strings of Windows.

#include <string>

namespace nubera::win32 {

std::wstring wide(const std::string& utf8);
std::string utf8(const std::wstring& wide);
// The system's text for an error code, without its line end.
std::string systemMessage(unsigned long error);

}  // namespace nubera::win32
