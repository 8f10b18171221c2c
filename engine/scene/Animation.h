#pragma once

#include <string>
#include <vector>

#include "engine/base/Ref.h"
#include "engine/base/RefPtr.h"
#include "engine/scene/SpriteFrame.h"

namespace engine {

// A list of sprite frames shown one after another; each frame lasts its delay units × delayPerUnit.
class Animation : public Ref {
public:
    struct Frame {
        RefPtr<SpriteFrame> spriteFrame;
        float delayUnits = 1.0f;
    };

    static Animation* create();
    static Animation* createWithSpriteFrames(const std::vector<SpriteFrame*>& frames, float delayPerUnit,
                                             unsigned int loops = 1);

    void addSpriteFrame(SpriteFrame* frame);
    void addSpriteFrameWithFile(const std::string& file);
    void addSpriteFrameWithTexture(Texture2D* texture, const Rect& rect);

    const std::vector<Frame>& getFrames() const { return frames_; }
    void setDelayPerUnit(float delay) { delayPerUnit_ = delay; }
    float getDelayPerUnit() const { return delayPerUnit_; }
    float getTotalDelayUnits() const { return totalDelayUnits_; }
    float getDuration() const { return totalDelayUnits_ * delayPerUnit_; }
    void setLoops(unsigned int loops) { loops_ = loops; }
    unsigned int getLoops() const { return loops_; }
    void setRestoreOriginalFrame(bool restore) { restoreOriginalFrame_ = restore; }
    bool getRestoreOriginalFrame() const { return restoreOriginalFrame_; }

private:
    Animation() = default;

    std::vector<Frame> frames_;
    float delayPerUnit_ = 0.0f;
    float totalDelayUnits_ = 0.0f;
    unsigned int loops_ = 1;
    bool restoreOriginalFrame_ = false;
};

}  // namespace engine
