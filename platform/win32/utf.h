#pragma once
// UTF-8 (the program's text in memory) to and from the wide strings of Windows.

#include <string>

#include "core/message.h"

namespace nubera::win32 {

std::wstring wide(const std::string& utf8);
std::string utf8(const std::wstring& wide);
// The system's own words for the error, or its number where it has none.
Message systemMessage(unsigned long error);

}  // namespace nubera::win32
