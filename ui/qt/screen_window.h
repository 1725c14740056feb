#pragma once
// One screen's window on Qt Widgets: its controls drawn from the declaration, clicks, edits
// and keys turned into runtime events through the shared keyboard rules.

#include <QString>
#include <QWidget>
#include <functional>
#include <string>
#include <vector>

#include "ui/desktop_rules.h"
#include "ui/geometry.h"
#include "ui/qt/theme.h"
#include "ui/runtime.h"

namespace nubera {

QString qs(const std::string& s);
// The declared font, with the fallbacks of the shared rules.
QFont fontFor(const Font& f);
namespace qt {

QColor colorOf(Rgb c);
// A palette whose every role for backgrounds and for text takes the given colours.
QPalette paletteOf(QPalette pal, const Colours& c);

// One screen's window.
//   screen_window.cpp  its widgets: made from the declaration, shown as the runtime holds them
//   screen_input.cpp   its keys, the focus a field gets, and the close through its frame
class ScreenWindow : public QWidget {
 public:
  // assetDir: the folder of the pictures.
  // highContrast: the scheme of the desktop, which the window is drawn in.
  ScreenWindow(Runtime& runtime, const std::string& assetDir, const ScreenInstance& screen,
               std::optional<SystemColours> highContrast);
  // The high-contrast scheme it is drawn in, if any.
  const std::optional<SystemColours>& highContrast() const { return highContrast_; }

  // The control a widget stands for, or -1.
  int indexOf(const QWidget* w) const;
  QWidget* widgetOf(int i) const { return i >= 0 ? widgets_[i] : nullptr; }
  // The first control in the focus order takes the focus.
  void focusFirst();
  // The runtime destroyed the screen: no close event may reach it any more.
  void retire();
  // Shows the control as the runtime holds it.
  void refresh(const ScreenInstance& screen, int i);
  // Called whenever the window becomes the active one.
  std::function<void()> onActivated;

 protected:
  void closeEvent(QCloseEvent* e) override;
  // A click on the window's own face (its margin), which only a screen that is one big button
  // takes.
  void mousePressEvent(QMouseEvent* e) override;
  // Every key pressed in this window, on a control or on the window itself, goes by the
  // keyboard rules; only what they pass on reaches the control.
  bool eventFilter(QObject* target, QEvent* e) override;
  bool event(QEvent* e) override;

 private:
  bool key(QWidget* target, QKeyEvent* e);
  void focus(QWidget* w, FocusCause cause);
  void build(const ScreenInstance& screen, int i);
  // Names for screen readers, and each field's label as its buddy.
  void nameForScreenReaders(const ScreenInstance& screen);
  // What a screen reader is told of the control (-1: the window), as the screen now holds it.
  void speak(const ScreenInstance& screen, int i);
  // Qt toggles a radio button on its own; the runtime's state is the one that counts.
  void resync(int i);

  Runtime& runtime_;
  std::string assetDir_;
  ScreenId id_;
  std::vector<ControlPlace> places_;
  std::optional<SystemColours> highContrast_;
  std::vector<QWidget*> widgets_;
  bool retired_ = false;
};

}  // namespace qt

}  // namespace nubera
