// Every tests/scenarios/NAME.scn is run through the scripted driver in a fresh program
// folder; its transcript must equal NAME.expected, and the files listed there must hold
// exactly the lines given (code page 932, CR LF).
//
// The scenario's set-up lines ("#! dir", "#! file") are the driver's. In the expected file, "===
// PATH" starts the lines of a file that must exist, "=== PATH/" a folder that must exist, "===
// !PATH" a path that must not exist, and {DIR} stands for the program folder (with "\\" after
// it on Windows). NAME.windows.expected, where present, is the transcript on Windows.

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <sstream>

#include "platform/local_file_system.h"
#include "screens/screens.h"
#include "test_support.h"
#include "ui/script_driver.h"

namespace fs = std::filesystem;
using namespace nubera;

namespace {

std::string readText(const fs::path& p) {
  std::ifstream in(p, std::ios::binary);
  std::stringstream ss;
  ss << in.rdbuf();
  return ss.str();
}

std::string replaceAll(std::string s, const std::string& from, const std::string& to) {
  for (std::size_t pos = 0; (pos = s.find(from, pos)) != std::string::npos; pos += to.size()) {
    s.replace(pos, from.size(), to);
  }
  return s;
}

// On Windows a path after {DIR} is written with "\\", as the program writes it there.
std::string localPaths(std::string text) {
#ifdef _WIN32
  for (std::size_t pos = 0; (pos = text.find("{DIR}", pos)) != std::string::npos;) {
    pos += 5;
    for (; pos < text.size() && text[pos] != '\n'; ++pos) {
      if (text.compare(pos, 2, "\\n") == 0) break;  // an escaped line break in a message
      if (text[pos] == '/') text[pos] = '\\';
    }
  }
#endif
  return text;
}

std::vector<std::string> lines(const std::string& text) {
  std::vector<std::string> out;
  std::stringstream ss(text);
  for (std::string line; std::getline(ss, line);) out.push_back(line);
  return out;
}

class Scenario : public ::testing::TestWithParam<std::string> {};

TEST_P(Scenario, MatchesTranscriptAndFiles) {
  const fs::path base = fs::path(SCENARIO_DIR) / GetParam();
  nubera::testing::TempDir tmp;
  const std::string dir = tmp.path();

  const std::string scenario = readText(base.string() + ".scn");
  LocalFileSystem files(dir);
  std::istringstream in(scenario);
  std::ostringstream out;
  int status = runScript(screens::all(), files, in, out);

  // Where Windows' own rules give another answer, NAME.windows.expected holds it.
  std::string expectedFile = base.string() + ".expected";
#ifdef _WIN32
  if (fs::exists(base.string() + ".windows.expected")) {
    expectedFile = base.string() + ".windows.expected";
  }
#endif
  const std::string expected = replaceAll(localPaths(readText(expectedFile)), "{DIR}", dir);
  std::string transcript;
  std::vector<std::pair<std::string, std::vector<std::string>>> expectedFiles;
  for (const auto& line : lines(expected)) {
    if (line.starts_with("=== ")) {
      expectedFiles.push_back({line.substr(4), {}});
    } else if (!expectedFiles.empty()) {
      expectedFiles.back().second.push_back(line);
    } else {
      transcript += line + "\n";
    }
  }
  EXPECT_EQ(out.str(), transcript);
  EXPECT_EQ(
      status,
      transcript.find("\nerror ") != std::string::npos || transcript.starts_with("error ") ? 1 : 0);
  for (const auto& [path, fileLines] : expectedFiles) {
    if (path.starts_with("!")) {
      EXPECT_FALSE(fs::exists(nubera::testing::pathOf(dir + "/" + path.substr(1)))) << path;
      continue;
    }
    if (path.ends_with("/")) {
      EXPECT_TRUE(fs::is_directory(nubera::testing::pathOf(dir + "/" + path))) << path;
      continue;
    }
    ASSERT_TRUE(fs::is_regular_file(nubera::testing::pathOf(dir + "/" + path))) << path;
    EXPECT_EQ(readText(nubera::testing::pathOf(dir + "/" + path)),
              nubera::testing::fileBytes(fileLines))
        << path;
  }
}

std::vector<std::string> scenarioNames() {
  std::vector<std::string> names;
  for (const auto& entry : fs::directory_iterator(SCENARIO_DIR)) {
    if (entry.path().extension() == ".scn") names.push_back(entry.path().stem().string());
  }
  std::sort(names.begin(), names.end());
  return names;
}

INSTANTIATE_TEST_SUITE_P(Scenarios, Scenario, ::testing::ValuesIn(scenarioNames()),
                         [](const auto& info) { return info.param; });

#ifdef _WIN32
// The driver started in a copy inside the user's temporary folder, as Explorer runs one from
// inside a zip: the warning comes before the start-up screen, which still opens.
TEST(Driver, StartedInTheTemporaryFolderWarnsFirst) {
  const fs::path folder = fs::temp_directory_path() / "Temp1_st_nubera.zip" / "st_nubera-1.0.0";
  fs::create_directories(folder);
  const auto u8 = folder.u8string();
  LocalFileSystem files(std::string(u8.begin(), u8.end()));
  std::istringstream in("start\nstate\n");
  std::ostringstream out;
  runScript(screens::all(), files, in, out);
  fs::remove_all(folder.parent_path());
  EXPECT_TRUE(
      out.str().starts_with("message このプログラムは一時フォルダーの中から起動されています。"))
      << out.str();
  EXPECT_NE(out.str().find("screens frmSplash:visible"), std::string::npos) << out.str();
}
#endif

}  // namespace
