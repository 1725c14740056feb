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
#include <QVBoxLayout>
#include <QWindow>

#include "ui/desktop_rules.h"
#include "ui/qt/control_widgets.h"
#include "ui/qt/help_window.h"
#include "ui/qt/message_box.h"
#include "ui/qt/screen_window.h"
#include "ui/qt/window_frames.h"

namespace nubera {

using qt::frameMargins;
using qt::frameOf;
using qt::pixelRect;

namespace {

bool onWayland() {
  return QGuiApplication::platformName().startsWith("wayland");
}

}  // namespace

QtDesktop::QtDesktop(std::string assetDir) : assetDir_(std::move(assetDir)) {
  qt::installMarkerAccessibility();
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

const std::optional<SystemColours>& QtDesktop::highContrast() {
  // Asked of the desktop once, as the first window is made: every window of the program is
  // drawn in the one scheme.
  if (!contrastAsked_) highContrast_ = systemHighContrast();
  contrastAsked_ = true;
  return highContrast_;
}

QWidget* QtDesktop::ownerWindow(std::optional<ScreenId> owner) const {
  const auto id = activation_.ownerOf(runtime(), owner);
  QWidget* w = id ? window(*id) : nullptr;
  return w && w->isVisible() ? w : nullptr;
}

void QtDesktop::messageBox(std::optional<ScreenId> owner, const std::string& prompt) {
  if (answerer_) {
    answerer_(prompt);
    return;
  }
  QWidget* over = ownerWindow(owner);
  const auto* screen = dynamic_cast<qt::ScreenWindow*>(over);
  qt::MessageBox box(qs(runtime().say(Message(MessageId::ApplicationTitle))), qs(prompt), over,
                     qs(runtime().say(Message(MessageId::Ok))),
                     formColours(screen ? screen->highContrast() : highContrast()));
  box.fitFor(over);
  box.exec();
}

std::optional<std::string> QtDesktop::help(ScreenId id, const std::string&, HelpTopic,
                                           const std::string&) {
  // The program's own help, at its contents, in a window of the program.
  if (!helpWindow_) {
    helpWindow_ = new qt::HelpWindow(qs(runtime().say(Message(MessageId::HelpTitle))),
                                     qs(runtime().say(Message(MessageId::HelpName))));
  }
  const std::string page = assetDir_ + "/" + kHelpPage;
  if (!helpWindow_->load(qs(page))) return page;
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
  qt::placeOver(helpWindow_, over);
  helpWindow_->show();
  bringForward(helpWindow_);
  return std::nullopt;
}

void QtDesktop::screenCreated(const ScreenInstance& screen) {
  auto* w = new qt::ScreenWindow(runtime(), assetDir_, screen, highContrast());
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
