#include "tools/pix/TextRenderer.h"

#include <SDL_ttf.h>

#include "tools/pix/PixError.h"

namespace pix {

TextRenderer::~TextRenderer() {
    for (auto& entry : fonts_)
        TTF_CloseFont(entry.second);
    if (started_) TTF_Quit();
}

TTF_Font* TextRenderer::open(const std::string& fontFile, int pixelSize) {
    if (!started_) {
        if (TTF_Init() != 0) throw PixError(std::string("cannot start the font renderer: ") + TTF_GetError());
        started_ = true;
    }
    const auto key = std::make_pair(fontFile, pixelSize);
    auto it = fonts_.find(key);
    if (it != fonts_.end()) return it->second;
    TTF_Font* font = TTF_OpenFont(fontFile.c_str(), pixelSize);
    if (font == nullptr) throw PixError("cannot open font '" + fontFile + "': " + TTF_GetError());
    TTF_SetFontHinting(font, TTF_HINTING_MONO);
    fonts_.emplace(key, font);
    return font;
}

Image TextRenderer::render(const std::string& fontFile, int pixelSize, const std::string& text, Rgba colour) {
    if (text.empty()) return Image();
    TTF_Font* font = open(fontFile, pixelSize);
    SDL_Color white{255, 255, 255, 255};
    SDL_Surface* surface = TTF_RenderUTF8_Solid(font, text.c_str(), white);
    if (surface == nullptr) throw PixError(std::string("cannot render text: ") + TTF_GetError());
    Image out(surface->w, surface->h);
    if (SDL_LockSurface(surface) == 0) {
        const auto* bytes = static_cast<const std::uint8_t*>(surface->pixels);
        for (int y = 0; y < surface->h; ++y) {
            for (int x = 0; x < surface->w; ++x) {
                if (bytes[y * surface->pitch + x] != 0) out.set(x, y, colour);
            }
        }
        SDL_UnlockSurface(surface);
    }
    SDL_FreeSurface(surface);
    return out;
}

}  // namespace pix
