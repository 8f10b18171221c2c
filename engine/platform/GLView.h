#pragma once

#include <functional>
#include <string>

#include "engine/base/Geometry.h"
#include "engine/base/Ref.h"

struct SDL_Renderer;
struct SDL_Surface;

namespace engine {

class EventDispatcher;

enum class ResolutionPolicy { EXACT_FIT, NO_BORDER, SHOW_ALL, FIXED_HEIGHT, FIXED_WIDTH };

// Where frames are drawn: a window, or an off-screen frame when running headless.
// Either way the game draws its fixed design frame (960 × 540); a window scales it to fit.
class GLView : public Ref {
public:
    virtual bool isHeadless() const = 0;
    virtual SDL_Renderer* getSDLRenderer() const = 0;
    // Handles pending platform events: keys go to the dispatcher, window events to the view.
    virtual void pollEvents(EventDispatcher& dispatcher) = 0;
    virtual void present() = 0;
    virtual bool windowShouldClose() const { return false; }
    virtual void setWindowTitle(const std::string& /*utf8Title*/) {}
    virtual void toggleFullscreen() {}
    virtual Size getFrameSize() const = 0;

    // Whether the design frame is shown only at whole multiples of its size (sharp pixels, with a
    // letterbox around it) instead of scaled to fit the window. A headless view only keeps the choice.
    virtual void setIntegerScaling(bool enabled) { integerScaling_ = enabled; }
    bool isIntegerScaling() const { return integerScaling_; }

    // Told when the window gains (true) or loses (false) the keyboard focus; a headless view never
    // calls it by itself.
    void setFocusCallback(std::function<void(bool)> callback) { focusCallback_ = std::move(callback); }
    void notifyFocus(bool focused);

    // The window always letterboxes the design frame; the policy is kept for callers that ask.
    void setDesignResolutionSize(float width, float height, ResolutionPolicy policy);
    const Size& getDesignResolutionSize() const { return designSize_; }
    ResolutionPolicy getResolutionPolicy() const { return policy_; }
    Size getVisibleSize() const { return designSize_; }
    Vec2 getVisibleOrigin() const { return Vec2::ZERO; }

    // A copy of the frame just drawn (before it is presented), ARGB8888; the caller frees it.
    virtual SDL_Surface* readPixels() const;
    bool saveFrameToPNG(const std::string& path) const;

protected:
    GLView() = default;

    Size designSize_{960.0f, 540.0f};
    ResolutionPolicy policy_ = ResolutionPolicy::NO_BORDER;
    bool integerScaling_ = false;
    std::function<void(bool)> focusCallback_;
};

}  // namespace engine
