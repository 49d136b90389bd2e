// FreeType behind the canvas font. The font file is part of the binary, so a failure here means
// a broken build, not a missing file; text then draws nothing rather than stopping the program.
#include "canvas/canvas_font.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_DRIVER_H
#include FT_MODULE_H
#include FT_TRUETYPE_TABLES_H

#include <algorithm>
#include <array>
#include <cmath>
#include <optional>

#include "canvas/font_data.h"

namespace brindle {
namespace {

class CanvasFont {
 public:
  CanvasFont();
  ~CanvasFont();
  CanvasFont(const CanvasFont&) = delete;
  CanvasFont& operator=(const CanvasFont&) = delete;

  const Glyph& GlyphFor(unsigned char byte);
  int baseline() const { return baseline_; }

 private:
  bool Open();
  Glyph Render(char32_t character) const;

  FT_Library library_ = nullptr;
  FT_Face face_ = nullptr;
  int baseline_ = kCellHeight;
  std::array<std::optional<Glyph>, 256> glyphs_;
};

CanvasFont::CanvasFont() {
  if (!Open() && face_ != nullptr) {
    FT_Done_Face(face_);
    face_ = nullptr;
  }
}

CanvasFont::~CanvasFont() {
  if (face_ != nullptr) FT_Done_Face(face_);
  if (library_ != nullptr) FT_Done_FreeType(library_);
}

// Windows maps a cell height onto the font's Windows ascent plus descent and an average width
// onto its average character width, each axis on its own; the baseline sits at the scaled
// ascent.
bool CanvasFont::Open() {
  if (FT_Init_FreeType(&library_) != 0) return false;
  // FREETYPE_PROPERTIES may choose another hinting interpreter; text must not depend on it.
  FT_UInt interpreter = TT_INTERPRETER_VERSION_40;
  FT_Property_Set(library_, "truetype", "interpreter-version", &interpreter);
  if (FT_New_Memory_Face(library_, kCanvasFontData, static_cast<FT_Long>(kCanvasFontDataSize), 0,
                         &face_) != 0) {
    return false;
  }
  const auto* os2 = static_cast<const TT_OS2*>(FT_Get_Sfnt_Table(face_, FT_SFNT_OS2));
  if (os2 == nullptr || os2->xAvgCharWidth <= 0) return false;
  const double em = face_->units_per_EM;
  const double cell_units = static_cast<double>(os2->usWinAscent) + os2->usWinDescent;
  FT_Size_RequestRec request = {};
  request.type = FT_SIZE_REQUEST_TYPE_NOMINAL;
  request.width = std::lround(kCellWidth * em / os2->xAvgCharWidth * 64);
  request.height = std::lround(kCellHeight * em / cell_units * 64);
  if (FT_Request_Size(face_, &request) != 0) return false;
  baseline_ = static_cast<int>(std::lround(kCellHeight * os2->usWinAscent / cell_units));
  return true;
}

Glyph CanvasFont::Render(char32_t character) const {
  Glyph glyph;
  if (face_ == nullptr || character == 0) return glyph;
  const FT_UInt index = FT_Get_Char_Index(face_, character);
  if (index == 0) return glyph;
  if (FT_Load_Glyph(face_, index, FT_LOAD_DEFAULT | FT_LOAD_TARGET_NORMAL) != 0 ||
      FT_Render_Glyph(face_->glyph, FT_RENDER_MODE_NORMAL) != 0) {
    return glyph;
  }
  const FT_Bitmap& bitmap = face_->glyph->bitmap;
  if (bitmap.pixel_mode != FT_PIXEL_MODE_GRAY) return glyph;
  glyph.left = face_->glyph->bitmap_left;
  glyph.width = static_cast<int>(bitmap.width);
  glyph.height = static_cast<int>(bitmap.rows);
  // Hinting lets the tallest accents and the underscore reach a pixel past the cell; they are
  // moved back in so that lines printed 16 pixels apart never touch.
  glyph.top =
      std::clamp(baseline_ - face_->glyph->bitmap_top, 0, std::max(0, kCellHeight - glyph.height));
  glyph.coverage.resize(static_cast<size_t>(glyph.width) * glyph.height);
  for (int y = 0; y < glyph.height; ++y) {
    const unsigned char* source = bitmap.buffer + static_cast<ptrdiff_t>(y) * bitmap.pitch;
    std::copy(source, source + glyph.width, glyph.coverage.begin() + y * glyph.width);
  }
  return glyph;
}

const Glyph& CanvasFont::GlyphFor(unsigned char byte) {
  std::optional<Glyph>& slot = glyphs_[byte];
  if (!slot) slot = Render(Windows1252ToUnicode(byte));
  return *slot;
}

// One font for the whole process: every canvas shows the same glyphs, and rendering each of
// them once is what keeps text drawing cheap.
CanvasFont& TheFont() {
  static CanvasFont font;
  return font;
}

}  // namespace

const Glyph& CanvasGlyph(unsigned char byte) {
  return TheFont().GlyphFor(byte);
}

int CanvasFontBaseline() {
  return TheFont().baseline();
}

}  // namespace brindle
