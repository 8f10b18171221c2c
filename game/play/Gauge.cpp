#include "game/play/Gauge.h"

#include <algorithm>

#include "game/play/GaugePicture.h"

namespace vastomer {

Gauge* Gauge::create(const std::string& frameImage, const std::string& barImage,
                     const std::string& coverImage, float value, float maximum,
                     const engine::Vec2& frameOffset, const engine::Vec2& barOffset,
                     const engine::Vec2& coverOffset) {
    auto* gauge = new Gauge();
    if (!gauge->initGauge(frameImage, barImage, coverImage, value, maximum, frameOffset, barOffset,
                          coverOffset)) {
        delete gauge;
        return nullptr;
    }
    gauge->autorelease();
    return gauge;
}

bool Gauge::initGauge(const std::string& frameImage, const std::string& barImage,
                      const std::string& coverImage, float value, float maximum,
                      const engine::Vec2& frameOffset, const engine::Vec2& barOffset,
                      const engine::Vec2& coverOffset) {
    if (!engine::Sprite::init()) return false;
    setCascadeOpacityEnabled(true);
    frame_ = GaugePicture::create(frameImage, frameOffset);
    bar_ = GaugePicture::create(barImage, barOffset);
    cover_ = GaugePicture::create(coverImage, coverOffset);
    addChild(frame_);
    addChild(bar_);
    addChild(cover_);
    setContentSize(frame_->getContentSize());
    value_ = value;
    maximum_ = maximum;
    target_ = value;
    valueAtCreation_ = static_cast<int>(value);
    maximumAtCreation_ = static_cast<int>(maximum);
    showValue();
    return true;
}

float Gauge::getRatio() const {
    return maximum_ > 0.0f ? std::clamp(value_ / maximum_, 0.0f, 1.0f) : 0.0f;
}

void Gauge::showValue() {
    bar_->setScaleX(getRatio());
}

void Gauge::setValue(float target, int frames, Callback onStep, Callback onFinish) {
    if (frames < 1) return;
    target_ = std::clamp(target, 0.0f, std::max(maximum_, 0.0f));
    onStep_ = std::move(onStep);
    onFinish_ = std::move(onFinish);
    if (frames == 1) {
        value_ = target_;
        framesLeft_ = 0;
        step_ = 0.0f;
        showValue();
        if (onFinish_) onFinish_(this);
        return;
    }
    framesLeft_ = frames;
    step_ = (target_ - value_) / static_cast<float>(frames);
}

void Gauge::update(float /*dt*/) {
    if (framesLeft_ < 1) return;
    engine::RefPtr<Gauge> keepAlive(this);
    --framesLeft_;
    // The last frame lands on the target exactly, whatever the steps added up to.
    value_ = framesLeft_ == 0 ? target_ : std::clamp(value_ + step_, 0.0f, std::max(maximum_, 0.0f));
    showValue();
    if (framesLeft_ > 0) {
        if (onStep_) onStep_(this);
    } else if (onFinish_) {
        onFinish_(this);
    }
}

}  // namespace vastomer
