#include "engine/render/TextRasterizer.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cmath>
#include <vector>

#include "engine/render/FontCache.h"
#include "engine/render/TextLayout.h"

namespace engine {

namespace {

struct Placed {
    const FontFace::Glyph* glyph;
    int x, y;  // top-left of the glyph picture, relative to the text block's top-left
    bool outline;
};

// Paints `colour` with the glyph's coverage over the canvas ("over" compositing in straight alpha).
void paint(SDL_Surface* canvas, const Placed& placed, int originX, int originY, const Color4B& colour) {
    const FontFace::Glyph& g = *placed.glyph;
    for (int row = 0; row < g.height; ++row) {
        int y = originY + placed.y + row;
        auto* pixels = reinterpret_cast<Uint32*>(static_cast<Uint8*>(canvas->pixels) +
                                                 static_cast<std::ptrdiff_t>(y) * canvas->pitch);
        for (int col = 0; col < g.width; ++col) {
            Uint32 coverage = g.coverage[static_cast<std::size_t>(row * g.width + col)];
            Uint32 sa = coverage * colour.a / 255;
            if (sa == 0) continue;
            Uint32& d = pixels[originX + placed.x + col];
            Uint32 da = d >> 24;
            Uint32 keep = da * (255 - sa) / 255;
            Uint32 oa = sa + keep;
            auto channel = [&](Uint32 source, int shift) {
                Uint32 dc = (d >> shift) & 0xFF;
                return ((source * sa + dc * keep) / oa) << shift;
            };
            d = (oa << 24) | channel(colour.r, 16) | channel(colour.g, 8) | channel(colour.b, 0);
        }
    }
}

}  // namespace

TextRasterizer::Result TextRasterizer::render(const Request& request) {
    Result result;
    if (request.text.empty()) return result;
    FontFace* face = FontCache::getInstance().getFace(request.fontPath, request.pixelSize);
    if (!face) return result;
    const int outline = std::max(0, request.outline);
    TextLayout layout = TextLayout::measure(*face, request.text, request.maxLineWidth);
    const int widest = layout.widestLine();

    // Place every glyph (outlines first, so fills land on top), and find what they cover.
    std::vector<Placed> placed;
    int minX = 0, minY = 0;
    int maxX = widest + 2 * outline;
    int maxY = layout.lineHeight() + 2 * outline;
    const auto& lines = layout.lines();
    for (std::size_t i = 0; i < lines.size(); ++i) {
        const TextLayout::Line& line = lines[i];
        int penStart = 0;
        if (request.alignment == 1) penStart = (widest - line.width) / 2;
        if (request.alignment == 2) penStart = widest - line.width;
        int baseline = static_cast<int>(std::lround(request.lineAdvance * static_cast<float>(i))) + outline +
                       layout.ascent();
        for (int pass = outline > 0 ? 0 : 1; pass < 2; ++pass) {
            int pen = penStart + outline;
            char32_t previous = 0;
            for (char32_t c : line.text) {
                pen += face->kerning(previous, c);
                const FontFace::Glyph& g = face->glyph(c, pass == 0 ? outline : 0);
                if (g.width > 0 && g.height > 0) {
                    Placed p{&g, pen + g.left, baseline - g.top, pass == 0};
                    placed.push_back(p);
                    minX = std::min(minX, p.x);
                    minY = std::min(minY, p.y);
                    maxX = std::max(maxX, p.x + g.width);
                    maxY = std::max(maxY, p.y + g.height);
                }
                pen += face->advance(c);
                previous = c;
            }
        }
        maxY = std::max(maxY, baseline - layout.ascent() + layout.lineHeight() + outline);
    }
    if (placed.empty()) return result;

    SDL_Surface* canvas =
        SDL_CreateRGBSurfaceWithFormat(0, maxX - minX, maxY - minY, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!canvas) return result;
    SDL_FillRect(canvas, nullptr, 0);
    result.originX = -minX;
    result.originY = -minY;
    for (const Placed& p : placed)
        paint(canvas, p, result.originX, result.originY, p.outline ? request.outlineColor : request.fill);
    result.surface = canvas;
    return result;
}

}  // namespace engine
