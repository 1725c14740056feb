#include "ui/qt/qt_desktop.h"

#include <QApplication>
#include <QCloseEvent>
#include <QEventLoop>
#include <QFile>
#include <QGridLayout>
#include <QGroupBox>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPainter>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QSpacerItem>
#include <QTextBrowser>
#include <QVBoxLayout>

#include "ui/desktop_rules.h"

namespace nubera {

namespace {

QString qs(const std::string& s) {
  return QString::fromStdString(s);
}

QFont fontFor(const Font& f) {
  QFont font;
  QStringList families;
  for (const std::string& family : fontFamilies(f)) families << qs(family);
  font.setFamilies(families);
  font.setPointSizeF(f.points);
  font.setBold(f.bold);
  return font;
}

QColor colorOf(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

QRect geometryOf(const Rect& r) {
  return QRect(QtDesktop::pixels(r.left), QtDesktop::pixels(r.top),
               std::max(1, QtDesktop::pixels(r.width)), std::max(1, QtDesktop::pixels(r.height)));
}

// A label or picture that reports clicks (the markers of the settings screens); clicks on
// labels without a handler do nothing and do not reach the frame behind them.
class ClickLabel : public QLabel {
 public:
  std::function<void()> onClick;
  using QLabel::QLabel;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    e->accept();
    if (onClick) onClick();
  }
};

// A frame whose free area is clickable (the start-up screen).
class ClickFrame : public QGroupBox {
 public:
  std::function<void()> onClick;
  using QGroupBox::QGroupBox;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    e->accept();
    if (onClick) onClick();
  }
};

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

class LineWidget : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override {
    QPainter p(this);
    p.setPen(QPen(Qt::black, 1));
    p.drawLine(0, 0, width() - 1, height() - 1);
  }
};

}  // namespace

class ScreenWindow : public QWidget {
 public:
  ScreenWindow(QtDesktop& desktop, const ScreenInstance& screen)
      : desktop_(desktop), id_(screen.id()) {
    const ScreenDecl& decl = screen.decl();
    setObjectName(qs(std::string(screenName(id_))));
    setWindowTitle(qs(decl.caption));
    if (decl.frameless) setWindowFlag(Qt::FramelessWindowHint);
    setFixedSize(QtDesktop::pixels(decl.clientWidth), QtDesktop::pixels(decl.clientHeight));
    setFont(fontFor(decl.font));
    widgets_.resize(decl.controls.size(), nullptr);
    for (std::size_t i = 0; i < decl.controls.size(); ++i) build(screen, static_cast<int>(i));
    for (std::size_t i = 0; i < decl.controls.size(); ++i) update(screen, static_cast<int>(i));
  }

  // The control a widget stands for, or -1.
  int indexOf(const QWidget* w) const {
    for (std::size_t i = 0; i < widgets_.size(); ++i) {
      if (widgets_[i] && (widgets_[i] == w || widgets_[i]->isAncestorOf(w))) {
        return static_cast<int>(i);
      }
    }
    return -1;
  }
  QWidget* widgetOf(int i) const { return i >= 0 ? widgets_[i] : nullptr; }

  // The first control in the focus order takes the focus.
  void focusFirst() {
    const ScreenInstance* s = desktop_.runtime_ ? desktop_.runtime_->find(id_) : nullptr;
    if (QWidget* w = s ? widgetOf(firstFocus(*s)) : nullptr) w->setFocus(Qt::OtherFocusReason);
  }

  // The runtime destroyed the screen: no close event may reach it any more.
  void retire() {
    retired_ = true;
    hide();
    deleteLater();
  }

  void update(const ScreenInstance& screen, int i) {
    QWidget* w = widgets_[i];
    if (!w) return;
    const ControlState& state = screen.controls[i];
    const QString text = qs(state.text);
    switch (screen.decl().controls[i].kind) {
      case ControlKind::Label:
        static_cast<QLabel*>(w)->setText(text);
        break;
      case ControlKind::Button:
        static_cast<QPushButton*>(w)->setText(text);
        break;
      case ControlKind::TextBox: {
        auto* edit = static_cast<QLineEdit*>(w);
        if (edit->text() != text) edit->setText(text);  // keeps the cursor while typing
        break;
      }
      case ControlKind::OptionButton: {
        auto* radio = static_cast<QRadioButton*>(w);
        radio->setText(text);
        radio->setChecked(state.checked);
        break;
      }
      case ControlKind::Frame:
        static_cast<QGroupBox*>(w)->setTitle(text);
        break;
      case ControlKind::Picture:
      case ControlKind::Line:
        break;
    }
    w->setVisible(state.visible);
  }

