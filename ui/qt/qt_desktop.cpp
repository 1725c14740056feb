#include "ui/qt/qt_desktop.h"

#include <QAccessible>
#include <QApplication>
#include <QDialog>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLabel>
#include <QLayout>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/desktop_rules.h"
#include "ui/qt/control_widgets.h"
#include "ui/qt/screen_window.h"

namespace nubera {

namespace {

bool onWayland() {
  return QGuiApplication::platformName().startsWith("wayland");
}

// The help window: Esc closes it, as it closes any viewer window.
class HelpWindow : public QWidget {
 public:
  HelpWindow() : QWidget(nullptr, Qt::Window) {}

 protected:
  void keyPressEvent(QKeyEvent* e) override {
    if (e->key() == Qt::Key_Escape) {
      close();
      return;
    }
    QWidget::keyPressEvent(e);
  }
};

PixelRect pixelRect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

// A window's frame on the desktop: once the window manager has framed it, as it is; before,
// its client area with the frame a framed window of the program has (the title bar and the
// borders are the same on every screen of it).
PixelRect frameOf(QWidget* w, const QMargins& frame) {
  if (w->isVisible() && w->frameGeometry() != w->geometry()) return pixelRect(w->frameGeometry());
  const QRect client(w->mapToGlobal(QPoint(0, 0)), w->size());
  return pixelRect(client.marginsAdded(frame));
}

QMargins frameMargins(QWidget* w) {
  const QRect outer = w->frameGeometry();
  const QRect inner = w->geometry();
  return QMargins(inner.left() - outer.left(), inner.top() - outer.top(),
                  outer.right() - inner.right(), outer.bottom() - inner.bottom());
}

// Moves a window that belongs to `over` (a message box, the help) over it, wholly on the
// display `over` stands on; with no such window, onto the middle of the primary display.
void placeOver(QWidget* w, QWidget* over) {
  QScreen* display = over ? over->screen() : QGuiApplication::primaryScreen();
  if (!display) return;
  const PixelRect area = pixelRect(display->availableGeometry());
  // Before the window manager frames the window, it gets the frame of the one it belongs to.
  const QMargins margins = over ? frameMargins(over) : QMargins();
  const PixelRect at = centredOver(frameOf(w, margins), over ? frameOf(over, margins) : area, area);
  w->move(at.x, at.y);
}

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

// A message box as a Windows program shows one: the prompt, wrapped, and a plain OK, in the
// colours of the program's own screens. Its size and its place are decided before it is first
// shown, so the window manager maps it where it stays: nothing moves it after that.
class MessageBox : public QDialog {
 public:
  // A box of `owner`'s: a window manager keeps it over that window, and so does a Wayland
  // compositor, which places it itself.
  MessageBox(const QString& title, const QString& prompt, QWidget* owner, const Colours& colours)
      : QDialog(owner, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint) {
    setObjectName("MessageBox");
    setWindowTitle(title);
    setPalette(qt::paletteOf(palette(), colours));
    setAutoFillBackground(true);
    label_ = new QLabel(breakableAnywhere(prompt), this);
    label_->setObjectName("qt_msgbox_label");
    label_->setTextFormat(Qt::PlainText);
    label_->setWordWrap(true);
    ok_ = new qt::FlatButton(this);
    ok_->setObjectName("OK");
    ok_->setText("OK");
    ok_->setDefault(true);
    ok_->setFixedSize(88, 26);
    connect(ok_, &QPushButton::clicked, this, &QDialog::accept);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(16, 16, 16, 12);
    layout->setSpacing(14);
    layout->addWidget(label_);
    layout->addWidget(ok_, 0, Qt::AlignHCenter);
  }
  QPushButton* ok() const { return ok_; }

  // Its size for the prompt on the display of `over` (framed as `over` is): as wide as the
  // prompt's longest line, wrapped where that would read poorly or leave the work area, and
  // wide enough for its title beside the frame's buttons.
  void fitFor(QWidget* over) {
    QScreen* display = over ? over->screen() : QGuiApplication::primaryScreen();
    if (!display) return;
    const PixelRect area = pixelRect(display->availableGeometry());
    const QMargins frame = over ? frameMargins(over) : QMargins();
    const QMargins m = layout()->contentsMargins();
    const int margins = m.left() + m.right() + frame.left() + frame.right();
    const QFontMetrics metrics(label_->font());
    int natural = 0;
    for (const QString& line : label_->text().split('\n')) {
      natural = std::max(natural, metrics.horizontalAdvance(line) + 2);
    }
    const int widest = std::max(120, std::min(area.width - margins, std::max(420, area.width / 2)));
    const int title = QFontMetrics(font()).horizontalAdvance(windowTitle()) * 5 / 4 + 120;
    const int width = std::min(widest, std::max({natural, title - margins, ok_->width()}));
    label_->setFixedSize(width, label_->heightForWidth(width));
    layout()->activate();
    setFixedSize(layout()->totalSizeHint());
  }

