#pragma once

#include <vector>

#include "engine/actions/ActionInterval.h"
#include "engine/base/RefPtr.h"
#include "engine/scene/Animation.h"

namespace engine {

// Plays an Animation on a Sprite: frame i shows once the normalised time reaches its start share;
// several frames may pass in one update, and the last update shows the last frame.
class Animate : public ActionInterval {
public:
    static Animate* create(Animation* animation);

    void startWithTarget(Node* target) override;
    void stop() override;
    void update(float t) override;
    Animation* getAnimation() const { return animation_; }
    int getCurrentFrameIndex() const { return currentFrame_; }

private:
    Animate() = default;

    RefPtr<Animation> animation_;
    std::vector<float> splitTimes_;
    RefPtr<SpriteFrame> originalFrame_;
    std::size_t nextFrame_ = 0;
    unsigned int executedLoops_ = 0;
    int currentFrame_ = -1;
};

}  // namespace engine
