#include "core/site_layout.h"

#include "core/rules.h"
#include "core/site_state.h"

namespace nubera {

SiteFolders siteFolders(const FileSystem& fs, const std::string& serverName,
                        const std::string& accountName, const std::string& contentFolder) {
  SiteFolders f;
  f.server = fs.join(fs.programDirectory(), serverName);
  f.account = fs.join(f.server, accountName);
  f.video = fs.join(f.account, contentFolder);
  return f;
}

std::vector<std::string> storedSiteFolders(const FileSystem& fs) {
  std::vector<std::string> folders;
  try {
    const std::string server = readSiteField(fs, SiteField::ServerName);
    const std::string account = readSiteField(fs, SiteField::AccountName);
    const std::string folder = readSiteField(fs, SiteField::ContentFolder);
    const SiteFolders at = siteFolders(fs, server, account, folder);
    if (serverNameRefusal(fs, server, ServerNameUse::Folder, Origin::Stored)) return folders;
    folders.push_back(at.server);
    if (accountRefusal(fs, at.server, account, Origin::Stored)) return folders;
    folders.push_back(at.account);
    if (videoFolderRefusal(fs, at.account, folder, Origin::Stored)) return folders;
    folders.push_back(at.video);
  } catch (const FileError&) {
    // A state file that cannot be read names no folder.
  }
  return folders;
}

std::string videoFileName(std::string_view videoName) {
  return std::string(videoName) + std::string(kVideoEnding);
}

}  // namespace nubera
