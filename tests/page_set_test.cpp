#include "core/page_set.h"

#include <gtest/gtest.h>

#include "platform/local_file_system.h"
#include "platform/memory_file_system.h"
#include "test_support.h"

using namespace nubera;
using nubera::testing::fileBytes;

namespace {

const SiteState kSite{.serverName = "example-server",
                      .serverFolderPath = "C:\\Apps\\Tool\\example-server",
                      .accountName = "user01",
                      .contentFolder = "movie"};
const PlayerSettings kPlayer{
    .width = "320", .height = "240", .autostart = "true", .alignment = "center"};

const std::vector<std::string> kLinkPage = {
    "<HTML><HEAD><TITLE></TITLE></HEAD><BODY>",
    "<P align=\"center\"><A href=\"./abc.ram\" "
    "target=\"_blank\">ここをクリックしてみてください（リアルストリーミング）</A>です。</P>",
    "</BODY></HTML>",
};

const std::vector<std::string> kPlayerPage = {
    "<HTML><HEAD><TITLE></TITLE></HEAD>",
    "<BODY><center><TABLE><TBODY><TR>",
    "<TD><OBJECT id=\"Clip1\" classid=\"clsid:CFCDAA03-8BE4-11CF-B84B-0020AFBBCCFA\" "
    "height=\"240\" width=\"320\">",
    "<PARAM name=\"SRC\" value=\"abc.rpm\">",
    "<PARAM name=\"AUTOSTART\" value=\"true\">",
    "<PARAM name=\"CONTROLS\" value=\"ImageWindow\">",
    "<PARAM name=\"console\" value=\"Clip1\">",
    "<EMBED src=\"abc.rpm\" width=\"320\" height=\"240\" autostart=\"true\" console=\"Clip1\" "
    "CONTROLS=\"ImageWindow\"> <EMBED></OBJECT></TD></TR><TR>",
    "<TD><OBJECT id=\"Clip1\" classid=\"clsid:CFCDAA03-8BE4-11cf-B84B-0020AFBBCCFA\" "
    "height=\"30\" width=\"320\"align=\"bottom\">",
    "<PARAM name=\"controls\" value=\"ControlPanel\">",
    "<PARAM name=\"console\" value=\"Clip1\">",
    "<EMBED src=\"abc.rpm\" console=\"Clip1\" controls=\"ControlPanel\" height=\"30\" "
    "width=\"320\" autostart=\"true\"> </OBJECT></TD> </TR></TBODY></TABLE></CENTER></BODY></HTML>",
};

std::string videoFolder(const FileSystem& fs, const SiteState& site) {
  return fs.join(fs.join(fs.join(fs.programDirectory(), site.serverName), site.accountName),
                 site.contentFolder);
}

void runPreview(FileSystem& fs, const SiteState& site, const std::string& video,
                const PlayerSettings& player = kPlayer) {
  const auto& rows = quickFragments();
  writePageFiles(fs, pageSetFiles(fs, videoFolder(fs, site), rows, video,
                                  quickPreviewLine(rows, site, video, fs.isWindows()), player));
}

void runPublish(FileSystem& fs, const SiteState& site, const std::string& video) {
  writePageFiles(fs, metafiles(fs, videoFolder(fs, site), video,
                               quickPublishLine(quickFragments(), site, video)));
}

MemoryFileSystem exampleTree() {
  MemoryFileSystem fs("C:\\Apps\\Tool");
  fs.makeDirectory("C:\\Apps\\Tool\\example-server");
  fs.makeDirectory("C:\\Apps\\Tool\\example-server\\user01");
  fs.makeDirectory("C:\\Apps\\Tool\\example-server\\user01\\movie");
  return fs;
}

}  // namespace

