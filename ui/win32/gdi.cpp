#include "ui/win32/gdi.h"

#include <olectl.h>

#include <algorithm>
#include <fstream>
#include <iterator>

#include "platform/win32/utf.h"
#include "ui/desktop_rules.h"

namespace nubera {

using win32::wide;

GdiCache::~GdiCache() {
  for (auto& [k, f] : fonts_) DeleteObject(f);
  for (auto& [k, b] : brushes_) DeleteObject(b);
}

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
  for (const std::string& family : fontFamilies(f)) {
    LOGFONTW probe{};
    probe.lfCharSet = DEFAULT_CHARSET;
    wide(family).copy(probe.lfFaceName, LF_FACESIZE - 1);
    bool found = false;
    HDC dc = GetDC(nullptr);
    EnumFontFamiliesExW(
        dc, &probe,
        [](const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) -> int {
          *reinterpret_cast<bool*>(found) = true;
          return 0;
        },
        reinterpret_cast<LPARAM>(&found), 0);
    ReleaseDC(nullptr, dc);
    if (found) {
      wide(family).copy(lf.lfFaceName, LF_FACESIZE - 1);
      break;
    }
  }
  return fonts_[key] = CreateFontIndirectW(&lf);
}

HBRUSH GdiCache::brush(Rgb c) {
  unsigned key = c.r << 16 | c.g << 8 | c.b;
  auto it = brushes_.find(key);
  if (it != brushes_.end()) return it->second;
  return brushes_[key] = CreateSolidBrush(RGB(c.r, c.g, c.b));
}

Picture::Picture(const std::wstring& path) {
  std::ifstream in(path.c_str(), std::ios::binary);
  const std::string bytes((std::istreambuf_iterator<char>(in)), {});
  if (bytes.empty()) return;
  HGLOBAL mem = GlobalAlloc(GMEM_MOVEABLE, bytes.size());
  if (!mem) return;
  void* data = GlobalLock(mem);
  if (!data) {
    GlobalFree(mem);
    return;
  }
  std::copy(bytes.begin(), bytes.end(), static_cast<char*>(data));
  GlobalUnlock(mem);
  IStream* stream = nullptr;
  if (CreateStreamOnHGlobal(mem, TRUE, &stream) != S_OK) {
    GlobalFree(mem);
    return;
  }
  if (OleLoadPicture(stream, static_cast<LONG>(bytes.size()), FALSE, IID_IPicture,
                     reinterpret_cast<void**>(&picture_)) != S_OK) {
    picture_ = nullptr;
  }
  stream->Release();  // frees the memory with it
}

Picture::~Picture() {
  if (picture_) picture_->Release();
}

void Picture::draw(HDC dc, const RECT& rc) const {
  if (!picture_) return;
  OLE_XSIZE_HIMETRIC width = 0;
  OLE_YSIZE_HIMETRIC height = 0;
  picture_->get_Width(&width);
  picture_->get_Height(&height);
  picture_->Render(dc, rc.left, rc.top, rc.right - rc.left, rc.bottom - rc.top, 0, height, width,
                   -height, nullptr);
}

}  // namespace nubera
