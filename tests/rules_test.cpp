// The rule book: a table for each kind of value, with a row at each edge of its rules.

#include "core/rules.h"

#include <gtest/gtest.h>

#include "core/site_state.h"
#include "platform/local_file_system.h"
#include "platform/memory_file_system.h"
#include "test_support.h"

using namespace nubera;

namespace {

enum class Kind { Server, Account, Folder, Video };

Refusal refusalOf(const FileSystem& fs, Kind kind, const std::string& name) {
  const std::string dir = fs.programDirectory();
  switch (kind) {
    case Kind::Server:
      return serverNameRefusal(fs, name, ServerNameUse::Folder);
    case Kind::Account:
      return accountRefusal(fs, dir, name);
    case Kind::Folder:
      return videoFolderRefusal(fs, dir, name);
    case Kind::Video:
      break;
  }
  return videoNameRefusal(fs, dir, name, Pass::Preview);
}

// Each row: the refusal holds this text (nullptr: accepted).
struct Row {
  const char* value;
  const char* refusalHolds;
};

void expectRows(const char* what, const std::vector<Row>& rows,
                const std::function<Refusal(const std::string&)>& rule) {
  for (const auto& [value, holds] : rows) {
    const Refusal refusal = rule(value);
    if (!holds) {
      EXPECT_EQ(refusal, std::nullopt) << what << " " << value;
    } else {
      ASSERT_TRUE(refusal) << what << " " << value;
      EXPECT_NE(refusal->find(holds), std::string::npos) << *refusal;
    }
  }
}

}  // namespace

// What one file or folder name may be, on the system the suite runs on: the same on every
// system but where Windows itself changes what a video name's line says.
TEST(Rules, NamesOfFilesAndFolders) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
#ifdef _WIN32
  const char* wavyVideo = "Windows のメタファイルには「～」と書かれ";
#else
  const char* wavyVideo = nullptr;  // a file URL holds it as typed
