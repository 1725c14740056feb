#include "core/names.h"

#include <array>
#include <string_view>

#include "core/cp932.h"

namespace nubera {

namespace {

std::string lowerAscii(std::string_view s) {
  std::string out(s);
  for (char& c : out) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return out;
}

// Names Windows keeps for devices, with or without an extension ("nul.txt" too): COM and LPT
// with a digit 0 to 9 or a superscript ¹ ² ³ after them.
bool deviceName(const std::string& name) {
  std::string base = lowerAscii(name.substr(0, name.find('.')));
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
  for (auto file : kFiles) {
    if (folded == foldCase(file)) return true;
  }
  return false;
}

}  // namespace

std::string foldCase(std::string_view s) {
  std::string out(s);
  for (std::size_t i = 0; i < out.size(); ++i) {
    auto b = [&](std::size_t k) { return static_cast<unsigned char>(out[k]); };
    if (b(i) >= 'A' && b(i) <= 'Z') {
      out[i] = static_cast<char>(b(i) + 0x20);
    } else if (i + 1 < out.size() && (b(i) == 0xCE || b(i) == 0xD0)) {
      const unsigned cp = (b(i) & 0x1Fu) << 6 | (b(i + 1) & 0x3Fu);
      unsigned lower = cp;
      if ((cp >= 0x391 && cp <= 0x3A9) || (cp >= 0x410 && cp <= 0x42F)) lower = cp + 0x20;
      if (cp >= 0x400 && cp <= 0x40F) lower = cp + 0x50;
      out[i] = static_cast<char>(0xC0 | lower >> 6);
      out[i + 1] = static_cast<char>(0x80 | (lower & 0x3F));
      ++i;
    } else if (i + 2 < out.size() && b(i) == 0xEF && b(i + 1) == 0xBC && b(i + 2) >= 0xA1 &&
               b(i + 2) <= 0xBA) {  // Ａ..Ｚ to ａ..ｚ
      out[i + 1] = static_cast<char>(0xBD);
      out[i + 2] = static_cast<char>(b(i + 2) - 0x20);
      i += 2;
    } else if (i + 2 < out.size() && b(i) == 0xE2 && b(i + 1) == 0x85 && b(i + 2) >= 0xA0 &&
               b(i + 2) <= 0xA9) {  // Ⅰ..Ⅹ to ⅰ..ⅹ, which NTFS folds like letters
      out[i + 2] = static_cast<char>(b(i + 2) + 0x10);
      i += 2;
    }
  }
  return out;
}

bool hasControlCharacter(std::string_view text) {
  for (std::size_t i = 0; i < text.size(); ++i) {
    const auto u = static_cast<unsigned char>(text[i]);
    if (u < 0x20 || u == 0x7F) return true;
    // U+0080..U+009F, written C2 80..C2 9F.
    if (u == 0xC2 && i + 1 < text.size()) {
      const auto next = static_cast<unsigned char>(text[i + 1]);
      if (next >= 0x80 && next <= 0x9F) return true;
    }
  }
  return false;
}

std::optional<NameFault> nameFault(const std::string& name, const std::string& subject,
                                   NameUse use) {
  if (name == "." || name == "..") return NameFault{subject + "に「" + name + "」は使えません。"};
  if (use != NameUse::VideoFile) {
    // Windows drops these from the end of a folder name, so the folder made would not be the
    // one stored and published; a name of nothing else would be the program folder itself.
    if (name.find_first_not_of(". ") == std::string::npos) {
      return NameFault{subject + "を「.」や空白だけにはできません。"};
    }
    if (name.back() == '.' || name.back() == ' ') {
      return NameFault{subject + "の最後に「.」や空白は使えません。"};
    }
  }
  // Windows refuses these in names; "#" and "%" cut or garble the address a browser follows.
  constexpr std::string_view reserved = "/\\:*?\"<>|#%";
  if (hasControlCharacter(name)) return NameFault{subject + "に制御文字は使えません。"};
  for (char c : name) {
    if (reserved.find(c) != std::string_view::npos) {
      return NameFault{subject + "に使えない文字「" + std::string(1, c) + "」が含まれています。"};
    }
  }
  if (deviceName(name)) {
    return NameFault{subject + "「" + name + "」は Windows が装置に使う名前なので使えません。"};
  }
  if (auto bad = cp932::firstUnencodable(name)) {
    return NameFault{subject + "の「" + *bad + "」は Shift_JIS で保存できない文字です。", true};
  }
  if (use == NameUse::ServerFolder && programFileName(name)) {
    return NameFault{subject + "「" + name +
                     "」はこのプログラムのファイルと同じ名前なので使えません。"};
  }
  return std::nullopt;
}

std::optional<std::string> nameProblem(const std::string& name, const std::string& what,
                                       NameUse use) {
  auto fault = nameFault(name, what, use);
  if (!fault) return std::nullopt;
  return fault->sentence + (fault->replaceCharacter ? "別の文字に置き換えてください。"
                                                    : "別の名前を入力してください。");
}

std::optional<std::string> caseTwin(const FileSystem& fs, const std::string& parent,
                                    const std::string& name) {
  const std::string folded = foldCase(name);
  for (const auto& entry : fs.folderNames(parent)) {
    if (entry != name && foldCase(entry) == folded) return entry;
  }
  return std::nullopt;
}

std::string caseTwinSentence(const std::string& subject, const std::string& name,
                             const std::string& twin) {
  return subject + "「" + name + "」と大文字・小文字だけが違うフォルダー「" + twin +
         "」が既にあります。サーバーでは別の名前になるので、「" + twin +
         "」と同じに入力してください。";
}

std::optional<std::string> folderNameProblem(const FileSystem& fs, const std::string& parent,
                                             const std::string& name, const std::string& subject) {
  if (auto twin = caseTwin(fs, parent, name)) return caseTwinSentence(subject, name, *twin);
  const std::string path = fs.join(parent, name);
  if (!fs.isDirectory(path)) return std::nullopt;
  auto onDisk = fs.nameOnDisk(path);
  if (!onDisk || *onDisk == name) return std::nullopt;
  // Windows took the name for another one of the folder (a short name such as EXAMPL~1):
  // the files would go there while the address would name a folder the server lacks.
  return subject + "「" + name + "」は、既にあるフォルダー「" + *onDisk +
         "」の別名として扱われます。サーバーでは別の名前になるので、「" + *onDisk +
         "」と同じに入力するか、別の名前を入力してください。";
}

std::optional<std::string> pageSetTwin(const FileSystem& fs, const std::string& folder,
                                       const std::string& videoName) {
  for (const auto& file : fs.fileNames(folder)) {
    for (std::string_view suffix : kPageSetEndings) {
      const std::string wanted = videoName + std::string(suffix);
      if (file != wanted && foldCase(file) == foldCase(wanted)) {
        return file.substr(0, file.size() - suffix.size());
      }
    }
  }
  return std::nullopt;
}

std::string pageSetTwinSentence(const std::string& videoName, const std::string& twin) {
  return "ビデオ名「" + videoName + "」と大文字・小文字だけが違うページ一式「" + twin + "」（" +
         twin +
         ".ram など）が既にあります。Windows では同じファイルに上書きされ、"
         "サーバーでは別の名前になるので、「" +
         twin + "」と同じに入力するか、別の名前を入力してください。";
}

std::optional<std::string> programFolderProblem(const std::string& programDirectory) {
  // The path is stored in code page 932 and read back from it: a character that comes back
  // as another (〜 as ～) would name a folder that does not exist.
  auto bad = cp932::firstInexact(programDirectory);
  if (!bad) return std::nullopt;
  std::string which = "Shift_JIS で保存できない文字「" + *bad + "」";
  if (!cp932::firstUnencodable(*bad)) {
    which = "Shift_JIS で保存すると別の文字（" + *cp932::decode(cp932::encode(*bad)) +
            "）に変わる文字「" + *bad + "」";
  }
  return "プログラムのフォルダーの場所に、" + which + "が含まれています。\n" + programDirectory +
         "\nこの場所はファイルに書き込まれるので、このままでは作成できません。"
         "st_nubera のフォルダーごと、場所にこのような文字を含まないフォルダーに移してから"
         "起動してください。";
}

}  // namespace nubera
