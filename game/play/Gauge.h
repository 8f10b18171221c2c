#pragma once

#include <functional>
#include <string>

#include "engine/base/Geometry.h"
#include "engine/scene/Sprite.h"
#include "game/play/GaugeValue.h"

namespace vastomer {

// A bar gauge (the HP gauge and the boss gauge): three pictures drawn on top of each other, the
// frame behind, the bar scaled horizontally from its left edge to value / maximum, and the cover in
// front. A change may run over several frames.
class Gauge : public engine::Sprite {
public:
    using Callback = std::function<void(Gauge*)>;

    // The three pictures (frame, bar, cover) at their offsets, anchored at their lower-left corners.
    static Gauge* create(const std::string& frameImage, const std::string& barImage,
                         const std::string& coverImage, float value, float maximum,
                         const engine::Vec2& frameOffset = engine::Vec2::ZERO,
                         const engine::Vec2& barOffset = engine::Vec2::ZERO,
                         const engine::Vec2& coverOffset = engine::Vec2::ZERO);

    // Moves towards `target` (kept within 0..maximum) over `frames` frames, by the same signed step
    // each frame; 1 frame sets it at once, 0 frames changes nothing. `onStep` runs after each frame
    // but the last, `onFinish` after the last.
    void setValue(float target, int frames, Callback onStep = nullptr, Callback onFinish = nullptr);
    void update(float dt) override;
    void draw(engine::Renderer& /*renderer*/, const engine::DrawContext& /*context*/) override {}

    float getValue() const { return value_.getValue(); }
    float getMaximum() const { return value_.getMaximum(); }
    float getStep() const { return value_.getStep(); }
    int getFramesLeft() const { return value_.getFramesLeft(); }
    int getValueAtCreation() const { return valueAtCreation_; }
    int getMaximumAtCreation() const { return maximumAtCreation_; }
    // The bar's share of its full width (0 when the maximum is 0).
    float getRatio() const;
    engine::Sprite* getBar() const { return bar_; }
    engine::Sprite* getFrame() const { return frame_; }
    engine::Sprite* getCover() const { return cover_; }

protected:
    Gauge() = default;

private:
    bool initGauge(const std::string& frameImage, const std::string& barImage, const std::string& coverImage,
                   float value, float maximum, const engine::Vec2& frameOffset, const engine::Vec2& barOffset,
                   const engine::Vec2& coverOffset);
    void showValue();

    GaugeValue value_;
    engine::Sprite* bar_ = nullptr;
    engine::Sprite* frame_ = nullptr;
    engine::Sprite* cover_ = nullptr;
    int valueAtCreation_ = 0;
    int maximumAtCreation_ = 0;
    Callback onStep_;
    Callback onFinish_;
};

}  // namespace vastomer
