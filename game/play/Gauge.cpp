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
    value_.reset(value, maximum);
    valueAtCreation_ = static_cast<int>(value);
    maximumAtCreation_ = static_cast<int>(maximum);
    showValue();
    return true;
}

float Gauge::getRatio() const {
    const float maximum = value_.getMaximum();
    return maximum > 0.0f ? std::clamp(value_.getValue() / maximum, 0.0f, 1.0f) : 0.0f;
}

void Gauge::showValue() {
    bar_->setScaleX(getRatio());
}

void Gauge::setValue(float target, int frames, Callback onStep, Callback onFinish) {
    if (!value_.start(target, frames)) return;
    onStep_ = std::move(onStep);
    onFinish_ = std::move(onFinish);
    if (value_.isMoving()) return;
    showValue();
    if (onFinish_) onFinish_(this);
}

void Gauge::update(float /*dt*/) {
    if (!value_.isMoving()) return;
    engine::RefPtr<Gauge> keepAlive(this);
    const bool moving = value_.advance();
    showValue();
    if (moving) {
        if (onStep_) onStep_(this);
    } else if (onFinish_) {
        onFinish_(this);
    }
}

}  // namespace vastomer
