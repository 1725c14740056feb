// The order of the writes between a creation screen and its settings screen, keystroke by
// keystroke, as the user's actions cause them.

#include "screens/screens.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <set>

#ifdef _WIN32
#include <windows.h>

#include "platform/win32/utf.h"
#endif
#include "core/rules.h"
#include "core/site_state.h"
#include "platform/local_file_system.h"
#include "platform/memory_file_system.h"
#include "screens/common/messages.h"
#include "screens/controls.h"
#include "test_support.h"
#include "ui/recording_desktop.h"
#include "ui/runtime.h"

using namespace nubera;
namespace ctl = nubera::screens::ctl;
using enum ScreenId;

namespace {

// Writes down every text a field takes, as "Form4.Text161=240".
class TracingDesktop : public RecordingDesktop {
 public:
  void screenCreated(const ScreenInstance& s) override {
    trace.push_back("create " + std::string(screenName(s.id())));
    for (std::size_t i = 0; i < s.controls.size(); ++i) {
      last[std::string(screenName(s.id())) + "." + s.decl().controls[i].name] = s.controls[i].text;
    }
  }
  void controlChanged(const ScreenInstance& s, int i) override {
    const auto& decl = s.decl().controls[i];
    std::string key = std::string(screenName(s.id())) + "." + decl.name;
    if (decl.kind != ControlKind::TextBox || last[key] == s.controls[i].text) return;
    last[key] = s.controls[i].text;
    trace.push_back(key + "=" + s.controls[i].text);
  }
  std::vector<std::string> take() { return std::exchange(trace, {}); }

  std::vector<std::string> trace;
  std::map<std::string, std::string> last;
};

struct ScreensTest : ::testing::Test {
  MemoryFileSystem files{"C:\\Apps\\Tool"};
  TracingDesktop desktop;
  Runtime rt{screens::all(), files, desktop};

  void SetUp() override {
    rt.start();
    rt.userClick(frmSplash, ctl::splash::Frame1);
    desktop.take();
  }
  // The virtual server srv\\acc\\vid with its four state files.
  void buildSite() {
    for (const char* dir :
         {"C:\\Apps\\Tool\\srv", "C:\\Apps\\Tool\\srv\\acc", "C:\\Apps\\Tool\\srv\\acc\\vid"}) {
      files.makeDirectory(dir);
    }
    for (auto [file, text] : {std::pair{"out01.dat", "srv"},
                              {"nout02.dat", "acc"},
                              {"nout03.dat", "vid"},
                              {"nout04.dat", "C:\\Apps\\Tool\\srv"}}) {
      files.replaceFile(std::string("C:\\Apps\\Tool\\") + file, std::string(text) + "\r\n");
    }
  }
  // Selects the whole text and types one character at a time.
  void type(ScreenId s, ControlName field, const std::string& text) {
    for (std::size_t i = 0; i < text.size(); ++i) {
      rt.userEdit(s, field,
                  (i == 0 ? "" : rt.find(s)->controls[rt.find(s)->index(field)].text) + text[i]);
    }
  }
};

using Trace = std::vector<std::string>;

}  // namespace

TEST_F(ScreensTest, QuickRoadLoadsInTheOrderOfItsSteps) {
  files.replaceFile("C:\\Apps\\Tool\\out01.dat", "srv\r\n");
  files.replaceFile("C:\\Apps\\Tool\\nout02.dat", "acc\r\n");
  files.replaceFile("C:\\Apps\\Tool\\nout03.dat", "mov\r\n");
  files.replaceFile("C:\\Apps\\Tool\\nout04.dat", "C:\\Apps\\Tool\\srv\r\n");
  rt.userClick(Form1, ctl::menu::Command1);
  EXPECT_EQ(desktop.take(), (Trace{
                                "create Form4",
                                "create Form5",
                                "Form5.Text1=center",
                                "Form4.Text151=center",
                                "Form5.Text14=",
                                "Form5.Text14=240",
                                "Form4.Text161=240",
                                "Form5.Text17=false",
                                "Form4.Text211=false",
                                "Form4.Text171=320",
                                "Form4.Text1=",
                                "Form4.Text1=srv",
                                "Form4.Text2=",
                                "Form4.Text2=C:\\Apps\\Tool\\srv",
                                "Form4.Text4=",
                                "Form4.Text4=acc",
                                "Form4.Text5=",
                                "Form4.Text5=mov",
                            }));
  EXPECT_EQ(rt.find(Form5), nullptr);
}