#endif
  const struct {
    Kind kind;
    Row row;
  } rows[] = {
      {Kind::Video, {"abc", nullptr}},
      {Kind::Video, {"   ", nullptr}},  // blanks are a name
      {Kind::Video, {"動画 1", nullptr}},
      {Kind::Video, {"〜ｖ", wavyVideo}},
      {Kind::Video, {"～ｖ", nullptr}},
      {Kind::Video, {"con1", nullptr}},
      {Kind::Video, {"out01.dat", nullptr}},  // only beside the program is it taken
      {Kind::Video, {"", "記入しましょう。"}},
      {Kind::Video, {".", "「.」"}},
      {Kind::Video, {"..", "「..」"}},
      {Kind::Video, {"a\tb", "制御文字"}},
      {Kind::Video, {"a\x1F", "制御文字"}},
      {Kind::Video, {"a\x7F", "制御文字"}},
      {Kind::Video, {"a\u0080b", "制御文字"}},  // the first C1
      {Kind::Video, {"a\u009Fb", "制御文字"}},  // and the last
      {Kind::Video, {"a\u00A1b", "「¡」は Shift_JIS"}},
      {Kind::Video, {"a/b", "「/」"}},
      {Kind::Video, {"a\\b", "「\\」"}},
      {Kind::Video, {"a:b", "「:」"}},
      {Kind::Video, {"a*b", "「*」"}},
      {Kind::Video, {"a?b", "「?」"}},
      {Kind::Video, {"a\"b", "「\"」"}},
      {Kind::Video, {"a<b", "「<」"}},
      {Kind::Video, {"a>b", "「>」"}},
      {Kind::Video, {"a|b", "「|」"}},
      {Kind::Video, {"a#b", "「#」"}},
      {Kind::Video, {"100%", "「%」"}},
      {Kind::Video, {"名前😀", "の「😀」は Shift_JIS で保存できない文字です。別の文字に"}},
      // Characters that cannot be seen are named by their code and what they look like.
      {Kind::Video, {"a\u00A0b", "の「U+00A0」（空白に見える文字）は Shift_JIS"}},
      {Kind::Video, {"a\u200Bb", "「U+200B」（目に見えない文字）"}},
      {Kind::Video, {"\uFEFFab", "「U+FEFF」（目に見えない文字）"}},
      {Kind::Video, {"a\u2028b", "「U+2028」（改行に見える文字）"}},
      {Kind::Video, {"\u3099ab", "「U+3099」（前の文字に重なる記号）"}},
      {Kind::Video, {"か\u3099", "「U+3099」（前の文字に重なる記号）"}},  // typed, not composed
      {Kind::Video, {"e\u0301", "「U+0301」（前の文字に重なる記号）"}},
      {Kind::Video, {"CON", "装置"}},
      {Kind::Video, {"nul.txt", "装置"}},
      {Kind::Video, {"Lpt9", "装置"}},
      {Kind::Video, {"com3 .rm", "装置"}},
      {Kind::Video, {"COM0", "装置"}},
      {Kind::Video, {"lpt\u00B2.htm", "装置"}},
      {Kind::Video, {"CONIN$", "装置"}},
      {Kind::Video, {"conout$.txt", "装置"}},
      {Kind::Video, {"com10", nullptr}},
      // A video name starts file names only; a folder name ends a path Windows trims.
      {Kind::Video, {"abc.", nullptr}},
      {Kind::Video, {" ", nullptr}},
      {Kind::Folder, {"vid.", "最後に「.」や空白"}},
      {Kind::Server, {"abc ", "最後に「.」や空白"}},
      {Kind::Server, {"out01.dat ", "最後に「.」や空白"}},
      {Kind::Account, {"a b", nullptr}},
      {Kind::Account, {"", "記入しましょう。"}},
      {Kind::Folder, {"...", "「.」や空白だけ"}},
      {Kind::Folder, {". ", "「.」や空白だけ"}},
      {Kind::Account, {" ", "「.」や空白だけ"}},
      {Kind::Account, {"a\u00A0", "アカウント名の「U+00A0」（空白に見える文字）"}},
      {Kind::Folder, {"〜ｖ", nullptr}},  // a folder is stored in its Windows form
      {Kind::Server, {"OUT01.DAT", "このプログラムのファイル"}},
      {Kind::Server, {"nubera.hlp", "このプログラムのファイル"}},  // its entry has capitals
      {Kind::Server, {"nout04.dat", "このプログラムのファイル"}},
      {Kind::Server, {"St_Nubera.exe", "このプログラムのファイル"}},
      {Kind::Server, {"nubera_help.html", "このプログラムのファイル"}},
      {Kind::Server, {"Quick@2x.JPG", "このプログラムのファイル"}},
      {Kind::Server, {"st_nubera.png", "このプログラムのファイル"}},
      {Kind::Server, {"はじめにお読みください.txt", "このプログラムのファイル"}},
      {Kind::Server, {"ＮＵＢＥＲＡ.hlp", nullptr}},  // full-width: another name
      {Kind::Account, {"out01.dat", nullptr}},        // not beside the program
  };
  for (const auto& [kind, row] : rows) {
    expectRows("name", {row},
               [&, kind = kind](const std::string& v) { return refusalOf(fs, kind, v); });
  }
  // A NUL inside the text is a control character, however the text reached us.
  EXPECT_NE(refusalOf(fs, Kind::Server, std::string("a\0b", 3)), std::nullopt);
}

// Letter case as Windows folds it: one worked pair from each script it folds; characters that
// only look alike (〜 and ～, ｱ and ア) stay apart.
TEST(Rules, LetterCaseFoldsAsWindowsFoldsIt) {
  const std::pair<const char*, const char*> folded[] = {
      {"ABC", "abc"},
      {"ＡＢＣ", "ａｂｃ"},
      {"ΑΩ", "αω"},
      {"ЖЁ", "жё"},
      {"動画Ⅱ", "動画ⅱ"},
      {"Ⅹ", "ⅹ"},
      // the last letter of each range
      {"Z", "z"},
      {"Ｚ", "ｚ"},
      {"Ω", "ω"},
      {"Я", "я"},
      {"Џ", "џ"},
  };
  for (const auto& [upper, lower] : folded) EXPECT_EQ(foldCase(upper), foldCase(lower)) << upper;
  EXPECT_EQ(foldCase("動画Ⅱ"), "動画ⅱ");
  // Just past each range nothing folds: "[" is not "{", nor "@" "`", nor "［" "｛".
  for (const char* beside : {"[", "@", "［", "＠", "Ⅺ", "а"}) EXPECT_EQ(foldCase(beside), beside);
  for (const auto& [a, b] : {std::pair{"〜", "～"}, {"ｱ", "ア"}, {"Ⅰ", "ⅱ"}, {"a", "ａ"}}) {
    EXPECT_NE(foldCase(a), foldCase(b)) << a << " " << b;
  }
}