 protected:
  void closeEvent(QCloseEvent* e) override {
    e->ignore();
    if (!retired_ && desktop_.runtime_) desktop_.runtime_->userClose(id_);
  }
  // Every key pressed in this window, on a control or on the window itself, goes by the
  // keyboard rules; only what they pass on reaches the control.
  bool eventFilter(QObject* target, QEvent* e) override {
    if (e->type() == QEvent::KeyPress && target->isWidgetType()) {
      return key(static_cast<QWidget*>(target), static_cast<QKeyEvent*>(e));
    }
    return QWidget::eventFilter(target, e);
  }
  bool event(QEvent* e) override {
    if (e->type() == QEvent::KeyPress && key(this, static_cast<QKeyEvent*>(e))) return true;
    return QWidget::event(e);
  }

 private:
  // Carries out what the keyboard rules say of the key; true when it is used up.
  bool key(QWidget* target, QKeyEvent* e) {
    Runtime* rt = desktop_.runtime_;
    const ScreenInstance* s = rt && !retired_ ? rt->find(id_) : nullptr;
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
    if (e->key() == Qt::Key_Escape) k = Key::Escape;
    const KeyAction action = keyAction(*s, indexOf(target), k, !e->text().isEmpty());
    switch (action.kind) {
      case KeyAction::Pass:
        return false;
      case KeyAction::Click:
        rt->userClick(id_, s->decl().controls[action.control].name);
        if (!retired_) resync(action.control);
        return true;
      case KeyAction::Focus:
        if (QWidget* w = widgetOf(action.control))
          w->setFocus(k == Key::BackTab ? Qt::BacktabFocusReason : Qt::TabFocusReason);
        return true;
      case KeyAction::ScreenKey:
        rt->userKey(id_);
        return true;
      case KeyAction::Swallow:
        return true;
    }
    return false;
  }

  void build(const ScreenInstance& screen, int i) {
    const ControlDecl& c = screen.decl().controls[i];
    if (c.kind == ControlKind::TextBox && !c.visible && c.rect.width == 0) return;  // a field
    QWidget* parent = this;
    if (!c.parent.empty()) parent = widgets_[screen.decl().indexOf(c.parent)];
    Runtime* rt = desktop_.runtime_;
    const ScreenId id = id_;
    const std::string name = c.name;
    auto click = [rt, id, name] {
      if (rt) rt->userClick(id, name);
    };
    QWidget* w = nullptr;
    switch (c.kind) {
      case ControlKind::Label: {
        auto* label = new ClickLabel(parent);
        label->setWordWrap(true);
        label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
        label->onClick = click;
        w = label;
        break;
      }
      case ControlKind::Button: {
        auto* b = new QPushButton(parent);
        QObject::connect(b, &QPushButton::clicked, b, click);
        w = b;
        break;
      }
      case ControlKind::TextBox: {
        auto* edit = new QLineEdit(parent);
        if (!c.inputMethod) {
          // A number field: full-width digits from an input method would reach the page.
          edit->setAttribute(Qt::WA_InputMethodEnabled, false);
          edit->setInputMethodHints(Qt::ImhPreferNumbers | Qt::ImhLatinOnly);
        }
        QObject::connect(edit, &QLineEdit::textEdited, edit, [rt, id, name](const QString& t) {
          if (rt) rt->userEdit(id, name, t.toStdString());
        });
        w = edit;
        break;
      }
      case ControlKind::OptionButton: {
        auto* radio = new QRadioButton(parent);
        radio->setAutoExclusive(false);  // the runtime keeps the group
        QObject::connect(radio, &QRadioButton::clicked, radio, [this, click, i] {
          click();
          if (!retired_) resync(i);
        });
        w = radio;
        break;
      }
      case ControlKind::Frame: {
        auto* frame = new ClickFrame(parent);
        frame->onClick = click;
        w = frame;
        break;
      }
      case ControlKind::Picture: {
        auto* pic = new ClickLabel(parent);
        pic->setScaledContents(true);
        pic->setPixmap(QPixmap(qs(desktop_.assetDir_ + "/" + c.picture)));
        w = pic;
        break;
      }
      case ControlKind::Line:
        w = new LineWidget(parent);
        break;
    }
    w->setObjectName(qs(c.name));
    w->setGeometry(geometryOf(c.rect));
    w->installEventFilter(this);
    // Only the controls in the declared focus order take the focus, and only by Tab or a click.
    if (c.tabIndex < 0) w->setFocusPolicy(Qt::NoFocus);
    if (c.font) w->setFont(fontFor(*c.font));
    QPalette pal = w->palette();
    if (c.backColor) {
      w->setAutoFillBackground(true);
      pal.setColor(QPalette::Window, colorOf(*c.backColor));
      pal.setColor(QPalette::Button, colorOf(*c.backColor));
    }
    if (c.foreColor) {
      pal.setColor(QPalette::WindowText, colorOf(*c.foreColor));
      pal.setColor(QPalette::ButtonText, colorOf(*c.foreColor));
    }
    w->setPalette(pal);
    widgets_[i] = w;
  }