TEST_F(ScreensTest, TypingAWidthWritesEveryKeystrokeThrough) {
  rt.userClick(Form1, ctl::menu::Command1);
  rt.userClick(Form4, ctl::quick::Command2);
  desktop.take();
  type(Form5, ctl::settings::Text12, "480");
  EXPECT_EQ(desktop.take(), (Trace{
                                "Form5.Text12=4",
                                "Form4.Text171=4",
                                "Form5.Text14=3",
                                "Form4.Text161=3",
                                "Form5.Text12=48",
                                "Form4.Text171=48",
                                "Form5.Text14=36",
                                "Form4.Text161=36",
                                "Form5.Text12=480",
                                "Form4.Text171=480",
                                "Form5.Text14=360",
                                "Form4.Text161=360",
                            }));
  // A typed height is put back at once.
  type(Form5, ctl::settings::Text14, "5");
  EXPECT_EQ(desktop.take(), (Trace{
                                "Form5.Text14=5",
                                "Form4.Text161=5",
                                "Form5.Text14=360",
                                "Form4.Text161=360",
                            }));
  // A text put into a player field of the creation screen is replaced by the settings
  // screen's value.
  using namespace screens::ctl::quick;
  for (auto [field, kept] :
       {std::pair{Text151, "center"}, {Text161, "360"}, {Text171, "480"}, {Text211, "false"}}) {
    rt.setText(Form4, field, "999");
    EXPECT_EQ(rt.text(Form4, field), kept) << field;
  }
}

TEST_F(ScreensTest, DetailedRoadLoadsAndChainsThroughBothScreens) {
  rt.userClick(Form1, ctl::menu::Command5);
  EXPECT_EQ(desktop.take(), (Trace{
                                "create Form6",
                                "create Form7",
                                "Form7.Text1=center",
                                "Form6.Text35=center",
                                "Form7.Text14=",
                                "Form6.Text13=",
                                "Form7.Text14=240",
                                "Form6.Text13=240",
                                "Form6.Text15=320",
                                "Form6.Text20=true",
                            }));
  EXPECT_TRUE(files.files().empty());  // no state file read or written on this road
  rt.userClick(Form6, ctl::detailed::Command2);
  type(Form7, ctl::settings::Text12, "64");
  EXPECT_EQ(desktop.take(), (Trace{
                                "Form7.Text12=6",
                                "Form6.Text15=6",
                                "Form7.Text14=4.5",
                                "Form6.Text13=4.5",
                                "Form7.Text12=64",
                                "Form6.Text15=64",
                                "Form7.Text14=48",
                                "Form6.Text13=48",
                            }));
  // The same here, but for the height, which only the settings screen's push sets.
  using namespace screens::ctl::detailed;
  for (auto [field, kept] :
       {std::pair{Text15, "64"}, {Text20, "true"}, {Text35, "center"}, {Text13, "999"}}) {
    rt.setText(Form6, field, "999");
    EXPECT_EQ(rt.text(Form6, field), kept) << field;
  }
}

