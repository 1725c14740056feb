#include "screens/common/page_set_road.h"

#include "core/page_set.h"
#include "screens/common/common.h"

namespace nubera::screens {

namespace {

// Why the pass cannot run, or nothing; the files it writes go to `files`.
Refusal checkedFiles(Runtime& rt, const PageSetRoad& road, Pass pass, const PlayerSettings& player,
                     std::vector<PageFile>& files) {
  FileSystem& fs = rt.files();
  const bool preview = pass == Pass::Preview;
  // A Windows player reads the program folder's path as it stands in the preview line.
  if (auto refusal = programFolderRefusal(fs, road.levels, preview && fs.isWindows())) {
    return refusal;
  }
  auto place = road.place(rt, pass);
  if (auto* refusal = std::get_if<Message>(&place)) return *refusal;
  const auto& at = std::get<PageSetPlace>(place);
  const std::string video = rt.text(road.screen, road.videoName);
  if (auto refusal = videoNameRefusal(fs, at.folder, video, pass)) return refusal;
  const std::string line = at.line(pass, videoFileBase(fs, at.folder, video));
  if (preview) {
    files = pageSetFiles(fs, at.folder, at.pageRows, video, line, player);
    return std::nullopt;
  }
  // Metafiles that no page names would be published for nothing.
  if (const auto missing = missingPages(fs, at.folder, video); !missing.empty()) {
    Message named(missing.front());
    for (std::size_t i = 1; i < missing.size(); ++i) named.then(MessageId::ListMore, {missing[i]});
    return Message(MessageId::PagesMissing, {video, named})
        .then(MessageId::Line, {at.folder})
        .then(MessageId::Line, {road.previewFirst});
  }
  files = metafiles(fs, at.folder, video, line);
  return std::nullopt;
}

}  // namespace

void runPass(Runtime& rt, const PageSetRoad& road, Pass pass) {
  PlayerSettings player;
  std::optional<Message> wayOn;
  if (pass == Pass::Preview) {
    // A player value the page cannot hold is refused before the screen's own step, so that it
    // can be corrected on the settings screen and the preview pressed again.
    player = playerValues(rt, road.player);
    if (auto refusal = playerRefusal(player)) return rt.message(*refusal);
    road.pressed(rt);
    wayOn = road.previewAgain;
  }
  const auto tell = [&](Message m) {
    if (wayOn) m.then(*wayOn);
    rt.message(m);
  };
  try {
    std::vector<PageFile> files;
    if (auto refusal = checkedFiles(rt, road, pass, player, files)) return tell(*refusal);
    writePageFiles(rt.files(), files);
  } catch (const FileError& e) {
    return tell(rt.failure(e));
  }
  rt.message(Message(MessageId::Saved));
  rt.message(Message(MessageId::Done));
}

}  // namespace nubera::screens
