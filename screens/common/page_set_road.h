#pragma once
// The one road of a page set, for both creation screens: the preview pass and the publish
// pass, their checks and their order. A screen gives only its folder, its metafile lines and
// its fields; whatever a pass may refuse is asked of the rule book.

#include <functional>
#include <optional>
#include <string>
#include <variant>

#include "core/fragment_table.h"
#include "core/rules.h"
#include "screens/common/player_values.h"
#include "ui/runtime.h"

namespace nubera::screens {

// Where a screen's page set goes and what its metafiles say.
struct PageSetPlace {
  std::string folder;
  FragmentTable pageRows;  // under the quick screen's names
  // The metafile line of the pass, for the video file's name as it lies in the folder.
  std::function<std::string(Pass, const std::string& videoFile)> line;
};

struct PageSetRoad {
  ScreenId screen;
  ControlName videoName;
  const PlayerLink& player;
  int levels;  // folders between the program folder and the page set's
  // The screen's place for the pass, or why it has none (its site facts, its typed address).
  std::function<std::variant<PageSetPlace, Message>(Runtime&, Pass)> place;
  // The screen's own step once its preview button is pressed and the player values hold.
  std::function<void(Runtime&)> pressed;
  // Said after each failure of a preview: how to reach it again (nothing where it stays).
  std::optional<Message> previewAgain;
  // Said when a publish finds no preview's pages under the name: how to make them.
  Message previewFirst;
};

// The pass, to its end: one message that refuses or names the failure, or "保存しました。" and
// "完成しました" once every file is written.
void runPass(Runtime& rt, const PageSetRoad& road, Pass pass);

}  // namespace nubera::screens
