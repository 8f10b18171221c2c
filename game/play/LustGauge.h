#pragma once

#include <array>

#include "engine/scene/Sprite.h"

namespace vastomer {

class RectGauge;

// The LP (Resolve) gauge: five segments of 100 points side by side, 200 x 24. A segment glows (its
// cover pulses, added on top) once the LP has passed it; the last one glows only at the full 500.
class LustGauge : public engine::Sprite {
public:
    static constexpr int SEGMENTS = 5;
    static constexpr int SEGMENT_SIZE = 100;
    static constexpr float SEGMENT_SPACING = 40.0f;
    static constexpr int PULSE_TAG = 71;

    static LustGauge* create();
    void setValue(int lp);
    void draw(engine::Renderer& /*renderer*/, const engine::DrawContext& /*context*/) override {}

    int getLastValue() const { return lastValue_; }
    int getMaximum() const { return maximum_; }
    RectGauge* getSegment(int index) const;
    bool isGlowing(int index) const;

protected:
    LustGauge() = default;

private:
    bool initGauge();
    void setGlow(int index, bool glow);

    std::array<RectGauge*, SEGMENTS> segments_{};
    std::array<bool, SEGMENTS> glowing_{};
    int lastValue_ = 0;
    int segmentSize_ = SEGMENT_SIZE;
    int maximum_ = SEGMENTS * SEGMENT_SIZE;
};

}  // namespace vastomer
