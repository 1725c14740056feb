#pragma once
// The high-contrast scheme of the Linux desktop.

#include <optional>
#include <string>
#include <string_view>

#include "ui/desktop_rules.h"

namespace nubera {

// A high-contrast scheme a Linux desktop can choose: dark on light, or light on dark.
enum class ContrastScheme { None, Standard, Inverse };
// The scheme a GTK theme name stands for ("HighContrast", "HighContrastInverse", either with a
// ":variant" after it); None for any other theme.
ContrastScheme schemeOfTheme(std::string_view themeName);
// What the desktop portal answers (org.freedesktop.appearance: contrast 1 is "high",
// color-scheme 1 is "prefer dark"; GNOME's own a11y high-contrast key), nothing where it has
// no answer; and the scheme that stands for: high contrast where either key turns it on, light
// on dark where the desktop also prefers a dark look.
struct PortalAppearance {
  std::optional<unsigned> contrast;
  std::optional<bool> gnomeHighContrast;
  std::optional<unsigned> colorScheme;
};
ContrastScheme schemeOfPortal(const PortalAppearance& portal);
// The theme a GTK settings file (gtk-3.0/settings.ini) chooses: the value of gtk-theme-name in
// its [Settings] group, or "" when it names none.
std::string themeInSettings(std::string_view settingsFile);
// The colours every program draws with in the scheme: black on white, or white on black.
SystemColours schemeColours(ContrastScheme scheme);

// The colours to draw with where the user chose a high-contrast scheme; nullopt otherwise.
// Read from GTK_THEME where it is set (the theme GTK programs then use), else from the desktop
// portal (its contrast, or GNOME's own key; light on dark where the desktop prefers dark) and
// then from the GTK settings files (gtk-theme-name).
std::optional<SystemColours> systemHighContrast();

}  // namespace nubera
