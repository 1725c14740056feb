#include "core/page_set.h"

#include <algorithm>

#include "core/cp932.h"
#include "core/names.h"
#include "core/number_text.h"
#include "core/text_file.h"

namespace nubera {

namespace {

// Whether the value is one of the (lower-case) words, in any letter case.
bool oneOf(const std::string& value, std::initializer_list<std::string_view> words) {
  const std::string folded = foldCase(value);
  for (auto word : words) {
    if (folded == word) return true;
  }
  return false;
}

// "「幅」「abc」" or, for the empty text, "「幅」が空".
std::string settingNamed(const char* setting, const std::string& value) {
  return std::string("「") + setting + "」" + (value.empty() ? "が空" : "の「" + value + "」");
}

// A size as every browser reads it: digits, at most one "." with digits on both sides, above
// zero, blanks around it. "1e3" or "+320" would be read as 1 or not at all.
bool pageSize(std::string_view text) {
  const std::size_t first = text.find_first_not_of(' ');
  if (first == std::string_view::npos) return false;
  text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);
  bool positive = false;
  for (std::string_view part : {whole, fraction}) {
    if (part.empty()) return false;
    for (char c : part) {
      if (c < '0' || c > '9') return false;
      positive = positive || c != '0';
    }
  }
  return positive;
}

}  // namespace

std::optional<std::string> playerSettingsProblem(const PlayerSettings& p) {
  std::string sentences;
  for (auto [setting, value] : {std::pair{"幅", &p.width}, {"高さ", &p.height}}) {
    if (!pageSize(*value)) {
      sentences +=
          settingNamed(setting, *value) + (value->empty() ? "です。" : "は数値ではありません。");
      sentences += "0 より大きい数を数字で入力してください（例：320）。\n";
    }
  }
  if (!oneOf(p.alignment, {"center", "left", "right"})) {
    sentences += settingNamed("位置", p.alignment) +
                 "は使えません。center、left、right のどれかにしてください。\n";
  }
  if (!oneOf(p.autostart, {"true", "false"})) {
    sentences +=
        settingNamed("オート起動", p.autostart) + "は使えません。true か false にしてください。\n";
  }
  if (sentences.empty()) return std::nullopt;
  return "プレーヤーの設定をページに書けません。\n" + sentences +
         "「設定」を押して、設定の画面で直してください。";
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
  const std::string windows = cp932::windowsForm(videoName);
  if (windows == videoName) return videoName;
  bool typedThere = false;
  bool windowsThere = false;
  for (const auto& file : fs.fileNames(folder)) {
    typedThere = typedThere || file == videoName + ".rm";
    windowsThere = windowsThere || file == windows + ".rm";
  }
  return windowsThere && !typedThere ? windows : videoName;
}

namespace {

bool hostLabelCharacter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '-';
}

// Four numbers 0 to 255, as a browser takes a host whose last label is a number.
bool ipv4Address(std::string_view host) {
  int numbers = 0;
  for (std::size_t start = 0; start <= host.size(); ++numbers) {
    std::size_t dot = host.find('.', start);
    if (dot == std::string_view::npos) dot = host.size();
    const std::string_view digits = host.substr(start, dot - start);
    if (digits.empty() || digits.size() > 3) return false;
    int value = 0;
    for (char c : digits) {
      if (c < '0' || c > '9') return false;
      value = value * 10 + (c - '0');
    }
    if (value > 255) return false;
    start = dot + 1;
  }
  return numbers == 4;
}

// A DNS host name or an IPv4 address: dot-separated labels of letters, digits and "-"; a last
// label of digits alone only in a whole IPv4 address.
bool hostName(std::string_view host) {
  if (host.empty() || host.size() > 253) return false;
  const std::string_view last = host.substr(host.rfind('.') + 1);
  if (!last.empty() && last.find_first_not_of("0123456789") == std::string_view::npos) {
    return ipv4Address(host);
  }
  std::size_t start = 0;
  while (true) {
    const std::size_t dot = host.find('.', start);
    const std::string_view label =
        host.substr(start, dot == std::string_view::npos ? dot : dot - start);
    if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-')
      return false;
    for (char c : label) {
      if (!hostLabelCharacter(c)) return false;
    }
    if (dot == std::string_view::npos) return true;
    start = dot + 1;
  }
}

