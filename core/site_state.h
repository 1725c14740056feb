#pragma once
// The four site facts, one file each in the program directory.

#include <string>
#include <string_view>

#include "core/file_system.h"

namespace nubera {

// In the order of their files.
enum class SiteField { ServerName, AccountName, ContentFolder, ServerFolderPath };

// "out01.dat", "nout02.dat", "nout03.dat", "nout04.dat".
std::string_view siteFileName(SiteField field);
std::string siteFilePath(const FileSystem& fs, SiteField field);

// Replaces the field's file with the value as one line.
void writeSiteField(FileSystem& fs, SiteField field, const std::string& value);
// The whole first line of the field's file; the empty text when it is missing or empty.
std::string readSiteField(const FileSystem& fs, SiteField field);

// The site facts, one file each.
struct SiteState {
  std::string serverName;        // out01.dat; also the server folder's name
  std::string serverFolderPath;  // nout04.dat; the server folder's local path
  std::string accountName;       // nout02.dat; also the account folder's name
  std::string contentFolder;     // nout03.dat; also the video folder's name
};

}  // namespace nubera