// Both creation screens walk one road, each with its own folder, lines and words: the player
// values first, before the screen's own step; then each refusal of a preview with the way back
// to it (the quick screen's 保存 is gone once pressed), a publish without the preview's pages
// with the way to make them, and the two messages once the files are written.
TEST_F(ScreensTest, BothCreationScreensWalkOneRoad) {
  buildSite();
  const std::string again =
      "\\n\\n保存をやり直すには、「戻る」を押してメインメニューに戻り、「一発　ヌベラ」でこの画面を"
      "開き"
      "直してください。";
  const struct {
    ScreenId screen, settings;
    ControlName open, video, preview, publish, back;
    std::string again, first, folder;
  } screens[] = {
      {Form4, Form5, ctl::menu::Command1, ctl::quick::Text3, ctl::quick::Command1,
       ctl::quick::Command5, ctl::quick::Command3, again,
       "このビデオ名で「保存」を押してから、「完成ボタン」を押してください。" + again,
       "C:\\Apps\\Tool\\srv\\acc\\vid"},
      {Form6, Form7, ctl::menu::Command5, ctl::detailed::Text3, ctl::detailed::Command1,
       ctl::detailed::Command5, ctl::detailed::Command6, "",
       "先にこのビデオ名で「作成」を押してから、「完成」を押してください。", "C:\\Apps\\Tool"},
  };
  for (const auto& s : screens) {
    rt.userClick(Form1, s.open);
    rt.setText(s.settings, ctl::settings::Text12, "1e3");
    desktop.clear();
    rt.userClick(s.screen, s.preview);
    const auto refused = desktop.messages();
    ASSERT_EQ(refused.size(), 1u);
    EXPECT_TRUE(refused[0].starts_with("プレーヤーの設定をページに書けません。")) << refused[0];
    EXPECT_FALSE(rt.find(s.screen)->controls[rt.find(s.screen)->index(s.publish)].visible);
    rt.setText(s.settings, ctl::settings::Text12, "320");
    desktop.clear();
    rt.userClick(s.screen, s.preview);
    rt.userEdit(s.screen, s.video, "v");
    if (s.screen == Form6) rt.userEdit(Form6, ctl::detailed::Text1, "www.example.jp");
    rt.userClick(s.screen, s.publish);
    EXPECT_EQ(desktop.messages(),
              (std::vector<std::string>{"記入しましょう。" + s.again,
                                        "ビデオ名「v」のページ（vpop.htm、venb.htm）がまだ作られて"
                                        "いないので、完成できません。\\n" +
                                            s.folder + "\\n" + s.first}));
    EXPECT_TRUE(rt.find(s.screen)->controls[rt.find(s.screen)->index(s.publish)].visible);
    rt.userClick(s.screen, s.back);
  }
}

// Started from a folder it may not write (Program Files), the program says so at the first
// write, in one message, and makes nothing.
TEST_F(ScreensTest, AProgramFolderThatCannotBeWrittenIsNamed) {
  files.setFolderReadOnly("C:\\Apps\\Tool");
  rt.userClick(Form1, ctl::menu::Command2);
  rt.userEdit(Form2, ctl::serverFolder::Text1, "example-server");
  rt.userClick(Form2, ctl::serverFolder::Command1);
  const auto said = desktop.messages();
  ASSERT_EQ(said.size(), 1u);
  // Line breaks as the recording desktop writes them.
  EXPECT_TRUE(said[0].starts_with("プログラムのフォルダーに書き込めません。\\nC:\\Apps\\Tool\\n"))
      << said[0];
  EXPECT_TRUE(files.files().empty());
}

// A folder inside the program's own that refuses (a read-only video folder) is named with
// the reason; moving the program would not help there, so that advice is not given.
TEST_F(ScreensTest, AFolderInsideThatCannotBeWrittenIsNamed) {
  buildSite();
  files.setFolderReadOnly("C:\\Apps\\Tool\\srv\\acc\\vid");
  rt.userClick(Form1, ctl::menu::Command1);
  rt.userEdit(Form4, ctl::quick::Text3, "abc");
  rt.userClick(Form4, ctl::quick::Command1);
  const auto said = desktop.messages();
  ASSERT_EQ(said.size(), 1u);
  EXPECT_EQ(said[0],
            "ファイルを保存できませんでした。\\nC:\\Apps\\Tool\\srv\\acc\\vid\\abc.ram\\n"
            "アクセスが拒否されました。\\nこのフォルダーに書き込めません：\\n"
            "C:\\Apps\\Tool\\srv\\acc\\vid\\nフォルダーの書き込みの許可（読み取り専用の設定）を"
            "確かめてください。\\n\\n保存をやり直すには、「戻る」を押してメインメニューに戻り、"
            "「一発　ヌベラ」でこの画面を開き直してください。");
}

