#include "core/site_state.h"

#include "core/text_file.h"

namespace nubera {

std::string_view siteFileName(SiteField field) {
  switch (field) {
    case SiteField::ServerName:
      return "out01.dat";
    case SiteField::AccountName:
      return "nout02.dat";
    case SiteField::ContentFolder:
      return "nout03.dat";
    case SiteField::ServerFolderPath:
      return "nout04.dat";
  }
  return "";
}

std::string siteFilePath(const FileSystem& fs, SiteField field) {
  return fs.join(fs.programDirectory(), std::string(siteFileName(field)));
}

void writeSiteField(FileSystem& fs, SiteField field, const std::string& value) {
  writeLines(fs, siteFilePath(fs, field), {value});
}

std::string readSiteField(const FileSystem& fs, SiteField field) {
  return readFirstLine(fs, siteFilePath(fs, field));
}

}  // namespace nubera
