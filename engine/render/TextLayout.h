#pragma once

#include <string>
#include <vector>

#include "engine/base/Geometry.h"

namespace engine {

class FontFace;

// Lines of a text measured with one face: each line's width is the sum of its glyph advances
// plus kerning, in whole pixels of the face's size. Lines break at "\n" ("\r" is ignored) and,
// when a maximum width is given, before the first character that would overflow it
// (at the last space when the line has one).
class TextLayout {
public:
    struct Line {
        std::u32string text;
        int width = 0;
    };

    static TextLayout measure(FontFace& font, const std::u32string& text, float maxLineWidth);

    const std::vector<Line>& lines() const { return lines_; }
    int ascent() const { return ascent_; }
    // Ascent minus descent: the distance between baselines before extra spacing.
    int lineHeight() const { return ascent_ - descent_; }
    // Longest line; trailing spaces of the last line count only when there is one line.
    int widestLine() const;

private:
    static int advanceOf(FontFace& font, char32_t previous, char32_t current);
    static int widthOf(FontFace& font, const std::u32string& text);

    std::vector<Line> lines_;
    int ascent_ = 0;
    int descent_ = 0;
};

}  // namespace engine
