#include "ui/win32/gdi.h"

#include <ocidl.h>
#include <olectl.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/win32/utf.h"
#include "ui/desktop_rules.h"
#include "ui/win32/system_library.h"

namespace nubera {

using win32::wide;

GdiCache::~GdiCache() {
  for (auto& [k, f] : fonts_) DeleteObject(f);
  for (auto& [k, b] : brushes_) DeleteObject(b);
}

namespace {

// The weight of the heaviest face of the family that this system has, or 0 when it has none
// of that family. A weight above it the system draws by emboldening a lighter face.
int heaviestFace(const std::wstring& family) {
  LOGFONTW probe{};
  probe.lfCharSet = DEFAULT_CHARSET;
  family.copy(probe.lfFaceName, LF_FACESIZE - 1);
  int heaviest = 0;
  HDC dc = GetDC(nullptr);
  EnumFontFamiliesExW(
      dc, &probe,
      [](const LOGFONTW* face, const TEXTMETRICW*, DWORD, LPARAM param) -> int {
        int& h = *reinterpret_cast<int*>(param);
        h = std::max(h, static_cast<int>(face->lfWeight));
        return 1;
      },
      reinterpret_cast<LPARAM>(&heaviest), 0);
  ReleaseDC(nullptr, dc);
  return heaviest;
}

}  // namespace

HFONT GdiCache::font(const Font& f, int dpi) {
  std::wstring key = wide(f.name) + L"|" + std::to_wstring(f.points) + (f.bold ? L"b" : L"") +
                     L"@" + std::to_wstring(dpi);
  auto it = fonts_.find(key);
  if (it != fonts_.end()) return it->second;
  LOGFONTW lf{};
  lf.lfHeight = -MulDiv(static_cast<int>(f.points * 100 + 0.5), dpi, 7200);
  lf.lfWeight = f.bold ? FW_BOLD : FW_NORMAL;
  lf.lfCharSet = SHIFTJIS_CHARSET;
  lf.lfQuality = DEFAULT_QUALITY;
  // The first of the families that this system has; the font mapper's own choice otherwise.
  int heaviest = FW_BLACK;  // the mapper's choice is left as the system draws it
  for (const std::string& family : fontFamilies(f)) {
    if (const int h = heaviestFace(wide(family)); h > 0) {
      wide(family).copy(lf.lfFaceName, LF_FACESIZE - 1);
      heaviest = h;
      break;
    }
  }
  // Emboldened, a smoothed stroke of 16 pixels or less stays as thin as the regular one (a
  // bold 9-point caption at 100 % reads regular): there the text is drawn unsmoothed, as the
  // system draws a Japanese face's own small bitmaps, so that the emboldening shows; what the
  // program draws itself overstrikes the regular face (overstruck()).
  const bool small = f.bold && -lf.lfHeight <= 16 && heaviest < FW_SEMIBOLD;
  if (small) lf.lfQuality = NONANTIALIASED_QUALITY;
  HFONT made = fonts_[key] = CreateFontIndirectW(&lf);
  if (small) regularOf_[made] = font(Font{f.name, f.points, false}, dpi);
  return made;
}

HFONT GdiCache::overstruck(HFONT f) const {
  auto it = regularOf_.find(f);
  return it == regularOf_.end() ? nullptr : it->second;
}

HBRUSH GdiCache::brush(Rgb c) {
  unsigned key = c.r << 16 | c.g << 8 | c.b;
  auto it = brushes_.find(key);
  if (it != brushes_.end()) return it->second;
  return brushes_[key] = CreateSolidBrush(RGB(c.r, c.g, c.b));
}

namespace {

// The picture in the file, decoded by OLE; nullptr when it cannot be.
IPicture* decode(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  if (bytes.empty()) return nullptr;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!mem) return nullptr;
  void* data = GlobalLock(mem);
  if (!data) {
    GlobalFree(mem);
    return nullptr;
  }
  std::copy(bytes.begin(), bytes.end(), static_cast<char*>(data));
  GlobalUnlock(mem);
  using CreateStream = HRESULT(WINAPI*)(HGLOBAL, BOOL, IStream**);
  using LoadPicture = HRESULT(WINAPI*)(IStream*, LONG, BOOL, REFIID, void**);
  static const auto createStream =
      win32::systemFunction<CreateStream>(L"ole32.dll", "CreateStreamOnHGlobal");
  static const auto loadPicture =
      win32::systemFunction<LoadPicture>(L"oleaut32.dll", "OleLoadPicture");
  IStream* stream = nullptr;
  if (!createStream || !loadPicture || createStream(mem, TRUE, &stream) != S_OK) {
    GlobalFree(mem);
    return nullptr;
  }
  IPicture* picture = nullptr;
  if (loadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                  reinterpret_cast<void**>(&picture)) != S_OK) {
    picture = nullptr;
  }
  stream->Release();  // frees the memory with it
  return picture;
}

}  // namespace

Picture::Picture(const std::wstring& path) {
  IPicture* picture = decode(path);
  if (!picture) return;
  OLE_XSIZE_HIMETRIC hmWidth = 0;
  OLE_YSIZE_HIMETRIC hmHeight = 0;
  picture->get_Width(&hmWidth);
  picture->get_Height(&hmHeight);
  // Its own pixels, from the bitmap OLE decoded: the HIMETRIC size is converted with the
  // display's scale, which would decode it too small or too large above 100 %.
  OLE_HANDLE handle = 0;
  BITMAP decoded{};
  if (picture->get_Handle(&handle) == S_OK && handle &&
      GetObjectW(reinterpret_cast<HBITMAP>(static_cast<UINT_PTR>(handle)), sizeof decoded,
                 &decoded)) {
    width_ = decoded.bmWidth;
    height_ = std::abs(decoded.bmHeight);
  } else {
    width_ = MulDiv(hmWidth, 96, 2540);
    height_ = MulDiv(hmHeight, 96, 2540);
  }
  width_ = std::max(1, width_);
  height_ = std::max(1, height_);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof info.bmiHeader;
  info.bmiHeader.biWidth = width_;
  info.bmiHeader.biHeight = -height_;
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 32;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  HDC screen = GetDC(nullptr);
  HDC mem = CreateCompatibleDC(screen);
  bitmap_ = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  if (bitmap_) {
    HGDIOBJ old = SelectObject(mem, bitmap_);
    picture->Render(mem, 0, 0, width_, height_, 0, hmHeight, hmWidth, -hmHeight, nullptr);
    SelectObject(mem, old);
  }
  DeleteDC(mem);
  ReleaseDC(nullptr, screen);
  picture->Release();
}

Picture::~Picture() {
  if (bitmap_) DeleteObject(bitmap_);
}

void Picture::draw(HDC dc, const RECT& rc) const {
  if (!bitmap_) return;
  HDC mem = CreateCompatibleDC(dc);
  HGDIOBJ old = SelectObject(mem, bitmap_);
  SetStretchBltMode(dc, HALFTONE);
  SetBrushOrgEx(dc, 0, 0, nullptr);
  StretchBlt(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, mem, 0, 0, width_,
             height_, SRCCOPY);
  SelectObject(mem, old);
  DeleteDC(mem);
}

}  // namespace nubera
