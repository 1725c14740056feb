#pragma once
// Checks a name before it becomes one file or folder name. The rules are the same on every
// system, so a page set made on Linux is the one made on Windows.

#include <optional>
#include <string>
#include <string_view>

#include "core/file_system.h"

namespace nubera {

// What the name becomes. A folder name is also a part of the published address, and Windows
// silently drops a trailing "." or blank from it; the server folder lies in the program folder
// itself, beside the program's own files, so it must not take one of their names. A video
// name only starts the page set's file names, which never end with it.
enum class NameUse { ServerFolder, Folder, VideoFile };

// Why the name cannot be used, as one sentence about `subject` ("ビデオ名", ...), and whether
// the fix is to replace a character rather than to choose another name; nullopt when it can.
struct NameFault {
  std::string sentence;
  bool replaceCharacter = false;
};
std::optional<NameFault> nameFault(const std::string& name, const std::string& subject,
                                   NameUse use);

// Whether the text holds a control character: C0 (a NUL included), DEL or C1.
bool hasControlCharacter(std::string_view text);

// The text with letter case folded as Windows ignores it in names: Latin (also full-width),
// Greek, Cyrillic and the Roman numerals Ⅰ..Ⅹ, the pairs code page 932 holds.
std::string foldCase(std::string_view text);

// The message for a typed name that cannot be used, naming the character or the reason.
std::optional<std::string> nameProblem(const std::string& name, const std::string& what,
                                       NameUse use);

// A folder in `parent` whose name differs from `name` in letter case alone. Windows would
// use it for `name`, while a web server takes the two for different names.
std::optional<std::string> caseTwin(const FileSystem& fs, const std::string& parent,
                                    const std::string& name);
// The sentence for such a folder, asking to type the name as the folder has it.
std::string caseTwinSentence(const std::string& subject, const std::string& name,
                             const std::string& twin);

// Why `name` cannot be the folder in `parent` that is made or used: a folder beside it
// differs in letter case alone, or the system takes the name for a folder of another name
// (a Windows short name); the sentence names the folder there. nullopt when it can.
std::optional<std::string> folderNameProblem(const FileSystem& fs, const std::string& parent,
                                             const std::string& name, const std::string& subject);

// The endings that make the page set's four file names from the video name: the two
// metafiles, then the link page and the player page.
inline constexpr std::string_view kPageSetEndings[] = {".ram", ".rpm", "pop.htm", "enb.htm"};

// A page set in `folder` whose video name differs from `videoName` in letter case alone: on
// Windows its files would be overwritten under their old names while the pages named the new.
std::optional<std::string> pageSetTwin(const FileSystem& fs, const std::string& folder,
                                       const std::string& videoName);
std::string pageSetTwinSentence(const std::string& videoName, const std::string& twin);

// Why the program folder's path cannot be stored in code page 932 and read back the same (it
// holds a character such as "é", or "〜" that comes back as "～"), as one message that advises
// moving the program; nullopt when it can.
std::optional<std::string> programFolderProblem(const std::string& programDirectory);

}  // namespace nubera
