// The GDI objects of one skin: a brush per colour and the skin's font.
// A palette never changes once made; the engine keeps every palette it
// made until the library unloads, so a window painting on another thread
// never sees one go away.
#pragma once

#include <windows.h>

#include "skin_format.h"

namespace skincore {

class Palette {
 public:
  static Palette* Create(const SkinValues& skin);  // null when GDI is out of objects
  ~Palette();
  Palette(const Palette&) = delete;
  Palette& operator=(const Palette&) = delete;

  COLORREF Rgb(Colour c) const { return colours_[static_cast<int>(c)]; }
  HBRUSH Brush(Colour c) const { return brushes_[static_cast<int>(c)]; }
  // The skin's font for the texts the engine draws, or `fallback` (a
  // control's own font) when the skin names none this system has.
  HFONT FontOr(HFONT fallback) const { return font_ ? font_ : fallback; }
  const SkinValues& Skin() const { return skin_; }

 private:
  Palette() = default;

  SkinValues skin_{};
  COLORREF colours_[kColourCount] = {};
  HBRUSH brushes_[kColourCount] = {};
  HFONT font_ = nullptr;
};

}  // namespace skincore
