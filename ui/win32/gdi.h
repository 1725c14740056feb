#pragma once
// The GDI objects the screens draw with, each owned by one object that frees it: fonts and
// brushes made once per kind and scale, and pictures decoded once from their files.

#include <windows.h>

#include <map>
#include <string>

#include "ui/screen_decl.h"

namespace nubera {

class GdiCache {
 public:
  GdiCache() = default;
  GdiCache(const GdiCache&) = delete;
  GdiCache& operator=(const GdiCache&) = delete;
  ~GdiCache();

  // The declared font at `dpi`, the first of its families that this system has.
  HFONT font(const Font& f, int dpi);
  // For a font of font() that the system can only embolden and that is small (a bold caption
  // of 16 pixels or less, where a smoothed emboldened stroke stays as thin as a regular one):
  // the regular face, which a caption the program draws itself overstrikes one pixel to the
  // right, one pixel further apart, as Windows emboldens a Japanese face's own small bitmaps.
  // nullptr for any other font.
  HFONT overstruck(HFONT font) const;
  HBRUSH brush(Rgb c);

 private:
  std::map<std::wstring, HFONT> fonts_;
  std::map<HFONT, HFONT> regularOf_;  // the emboldened small fonts, to their regular faces
  std::map<unsigned, HBRUSH> brushes_;
};

// A JPEG (or other OLE picture) decoded from its file once, into a bitmap of its own size;
// nothing is drawn when the file is missing or broken.
class Picture {
 public:
  explicit Picture(const std::wstring& path);
  Picture(const Picture&) = delete;
  Picture& operator=(const Picture&) = delete;
  ~Picture();

  bool loaded() const { return bitmap_ != nullptr; }
  // The decoded size: the file's own pixels.
  int width() const { return width_; }
  int height() const { return height_; }
  // Stretched over the rectangle with a smoothing filter, so no rows or columns drop out.
  void draw(HDC dc, const RECT& rc) const;

 private:
  HBITMAP bitmap_ = nullptr;
  int width_ = 0, height_ = 0;
};

}  // namespace nubera
