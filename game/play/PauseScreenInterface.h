#pragma once

#include <functional>
#include <string>

#include "engine/scene/Sprite.h"

namespace engine {
class Label;
}

namespace vastomer {

// The pause screen over the stage: a dark veil, "PAUSE", two choices (continue, back to the hub), the
// stage's name and Quorin's portrait in the wear she has on. Built hidden with the play screen and
// shown and closed any number of times.
class PauseScreenInterface : public engine::Sprite {
public:
    static constexpr float FADE_TIME = 0.2f;

    static PauseScreenInterface* create();
    bool init() override;
    // Only its children are drawn: the sprite itself is a transparent 960 × 540 frame.
    void draw(engine::Renderer& /*renderer*/, const engine::DrawContext& /*context*/) override {}

    // The portrait of Quorin in a wear: the middle number is the wear + 1, as in every scene
    // ("character/cf_00_01_01.png" for wear 0).
    static std::string portraitFile(int wear);

    // Refreshes the portrait and the stage name, fades in, then calls `done`.
    void show(std::function<void()> done);
    // Fades out, hides, then calls `done`.
    void close(std::function<void()> done);
    // true: "continue" highlighted; false: "back to the hub".
    void select(bool continueSelected);
    bool getSelection() const { return continueSelected_; }
    bool isShown() const { return shown_; }

    engine::Label* getContinueItem() const { return continueItem_; }
    engine::Label* getReturnItem() const { return returnItem_; }
    engine::Sprite* getPortrait() const { return portrait_; }
    const std::string& getPortraitFile() const { return portraitFile_; }
    engine::Label* getStageName() const { return stageName_; }

protected:
    PauseScreenInterface() = default;

private:
    engine::Label* continueItem_ = nullptr;
    engine::Label* returnItem_ = nullptr;
    engine::Sprite* cursor_ = nullptr;
    engine::Sprite* portrait_ = nullptr;
    std::string portraitFile_;
    engine::Label* stageName_ = nullptr;
    bool continueSelected_ = true;
    bool shown_ = false;
};

}  // namespace vastomer
