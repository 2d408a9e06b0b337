#include "palette.h"

#include <new>

namespace skincore {
namespace {

COLORREF ToColorRef(std::uint32_t rgb) { return RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF); }

int CALLBACK NoteFace(const LOGFONTW*, const TEXTMETRICW*, DWORD, LPARAM found) {
  *reinterpret_cast<bool*>(found) = true;
  return 0;
}

// A face the system lacks would be replaced by whatever GDI picks, which
// may have no Chinese glyphs at all; the control's own font is safer.
HFONT CreateSkinFont(const SkinValues& skin) {
  if (skin.fontFace[0] == '\0') return nullptr;
  LOGFONTW font{};
  const int length =
      MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, skin.fontFace, -1, font.lfFaceName, LF_FACESIZE);
  if (length <= 1) return nullptr;
  font.lfCharSet = DEFAULT_CHARSET;
  bool found = false;
  HDC screen = GetDC(nullptr);
  if (!screen) return nullptr;
  EnumFontFamiliesExW(screen, &font, NoteFace, reinterpret_cast<LPARAM>(&found), 0);
  font.lfHeight = -MulDiv(skin.fontPoints, GetDeviceCaps(screen, LOGPIXELSY), 72);
  ReleaseDC(nullptr, screen);
  if (!found) return nullptr;
  font.lfWeight = skin.fontBold ? FW_BOLD : FW_NORMAL;
  font.lfQuality = DEFAULT_QUALITY;
  font.lfOutPrecision = OUT_DEFAULT_PRECIS;
  font.lfClipPrecision = CLIP_DEFAULT_PRECIS;
  font.lfPitchAndFamily = DEFAULT_PITCH | FF_DONTCARE;
  return CreateFontIndirectW(&font);
}

}  // namespace

Palette* Palette::Create(const SkinValues& skin) {
  auto* palette = new (std::nothrow) Palette();
  if (!palette) return nullptr;
  palette->skin_ = skin;
  for (int i = 0; i < kColourCount; ++i) {
    palette->colours_[i] = ToColorRef(skin.colours[i]);
    palette->brushes_[i] = CreateSolidBrush(palette->colours_[i]);
    if (!palette->brushes_[i]) {
      delete palette;
      return nullptr;
    }
  }
  palette->font_ = CreateSkinFont(skin);
  return palette;
}

Palette::~Palette() {
  for (HBRUSH brush : brushes_)
    if (brush) DeleteObject(brush);
  if (font_) DeleteObject(font_);
}

}  // namespace skincore
