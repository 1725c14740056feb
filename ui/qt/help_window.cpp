#include "ui/qt/help_window.h"

#include <QFile>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QTextBlock>
#include <QVBoxLayout>

namespace nubera::qt {

HelpView::HelpView(QWidget* parent, const QString& name) : QTextEdit(parent) {
  setObjectName("HelpBrowser");
  setReadOnly(true);
  // A caret the arrows move, so a screen reader reads the line it stands on.
  setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard |
                          Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
  setAccessibleName(name);
}

void HelpView::goTo(const QString& anchor) {
  scrollToAnchor(anchor);
  // The caret goes there too, where reading on starts.
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      if (it.fragment().charFormat().anchorNames().contains(anchor)) {
        QTextCursor at(document());
        at.setPosition(it.fragment().position());
        setTextCursor(at);
        return;
      }
    }
  }
}

// Tab and Shift+Tab select the next or previous link after or before the caret, round.
bool HelpView::focusNextPrevChild(bool next) {
  struct Link {
    int position, length;
  };
  std::vector<Link> links;
  for (QTextBlock b = document()->begin(); b.isValid(); b = b.next()) {
    for (auto it = b.begin(); !it.atEnd(); ++it) {
      const QTextFragment f = it.fragment();
      if (!f.charFormat().anchorHref().isEmpty()) links.push_back({f.position(), f.length()});
    }
  }
  if (links.empty()) return QTextEdit::focusNextPrevChild(next);
  const int caret = textCursor().selectionStart();
  const Link* chosen = nullptr;
  if (next) {
    for (const Link& l : links) {
      if (l.position > caret) {
        chosen = &l;
        break;
      }
    }
    if (!chosen) chosen = &links.front();
  } else {
    for (auto it = links.rbegin(); it != links.rend(); ++it) {
      if (it->position < caret) {
        chosen = &*it;
        break;
      }
    }
    if (!chosen) chosen = &links.back();
  }
  QTextCursor select(document());
  select.setPosition(chosen->position);
  select.setPosition(chosen->position + chosen->length, QTextCursor::KeepAnchor);
  setTextCursor(select);
  return true;
}

void HelpView::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Return || e->key() == Qt::Key_Enter) {
    QTextCursor at = textCursor();
    if (at.hasSelection()) at.setPosition(at.selectionStart() + 1);
    const QString href = at.charFormat().anchorHref();
    if (!href.isEmpty()) {
      follow(href);
      return;
    }
  }
  QTextEdit::keyPressEvent(e);
}

void HelpView::mouseReleaseEvent(QMouseEvent* e) {
  QTextEdit::mouseReleaseEvent(e);
  if (const QString href = anchorAt(e->position().toPoint()); !href.isEmpty()) follow(href);
}

void HelpView::follow(const QString& href) {
  // The page links only within itself.
  if (href.startsWith('#')) goTo(href.mid(1));
}

HelpWindow::HelpWindow(const QString& title, const QString& name)
    : QWidget(nullptr, Qt::Window), view_(new HelpView(this, name)) {
  setObjectName("HelpWindow");
  setWindowTitle(title);
  resize(720, 560);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(0, 0, 0, 0);
  layout->addWidget(view_);
}

bool HelpWindow::load(const QString& path) {
  QFile page(path);
  if (!page.open(QIODevice::ReadOnly)) return false;
  view_->setHtml(QString::fromUtf8(page.readAll()));
  view_->goTo("contents");
  return true;
}

void HelpWindow::keyPressEvent(QKeyEvent* e) {
  if (e->key() == Qt::Key_Escape) {
    close();
    return;
  }
  QWidget::keyPressEvent(e);
}

}  // namespace nubera::qt
