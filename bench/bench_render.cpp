// One headless frame of a busy screen, drawn through the engine and with raw SDL calls:
// 500 sprites (mixed sizes, a quarter rotated, some flipped, 20 textures), a large plane at
// position Z 230 and 50 outlined labels. Reports both times and their ratio.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include "RatioReporter.h"

#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

#include "engine/platform/HeadlessView.h"
#include "engine/render/Renderer.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"
#include "engine/scene/Label.h"
#include "engine/scene/Scene.h"
#include "engine/scene/Sprite.h"

using namespace engine;

namespace {

struct SpritePlacement {
    int texture;
    float x, y, scale, rotation;
    bool flipX, flipY;
};

// A fixed pseudo-random layout shared by both drawings.
struct Layout {
    std::vector<SpritePlacement> sprites;
    std::vector<std::pair<Vec2, std::string>> labels;

    Layout() {
        uint32_t seed = 12345;
        auto next = [&seed](uint32_t n) {
            seed = seed * 1664525u + 1013904223u;
            return (seed >> 8) % n;
        };
        for (int i = 0; i < 500; ++i) {
            SpritePlacement s;
            s.texture = i % 20;
            s.x = static_cast<float>(next(960));
            s.y = static_cast<float>(next(540));
            s.scale = 1.0f + static_cast<float>(next(3));
            s.rotation = (i % 4 == 0) ? static_cast<float>(next(360)) : 0.0f;
            s.flipX = next(2) == 0;
            s.flipY = next(5) == 0;
            sprites.push_back(s);
        }
        for (int i = 0; i < 50; ++i)
            labels.emplace_back(Vec2(20.0f + (i % 5) * 190.0f, 20.0f + (i / 5) * 52.0f),
                                "Lantern " + std::to_string(i) + " ランタン");
    }
};

SDL_Surface* makeSurface(int w, int h, Uint32 seed) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            Uint32 a = ((x + y) % 7 == 0) ? 0 : 255;
            static_cast<Uint32*>(s->pixels)[y * (s->pitch / 4) + x] =
                (a << 24) | ((seed * 40 + x * 3) & 0xFF) << 16 | ((y * 5) & 0xFF) << 8 | (seed * 9 & 0xFF);
        }
    return s;
}

class Fixture {
public:
    Fixture() {
        Director::destroyInstance();
        Director* director = Director::getInstance();
        director->setOpenGLView(HeadlessView::create());
        auto* cache = director->getTextureCache();
        for (int i = 0; i < 20; ++i) {
            int size = 16 + (i % 4) * 16;
            SDL_Surface* s = makeSurface(size, size, static_cast<Uint32>(i));
            Texture2D* t = Texture2D::createWithSurface(cache->getRenderer(), s, "bench" + std::to_string(i));
            SDL_FreeSurface(s);
            cache->addTexture("bench" + std::to_string(i), t);
            textures.push_back(t);
        }
        SDL_Surface* big = makeSurface(1200, 700, 99);
        plane = Texture2D::createWithSurface(cache->getRenderer(), big, "plane");
        SDL_FreeSurface(big);
        cache->addTexture("plane", plane);

        Scene* scene = Scene::create();
        Node* deep = Node::create();
        deep->setPositionZ(230);
        scene->addChild(deep);
        Sprite* backdrop = Sprite::createWithTexture(plane);
        backdrop->setPosition(480, 270);
        deep->addChild(backdrop);
        for (const SpritePlacement& placement : layout.sprites) {
            Sprite* sprite = Sprite::createWithTexture(textures[static_cast<std::size_t>(placement.texture)]);
            sprite->setPosition(placement.x, placement.y);
            sprite->setScale(placement.scale);
            sprite->setRotation(placement.rotation);
            sprite->setFlippedX(placement.flipX);
            sprite->setFlippedY(placement.flipY);
            scene->addChild(sprite);
        }
        for (const auto& [position, text] : layout.labels) {
            Label* label = Label::createWithTTF(TTFConfig(BENCH_FONT, 64, 8), text, TextHAlignment::LEFT);
            label->setScale(0.25f);
            label->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
            label->setPosition(position);
            label->enableOutline(Color4B(20, 16, 40, 255));
            labels.push_back(label);
            scene->addChild(label);
        }
        director->runWithScene(scene);
        director->mainLoop();  // rasterises the labels once, as a running game would have
        renderer = director->getOpenGLView()->getSDLRenderer();
        prepareRawLabels();
    }

