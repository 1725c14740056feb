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
      EXPECT_NE(shape(*refusal).find(holds), std::string::npos) << shape(*refusal);
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
  const char* wavyVideo = "VideoInexact(〜,～";
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
      {Kind::Video, {"", "FillIn"}},
      {Kind::Video, {".", "NameDots(SubjectVideo,.)"}},
      {Kind::Video, {"..", "NameDots(SubjectVideo,..)"}},
      {Kind::Video, {"a\tb", "NameControl"}},
      {Kind::Video, {"a\x1F", "NameControl"}},
      {Kind::Video, {"a\x7F", "NameControl"}},
      {Kind::Video, {"a\u0080b", "NameControl"}},  // the first C1
      {Kind::Video, {"a\u009Fb", "NameControl"}},  // and the last
      {Kind::Video, {"a\u00A1b", "NameUnencodable(SubjectVideo,ShownCharacter(¡))"}},
      {Kind::Video, {"a/b", "NameReserved(SubjectVideo,/)"}},
      {Kind::Video, {"a\\b", "NameReserved(SubjectVideo,\\)"}},
      {Kind::Video, {"a:b", "NameReserved(SubjectVideo,:)"}},
      {Kind::Video, {"a*b", "NameReserved(SubjectVideo,*)"}},
      {Kind::Video, {"a?b", "NameReserved(SubjectVideo,?)"}},
      {Kind::Video, {"a\"b", "NameReserved(SubjectVideo,\")"}},
      {Kind::Video, {"a<b", "NameReserved(SubjectVideo,<)"}},
      {Kind::Video, {"a>b", "NameReserved(SubjectVideo,>)"}},
      {Kind::Video, {"a|b", "NameReserved(SubjectVideo,|)"}},
      {Kind::Video, {"a#b", "NameReserved(SubjectVideo,#)"}},
      {Kind::Video, {"100%", "NameReserved(SubjectVideo,%)"}},
      {Kind::Video,
       {"名前😀", "NameUnencodable(SubjectVideo,ShownCharacter(😀)) TypeOtherCharacter"}},
      // Characters that cannot be seen are named by their code and what they look like.
      {Kind::Video,
       {"a\u00A0b", "NameUnencodable(SubjectVideo,ShownInvisible(U+00A0,LooksBlank))"}},
      {Kind::Video, {"a\u200Bb", "ShownInvisible(U+200B,LooksInvisible)"}},
      {Kind::Video, {"\uFEFFab", "ShownInvisible(U+FEFF,LooksInvisible)"}},
      {Kind::Video, {"a\u2028b", "ShownInvisible(U+2028,LooksLineBreak)"}},
      {Kind::Video, {"\u3099ab", "ShownInvisible(U+3099,LooksCombining)"}},
      {Kind::Video, {"か\u3099", "ShownInvisible(U+3099,LooksCombining)"}},  // typed, not composed
      {Kind::Video, {"e\u0301", "ShownInvisible(U+0301,LooksCombining)"}},
      {Kind::Video, {"CON", "NameDevice"}},
      {Kind::Video, {"nul.txt", "NameDevice"}},
      {Kind::Video, {"Lpt9", "NameDevice"}},
      {Kind::Video, {"com3 .rm", "NameDevice"}},
      {Kind::Video, {"COM0", "NameDevice"}},
      {Kind::Video, {"lpt\u00B2.htm", "NameDevice"}},
      {Kind::Video, {"CONIN$", "NameDevice"}},
      {Kind::Video, {"conout$.txt", "NameDevice"}},
      {Kind::Video, {"com10", nullptr}},
      // A video name starts file names only; a folder name ends a path Windows trims.
      {Kind::Video, {"abc.", nullptr}},
      {Kind::Video, {" ", nullptr}},
      {Kind::Folder, {"vid.", "NameTrailingDot"}},
      {Kind::Server, {"abc ", "NameTrailingDot"}},
      {Kind::Server, {"out01.dat ", "NameTrailingDot"}},
      {Kind::Account, {"a b", nullptr}},
      {Kind::Account, {"", "FillIn"}},
      {Kind::Folder, {"...", "NameOnlyDots"}},
      {Kind::Folder, {". ", "NameOnlyDots"}},
      {Kind::Account, {" ", "NameOnlyDots"}},
      {Kind::Account,
       {"a\u00A0", "NameUnencodable(SubjectAccount,ShownInvisible(U+00A0,LooksBlank))"}},
      {Kind::Folder, {"〜ｖ", nullptr}},  // a folder is stored in its Windows form
      {Kind::Server, {"OUT01.DAT", "NameProgramFile"}},
      {Kind::Server, {"nubera.hlp", "NameProgramFile"}},  // its entry has capitals
      {Kind::Server, {"nout04.dat", "NameProgramFile"}},
      {Kind::Server, {"St_Nubera.exe", "NameProgramFile"}},
      {Kind::Server, {"nubera_help.html", "NameProgramFile"}},
      {Kind::Server, {"Quick@2x.JPG", "NameProgramFile"}},
      {Kind::Server, {"st_nubera.png", "NameProgramFile"}},
      {Kind::Server, {"はじめにお読みください.txt", "NameProgramFile"}},
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
      {"my server", "NotAHost"},
      {"my_server", "NotAHost"},
      {"-a.jp", "NotAHost"},
      {"a-.jp", "NotAHost"},
      {"a..jp", "NotAHost"},
      {".a.jp", "NotAHost"},
      {"日本.jp", "NotAHost"},
      {"999.1.1.1", "NotAHost"},
      {"1.2.3", "NotAHost"},
      {"1.2.3.4.5", "NotAHost"},
      {"1.2.3.256", "NotAHost"},
      {"example.123", "NotAHost"},
      {"user@host", "NotAHost"},
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
      {"", "FillIn"},
      {"a.jp:", "NotAHost"},
      {"a.jp:0", "NotAHost"},
      {"a.jp:65536", "NotAHost"},
      {"http://www.example.ne.jp", "NotAHost"},
      {"www.example.ne.jp/", "NotAHost"},
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
      {"", "FillIn"},
      {"video", "AddressSlashes"},
      {"/video", "AddressSlashes"},
      {"v/", "AddressSlashes"},
      {"/a\tb/", "AddressControl"},
      {"/a%00b/", "AddressControl"},
      {"/%0A/", "AddressControl"},
      {"/%0d/", "AddressControl"},
      {"/%1B/", "AddressControl"},
      {"/%1f/", "AddressControl"},
      {"/%7F/", "AddressControl"},
      {"/%C2%85/", "AddressControl"},
      {"/a/../b/", ",..)"},
      {"/../", ",..)"},
      {"/./v/", ",.)"},
      {"/v/./", ",.)"},
      {"/%2E%2E/v/", ",..)"},
      {"/.%2e/v/", ",..)"},
      {"/%2e/", ",.)"},
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
      {{"abc", "240", "true", "center"}, "SizeNotANumber(SettingValue(SettingWidth,abc))"},
      {{"", "240", "true", "center"}, "SizeMissing(SettingEmpty(SettingWidth))"},
      {{"３２０", "240", "true", "center"}, "SizeNotANumber(SettingValue(SettingWidth,３２０))"},
      {{"1e3", "750", "true", "center"}, "SettingValue(SettingWidth,1e3)"},
      {{"+320", "240", "true", "center"}, "SettingValue(SettingWidth,+320)"},
      {{".5", "240", "true", "center"}, "SettingValue(SettingWidth,.5)"},
      {{"5.", "240", "true", "center"}, "SettingValue(SettingWidth,5.)"},
      {{"-320", "-240", "true", "center"}, "SettingValue(SettingWidth,-320)"},
      {{"0", "0", "true", "center"}, "SettingValue(SettingWidth,0)"},
      {{"0.0", "0", "true", "center"}, "SettingValue(SettingWidth,0.0)"},
      {{"1.2.3", "240", "true", "center"}, "SettingValue(SettingWidth,1.2.3)"},
      {{huge, "240", "true", "center"}, "WidthTooLarge"},
      {{"320", "x", "true", "center"}, "SizeNotANumber(SettingValue(SettingHeight,x))"},
      {{"320", "241", "true", "center"},
       "HeightNotRule(SettingValue(SettingHeight,241),SettingValue(SettingWidth,320))"},
      {{twenty, "75000000000000000000", "true", "center"}, "HeightNotRule"},
      {{"320", "240", "true", "middle"}, "AlignmentWord(SettingValue(SettingAlignment,middle))"},
      {{"320", "240", "true", " "}, "AlignmentWord(SettingValue(SettingAlignment, ))"},
      {{"320", "240", "yes", "center"}, "AutostartWord(SettingValue(SettingAutostart,yes))"},
  };
  for (const auto& [player, holds] : rows) {
    const Refusal refusal = playerRefusal(player);
    if (!holds) {
      EXPECT_EQ(refusal, std::nullopt) << player.width << " " << player.height;
      continue;
    }
    ASSERT_TRUE(refusal) << holds;
    EXPECT_NE(shape(*refusal).find(holds), std::string::npos) << shape(*refusal);
    EXPECT_TRUE(shape(*refusal).starts_with("PlayerRefused "));
    EXPECT_TRUE(shape(*refusal).ends_with(" PlayerFixOnSettings")) << shape(*refusal);
  }
}

