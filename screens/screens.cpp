#include "screens/screens.h"

namespace nubera::screens {

const ScreenSet& all() {
  static const ScreenSet set = {&splash(), &menu(),          &serverFolder(), &siteFolder(),
                                &quick(),  &quickSettings(), &detailed(),     &detailedSettings()};
  return set;
}

}  // namespace nubera::screens
