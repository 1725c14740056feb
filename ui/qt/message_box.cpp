#include "ui/qt/message_box.h"

#include <QAccessible>
#include <QApplication>
#include <QClipboard>
#include <QKeyEvent>
#include <QLabel>
#include <QScreen>
#include <QVBoxLayout>

#include "ui/qt/control_widgets.h"
#include "ui/qt/screen_window.h"
#include "ui/qt/window_frames.h"

namespace nubera::qt {

namespace {

// Qt breaks Japanese text between its characters, but Latin text only where a word ends, and
// cuts a longer word at the box's edge: a long path without blanks would lose its end. Such a
// run of Latin characters gets a break opportunity (U+200B, neither drawn nor spoken) after
// each character, as the Windows message box breaks it; Japanese keeps Qt's own breaking, so
// no line starts with 」 or 。.
QString breakableAnywhere(const QString& text) {
  constexpr int kLongWord = 24;
  auto latin = [](QChar c) { return c.unicode() > 0x20 && c.unicode() < 0x7F; };
  QString out;
  for (int i = 0; i < text.size();) {
    int end = i;
    while (end < text.size() && latin(text[end])) ++end;
    if (end == i) {
      out += text[i++];
      continue;
    }
    const bool longWord = end - i >= kLongWord;
    for (; i < end; ++i) {
      out += text[i];
      if (longWord) out += QChar(0x200B);
    }
  }
  return out;
}

}  // namespace

MessageBox::MessageBox(const QString& title, const QString& prompt, QWidget* owner,
                       const QString& ok, const Colours& colours)
    // A title and a close button: no minimise (it would hide the box and its screen with it)
    // and no maximise, as on a Windows message box.
    : QDialog(owner, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                         Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint),
      prompt_(prompt) {
  setObjectName("MessageBox");
  setWindowTitle(title);
  // A screen reader reads a dialog's description when it appears: the whole prompt, which
  // Orca would not find among the box's labels (it reads those only when they hold three
  // blank-separated words, and Japanese has none).
  setAccessibleName(title);
  setAccessibleDescription(prompt);
  setPalette(paletteOf(palette(), colours));
  setAutoFillBackground(true);
  label_ = new QLabel(breakableAnywhere(prompt), this);
  label_->setObjectName("qt_msgbox_label");
  label_->setTextFormat(Qt::PlainText);
  label_->setWordWrap(true);
  // Its words can be selected and copied, as a path in it often is.
  label_->setTextInteractionFlags(Qt::TextSelectableByMouse);
  ok_ = new FlatButton(this);
  ok_->setObjectName("OK");
  ok_->setText(ok);
  ok_->setDefault(true);
  ok_->setFixedSize(88, 26);
  connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
  auto* layout = new QVBoxLayout(this);
  layout->setContentsMargins(16, 16, 16, 12);
  layout->setSpacing(14);
  layout->addWidget(label_);
  layout->addWidget(ok_, 0, Qt::AlignHCenter);
}

QPushButton* MessageBox::ok() const {
  return ok_;
}

void MessageBox::fitFor(QWidget* over) {
  QScreen* display = over ? over->screen() : QGuiApplication::primaryScreen();
  if (display) {
    const PixelRect area = pixelRect(display->availableGeometry());
    const QMargins frame = over ? frameMargins(over) : QMargins();
    const QMargins m = layout()->contentsMargins();
    const int margins = m.left() + m.right() + frame.left() + frame.right();
    const QFontMetrics metrics(label_->font());
    int natural = 0;
    for (const QString& line : label_->text().split('\n')) {
      natural = std::max(natural, metrics.horizontalAdvance(line) + 2);
    }
    // As wide as the prompt's longest line, wrapped where that would read poorly or leave the
    // work area, and wide enough for its title beside the frame's buttons.
    const int widest = std::max(120, std::min(area.width - margins, std::max(420, area.width / 2)));
    const int title = QFontMetrics(font()).horizontalAdvance(windowTitle()) * 5 / 4 + 120;
    const int narrowest = std::max(title - margins, ok_->width());
    int width = std::min(widest, std::max(natural, narrowest));
    // A wrapped prompt is made as narrow as its number of lines allows, so they are of even
    // length and none holds a word or two alone. (Lines of mixed fonts differ by a pixel.)
    const int tallest = label_->heightForWidth(width) + metrics.lineSpacing() / 2;
    for (int low = narrowest, high = width; low < high;) {
      const int mid = (low + high) / 2;
      if (label_->heightForWidth(mid) > tallest) {
        low = mid + 1;
      } else {
        high = width = mid;
      }
    }
    label_->setFixedSize(width, label_->heightForWidth(width));
    layout()->activate();
    setFixedSize(layout()->totalSizeHint());
  }
  placeOver(this, over);
}

QString MessageBox::copiedText() const {
  const QString rule = QStringLiteral("---------------------------\n");
  return rule + windowTitle() + "\n" + rule + prompt_ + "\n" + rule + ok_->text() + "   \n" + rule;
}

void MessageBox::showEvent(QShowEvent* e) {
  QDialog::showEvent(e);
  QAccessibleEvent alert(this, QAccessible::Alert);
  QAccessible::updateAccessibility(&alert);
}

void MessageBox::keyPressEvent(QKeyEvent* e) {
  if (e->matches(QKeySequence::Copy)) {
    // What is selected of the text, or the whole box as Windows copies it.
    QApplication::clipboard()->setText(
        label_->hasSelectedText() ? label_->selectedText().remove(QChar(0x200B)) : copiedText());
    return;
  }
  QDialog::keyPressEvent(e);
}

}  // namespace nubera::qt
