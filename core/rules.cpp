#include "core/rules.h"

#include <algorithm>

#include "core/cp932.h"
#include "core/number_text.h"
#include "core/site_layout.h"
#include "core/site_state.h"

namespace nubera {

namespace {

// ---- Names: what one file or folder name may be, the same on every system. ----

// Names Windows keeps for devices, with or without an extension ("nul.txt" too): COM and LPT
// with a digit 0 to 9 or a superscript ¹ ² ³ after them.
bool deviceName(const std::string& name) {
  std::string base = foldCase(name.substr(0, name.find('.')));
  while (!base.empty() && base.back() == ' ') base.pop_back();
  for (const char* device : {"con", "prn", "aux", "nul", "conin$", "conout$"}) {
    if (base == device) return true;
  }
  if (!base.starts_with("com") && !base.starts_with("lpt")) return false;
  const std::string_view unit = std::string_view(base).substr(3);
  if (unit.size() == 1) return unit[0] >= '0' && unit[0] <= '9';
  return unit == "\u00B9" || unit == "\u00B2" || unit == "\u00B3";
}

// The files that lie beside the program: its state files, the help it names, and every file
// the build installs or packs on any system (shipped_files.inc is made from the build's lists).
bool programFileName(const std::string& name) {
  static constexpr std::string_view kFiles[] = {
      "out01.dat", "nout02.dat", "nout03.dat", "nout04.dat", "NUBERA.hlp",
#include "shipped_files.inc"
  };
  const std::string folded = foldCase(name);
  return std::any_of(std::begin(kFiles), std::end(kFiles),
                     [&](std::string_view file) { return folded == foldCase(file); });
}

// What a name becomes. A folder name is also a part of the published address, and Windows
// silently drops a trailing "." or blank from it; the server folder lies in the program folder
// itself, beside the program's own files. A video name only starts the page set's file names.
enum class NameUse { ServerFolder, Folder, VideoFile };

// Why the name cannot be one file or folder name, as a sentence about `subject`; a typed name's
// sentence ends with what to type instead.
Refusal nameRefusal(const std::string& name, const Message& subject, NameUse use, Origin origin) {
  Message sentence;
  bool replaceCharacter = false;
  constexpr std::string_view kReserved = "/\\:*?\"<>|#%";  // "#", "%" garble an address
  const auto reserved = std::find_if(name.begin(), name.end(), [&](char c) {
    return kReserved.find(c) != std::string_view::npos;
  });
  if (name == "." || name == "..") {
    sentence = Message(MessageId::NameDots, {subject, name});
  } else if (use != NameUse::VideoFile && name.find_first_not_of(". ") == std::string::npos) {
    // A name of nothing else would be the folder above it.
    sentence = Message(MessageId::NameOnlyDots, {subject});
  } else if (use != NameUse::VideoFile && (name.back() == '.' || name.back() == ' ')) {
    sentence = Message(MessageId::NameTrailingDot, {subject});
  } else if (hasControlCharacter(name)) {
    sentence = Message(MessageId::NameControl, {subject});
  } else if (reserved != name.end()) {
    sentence = Message(MessageId::NameReserved, {subject, std::string(1, *reserved)});
  } else if (deviceName(name)) {
    sentence = Message(MessageId::NameDevice, {subject, name});
  } else if (auto bad = cp932::firstUnencodable(name)) {
    sentence = Message(MessageId::NameUnencodable, {subject, shownCharacter(*bad)});
    replaceCharacter = true;
  } else if (use == NameUse::ServerFolder && programFileName(name)) {
    sentence = Message(MessageId::NameProgramFile, {subject, name});
  } else {
    return std::nullopt;
  }
  if (origin == Origin::Stored) return sentence;
  return sentence.then(replaceCharacter ? MessageId::TypeOtherCharacter : MessageId::TypeOtherName);
}

// Why `name` cannot be the folder in `parent` that is made or used: a folder beside it differs
// in letter case alone (Windows would use it, a web server would not), or the system takes the
// name for a folder of another name (a Windows short name such as EXAMPL~1).
Refusal folderBesideRefusal(const FileSystem& fs, const std::string& parent,
                            const std::string& name, const Message& subject) {
  const std::string folded = foldCase(name);
  for (const auto& entry : fs.folderNames(parent)) {
    if (entry != name && foldCase(entry) == folded) {
      return Message(MessageId::FolderCaseTwin, {subject, name, entry, entry});
    }
  }
  const std::string path = fs.join(parent, name);
  const auto onDisk = fs.isDirectory(path) ? fs.nameOnDisk(path) : std::nullopt;
  if (!onDisk || *onDisk == name) return std::nullopt;
  return Message(MessageId::FolderAlias, {subject, name, *onDisk, *onDisk});
}

// Whether the shortest folders `levels` deep below `folder`, and the longest file of the
// shortest page set in the last of them, fit the system's limits.
bool roomBelow(const FileSystem& fs, std::string folder, int levels) {
  for (int i = 0; i < levels; ++i) {
    folder = fs.join(folder, "a");
    if (fs.lengthProblem(folder, true)) return false;
  }
  std::string page = "a";  // the shortest video name's longest file
  page += kLongestEnding;
  return !fs.lengthProblem(fs.join(folder, page), false);
}

// Why the site's folder of that name in `parent` cannot be made or used for its length: the
// folder itself, or what must fit below it (the folders of the levels below, and a page set).
Refusal lengthRefusal(const FileSystem& fs, const std::string& parent, const std::string& name,
                      SiteField field, const Message& subject, Origin origin) {
  const std::string path = fs.join(parent, name);
  // Where not even a name of one letter fits, the folder above is too deep: its own rule (or
  // the program folder's) says so, not this name's.
  const int below = kSiteLevels - 1 - static_cast<int>(field);
  if (!roomBelow(fs, parent, below + 1)) return std::nullopt;
  Message refusal;
  if (auto cause = fs.lengthProblem(path, true)) {
    refusal = Message(MessageId::FolderTooLong, {subject, Message(causeMessage(*cause))});
  } else if (!roomBelow(fs, path, below)) {
    refusal = Message(below > 0 ? MessageId::NoRoomForSite : MessageId::NoRoomForPages, {subject});
  } else {
    return std::nullopt;
  }
  if (origin == Origin::Typed) refusal.then(MessageId::TypeShorterName);
  return refusal;
}

// A name of the virtual server in `parent`, by the rules of the name, of its length (with room
// for the rest of the site below it) and of the folder beside it, typed or stored alike. A
// stored one's refusal names its file and the way to build the site again.
Refusal siteNameRefusal(const FileSystem& fs, const std::string& parent, const std::string& name,
                        SiteField field, MessageId what, Origin origin) {
  const bool stored = origin == Origin::Stored;
  const Message subject =
      stored ? Message(MessageId::SubjectStored, {Message(what), std::string(siteFileName(field))})
             : Message(what);
  Refusal refusal;
  if (name.empty()) {
    refusal = stored ? Message(MessageId::StoredMissing, {subject}) : Message(MessageId::FillIn);
  } else {
    refusal = nameRefusal(name, subject,
                          field == SiteField::ServerName ? NameUse::ServerFolder : NameUse::Folder,
                          origin);
  }
  if (!refusal) refusal = lengthRefusal(fs, parent, name, field, subject, origin);
  if (!refusal) refusal = folderBesideRefusal(fs, parent, name, subject);
  if (!refusal || !stored) return refusal;
  return refusal->then(MessageId::Line, {siteFilePath(fs, field)}).then(MessageId::RebuildSite);
}

// ---- Hosts and addresses. ----

// A number of at most `digits` decimal digits, or -1.
long number(std::string_view text, std::size_t digits) {
  if (text.empty() || text.size() > digits) return -1;
  long value = 0;
  for (char c : text) {
    if (c < '0' || c > '9') return -1;
    value = value * 10 + (c - '0');
  }
  return value;
}

// Four numbers 0 to 255, as a browser takes a host whose last label is a number.
bool ipv4Address(std::string_view host) {
  int numbers = 0;
  for (std::size_t start = 0; start <= host.size(); ++numbers) {
    std::size_t dot = host.find('.', start);
    if (dot == std::string_view::npos) dot = host.size();
    const long value = number(host.substr(start, dot - start), 3);
    if (value < 0 || value > 255) return false;
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
  for (std::size_t start = 0;;) {
    const std::size_t dot = host.find('.', start);
    const std::string_view label =
        host.substr(start, dot == std::string_view::npos ? dot : dot - start);
    if (label.empty() || label.size() > 63 || label.front() == '-' || label.back() == '-' ||
        !std::all_of(label.begin(), label.end(), [](char c) {
          return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') ||
                 c == '-';
        })) {
      return false;
    }
    if (dot == std::string_view::npos) return true;
    start = dot + 1;
  }
}

Refusal hostRefusal(const std::string& server, bool withPort) {
  const std::size_t colon = withPort ? server.find(':') : std::string::npos;
  const std::string_view name = std::string_view(server).substr(0, colon);
  const long portNumber =
      colon == std::string::npos ? 1 : number(std::string_view(server).substr(colon + 1), 5);
  if (hostName(name) && portNumber >= 1 && portNumber <= 65535) return std::nullopt;
  return Message(MessageId::NotAHost, {server});
}

// ---- Player values. ----

// Whether the value is one of the (lower-case) words, in any letter case.
bool oneOf(const std::string& value, std::initializer_list<std::string_view> words) {
  const std::string folded = foldCase(value);
  return std::find(words.begin(), words.end(), folded) != words.end();
}

// "「幅」の「abc」" or, for the empty text, "「幅」が空".
Message settingNamed(MessageId setting, const std::string& value) {
  if (value.empty()) return Message(MessageId::SettingEmpty, {Message(setting)});
  return Message(MessageId::SettingValue, {Message(setting), value});
}

// A size as every browser reads it: digits, at most one "." with digits on both sides, above
// zero, blanks around it. "1e3" or "+320" would be read as 1 or not at all.
Refusal sizeRefusal(MessageId setting, const std::string& value) {
  std::string_view text = value;
  const std::size_t first = text.find_first_not_of(' ');
  if (first != std::string_view::npos) {
    text = text.substr(first, text.find_last_not_of(' ') - first + 1);
  }
  const std::size_t point = text.find('.');
  const std::string_view whole = text.substr(0, point);
  const std::string_view fraction =
      point == std::string_view::npos ? std::string_view("0") : text.substr(point + 1);
  bool digits = first != std::string_view::npos;
  bool positive = false;
  for (std::string_view part : {whole, fraction}) {
    digits = digits && !part.empty() && part.find_first_not_of("0123456789") == part.npos;
    positive = positive || part.find_first_not_of('0') != part.npos;
  }
  if (digits && positive) return std::nullopt;
  return Message(value.empty() ? MessageId::SizeMissing : MessageId::SizeNotANumber,
                 {settingNamed(setting, value)});
}

}  // namespace

// ---- The rules. ----

Refusal serverNameRefusal(const FileSystem& fs, const std::string& name, ServerNameUse use,
                          Origin origin) {
  if (use == ServerNameUse::Host) {
    return name.empty() ? Message(MessageId::FillIn) : hostRefusal(name, true);
  }
  if (auto refusal = siteNameRefusal(fs, fs.programDirectory(), name, SiteField::ServerName,
                                     MessageId::SubjectServer, origin)) {
    return refusal;
  }
  if (use == ServerNameUse::Folder) return std::nullopt;
  // The name is also the host of every published address.
  auto refusal = hostRefusal(name, false);
  if (!refusal || origin == Origin::Typed) return refusal;
  return refusal->then(MessageId::Line, {siteFilePath(fs, SiteField::ServerName)})
      .then(MessageId::RetypeServer);
}

Refusal accountRefusal(const FileSystem& fs, const std::string& serverFolder,
                       const std::string& name, Origin origin) {
  return siteNameRefusal(fs, serverFolder, name, SiteField::AccountName, MessageId::SubjectAccount,
                         origin);
}

Refusal videoFolderRefusal(const FileSystem& fs, const std::string& accountFolder,
                           const std::string& name, Origin origin) {
  return siteNameRefusal(fs, accountFolder, name, SiteField::ContentFolder,
                         MessageId::SubjectFolder, origin);
}

Refusal videoNameRefusal(const FileSystem& fs, const std::string& folder, const std::string& name,
                         Pass pass) {
  if (name.empty()) return Message(MessageId::FillIn);
  if (auto refusal =
          nameRefusal(name, Message(MessageId::SubjectVideo), NameUse::VideoFile, Origin::Typed)) {
    return refusal;
  }
  // A Windows metafile line is code page 932: 〜 would be written as ～, naming another file
  // than the one the page set names.
  const auto inexact = fs.isWindows() ? cp932::firstInexact(name) : std::nullopt;
  if (inexact) {
    const std::string written = cp932::windowsForm(*inexact);
    return Message(MessageId::VideoInexact, {*inexact, written, *inexact, written, written});
  }
  // Windows writes a page set whose names differ in letter case alone over the other's files,
  // while the pages and a web server name them apart.
  for (const auto& file : fs.fileNames(folder)) {
    for (std::string_view ending : kPageSetEndings) {
      const std::string wanted = name + std::string(ending);
      if (file == wanted || foldCase(file) != foldCase(wanted)) continue;
      const std::string twin = file.substr(0, file.size() - ending.size());
      return Message(MessageId::VideoCaseTwin, {name, twin, twin, twin});
    }
  }
  // A file name the system takes for another existing file (a short name such as SPORTS~1.RAM).
  for (std::string_view ending : kPageSetEndings) {
    const std::string file = name + std::string(ending);
    const auto onDisk = fs.nameOnDisk(fs.join(folder, file));
    if (!onDisk || *onDisk == file) continue;
    return Message(MessageId::VideoFileAlias, {name, file, *onDisk});
  }
  // The preview line names the video file as it lies in the folder; on Windows in code page
  // 932, which may hold it only as another character or not at all.
  const std::string base = videoFileBase(fs, folder, name);
  const auto bad = pass == Pass::Preview && fs.isWindows() && base != name
                       ? cp932::firstInexact(base)
                       : std::nullopt;
  if (!bad) return std::nullopt;
  const std::string renamed = cp932::windowsForm(cp932::composed(base));
  const Message how = cp932::firstInexact(renamed)
                          ? Message(MessageId::RenameWithout)
                          : Message(MessageId::RenameTo, {videoFileName(renamed)});
  return Message(MessageId::VideoFileUnwritable, {videoFileName(base), shownCharacter(*bad), how});
}

Refusal videoAddressRefusal(const std::string& address) {
  if (address.empty()) return Message(MessageId::FillIn);
  // A server reads an escape as the character it stands for.
  const std::string read = urlDecoded(address);
  if (hasControlCharacter(read)) return Message(MessageId::AddressControl);
  if (address.front() != '/' || address.back() != '/') {
    return Message(MessageId::AddressSlashes, {address});
  }
  for (std::size_t start = 0; start != std::string::npos;) {
    const std::size_t slash = read.find('/', start);
    const std::string part = read.substr(start, slash == std::string::npos ? slash : slash - start);
    start = slash == std::string::npos ? slash : slash + 1;
    if (part == "." || part == "..") return Message(MessageId::AddressDots, {address, part});
  }
  return std::nullopt;
}

Refusal widthRefusal(const std::string& width) {
  if (auto refusal = sizeRefusal(MessageId::SettingWidth, width)) return refusal;
  if (heightForWidth(width)) return std::nullopt;
  return Message(MessageId::WidthTooLarge, {settingNamed(MessageId::SettingWidth, width)});
}

Refusal heightRefusal(const std::string& width, const std::string& height) {
  if (auto refusal = sizeRefusal(MessageId::SettingHeight, height)) return refusal;
  // The height only ever follows the width; another one would stretch the video.
  const auto wanted = widthRefusal(width) ? std::nullopt : heightForWidth(width);
  if (!wanted || *wanted == height) return std::nullopt;
  return Message(MessageId::HeightNotRule, {settingNamed(MessageId::SettingHeight, height),
                                            settingNamed(MessageId::SettingWidth, width)});
}

Refusal autostartRefusal(const std::string& autostart) {
  if (oneOf(autostart, {PlayerWords::kOn, PlayerWords::kOff})) return std::nullopt;
  return Message(MessageId::AutostartWord, {settingNamed(MessageId::SettingAutostart, autostart)});
}

Refusal alignmentRefusal(const std::string& alignment) {
  if (oneOf(alignment, {PlayerWords::kCenter, PlayerWords::kLeft, PlayerWords::kRight})) {
    return std::nullopt;
  }
  return Message(MessageId::AlignmentWord, {settingNamed(MessageId::SettingAlignment, alignment)});
}

namespace {

// Each player value's rule, in the order a refusal names them.
using PlayerRule = Refusal (*)(const PlayerSettings&);
constexpr std::pair<PlayerValue, PlayerRule> kPlayerRules[] = {
    {PlayerValue::Width, [](const PlayerSettings& p) { return widthRefusal(p.width); }},
    {PlayerValue::Height, [](const PlayerSettings& p) { return heightRefusal(p.width, p.height); }},
    {PlayerValue::Alignment, [](const PlayerSettings& p) { return alignmentRefusal(p.alignment); }},
    {PlayerValue::Autostart, [](const PlayerSettings& p) { return autostartRefusal(p.autostart); }},
};
static_assert(std::size(kPlayerRules) == std::size(kPlayerValues), "a rule for every value");

}  // namespace

Refusal playerRefusal(const PlayerSettings& p) {
  Message refusal(MessageId::PlayerRefused);
  for (const auto& [value, rule] : kPlayerRules) {
    if (Refusal r = rule(p)) refusal.then(*r);
  }
  if (refusal.next.empty()) return std::nullopt;
  return refusal.then(MessageId::PlayerFixOnSettings);
}

Refusal programFolderRefusal(const FileSystem& fs, int levels, bool pathWritten) {
  const std::string dir = fs.programDirectory();
  // The path is stored in code page 932 and read back from it: a character that comes back as
  // another (〜 as ～) would name a folder that does not exist.
  if (auto bad = pathWritten ? cp932::firstInexact(dir) : std::nullopt) {
    const Message which = cp932::firstUnencodable(*bad)
                              ? Message(MessageId::WhichUnencodable, {shownCharacter(*bad)})
                              : Message(MessageId::WhichChanges, {cp932::windowsForm(*bad), *bad});
    return Message(MessageId::ProgramPathHasCharacter, {which, dir});
  }
  // Folders of one letter and the shortest page set below them must fit the system's limits;
  // else no name the user could type would.
  if (roomBelow(fs, dir, levels)) return std::nullopt;
  return Message(MessageId::ProgramFolderTooDeep, {dir});
}

}  // namespace nubera
