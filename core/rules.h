#pragma once
// The rule book. For each kind of value the user types (a server name, an account, a video
// folder, a video name, the detailed screen's video address, the player's width, height,
// autostart and alignment) one function says whether it may be written where it goes and, if
// not, why, as the message the user reads. Every screen and every pass asks these and no other.
// The rules are the same on every system, but where Windows itself would change what is
// written (FileSystem::isWindows).

#include <optional>
#include <string>
#include <string_view>

#include "core/file_system.h"
#include "core/page_set.h"
#include "core/text.h"

namespace nubera {

// Why a value may not be written, as the message the user reads; nothing when it may.
using Refusal = std::optional<Message>;

// Where a value comes from: typed on the screen, or read back from its state file, which may
// have been edited by hand or damaged; a refusal then names the file and says to build the
// virtual server again.
enum class Origin { Typed, Stored };

// What a server name is for: the name of the server folder (all a preview needs), that and the
// host of the site's published addresses, or only the host of a typed address (the detailed
// screen), where a ":port" may follow.
enum class ServerNameUse { Folder, Site, Host };
Refusal serverNameRefusal(const FileSystem& fs, const std::string& name, ServerNameUse use,
                          Origin origin = Origin::Typed);

// The account and the video folder: one folder each, in the server folder and in the account
// folder. A name typed on a Linux desktop is asked in its Windows form (cp932::windowsForm),
// the form it is stored in.
Refusal accountRefusal(const FileSystem& fs, const std::string& serverFolder,
                       const std::string& name, Origin origin = Origin::Typed);
Refusal videoFolderRefusal(const FileSystem& fs, const std::string& accountFolder,
                           const std::string& name, Origin origin = Origin::Typed);

// The video name of a page set in `folder`, for the pass that writes it: one file name's start,
// not a page set that Windows would write over another's files, and, on Windows, a name whose
// metafile line names the video file as it is.
enum class Pass { Preview, Publish };
Refusal videoNameRefusal(const FileSystem& fs, const std::string& folder, const std::string& name,
                         Pass pass);

// The detailed screen's video address: from "/" to "/", no control character typed or escaped,
// and no part "." or "..", which a server and a player resolve to another folder.
Refusal videoAddressRefusal(const std::string& address);

// The player values, each as the sentences that name it: a width a browser reads as the number
// it shows, the height the height rule gives for it, autostart true or false, alignment center,
// left or right (in any letter case). playerRefusal gathers all four into one message.
Refusal widthRefusal(const std::string& width);
Refusal heightRefusal(const std::string& width, const std::string& height);
Refusal autostartRefusal(const std::string& autostart);
Refusal alignmentRefusal(const std::string& alignment);
Refusal playerRefusal(const PlayerSettings& player);

// The program folder, before anything is made or written in it: where its path is written into
// a file (pathWritten), it must come back the same from code page 932; and it must hold what is
// made `levels` folders below it (the virtual server: 3) with the shortest names.
Refusal programFolderRefusal(const FileSystem& fs, int levels, bool pathWritten);

}  // namespace nubera
