#include "core/page_set.h"

#include "core/text_file.h"

namespace nubera {

std::vector<std::string> linkPageLines(const FragmentTable& r, const std::string& videoName) {
  return {r["Text10"], r["Text11"] + videoName + r["Text12"], r["Text13"]};
}

std::vector<std::string> playerPageLines(const FragmentTable& r, const std::string& videoName,
                                         const PlayerSettings& p) {
  return {
      r["Text14"],
      r["Text15"] + p.alignment + r["Text152"],
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
          r["Text37"],
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

std::string quickPreviewLine(const FragmentTable& r, const SiteState& s,
                             const std::string& videoName, char localSeparator) {
  // On Windows the path is written as it stands, with the row "Text9" ("\") between its
  // parts; elsewhere players read a file URL.
  if (localSeparator != '\\') {
    return r["Text7"] + urlPath(s.serverFolderPath + "/" + s.accountName + "/" + s.contentFolder +
                                "/" + videoName + ".rm");
  }
  const std::string& sep = r["Text9"];
  return r["Text7"] + s.serverFolderPath + sep + s.accountName + sep + s.contentFolder + sep +
         videoName + ".rm";
}

std::string quickPublishLine(const FragmentTable& r, const SiteState& s,
                             const std::string& videoName) {
  // A web server stores the uploaded names in UTF-8 and a player asks for them percent-encoded.
  return r["Text6"] + s.serverName +
         urlPath(r["Text8"] + s.accountName + r["Text8"] + s.contentFolder + r["Text8"] +
                 videoName + ".rm");
}

std::string detailedPreviewLine(const FragmentTable& d, const std::string& programDir,
                                const std::string& videoName, char localSeparator) {
  if (localSeparator != '\\') return d["Text37"] + urlPath(programDir + "/" + videoName + ".rm");
  return d["Text37"] + programDir + localSeparator + videoName + ".rm";
}

std::string detailedPublishLine(const FragmentTable& d, const std::string& serverName,
                                const std::string& videoAddress, const std::string& videoName) {
  // An address the user encoded already keeps its escapes.
  return d["Text4"] + serverName + urlPath(videoAddress + videoName + ".rm", true);
}

std::string videoFolder(const FileSystem& fs, const SiteState& s) {
  return fs.join(fs.join(fs.join(fs.programDirectory(), s.serverName), s.accountName),
                 s.contentFolder);
}

std::vector<PageFile> metafiles(const FileSystem& fs, const std::string& folder,
                                const std::string& videoName, const std::string& line) {
  return {{fs.join(folder, videoName + ".ram"), {line}},
          {fs.join(folder, videoName + ".rpm"), {line}}};
}

std::vector<PageFile> pageSetFiles(const FileSystem& fs, const std::string& folder,
                                   const FragmentTable& rows, const std::string& videoName,
                                   const std::string& line, const PlayerSettings& player) {
  auto files = metafiles(fs, folder, videoName, line);
  files.push_back({fs.join(folder, videoName + "pop.htm"), linkPageLines(rows, videoName)});
  files.push_back(
      {fs.join(folder, videoName + "enb.htm"), playerPageLines(rows, videoName, player)});
  return files;
}

void writePageFiles(FileSystem& fs, const std::vector<PageFile>& files) {
  std::vector<std::string> encoded;
  for (const auto& file : files) encoded.push_back(encodeLines(file.path, file.lines));
  for (std::size_t i = 0; i < files.size(); ++i) fs.replaceFile(files[i].path, encoded[i]);
}

}  // namespace nubera