// A host name, as the server folder screen and a stored site take it, and with a port as the
// detailed screen's typed address does.
TEST(Rules, ServerNamesAsHosts) {
  MemoryFileSystem fs{"C:\\p"};
  const std::string longestLabel = std::string(63, 'a') + ".jp";
  const std::vector<Row> site = {
      {"www.example.ne.jp", nullptr},
      {"192.168.0.1", nullptr},
      {"a1.example.jp", nullptr},
      {"x.1a", nullptr},
      {"a-b.jp", nullptr},
      {longestLabel.c_str(), nullptr},
      {"my server", "サーバーの名前として使えません"},
      {"my_server", "サーバーの名前として使えません"},
      {"-a.jp", "例：www.example.ne.jp"},
      {"a-.jp", "例：www.example.ne.jp"},
      {"a..jp", "例：www.example.ne.jp"},
      {".a.jp", "例：www.example.ne.jp"},
      {"日本.jp", "例：www.example.ne.jp"},
      {"999.1.1.1", "例：www.example.ne.jp"},
      {"1.2.3", "例：www.example.ne.jp"},
      {"1.2.3.4.5", "例：www.example.ne.jp"},
      {"1.2.3.256", "例：www.example.ne.jp"},
      {"example.123", "例：www.example.ne.jp"},
      {"user@host", "例：www.example.ne.jp"},
  };
  expectRows("site", site,
             [&](const std::string& v) { return serverNameRefusal(fs, v, ServerNameUse::Site); });
  const std::string longLabel = std::string(64, 'a') + ".jp";
  EXPECT_TRUE(serverNameRefusal(fs, longLabel, ServerNameUse::Site));
  // A preview needs only the server folder.
  EXPECT_EQ(serverNameRefusal(fs, "my_server", ServerNameUse::Folder), std::nullopt);
  const std::vector<Row> host = {
      {"www.example.jp:8080", nullptr},
      {"255.0.0.9:80", nullptr},
      {"a.jp:1", nullptr},
      {"a.jp:65535", nullptr},
      {"", "記入しましょう。"},
      {"a.jp:", "例：www.example.ne.jp"},
      {"a.jp:0", "例：www.example.ne.jp"},
      {"a.jp:65536", "例：www.example.ne.jp"},
      {"http://www.example.ne.jp", "例：www.example.ne.jp"},
      {"www.example.ne.jp/", "例：www.example.ne.jp"},
  };
  expectRows("host", host,
             [&](const std::string& v) { return serverNameRefusal(fs, v, ServerNameUse::Host); });
}

// The detailed screen's video address, typed and escaped alike: a server reads "%0A" as the
// line break and "%2E%2E" as "..", which it resolves to the folder above.
TEST(Rules, VideoAddresses) {
  const std::vector<Row> rows = {
      {"/", nullptr},
      {"/~user/v/", nullptr},
      {"/a b/", nullptr},
      {"/%7Euser/100%/", nullptr},
      {"/.../", nullptr},
      {"/.a/a./", nullptr},
      {"/%2E%2E%2E/", nullptr},
      {"", "記入しましょう。"},
      {"video", "「/」で始めて「/」で終えて"},
      {"/video", "「/」で始めて「/」で終えて"},
      {"v/", "「/」で始めて「/」で終えて"},
      {"/a\tb/", "制御文字"},
      {"/a%00b/", "制御文字"},
      {"/%0A/", "制御文字"},
      {"/%0d/", "制御文字"},
      {"/%1B/", "制御文字"},
      {"/%1f/", "制御文字"},
      {"/%7F/", "制御文字"},
      {"/%C2%85/", "制御文字"},
      {"/a/../b/", "の「..」は"},
      {"/../", "の「..」は"},
      {"/./v/", "の「.」は"},
      {"/v/./", "の「.」は"},
      {"/%2E%2E/v/", "の「..」は"},
      {"/.%2e/v/", "の「..」は"},
      {"/%2e/", "の「.」は"},
  };
  expectRows("address", rows, videoAddressRefusal);
}

