#include "ui/qt/qt_desktop.h"

#include <QApplication>
#include <QEventLoop>
#include <QFile>
#include <QKeyEvent>
#include <QLayout>
#include <QMessageBox>
#include <QScreen>
#include <QTextBrowser>
#include <QVBoxLayout>
#include <QWindow>

#include "ui/desktop_rules.h"
#include "ui/qt/screen_window.h"

namespace nubera {

namespace {

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

// A message box that shows its whole text: Qt wraps a long prompt to the box's width; this box
// is then only widened where a short prompt would leave the title cut by the window frame,
// never past the work area, and stands over the window it belongs to.
class MessageBox : public QMessageBox {
 public:
  MessageBox(const QString& caption, const QString& prompt, QWidget* parent)
      : QMessageBox(QMessageBox::NoIcon, caption, breakableAnywhere(prompt), QMessageBox::Ok,
                    parent) {
    setObjectName("MessageBox");
  }

 protected:
  // Qt sizes the box to its wrapped text whenever it is shown or its layout changes; each
  // time, the width is checked again and the box placed again.
  void showEvent(QShowEvent* e) override {
    QMessageBox::showEvent(e);
    fitTitle();
    placeOver(this, parentWidget());
  }
  void resizeEvent(QResizeEvent* e) override {
    QMessageBox::resizeEvent(e);
    fitTitle();
    if (isVisible()) placeOver(this, parentWidget());
  }

 private:
  void fitTitle() {
    // Room for the title and the frame's buttons beside it.
    const int titleWidth = QFontMetrics(font()).horizontalAdvance(windowTitle()) * 5 / 4 + 120;
    const int available = screen() ? screen()->availableGeometry().width() - 40 : titleWidth;
    const int wanted = std::min(titleWidth, available);
    if (!isVisible() || width() >= wanted) return;
    layout()->activate();
    const int height =
        layout()->hasHeightForWidth() ? layout()->totalHeightForWidth(wanted) : this->height();
    setFixedSize(wanted, std::max(height, this->height()));
  }
};

}  // namespace

QtDesktop::QtDesktop(std::string assetDir) : assetDir_(std::move(assetDir)) {}

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

bool onWayland() {
  return QGuiApplication::platformName().startsWith("wayland");
}

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
  MessageBox box(qs(kApplicationTitle), qs(prompt), ownerWindow(owner));
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
  // Over the screen whose "?" was pressed, each time it is asked for.
  placeOver(helpWindow_, ownerWindow(id));
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
