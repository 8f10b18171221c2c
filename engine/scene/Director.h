#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <utility>
#include <vector>

#include "engine/base/Geometry.h"
#include "engine/base/RefPtr.h"
#include "engine/platform/GLView.h"
#include "engine/scene/Scene.h"

namespace engine {

class ActionManager;
class EventDispatcher;
class Renderer;
class Scheduler;
class TextureCache;

// Runs the game one frame at a time, always with dt = 1/60 s. One frame:
// platform events → scheduler (actions, updates, timers) → physics step → drawing → autorelease drain.
class Director {
public:
    static constexpr float FRAME_TIME = 1.0f / 60.0f;

    static Director* getInstance();
    // The director if it exists, without creating it.
    static Director* peekInstance();
    // Tears everything down (tests start each case afresh with it).
    static void destroyInstance();

    GLView* getOpenGLView() const { return view_; }
    void setOpenGLView(GLView* view);
    Renderer* getRenderer() const { return renderer_.get(); }
    TextureCache* getTextureCache() const { return textureCache_.get(); }
    Scheduler* getScheduler() const { return scheduler_.get(); }
    ActionManager* getActionManager() const { return actionManager_.get(); }
    EventDispatcher* getEventDispatcher() const { return eventDispatcher_.get(); }

    // Kept for callers that set them; frames always advance by FRAME_TIME.
    void setAnimationInterval(double interval) { animationInterval_ = interval; }
    double getAnimationInterval() const { return animationInterval_; }
    void setContentScaleFactor(float factor) { contentScaleFactor_ = factor; }
    float getContentScaleFactor() const { return contentScaleFactor_; }
    void setDisplayStats(bool /*show*/) {}

    Size getWinSize() const;
    Size getVisibleSize() const { return getWinSize(); }
    Vec2 getVisibleOrigin() const { return Vec2::ZERO; }

    void runWithScene(Scene* scene);
    // The new scene takes over after the current frame's updates.
    void replaceScene(Scene* scene);
    Scene* getRunningScene() const { return runningScene_; }

    // While stopped, frames are not drawn or advanced (the window is in the background).
    void stopAnimation() { animating_ = false; }
    void startAnimation() { animating_ = true; }
    bool isAnimating() const { return animating_; }
    // Pausing skips the scheduler and the physics step (the world holds still); events and drawing go
    // on, so a paused window still answers and can be resumed.
    void pause() { paused_ = true; }
    void resume() { paused_ = false; }
    bool isPaused() const { return paused_; }
    // Asks the main loop to finish after the current frame, unless the end filter keeps it running.
    void end() {
        if (!endFilter_ || endFilter_()) ended_ = true;
    }
    // Asked by end(): false keeps the program running (a test driver that must play on). Null lets
    // every end through.
    void setEndFilter(std::function<bool()> filter) { endFilter_ = std::move(filter); }
    bool isEnded() const { return ended_; }

    // Runs one frame.
    void mainLoop();
    // Frames run so far; the frame being run is numbered from 1.
    uint64_t getTotalFrames() const { return frame_; }

    // Called at the start of every frame, before events and updates (input scripts inject here).
    void setFrameBeginCallback(std::function<void(uint64_t)> callback) { frameBegin_ = std::move(callback); }
    // Called after a frame is drawn and before it is presented (screenshots are taken here).
    void setFrameDrawnCallback(std::function<void(uint64_t)> callback) { frameDrawn_ = std::move(callback); }
    // Decides which frames are drawn (none set: every frame). A frame left undrawn still runs all its
    // logic and orders the scene's children as drawing would; only the pixels are skipped.
    void setFrameDrawFilter(std::function<bool(uint64_t)> filter) { drawFilter_ = std::move(filter); }
    // Saves the next frame drawn as a PNG at `path` (drawn even when the filter would skip it), then
    // calls `done` with whether the file was written. Requests made in one frame are all served.
    void captureNextFrame(const std::string& path, std::function<void(bool)> done = nullptr);
    bool hasPendingCapture() const { return !captures_.empty(); }

private:
    Director();
    ~Director();
    void drawScene();
    void serveCaptures();

    RefPtr<GLView> view_;
    std::unique_ptr<Renderer> renderer_;
    std::unique_ptr<TextureCache> textureCache_;
    std::unique_ptr<Scheduler> scheduler_;
    std::unique_ptr<ActionManager> actionManager_;
    std::unique_ptr<EventDispatcher> eventDispatcher_;
    RefPtr<Scene> runningScene_;
    RefPtr<Scene> nextScene_;
    std::function<void(uint64_t)> frameBegin_;
    std::function<void(uint64_t)> frameDrawn_;
    std::function<bool(uint64_t)> drawFilter_;
    std::function<bool()> endFilter_;
    std::vector<std::pair<std::string, std::function<void(bool)>>> captures_;
    double animationInterval_ = 1.0 / 60.0;
    float contentScaleFactor_ = 1.0f;
    uint64_t frame_ = 0;
    bool animating_ = true;
    bool paused_ = false;
    bool ended_ = false;
};

}  // namespace engine
