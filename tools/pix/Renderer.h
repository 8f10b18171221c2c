#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "tools/pix/Document.h"
#include "tools/pix/Image.h"
#include "tools/pix/OpArgs.h"
#include "tools/pix/Painter.h"
#include "tools/pix/TextRenderer.h"

namespace pix {

// Draws the pictures of a Document.
//
// The palette in effect for a picture is the one given on the "draw" that drew it (passed on to
// everything it draws in turn), else the picture's own. A grid is coloured by the palette given on
// its "draw", else the palette in effect, else its own.
class Renderer {
public:
    Renderer(const Document& document, TextRenderer& text, std::string fontDir);

    Image render(const PictureDef& picture);

private:
    struct Frame {
        const PictureDef* picture = nullptr;
        const Palette* palette = nullptr;
        bool passedOn = false;  // the palette came from a "draw ... palette P" above
        Image* image = nullptr;
        int cell = -1;
    };

    Image renderWith(const PictureDef& picture, const Palette* passed);
    void run(const OpDef& op, Frame& frame);
    void runOnce(const OpDef& op, Frame& frame, const OpArgs& a);
    Painter painterFor(Frame& frame) const;

    // The named grid or picture, drawn with the palette rules above.
    Image source(const OpArgs& a, const std::string& name, const Frame& frame, const Palette* opPalette);
    Image gridImage(const GridDef& grid, const Palette& palette, const SourcePos& usedAt) const;
    const Palette* namedPalette(const OpArgs& a, const std::string& name) const;

    void drawOp(const OpArgs& a, Frame& frame);
    void textOp(const OpArgs& a, Frame& frame);
    void scatterOp(const OpArgs& a, Frame& frame);
    std::string fontPath(const FontDef& font) const;

    const Document& document_;
    TextRenderer& text_;
    std::string fontDir_;
    Palette empty_;
    std::map<std::pair<std::string, std::string>, Image> cache_;
    std::vector<std::string> drawing_;
};

}  // namespace pix
