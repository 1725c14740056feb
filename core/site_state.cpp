#include "core/site_state.h"

#include "core/text_file.h"

namespace nubera {

std::string_view siteFileName(SiteField field) {
  static constexpr std::string_view kFiles[] = {"out01.dat", "nout02.dat", "nout03.dat",
                                                "nout04.dat"};
  return kFiles[static_cast<std::size_t>(field)];
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
