#include "engine/render/TextLayout.h"

#include "engine/render/FontFace.h"

#include <algorithm>

namespace engine {

int TextLayout::advanceOf(FontFace& font, char32_t previous, char32_t current) {
    return font.advance(current) + font.kerning(previous, current);
}

int TextLayout::widthOf(FontFace& font, const std::u32string& text) {
    int width = 0;
    char32_t previous = 0;
    for (char32_t c : text) {
        width += advanceOf(font, previous, c);
        previous = c;
    }
    return width;
}

TextLayout TextLayout::measure(FontFace& font, const std::u32string& text, float maxLineWidth) {
    TextLayout layout;
    layout.ascent_ = font.ascent();
    layout.descent_ = font.descent();
    Line line;
    char32_t previous = 0;
    for (char32_t c : text) {
        if (c == U'\r') continue;
        if (c == U'\n') {
            layout.lines_.push_back(line);
            line = Line();
            previous = 0;
            continue;
        }
        int advance = advanceOf(font, previous, c);
        if (maxLineWidth > 0.0f && !line.text.empty() && line.width + advance > maxLineWidth && c != U' ') {
            std::size_t space = line.text.find_last_of(U' ');
            Line next;
            if (space != std::u32string::npos && space + 1 < line.text.size()) {
                next.text = line.text.substr(space + 1);
                line.text.erase(space);
            }
            // Without a space to break at (Japanese text) the line breaks before this character.
            line.width = widthOf(font, line.text);
            layout.lines_.push_back(line);
            line = next;
            line.width = widthOf(font, line.text);
            previous = line.text.empty() ? 0 : line.text.back();
            advance = advanceOf(font, previous, c);
        }
        line.text.push_back(c);
        line.width += advance;
        previous = c;
    }
    layout.lines_.push_back(line);
    if (layout.lines_.size() > 1) {
        // The last line of a multi-line text does not count its trailing spaces.
        Line& last = layout.lines_.back();
        std::u32string trimmed = last.text;
        while (!trimmed.empty() && trimmed.back() == U' ')
            trimmed.pop_back();
        last.width = widthOf(font, trimmed);
    }
    return layout;
}

int TextLayout::widestLine() const {
    int widest = 0;
    for (const Line& line : lines_)
        widest = std::max(widest, line.width);
    return widest;
}

}  // namespace engine