// A stored value is refused as a typed one is, naming its file and the way to build the site
// again; an empty one is missing rather than to be filled in.
TEST(Rules, StoredSiteValuesNameTheirFiles) {
  MemoryFileSystem fs{"C:\\p"};
  for (const auto& [value, holds] :
       std::vector<std::pair<std::string, std::string>>{{"srv", ""},
                                                        {"", "StoredMissing"},
                                                        {"s\tx", "NameControl"},
                                                        {"s\x7Fx", "NameControl"},
                                                        {"s\xC2\x85x", "NameControl"},
                                                        {"a:b", "NameReserved(SubjectStored("}}) {
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
      EXPECT_NE(shape(*refusal).find(holds), std::string::npos) << shape(*refusal);
      EXPECT_TRUE(shape(*refusal).ends_with(std::string(" Line(C:\\p\\") + file + ") RebuildSite"))
          << shape(*refusal);
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
      {accountRefusal(fs, tmp.path(), tooLong),
       "FolderTooLong(SubjectAccount,CauseNameTooLong) TypeShorterName"},
      {accountRefusal(fs, tmp.path(), tooLong, Origin::Stored),
       "FolderTooLong(SubjectStored(SubjectAccount,nout02.dat),CauseNameTooLong) Line("},
      {serverNameRefusal(fs, tooLong, ServerNameUse::Site), "CauseNameTooLong"},
      {serverNameRefusal(fs, tooLong, ServerNameUse::Folder, Origin::Stored),
       "FolderTooLong(SubjectStored(SubjectServer,out01.dat),CauseNameTooLong)"},
      {videoFolderRefusal(fs, tmp.path(), tooLong, Origin::Stored), "nout03.dat"},
  };
  for (const auto& [refusal, holds] : rows) {
    ASSERT_TRUE(refusal) << holds;
    EXPECT_NE(shape(*refusal).find(holds), std::string::npos) << shape(*refusal);
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
  EXPECT_EQ(shape(*deep), "NoRoomForSite(SubjectServer) TypeShorterName");
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
  EXPECT_EQ(shape(*twin), "FolderCaseTwin(SubjectFolder,動画ⅱ,動画Ⅱ,動画Ⅱ)");
  EXPECT_EQ(videoFolderRefusal(fs, "C:\\p", "動画Ⅱ"), std::nullopt);
  const std::vector<Row> videos = {
      {"ABC", "VideoCaseTwin(ABC,abc"},
      {"clip", "VideoCaseTwin(clip,clip"},  // clip.RAM would be overwritten
      {"abc", nullptr},                     // the same name saves again
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
      {"～a", "VideoFileUnwritable(〜a.rm,ShownCharacter(〜)"},
      {"がっこう", "VideoFileUnwritable(か\u3099っこう.rm,ShownInvisible(U+3099,LooksCombining)"},
      // Code page 932 holds 〜 only as ～: the typed name itself would name another file.
      {"〜ｖ", "VideoInexact(〜,～"},
      {"b", nullptr},
      {"ページ", nullptr},
  };
  expectRows("video file", rows,
             [&](const std::string& v) { return videoNameRefusal(fs, "C:\\p", v, Pass::Preview); });
  EXPECT_NE(shape(*videoNameRefusal(fs, "C:\\p", "がっこう", Pass::Preview))
                .find("RenameTo(がっこう.rm)"),
            std::string::npos);
  // The published line is a URL, which holds any name.
  EXPECT_EQ(videoNameRefusal(fs, "C:\\p", "がっこう", Pass::Publish), std::nullopt);
}

// The program folder: its path read back from code page 932 as written, and deep enough for
// the folders and files made in it, on the system the suite runs on.
TEST(Rules, TheProgramFolder) {
  const std::pair<std::string, std::string> written[] = {
      {"C:\\Users\\José\\nubera", "WhichUnencodable(ShownCharacter(é))"},
      {"C:\\Users\\p〜q\\nubera", "WhichChanges(～,〜)"},
      {"C:\\Users\\a\u200Bb", "WhichUnencodable(ShownInvisible(U+200B,LooksInvisible))"},
  };
  for (const auto& [dir, holds] : written) {
    MemoryFileSystem fs{dir};
    const Refusal refusal = programFolderRefusal(fs, 3, true);
    ASSERT_TRUE(refusal) << dir;
    EXPECT_EQ(shape(*refusal), "ProgramPathHasCharacter(" + holds + "," + dir + ")");
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
  EXPECT_EQ(deep->id, MessageId::ProgramFolderTooDeep);
  EXPECT_EQ(programFolderRefusal(LocalFileSystem(folderOf(deepest)), 0, false), std::nullopt);
  EXPECT_TRUE(programFolderRefusal(LocalFileSystem(folderOf(deepest + 1)), 0, false));
}
