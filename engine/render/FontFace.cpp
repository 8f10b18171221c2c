#include "engine/render/FontFace.h"

#include <ft2build.h>
#include FT_FREETYPE_H
#include FT_GLYPH_H
#include FT_STROKER_H

#include <cstring>

namespace engine {

namespace {

FontFace::Glyph fromBitmap(const FT_Bitmap& bitmap, int left, int top) {
    FontFace::Glyph glyph;
    glyph.left = left;
    glyph.top = top;
    glyph.width = static_cast<int>(bitmap.width);
    glyph.height = static_cast<int>(bitmap.rows);
    glyph.coverage.resize(static_cast<std::size_t>(glyph.width) * static_cast<std::size_t>(glyph.height));
    for (int row = 0; row < glyph.height; ++row) {
        const unsigned char* source = bitmap.buffer + static_cast<std::ptrdiff_t>(row) * bitmap.pitch;
        std::memcpy(&glyph.coverage[static_cast<std::size_t>(row) * static_cast<std::size_t>(glyph.width)],
                    source, static_cast<std::size_t>(glyph.width));
    }
    return glyph;
}

}  // namespace

FontFace* FontFace::open(FT_Library library, const std::string& path, int pixelSize) {
    FT_Face face = nullptr;
    if (FT_New_Face(library, path.c_str(), 0, &face) != 0) return nullptr;
    if (FT_Set_Pixel_Sizes(face, 0, static_cast<FT_UInt>(pixelSize)) != 0) {
        FT_Done_Face(face);
        return nullptr;
    }
    auto* font = new FontFace();
    font->library_ = library;
    font->face_ = face;
    font->pixelSize_ = pixelSize;
    font->ascent_ = static_cast<int>(face->size->metrics.ascender >> 6);
    font->descent_ = static_cast<int>(face->size->metrics.descender >> 6);
    font->hasKerning_ = FT_HAS_KERNING(face);
    return font;
}

FontFace::~FontFace() {
    if (stroker_) FT_Stroker_Done(stroker_);
    if (face_) FT_Done_Face(face_);
}

unsigned int FontFace::glyphIndex(char32_t c) {
    return FT_Get_Char_Index(face_, static_cast<FT_ULong>(c));
}

int FontFace::advance(char32_t c) {
    auto found = advances_.find(c);
    if (found != advances_.end()) return found->second;
    int value = 0;
    if (FT_Load_Glyph(face_, glyphIndex(c), FT_LOAD_DEFAULT) == 0)
        value = static_cast<int>(face_->glyph->advance.x >> 6);
    advances_[c] = value;
    return value;
}

int FontFace::kerning(char32_t previous, char32_t current) {
    if (!hasKerning_ || !previous) return 0;
    FT_Vector delta{0, 0};
    if (FT_Get_Kerning(face_, glyphIndex(previous), glyphIndex(current), FT_KERNING_DEFAULT, &delta) != 0)
        return 0;
    return static_cast<int>(delta.x >> 6);
}

const FontFace::Glyph& FontFace::glyph(char32_t c, int outline) {
    auto key = std::make_pair(c, outline);
    auto found = glyphs_.find(key);
    if (found != glyphs_.end()) return found->second;
    Glyph result;
    if (outline <= 0) {
        if (FT_Load_Glyph(face_, glyphIndex(c), FT_LOAD_RENDER) == 0) {
            FT_GlyphSlot slot = face_->glyph;
            result = fromBitmap(slot->bitmap, slot->bitmap_left, slot->bitmap_top);
        }
    } else if (FT_Load_Glyph(face_, glyphIndex(c), FT_LOAD_NO_BITMAP) == 0) {
        if (!stroker_) FT_Stroker_New(library_, &stroker_);
        if (strokerWidth_ != outline) {
            FT_Stroker_Set(stroker_, static_cast<FT_Fixed>(outline) * 64, FT_STROKER_LINECAP_ROUND,
                           FT_STROKER_LINEJOIN_ROUND, 0);
            strokerWidth_ = outline;
        }
        FT_Glyph shape = nullptr;
        if (FT_Get_Glyph(face_->glyph, &shape) == 0) {
            // Stroked on both sides of the contour: under the fill it shows as the glyph grown by `outline`.
            if (FT_Glyph_Stroke(&shape, stroker_, 1) == 0 &&
                FT_Glyph_To_Bitmap(&shape, FT_RENDER_MODE_NORMAL, nullptr, 1) == 0) {
                auto* bitmapGlyph = reinterpret_cast<FT_BitmapGlyph>(shape);
                result = fromBitmap(bitmapGlyph->bitmap, bitmapGlyph->left, bitmapGlyph->top);
            }
            FT_Done_Glyph(shape);
        }
    }
    return glyphs_.emplace(key, std::move(result)).first->second;
}

}  // namespace engine