bool port(std::string_view digits) {
  if (digits.empty() || digits.size() > 5) return false;
  long value = 0;
  for (char c : digits) {
    if (c < '0' || c > '9') return false;
    value = value * 10 + (c - '0');
  }
  return value >= 1 && value <= 65535;
}

}  // namespace

std::optional<std::string> serverNameProblem(const std::string& serverName, bool withPort) {
  const std::size_t colon = withPort ? serverName.find(':') : std::string::npos;
  const bool hostOk = colon == std::string::npos
                          ? hostName(serverName)
                          : hostName(std::string_view(serverName).substr(0, colon)) &&
                                port(std::string_view(serverName).substr(colon + 1));
  if (hostOk) return std::nullopt;
  return "サーバー名「" + serverName +
         "」はサーバーの名前として使えません。英数字、「-」、「.」だけで、"
         "「http://」や「/」、空白を付けずに入力してください。\n例：www.example.ne.jp";
}

std::optional<std::string> publishAddressProblem(const std::string& serverName,
                                                 const std::string& videoAddress) {
  if (auto problem = serverNameProblem(serverName, true)) return problem;
  if (videoAddress.size() < 1 || videoAddress.front() != '/' || videoAddress.back() != '/') {
    return "ビデオまでのアドレス「" + videoAddress +
           "」は「/」で始めて「/」で終えてください。\n例：/user name/hoge/video/";
  }
  return std::nullopt;
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
  const bool centred = foldCase(p.alignment) == "center";
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

std::string previewServerFolder(const FileSystem& fs, const SiteState& s) {
  const std::string here = fs.join(fs.programDirectory(), s.serverName);
  const bool same = fs.separator() == '\\' ? foldCase(s.serverFolderPath) == foldCase(here)
                                           : s.serverFolderPath == here;
  return same ? s.serverFolderPath : here;
}

std::optional<std::string> videoFileNameProblem(const FileSystem& fs, const std::string& folder,
                                                const std::string& videoName) {
  if (fs.separator() != '\\') return std::nullopt;
  const std::string base = videoFileBase(fs, folder, videoName);
  const auto bad = cp932::firstInexact(base);
  if (!bad) return std::nullopt;
  const auto there = fs.fileNames(folder);
  if (std::find(there.begin(), there.end(), base + ".rm") == there.end()) return std::nullopt;
  const std::string written = cp932::windowsForm(*bad);
  return "ビデオファイル「" + base + ".rm」の名前の「" + *bad +
         "」は、Windows のメタファイルには「" + written +
         "」と書かれ、ないファイルを指してしまいます。ビデオファイルの名前の「" + *bad + "」を「" +
         written + "」に変えてから、その名前をビデオ名に入力してください。";
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

std::vector<std::string> missingPages(const FileSystem& fs, const std::string& folder,
                                      const std::string& videoName) {
  const auto there = fs.fileNames(folder);
  std::vector<std::string> missing;
  for (std::string_view pageEnding : {kPageSetEndings[2], kPageSetEndings[3]}) {
    const std::string page = videoName + std::string(pageEnding);
    if (std::find(there.begin(), there.end(), page) == there.end()) missing.push_back(page);
  }
  return missing;
}

std::optional<std::string> pageSetAliasProblem(const FileSystem& fs, const std::string& folder,
                                               const std::string& videoName) {
  for (std::string_view ending : kPageSetEndings) {
    const std::string name = videoName + std::string(ending);
    const auto onDisk = fs.nameOnDisk(fs.join(folder, name));
    if (!onDisk || *onDisk == name) continue;
    return "ビデオ名「" + videoName + "」のファイル「" + name + "」は、既にあるファイル「" +
           *onDisk +
           "」の別名として扱われ、そのファイルが上書きされてしまいます。別のビデオ名を入力して"
           "ください。";
  }
  return std::nullopt;
}

void writePageFiles(FileSystem& fs, const std::vector<PageFile>& files) {
  std::vector<std::string> encoded;
  for (const auto& file : files) encoded.push_back(encodeLines(file.path, file.lines));
  for (const auto& file : files) {
    if (auto reason = fs.lengthProblem(file.path, false)) {
      throw FileError(FileError::Operation::Write, file.path, *reason);
    }
  }
  for (std::size_t i = 0; i < files.size(); ++i) fs.replaceFile(files[i].path, encoded[i]);
}

}  // namespace nubera