// The link page's Japanese, as code page 932 writes it.
TEST(PageSet, TheLinkPageInItsBytes) {
  auto fs = MemoryFileSystem("C:\\p");
  writePageFiles(fs, {{"C:\\p\\abcpop.htm", linkPageLines(quickFragments(), "abc")}});
  EXPECT_EQ(fs.readFile("C:\\p\\abcpop.htm"),
            "<HTML><HEAD><TITLE></TITLE></HEAD><BODY>\r\n<P align=\"center\"><A href=\"./abc.ram\" "
            "target=\"_blank\">\x82\xB1\x82\xB1\x82\xF0\x83N\x83\x8A\x83"
            "b\x83N\x82\xB5\x82\xC4\x82\xDD"
            "\x82\xC4\x82\xAD\x82\xBE\x82\xB3\x82\xA2\x81i\x83\x8A\x83"
            "A\x83\x8B\x83X\x83g\x83\x8A\x81["
            "\x83~\x83\x93\x83O\x81j</A>\x82\xC5\x82\xB7\x81"
            "B</P>\r\n</BODY></HTML>\r\n");
}

TEST(PageSet, WorkedExampleOnWindowsPaths) {
  auto fs = exampleTree();
  runPreview(fs, kSite, "abc");
  const std::string dir = "C:\\Apps\\Tool\\example-server\\user01\\movie\\";
  const std::string preview = "file://C:\\Apps\\Tool\\example-server\\user01\\movie\\abc.rm";
  EXPECT_EQ(fs.readFile(dir + "abc.ram"), fileBytes({preview}));
  EXPECT_EQ(fs.readFile(dir + "abc.rpm"), fileBytes({preview}));
  EXPECT_EQ(fs.readFile(dir + "abcpop.htm"), fileBytes(kLinkPage));
  EXPECT_EQ(fs.readFile(dir + "abcenb.htm"), fileBytes(kPlayerPage));
  EXPECT_EQ(fs.files().size(), 4u);

  runPublish(fs, kSite, "abc");
  const std::string publish = "http://example-server/user01/movie/abc.rm";
  EXPECT_EQ(fs.readFile(dir + "abc.ram"), fileBytes({publish}));
  EXPECT_EQ(fs.readFile(dir + "abc.rpm"), fileBytes({publish}));
  EXPECT_EQ(fs.readFile(dir + "abcpop.htm"), fileBytes(kLinkPage));
  EXPECT_EQ(fs.readFile(dir + "abcenb.htm"), fileBytes(kPlayerPage));
}

TEST(PageSet, WorkedExampleOnTheLocalDisk) {
  // "/" on Linux; on Windows "\" and a "file://C:\..." line, as the target system has them.
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
#ifdef _WIN32
  const std::string server = tmp.path() + "\\example-server";
  const std::string folder = server + "\\user01\\movie\\";
#else
  const std::string server = tmp.path() + "/example-server";
  const std::string folder = server + "/user01/movie/";
#endif
  std::filesystem::create_directories(nubera::testing::pathOf(folder));
  SiteState site = kSite;
  site.serverFolderPath = server;
  runPreview(fs, site, "abc");
  EXPECT_EQ(fs.readFile(folder + "abc.ram"), fileBytes({"file://" + folder + "abc.rm"}));
  EXPECT_EQ(fs.readFile(folder + "abcpop.htm"), fileBytes(kLinkPage));
  EXPECT_EQ(fs.readFile(folder + "abcenb.htm"), fileBytes(kPlayerPage));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(nubera::testing::pathOf(folder)), {}),
            4);
  runPublish(fs, site, "abc");
  EXPECT_EQ(fs.readFile(folder + "abc.rpm"),
            fileBytes({"http://example-server/user01/movie/abc.rm"}));
}

