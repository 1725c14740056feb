#pragma once
// Checks a typed name before it becomes one file or folder name.

#include <optional>
#include <string>

namespace nubera {

// nullopt when the name can be one file or folder name inside one folder and code
// page 932 can hold it; otherwise the message for the user, naming the character.
// `what` names the entry in the message ("ビデオ名", "フォルダー名", ...).
std::optional<std::string> nameProblem(const std::string& name, const std::string& what,
                                       bool windowsNames);

}  // namespace nubera