 protected:
  void showEvent(QShowEvent* e) override {
    QDialog::showEvent(e);
    QAccessibleEvent alert(this, QAccessible::Alert);
    QAccessible::updateAccessibility(&alert);
  }

 private:
  QLabel* label_;
  qt::FlatButton* ok_;
};

}  // namespace

QtDesktop::QtDesktop(std::string assetDir) : assetDir_(std::move(assetDir)) {
  // Qt's Wayland client asks the compositor to activate the focused window whenever the focus
  // moves within the program, each time by a round trip for a token. When the answer comes
  // after the focus has moved on (a message box has closed and the next one opened), sway
  // marks the window it names urgent. The program asks for activation itself where it must
  // (bringForward); Qt's own connection, from the application to itself, is cut.
  if (onWayland()) {
    QObject::disconnect(qApp, &QGuiApplication::focusObjectChanged, qApp, nullptr);
  }
}

QtDesktop::~QtDesktop() {
  for (auto*& w : windows_) {
    delete w;
    w = nullptr;
  }
  delete helpWindow_.data();
}

QWidget* QtDesktop::window(ScreenId id) const {
  return windows_[static_cast<std::size_t>(id)];
}

namespace {

void bringForward(QWidget* w) {
  w->raise();
  // A Wayland compositor marks a window urgent for an activation asked without the user's
  // token; while the program has the focus, the window it shows gets the focus anyway.
  if (onWayland() && QGuiApplication::focusWindow()) return;
  w->activateWindow();
}

}  // namespace

QWidget* QtDesktop::ownerWindow(std::optional<ScreenId> owner) const {
  if (QWidget* w = owner ? window(*owner) : nullptr; w && w->isVisible()) return w;
  const auto active = activation_.next(runtime());
  QWidget* w = active ? window(*active) : nullptr;
  return w && w->isVisible() ? w : nullptr;
}

void QtDesktop::messageBox(std::optional<ScreenId> owner, const std::string& prompt) {
  if (answerer_) {
    answerer_(prompt);
    return;
  }
  QWidget* over = ownerWindow(owner);
  const auto* screen = dynamic_cast<qt::ScreenWindow*>(over);
  MessageBox box(qs(kApplicationTitle), qs(prompt), over,
                 formColours(screen ? screen->highContrast() : systemHighContrast()));
  box.fitFor(over);
  placeOver(&box, over);
  box.exec();
}

void QtDesktop::help(ScreenId id, const std::string&, HelpTopic, const std::string&) {
  // The program's own help, at its contents, in a window of the program.
  if (!helpWindow_) {
    auto* w = new HelpWindow;
    w->setObjectName("HelpWindow");
    w->setWindowTitle(QStringLiteral("ヘルプ － ストリーミング"));
    w->resize(720, 560);
    auto* layout = new QVBoxLayout(w);
    layout->setContentsMargins(0, 0, 0, 0);
    helpBrowser_ = new QTextBrowser(w);
    helpBrowser_->setObjectName("HelpBrowser");
    // Named for a screen reader; Tab moves from link to link and Enter follows one.
    helpBrowser_->setAccessibleName(QStringLiteral("ヘルプ"));
    helpBrowser_->setTextInteractionFlags(Qt::TextBrowserInteraction);
    helpBrowser_->setOpenExternalLinks(false);
    layout->addWidget(helpBrowser_);
    helpWindow_ = w;
  }
  const QString path = qs(assetDir_ + "/" + kHelpPage);
  if (QFile::exists(path)) {
    helpBrowser_->setSource(QUrl::fromLocalFile(path));
    helpBrowser_->scrollToAnchor("contents");
  } else {
    helpBrowser_->setHtml(QStringLiteral("<p>ヘルプファイルが見つかりません：%1</p>").arg(path));
  }
  // Over a modal screen (the first main menu) the help must be modal too, or that screen
  // would block it: it could be neither used nor closed.
  const Qt::WindowModality modality = modalLoop_ ? Qt::ApplicationModal : Qt::NonModal;
  if (helpWindow_->windowModality() != modality) {
    helpWindow_->hide();
    helpWindow_->setWindowModality(modality);
  }
  // Over the screen whose "?" was pressed, each time it is asked for, and belonging to it: a
  // window manager keeps it above that screen, and a Wayland compositor floats it over that
  // screen instead of tiling it beside.
  QWidget* over = ownerWindow(id);
  if (over) {
    helpWindow_->winId();
    over->winId();
    if (helpWindow_->windowHandle()->transientParent() != over->windowHandle()) {
      helpWindow_->hide();  // a window takes its parent when it is mapped
      helpWindow_->windowHandle()->setTransientParent(over->windowHandle());
    }
  }
  placeOver(helpWindow_, over);
  helpWindow_->show();
  bringForward(helpWindow_);
}

void QtDesktop::screenCreated(const ScreenInstance& screen) {
  auto* w = new qt::ScreenWindow(runtime(), assetDir_, screen);
  const ScreenId id = screen.id();
  w->onActivated = [this, id] { activation_.activated(id); };
  windows_[static_cast<std::size_t>(id)] = w;
}

void QtDesktop::screenDestroyed(ScreenId id) {
  auto& w = windows_[static_cast<std::size_t>(id)];
  if (!w) return;
  // Deleted later: the click that caused this may still be running inside the window.
  w->retire();
  w = nullptr;
  if (modalLoop_ && modalScreen_ == id) modalLoop_->quit();
}

void QtDesktop::screenShown(const ScreenInstance& screen, bool modal) {
  qt::ScreenWindow* w = windows_[static_cast<std::size_t>(screen.id())];
  if (!w) return;
  const ScreenDecl& decl = screen.decl();
  const bool opening = !w->isVisible();
  if (modal) w->setWindowModality(Qt::ApplicationModal);
  qt::ScreenWindow* other = windows_[static_cast<std::size_t>(decl.besideOf)];
  QScreen* display =
      other && other->isVisible() ? other->screen() : QGuiApplication::primaryScreen();
  const PixelRect area = pixelRect(display->availableGeometry());
  if (opening && decl.placement == Placement::Centred) {
    const PixelRect at = centredIn(frameOf(w, {}), area);
    w->move(at.x, at.y);
  } else if (opening && decl.placement == Placement::Beside && other && other->isVisible()) {
    const QMargins margins = frameMargins(other);
    const QPoint client = other->mapToGlobal(QPoint(0, 0));
    const auto parts =
        workingParts(runtime().find(decl.besideOf)->decl(), 96, client.x(), client.y());
    const PairPlacement pair =
        placeBeside(frameOf(other, margins), parts, frameOf(w, margins), area);
    // A window's position is that of its frame.
    other->move(pair.other.x, pair.other.y);
    w->move(pair.screen.x, pair.screen.y);
  }
  // A settings screen belongs to its creation screen: a window manager keeps it with that
  // screen, and a Wayland compositor, where a client cannot place its windows, puts it there
  // instead of anywhere.
  if (opening && decl.placement == Placement::Beside && other) {
    w->winId();
    other->winId();
    w->windowHandle()->setTransientParent(other->windowHandle());
  }
  w->show();
  bringForward(w);
  activation_.activated(screen.id());
  if (opening) w->focusFirst();
}

void QtDesktop::screenHidden(ScreenId id) {
  QWidget* w = window(id);
  const bool wasActive = w && w->isActiveWindow();
  if (w) w->hide();
  if (modalLoop_ && modalScreen_ == id) modalLoop_->quit();
  if (!wasActive) return;
  if (auto next = activation_.next(runtime()); next && window(*next)) {
    bringForward(window(*next));
  }
}

void QtDesktop::controlChanged(const ScreenInstance& screen, int i) {
  if (auto* w = windows_[static_cast<std::size_t>(screen.id())]) w->refresh(screen, i);
}

void QtDesktop::runModal(ScreenId id) {
  const ScreenInstance* s = runtime().find(id);
  if (!s || !s->visible) return;
  QEventLoop loop;
  QEventLoop* outer = modalLoop_;
  ScreenId outerScreen = modalScreen_;
  modalLoop_ = &loop;
  modalScreen_ = id;
  loop.exec();
  modalLoop_ = outer;
  modalScreen_ = outerScreen;
}

void QtDesktop::programEnded() {
  for (auto*& w : windows_) {
    if (w) w->retire();
    w = nullptr;
  }
  if (helpWindow_) helpWindow_->close();
  if (modalLoop_) modalLoop_->quit();
  if (onEnded_) onEnded_();
}

}  // namespace nubera