TEST(PageSet, ValuesAreTakenAsTheyStand) {
  auto fs = exampleTree();
  // A name typed with its extension stays as it is.
  runPreview(fs, kSite, "abc.rm");
  const std::string dir = "C:\\Apps\\Tool\\example-server\\user01\\movie\\";
  for (const char* name : {"abc.rm.ram", "abc.rm.rpm", "abc.rmpop.htm", "abc.rmenb.htm"}) {
    EXPECT_TRUE(fs.exists(dir + name)) << name;
  }
  EXPECT_EQ(fs.readFile(dir + "abc.rm.ram"),
            fileBytes({"file://C:\\Apps\\Tool\\example-server\\user01\\movie\\abc.rm.rm"}));

  // Blanks and Japanese go unchanged into names, the local address and pages; the published
  // address is a URL, as a web server and a player agree on it.
  fs.makeDirectory("C:\\Apps\\Tool\\example-server\\user01\\動画");
  SiteState japanese = kSite;
  japanese.contentFolder = "動画";
  runPreview(fs, japanese, "my clip");
  const std::string jdir = "C:\\Apps\\Tool\\example-server\\user01\\動画\\";
  EXPECT_EQ(fs.readFile(jdir + "my clip.rpm"),
            fileBytes({"file://C:\\Apps\\Tool\\example-server\\user01\\動画\\my clip.rm"}));
  runPublish(fs, japanese, "my clip");
  EXPECT_EQ(fs.readFile(jdir + "my clip.ram"),
            fileBytes({"http://example-server/user01/%E5%8B%95%E7%94%BB/my%20clip.rm"}));
}

// The pages name the metafiles as URLs, so a browser that guesses the page's encoding still
// finds them; an ASCII name of path characters stays as it was.
TEST(PageSet, PagesNameTheMetafilesAsUrls) {
  const auto link = [](const std::string& video) {
    return linkPageLines(quickFragments(), video)[1].substr(27);
  };
  EXPECT_EQ(link("運動会").substr(0, 36), "./%E9%81%8B%E5%8B%95%E4%BC%9A.ram\" t");
  EXPECT_EQ(link("my video 1").substr(0, 22), "./my%20video%201.ram\" ");
  EXPECT_EQ(link("clip").substr(0, 12), "./clip.ram\" ");
  EXPECT_EQ(link("a&copy").substr(0, 16), "./a%26copy.ram\" ");
  const auto page = playerPageLines(quickFragments(), "運動会", {"320", "240", "true", "center"});
  const std::string ref = "%E9%81%8B%E5%8B%95%E4%BC%9A.rpm\"";
  EXPECT_EQ(page[3], "<PARAM name=\"SRC\" value=\"" + ref + ">");
  EXPECT_TRUE(page[7].starts_with("<EMBED src=\"" + ref + " width=")) << page[7];
  EXPECT_TRUE(page[11].starts_with("<EMBED src=\"" + ref + " console=")) << page[11];
}

// The published lines: an ASCII address byte for byte; Japanese and blanks as UTF-8 escapes;
// on the detailed screen an escape the user typed stays, a lone "%" does not.
TEST(PageSet, PublishedAddressesAreUrls) {
  EXPECT_EQ(quickPublishLine(quickFragments(), kSite, "a-b_c.~(1)"),
            "http://example-server/user01/movie/a-b_c.~(1).rm");
  SiteState site = kSite;
  site.accountName = "運動会";
  EXPECT_EQ(quickPublishLine(quickFragments(), site, "運動会 1"),
            "http://example-server/%E9%81%8B%E5%8B%95%E4%BC%9A/movie/"
            "%E9%81%8B%E5%8B%95%E4%BC%9A%201.rm");
  EXPECT_EQ(detailedPublishLine(detailedFragments(), "srv.example.jp", "/%7Euser/a b/100%/", "v"),
            "http://srv.example.jp/%7Euser/a%20b/100%25/v.rm");
  EXPECT_EQ(detailedPublishLine(detailedFragments(), "srv", "/ビデオ/", "v"),
            "http://srv/%E3%83%93%E3%83%87%E3%82%AA/v.rm");
}

// Where "/" separates a path (Linux), the preview line is a file URL a player can open: the
// path's UTF-8 bytes, percent-encoded where a URL path needs it. ASCII reads as it stands.
TEST(PageSet, PreviewLineIsAFileUrlWhereSlashesSeparate) {
  SiteState site = kSite;
  site.serverFolderPath = "/srv/example-server";
  EXPECT_EQ(quickPreviewLine(quickFragments(), site, "abc", false),
            "file:///srv/example-server/user01/movie/abc.rm");
  site.serverFolderPath = "/home/me/st nubera/example-server";
  site.contentFolder = "動画";
  EXPECT_EQ(quickPreviewLine(quickFragments(), site, "a~(1)", false),
            "file:///home/me/st%20nubera/example-server/user01/%E5%8B%95%E7%94%BB/a~(1).rm");
  EXPECT_EQ(detailedPreviewLine(detailedFragments(), "/home/a b", "[v]", false),
            "file:///home/a%20b/%5Bv%5D.rm");
}

