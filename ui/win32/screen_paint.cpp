// What a screen's window paints: its face, the bands and pictures under the controls declared
// after them, and the captions of the controls that draw their own.

#include <oleacc.h>

#include <algorithm>

#include "platform/win32/utf.h"
#include "ui/desktop_rules.h"
#include "ui/win32/accessible.h"
#include "ui/win32/screen_window.h"
#include "ui/win32/win32_desktop.h"

namespace nubera::win32 {

// A part: the window draws it, through the drawing message an owner-drawn control sends. A
// label takes its clicks as a system label does; a picture, a line and a frame let them
// through to what lies under them.
LRESULT CALLBACK ScreenWindow::partProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  auto* w = reinterpret_cast<ScreenWindow*>(GetWindowLongPtrW(GetParent(h), GWLP_USERDATA));
  const int i = GetDlgCtrlID(h) - kFirstControlId;
  const bool label =
      w && i >= 0 && w->decl_->controls[static_cast<std::size_t>(i)].kind == ControlKind::Label;
  switch (msg) {
    case WM_NCHITTEST:
      return label ? HTCLIENT : HTTRANSPARENT;
    case WM_LBUTTONDOWN:
      SendMessageW(GetParent(h), WM_COMMAND, MAKEWPARAM(GetDlgCtrlID(h), STN_CLICKED),
                   reinterpret_cast<LPARAM>(h));
      return 0;
    case WM_SETFONT:
      SetWindowLongPtrW(h, GWLP_USERDATA, static_cast<LONG_PTR>(wp));
      if (LOWORD(lp)) InvalidateRect(h, nullptr, FALSE);
      return 0;
    case WM_GETFONT:
      return GetWindowLongPtrW(h, GWLP_USERDATA);
    case WM_ERASEBKGND:
      return 1;
    case WM_GETOBJECT:
      // Called what the system control in its place would be called.
      if (w && i >= 0) {
        const ControlKind kind = w->decl_->controls[static_cast<std::size_t>(i)].kind;
        const long role = kind == ControlKind::Picture ? ROLE_SYSTEM_GRAPHIC
                          : kind == ControlKind::Frame ? ROLE_SYSTEM_GROUPING
                          : kind == ControlKind::Line  ? ROLE_SYSTEM_SEPARATOR
                                                       : ROLE_SYSTEM_STATICTEXT;
        w->desktop_.ensureCom();
        if (LRESULT answer = answerGetObject(h, wp, lp, [role] { return Spoken{role, false}; })) {
          return answer;
        }
      }
      return DefWindowProcW(h, msg, wp, lp);
    case WM_PAINT:
    case WM_PRINTCLIENT: {  // the latter: drawn into a picture of it (a magnifier, a capture)
      PAINTSTRUCT ps;
      DRAWITEMSTRUCT item{};
      item.CtlType = ODT_STATIC;
      item.CtlID = static_cast<UINT>(GetDlgCtrlID(h));
      item.itemAction = ODA_DRAWENTIRE;
      item.hwndItem = h;
      item.hDC = msg == WM_PAINT ? BeginPaint(h, &ps) : reinterpret_cast<HDC>(wp);
      GetClientRect(h, &item.rcItem);
      if (w) w->drawItem(item);
      if (msg == WM_PAINT) EndPaint(h, &ps);
      return 0;
    }
    default:
      return DefWindowProcW(h, msg, wp, lp);
  }
}

namespace {

// A one-pixel rectangle's outline in the pen style and colour, nothing filled.
void drawOutline(HDC dc, const RECT& r, COLORREF colour, int style) {
  HPEN pen = CreatePen(style, 1, colour);
  HGDIOBJ oldPen = SelectObject(dc, pen);
  HGDIOBJ oldBrush = SelectObject(dc, GetStockObject(NULL_BRUSH));
  const int oldMode = SetBkMode(dc, TRANSPARENT);
  Rectangle(dc, r.left, r.top, r.right, r.bottom);
  SetBkMode(dc, oldMode);
  SelectObject(dc, oldBrush);
  SelectObject(dc, oldPen);
  DeleteObject(pen);
}

// A focus mark: a dotted frame in the caption's colour, which the colour rule keeps readable
// on the control in every scheme (the system's XOR frame can fall below 3 : 1 on a colour).
void drawFocusMark(HDC dc, const RECT& r, Rgb colour) {
  drawOutline(dc, r, ref(colour), PS_DOT);
}

}  // namespace