  // Qt toggles a radio button on its own; the runtime's state is the one that counts.
  void resync(int i) {
    if (const ScreenInstance* s = desktop_.runtime_->find(id_)) update(*s, i);
  }

  QtDesktop& desktop_;
  ScreenId id_;
  std::vector<QWidget*> widgets_;
  bool retired_ = false;
};

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

void QtDesktop::messageBox(const std::string& prompt, int, const std::string& title) {
  if (answerer_) {
    answerer_(prompt);
    return;
  }
  const QString caption = qs(title.empty() ? kApplicationTitle : title);
  QMessageBox box(QMessageBox::NoIcon, caption, qs(prompt), QMessageBox::Ok,
                  QApplication::activeWindow());
  box.setObjectName("MessageBox");
  // A short prompt makes a narrow box whose title the window frame cuts: the box is kept at
  // least as wide as its whole title, with room for the frame's buttons.
  if (auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
    const int titleWidth =
        QFontMetrics(QApplication::font("QMdiSubWindowTitleBar")).horizontalAdvance(caption);
    grid->addItem(new QSpacerItem(titleWidth + 120, 0, QSizePolicy::Minimum, QSizePolicy::Fixed),
                  grid->rowCount(), 0, 1, grid->columnCount());
  }
  box.exec();
}

void QtDesktop::help(ScreenId, const std::string&, int, const std::string&) {
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
    helpBrowser_->setOpenExternalLinks(false);
    layout->addWidget(helpBrowser_);
    helpWindow_ = w;
  }
  const QString path = qs(assetDir_ + "/nubera_help.html");
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
  helpWindow_->show();
  helpWindow_->raise();
  helpWindow_->activateWindow();
}

void QtDesktop::screenCreated(const ScreenInstance& screen) {
  windows_[static_cast<std::size_t>(screen.id())] = new ScreenWindow(*this, screen);
}

void QtDesktop::screenDestroyed(ScreenId id) {
  auto& w = windows_[static_cast<std::size_t>(id)];
  if (!w) return;
  // Deleted later: the click that caused this may still be running inside the window.
  w->retire();
  w = nullptr;
  if (modalLoop_ && modalScreen_ == id) modalLoop_->quit();
}

namespace {

PixelRect pixelRect(const QRect& r) {
  return {r.x(), r.y(), r.width(), r.height()};
}

}  // namespace

void QtDesktop::screenShown(const ScreenInstance& screen, bool modal) {
  ScreenWindow* w = windows_[static_cast<std::size_t>(screen.id())];
  if (!w) return;
  const ScreenDecl& decl = screen.decl();
  const bool opening = !w->isVisible();
  if (modal) w->setWindowModality(Qt::ApplicationModal);
  const PixelRect area = pixelRect(QGuiApplication::primaryScreen()->availableGeometry());
  if (opening && decl.placement == Placement::Centred) {
    const PixelRect at = centredIn(pixelRect(w->frameGeometry()), area);
    w->move(at.x, at.y);
  } else if (opening && decl.placement == Placement::Beside) {
    ScreenWindow* other = windows_[static_cast<std::size_t>(decl.besideOf)];
    if (other && other->isVisible()) {
      const QPoint client = other->mapToGlobal(QPoint(0, 0));
      const auto parts =
          workingParts(runtime_->find(decl.besideOf)->decl(), 1.0 / 15, client.x(), client.y());
      const PairPlacement pair = placeBeside(pixelRect(other->frameGeometry()), parts,
                                             pixelRect(w->frameGeometry()), area);
      other->move(pair.other.x, pair.other.y);
      w->move(pair.screen.x, pair.screen.y);
    }
  }
  w->show();
  w->raise();
  w->activateWindow();
  if (opening) w->focusFirst();
}

void QtDesktop::screenHidden(ScreenId id) {
  if (QWidget* w = window(id)) w->hide();
  if (modalLoop_ && modalScreen_ == id) modalLoop_->quit();
}

void QtDesktop::controlChanged(const ScreenInstance& screen, int i) {
  if (auto* w = windows_[static_cast<std::size_t>(screen.id())]) w->update(screen, i);
}

void QtDesktop::runModal(ScreenId id) {
  const ScreenInstance* s = runtime_ ? runtime_->find(id) : nullptr;
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
