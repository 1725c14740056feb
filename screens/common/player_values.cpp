#include "screens/common/player_values.h"

#include <array>
#include <utility>

#include "core/number_text.h"
#include "screens/controls.h"

namespace nubera::screens {

namespace {

namespace settings = ctl::settings;

// Each settings field with the link's field for it.
std::array<std::pair<ControlName, ControlName>, 4> pairs(const PlayerLink& link) {
  return {{{settings::Text12, link.width},
           {settings::Text14, link.height},
           {settings::Text17, link.autostart},
           {settings::Text1, link.alignment}}};
}

ControlName settingsFieldOf(const PlayerLink& link, ControlName creationField) {
  for (auto [there, here] : pairs(link)) {
    if (here == creationField) return there;
  }
  return {};
}

}  // namespace

const PlayerLink& quickPlayerLink() {
  using namespace ctl::quick;
  static const PlayerLink link{.settings = ScreenId::Form5,
                               .creation = ScreenId::Form4,
                               .width = Text171,
                               .height = Text161,
                               .autostart = Text211,
                               .alignment = Text151,
                               .pulledAtLoad = {Text211, Text171, Text161},
                               .pulledOnChange = {Text151, Text161, Text171, Text211},
                               .widthPullSetsHeight = false};
  return link;
}

const PlayerLink& detailedPlayerLink() {
  using namespace ctl::detailed;
  // The alignment is not pulled at load: the settings screen's push alone brings it.
  static const PlayerLink link{.settings = ScreenId::Form7,
                               .creation = ScreenId::Form6,
                               .width = Text15,
                               .height = Text13,
                               .autostart = Text20,
                               .alignment = Text35,
                               .pulledAtLoad = {Text15, Text13, Text20},
                               .pulledOnChange = {Text15, Text20, Text35},
                               .widthPullSetsHeight = true};
  return link;
}

void pushPlayerValue(Runtime& rt, const PlayerLink& link, ControlName settingsField) {
  for (auto [there, here] : pairs(link)) {
    if (there == settingsField) rt.setText(link.creation, here, rt.text(link.settings, there));
  }
}

void followWidth(Runtime& rt, ScreenId settings) {
  if (auto height = heightForWidth(rt.text(settings, settings::Text12))) {
    rt.setText(settings, settings::Text14, *height);
  }
}

void pullPlayerValuesAtLoad(Runtime& rt, const PlayerLink& link) {
  for (ControlName field : link.pulledAtLoad) {
    rt.setText(link.creation, field, rt.text(link.settings, settingsFieldOf(link, field)));
  }
}

void addPlayerPulls(ScreenKind& creation, const PlayerLink& link) {
  for (ControlName field : link.pulledOnChange) {
    creation.changes[field] = [&link, field](Runtime& rt) {
      rt.setText(link.creation, field, rt.text(link.settings, settingsFieldOf(link, field)));
      if (link.widthPullSetsHeight && field == link.width) followWidth(rt, link.settings);
    };
  }
}

PlayerSettings playerValues(Runtime& rt, const PlayerLink& link) {
  return {.width = rt.text(link.creation, link.width),
          .height = rt.text(link.creation, link.height),
          .autostart = rt.text(link.creation, link.autostart),
          .alignment = rt.text(link.creation, link.alignment)};
}

}  // namespace nubera::screens
