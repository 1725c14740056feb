#include "screens/common/player_values.h"

#include "core/number_text.h"
#include "screens/controls.h"

namespace nubera::screens {

namespace {

const PlayerRow& rowOf(PlayerValue v) {
  return kPlayerRows[static_cast<std::size_t>(v)];
}

// The settings screen's text into the creation screen's field.
void copy(Runtime& rt, const PlayerLink& link, PlayerValue v) {
  rt.setText(link.creation, link.creationField(v), rt.text(link.settings, rowOf(v).settings));
}

}  // namespace

ControlName PlayerLink::creationField(PlayerValue v) const {
  return rowOf(v).*field;
}

const PlayerLink& quickPlayerLink() {
  using enum PlayerValue;
  static const PlayerLink link{.settings = ScreenId::Form5,
                               .creation = ScreenId::Form4,
                               .field = &PlayerRow::quick,
                               .pulledAtLoad = {Autostart, Width, Height},
                               .pulledOnChange = {Alignment, Height, Width, Autostart},
                               .widthPullSetsHeight = false};
  return link;
}

const PlayerLink& detailedPlayerLink() {
  using enum PlayerValue;
  // The alignment is not pulled at load: the settings screen's push alone brings it.
  static const PlayerLink link{.settings = ScreenId::Form7,
                               .creation = ScreenId::Form6,
                               .field = &PlayerRow::detailed,
                               .pulledAtLoad = {Width, Height, Autostart},
                               .pulledOnChange = {Width, Autostart, Alignment},
                               .widthPullSetsHeight = true};
  return link;
}

void pushPlayerValue(Runtime& rt, const PlayerLink& link, PlayerValue value) {
  copy(rt, link, value);
}

void followWidth(Runtime& rt, ScreenId settings) {
  if (auto height = heightForWidth(rt.text(settings, rowOf(PlayerValue::Width).settings))) {
    rt.setText(settings, rowOf(PlayerValue::Height).settings, *height);
  }
}

void pullPlayerValuesAtLoad(Runtime& rt, const PlayerLink& link) {
  for (PlayerValue v : link.pulledAtLoad) copy(rt, link, v);
}

void addPlayerPulls(ScreenKind& creation, const PlayerLink& link) {
  for (PlayerValue v : link.pulledOnChange) {
    creation.changes[link.creationField(v)] = [&link, v](Runtime& rt) {
      copy(rt, link, v);
      if (link.widthPullSetsHeight && v == PlayerValue::Width) followWidth(rt, link.settings);
    };
  }
}

PlayerSettings playerValues(Runtime& rt, const PlayerLink& link) {
  PlayerSettings p;
  for (PlayerValue v : kPlayerValues) p[v] = rt.text(link.creation, link.creationField(v));
  return p;
}

}  // namespace nubera::screens
