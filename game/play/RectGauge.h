#pragma once

#include <functional>
#include <string>

#include "engine/base/Geometry.h"
#include "engine/scene/Sprite.h"
#include "game/play/GaugeValue.h"

namespace vastomer {

// A gauge whose bar is revealed by cropping its picture in one direction (the SP gauge, and each
// segment of the LP gauge): direction (1, 0) grows to the right, (-1, 0) to the left, (0, 1) shows the
// top part and (0, -1) fills from the bottom up. The revealed part stays where it is in the picture.
class RectGauge : public engine::Sprite {
public:
    using Callback = std::function<void(RectGauge*)>;

    // The value is kept within 0..maximum.
    static RectGauge* create(const std::string& frameImage, const std::string& barImage,
                             const std::string& coverImage, float value, float maximum,
                             const engine::Vec2& direction,
                             const engine::Vec2& barOffset = engine::Vec2::ZERO,
                             const engine::Vec2& coverOffset = engine::Vec2::ZERO);

    // As Gauge::setValue: a signed step per frame, 1 frame at once, 0 frames no change.
    void setValue(float target, int frames, Callback onStep = nullptr, Callback onFinish = nullptr);
    void update(float dt) override;
    void draw(engine::Renderer& /*renderer*/, const engine::DrawContext& /*context*/) override {}

    float getValue() const { return value_.getValue(); }
    float getMaximum() const { return value_.getMaximum(); }
    int getFramesLeft() const { return value_.getFramesLeft(); }
    const engine::Vec2& getDirection() const { return direction_; }
    // The part of the bar picture shown now (origin at its top-left).
    const engine::Rect& getShownRect() const { return shown_; }
    engine::Sprite* getBar() const { return bar_; }
    engine::Sprite* getFrame() const { return frame_; }
    engine::Sprite* getCover() const { return cover_; }

protected:
    RectGauge() = default;

private:
    bool initGauge(const std::string& frameImage, const std::string& barImage, const std::string& coverImage,
                   float value, float maximum, const engine::Vec2& direction, const engine::Vec2& barOffset,
                   const engine::Vec2& coverOffset);
    void showValue();

    float barWidth_ = 0.0f;
    float barHeight_ = 0.0f;
    engine::Vec2 direction_;
    engine::Vec2 barOffset_;
    GaugeValue value_;
    engine::Sprite* bar_ = nullptr;
    engine::Sprite* frame_ = nullptr;
    engine::Sprite* cover_ = nullptr;
    engine::Rect shown_;
    Callback onStep_;
    Callback onFinish_;
};

}  // namespace vastomer