// A look that fails (a disk error) is that failure with its reason, on every road that looks:
// never "not there", and never the advice to build the site again.
TEST_F(ScreensTest, AFailingLookIsNamedNotTakenForMissing) {
  buildSite();
  rt.userClick(Form1, ctl::menu::Command1);
  rt.userEdit(Form4, ctl::quick::Text3, "abc");
  files.setUnlookable("C:\\Apps\\Tool\\srv\\acc\\vid");
  rt.userClick(Form4, ctl::quick::Command1);
  rt.userClick(Form4, ctl::quick::Command3);  // 戻る
  rt.userClick(Form1, ctl::menu::Command2);
  rt.userClick(Form2, ctl::serverFolder::Command2);
  rt.userEdit(Form3, ctl::siteFolder::Text1, "acc2");
  rt.userEdit(Form3, ctl::siteFolder::Text2, "vid2");
  files.setUnlookable("C:\\Apps\\Tool\\srv");
  rt.userClick(Form3, ctl::siteFolder::Command1);
  const auto said = desktop.messages();
  ASSERT_EQ(said.size(), 2u);
  for (const auto& [message, path] :
       {std::pair{said[0], "C:\\Apps\\Tool\\srv\\acc\\vid"}, {said[1], "C:\\Apps\\Tool\\srv"}}) {
    EXPECT_TRUE(
        message.starts_with("ファイルやフォルダーがあるかどうかを確かめられませんでした。\\n" +
                            std::string(path) + "\\n入出力エラーが発生しました。"))
        << message;
    EXPECT_EQ(message.find("作り直して"), std::string::npos) << message;
  }
  EXPECT_FALSE(files.exists("C:\\Apps\\Tool\\srv\\acc2"));
}

// After the program folder moved (nout04.dat still names D:\old), the preview line names the
// server folder the page set is written to.
TEST_F(ScreensTest, QuickPreviewNamesTheFilesWhereTheyAre) {
  files.makeDirectory("C:\\Apps\\Tool\\srv");
  files.makeDirectory("C:\\Apps\\Tool\\srv\\acc");
  files.makeDirectory("C:\\Apps\\Tool\\srv\\acc\\vid");
  for (auto [file, text] : {std::pair{"out01.dat", "srv"},
                            {"nout02.dat", "acc"},
                            {"nout03.dat", "vid"},
                            {"nout04.dat", "D:\\old\\srv"}}) {
    files.replaceFile(std::string("C:\\Apps\\Tool\\") + file, std::string(text) + "\r\n");
  }
  rt.userClick(Form1, ctl::menu::Command1);
  rt.userEdit(Form4, ctl::quick::Text3, "a");
  rt.userClick(Form4, ctl::quick::Command1);
  EXPECT_EQ(desktop.messages(), (std::vector<std::string>{"保存しました。", "完成しました"}));
  EXPECT_EQ(files.readFile("C:\\Apps\\Tool\\srv\\acc\\vid\\a.ram"),
            "file://C:\\Apps\\Tool\\srv\\acc\\vid\\a.rm\r\n");
}

// A control character in the video address is refused on its own, with the server name fine,
// by 完成 and by 作成 alike, which writes nothing that 完成 could not publish.
TEST_F(ScreensTest, DetailedAddressWithAControlCharacter) {
  rt.userClick(Form1, ctl::menu::Command5);
  rt.userEdit(Form6, ctl::detailed::Text1, "www.example.jp");
  rt.userEdit(Form6, ctl::detailed::Text2, "/a\tb/");
  rt.userEdit(Form6, ctl::detailed::Text3, "v");
  rt.userClick(Form6, ctl::detailed::Command1);
  rt.userClick(Form6, ctl::detailed::Command5);
  const std::string refused =
      "ビデオのアドレスに制御文字は使えません。別の文字に置き換えてください。";
  EXPECT_EQ(desktop.messages(), (std::vector<std::string>{refused, refused}));
  EXPECT_TRUE(files.files().empty());
}

