#include "screens/screens.h"

#include "core/site_layout.h"
#include "screens/common/messages.h"
#include "ui/runtime.h"

namespace nubera::screens {

namespace {

// As the program starts, before its first screen. Everything it makes is kept beside it: a
// folder that Windows empties later would take the user's work with it, which is said once,
// before anything can be made. What a writer stopped before its rename left in the program
// folder and the stored site's folders, which the user uploads, is removed.
void start(Runtime& rt) {
  FileSystem& fs = rt.files();
  if (fs.programDirectoryIsTemporary()) {
    rt.message(Message(MessageId::StartedInTemporaryFolder, {fs.programDirectory()}));
  }
  fs.removeLeftovers(fs.programDirectory());
  for (const std::string& folder : storedSiteFolders(fs)) fs.removeLeftovers(folder);
}

}  // namespace

const ScreenSet& all() {
  static const ScreenSet set = {
      .kinds = {&splash(), &menu(), &serverFolder(), &siteFolder(), &quick(), &quickSettings(),
                &detailed(), &detailedSettings()},
      .start = start,
      .say = say};
  return set;
}

}  // namespace nubera::screens
