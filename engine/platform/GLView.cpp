#include "engine/platform/GLView.h"

#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>

#include "engine/platform/FileUtils.h"

namespace engine {

void GLView::setDesignResolutionSize(float width, float height, ResolutionPolicy policy) {
    designSize_ = Size(width, height);
    policy_ = policy;
}

void GLView::notifyFocus(bool focused) {
    if (focusCallback_) focusCallback_(focused);
}

SDL_Surface* GLView::readPixels() const {
    SDL_Renderer* renderer = getSDLRenderer();
    if (!renderer) return nullptr;
    int w = 0, h = 0;
    if (SDL_GetRendererOutputSize(renderer, &w, &h) != 0) return nullptr;
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    if (!surface) return nullptr;
    if (SDL_RenderReadPixels(renderer, nullptr, SDL_PIXELFORMAT_ARGB8888, surface->pixels, surface->pitch) !=
        0) {
        SDL_FreeSurface(surface);
        return nullptr;
    }
    return surface;
}

bool GLView::saveFrameToPNG(const std::string& path) const {
    SDL_Surface* surface = readPixels();
    if (!surface) return false;
    // Written next to the target and renamed, so a reader never sees half a picture.
    std::string temporary = path + ".part";
    bool ok = IMG_SavePNG(surface, temporary.c_str()) == 0;
    SDL_FreeSurface(surface);
    if (ok) ok = std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok) {
        std::remove(temporary.c_str());
        std::fprintf(stderr, "cannot write screenshot %s\n", path.c_str());
    }
    return ok;
}

}  // namespace engine
