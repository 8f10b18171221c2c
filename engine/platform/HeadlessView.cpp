#include "engine/platform/HeadlessView.h"

#include <SDL.h>

#include "engine/platform/Joystick.h"

namespace engine {

HeadlessView* HeadlessView::create(int width, int height) {
    auto* view = new HeadlessView();
    view->surface_ = SDL_CreateRGBSurfaceWithFormat(0, width, height, 32, SDL_PIXELFORMAT_ARGB8888);
    if (view->surface_) view->renderer_ = SDL_CreateSoftwareRenderer(view->surface_);
    if (!view->renderer_) {
        delete view;
        return nullptr;
    }
    view->designSize_ = Size(static_cast<float>(width), static_cast<float>(height));
    view->autorelease();
    return view;
}

HeadlessView::~HeadlessView() {
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (surface_) SDL_FreeSurface(surface_);
}

// Headless runs take no input from devices: keys and pads are injected by scripts and tests,
// which change the pad state that is sampled here.
void HeadlessView::pollEvents(EventDispatcher& /*dispatcher*/) {
    Joystick::getInstance()->sampleDevices();
}

Size HeadlessView::getFrameSize() const {
    return surface_ ? Size(static_cast<float>(surface_->w), static_cast<float>(surface_->h)) : Size::ZERO;
}

}  // namespace engine
