// Which high-contrast scheme the Linux desktop has chosen, read where the desktop keeps it.

#include "ui/qt/theme.h"

#include <QDBusConnection>
#include <QDBusMessage>
#include <QDBusVariant>
#include <QDir>
#include <QFile>
#include <QVariant>

namespace nubera {

ContrastScheme schemeOfTheme(std::string_view theme) {
  theme = theme.substr(0, theme.find(':'));
  std::string folded;
  for (char c : theme) folded += static_cast<char>(c >= 'A' && c <= 'Z' ? c - 'A' + 'a' : c);
  if (folded == "highcontrast") return ContrastScheme::Standard;
  if (folded == "highcontrastinverse") return ContrastScheme::Inverse;
  return ContrastScheme::None;
}

ContrastScheme schemeOfPortal(const PortalAppearance& p) {
  if (p.contrast != 1u && p.gnomeHighContrast != true) return ContrastScheme::None;
  return p.colorScheme == 1u ? ContrastScheme::Inverse : ContrastScheme::Standard;
}

std::string themeInSettings(std::string_view file) {
  auto trim = [](std::string_view s) {
    const auto first = s.find_first_not_of(" \t\r");
    if (first == std::string_view::npos) return std::string_view();
    return s.substr(first, s.find_last_not_of(" \t\r") - first + 1);
  };
  bool inSettings = false;
  std::string theme;
  for (std::size_t start = 0; start < file.size();) {
    std::size_t end = file.find('\n', start);
    if (end == std::string_view::npos) end = file.size();
    const std::string_view line = trim(file.substr(start, end - start));
    start = end + 1;
    if (line.starts_with('[')) {
      inSettings = line == "[Settings]";
    } else if (const auto eq = line.find('='); inSettings && eq != std::string_view::npos &&
                                               trim(line.substr(0, eq)) == "gtk-theme-name") {
      theme = std::string(trim(line.substr(eq + 1)));
    }
  }
  return theme;
}

SystemColours schemeColours(ContrastScheme scheme) {
  const Rgb back = scheme == ContrastScheme::Inverse ? kBlack : kWhite;
  const Rgb text = scheme == ContrastScheme::Inverse ? kWhite : kBlack;
  return {back, text, back, text};
}

namespace {

// A value the desktop portal keeps, or nothing when no portal answers (no session bus, no
// portal, or none within a moment: the start must not wait for it).
std::optional<QVariant> portalSetting(const QString& group, const QString& key) {
  // No session bus named: no portal to ask, and no D-Bus thread started for nothing.
  if (!qEnvironmentVariableIsSet("DBUS_SESSION_BUS_ADDRESS")) return std::nullopt;
  QDBusConnection bus = QDBusConnection::sessionBus();
  if (!bus.isConnected()) return std::nullopt;
  QDBusMessage call = QDBusMessage::createMethodCall("org.freedesktop.portal.Desktop",
                                                     "/org/freedesktop/portal/desktop",
                                                     "org.freedesktop.portal.Settings", "Read");
  call << group << key;
  const QDBusMessage reply = bus.call(call, QDBus::Block, 250);
  if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty()) {
    return std::nullopt;
  }
  QVariant value = reply.arguments().first();
  // Read answers a variant in a variant.
  while (value.canConvert<QDBusVariant>()) value = value.value<QDBusVariant>().variant();
  return value;
}

// The scheme the desktop keeps, as its portal answers.
ContrastScheme portalScheme() {
  PortalAppearance portal;
  if (auto v = portalSetting("org.freedesktop.appearance", "contrast"))
    portal.contrast = v->toUInt();
  if (auto v = portalSetting("org.gnome.desktop.a11y.interface", "high-contrast")) {
    portal.gnomeHighContrast = v->toBool();
  }
  if (auto v = portalSetting("org.freedesktop.appearance", "color-scheme")) {
    portal.colorScheme = v->toUInt();
  }
  return schemeOfPortal(portal);
}

// The theme the GTK settings files choose, the newer GTK's first.
ContrastScheme settingsScheme() {
  QString config = qEnvironmentVariable("XDG_CONFIG_HOME");
  if (config.isEmpty()) config = QDir::homePath() + "/.config";
  for (const char* gtk : {"gtk-4.0", "gtk-3.0"}) {
    QFile file(config + "/" + gtk + "/settings.ini");
    if (!file.open(QIODevice::ReadOnly)) continue;
    const std::string theme = themeInSettings(file.read(64 * 1024).toStdString());
    if (!theme.empty()) return schemeOfTheme(theme);
  }
  return ContrastScheme::None;
}

}  // namespace

std::optional<SystemColours> systemHighContrast() {
  // Qt has no high-contrast setting of its own, and its palette does not follow a GTK theme:
  // the scheme is read where the desktop keeps it and drawn in its own colours. GTK_THEME,
  // where set, is the theme GTK programs use whatever the settings say.
  ContrastScheme scheme = ContrastScheme::None;
  if (qEnvironmentVariableIsSet("GTK_THEME")) {
    scheme = schemeOfTheme(qgetenv("GTK_THEME").toStdString());
  } else {
    scheme = portalScheme();
    if (scheme == ContrastScheme::None) scheme = settingsScheme();
  }
  if (scheme == ContrastScheme::None) return std::nullopt;
  return schemeColours(scheme);
}

}  // namespace nubera