// Player values the page cannot hold, each named; letter case is free, and the height is
// always the one the width gives.
TEST(Rules, PlayerValues) {
  const std::string huge(400, '9');
  const std::string twenty = "10000000000000000000";
  const struct {
    PlayerSettings player;
    const char* holds;
  } rows[] = {
      {{"320", "240", "true", "center"}, nullptr},
      {{"321", "240.75", "TRUE", "Left"}, nullptr},
      {{" 320", "240", "false", "right"}, nullptr},
      {{"320.5", "240.375", "False", "CENTER"}, nullptr},
      {{"0.4", "0.3", "false", "right"}, nullptr},
      {{twenty, "7500000000000000000", "true", "center"}, nullptr},
      {{"abc", "240", "true", "center"}, "「幅」の「abc」は数値ではありません。"},
      {{"", "240", "true", "center"}, "「幅」が空です。"},
      {{"３２０", "240", "true", "center"}, "「幅」の「３２０」は数値ではありません。"},
      {{"1e3", "750", "true", "center"}, "「幅」の「1e3」"},
      {{"+320", "240", "true", "center"}, "「幅」の「+320」"},
      {{".5", "240", "true", "center"}, "「幅」の「.5」"},
      {{"5.", "240", "true", "center"}, "「幅」の「5.」"},
      {{"-320", "-240", "true", "center"}, "「幅」の「-320」"},
      {{"0", "0", "true", "center"}, "「幅」の「0」"},
      {{"0.0", "0", "true", "center"}, "「幅」の「0.0」"},
      {{"1.2.3", "240", "true", "center"}, "「幅」の「1.2.3」"},
      {{huge, "240", "true", "center"}, "」は大きすぎて、高さが決まりません。"},
      {{"320", "x", "true", "center"}, "「高さ」の「x」は数値ではありません。"},
      {{"320", "241", "true", "center"}, "「高さ」の「241」は、「幅」の「320」の 4 分の 3 では"},
      {{twenty, "75000000000000000000", "true", "center"}, "の 4 分の 3 ではありません"},
      {{"320", "240", "true", "middle"}, "「位置」の「middle」は使えません。"},
      {{"320", "240", "true", " "}, "「位置」の「 」は使えません。"},
      {{"320", "240", "yes", "center"}, "「オート起動」の「yes」は使えません。"},
  };
  for (const auto& [player, holds] : rows) {
    const Refusal refusal = playerRefusal(player);
    if (!holds) {
      EXPECT_EQ(refusal, std::nullopt) << player.width << " " << player.height;
      continue;
    }
    ASSERT_TRUE(refusal) << holds;
    EXPECT_NE(refusal->find(holds), std::string::npos) << *refusal;
    EXPECT_TRUE(refusal->ends_with("「設定」を押して、設定の画面で直してください。")) << *refusal;
  }
}

// A stored value is refused as a typed one is, naming its file and the way to build the site
// again; an empty one is missing rather than to be filled in.
TEST(Rules, StoredSiteValuesNameTheirFiles) {
  MemoryFileSystem fs{"C:\\p"};
  const std::string rebuild =
      "メインメニューの「仮想サーバー作成」で仮想サーバーを作り直してください。";
  for (const auto& [value, holds] :
       std::vector<std::pair<std::string, std::string>>{{"srv", ""},
                                                        {"", "がありません。"},
                                                        {"s\tx", "制御文字"},
                                                        {"s\x7Fx", "制御文字"},
                                                        {"s\xC2\x85x", "制御文字"},
                                                        {"a:b", "「:」"}}) {
    const std::pair<Refusal, const char*> refusals[] = {
        {serverNameRefusal(fs, value, ServerNameUse::Folder, Origin::Stored), "out01.dat"},
        {accountRefusal(fs, "C:\\p", value, Origin::Stored), "nout02.dat"},
        {videoFolderRefusal(fs, "C:\\p", value, Origin::Stored), "nout03.dat"}};
    for (const auto& [refusal, file] : refusals) {
      if (holds.empty()) {
        EXPECT_EQ(refusal, std::nullopt) << file;
        continue;
      }
      ASSERT_TRUE(refusal) << file << " " << value;
      EXPECT_NE(refusal->find(holds), std::string::npos) << *refusal;
      EXPECT_TRUE(refusal->ends_with(std::string("\nC:\\p\\") + file + "\n" + rebuild)) << *refusal;
    }
  }
}

