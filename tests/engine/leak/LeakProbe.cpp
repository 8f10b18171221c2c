// engine_leak_probe: a small engine program for the leak check. It draws a few frames headless and
// frees everything; with --leak surface or --leak texture it forgets one picture, which LeakSanitizer
// must then report even with the suppressions in place.
#include <SDL.h>

#include <cstdio>
#include <cstring>

#include "engine/platform/HeadlessView.h"
#include "engine/platform/Joystick.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"
#include "engine/scene/Scene.h"
#include "engine/scene/Sprite.h"

using namespace engine;

namespace {

// A 64 × 64 picture in one colour.
SDL_Surface* makePicture() {
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 64, 64, 32, SDL_PIXELFORMAT_ARGB8888);
    if (surface) SDL_FillRect(surface, nullptr, 0xFF3080C0u);
    return surface;
}

// Out of line, so that the leak report names them.
__attribute__((noinline)) void forgetSurface() {
    SDL_Surface* surface = makePicture();
    std::printf("made a %d x %d surface and forgot it\n", surface ? surface->w : 0, surface ? surface->h : 0);
}

__attribute__((noinline)) void forgetTexture(SDL_Renderer* renderer) {
    SDL_Surface* surface = makePicture();
    Texture2D* texture = Texture2D::createWithSurface(renderer, surface, "forgotten");
    SDL_FreeSurface(surface);
    if (texture) texture->retain();  // a reference nobody releases
    std::printf("made a texture and kept a reference nobody releases\n");
}

}  // namespace

int main(int argc, char** argv) {
    const char* leak = (argc == 3 && std::strcmp(argv[1], "--leak") == 0) ? argv[2] : "";
    if (argc != 1 && std::strcmp(leak, "surface") != 0 && std::strcmp(leak, "texture") != 0) {
        std::fprintf(stderr, "usage: engine_leak_probe [--leak surface|texture]\n");
        return 2;
    }
    Joystick::getInstance()->setDevicesEnabled(false);
    Director* director = Director::getInstance();
    director->setOpenGLView(HeadlessView::create());
    TextureCache* cache = director->getTextureCache();

    SDL_Surface* picture = makePicture();
    Texture2D* shown = Texture2D::createWithSurface(cache->getRenderer(), picture, "shown");
    SDL_FreeSurface(picture);
    Scene* scene = Scene::create();
    Sprite* sprite = Sprite::createWithTexture(shown);
    sprite->setPosition(480, 270);
    scene->addChild(sprite);
    director->runWithScene(scene);

    if (std::strcmp(leak, "surface") == 0) forgetSurface();
    if (std::strcmp(leak, "texture") == 0) forgetTexture(cache->getRenderer());
    for (int frame = 0; frame < 3; ++frame)
        director->mainLoop();  // the last frame's pool lets go of everything made above
    Director::destroyInstance();
    return 0;
}
