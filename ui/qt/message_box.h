#pragma once
// The program's message box on Qt, as a Windows program shows one: the prompt, wrapped, and a
// plain OK, in the colours of the program's screens, with no minimise or maximise. Its size and
// its place are decided before it is first shown, so the window manager maps it where it stays.
// A screen reader reads its whole text when it appears (the box's description), and Ctrl+C
// copies it as Windows copies a message box.

#include <QDialog>
#include <QString>

#include "ui/desktop_rules.h"

class QLabel;
class QPushButton;

namespace nubera::qt {

class FlatButton;

class MessageBox : public QDialog {
 public:
  // A box of `owner`'s: a window manager keeps it over that window, and so does a Wayland
  // compositor, which places it itself.
  MessageBox(const QString& title, const QString& prompt, QWidget* owner, const QString& ok,
             const Colours& colours);
  QPushButton* ok() const;

  // Its size for the prompt on the display of `over` (framed as `over` is), then its place
  // over `over`, wholly on that display.
  void fitFor(QWidget* over);
  // What Ctrl+C puts on the clipboard.
  QString copiedText() const;

 protected:
  void showEvent(QShowEvent* e) override;
  void keyPressEvent(QKeyEvent* e) override;

 private:
  QString prompt_;
  QLabel* label_;
  FlatButton* ok_;
};

}  // namespace nubera::qt
