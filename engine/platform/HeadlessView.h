#pragma once

#include "engine/platform/GLView.h"

namespace engine {

// Draws with SDL's software renderer into an off-screen frame: no window, no display, no GPU.
// Frames drawn this way are identical from run to run.
class HeadlessView : public GLView {
public:
    static HeadlessView* create(int width = 960, int height = 540);
    ~HeadlessView() override;

    bool isHeadless() const override { return true; }
    SDL_Renderer* getSDLRenderer() const override { return renderer_; }
    void pollEvents(EventDispatcher& dispatcher) override;
    void present() override {}
    Size getFrameSize() const override;
    SDL_Surface* getFrameSurface() const { return surface_; }

private:
    HeadlessView() = default;

    SDL_Surface* surface_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
};

}  // namespace engine
