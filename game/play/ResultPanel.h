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

// The panel of the stage result: the stage's name, its score and the total with the coin, and two
// choices, back to the hub (0) and the next district (1), under a bobbing cursor. Its elements come
// in one after another.
class ResultPanel : public engine::Node {
public:
    static constexpr int BACK_TO_MENU = 0;
    static constexpr int NEXT_STAGE = 1;
    static constexpr float BUILD_TIME = 1.5f;

    // Null when the font cannot be found.
    static ResultPanel* create(int stage, int totalScore, int stageScore);
    // Brings the elements in; `done` runs 1.5 s after the start.
    void build(std::function<void()> done);
    void select(int index);
    int getSelection() const { return selection_; }

    engine::Label* getStageName() const { return stageName_; }
    engine::Label* getStageScore() const { return stageScore_; }
    engine::Label* getTotalScore() const { return totalScore_; }
    engine::Label* getItem(int index) const { return index == NEXT_STAGE ? nextItem_ : backItem_; }
    engine::Sprite* getCursor() const { return cursor_; }

protected:
    ResultPanel() = default;

private:
    bool initPanel(int stage, int totalScore, int stageScore);

    engine::Label* stageName_ = nullptr;
    engine::Label* stageScore_ = nullptr;
    engine::Label* totalScore_ = nullptr;
    engine::Label* backItem_ = nullptr;
    engine::Label* nextItem_ = nullptr;
    engine::Sprite* cursor_ = nullptr;
    engine::Sprite* frame_ = nullptr;
    // The elements that fade in one by one, in order.
    std::vector<engine::Node*> sequence_;
    int selection_ = BACK_TO_MENU;
};

}  // namespace vastomer
