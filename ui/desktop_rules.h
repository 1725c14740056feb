#pragma once
// What every desktop does alike, decided once from the screen declarations; a desktop maps its
// toolkit's events to these and carries out the answer, deciding none of it itself:
//   keyboard.h    keys, the focus and clicks
//   speech.h      what a screen reader is told
//   appearance.h  colours, fonts and pictures
//   placement.h   where windows open

#include "ui/appearance.h"
#include "ui/keyboard.h"
#include "ui/placement.h"
#include "ui/speech.h"