// A site name too long for its folder, or one that leaves no room below it for the rest of the
// site, is refused by its rule, typed or stored alike, with the length as the reason; a stored
// one names its file. A name is not blamed where not even one letter would fit.
TEST(Rules, SiteNamesLeaveRoomForTheSiteBelow) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  const std::string tooLong(256, 'a');
  const std::pair<Refusal, const char*> rows[] = {
      {accountRefusal(fs, tmp.path(), tooLong), "名前が長すぎます。短い名前を入力してください。"},
      {accountRefusal(fs, tmp.path(), tooLong, Origin::Stored),
       "保存されているアカウント名（nout02.dat）のフォルダーを作れません。名前が長すぎます。\n"},
      {serverNameRefusal(fs, tooLong, ServerNameUse::Site), "名前が長すぎます。"},
      {serverNameRefusal(fs, tooLong, ServerNameUse::Folder, Origin::Stored),
       "（out01.dat）のフォルダーを作れません。名前が長すぎます。"},
      {videoFolderRefusal(fs, tmp.path(), tooLong, Origin::Stored), "（nout03.dat）"},
  };
  for (const auto& [refusal, holds] : rows) {
    ASSERT_TRUE(refusal) << holds;
    EXPECT_NE(refusal->find(holds), std::string::npos) << *refusal;
  }
  // The program folder's path for which the virtual server's a\a\a with apop.htm just fits.
#ifdef _WIN32
  const std::size_t fits = 237;
#else
  const std::size_t fits = PATH_MAX - 1 - 15;
#endif
  const char sep = fs.separator();
  const auto programFolder = [&](std::size_t length) {
    return tmp.path() + sep + std::string(length - tmp.path().size() - 1, 'd');
  };
  // A server folder of 40 letters one character deeper than that holds the rest; one more does
  // not. Where the program folder itself has no room, that is not the name's fault.
  const std::string server(40, 's');
  EXPECT_EQ(
      serverNameRefusal(LocalFileSystem(programFolder(fits + 2 - 41)), server, ServerNameUse::Site),
      std::nullopt);
  const Refusal deep =
      serverNameRefusal(LocalFileSystem(programFolder(fits + 3 - 41)), server, ServerNameUse::Site);
  ASSERT_TRUE(deep);
  EXPECT_EQ(*deep,
            "サーバー名のフォルダーの中に仮想サーバーのフォルダーやページを作れません"
            "（パスが長すぎます）。短い名前を入力してください。");
  EXPECT_EQ(serverNameRefusal(LocalFileSystem(programFolder(fits + 1)), "s", ServerNameUse::Site),
            std::nullopt);
}

// Beside folders and page sets that differ in letter case alone, the one there is named; so is
// a name the system takes for another (a short name, seen here through a memory tree's case).
TEST(Rules, TwinsBesideAreNamed) {
  MemoryFileSystem fs{"C:\\p"};
  fs.makeDirectory("C:\\p\\動画Ⅱ");
  fs.replaceFile("C:\\p\\abcenb.htm", "x");
  fs.replaceFile("C:\\p\\clip.RAM", "x");
  const Refusal twin = videoFolderRefusal(fs, "C:\\p", "動画ⅱ");
  ASSERT_TRUE(twin);
  EXPECT_NE(twin->find("「動画Ⅱ」と同じに"), std::string::npos) << *twin;
  EXPECT_EQ(videoFolderRefusal(fs, "C:\\p", "動画Ⅱ"), std::nullopt);
  const std::vector<Row> videos = {
      {"ABC", "ページ一式「abc」"},
      {"clip", "ページ一式「clip」"},  // clip.RAM would be overwritten
      {"abc", nullptr},                // the same name saves again
      {"ab", nullptr},
  };
  expectRows("video", videos,
             [&](const std::string& v) { return videoNameRefusal(fs, "C:\\p", v, Pass::Publish); });
}

