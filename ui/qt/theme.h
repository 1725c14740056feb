#pragma once
// The high-contrast scheme of the Linux desktop.

#include <optional>

#include "ui/desktop_rules.h"

namespace nubera {

// The colours to draw with where the user chose a high-contrast scheme; nullopt otherwise.
// Read from GTK_THEME where it is set (the theme GTK programs then use), else from the desktop
// portal (its contrast, or GNOME's own key; light on dark where the desktop prefers dark) and
// then from the GTK settings files (gtk-theme-name).
std::optional<SystemColours> systemHighContrast();

}  // namespace nubera
