#include "tools/pix/Painter.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace pix {

Painter::Painter(Image& target, Clip clip) : target_(target), clip_(clip) {}

void Painter::plot(int x, int y, Rgba c) {
    if (inside(x, y)) target_.blend(clip_.x + x, clip_.y + y, c);
}

void Painter::put(int x, int y, Rgba c) {
    if (inside(x, y)) target_.set(clip_.x + x, clip_.y + y, c);
}

Rgba Painter::get(int x, int y) const {
    return inside(x, y) ? target_.at(clip_.x + x, clip_.y + y) : Rgba{};
}

double Painter::threshold(int x, int y) {
    static const int BAYER[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
    return (BAYER[y & 3][x & 3] + 0.5) / 16.0;
}

void Painter::fill(Rgba c) {
    rect(0, 0, clip_.w, clip_.h, c);
}

void Painter::rect(int x, int y, int w, int h, Rgba c) {
    for (int yy = std::max(y, 0); yy < std::min(y + h, clip_.h); ++yy) {
        for (int xx = std::max(x, 0); xx < std::min(x + w, clip_.w); ++xx)
            plot(xx, yy, c);
    }
}

void Painter::erase(int x, int y, int w, int h) {
    for (int yy = std::max(y, 0); yy < std::min(y + h, clip_.h); ++yy) {
        for (int xx = std::max(x, 0); xx < std::min(x + w, clip_.w); ++xx)
            put(xx, yy, Rgba{});
    }
}

void Painter::frame(int x, int y, int w, int h, Rgba c, int thickness) {
    for (int t = 0; t < thickness && w - 2 * t > 0 && h - 2 * t > 0; ++t) {
        const int x0 = x + t, y0 = y + t, x1 = x + w - 1 - t, y1 = y + h - 1 - t;
        for (int xx = x0; xx <= x1; ++xx) {
            plot(xx, y0, c);
            if (y1 != y0) plot(xx, y1, c);
        }
        for (int yy = y0 + 1; yy < y1; ++yy) {
            plot(x0, yy, c);
            if (x1 != x0) plot(x1, yy, c);
        }
    }
}

void Painter::line(int x0, int y0, int x1, int y1, Rgba c) {
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    while (true) {
        plot(x0, y0, c);
        if (x0 == x1 && y0 == y1) break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Painter::disc(int cx, int cy, int r, Rgba c) {
    ellipse(cx, cy, r, r, c);
}

void Painter::ring(int cx, int cy, int r, Rgba c) {
    // Pixels whose centre lies within half a pixel of the circle, thinned to a one-pixel line.
    for (int y = -r - 1; y <= r + 1; ++y) {
        for (int x = -r - 1; x <= r + 1; ++x) {
            const double d = std::sqrt(static_cast<double>(x * x + y * y));
            if (std::fabs(d - r) < 0.5) plot(cx + x, cy + y, c);
        }
    }
}

void Painter::ellipse(int cx, int cy, int rx, int ry, Rgba c) {
    if (rx < 0 || ry < 0) return;
    const double ax = rx + 0.5, ay = ry + 0.5;
    for (int y = -ry; y <= ry; ++y) {
        for (int x = -rx; x <= rx; ++x) {
            const double nx = x / ax, ny = y / ay;
            if (nx * nx + ny * ny <= 1.0) plot(cx + x, cy + y, c);
        }
    }
}

void Painter::glow(int cx, int cy, int r, Rgba c, int strength) {
    if (r <= 0) return;
    const double peak = std::clamp(strength, 0, 100) / 100.0;
    for (int y = -r; y <= r; ++y) {
        for (int x = -r; x <= r; ++x) {
            const double d = std::sqrt(static_cast<double>(x * x + y * y)) / (r + 0.5);
            if (d < 1.0 && peak * (1.0 - d) > threshold(cx + x, cy + y)) plot(cx + x, cy + y, c);
        }
    }
}

void Painter::polygon(const std::vector<std::pair<int, int>>& points, Rgba c) {
    if (points.size() < 3) return;
    int top = points[0].second, bottom = points[0].second;
    for (const auto& p : points) {
        top = std::min(top, p.second);
        bottom = std::max(bottom, p.second);
    }
    std::vector<double> xs;
    for (int y = top; y <= bottom; ++y) {
        const double sy = y + 0.5;
        xs.clear();
        for (std::size_t i = 0; i < points.size(); ++i) {
            const auto& a = points[i];
            const auto& b = points[(i + 1) % points.size()];
            const double ay = a.second + 0.5, by = b.second + 0.5;
            if ((ay <= sy && by > sy) || (by <= sy && ay > sy)) {
                xs.push_back(a.first + 0.5 + (sy - ay) / (by - ay) * (b.first - a.first));
            }
        }
        std::sort(xs.begin(), xs.end());
        for (std::size_t i = 0; i + 1 < xs.size(); i += 2) {
            const int from = static_cast<int>(std::ceil(xs[i] - 0.5));
            const int to = static_cast<int>(std::floor(xs[i + 1] - 0.5));
            for (int x = from; x <= to; ++x)
                plot(x, y, c);
        }
    }
    // The outline itself, so that thin shapes keep their edges.
    for (std::size_t i = 0; i < points.size(); ++i) {
        const auto& a = points[i];
        const auto& b = points[(i + 1) % points.size()];
        line(a.first, a.second, b.first, b.second, c);
    }
}

void Painter::gradient(int x, int y, int w, int h, bool vertical, const std::vector<Rgba>& stops,
                       int softness, bool masked) {
    if (stops.empty() || w <= 0 || h <= 0) return;
    const int n = static_cast<int>(stops.size());
    const int length = vertical ? h : w;
    const double soft = std::clamp(softness, 0, 100) / 100.0;
    for (int yy = 0; yy < h; ++yy) {
        for (int xx = 0; xx < w; ++xx) {
            const int p = vertical ? yy : xx;
            const double t = (p + 0.5) / length * n - 0.5;
            int band = static_cast<int>(std::floor(t));
            double frac = t - band;
            if (band < 0) {
                band = 0;
                frac = 0.0;
            }
            if (band >= n - 1) {
                band = n - 1;
                frac = 0.0;
            }
            double cover =
                soft > 0.0 ? std::clamp((frac - 0.5) / soft + 0.5, 0.0, 1.0) : (frac >= 0.5 ? 1.0 : 0.0);
            const bool next = cover > threshold(x + xx, y + yy);
            const Rgba c = stops[static_cast<std::size_t>(next ? band + 1 : band)];
            if (!masked) {
                plot(x + xx, y + yy, c);
            } else if (const Rgba under = get(x + xx, y + yy); under.a > 0) {
                put(x + xx, y + yy, Rgba{c.r, c.g, c.b, static_cast<std::uint8_t>(under.a * c.a / 255)});
            }
        }
    }
}

void Painter::image(const Image& src, int x, int y) {
    for (int yy = 0; yy < src.height(); ++yy) {
        for (int xx = 0; xx < src.width(); ++xx)
            plot(x + xx, y + yy, src.at(xx, yy));
    }
}

void Painter::tile(const Image& src, int x, int y, int w, int h, int offsetX, int offsetY) {
    if (src.empty()) return;
    for (int yy = 0; yy < h; ++yy) {
        for (int xx = 0; xx < w; ++xx) {
            const int sx = ((xx + offsetX) % src.width() + src.width()) % src.width();
            const int sy = ((yy + offsetY) % src.height() + src.height()) % src.height();
            plot(x + xx, y + yy, src.at(sx, sy));
        }
    }
}

void Painter::nine(const Image& src, int x, int y, int w, int h, int left, int top, int right, int bottom) {
    const int cw = src.width() - left - right, ch = src.height() - top - bottom;
    if (cw <= 0 || ch <= 0) return;
    // Map a destination offset along one axis to a source offset: caps fixed, middle repeated.
    auto map = [](int d, int size, int lo, int hi, int mid, int srcSize) {
        if (d < lo) return d;
        if (d >= size - hi) return srcSize - (size - d);
        return lo + (d - lo) % mid;
    };
    for (int yy = 0; yy < h; ++yy) {
        for (int xx = 0; xx < w; ++xx) {
            const int sx = map(xx, w, left, right, cw, src.width());
            const int sy = map(yy, h, top, bottom, ch, src.height());
            plot(x + xx, y + yy, src.at(sx, sy));
        }
    }
}

void Painter::outline(Rgba c, bool diagonal) {
    std::vector<char> solid(static_cast<std::size_t>(clip_.w) * static_cast<std::size_t>(clip_.h), 0);
    auto idx = [&](int x, int y) {
        return static_cast<std::size_t>(y) * static_cast<std::size_t>(clip_.w) + static_cast<std::size_t>(x);
    };
    for (int y = 0; y < clip_.h; ++y) {
        for (int x = 0; x < clip_.w; ++x)
            solid[idx(x, y)] = get(x, y).a > 0 ? 1 : 0;
    }
    auto isSolid = [&](int x, int y) { return inside(x, y) && solid[idx(x, y)] != 0; };
    for (int y = 0; y < clip_.h; ++y) {
        for (int x = 0; x < clip_.w; ++x) {
            if (solid[idx(x, y)] != 0) continue;
            bool touch = isSolid(x - 1, y) || isSolid(x + 1, y) || isSolid(x, y - 1) || isSolid(x, y + 1);
            if (!touch && diagonal) {
                touch = isSolid(x - 1, y - 1) || isSolid(x + 1, y - 1) || isSolid(x - 1, y + 1) ||
                        isSolid(x + 1, y + 1);
            }
            if (touch) put(x, y, c);
        }
    }
}

void Painter::replace(Rgba from, Rgba to) {
    for (int y = 0; y < clip_.h; ++y) {
        for (int x = 0; x < clip_.w; ++x) {
            if (get(x, y) == from) put(x, y, to);
        }
    }
}

}  // namespace pix