// The metafile lines name the video file that lies in the folder: the typed name, or one that
// reads the same (〜 as ～, が as か + U+3099 as a Mac writes it). A Windows line cannot name a
// file whose name code page 932 holds only as another character, or not at all.
TEST(Rules, TheVideoFileThatIsThere) {
  MemoryFileSystem fs{"C:\\p"};
  EXPECT_EQ(videoFileBase(fs, "C:\\p", "～a"), "～a");
  fs.replaceFile("C:\\p\\〜a.rm", "v");
  fs.replaceFile("C:\\p\\か\u3099っこう.rm", "v");
  fs.replaceFile("C:\\p\\b.rm", "v");
  fs.replaceFile("C:\\p\\ヘ\u309Aージ.ram", "not a video");
  EXPECT_EQ(videoFileBase(fs, "C:\\p", "～a"), "〜a");
  EXPECT_EQ(videoFileBase(fs, "C:\\p", "がっこう"), "か\u3099っこう");
  EXPECT_EQ(videoFileBase(fs, "C:\\p", "ページ"), "ページ");
  EXPECT_EQ(videoFileBase(fs, "C:\\p", "b"), "b");
  const std::vector<Row> rows = {
      {"～a", "ビデオファイル「〜a.rm」の名前の「〜」は、Windows のメタファイルにそのままは書けず"},
      {"がっこう", "の「U+3099」（前の文字に重なる記号）は、Windows のメタファイルに"},
      // Code page 932 holds 〜 only as ～: the typed name itself would name another file.
      {"〜ｖ", "ビデオ名の「〜」は、Windows のメタファイルには「～」と書かれ"},
      {"b", nullptr},
      {"ページ", nullptr},
  };
  expectRows("video file", rows,
             [&](const std::string& v) { return videoNameRefusal(fs, "C:\\p", v, Pass::Preview); });
  EXPECT_NE(videoNameRefusal(fs, "C:\\p", "がっこう", Pass::Preview)
                ->find("「がっこう.rm」と入力し直して付け直して"),
            std::string::npos);
  // The published line is a URL, which holds any name.
  EXPECT_EQ(videoNameRefusal(fs, "C:\\p", "がっこう", Pass::Publish), std::nullopt);
}

// The program folder: its path read back from code page 932 as written, and deep enough for
// the folders and files made in it, on the system the suite runs on.
TEST(Rules, TheProgramFolder) {
  const std::pair<std::string, std::string> written[] = {
      {"C:\\Users\\José\\nubera", "Shift_JIS で保存できない文字「é」"},
      {"C:\\Users\\p〜q\\nubera", "Shift_JIS で保存すると別の文字（～）に変わる文字「〜」"},
      {"C:\\Users\\a\u200Bb", "Shift_JIS で保存できない文字「U+200B」（目に見えない文字）"},
  };
  for (const auto& [dir, holds] : written) {
    MemoryFileSystem fs{dir};
    const Refusal refusal = programFolderRefusal(fs, 3, true);
    ASSERT_TRUE(refusal) << dir;
    EXPECT_TRUE(refusal->starts_with("プログラムのフォルダーの場所に、" + holds +
                                     "が含まれています。\n" + dir + "\n"))
        << *refusal;
    EXPECT_EQ(programFolderRefusal(fs, 3, false), std::nullopt) << dir;
  }
  nubera::testing::TempDir tmp;
#ifdef _WIN32
  // 259 characters for a file with its temporary file, 247 for a folder: 237 holds the virtual
  // server's a\a\a with apop.htm, 238 does not; the program folder alone holds 243.
  const std::size_t fits = 237, deepest = 243;
#else
  const std::size_t fits = PATH_MAX - 1 - 15, deepest = fits + 6;
#endif
  const auto folderOf = [&](std::size_t length) {
    return tmp.path() + std::string(1, LocalFileSystem(tmp.path()).separator()) +
           std::string(length - tmp.path().size() - 1, 'd');
  };
  EXPECT_EQ(programFolderRefusal(LocalFileSystem(folderOf(fits)), 3, false), std::nullopt);
  const Refusal deep = programFolderRefusal(LocalFileSystem(folderOf(fits + 1)), 3, false);
  ASSERT_TRUE(deep);
  EXPECT_TRUE(deep->starts_with("プログラムのフォルダーの場所が深すぎて")) << *deep;
  EXPECT_EQ(programFolderRefusal(LocalFileSystem(folderOf(deepest)), 0, false), std::nullopt);
  EXPECT_TRUE(programFolderRefusal(LocalFileSystem(folderOf(deepest + 1)), 0, false));
}
