#pragma once
// The four site facts, one file each in the program directory.

#include <string>
#include <string_view>

#include "platform/file_system.h"

namespace nubera {

enum class SiteField { ServerName, AccountName, ContentFolder, ServerFolderPath };

// "out01.dat", "nout02.dat", "nout03.dat", "nout04.dat".
std::string_view siteFileName(SiteField field);
std::string siteFilePath(const FileSystem& fs, SiteField field);

// Replaces the field's file with the value as one line.
void writeSiteField(FileSystem& fs, SiteField field, const std::string& value);
// The whole first line of the field's file; the empty text when it is missing or empty.
std::string readSiteField(const FileSystem& fs, SiteField field);

struct SiteState {
  std::string serverName;
  std::string accountName;
  std::string contentFolder;
  std::string serverFolderPath;
};

}  // namespace nubera