// Left and right wrap the table in a DIV a browser aligns, closed as it opens; a centred page
// keeps its rows as they stand, in whatever letter case.
TEST(PageSet, EmptyPlayerValuesAndAlignments) {
  auto lines = playerPageLines(quickFragments(), "abc", {"", "", "", "left"});
  ASSERT_EQ(lines.size(), 12u);
  EXPECT_EQ(lines[1], "<BODY><DIV align=\"left\"><TABLE><TBODY><TR>");
  EXPECT_NE(lines[2].find("height=\"\" width=\"\">"), std::string::npos);
  EXPECT_EQ(lines[4], "<PARAM name=\"AUTOSTART\" value=\"\">");
  EXPECT_TRUE(lines[11].ends_with("</TABLE></DIV></BODY></HTML>")) << lines[11];
  lines = playerPageLines(quickFragments(), "abc", {"1", "1", "true", "RIGHT"});
  EXPECT_EQ(lines[1], "<BODY><DIV align=\"RIGHT\"><TABLE><TBODY><TR>");
  EXPECT_TRUE(lines[11].ends_with("</TABLE></DIV></BODY></HTML>")) << lines[11];
  lines = playerPageLines(quickFragments(), "abc", {"1", "1", "true", "CENTER"});
  EXPECT_EQ(lines[1], "<BODY><CENTER><TABLE><TBODY><TR>");
  EXPECT_TRUE(lines[11].ends_with("</TABLE></CENTER></BODY></HTML>")) << lines[11];
}

TEST(PageSet, DetailedRowsGiveTheSamePages) {
  const auto rows = quickRowsFromDetailed(detailedFragments());
  EXPECT_EQ(linkPageLines(rows, "abc"), kLinkPage);
  EXPECT_EQ(playerPageLines(rows, "abc", kPlayer), kPlayerPage);
  const auto& d = detailedFragments();
  EXPECT_EQ(d["Text33"],
            ".rpm\" console=\"Clip1\" controls=\"ControlPanel\" height=\"30\" width=\"");
  EXPECT_EQ(detailedPreviewLine(d, "D:\\Tool", "abc", true), "file://D:\\Tool\\abc.rm");
  EXPECT_EQ(detailedPublishLine(d, "example.jp", "/", "abc"), "http://example.jp/abc.rm");
  EXPECT_EQ(detailedPublishLine(d, "example.jp", "video", "abc"), "http://example.jpvideoabc.rm");
}

TEST(PageSet, FailedWritesKeepOldContentAndEarlierFiles) {
  auto fs = exampleTree();
  const std::string dir = "C:\\Apps\\Tool\\example-server\\user01\\movie\\";
  runPreview(fs, kSite, "abc");
  // The link page is read-only: the metafiles before it are rewritten completely, it keeps its
  // old content, and the player page after it is not touched.
  fs.setReadOnly(dir + "abcpop.htm", true);
  fs.replaceFile(dir + "abcenb.htm", "old");
  try {
    runPreview(fs, kSite, "abc", {"640", "480", "false", "left"});
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(e.path(), dir + "abcpop.htm");
    EXPECT_EQ(shape(e.message()), "OpWrite Line(" + dir + "abcpop.htm) Line(CauseDenied)");
  }
  EXPECT_EQ(fs.readFile(dir + "abcpop.htm"), fileBytes(kLinkPage));
  EXPECT_EQ(fs.readFile(dir + "abcenb.htm"), "old");

  // A missing video folder: nothing written, the error names the file.
  SiteState missing = kSite;
  missing.contentFolder = "nothere";
  EXPECT_THROW(runPreview(fs, missing, "abc"), FileError);
  EXPECT_FALSE(fs.exists("C:\\Apps\\Tool\\example-server\\user01\\nothere"));

  // A character code page 932 lacks: refused before any file is written.
  const auto before = fs.readFile(dir + "abc.ram");
  try {
    runPreview(fs, kSite, "abc", {"320", "240", "true", "center😀"});
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(shape(e.reason()), "CauseUnencodable(ShownCharacter(😀))");
  }
  EXPECT_EQ(fs.readFile(dir + "abc.ram"), before);
}

