#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <utility>
#include <vector>

typedef struct FT_LibraryRec_* FT_Library;
typedef struct FT_FaceRec_* FT_Face;
typedef struct FT_StrokerRec_* FT_Stroker;

namespace engine {

// One TrueType face at one pixel size, rendered with FreeType. Metrics are whole pixels:
// ascent and descent from the face's size metrics, advances from the hinted glyphs.
// Glyph pictures (coverage, 0..255) are kept once rendered.
class FontFace {
public:
    struct Glyph {
        int left = 0;  // from the pen position to the picture's left edge
        int top = 0;   // from the baseline up to the picture's top edge
        int width = 0;
        int height = 0;
        std::vector<uint8_t> coverage;  // width × height, row by row, top row first
    };

    // Null if the file cannot be read as a font.
    static FontFace* open(FT_Library library, const std::string& path, int pixelSize);
    ~FontFace();
    FontFace(const FontFace&) = delete;
    FontFace& operator=(const FontFace&) = delete;

    int pixelSize() const { return pixelSize_; }
    int ascent() const { return ascent_; }
    // Negative: below the baseline.
    int descent() const { return descent_; }
    int advance(char32_t c);
    int kerning(char32_t previous, char32_t current);
    // The glyph's picture; with an outline width, the picture of its outline (the glyph grown by
    // that many pixels on every side).
    const Glyph& glyph(char32_t c, int outline = 0);

private:
    FontFace() = default;
    unsigned int glyphIndex(char32_t c);

    FT_Library library_ = nullptr;
    FT_Face face_ = nullptr;
    FT_Stroker stroker_ = nullptr;
    int strokerWidth_ = -1;
    int pixelSize_ = 0;
    int ascent_ = 0;
    int descent_ = 0;
    bool hasKerning_ = false;
    std::map<char32_t, int> advances_;
    std::map<std::pair<char32_t, int>, Glyph> glyphs_;
};

}  // namespace engine
