#pragma once

#include <functional>

#include "engine/scene/Sprite.h"

namespace engine {
class Label;
}

namespace vastomer {

// The game-over screen over the stage: "GAME OVER" sinking into place on a darkening backdrop, and
// two choices, try again (0) and back to the hub (1), with a line that says what the chosen one does.
// Built hidden with the play screen; never closed (both choices leave the play screen).
class GameoverInterface : public engine::Sprite {
public:
    static constexpr int RETRY = 0;
    static constexpr int RETURN = 1;
    static constexpr float TITLE_DROP = 20.0f;
    static constexpr uint8_t BACKDROP_OPACITY = 150;

    static GameoverInterface* create();
    bool init() override;
    // Only its children are drawn: the sprite itself is a transparent 960 × 540 frame.
    void draw(engine::Renderer& /*renderer*/, const engine::DrawContext& /*context*/) override {}

    // Selects "try again", then brings the screen in (the title in 1.0 s, fading in over 0.5 s; the
    // backdrop darkens over 1.0 s) and calls `done`.
    void show(std::function<void()> done);
    // Highlights a choice, moves the cursor beside it and shows its description.
    void select(int index);
    int getSelection() const { return selection_; }
    bool isShown() const { return shown_; }

    engine::Label* getRetryItem() const { return retryItem_; }
    engine::Label* getReturnItem() const { return returnItem_; }
    engine::Label* getDescription() const { return description_; }
    engine::Sprite* getCursor() const { return cursor_; }

protected:
    GameoverInterface() = default;

private:
    engine::Sprite* backdrop_ = nullptr;
    engine::Sprite* title_ = nullptr;
    engine::Label* retryItem_ = nullptr;
    engine::Label* returnItem_ = nullptr;
    engine::Label* description_ = nullptr;
    engine::Sprite* cursor_ = nullptr;
    int selection_ = RETRY;
    bool shown_ = false;
};

}  // namespace vastomer