// A text field draws as the system draws it, with a focus mark inside its edge while it has
// the focus: a caret alone is all a Windows field shows, and none in an empty one until seen.
LRESULT CALLBACK ScreenWindow::fieldProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_USERDATA));
  const LRESULT result = CallWindowProcW(original, h, msg, wp, lp);
  if (msg == WM_SETFOCUS || msg == WM_KILLFOCUS) InvalidateRect(h, nullptr, TRUE);
  auto* w = reinterpret_cast<ScreenWindow*>(GetWindowLongPtrW(GetParent(h), GWLP_USERDATA));
  const bool printed = msg == WM_PRINTCLIENT || (msg == WM_PRINT && (lp & PRF_CLIENT));
  if ((msg == WM_PAINT || printed) && w && GetFocus() == h) {
    const int i = GetDlgCtrlID(h) - kFirstControlId;
    RECT r;
    GetClientRect(h, &r);
    HDC dc = printed ? reinterpret_cast<HDC>(wp) : GetDC(h);
    // The field clips its drawing to its text; the mark lies in its margin.
    const int saved = SaveDC(dc);
    SelectClipRgn(dc, nullptr);
    drawFocusMark(dc, r, controlColours(*w->decl_, i, w->desktop_.highContrast()).text);
    RestoreDC(dc, saved);
    if (msg == WM_PAINT) ReleaseDC(h, dc);
  }
  return result;
}

ScreenWindow* ScreenWindow::of(HWND control) {
  return IsWindow(control)
             ? reinterpret_cast<ScreenWindow*>(GetWindowLongPtrW(GetParent(control), GWLP_USERDATA))
             : nullptr;
}

// A marker is a radio button to a screen reader, checked while the runtime has it chosen; the
// reader asks the window each time, so an object it keeps follows the choice.
LRESULT CALLBACK ScreenWindow::markerProc(HWND h, UINT msg, WPARAM wp, LPARAM lp) {
  const auto original = reinterpret_cast<WNDPROC>(GetWindowLongPtrW(h, GWLP_USERDATA));
  if (ScreenWindow* w = msg == WM_GETOBJECT ? of(h) : nullptr) {
    w->desktop_.ensureCom();
    const auto spoken = [h] {
      ScreenWindow* now = of(h);
      const int i = GetDlgCtrlID(h) - kFirstControlId;
      const ScreenInstance* s = now ? now->desktop_.runtime().find(now->id_) : nullptr;
      return Spoken{ROLE_SYSTEM_RADIOBUTTON, s && s->controls[static_cast<std::size_t>(i)].checked};
    };
    if (LRESULT answer = answerGetObject(h, wp, lp, spoken)) return answer;
  }
  return CallWindowProcW(original, h, msg, wp, lp);
}

// The form's face, and what lies under the controls declared after it: the bands and the
// pictures, in declared order.
// The pictures for the window's scale (at 150 % and 200 % those drawn at twice the size),
// each decoded at its own pixels. Done after the first paint, so that the window shows at
// once and its pictures follow a moment later.
void ScreenWindow::loadPictures() {
  picturesPending_ = false;
  picturesDpi_ = dpi_;
  desktop_.ensureCom();  // OLE decodes them
  for (std::size_t i = 0; i < decl_->controls.size(); ++i) {
    const ControlDecl& c = decl_->controls[i];
    if (c.kind != ControlKind::Picture) continue;
    const std::string file =
        pictureToDraw(desktop_.assetDir(), '\\', c.picture, dpi_ / 96.0, [](const auto& f) {
          return GetFileAttributesW(wide(f).c_str()) != INVALID_FILE_ATTRIBUTES;
        });
    Control& control = controls_[i];
    if (control.picture && control.pictureFile == file) continue;
    control.picture = std::make_unique<Picture>(wide(file));
    control.pictureFile = file;
    const PixelRect& r = control.place.inScreen;
    const RECT rc{r.x, r.y, r.right(), r.bottom()};
    InvalidateRect(hwnd_, &rc, TRUE);
  }
}

void ScreenWindow::paintUnderneath(HDC dc) {
  if (picturesDpi_ != dpi_ && !picturesPending_) {
    picturesPending_ = true;
    PostMessageW(hwnd_, kAfterFirstPaint, 0, 0);
  }
  const auto& hc = desktop_.highContrast();
  RECT client;
  GetClientRect(hwnd_, &client);
  FillRect(dc, &client, desktop_.gdi().brush(formColours(hc).back));
  const ScreenInstance* screen = desktop_.runtime().find(id_);
  for (std::size_t i = 0; i < decl_->controls.size(); ++i) {
    const ControlDecl& c = decl_->controls[i];
    if (screen && !screen->controls[i].visible) continue;
    const Control& control = controls_[i];
    const PixelRect& r = control.place.inScreen;
    const RECT rc{r.x, r.y, r.right(), r.bottom()};
    if (isBand(c)) {
      FillRect(dc, &rc, desktop_.gdi().brush(controlColours(*decl_, static_cast<int>(i), hc).back));
    } else if (c.kind == ControlKind::Picture && control.picture) {
      control.picture->draw(dc, rc);
    }
  }
}

