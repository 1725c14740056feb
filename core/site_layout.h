#pragma once
// Where a site lies in the program folder, the one description every screen and pass uses: the
// server folder in the program folder, the account folder in it and the video folder in that
// (the virtual server, three levels), and the video file the page set beside it names.

#include <string>
#include <string_view>
#include <vector>

#include "core/file_system.h"

namespace nubera {

// How many folders deep the video folder lies below the program folder.
inline constexpr int kSiteLevels = 3;

// The site's folders, each the one before joined with its name.
struct SiteFolders {
  std::string server, account, video;
};
SiteFolders siteFolders(const FileSystem& fs, const std::string& serverName,
                        const std::string& accountName, const std::string& contentFolder);

// The folders of the site the state files name, from the server folder down, as far as each
// stored name may be such a folder (a damaged or hand-edited file names none outside the
// program folder) and can be read.
std::vector<std::string> storedSiteFolders(const FileSystem& fs);

// The video file a page set names: the video name and ".rm".
inline constexpr std::string_view kVideoEnding = ".rm";
std::string videoFileName(std::string_view videoName);

}  // namespace nubera
