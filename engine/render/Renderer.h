#pragma once

#include <SDL.h>

#include <vector>

#include "engine/base/BlendFunc.h"
#include "engine/base/Color.h"
#include "engine/base/Geometry.h"
#include "engine/render/Drawable.h"

namespace engine {

class Texture2D;

// Draws textured and plain quads of the node tree onto an SDL renderer.
// World coordinates are design units with y up; position Z is projected with the default
// perspective about the screen centre (scale zEye / (zEye - z)); the result is flipped to SDL's y-down.
// Consecutive quads with the same texture and blend mode are sent to SDL in one batch.
//
// Visiting the tree queues each node's draw with its context; the queue is drawn sorted by global z
// order (stable, so equal orders keep the tree order) when the frame ends, or earlier by
// drawQueued() for something that must come out on top of everything queued so far.
class Renderer {
public:
    // A turned textured quad wider or taller than this on screen is drawn as a grid of pieces.
    static constexpr float kMaxTurnedSpan = 256.0f;

    Renderer(SDL_Renderer* renderer, const Size& designSize);
    Renderer(const Renderer&) = delete;
    Renderer& operator=(const Renderer&) = delete;

    SDL_Renderer* getSDLRenderer() const { return renderer_; }
    const Size& getDesignSize() const { return designSize_; }

    void beginFrame(const Color4B& clearColor = Color4B(0, 0, 0, 255));
    void endFrame() {
        drawQueued();
        flush();
    }

    // Queues a draw; `item` must stay alive until the queue is drawn (within the frame).
    void queueDraw(Drawable* item, const DrawContext& context);
    // Draws every queued node in global z order, then empties the queue.
    void drawQueued();

    // Draws the local rectangle `rect` of a node; `textureRect` is in texture pixels, top-left origin.
    // A null texture draws a plain rectangle of the colour.
    void drawRect(const DrawContext& context, const Rect& rect, Texture2D* texture, const Rect& textureRect,
                  bool flipX, bool flipY, const Color4B& color, const BlendFunc& blend);
    // Draws a quad given by its local corners (bottom-left, bottom-right, top-right, top-left) and
    // their texture coordinates in texture pixels.
    void drawQuad(const DrawContext& context, const Vec2 corners[4], Texture2D* texture, const Vec2 texels[4],
                  const Color4B& color, const BlendFunc& blend);
    // Draws a texture so that each texel covers exactly one screen pixel, its top-left corner at the
    // local point `topLeft` snapped to the pixel grid (used for text rasterised at on-screen size).
    // Falls back to a plain quad of `localSize` when the node is rotated or mirrored.
    void drawPixelExact(const DrawContext& context, const Vec2& topLeft, const Size& localSize,
                        Texture2D* texture, const Color4B& color);
    void flush();

    // Depth of the default camera's eye above the screen plane (540 / (2 tan 30°)).
    float getEyeZ() const { return eyeZ_; }
    float perspectiveScale(float z) const { return eyeZ_ / (eyeZ_ - z); }
    bool isDepthVisible(float z) const { return z > -designSize_.height * 0.5f && z < eyeZ_ - 10.0f; }
    // Screen position in design pixels, y up.
    Vec2 project(const Vec2& world, float z) const;
    // The scale at which a node drawn under `context` appears on screen (largest axis).
    float screenScale(const DrawContext& context) const;

    static SDL_BlendMode blendModeFor(const BlendFunc& blend);

    int getQuadCount() const { return quadCount_; }
    int getBatchCount() const { return batchCount_; }

private:
    void submit(const SDL_Vertex vertices[4], SDL_Texture* texture, SDL_BlendMode mode);

    struct QueuedDraw {
        Drawable* item;
        DrawContext context;
    };

    SDL_Renderer* renderer_;
    Size designSize_;
    float eyeZ_;
    std::vector<SDL_Vertex> vertices_;
    std::vector<int> indices_;
    SDL_Texture* batchTexture_ = nullptr;
    SDL_BlendMode batchMode_ = SDL_BLENDMODE_BLEND;
    int quadCount_ = 0;
    int batchCount_ = 0;
    std::vector<QueuedDraw> queue_;
    bool queueNeedsSort_ = false;
};

}  // namespace engine
