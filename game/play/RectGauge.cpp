#include "game/play/RectGauge.h"

#include <algorithm>

#include "game/play/GaugePicture.h"

namespace vastomer {

RectGauge* RectGauge::create(const std::string& frameImage, const std::string& barImage,
                             const std::string& coverImage, float value, float maximum,
                             const engine::Vec2& direction, const engine::Vec2& barOffset,
                             const engine::Vec2& coverOffset) {
    auto* gauge = new RectGauge();
    if (!gauge->initGauge(frameImage, barImage, coverImage, value, maximum, direction, barOffset,
                          coverOffset)) {
        delete gauge;
        return nullptr;
    }
    gauge->autorelease();
    return gauge;
}

bool RectGauge::initGauge(const std::string& frameImage, const std::string& barImage,
                          const std::string& coverImage, float value, float maximum,
                          const engine::Vec2& direction, const engine::Vec2& barOffset,
                          const engine::Vec2& coverOffset) {
    if (!engine::Sprite::init()) return false;
    setCascadeOpacityEnabled(true);
    frame_ = GaugePicture::create(frameImage, engine::Vec2::ZERO);
    bar_ = GaugePicture::create(barImage, barOffset);
    cover_ = GaugePicture::create(coverImage, coverOffset);
    addChild(frame_);
    addChild(bar_);
    addChild(cover_);
    setContentSize(frame_->getContentSize());
    barWidth_ = bar_->getContentSize().width;
    barHeight_ = bar_->getContentSize().height;
    direction_ = direction;
    barOffset_ = barOffset;
    maximum_ = std::max(maximum, 0.0f);
    value_ = target_ = std::clamp(value, 0.0f, maximum_);
    showValue();
    return true;
}

void RectGauge::showValue() {
    const float ratio = maximum_ > 0.0f ? std::clamp(value_ / maximum_, 0.0f, 1.0f) : 0.0f;
    const float w = static_cast<float>(static_cast<int>(barWidth_ * ratio));
    const float h = static_cast<float>(static_cast<int>(barHeight_ * ratio));
    engine::Vec2 shift;
    if (direction_.x > 0.0f) {
        shown_ = engine::Rect(0, 0, w, barHeight_);
    } else if (direction_.x < 0.0f) {
        shown_ = engine::Rect(barWidth_ - w, 0, w, barHeight_);
        shift = engine::Vec2(barWidth_ - w, 0);
    } else if (direction_.y > 0.0f) {
        shown_ = engine::Rect(0, 0, barWidth_, h);
        shift = engine::Vec2(0, barHeight_ - h);
    } else {
        shown_ = engine::Rect(0, barHeight_ - h, barWidth_, h);
    }
    if (bar_->getTexture()) bar_->setTextureRect(shown_);
    bar_->setPosition(barOffset_ + shift);
}

void RectGauge::setValue(float target, int frames, Callback onStep, Callback onFinish) {
    if (frames < 1) return;
    target_ = std::clamp(target, 0.0f, maximum_);
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

void RectGauge::update(float /*dt*/) {
    if (framesLeft_ < 1) return;
    engine::RefPtr<RectGauge> keepAlive(this);
    --framesLeft_;
    value_ = framesLeft_ == 0 ? target_ : std::clamp(value_ + step_, 0.0f, maximum_);
    showValue();
    if (framesLeft_ > 0) {
        if (onStep_) onStep_(this);
    } else if (onFinish_) {
        onFinish_(this);
    }
}

}  // namespace vastomer