TEST(PageSet, LocalDiskFailuresLeaveNoTemporaryFiles) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  const std::string path = tmp.path() + "/abc.ram";
  fs.replaceFile(path, "first\r\n");
  std::filesystem::permissions(
      path, std::filesystem::perms::owner_read | std::filesystem::perms::group_read);
  EXPECT_THROW(fs.replaceFile(path, "second\r\n"), FileError);
  EXPECT_EQ(fs.readFile(path), "first\r\n");
  EXPECT_THROW(fs.replaceFile(tmp.path() + "/missing/abc.ram", "x"), FileError);
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp.path()), {}), 1);
}

// The preview line names the server folder the pages are written to: the stored path only
// where it is that folder (in any letter case on Windows), not one from before a move.
TEST(PageSet, PreviewNamesTheServerFolderOfTheProgramFolder) {
  MemoryFileSystem fs{"E:\\st_nubera"};
  SiteState site = kSite;
  site.serverFolderPath = "E:\\st_nubera\\example-server";
  EXPECT_EQ(previewServerFolder(fs, site), "E:\\st_nubera\\example-server");
  site.serverFolderPath = "e:\\ST_NUBERA\\Example-Server";
  EXPECT_EQ(previewServerFolder(fs, site), "e:\\ST_NUBERA\\Example-Server");
  site.serverFolderPath = "C:\\Apps\\Tool\\example-server";
  EXPECT_EQ(previewServerFolder(fs, site), "E:\\st_nubera\\example-server");
  site.serverFolderPath = "";
  EXPECT_EQ(previewServerFolder(fs, site), "E:\\st_nubera\\example-server");
}

// Publishing needs both pages of the name.
TEST(PageSet, PagesOfTheName) {
  MemoryFileSystem fs{"C:\\p"};
  EXPECT_EQ(missingPages(fs, "C:\\p", "v"), (std::vector<std::string>{"vpop.htm", "venb.htm"}));
  fs.replaceFile("C:\\p\\venb.htm", "x");
  EXPECT_EQ(missingPages(fs, "C:\\p", "v"), (std::vector<std::string>{"vpop.htm"}));
  fs.replaceFile("C:\\p\\vpop.htm", "x");
  EXPECT_TRUE(missingPages(fs, "C:\\p", "v").empty());
}

#ifndef _WIN32
// A name whose metafiles fit but whose pages do not is refused before any file is written.
TEST(PageSet, ANameTooLongForOneFileWritesNone) {
  nubera::testing::TempDir tmp;
  LocalFileSystem fs(tmp.path());
  std::string video;
  for (int i = 0; i < 82; ++i) video += "漢";
  const auto& rows = quickFragments();
  // 248 bytes: "pop.htm" makes the longest name the system allows, 255 bytes.
  writePageFiles(fs, pageSetFiles(fs, tmp.path(), rows, video + "ab", "x", kPlayer));
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp.path()), {}), 4);
  std::filesystem::remove_all(tmp.path() + "/");
  std::filesystem::create_directory(tmp.path());
  video += "漢";  // 249 bytes: ".ram" fits in 255, "pop.htm" not
  try {
    writePageFiles(fs, pageSetFiles(fs, tmp.path(), rows, video, "x", kPlayer));
    FAIL();
  } catch (const FileError& e) {
    EXPECT_EQ(e.cause(), FileCause::NameTooLong);
    EXPECT_TRUE(e.path().ends_with("pop.htm")) << e.path();
  }
  EXPECT_EQ(std::distance(std::filesystem::directory_iterator(tmp.path()), {}), 0);
}
#endif
