#include "engine/render/Renderer.h"

#include <algorithm>
#include <cmath>

#include "engine/render/Texture2D.h"

namespace engine {

namespace {
constexpr std::size_t kMaxBatchQuads = 2048;
// SDL's software renderer copies an upright quad through a scratch surface as large as the whole
// quad, on screen or not, and its triangle filler misbehaves on coordinates far outside the frame.
// Past this many pixels on a side (more than four frames across) a quad is not drawn at all, so
// that no content value (a particle size, a sprite's scale) can exhaust memory or crash SDL.
constexpr float kMaxQuadExtent = 4096.0f;
}  // namespace

Renderer::Renderer(SDL_Renderer* renderer, const Size& designSize)
    : renderer_(renderer),
      designSize_(designSize),
      eyeZ_(static_cast<float>(designSize.height / (2.0 * std::tan(3.14159265358979323846 / 6.0)))) {
    vertices_.reserve(kMaxBatchQuads * 4);
    indices_.reserve(kMaxBatchQuads * 6);
}

void Renderer::beginFrame(const Color4B& clearColor) {
    quadCount_ = 0;
    batchCount_ = 0;
    queue_.clear();
    queueNeedsSort_ = false;
    SDL_SetRenderDrawColor(renderer_, clearColor.r, clearColor.g, clearColor.b, clearColor.a);
    SDL_RenderClear(renderer_);
}

void Renderer::queueDraw(Drawable* item, const DrawContext& context) {
    if (context.globalZOrder != 0.0f) queueNeedsSort_ = true;
    queue_.push_back(QueuedDraw{item, context});
}

void Renderer::drawQueued() {
    // Drawn from a list of its own: a draw that visits more nodes queues them for the next call.
    std::vector<QueuedDraw> drawing;
    drawing.swap(queue_);
    if (queueNeedsSort_)
        std::stable_sort(drawing.begin(), drawing.end(), [](const QueuedDraw& a, const QueuedDraw& b) {
            return a.context.globalZOrder < b.context.globalZOrder;
        });
    queueNeedsSort_ = false;
    for (const QueuedDraw& entry : drawing)
        entry.item->draw(*this, entry.context);
    // Keeps the storage for the next frame.
    if (queue_.empty()) {
        drawing.clear();
        queue_.swap(drawing);
    }
}

Vec2 Renderer::project(const Vec2& world, float z) const {
    if (z == 0.0f) return world;
    float s = perspectiveScale(z);
    float cx = designSize_.width * 0.5f;
    float cy = designSize_.height * 0.5f;
    return Vec2(cx + (world.x - cx) * s, cy + (world.y - cy) * s);
}

float Renderer::screenScale(const DrawContext& context) const {
    const AffineTransform& t = context.transform;
    float sx = std::sqrt(t.a * t.a + t.b * t.b);
    float sy = std::sqrt(t.c * t.c + t.d * t.d);
    float s = std::max(sx, sy);
    return context.z == 0.0f ? s : s * perspectiveScale(context.z);
}

// Blend words of content files map to the modes every backend (the software one included) supports:
//   (SRC_ALPHA | ONE, ONE_MINUS_SRC_ALPHA)   normal        -> BLEND
//   (SRC_ALPHA | ONE, ONE)                   additive      -> ADD
//   (ONE_MINUS_DST_COLOR, ONE)               screen        -> ADD (nearest: brightens)
//   (ONE_MINUS_DST_COLOR, ONE_MINUS_SRC_COLOR) exclusion   -> ADD (nearest: src + dst − 2·src·dst)
//   (ONE, ZERO)                              opaque        -> NONE
//   (DST_COLOR, ZERO), (ZERO, SRC_COLOR)     multiply      -> MOD
//   (ZERO, ONE_MINUS_SRC_COLOR)              subtract      -> MOD (nearest: darkens)
//   (DST_COLOR, ONE_MINUS_SRC_ALPHA)         multiply+alpha-> MUL
//   anything else: ADD when the destination is kept whole (dst ONE), otherwise BLEND.
SDL_BlendMode Renderer::blendModeFor(const BlendFunc& blend) {
    using namespace gl;
    if (blend.dst == ONE_MINUS_SRC_ALPHA && (blend.src == SRC_ALPHA || blend.src == ONE))
        return SDL_BLENDMODE_BLEND;
    if (blend.dst == ONE) return SDL_BLENDMODE_ADD;
    if (blend.src == ONE && blend.dst == ZERO) return SDL_BLENDMODE_NONE;
    if ((blend.src == DST_COLOR && blend.dst == ZERO) || (blend.src == ZERO && blend.dst == SRC_COLOR))
        return SDL_BLENDMODE_MOD;
    if (blend.src == ZERO && blend.dst == ONE_MINUS_SRC_COLOR) return SDL_BLENDMODE_MOD;
    if (blend.src == DST_COLOR && blend.dst == ONE_MINUS_SRC_ALPHA) return SDL_BLENDMODE_MUL;
    if (blend.src == ONE_MINUS_DST_COLOR && blend.dst == ONE_MINUS_SRC_COLOR) return SDL_BLENDMODE_ADD;
    return SDL_BLENDMODE_BLEND;
}

void Renderer::drawRect(const DrawContext& context, const Rect& rect, Texture2D* texture,
                        const Rect& textureRect, bool flipX, bool flipY, const Color4B& color,
                        const BlendFunc& blend) {
    float x0 = rect.getMinX(), x1 = rect.getMaxX();
    float y0 = rect.getMinY(), y1 = rect.getMaxY();
    Vec2 corners[4] = {{x0, y0}, {x1, y0}, {x1, y1}, {x0, y1}};
    // Texture y runs down: the quad's bottom edge samples the rect's bottom (max y) row.
    float u0 = textureRect.getMinX(), u1 = textureRect.getMaxX();
    float v0 = textureRect.getMaxY(), v1 = textureRect.getMinY();
    if (flipX) std::swap(u0, u1);
    if (flipY) std::swap(v0, v1);
    Vec2 texels[4] = {{u0, v0}, {u1, v0}, {u1, v1}, {u0, v1}};
    drawQuad(context, corners, texture, texels, color, blend);
}

void Renderer::drawQuad(const DrawContext& context, const Vec2 corners[4], Texture2D* texture,
                        const Vec2 texels[4], const Color4B& color, const BlendFunc& blend) {
    if (color.a == 0 && blendModeFor(blend) != SDL_BLENDMODE_NONE) return;
    if (!isDepthVisible(context.z)) return;
    const float height = designSize_.height;
    SDL_FPoint points[4];
    float minX = 1e30f, maxX = -1e30f, minY = 1e30f, maxY = -1e30f;
    for (int i = 0; i < 4; ++i) {
        Vec2 p = project(context.transform.apply(corners[i]), context.z);
        points[i] = SDL_FPoint{p.x, height - p.y};
        minX = std::min(minX, points[i].x);
        maxX = std::max(maxX, points[i].x);
        minY = std::min(minY, points[i].y);
        maxY = std::max(maxY, points[i].y);
    }
    if (maxX <= 0.0f || minX >= designSize_.width || maxY <= 0.0f || minY >= height) return;
    if (!std::isfinite(minX) || !std::isfinite(maxX) || !std::isfinite(minY) || !std::isfinite(maxY)) return;

    if (maxX - minX > kMaxQuadExtent || maxY - minY > kMaxQuadExtent) return;

    // SDL's software renderer copies a quad as a rectangle when its corners come top-left, top-right,
    // bottom-right, bottom-left on screen; that copy samples texels exactly (mirroring included) and
    // is fast. Everything else goes through its triangle rasteriser, which spreads texture
    // coordinates over (texture size − 1) texels: the padded texture makes that exact too.
    // Corners arrive bottom-left, bottom-right, top-right, top-left in y-up space, so in screen space
    // (y down) an unturned quad is already top-left first after reversing the order.
    bool axisAligned = (points[0].y == points[1].y && points[1].x == points[2].x &&
                        points[2].y == points[3].y && points[3].x == points[0].x);
    int order[4] = {3, 2, 1, 0};
    if (axisAligned) {
        // Start at the screen's top-left corner, then go clockwise; a quad turned by a right angle
        // (texture x running vertically) cannot be copied as a rectangle.
        int topLeft = 0;
        for (int i = 1; i < 4; ++i)
            if (points[i].x <= points[topLeft].x && points[i].y <= points[topLeft].y) topLeft = i;
        int next = (topLeft + 1) % 4, previous = (topLeft + 3) % 4;
        int clockwise = points[next].y == points[topLeft].y ? next : previous;
        bool textureAlongX = (points[0].y == points[1].y);
        if (textureAlongX || !texture) {
            int step = clockwise == next ? 1 : 3;
            for (int k = 0; k < 4; ++k)
                order[k] = (topLeft + step * k) % 4;
        } else {
            axisAligned = false;
        }
    }

    // The rectangle copy reads u × (padded width) texels; the triangle rasteriser places each corner
    // at texel u × (padded width − 1) = u × width and fills up to, not including, the far corner's.
    // The copy takes texel trunc(u × padded width) at the top-left corner and trunc(u × padded width −
    // that) texels across (negative when mirrored), and u = x / (padded width) in floats can come back
    // as x − ε. A 1/256-texel nudge keeps rectangles that start inside a picture (tiles, sheet frames)
    // on their texels: up at the top-left corner, towards the far edge at the other (never below 0,
    // which is exact anyway).
    // SDL's software triangle rasteriser reads past the last texture row when a turned picture spans
    // several hundred pixels (it crashes at about 700): draw such a quad as a grid of smaller quads.
    // Texture coordinates are affine over the quad, so the pieces show exactly the same picture.
    const float span = std::max(maxX - minX, maxY - minY);
    if (texture && !axisAligned && span > kMaxTurnedSpan) {
        const int pieces = static_cast<int>(std::ceil(span / kMaxTurnedSpan));
        auto at = [](const Vec2 quad[4], float s, float t) {
            Vec2 bottom = quad[0] + (quad[1] - quad[0]) * s;
            Vec2 top = quad[3] + (quad[2] - quad[3]) * s;
            return bottom + (top - bottom) * t;
        };
        const float step = 1.0f / static_cast<float>(pieces);
        for (int row = 0; row < pieces; ++row) {
            for (int column = 0; column < pieces; ++column) {
                const float s0 = step * static_cast<float>(column),
                            s1 = step * static_cast<float>(column + 1);
                const float t0 = step * static_cast<float>(row), t1 = step * static_cast<float>(row + 1);
                const Vec2 pieceCorners[4] = {at(corners, s0, t0), at(corners, s1, t0), at(corners, s1, t1),
                                              at(corners, s0, t1)};
                const Vec2 pieceTexels[4] = {at(texels, s0, t0), at(texels, s1, t0), at(texels, s1, t1),
                                             at(texels, s0, t1)};
                drawQuad(context, pieceCorners, texture, pieceTexels, color, blend);
            }
        }
        return;
    }

    float scaleU = 0.0f, scaleV = 0.0f, nudge = 0.0f;
    if (texture) {
        float w = static_cast<float>(texture->getPixelsWide());
        float h = static_cast<float>(texture->getPixelsHigh());
        scaleU = axisAligned ? 1.0f / (w + 1.0f) : 1.0f / w;
        scaleV = axisAligned ? 1.0f / (h + 1.0f) : 1.0f / h;
        nudge = axisAligned ? 1.0f / 256.0f : 0.0f;
    }
    const Vec2& first = texels[order[0]];
    const Vec2& far = texels[order[2]];
    auto nudged = [nudge](float texel, float start, float end) {
        return std::max(0.0f, texel + (texel == start || end >= start ? nudge : -nudge));
    };
    SDL_Vertex vertices[4];
    for (int k = 0; k < 4; ++k) {
        int i = order[k];
        SDL_Vertex& v = vertices[k];
        v.position = points[i];
        v.color = SDL_Color{color.r, color.g, color.b, color.a};
        v.tex_coord.x = nudged(texels[i].x, first.x, far.x) * scaleU;
        v.tex_coord.y = nudged(texels[i].y, first.y, far.y) * scaleV;
    }
    SDL_BlendMode mode = blendModeFor(blend);
    // A right-angle turn still has axis-aligned corners, and SDL fills a plain rectangle without its
    // blend mode: move one corner by an invisible fraction so SDL draws triangles instead.
    bool needsTriangles = texture ? !axisAligned : (axisAligned && mode != SDL_BLENDMODE_BLEND);
    if (needsTriangles && (vertices[0].position.y == vertices[1].position.y ||
                           vertices[0].position.x == vertices[1].position.x))
        vertices[3].position.x += 1.0f / 1024.0f;
    submit(vertices, texture ? texture->getSDLTexture() : nullptr, mode);
}

void Renderer::drawPixelExact(const DrawContext& context, const Vec2& topLeft, const Size& localSize,
                              Texture2D* texture, const Color4B& color) {
    const AffineTransform& t = context.transform;
    float texW = static_cast<float>(texture->getPixelsWide());
    float texH = static_cast<float>(texture->getPixelsHigh());
    Rect pixels(0, 0, texW, texH);
    if (!t.isAxisAligned() || t.a <= 0.0f || t.d <= 0.0f || !isDepthVisible(context.z)) {
        drawRect(context, Rect(topLeft.x, topLeft.y - localSize.height, localSize.width, localSize.height),
                 texture, pixels, false, false, color, BlendFunc::ALPHA_NON_PREMULTIPLIED);
        return;
    }
    // Screen position of the top-left corner, snapped; the picture then keeps its exact pixel size.
    Vec2 screen = project(t.apply(topLeft), context.z);
    float left = std::round(screen.x);
    float top = std::round(screen.y);
    DrawContext screenSpace;
    Rect rect(left, top - texH, texW, texH);
    drawRect(screenSpace, rect, texture, pixels, false, false, color, BlendFunc::ALPHA_NON_PREMULTIPLIED);
}

void Renderer::submit(const SDL_Vertex vertices[4], SDL_Texture* texture, SDL_BlendMode mode) {
    if (!indices_.empty() &&
        (texture != batchTexture_ || mode != batchMode_ || indices_.size() >= kMaxBatchQuads * 6))
        flush();
    batchTexture_ = texture;
    batchMode_ = mode;
    int base = static_cast<int>(vertices_.size());
    vertices_.insert(vertices_.end(), vertices, vertices + 4);
    // Two triangles sharing the diagonal 0-2, as SDL's rectangle detection expects.
    const int quad[6] = {base, base + 1, base + 2, base, base + 2, base + 3};
    indices_.insert(indices_.end(), quad, quad + 6);
    ++quadCount_;
}

void Renderer::flush() {
    if (indices_.empty()) return;
    if (batchTexture_) {
        SDL_SetTextureBlendMode(batchTexture_, batchMode_);
    } else {
        SDL_SetRenderDrawBlendMode(renderer_, batchMode_);
    }
    SDL_RenderGeometry(renderer_, batchTexture_, vertices_.data(), static_cast<int>(vertices_.size()),
                       indices_.data(), static_cast<int>(indices_.size()));
    ++batchCount_;
    vertices_.clear();
    indices_.clear();
}

}  // namespace engine
