#include "engine/platform/WindowView.h"

#include <SDL.h>

#include "engine/events/EventDispatcher.h"
#include "engine/events/EventKeyboard.h"
#include "engine/platform/Joystick.h"
#include "engine/platform/KeyboardMap.h"

namespace engine {

WindowView* WindowView::createWithRect(const std::string& title, const Rect& rect, float frameZoom,
                                       std::string* error) {
    if (SDL_InitSubSystem(SDL_INIT_VIDEO | SDL_INIT_EVENTS) != 0) {
        if (error) *error = SDL_GetError();
        return nullptr;
    }
    auto* view = new WindowView();
    int w = static_cast<int>(rect.size.width * frameZoom);
    int h = static_cast<int>(rect.size.height * frameZoom);
    view->window_ = SDL_CreateWindow(title.c_str(), SDL_WINDOWPOS_CENTERED, SDL_WINDOWPOS_CENTERED, w, h,
                                     SDL_WINDOW_RESIZABLE | SDL_WINDOW_ALLOW_HIGHDPI);
    if (view->window_) {
        view->renderer_ =
            SDL_CreateRenderer(view->window_, -1, SDL_RENDERER_ACCELERATED | SDL_RENDERER_PRESENTVSYNC);
        if (!view->renderer_) view->renderer_ = SDL_CreateRenderer(view->window_, -1, SDL_RENDERER_SOFTWARE);
    }
    if (!view->renderer_) {
        if (error) *error = SDL_GetError();
        delete view;
        return nullptr;
    }
    view->designSize_ = rect.size;
    SDL_RenderSetLogicalSize(view->renderer_, static_cast<int>(rect.size.width),
                             static_cast<int>(rect.size.height));
    view->autorelease();
    return view;
}

WindowView::~WindowView() {
    if (renderer_) SDL_DestroyRenderer(renderer_);
    if (window_) SDL_DestroyWindow(window_);
}

void WindowView::pollEvents(EventDispatcher& dispatcher) {
    SDL_Event event;
    while (SDL_PollEvent(&event)) {
        switch (event.type) {
            case SDL_QUIT:
                shouldClose_ = true;
                break;
            case SDL_KEYDOWN:
            case SDL_KEYUP: {
                if (event.key.repeat) break;
                bool down = event.type == SDL_KEYDOWN;
                SDL_Scancode sc = event.key.keysym.scancode;
                bool alt = (event.key.keysym.mod & KMOD_ALT) != 0;
                if (sc == SDL_SCANCODE_F11 || (alt && sc == SDL_SCANCODE_RETURN)) {
                    if (down) toggleFullscreen();
                    break;
                }
                KeyCode code = KeyboardMap::fromScancode(sc);
                if (code == KeyCode::KEY_NONE) break;
                EventKeyboard keyEvent(code, down);
                dispatcher.dispatchEvent(&keyEvent);
                break;
            }
            case SDL_WINDOWEVENT:
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_LOST) notifyFocus(false);
                if (event.window.event == SDL_WINDOWEVENT_FOCUS_GAINED) notifyFocus(true);
                break;
            case SDL_CONTROLLERDEVICEADDED:
            case SDL_CONTROLLERDEVICEREMOVED:
                Joystick::getInstance()->handleEvent(event);
                break;
            default:
                break;
        }
    }
    Joystick::getInstance()->sampleDevices();
}

void WindowView::present() {
    SDL_RenderPresent(renderer_);
}

void WindowView::setWindowTitle(const std::string& utf8Title) {
    SDL_SetWindowTitle(window_, utf8Title.c_str());
}

void WindowView::toggleFullscreen() {
    fullscreen_ = !fullscreen_;
    SDL_SetWindowFullscreen(window_, fullscreen_ ? SDL_WINDOW_FULLSCREEN_DESKTOP : 0);
}

void WindowView::setIntegerScaling(bool enabled) {
    GLView::setIntegerScaling(enabled);
    SDL_RenderSetIntegerScale(renderer_, enabled ? SDL_TRUE : SDL_FALSE);
}

Size WindowView::getFrameSize() const {
    int w = 0, h = 0;
    SDL_GetWindowSize(window_, &w, &h);
    return Size(static_cast<float>(w), static_cast<float>(h));
}

}  // namespace engine