// Started from a copy in the user's temporary folder (Explorer's "open" inside a zip), the
// program says so before its first screen, which still opens.
TEST(StartUp, FromTheTemporaryFolderTheUserIsWarned) {
  MemoryFileSystem files{"C:\\Users\\u\\AppData\\Local\\Temp\\Temp1_st.zip\\st_nubera-1.0.0"};
  files.setTemporaryFolder("C:\\Users\\U\\AppData\\Local\\TEMP\\");
  RecordingDesktop desktop;
  Runtime rt{screens::all(), files, desktop};
  rt.start();
  const auto said = desktop.messages();
  ASSERT_EQ(said.size(), 1u);
  EXPECT_TRUE(
      said[0].starts_with("このプログラムは一時フォルダーの中から起動されています。\\n"
                          "C:\\Users\\u\\AppData\\Local\\Temp\\Temp1_st.zip\\st_nubera-1.0.0\\n"))
      << said[0];
  EXPECT_TRUE(rt.find(frmSplash));
  MemoryFileSystem beside{"C:\\Users\\u\\AppData\\Local\\Temporary"};
  beside.setTemporaryFolder("C:\\Users\\u\\AppData\\Local\\Temp");
  RecordingDesktop quiet;
  Runtime other{screens::all(), beside, quiet};
  other.start();
  EXPECT_TRUE(quiet.messages().empty());
}

// A program folder whose path code page 932 cannot hold, or holds only as another character
// (〜 comes back as ～ and would name a folder that does not exist), is named with the
// character before the builder makes anything; on Windows the detailed preview says so too.
TEST(ProgramFolder, APathTheStateFilesCannotHoldIsNamedFirst) {
  const std::pair<std::string, std::string> cases[] = {
      {"C:\\Users\\José\\nubera", "Shift_JIS で保存できない文字「é」"},
      {"C:\\Users\\p〜q\\nubera", "Shift_JIS で保存すると別の文字（～）に変わる文字「〜」"},
  };
  for (const auto& [dir, which] : cases) {
    MemoryFileSystem files{dir};
    files.makeDirectory(dir + "\\srv");
    files.replaceFile(dir + "\\out01.dat", "srv\r\n");
    RecordingDesktop desktop;
    Runtime rt{screens::all(), files, desktop};
    rt.start();
    rt.userClick(frmSplash, ctl::splash::Frame1);
    rt.userClick(Form1, ctl::menu::Command2);
    rt.userEdit(Form2, ctl::serverFolder::Text1, "new");
    rt.userClick(Form2, ctl::serverFolder::Command1);
    rt.userClick(Form2, ctl::serverFolder::Command2);
    rt.userEdit(Form3, ctl::siteFolder::Text1, "acc");
    rt.userEdit(Form3, ctl::siteFolder::Text2, "vid");
    rt.userClick(Form3, ctl::siteFolder::Command1);
    rt.userClick(Form3, ctl::siteFolder::Command2);
    rt.userClick(Form1, ctl::menu::Command5);
    rt.userEdit(Form6, ctl::detailed::Text3, "v");
    rt.userClick(Form6, ctl::detailed::Command1);
    const std::string said =
        "プログラムのフォルダーの場所に、" + which + "が含まれています。\\n" + dir + "\\n";
    const auto messages = desktop.messages();
    ASSERT_EQ(messages.size(), 3u) << dir;
    for (const auto& m : messages) EXPECT_TRUE(m.starts_with(said)) << m;
    EXPECT_FALSE(files.exists(dir + "\\new"));
    EXPECT_FALSE(files.exists(dir + "\\srv\\acc"));
    EXPECT_EQ(files.files(), (std::set<std::string>{dir + "\\out01.dat"}));
  }
}

#ifndef _WIN32
// On Linux the preview line is a file URL, which holds any folder name: a program folder that
// code page 932 cannot hold still previews.
TEST(ProgramFolder, ALinuxPathOutsideShiftJisStillPreviews) {
  nubera::testing::TempDir tmp;
  const std::string dir = tmp.path() + "/José";
  std::filesystem::create_directory(nubera::testing::pathOf(dir));
  LocalFileSystem files(dir);
  RecordingDesktop desktop;
  Runtime rt{screens::all(), files, desktop};
  rt.start(Form1);
  rt.userClick(Form1, ctl::menu::Command5);
  rt.userEdit(Form6, ctl::detailed::Text3, "v");
  rt.userClick(Form6, ctl::detailed::Command1);
  EXPECT_EQ(desktop.messages(), (std::vector<std::string>{"保存しました。", "完成しました"}));
  EXPECT_EQ(files.readFile(dir + "/v.ram"), "file://" + tmp.path() + "/Jos%C3%A9/v.rm\r\n");
}
#endif

