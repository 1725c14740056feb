#pragma once
// The Qt widgets of the controls that draw or take clicks in their own way: each owns its
// drawing, and screen_window.cpp makes them from the declaration.

#include <QGroupBox>
#include <QLabel>
#include <QMouseEvent>
#include <QPixmap>
#include <QPushButton>
#include <QString>
#include <QWidget>
#include <functional>
#include <string>

namespace nubera::qt {

// A widget that reports clicks: a label (the markers of the settings screens; clicks on
// labels without a handler do nothing and do not reach the frame behind them), or a frame
// whose free area is clickable (the start-up screen).
template <class Base>
class Clickable : public Base {
 public:
  std::function<void()> onClick;
  using Base::Base;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    e->accept();
    if (onClick) onClick();
  }
};
// A label that takes clicks; one in the focus order (a marker) shows the focus with a dotted
// frame in its text colour, which stands out from its back colour in every scheme. A marker of
// an option group is a radio button to a screen reader, and the chosen one is drawn with a
// solid frame in `chosenColour`, the form's text colour.
class ClickLabel : public Clickable<QLabel> {
 public:
  using Clickable<QLabel>::Clickable;
  void makeMarker(QColor chosenColour);
  bool isMarker() const { return chosenColour_.isValid(); }
  bool chosen() const { return chosen_; }
  void setChosen(bool chosen);

 protected:
  void paintEvent(QPaintEvent* e) override;
  void focusInEvent(QFocusEvent* e) override;
  void focusOutEvent(QFocusEvent* e) override;

 private:
  QColor chosenColour_;
  bool chosen_ = false;
};

// The accessible interface of the markers: radio buttons, checked while chosen. Installed once.
void installMarkerAccessibility();

// A frame drawn as a Windows group box: an etched rectangle whose top edge the caption breaks.
// Drawing it here also spares the style's picture of a frame, loaded at the first paint.
class ClickFrame : public Clickable<QGroupBox> {
 public:
  using Clickable<QGroupBox>::Clickable;

 protected:
  void paintEvent(QPaintEvent*) override;
};

// A picture drawn smoothly over its place from the file that suits the display's scale: at
// 150 % and 200 % the one drawn at twice the size. What it drew is kept in the properties
// "drawnFile" and "drawnSize" (the decoded pixels), for tests.
class PictureLabel : public QLabel {
 public:
  PictureLabel(QWidget* parent, QString dir, std::string file);
  // Where its screen is one big button; else a click on it does nothing.
  std::function<void()> onClick;

 protected:
  void mousePressEvent(QMouseEvent* e) override {
    e->accept();
    if (onClick) onClick();
  }
  void paintEvent(QPaintEvent*) override;

 private:
  const QPixmap& pixmapFor(double scale);

  QString dir_;
  std::string file_;
  QString drawnFile_;
  QPixmap pixmap_;
};

// A button painted flat in its declared colour, with a border and a focus mark, as the
// Windows program draws its buttons; the style's gradients would change the colour.
class FlatButton : public QPushButton {
 public:
  using QPushButton::QPushButton;

 protected:
  void paintEvent(QPaintEvent*) override;
};

// A line control: from its top left corner to its bottom right one.
class LineWidget : public QWidget {
 public:
  using QWidget::QWidget;

 protected:
  void paintEvent(QPaintEvent*) override;
};

}  // namespace nubera::qt
