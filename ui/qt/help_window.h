#pragma once
// The program's own help on Qt, in a window of the program: the help page as a read-only text
// that a screen reader reads line by line as the caret moves and whole (say-all). Tab and
// Shift+Tab move from link to link, Enter or a click follows one; Esc closes the window, as it
// closes any viewer window.

#include <QString>
#include <QTextEdit>
#include <QWidget>

namespace nubera::qt {

// The page itself. A read-only text field, not a browser: a screen reader takes a browser's
// text for a label, which it neither walks nor reads whole.
class HelpView : public QTextEdit {
 public:
  // name: what a screen reader calls it.
  HelpView(QWidget* parent, const QString& name);
  // Shows the part of the page at the anchor of that name.
  void goTo(const QString& anchor);

 protected:
  bool focusNextPrevChild(bool next) override;
  void keyPressEvent(QKeyEvent* e) override;
  void mouseReleaseEvent(QMouseEvent* e) override;

 private:
  void follow(const QString& href);
};

class HelpWindow : public QWidget {
 public:
  HelpWindow(const QString& title, const QString& name);
  HelpView* view() const { return view_; }
  // The help page at its contents; false where the page cannot be read.
  bool load(const QString& path);

 protected:
  void keyPressEvent(QKeyEvent* e) override;

 private:
  HelpView* view_;
};

}  // namespace nubera::qt
