#include "core/site_state.h"

#include "core/names.h"
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

std::optional<std::string> storedValueProblem(const FileSystem& fs, SiteField field,
                                              const std::string& value) {
  std::string subject;
  switch (field) {
    case SiteField::ServerName:
      subject = "サーバー名";
      break;
    case SiteField::AccountName:
      subject = "アカウント名";
      break;
    case SiteField::ContentFolder:
      subject = "フォルダー名";
      break;
    case SiteField::ServerFolderPath:
      subject = "サーバーのフォルダーの場所";
      break;
  }
  subject = "保存されている" + subject + "（" + std::string(siteFileName(field)) + "）";
  std::optional<std::string> sentence;
  if (value.empty()) {
    sentence = subject + "がありません。";
  } else if (field == SiteField::ServerFolderPath) {
    if (hasControlCharacter(value)) sentence = subject + "に制御文字が含まれています。";
  } else {
    const NameUse use = field == SiteField::ServerName ? NameUse::ServerFolder : NameUse::Folder;
    if (auto fault = nameFault(value, subject, use)) sentence = fault->sentence;
  }
  if (!sentence) return std::nullopt;
  return *sentence + "\n" + siteFilePath(fs, field) +
         "\nメインメニューの「仮想サーバー作成」で仮想サーバーを作り直してください。";
}

std::string readSiteField(const FileSystem& fs, SiteField field) {
  return readFirstLine(fs, siteFilePath(fs, field));
}

}  // namespace nubera
