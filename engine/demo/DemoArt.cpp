#include "engine/demo/DemoArt.h"

#include <SDL.h>

#include <cstdlib>
#include <functional>
#include <string>

#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"

namespace engine_demo {

using engine::Color4B;
using engine::Director;
using engine::Texture2D;

namespace {

Texture2D* paint(const std::string& key, int w, int h, const std::function<Color4B(int, int)>& pixel) {
    auto* cache = Director::getInstance()->getTextureCache();
    if (Texture2D* existing = cache->getTextureForKey(key)) return existing;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < h; ++y) {
        auto* row = reinterpret_cast<Uint32*>(static_cast<Uint8*>(surface->pixels) + y * surface->pitch);
        for (int x = 0; x < w; ++x) {
            Color4B c = pixel(x, y);
            row[x] = (Uint32(c.a) << 24) | (Uint32(c.r) << 16) | (Uint32(c.g) << 8) | c.b;
        }
    }
    Texture2D* texture = Texture2D::createWithSurface(cache->getRenderer(), surface, key);
    SDL_FreeSurface(surface);
    cache->addTexture(key, texture);
    texture->setAliasTexParameters();
    return texture;
}

std::string keyOf(const char* kind, int a, int b, Color4B c) {
    return std::string("demo:") + kind + ":" + std::to_string(a) + "x" + std::to_string(b) + ":" +
           std::to_string(c.r) + "," + std::to_string(c.g) + "," + std::to_string(c.b) + "," +
           std::to_string(c.a);
}

}  // namespace

Texture2D* DemoArt::checker(int width, int height, int cell, Color4B a, Color4B b) {
    return paint(keyOf("checker", width, height, a) + keyOf("", cell, 0, b), width, height,
                 [=](int x, int y) { return ((x / cell + y / cell) % 2) ? b : a; });
}

Texture2D* DemoArt::disc(int size, Color4B fill) {
    return paint(keyOf("disc", size, size, fill), size, size, [=](int x, int y) {
        float r = size * 0.5f;
        float dx = x + 0.5f - r, dy = y + 0.5f - r;
        float d2 = dx * dx + dy * dy;
        if (d2 > r * r) return Color4B(0, 0, 0, 0);
        if (d2 > (r - 2) * (r - 2)) return Color4B(20, 16, 40, 255);
        return fill;
    });
}

Texture2D* DemoArt::panel(int size, Color4B border, Color4B centre) {
    return paint(keyOf("panel", size, size, border) + keyOf("", 0, 0, centre), size, size, [=](int x, int y) {
        int edge = std::min(std::min(x, y), std::min(size - 1 - x, size - 1 - y));
        if (edge < 3) return border;
        if (edge == 5) return Color4B(240, 200, 120, 255);
        return centre;
    });
}

Texture2D* DemoArt::arrow(int width, int height, Color4B color) {
    return paint(keyOf("arrow", width, height, color), width, height, [=](int x, int y) {
        int mid = height / 2;
        int shaftTop = mid - height / 6, shaftBottom = mid + height / 6;
        int head = width - height / 2;
        bool shaft = x < head && y >= shaftTop && y <= shaftBottom;
        bool tip = x >= head && std::abs(y - mid) <= (width - x);
        return (shaft || tip) ? color : Color4B(0, 0, 0, 0);
    });
}

}  // namespace engine_demo
