#include "engine/actions/Follow.h"

#include <algorithm>

#include "engine/scene/Director.h"

namespace engine {

Follow* Follow::create(Node* followed, const Rect& boundary) {
    return createWithOffset(followed, 0, 0, boundary);
}

Follow* Follow::createWithOffset(Node* followed, float offsetX, float offsetY, const Rect& boundary) {
    auto* follow = new Follow();
    follow->init(followed, offsetX, offsetY, boundary);
    follow->autorelease();
    return follow;
}

void Follow::init(Node* followed, float offsetX, float offsetY, const Rect& boundary) {
    followed_ = followed;
    Size win = Director::getInstance()->getWinSize();
    halfScreen_ = Vec2(win.width * 0.5f + offsetX, win.height * 0.5f + offsetY);
    boundarySet_ = !boundary.equals(Rect::ZERO);
    if (!boundarySet_) return;
    left_ = -((boundary.origin.x + boundary.size.width) - win.width);
    right_ = -boundary.origin.x;
    top_ = -boundary.origin.y;
    bottom_ = -((boundary.origin.y + boundary.size.height) - win.height);
    // A world smaller than the screen on an axis is centred on that axis.
    if (right_ < left_) right_ = left_ = (left_ + right_) / 2;
    if (top_ < bottom_) top_ = bottom_ = (top_ + bottom_) / 2;
    fullyCovered_ = (top_ == bottom_) && (left_ == right_);
}

void Follow::step(float /*dt*/) {
    if (!target_ || !followed_) return;
    Vec2 position = halfScreen_ - followed_->getPosition();
    if (boundarySet_) {
        if (fullyCovered_) return;
        position.x = std::clamp(position.x, left_, right_);
        position.y = std::clamp(position.y, bottom_, top_);
    }
    target_->setPosition(position);
}

bool Follow::isDone() const {
    return !followed_ || !followed_->isRunning();
}

void Follow::stop() {
    target_ = nullptr;
    Action::stop();
}

}  // namespace engine
