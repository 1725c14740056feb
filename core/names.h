#pragma once
// Checks a name before it becomes one file or folder name. The rules are the same on every
// system, so a page set made on Linux is the one made on Windows.

#include <optional>
#include <string>
#include <string_view>

namespace nubera {

// Where the name stands: a server folder lies in the program folder itself, beside the
// program's own files, so it must not take one of their names.
enum class NamePlace { ProgramFolder, Below };

// Why the name cannot be used, as one sentence about `subject` ("ビデオ名", ...), and whether
// the fix is to replace a character rather than to choose another name; nullopt when it can.
struct NameFault {
  std::string sentence;
  bool replaceCharacter = false;
};
std::optional<NameFault> nameFault(const std::string& name, const std::string& subject,
                                   NamePlace place = NamePlace::Below);

// Whether the text holds a control character (a NUL included).
bool hasControlCharacter(std::string_view text);

// The message for a typed name that cannot be used, naming the character or the reason.
std::optional<std::string> nameProblem(const std::string& name, const std::string& what,
                                       NamePlace place = NamePlace::Below);

}  // namespace nubera
