#include "game/play/GaugeValue.h"

#include <algorithm>

namespace vastomer {

void GaugeValue::reset(float value, float maximum) {
    value_ = value;
    maximum_ = maximum;
    target_ = value;
    step_ = 0.0f;
    framesLeft_ = 0;
}

bool GaugeValue::start(float target, int frames) {
    if (frames < 1) return false;
    target_ = std::clamp(target, 0.0f, ceiling());
    if (frames == 1) {
        value_ = target_;
        framesLeft_ = 0;
        step_ = 0.0f;
        return true;
    }
    framesLeft_ = frames;
    step_ = (target_ - value_) / static_cast<float>(frames);
    return true;
}

bool GaugeValue::advance() {
    if (framesLeft_ < 1) return false;
    --framesLeft_;
    value_ = framesLeft_ == 0 ? target_ : std::clamp(value_ + step_, 0.0f, ceiling());
    return framesLeft_ > 0;
}

}  // namespace vastomer
