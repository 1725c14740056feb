#include "core/page_set.h"

#include <algorithm>

#include "core/cp932.h"
#include "core/rules.h"
#include "core/site_layout.h"
#include "core/text_file.h"

namespace nubera {

namespace {

std::string PlayerSettings::*const kPlayerMembers[] = {
    &PlayerSettings::width, &PlayerSettings::height, &PlayerSettings::autostart,
    &PlayerSettings::alignment};

}  // namespace

std::string& PlayerSettings::operator[](PlayerValue v) {
  return this->*kPlayerMembers[static_cast<std::size_t>(v)];
}

const std::string& PlayerSettings::operator[](PlayerValue v) const {
  return this->*kPlayerMembers[static_cast<std::size_t>(v)];
}

std::string pageReference(const std::string& videoName) {
  std::string out;
  for (char c : urlPath(videoName)) {
    if (c == '&') {
      out += "%26";
    } else {
      out += c;
    }
  }
  return out;
}

std::string videoFileBase(const FileSystem& fs, const std::string& folder,
                          const std::string& videoName) {
  // Windows keeps names as they were written: a video copied in with its name in another form
  // lies under that one.
  const auto readsAs = [](std::string_view name) {
    return cp932::windowsForm(cp932::composed(name));
  };
  std::optional<std::string> other;
  for (const auto& file : fs.fileNames(folder)) {
    if (!file.ends_with(kVideoEnding)) continue;
    const std::string base = file.substr(0, file.size() - kVideoEnding.size());
    if (base == videoName) return videoName;
    if (readsAs(base) == readsAs(videoName)) other = base;
  }
  return other.value_or(videoName);
}

std::vector<std::string> linkPageLines(const FragmentTable& r, const std::string& videoName) {
  const std::string ref = pageReference(videoName);
  return {r["Text10"], r["Text11"] + ref + r["Text12"], r["Text13"]};
}

std::vector<std::string> playerPageLines(const FragmentTable& r, const std::string& name,
                                         const PlayerSettings& p) {
  const std::string videoName = pageReference(name);
  // No browser knows a <left> or <right> element: those alignments wrap the table in a DIV,
  // closed where the row closes CENTER. A centred page keeps its rows as they stand.
  const bool centred = foldCase(p.alignment) == PlayerWords::kCenter;
  const std::string wrapper = centred ? p.alignment : "DIV align=\"" + p.alignment + "\"";
  std::string close = r["Text37"];
  if (const auto at = close.find("</CENTER>"); !centred && at != std::string::npos) {
    close.replace(at, 9, "</DIV>");
  }
  return {
      r["Text14"],
      r["Text15"] + wrapper + r["Text152"],
      r["Text16"] + p.height + r["Text17"] + p.width + r["Text18"],
      r["Text19"] + videoName + r["Text20"],
      r["Text21"] + p.autostart + r["Text18"],
      r["Text22"],
      r["Text23"],
      r["Text24"] + videoName + r["Text25"] + p.width + r["Text26"] + p.height + r["Text27"] +
          p.autostart + r["Text28"],
      r["Text29"] + p.width + r["Text30"],
      r["Text31"],
      r["Text32"],
      r["Text33"] + videoName + r["Text34"] + r["Text35"] + p.width + r["Text36"] + p.autostart +
          close,
  };
}

namespace {

bool hexDigit(char c) {
  return (c >= '0' && c <= '9') || (c >= 'A' && c <= 'F') || (c >= 'a' && c <= 'f');
}

}  // namespace

std::string urlPath(std::string_view path, bool keepEscapes) {
  // RFC 3986: what a path segment may hold as it is, and "/" between segments.
  constexpr std::string_view kPlain = "-._~!$&'()*+,;=:@/";
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string out;
  for (std::size_t i = 0; i < path.size(); ++i) {
    const char c = path[i];
    const auto u = static_cast<unsigned char>(c);
    const bool escape = keepEscapes && c == '%' && i + 2 < path.size() && hexDigit(path[i + 1]) &&
                        hexDigit(path[i + 2]);
    if ((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
        kPlain.find(c) != std::string_view::npos || escape) {
      out += c;
    } else {
      out += '%';
      out += kHex[u >> 4];
      out += kHex[u & 0xF];
    }
  }
  return out;
}

std::string urlDecoded(std::string_view path) {
  std::string out;
  for (std::size_t i = 0; i < path.size(); ++i) {
    if (path[i] == '%' && i + 2 < path.size() && hexDigit(path[i + 1]) && hexDigit(path[i + 2])) {
      out += static_cast<char>(std::stoi(std::string(path.substr(i + 1, 2)), nullptr, 16));
      i += 2;
    } else {
      out += path[i];
    }
  }
  return out;
}

std::string quickPreviewLine(const FragmentTable& r, const SiteState& s,
                             const std::string& videoName, bool windows) {
  // On Windows the path is written as it stands, with the row "Text9" ("\") between its
  // parts; elsewhere players read a file URL.
  if (!windows) {
    return r["Text7"] + urlPath(s.serverFolderPath + "/" + s.accountName + "/" + s.contentFolder +
                                "/" + videoFileName(videoName));
  }
  const std::string& sep = r["Text9"];
  return r["Text7"] + s.serverFolderPath + sep + s.accountName + sep + s.contentFolder + sep +
         videoFileName(videoName);
}

std::string quickPublishLine(const FragmentTable& r, const SiteState& s,
                             const std::string& videoName) {
  // A web server stores the uploaded names in UTF-8 and a player asks for them percent-encoded.
  return r["Text6"] + s.serverName +
         urlPath(r["Text8"] + s.accountName + r["Text8"] + s.contentFolder + r["Text8"] +
                 videoFileName(videoName));
}

std::string detailedPreviewLine(const FragmentTable& d, const std::string& programDir,
                                const std::string& videoName, bool windows) {
  if (!windows) return d["Text37"] + urlPath(programDir + "/" + videoFileName(videoName));
  return d["Text37"] + programDir + "\\" + videoFileName(videoName);
}

std::string detailedPublishLine(const FragmentTable& d, const std::string& serverName,
                                const std::string& videoAddress, const std::string& videoName) {
  // An address the user encoded already keeps its escapes.
  return d["Text4"] + serverName + urlPath(videoAddress + videoFileName(videoName), true);
}

std::string previewServerFolder(const FileSystem& fs, const SiteState& s) {
  const std::string here = siteFolders(fs, s.serverName, "", "").server;
  const bool same =
      fs.isWindows() ? foldCase(s.serverFolderPath) == foldCase(here) : s.serverFolderPath == here;
  return same ? s.serverFolderPath : here;
}

std::vector<PageFile> metafiles(const FileSystem& fs, const std::string& folder,
                                const std::string& videoName, const std::string& line) {
  std::vector<PageFile> files;
  for (std::size_t i = 0; i < kMetafileCount; ++i) {
    files.push_back({fs.join(folder, videoName + std::string(kPageSetEndings[i])), {line}});
  }
  return files;
}

std::vector<PageFile> pageSetFiles(const FileSystem& fs, const std::string& folder,
                                   const FragmentTable& rows, const std::string& videoName,
                                   const std::string& line, const PlayerSettings& player) {
  auto files = metafiles(fs, folder, videoName, line);
  const auto page = [&](std::string_view ending) {
    return fs.join(folder, videoName + std::string(ending));
  };
  files.push_back({page(kPageSetEndings[kMetafileCount]), linkPageLines(rows, videoName)});
  files.push_back(
      {page(kPageSetEndings[kMetafileCount + 1]), playerPageLines(rows, videoName, player)});
  return files;
}

std::vector<std::string> missingPages(const FileSystem& fs, const std::string& folder,
                                      const std::string& videoName) {
  const auto there = fs.fileNames(folder);
  std::vector<std::string> missing;
  for (std::size_t i = kMetafileCount; i < std::size(kPageSetEndings); ++i) {
    const std::string page = videoName + std::string(kPageSetEndings[i]);
    if (std::find(there.begin(), there.end(), page) == there.end()) missing.push_back(page);
  }
  return missing;
}

void writePageFiles(FileSystem& fs, const std::vector<PageFile>& files) {
  std::vector<std::string> encoded;
  for (const auto& file : files) encoded.push_back(encodeLines(file.path, file.lines));
  for (const auto& file : files) {
    if (auto cause = fs.lengthProblem(file.path, false)) {
      throw FileError(FileError::Operation::Write, file.path, *cause);
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) fs.replaceFile(files[i].path, encoded[i]);
}

}  // namespace nubera