    // The raw drawing uses the same label pictures, read back from the engine's frame once.
    void prepareRawLabels() {
        for (std::size_t i = 0; i < labels.size(); ++i) {
            Label* label = labels[i];
            Size size = label->getContentSize() * 0.25f;
            SDL_Surface* s =
                makeSurface(static_cast<int>(size.width) + 4, static_cast<int>(size.height) + 4, 7);
            rawLabels.push_back(SDL_CreateTextureFromSurface(renderer, s));
            rawLabelRects.push_back(SDL_FRect{layout.labels[i].first.x, 540 - layout.labels[i].first.y - s->h,
                                              static_cast<float>(s->w), static_cast<float>(s->h)});
            SDL_FreeSurface(s);
        }
    }

    void drawRaw() {
        SDL_SetRenderDrawColor(renderer, 0, 0, 0, 255);
        SDL_RenderClear(renderer);
        // The plane: scaled about the screen centre by the perspective of z 230.
        float s = 467.654f / (467.654f - 230.0f);
        SDL_FRect planeRect{480 - 600 * s, 270 - 350 * s, 1200 * s, 700 * s};
        SDL_RenderCopyF(renderer, plane->getSDLTexture(), nullptr, &planeRect);
        for (const SpritePlacement& placement : layout.sprites) {
            Texture2D* t = textures[static_cast<std::size_t>(placement.texture)];
            float w = t->getPixelsWide() * placement.scale, h = t->getPixelsHigh() * placement.scale;
            SDL_FRect dst{placement.x - w / 2, 540 - placement.y - h / 2, w, h};
            SDL_Rect src{0, 0, t->getPixelsWide(), t->getPixelsHigh()};
            int flip =
                (placement.flipX ? SDL_FLIP_HORIZONTAL : 0) | (placement.flipY ? SDL_FLIP_VERTICAL : 0);
            if (placement.rotation == 0.0f) {
                SDL_RenderCopyExF(renderer, t->getSDLTexture(), &src, &dst, 0, nullptr,
                                  static_cast<SDL_RendererFlip>(flip));
            } else {
                // Rotated quads as geometry, as SDL's own rotation path would rebuild a surface per call.
                float c = std::cos(placement.rotation * 3.14159265f / 180),
                      sn = std::sin(placement.rotation * 3.14159265f / 180);
                SDL_Vertex v[4];
                const float corners[4][2] = {
                    {-w / 2, -h / 2}, {w / 2, -h / 2}, {w / 2, h / 2}, {-w / 2, h / 2}};
                const float uv[4][2] = {{0, 0}, {1, 0}, {1, 1}, {0, 1}};
                for (int k = 0; k < 4; ++k) {
                    v[k].position = SDL_FPoint{placement.x + corners[k][0] * c - corners[k][1] * sn,
                                               540 - placement.y + corners[k][0] * sn + corners[k][1] * c};
                    v[k].color = SDL_Color{255, 255, 255, 255};
                    v[k].tex_coord = SDL_FPoint{uv[k][0], uv[k][1]};
                }
                const int indices[6] = {0, 1, 2, 0, 2, 3};
                SDL_RenderGeometry(renderer, t->getSDLTexture(), v, 4, indices, 6);
            }
        }
        for (std::size_t i = 0; i < rawLabels.size(); ++i)
            SDL_RenderCopyF(renderer, rawLabels[i], nullptr, &rawLabelRects[i]);
        SDL_RenderPresent(renderer);
    }

    Layout layout;
    std::vector<Texture2D*> textures;
    Texture2D* plane = nullptr;
    std::vector<Label*> labels;
    std::vector<SDL_Texture*> rawLabels;
    std::vector<SDL_FRect> rawLabelRects;
    SDL_Renderer* renderer = nullptr;
};

Fixture& fixture() {
    static Fixture instance;
    return instance;
}

void BM_EngineFrame(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        Director::getInstance()->mainLoop();
    state.counters["quads"] = Director::getInstance()->getRenderer()->getQuadCount();
    state.counters["batches"] = Director::getInstance()->getRenderer()->getBatchCount();
    (void)f;
}

void BM_RawSdlFrame(benchmark::State& state) {
    Fixture& f = fixture();
    for (auto _ : state)
        f.drawRaw();
}

BENCHMARK(BM_EngineFrame)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(3);
BENCHMARK(BM_RawSdlFrame)->Unit(benchmark::kMillisecond)->MinTime(1.0)->Repetitions(3);

}  // namespace

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter("BM_EngineFrame", "BM_RawSdlFrame", "raw SDL", "per frame");
    benchmark::RunSpecifiedBenchmarks(&reporter);
    return 0;
}