#ifndef _WIN32
// A writer killed before its rename leaves its temporary file, holding the whole new page, in
// the video folder the user uploads; the program's next start removes it, before any save,
// whether it was written unnamed or under its name (a FAT stick).
TEST(StartUp, WhatAKilledWriterLeftIsGoneOnceTheProgramStarts) {
  for (bool named : {false, true}) {
    nubera::testing::TempDir tmp;
    LocalFileSystem files(tmp.path());
    const std::string video = tmp.path() + "/srv/acc/vid";
    std::filesystem::create_directories(nubera::testing::pathOf(video));
    for (auto [field, value] : {std::pair{SiteField::ServerName, "srv"},
                                {SiteField::AccountName, "acc"},
                                {SiteField::ContentFolder, "vid"}}) {
      writeSiteField(files, field, value);
    }
    const std::string page = video + "/abc.ram";
    files.replaceFile(page, "old\r\n");
    LocalFileSystem::useNamedTemporaryFiles(named);
    ASSERT_TRUE(nubera::testing::inChild([&] {
      LocalFileSystem::onFaultAfterNaming([] { _exit(0); });
      LocalFileSystem(tmp.path()).replaceFile(page, "new\r\n");
      return 1;
    }));
    LocalFileSystem::useNamedTemporaryFiles(false);
    const auto namesInVideo = [&] {
      std::vector<std::string> names;
      for (const auto& e : std::filesystem::directory_iterator(nubera::testing::pathOf(video))) {
        names.push_back(e.path().filename().string());
      }
      return names;
    };
    ASSERT_EQ(namesInVideo().size(), 2u) << named;  // the page and what the writer left
    RecordingDesktop desktop;
    Runtime rt{screens::all(), files, desktop};
    rt.start();
    EXPECT_EQ(namesInVideo(), std::vector<std::string>{"abc.ram"}) << named;
    EXPECT_EQ(files.readFile(page), "old\r\n");
    EXPECT_TRUE(desktop.messages().empty());
  }
}
#endif

// A program folder so deep that no name fits below it is refused before anything is made,
// advising a shallower place: the virtual server's three folders with the shortest page set on
// the server folder screen, the page set alone on the detailed screen.
TEST(ProgramFolder, TooDeepForWhatIsMadeInIt) {
#ifdef _WIN32
  const std::size_t server = 238, detailed = 244;  // 259 a file with its temporary file
#else
  const std::size_t server = PATH_MAX - 15, detailed = PATH_MAX - 9;
#endif
  for (auto [length, screen] : {std::pair{server, Form2}, {detailed, Form6}}) {
    nubera::testing::TempDir tmp;
    std::string dir = tmp.path();
    const char separator = LocalFileSystem(dir).separator();
    while (dir.size() < length)
      dir += separator + std::string(std::min<std::size_t>(200, length - dir.size() - 1), 'd');
    std::filesystem::create_directories(nubera::testing::pathOf(dir));
    LocalFileSystem files(dir);
    RecordingDesktop desktop;
    Runtime rt{screens::all(), files, desktop};
    rt.start();
    rt.userClick(frmSplash, ctl::splash::Frame1);
    if (screen == Form2) {
      rt.userClick(Form1, ctl::menu::Command2);
      rt.userEdit(Form2, ctl::serverFolder::Text1, "s");
      rt.userClick(Form2, ctl::serverFolder::Command1);
    } else {
      rt.userClick(Form1, ctl::menu::Command5);
      rt.userEdit(Form6, ctl::detailed::Text3, "v");
      rt.userClick(Form6, ctl::detailed::Command1);
    }
    const auto said = desktop.messages();
    ASSERT_EQ(said.size(), 1u) << length;
    EXPECT_TRUE(said[0].starts_with("プログラムのフォルダーの場所が深すぎて")) << said[0];
    EXPECT_TRUE(std::filesystem::is_empty(nubera::testing::pathOf(dir))) << length;
  }
}

