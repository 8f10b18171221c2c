#pragma once

#include <utility>
#include <vector>

#include "tools/pix/Image.h"

namespace pix {

// Draws shapes and pictures onto an image, relative to an origin and clipped to a rectangle
// (a cell of a sheet, or the whole image).
class Painter {
public:
    struct Clip {
        int x = 0;
        int y = 0;
        int w = 0;
        int h = 0;
    };

    Painter(Image& target, Clip clip);

    void plot(int x, int y, Rgba c);
    void put(int x, int y, Rgba c);  // replaces instead of compositing
    Rgba get(int x, int y) const;
    int width() const { return clip_.w; }
    int height() const { return clip_.h; }

    void fill(Rgba c);
    void rect(int x, int y, int w, int h, Rgba c);
    // Makes the pixels transparent again.
    void erase(int x, int y, int w, int h);
    void frame(int x, int y, int w, int h, Rgba c, int thickness);
    void line(int x0, int y0, int x1, int y1, Rgba c);
    void disc(int cx, int cy, int r, Rgba c);
    void ring(int cx, int cy, int r, Rgba c);
    void ellipse(int cx, int cy, int rx, int ry, Rgba c);
    // Light falling off from the centre, as ordered-dithered pixels of c (strength 0-100 at the centre).
    void glow(int cx, int cy, int r, Rgba c, int strength);
    void polygon(const std::vector<std::pair<int, int>>& points, Rgba c);
    // Bands of the stops from top to bottom (or left to right), ordered-dithered where they meet;
    // softness 0 gives hard steps, 100 dithers the whole way. "masked" recolours only pixels that
    // are coloured already, keeping their alpha (to shade lettering or a silhouette).
    void gradient(int x, int y, int w, int h, bool vertical, const std::vector<Rgba>& stops, int softness,
                  bool masked = false);
    void image(const Image& src, int x, int y);
    void tile(const Image& src, int x, int y, int w, int h, int offsetX, int offsetY);
    // Corners kept, edges and centre repeated.
    void nine(const Image& src, int x, int y, int w, int h, int left, int top, int right, int bottom);
    // A pixel of colour c on every clear pixel that touches a coloured one.
    void outline(Rgba c, bool diagonal);
    void replace(Rgba from, Rgba to);

    // The 4 x 4 ordered-dither threshold at a pixel, in (0, 1).
    static double threshold(int x, int y);

private:
    bool inside(int x, int y) const { return x >= 0 && y >= 0 && x < clip_.w && y < clip_.h; }

    Image& target_;
    Clip clip_;
};

}  // namespace pix
