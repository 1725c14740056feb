#include "ui/qt/screen_window.h"

#include <QFontDatabase>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <functional>
#include <map>

#include "ui/desktop_rules.h"
#include "ui/qt/control_widgets.h"

namespace nubera {

QString qs(const std::string& s) {
  return QString::fromStdString(s);
}

QFont fontFor(const Font& f) {
  // Only the installed families are asked for: each missing one costs Qt a fontconfig
  // fallback search per font, most of the start-up time. None installed: Qt's own fallback.
  static std::map<std::string, QStringList> installed;
  auto [found, added] = installed.try_emplace(f.name);
  QStringList& families = found->second;
  if (added) {
    // The plain list, not hasFamily: that asks fontconfig to resolve each name as an alias.
    static const QStringList present = QFontDatabase::families();
    QStringList all;
    for (const std::string& family : fontFamilies(f)) all << qs(family);
    for (const QString& family : all) {
      if (present.contains(family, Qt::CaseInsensitive)) families << family;
    }
    if (families.isEmpty()) families = all;
  }
  QFont font;
  font.setFamilies(families);
  font.setPointSizeF(f.points);
  font.setBold(f.bold);
  return font;
}

namespace qt {

QColor colorOf(Rgb c) {
  return QColor(c.r, c.g, c.b);
}

QPalette paletteOf(QPalette pal, const Colours& c) {
  for (auto group : {QPalette::Active, QPalette::Inactive, QPalette::Disabled}) {
    for (auto role : {QPalette::Window, QPalette::Button, QPalette::Base}) {
      pal.setColor(group, role, colorOf(c.back));
    }
    for (auto role : {QPalette::WindowText, QPalette::ButtonText, QPalette::Text}) {
      pal.setColor(group, role, colorOf(c.text));
    }
  }
  return pal;
}

}  // namespace qt

namespace {

// Font merging has Qt ask fontconfig for a list of fallback fonts for each font and script:
// most of the time a screen takes to appear. A caption its own font draws whole needs none;
// any other text (a path with letters the font lacks) keeps it. Typed text always keeps it.
void mergeFontsOnlyWhereNeeded(QWidget* w, const QString& text) {
  QFont font = w->font();
  font.setStyleStrategy(QFont::NoFontMerging);
  const QFontMetrics single(font);
  for (char32_t c : text.toUcs4()) {
    if (QChar::isPrint(c) && !single.inFontUcs4(c)) {
      font.setStyleStrategy(QFont::PreferDefault);
      break;
    }
  }
  if (font.styleStrategy() != w->font().styleStrategy()) w->setFont(font);
}

// In high contrast the style draws a field's frame and an option button's circle in a shade
// of the back colour, which vanishes on black; there they are drawn in the text colour.
QString highContrastOutline(ControlKind kind, const Colours& c) {
  const QString text = qt::colorOf(c.text).name(), back = qt::colorOf(c.back).name();
  if (kind == ControlKind::TextBox) {
    return QString("QLineEdit { border: 1px solid %1; color: %1; background: %2; }")
        .arg(text, back);
  }
  if (kind != ControlKind::OptionButton) return {};
  return QString(
             "QRadioButton::indicator { width: 11px; height: 11px; border: 1px solid %1;"
             " border-radius: 6px; background: %2; }"
             "QRadioButton::indicator:checked { background: qradialgradient(cx: 0.5, cy: 0.5,"
             " radius: 0.5, fx: 0.5, fy: 0.5, stop: 0 %1, stop: 0.45 %1, stop: 0.55 %2,"
             " stop: 1 %2); }")
      .arg(text, back);
}

QRect qrect(const PixelRect& r) {
  return QRect(r.x, r.y, r.width, r.height);
}

}  // namespace

namespace qt {

// Qt draws at 96 logical dots per inch and scales them for the display itself.
constexpr int kLogicalDpi = 96;

ScreenWindow::ScreenWindow(Runtime& runtime, const std::string& assetDir,
                           const ScreenInstance& screen, std::optional<SystemColours> highContrast)
    : runtime_(runtime),
      assetDir_(assetDir),
      id_(screen.id()),
      places_(placeControls(screen.decl(), kLogicalDpi)),
      highContrast_(std::move(highContrast)) {
  const ScreenDecl& decl = screen.decl();
  setObjectName(qs(std::string(screenName(id_))));
  setWindowTitle(qs(decl.caption));
  if (!decl.spokenName.empty()) setAccessibleName(qs(decl.spokenName));
  if (decl.frameless) setWindowFlag(Qt::FramelessWindowHint);
  const PixelRect size = clientSize(decl, kLogicalDpi);
  setFixedSize(size.width, size.height);
  setFont(fontFor(decl.font));
  setAutoFillBackground(true);
  setPalette(paletteOf(palette(), formColours(highContrast_)));
  widgets_.resize(decl.controls.size(), nullptr);
  for (std::size_t i = 0; i < decl.controls.size(); ++i) build(screen, static_cast<int>(i));
  for (std::size_t i = 0; i < decl.controls.size(); ++i) refresh(screen, static_cast<int>(i));
  nameForScreenReaders(screen);
}

void ScreenWindow::nameForScreenReaders(const ScreenInstance& screen) {
  const ScreenDecl& decl = screen.decl();
  speak(screen, -1);
  for (std::size_t i = 0; i < decl.controls.size(); ++i) {
    speak(screen, static_cast<int>(i));
    const ControlDecl& c = decl.controls[i];
    if (c.kind == ControlKind::TextBox && !c.nameLabel.empty()) {
      if (auto* label = qobject_cast<QLabel*>(widgetOf(decl.indexOf(c.nameLabel)))) {
        label->setBuddy(widgets_[i]);
      }
    }
  }
}

void ScreenWindow::speak(const ScreenInstance& screen, int i) {
  QWidget* w = i < 0 ? this : widgets_[static_cast<std::size_t>(i)];
  if (!w) return;
  const std::string description = nubera::accessibleDescription(screen, i);
  if (i < 0) {
    w->setAccessibleDescription(qs(description));
    return;
  }
  const std::string name = nubera::accessibleName(screen, i);
  if (!name.empty()) w->setAccessibleName(qs(name));
  const bool picture =
      screen.decl().controls[static_cast<std::size_t>(i)].kind == ControlKind::Picture;
  w->setAccessibleDescription(qs(picture ? name : description));
}

int ScreenWindow::indexOf(const QWidget* w) const {
  for (std::size_t i = 0; i < widgets_.size(); ++i) {
    if (widgets_[i] && (widgets_[i] == w || widgets_[i]->isAncestorOf(w))) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

void ScreenWindow::focusFirst() {
  const ScreenInstance* s = runtime_.find(id_);
  if (QWidget* w = s ? widgetOf(firstFocus(*s)) : nullptr) focus(w, FocusCause::Opening);
}

// The focus moves there, and a text field selects its text where the shared rule says so.
// Done here, not on the focus event, which Qt sends only once the window is active.
void ScreenWindow::focus(QWidget* w, FocusCause cause) {
  w->setFocus(cause == FocusCause::Keyboard ? Qt::TabFocusReason : Qt::OtherFocusReason);
  if (auto* edit = qobject_cast<QLineEdit*>(w); edit && selectsWholeText(cause)) edit->selectAll();
}

void ScreenWindow::retire() {
  retired_ = true;
  hide();
  deleteLater();
}

void ScreenWindow::refresh(const ScreenInstance& screen, int i) {
  QWidget* w = widgets_[i];
  if (!w) return;
  const ControlState& state = screen.controls[i];
  const QString text = qs(state.text);
  const ControlKind kind = screen.decl().controls[i].kind;
  if (kind != ControlKind::TextBox) mergeFontsOnlyWhereNeeded(w, text);
  switch (kind) {
    case ControlKind::Label: {
      auto* label = static_cast<ClickLabel*>(w);
      if (label->text() != text) {
        label->setText(text);
        // What is spoken of the controls it names or explains changes with it.
        for (int j : speakingCaptionOf(screen.decl(), i)) speak(screen, j);
      }
      if (label->isMarker()) label->setChosen(state.checked);
      break;
    }
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
      // An exclusive button cannot be unchecked (before the load neither is chosen).
      radio->setAutoExclusive(false);
      radio->setChecked(state.checked);
      radio->setAutoExclusive(true);
      break;
    }
    case ControlKind::Frame:
      static_cast<QGroupBox*>(w)->setTitle(text);
      break;
    case ControlKind::Picture:
    case ControlKind::Line:
      break;
  }
  // A control that hides itself with the focus (保存) hands it on by the shared rule, also
  // while a message box has the window's focus for a moment; one an action shows may take it.
  if (!state.visible && w->isVisible() && focusWidget() == w) {
    if (QWidget* next = widgetOf(focusAfterHiding(screen, i))) focus(next, FocusCause::Keyboard);
  }
  const bool shown = state.visible && w->isHidden();
  w->setVisible(state.visible);
  if (shown && focusAfterShowing(screen, i) == i) focus(w, FocusCause::Keyboard);
}

void ScreenWindow::build(const ScreenInstance& screen, int i) {
  const ControlDecl& c = screen.decl().controls[i];
  if (isField(c)) return;
  const ControlPlace& place = places_[i];
  QWidget* parent = place.parent >= 0 ? widgets_[place.parent] : this;
  Runtime* rt = &runtime_;
  const ScreenId id = id_;
  const std::string name = c.name;
  const std::string clicked = screen.decl().controls[clickedControl(screen.decl(), i)].name;
  auto click = [rt, id, clicked] { rt->userClick(id, clicked); };
  QWidget* w = nullptr;
  switch (c.kind) {
    case ControlKind::Label: {
      auto* label = new ClickLabel(parent);
      label->setWordWrap(true);
      label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
      label->onClick = click;
      if (!c.choiceField.empty()) label->makeMarker(colorOf(formColours(highContrast_).text));
      w = label;
      break;
    }
    case ControlKind::Button: {
      auto* b = new FlatButton(parent);
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
        rt->userEdit(id, name, t.toStdString());
      });
      w = edit;
      break;
    }
    case ControlKind::OptionButton: {
      // Exclusive, so that a screen reader hears a radio button; the runtime keeps the group
      // all the same (see refresh).
      auto* radio = new QRadioButton(parent);
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
      auto* picture = new PictureLabel(parent, qs(assetDir_), c.picture);
      if (clickedControl(screen.decl(), i) != i) picture->onClick = click;
      w = picture;
      break;
    }
    case ControlKind::Line:
      w = new LineWidget(parent);
      break;
  }
  w->setObjectName(qs(c.name));
  w->setGeometry(qrect(place.inParent));
  w->installEventFilter(this);
  // Only the controls in the declared focus order take the focus, and only by Tab or a click;
  // a marker by the keyboard alone, as a click chooses with it.
  if (c.tabIndex < 0) w->setFocusPolicy(Qt::NoFocus);
  if (c.tabIndex >= 0 && c.kind == ControlKind::Label) w->setFocusPolicy(Qt::TabFocus);
  if (c.font) w->setFont(fontFor(*c.font));
  // Every colour comes from the shared rule, none from the desktop's theme, so that a caption
  // never stands in the theme's colour on a colour of the form's.
  // Labels and option buttons are opaque, as on a Windows form: a caption over a picture
  // stands on its own back colour, not on whatever the picture shows there.
  if (c.backColor || c.kind == ControlKind::Label || c.kind == ControlKind::OptionButton) {
    w->setAutoFillBackground(true);
  }
  const Colours colours = controlColours(screen.decl(), i, highContrast_);
  w->setPalette(paletteOf(w->palette(), colours));
  if (highContrast_) {
    if (const QString outline = highContrastOutline(c.kind, colours); !outline.isEmpty()) {
      w->setStyleSheet(outline);
    }
  }
  widgets_[i] = w;
}

void ScreenWindow::resync(int i) {
  if (const ScreenInstance* s = runtime_.find(id_)) refresh(*s, i);
}

}  // namespace qt

}  // namespace nubera
