#pragma once

#include <string>

#include "engine/platform/GLView.h"

struct SDL_Window;

namespace engine {

// A desktop window showing the design frame scaled to fit (letterboxed), with vsync.
// F11 and Alt+Enter toggle fullscreen; gaining and losing the focus is told through notifyFocus. Game pads
// are hot-plugged through SDL's controller events.
class WindowView : public GLView {
public:
    // Null (with the reason in `error`) when no display can be opened.
    static WindowView* createWithRect(const std::string& title, const Rect& rect, float frameZoom = 1.0f,
                                      std::string* error = nullptr);
    ~WindowView() override;

    bool isHeadless() const override { return false; }
    SDL_Renderer* getSDLRenderer() const override { return renderer_; }
    void pollEvents(EventDispatcher& dispatcher) override;
    void present() override;
    bool windowShouldClose() const override { return shouldClose_; }
    void setWindowTitle(const std::string& utf8Title) override;
    void toggleFullscreen() override;
    Size getFrameSize() const override;
    // Only whole multiples of the design size when the window is larger (sharp pixels).
    void setIntegerScaling(bool enabled) override;

private:
    WindowView() = default;

    SDL_Window* window_ = nullptr;
    SDL_Renderer* renderer_ = nullptr;
    bool shouldClose_ = false;
    bool fullscreen_ = false;
};

}  // namespace engine
