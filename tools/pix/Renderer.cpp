#include "tools/pix/Renderer.h"

#include <algorithm>
#include <filesystem>

namespace pix {

namespace fs = std::filesystem;

Renderer::Renderer(const Document& document, TextRenderer& text, std::string fontDir)
    : document_(document), text_(text), fontDir_(std::move(fontDir)), empty_("(none)", SourcePos{}) {}

Image Renderer::render(const PictureDef& picture) {
    return renderWith(picture, nullptr);
}

Image Renderer::renderWith(const PictureDef& picture, const Palette* passed) {
    const auto key = std::make_pair(picture.name, passed != nullptr ? passed->name() : std::string());
    auto cached = cache_.find(key);
    if (cached != cache_.end()) return cached->second;
    if (std::find(drawing_.begin(), drawing_.end(), picture.name) != drawing_.end()) {
        throw PixError(picture.pos, "picture '" + picture.name + "' draws itself");
    }
    drawing_.push_back(picture.name);

    Image image(picture.width, picture.height);
    Frame frame;
    frame.picture = &picture;
    frame.image = &image;
    frame.passedOn = passed != nullptr;
    frame.palette = passed != nullptr ? passed : document_.palette(picture.palette);
    if (frame.palette == nullptr) frame.palette = &empty_;
    for (const OpDef& op : picture.ops)
        run(op, frame);

    drawing_.pop_back();
    cache_.emplace(key, image);
    return image;
}

Painter Renderer::painterFor(Frame& frame) const {
    const PictureDef& pic = *frame.picture;
    if (frame.cell < 0) return Painter(*frame.image, Painter::Clip{0, 0, pic.width, pic.height});
    const int col = frame.cell % pic.columns(), row = frame.cell / pic.columns();
    return Painter(*frame.image,
                   Painter::Clip{col * pic.cellWidth, row * pic.cellHeight, pic.cellWidth, pic.cellHeight});
}

void Renderer::run(const OpDef& op, Frame& frame) {
    if (op.firstCell < 0) {
        runOnce(op, frame, OpArgs(op, 0.0, 0));
        return;
    }
    if (op.keyword == "cell") throw PixError(op.pos, "'cell' cannot be repeated with 'in'");
    const int keep = frame.cell;
    const int span = op.lastCell - op.firstCell;
    for (int cell = op.firstCell; cell <= op.lastCell; ++cell) {
        frame.cell = cell;
        const double progress = span > 0 ? static_cast<double>(cell - op.firstCell) / span : 0.0;
        runOnce(op, frame, OpArgs(op, progress, cell - op.firstCell));
    }
    frame.cell = keep;
}

void Renderer::runOnce(const OpDef& op, Frame& frame, const OpArgs& a) {
    const Palette& pal = *frame.palette;
    const std::string& k = op.keyword;
    if (k == "cell") {
        a.expect(1, "N");
        const int cells = frame.picture->columns() * frame.picture->rowsOfCells();
        const int n = a.number(0);
        if (n < 0 || n >= cells)
            a.fail("cell " + std::to_string(n) + " outside 0-" + std::to_string(cells - 1));
        frame.cell = n;
        return;
    }
    if (k == "draw") return drawOp(a, frame);
    if (k == "text") return textOp(a, frame);
    if (k == "scatter") return scatterOp(a, frame);

    Painter p = painterFor(frame);
    if (k == "fill") {
        a.expect(1, "COLOUR");
        p.fill(a.colour(0, pal));
    } else if (k == "rect") {
        a.expect(5, "X Y W H COLOUR");
        p.rect(a.number(0), a.number(1), a.number(2), a.number(3), a.colour(4, pal));
    } else if (k == "erase") {
        a.expect(4, "X Y W H");
        p.erase(a.number(0), a.number(1), a.number(2), a.number(3));
    } else if (k == "frame") {
        a.expect(5, "X Y W H COLOUR [THICKNESS]");
        p.frame(a.number(0), a.number(1), a.number(2), a.number(3), a.colour(4, pal),
                a.size() > 5 ? a.number(5) : 1);
    } else if (k == "line") {
        a.expect(5, "X1 Y1 X2 Y2 COLOUR");
        p.line(a.number(0), a.number(1), a.number(2), a.number(3), a.colour(4, pal));
    } else if (k == "disc" || k == "ring") {
        a.expect(4, "X Y R COLOUR");
        if (k == "disc") {
            p.disc(a.number(0), a.number(1), a.number(2), a.colour(3, pal));
        } else {
            p.ring(a.number(0), a.number(1), a.number(2), a.colour(3, pal));
        }
    } else if (k == "glow") {
        a.expect(4, "X Y R COLOUR [STRENGTH]");
        p.glow(a.number(0), a.number(1), a.number(2), a.colour(3, pal), a.size() > 4 ? a.number(4) : 70);
    } else if (k == "ellipse") {
        a.expect(5, "X Y RX RY COLOUR");
        p.ellipse(a.number(0), a.number(1), a.number(2), a.number(3), a.colour(4, pal));
    } else if (k == "poly") {
        a.expect(4, "COLOUR X,Y X,Y X,Y ...");
        std::vector<std::pair<int, int>> points;
        for (std::size_t i = 1; i < a.size(); ++i) {
            int x = 0, y = 0;
            a.point(i, x, y);
            points.emplace_back(x, y);
        }
        p.polygon(points, a.colour(0, pal));
    } else if (k == "gradient") {
        a.expect(6, "X Y W H vertical|horizontal C1,C2,... [soft N] [masked]");
        const std::string& dir = a.word(4);
        if (dir != "vertical" && dir != "horizontal") a.fail("direction must be vertical or horizontal");
        std::vector<Rgba> stops;
        const std::string& list = a.word(5);
        std::size_t start = 0;
        while (true) {
            const auto comma = list.find(',', start);
            stops.push_back(a.colourText(list.substr(start, comma - start), pal));
            if (comma == std::string::npos) break;
            start = comma + 1;
        }
        int soft = 40;
        bool masked = false;
        for (std::size_t i = 6; i < a.size(); ++i) {
            if (a.word(i) == "masked") {
                masked = true;
            } else if (a.word(i) == "soft" && i + 1 < a.size()) {
                soft = a.number(++i);
            } else {
                a.fail("unknown option '" + a.word(i) + "'");
            }
        }
        p.gradient(a.number(0), a.number(1), a.number(2), a.number(3), dir == "vertical", stops, soft,
                   masked);
    } else if (k == "tile" || k == "nine") {
        const bool nine = k == "nine";
        a.expect(nine ? 6 : 5,
                 nine ? "NAME X Y W H L,T,R,B [palette P]" : "NAME X Y W H [offset DX,DY] [palette P]");
        const Palette* opPalette = nullptr;
        int ox = 0, oy = 0;
        for (std::size_t i = nine ? 6 : 5; i < a.size(); i += 2) {
            if (i + 1 >= a.size()) a.fail("option '" + a.word(i) + "' needs a value");
            if (a.word(i) == "palette") {
                opPalette = namedPalette(a, a.word(i + 1));
            } else if (a.word(i) == "offset" && !nine) {
                a.point(i + 1, ox, oy);
            } else {
                a.fail("unknown option '" + a.word(i) + "'");
            }
        }
        const Image src = source(a, a.name(0), frame, opPalette);
        if (nine) {
            const std::string& caps = a.word(5);
            int v[4] = {0, 0, 0, 0};
            std::size_t start = 0;
            for (int n = 0; n < 4; ++n) {
                const auto comma = caps.find(',', start);
                if ((comma == std::string::npos) != (n == 3))
                    a.fail("expected caps L,T,R,B, got '" + caps + "'");
                v[n] = a.numberText(caps.substr(start, comma - start));
                start = comma + 1;
            }
            if (v[0] + v[2] >= src.width() || v[1] + v[3] >= src.height())
                a.fail("caps leave no middle to repeat");
            p.nine(src, a.number(1), a.number(2), a.number(3), a.number(4), v[0], v[1], v[2], v[3]);
        } else {
            p.tile(src, a.number(1), a.number(2), a.number(3), a.number(4), ox, oy);
        }
    } else if (k == "outline") {
        a.expect(1, "COLOUR [diag]");
        if (a.size() > 1 && a.word(1) != "diag") a.fail("unknown option '" + a.word(1) + "'");
        p.outline(a.colour(0, pal), a.size() > 1);
    } else if (k == "replace") {
        a.expect(2, "FROM TO");
        p.replace(a.colour(0, pal), a.colour(1, pal));
    } else {
        a.fail("not an operation");
    }
}

const Palette* Renderer::namedPalette(const OpArgs& a, const std::string& name) const {
    const Palette* pal = document_.palette(name);
    if (pal == nullptr) a.fail("unknown palette '" + name + "'");
    return pal;
}

Image Renderer::gridImage(const GridDef& grid, const Palette& palette, const SourcePos& usedAt) const {
    Image out(grid.width(), grid.height());
    for (int y = 0; y < grid.height(); ++y) {
        const std::string& row = grid.rows[static_cast<std::size_t>(y)];
        for (int x = 0; x < grid.width(); ++x) {
            Rgba c;
            const char letter = row[static_cast<std::size_t>(x)];
            if (!palette.find(letter, c)) {
                throw PixError(SourcePos{grid.pos.file, grid.rowLines[static_cast<std::size_t>(y)]},
                               std::string("unknown palette letter '") + letter + "' in grid '" + grid.name +
                                   "' (palette '" + palette.name() + "', drawn at " + usedAt.str() + ")");
            }
            out.set(x, y, c);
        }
    }
    return out;
}

Image Renderer::source(const OpArgs& a, const std::string& name, const Frame& frame,
                       const Palette* opPalette) {
    if (const GridDef* grid = document_.grid(name)) {
        const Palette* pal = opPalette != nullptr ? opPalette : frame.palette;
        if (pal == &empty_ && !grid->palette.empty()) pal = document_.palette(grid->palette);
        if (pal == nullptr) a.fail("no palette for grid '" + name + "'");
        return gridImage(*grid, *pal, a.pos());
    }
    if (const PictureDef* pic = document_.picture(name)) {
        const Palette* passed = opPalette != nullptr ? opPalette : (frame.passedOn ? frame.palette : nullptr);
        return renderWith(*pic, passed);
    }
    a.fail("no grid or picture named '" + name + "'");
}

void Renderer::drawOp(const OpArgs& a, Frame& frame) {
    a.expect(3,
             "NAME at X,Y|center X,Y [scale N] [flipx] [flipy] [rot 90|180|270] [palette P] [tint C] [alpha "
             "A] [cell N]");
    int x = 0, y = 0, scale = 1, rot = 0, alpha = 255, cell = -1;
    bool centred = false, placed = false, flipX = false, flipY = false, tinted = false;
    Rgba tint;
    const Palette* opPalette = nullptr;
    for (std::size_t i = 1; i < a.size(); ++i) {
        const std::string& w = a.word(i);
        if (w == "flipx") {
            flipX = true;
            continue;
        }
        if (w == "flipy") {
            flipY = true;
            continue;
        }
        if (i + 1 >= a.size()) a.fail("option '" + w + "' needs a value");
        const std::size_t v = ++i;
        if (w == "at" || w == "center") {
            a.point(v, x, y);
            centred = w == "center";
            placed = true;
        } else if (w == "scale") {
            scale = a.number(v);
            if (scale < 1 || scale > 16) a.fail("scale must be 1 to 16");
        } else if (w == "rot") {
            rot = a.number(v);
            if (rot % 90 != 0) a.fail("rot must be 0, 90, 180 or 270");
        } else if (w == "palette") {
            opPalette = namedPalette(a, a.word(v));
        } else if (w == "tint") {
            tint = a.colour(v, *frame.palette);
            tinted = true;
        } else if (w == "alpha") {
            alpha = std::clamp(a.number(v), 0, 255);
        } else if (w == "cell") {
            cell = a.number(v);
        } else {
            a.fail("unknown option '" + w + "'");
        }
    }
    if (!placed) a.fail("say where: 'at X,Y' or 'center X,Y'");
    Image img = source(a, a.name(0), frame, opPalette);
    if (cell >= 0) {
        const PictureDef* pic = document_.picture(a.name(0));
        if (pic == nullptr || pic->cellWidth == 0) a.fail("'cell' needs a picture with cells");
        if (cell >= pic->columns() * pic->rowsOfCells()) a.fail("no cell " + std::to_string(cell));
        img = img.cropped(cell % pic->columns() * pic->cellWidth, cell / pic->columns() * pic->cellHeight,
                          pic->cellWidth, pic->cellHeight);
    }
    img = img.scaled(scale).rotated(rot / 90).flipped(flipX, flipY);
    Painter p = painterFor(frame);
    if (centred) {
        x -= img.width() / 2;
        y -= img.height() / 2;
    }
    for (int yy = 0; yy < img.height(); ++yy) {
        for (int xx = 0; xx < img.width(); ++xx) {
            Rgba c = img.at(xx, yy);
            if (c.a == 0) continue;
            if (tinted) c = Rgba{tint.r, tint.g, tint.b, static_cast<std::uint8_t>(c.a * tint.a / 255)};
            c.a = static_cast<std::uint8_t>(c.a * alpha / 255);
            p.plot(x + xx, y + yy, c);
        }
    }
}

std::string Renderer::fontPath(const FontDef& font) const {
    if (fs::path(font.file).is_absolute()) return font.file;
    if (!fontDir_.empty() && fs::exists(fs::path(fontDir_) / font.file))
        return (fs::path(fontDir_) / font.file).string();
    return (fs::path(font.sourceDir) / font.file).string();
}

void Renderer::textOp(const OpArgs& a, Frame& frame) {
    a.expect(6, "X Y FONT SIZE COLOUR \"TEXT\" [align left|center|right]");
    const FontDef* font = document_.font(a.word(2));
    if (font == nullptr) a.fail("unknown font '" + a.word(2) + "'");
    const std::string path = fontPath(*font);
    if (!fs::exists(path)) throw PixError(font->pos, "font file '" + path + "' not found");
    const int size = a.number(3);
    if (size < 4 || size > 512) a.fail("font size must be 4 to 512");
    std::string align = "left";
    if (a.size() > 6) {
        if (a.size() != 8 || a.word(6) != "align") a.fail("expected 'align left|center|right'");
        align = a.word(7);
        if (align != "left" && align != "center" && align != "right")
            a.fail("align must be left, center or right");
    }
    Image img;
    try {
        img = text_.render(path, size, a.word(5), a.colour(4, *frame.palette));
    } catch (const PixError& e) {
        a.fail(e.what());
    }
    int x = a.number(0);
    if (align == "center") x -= img.width() / 2;
    if (align == "right") x -= img.width();
    painterFor(frame).image(img, x, a.number(1));
}

void Renderer::scatterOp(const OpArgs& a, Frame& frame) {
    a.expect(7, "NAME X Y W H COUNT SEED [palette P]");
    const Palette* opPalette = nullptr;
    if (a.size() > 7) {
        if (a.size() != 9 || a.word(7) != "palette") a.fail("expected 'palette P'");
        opPalette = namedPalette(a, a.word(8));
    }
    const int x = a.number(1), y = a.number(2), w = a.number(3), h = a.number(4), count = a.number(5);
    auto seed = static_cast<std::uint32_t>(a.number(6));
    Painter p = painterFor(frame);
    for (int n = 0; n < count; ++n) {
        // A small linear congruential generator: the same seed always gives the same scatter.
        seed = seed * 1664525u + 1013904223u;
        const int px = x + static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(std::max(w, 1)));
        seed = seed * 1664525u + 1013904223u;
        const int py = y + static_cast<int>((seed >> 8) % static_cast<std::uint32_t>(std::max(h, 1)));
        // Names "a|b|c" pick a different picture for each placement.
        const std::string& names = a.word(0);
        std::vector<std::string> options;
        std::size_t start = 0;
        while (true) {
            const auto bar = names.find('|', start);
            options.push_back(names.substr(start, bar - start));
            if (bar == std::string::npos) break;
            start = bar + 1;
        }
        const Image img = source(a, options[static_cast<std::size_t>(n) % options.size()], frame, opPalette);
        p.image(img, px - img.width() / 2, py - img.height() / 2);
    }
}

}  // namespace pix