#ifdef _WIN32
// A video name that Windows takes for another file of the program folder by its short name
// (SPORTS~1 for sportsday2024.ram) is refused on the detailed screen, naming that file.
TEST(DetailedScreen, AShortNameOfAnotherFileIsRefused) {
  nubera::testing::TempDir tmp;
  LocalFileSystem files(tmp.path());
  const std::string longFile = files.join(tmp.path(), "sportsday2024.ram");
  files.replaceFile(longFile, "x\r\n");
  wchar_t shortPath[MAX_PATH] = {};
  GetShortPathNameW(win32::wide(longFile).c_str(), shortPath, MAX_PATH);
  std::string shortFile = win32::utf8(shortPath);
  shortFile = shortFile.substr(shortFile.rfind('\\') + 1);
  if (shortFile == "sportsday2024.ram") GTEST_SKIP() << "no short names here";
  RecordingDesktop desktop;
  Runtime rt{screens::all(), files, desktop};
  rt.start(Form1);
  rt.userClick(Form1, ctl::menu::Command5);
  rt.userEdit(Form6, ctl::detailed::Text3, shortFile.substr(0, shortFile.size() - 4));
  rt.userClick(Form6, ctl::detailed::Command1);
  const auto said = desktop.messages();
  ASSERT_EQ(said.size(), 1u);
  EXPECT_NE(said[0].find("既にあるファイル「sportsday2024.ram」"), std::string::npos) << said[0];
  EXPECT_EQ(files.readFile(longFile), "x\r\n");
}
#endif

// Every id the program can say has its sentence, each file cause one of its own; a few worked
// sentences, composed as the user reads them.
TEST(Messages, EveryIdHasItsSentence) {
  std::set<std::string_view> causes;
  for (int i = 0; i < kMessageCount; ++i) {
    const auto id = static_cast<MessageId>(i);
    EXPECT_FALSE(screens::sentence(id).empty()) << messageName(id);
    if (id >= MessageId::CauseNotFound) causes.insert(screens::sentence(id));
  }
  EXPECT_EQ(causes.size(), static_cast<std::size_t>(FileCause::System) + 1);
  EXPECT_EQ(screens::say(Message(causeMessage(FileCause::Unencodable), {shownCharacter("😀")})),
            "「😀」は Shift_JIS で保存できない文字です。");
  EXPECT_EQ(screens::say(Message(causeMessage(FileCause::System), {std::string("Disk error.")})),
            "Disk error.");
  EXPECT_EQ(
      screens::say(
          FileError(FileError::Operation::Write, "C:\\p\\a.ram", FileCause::Denied).message()),
      "ファイルを保存できませんでした。\nC:\\p\\a.ram\nアクセスが拒否されました。");
  MemoryFileSystem fs{"C:\\p"};
  EXPECT_EQ(screens::say(*accountRefusal(fs, "C:\\p", "a:b", Origin::Stored)),
            "保存されているアカウント名（nout02.dat）に使えない文字「:」が含まれています。\n"
            "C:\\p\\nout02.dat\nメインメニューの「仮想サーバー作成」で仮想サーバーを作り直して"
            "ください。");
  EXPECT_EQ(screens::say(*videoNameRefusal(fs, "C:\\p", "a\u00A0", Pass::Preview)),
            "ビデオ名の「U+00A0」（空白に見える文字）は Shift_JIS で保存できない文字です。"
            "別の文字に置き換えてください。");
}

// The version line, with numbers that can be told apart.
TEST(StartUp, VersionLine) {
  EXPECT_EQ(screens::versionLine(1, 0, 0), "ﾊﾞｰｼﾞｮﾝ 1.0.0");
  EXPECT_EQ(screens::versionLine(1, 2, 3), "ﾊﾞｰｼﾞｮﾝ 1.2.3");
  EXPECT_EQ(screens::versionLine(10, 0, 27), "ﾊﾞｰｼﾞｮﾝ 10.0.27");
}
