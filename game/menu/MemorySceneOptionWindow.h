#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/scene/Node.h"

namespace engine {
class Label;
class Sprite;
}  // namespace engine

namespace vastomer {

// The window a replay pauses into: resume, the backdrop's opacity, the zoom, restart, choose
// another scene, or go back to the hub.
class MemorySceneOptionWindow : public engine::Node {
public:
    enum Row : int { PLAY = 0, OPACITY = 1, ZOOM = 2, RESTART = 3, SITUATION = 4, BACK = 5 };
    static constexpr int ROWS = 6;
    static constexpr int OPACITY_STEP = 15;
    static constexpr int MIN_ZOOM = 1;
    static constexpr int MAX_ZOOM = 3;
    static constexpr float FADE_TIME = 0.1f;

    static MemorySceneOptionWindow* create();
    bool init() override;

    void moveRow(int delta);
    // Shows the values the scene has now.
    void setValues(int opacity, int zoom);
    int getRow() const { return row_; }
    void setRow(int row);

    void open(std::function<void()> done);
    void close(std::function<void()> done);
    bool isShown() const { return shown_; }

protected:
    MemorySceneOptionWindow() = default;

private:
    void refresh();

    int row_ = 0;
    int opacity_ = 255;
    int zoom_ = MIN_ZOOM;
    bool shown_ = false;
    std::vector<engine::Label*> labels_;
    engine::Sprite* cursor_ = nullptr;
};

}  // namespace vastomer
