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
    const float ceiling = std::max(maximum, 0.0f);
    value_.reset(std::clamp(value, 0.0f, ceiling), ceiling);
    showValue();
    return true;
}

void RectGauge::showValue() {
    const float maximum = value_.getMaximum();
    const float ratio = maximum > 0.0f ? std::clamp(value_.getValue() / maximum, 0.0f, 1.0f) : 0.0f;
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
    if (!value_.start(target, frames)) return;
    onStep_ = std::move(onStep);
    onFinish_ = std::move(onFinish);
    if (value_.isMoving()) return;
    showValue();
    if (onFinish_) onFinish_(this);
}

void RectGauge::update(float /*dt*/) {
    if (!value_.isMoving()) return;
    engine::RefPtr<RectGauge> keepAlive(this);
    const bool moving = value_.advance();
    showValue();
    if (moving) {
        if (onStep_) onStep_(this);
    } else if (onFinish_) {
        onFinish_(this);
    }
}

}  // namespace vastomer