// An owner-drawn control's back colour and caption, in its own font.
void ScreenWindow::drawCaption(const DRAWITEMSTRUCT& item, UINT format) {
  const int i = static_cast<int>(item.CtlID) - kFirstControlId;
  const Colours colours = controlColours(*decl_, i, desktop_.highContrast());
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  FillRect(dc, &rc, desktop_.gdi().brush(colours.back));
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, ref(colours.text));
  // The drawing context comes with the system font: the control's own is chosen here.
  const auto font = reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0));
  HFONT overstrike = desktop_.gdi().overstruck(font);
  HGDIOBJ old = SelectObject(dc, overstrike ? overstrike : font);
  const std::wstring& text = controls_[static_cast<std::size_t>(i)].caption;
  if (!overstrike) {
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, format);
  } else {
    // A small bold caption as Windows draws a face's own bitmaps bold: the regular strokes
    // twice, a pixel apart, each character a pixel wider.
    const int extra = SetTextCharacterExtra(dc, 1);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, format);
    OffsetRect(&rc, 1, 0);
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &rc, format);
    SetTextCharacterExtra(dc, extra);
  }
  SelectObject(dc, old);
}

// A frame drawn by the window, as a group box is: a line at half its caption's height, its
// caption over the line's start.
void ScreenWindow::drawFrame(const DRAWITEMSTRUCT& item) {
  const int i = static_cast<int>(item.CtlID) - kFirstControlId;
  const auto& hc = desktop_.highContrast();
  const Colours colours = controlColours(*decl_, i, hc);
  HDC dc = item.hDC;
  HGDIOBJ oldFont =
      SelectObject(dc, reinterpret_cast<HFONT>(SendMessageW(item.hwndItem, WM_GETFONT, 0, 0)));
  TEXTMETRICW metrics{};
  GetTextMetricsW(dc, &metrics);
  RECT edge = item.rcItem;
  edge.top += metrics.tmHeight / 2;
  // The system's shadow colour, as a group box's line; the scheme's text in high contrast.
  drawOutline(dc, edge, hc ? ref(colours.text) : GetSysColor(COLOR_BTNSHADOW), PS_SOLID);
  const std::wstring& text = controls_[static_cast<std::size_t>(i)].caption;
  if (!text.empty()) {
    RECT caption{item.rcItem.left + metrics.tmAveCharWidth, item.rcItem.top, item.rcItem.right,
                 item.rcItem.top + metrics.tmHeight};
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption,
              DT_LEFT | DT_SINGLELINE | DT_CALCRECT);
    FillRect(dc, &caption, desktop_.gdi().brush(colours.back));
    SetBkMode(dc, TRANSPARENT);
    SetTextColor(dc, ref(colours.text));
    DrawTextW(dc, text.c_str(), static_cast<int>(text.size()), &caption, DT_LEFT | DT_SINGLELINE);
  }
  SelectObject(dc, oldFont);
}

void ScreenWindow::drawItem(const DRAWITEMSTRUCT& item) {
  const int i = static_cast<int>(item.CtlID) - kFirstControlId;
  if (i < 0 || i >= static_cast<int>(controls_.size())) return;
  const ControlDecl& c = decl_->controls[i];
  HDC dc = item.hDC;
  RECT rc = item.rcItem;
  switch (c.kind) {
    case ControlKind::Button:
      drawCaption(item, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
      DrawEdge(dc, &rc, (item.itemState & ODS_SELECTED) ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
      if (item.itemState & ODS_FOCUS) {
        RECT focus = rc;
        InflateRect(&focus, -3, -3);
        drawFocusMark(dc, focus, controlColours(*decl_, i, desktop_.highContrast()).text);
      }
      break;
    case ControlKind::Label: {
      drawCaption(item, DT_LEFT | DT_WORDBREAK);
      // The chosen marker: a solid frame in the form's text colour, two pixels at 100 %.
      const Control& control = controls_[static_cast<std::size_t>(i)];
      if (control.checked) {
        const int width = std::max(2, 2 * dpi_ / 96);
        HBRUSH brush = desktop_.gdi().brush(formColours(desktop_.highContrast()).text);
        for (const RECT& edge : {RECT{rc.left, rc.top, rc.right, rc.top + width},
                                 RECT{rc.left, rc.bottom - width, rc.right, rc.bottom},
                                 RECT{rc.left, rc.top, rc.left + width, rc.bottom},
                                 RECT{rc.right - width, rc.top, rc.right, rc.bottom}}) {
          FillRect(dc, &edge, brush);
        }
        InflateRect(&rc, -width, -width);
      }
      if (GetFocus() == item.hwndItem) {  // a marker reached by Tab
        drawFocusMark(dc, rc, controlColours(*decl_, i, desktop_.highContrast()).text);
      }
      break;
    }
    case ControlKind::Frame:
      drawFrame(item);
      break;
    case ControlKind::Line: {
      HPEN pen = static_cast<HPEN>(SelectObject(dc, GetStockObject(BLACK_PEN)));
      MoveToEx(dc, rc.left, rc.top, nullptr);
      LineTo(dc, rc.right - 1, rc.bottom - 1);
      SelectObject(dc, pen);
      break;
    }
    default:
      break;
  }
}

}  // namespace nubera::win32
