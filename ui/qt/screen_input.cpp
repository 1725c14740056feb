// A Qt screen window's input: keys through the shared keyboard rules, the focus a field gets,
// and the close through the window frame.

#include <QCloseEvent>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPointer>

#include "ui/desktop_rules.h"
#include "ui/qt/screen_window.h"

namespace nubera::qt {

namespace {

FocusCause causeOf(Qt::FocusReason reason) {
  switch (reason) {
    case Qt::TabFocusReason:
    case Qt::BacktabFocusReason:
    case Qt::ShortcutFocusReason:
      return FocusCause::Keyboard;
    case Qt::ActiveWindowFocusReason:
      return FocusCause::Reactivation;
    case Qt::MouseFocusReason:
      return FocusCause::Click;
    default:
      return FocusCause::Opening;
  }
}

}  // namespace

void ScreenWindow::closeEvent(QCloseEvent* e) {
  e->ignore();
  if (!retired_) runtime_.userClose(id_);
}

void ScreenWindow::mousePressEvent(QMouseEvent* e) {
  const ScreenInstance* s = retired_ ? nullptr : runtime_.find(id_);
  const int target = s ? clickedControl(s->decl(), -1) : -1;
  if (target < 0) return QWidget::mousePressEvent(e);
  e->accept();
  runtime_.userClick(id_, s->decl().controls[target].name);
}

bool ScreenWindow::eventFilter(QObject* target, QEvent* e) {
  if (e->type() == QEvent::KeyPress && target->isWidgetType()) {
    return key(static_cast<QWidget*>(target), static_cast<QKeyEvent*>(e));
  }
  if (e->type() == QEvent::FocusIn) {
    auto* edit = qobject_cast<QLineEdit*>(target);
    if (edit && selectsWholeText(causeOf(static_cast<QFocusEvent*>(e)->reason()))) {
      edit->selectAll();
    }
  }
  return QWidget::eventFilter(target, e);
}

bool ScreenWindow::event(QEvent* e) {
  if (e->type() == QEvent::KeyPress && key(this, static_cast<QKeyEvent*>(e))) return true;
  if (e->type() == QEvent::WindowActivate && onActivated) onActivated();
  return QWidget::event(e);
}

// Carries out what the keyboard rules say of the key; true when it is used up.
bool ScreenWindow::key(QWidget* target, QKeyEvent* e) {
  const ScreenInstance* s = retired_ ? nullptr : runtime_.find(id_);
  if (!s) return false;
  Key k = Key::Other;
  const bool plain = (e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)) == 0;
  if (plain && e->key() == Qt::Key_Tab && !(e->modifiers() & Qt::ShiftModifier)) k = Key::Tab;
  if (plain && (e->key() == Qt::Key_Backtab ||
                (e->key() == Qt::Key_Tab && (e->modifiers() & Qt::ShiftModifier)))) {
    k = Key::BackTab;
  }
  if (plain && (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter)) k = Key::Enter;
  if (plain && e->key() == Qt::Key_Space) k = Key::Space;
  if (plain && e->key() == Qt::Key_Up) k = Key::Up;
  if (plain && e->key() == Qt::Key_Down) k = Key::Down;
  if (plain && e->key() == Qt::Key_Left) k = Key::Left;
  if (plain && e->key() == Qt::Key_Right) k = Key::Right;
  if (e->key() == Qt::Key_Escape) k = Key::Escape;
  struct Target : KeyTarget {
    ScreenWindow& w;
    Runtime& rt;
    explicit Target(ScreenWindow& window, Runtime& runtime) : w(window), rt(runtime) {}
    void focusControl(int c) override {
      if (QWidget* widget = w.widgetOf(c)) w.focus(widget, FocusCause::Keyboard);
    }
    void clickControl(int c) override {
      const ScreenInstance* screen = rt.find(w.id_);
      if (!screen) return;
      // The click may unload this screen and open a modal one, whose loop deletes this window
      // (the start-up screen's Enter): it is looked at again only if it is still there.
      QPointer<ScreenWindow> alive(&w);
      rt.userClick(w.id_, screen->decl().controls[c].name);
      if (alive && !w.retired_) w.resync(c);
    }
    void screenKey() override { rt.userKey(w.id_); }
  } dispatch(*this, runtime_);
  return carryOut(keyAction(*s, indexOf(target), k, !e->text().isEmpty()), dispatch);
}

}  // namespace nubera::qt
