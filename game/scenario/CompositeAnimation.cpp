#include "game/scenario/CompositeAnimation.h"

#include <memory>
#include <vector>

#include "engine/base/RefPtr.h"
#include "engine/platform/MessageBox.h"
#include "game/audio/NAudioManager.h"
#include "game/scenario/AnimationSprites.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

namespace {
// Frame times add up in float steps of 1/60 s; this much short of the interval still counts as
// reaching it, so that an interval of 0.1 s takes exactly six frames.
constexpr double kIntervalTolerance = 1e-6;
}  // namespace

CompositeAnimation* CompositeAnimation::create() {
    auto* animation = new CompositeAnimation();
    if (animation->init()) {
        animation->autorelease();
        return animation;
    }
    delete animation;
    return nullptr;
}

bool CompositeAnimation::load(const std::string& file) {
    ++generation_;
    timeline_.clear();
    // A failed load leaves no name behind, so that asking for the same file again is not taken for
    // "already showing it".
    fileName_.clear();
    std::string error;
    std::shared_ptr<const AnimationTimeline> parsed =
        NSpriteAnimationManager::getInstance()->getScriptCache().find(file, error);
    if (!parsed) {
        if (!error.empty()) report(error);
        return false;
    }
    timeline_ = *parsed;
    fileName_ = file;
    setContentSize(engine::Size(static_cast<float>(timeline_.width), static_cast<float>(timeline_.height)));
    return true;
}

void CompositeAnimation::play(FinishedCallback onFinished, bool loop) {
    if (locked_) return;
    stop();
    currentFrame_ = 0;
    elapsed_ = 0.0;
    paused_ = false;
    loop_ = loop;
    onFinished_ = std::move(onFinished);
    scheduleUpdate();
}

void CompositeAnimation::stop() {
    ++generation_;
    unscheduleUpdate();
}

void CompositeAnimation::step() {
    if (timeline_.isEmpty()) return;
    elapsed_ = 0.0;
    advance();
}

void CompositeAnimation::update(float dt) {
    if (paused_) return;
    if (timeline_.isEmpty()) {
        // Nothing to show (a missing or empty script): the play ends on its first frame, so that an
        // owner waiting for the end is not kept waiting for ever.
        finishEmpty();
        return;
    }
    elapsed_ += dt;
    if (elapsed_ + kIntervalTolerance < timeline_.interval) return;
    elapsed_ = 0.0;
    advance();
}

void CompositeAnimation::finishEmpty() {
    engine::RefPtr<CompositeAnimation> keepAlive(this);
    FinishedCallback callback = onFinished_;
    stop();
    if (callback) callback(this);
}

void CompositeAnimation::advance() {
    engine::RefPtr<CompositeAnimation> keepAlive(this);
    const unsigned generation = generation_;
    if (currentFrame_ > timeline_.lastFrame) {
        // The end was passed. The callback may restart, stop, reload or drop this animation.
        FinishedCallback callback = onFinished_;
        if (callback) callback(this);
        if (generation != generation_) return;
        if (!loop_) {
            stop();
            return;
        }
        currentFrame_ = 0;
    }
    if (currentFrame_ == 0) removeAllChildren();
    const int frame = currentFrame_;
    applyFrame(frame);
    if (generation == generation_) currentFrame_ = frame + 1;
}

void CompositeAnimation::applyFrame(int frame) {
    const std::vector<AnimationElement>* listed = timeline_.elementsAt(frame);
    if (!listed) return;
    // A FUNC handler may load another script into this node: work on a copy and stop when it does.
    const std::vector<AnimationElement> elements = *listed;
    const unsigned generation = generation_;
    for (const AnimationElement& element : elements) {
        apply(element);
        if (generation != generation_) return;
    }
}

void CompositeAnimation::apply(const AnimationElement& element) {
    switch (element.type) {
        case AnimationCommand::PAINT:
        case AnimationCommand::CHANGE:
        case AnimationCommand::MOVE:
        case AnimationCommand::REMOVE:
            applySprite(element);
            break;
        case AnimationCommand::PLAYSE:
            soundIds_[element.id] = NAudioManager::getInstance()->playSe(element.soundFile, element.volume);
            break;
        case AnimationCommand::STOPSE: {
            auto found = soundIds_.find(element.id);
            if (found != soundIds_.end()) {
                NAudioManager::getInstance()->stopSe(found->second);
                soundIds_.erase(found);
            }
            break;
        }
        case AnimationCommand::FUNC: {
            EventCallback callback = onEvent_;
            if (callback) callback(this, element.firstText, element.secondText);
            break;
        }
    }
}

void CompositeAnimation::applySprite(const AnimationElement& element) {
    const std::string id = std::to_string(element.id);
    engine::Node* child = getChildByTag(element.id);
    if (element.type == AnimationCommand::PAINT) {
        if (child) {
            report("ERROR. id:" + id + " file:" + fileName_);
            return;
        }
        engine::Sprite* sprite = AnimationSprites::create(element.image, pictureFolder_);
        if (!sprite) {
            report("Sprite not found. id:" + id + " file:" + fileName_);
            return;
        }
        AnimationSprites::applyProperties(sprite, element);
        addChild(sprite, sprite->getLocalZOrder(), element.id);
        return;
    }
    if (!child) {
        report("Undefined tag. id:" + id + " file:" + fileName_);
        return;
    }
    if (element.type == AnimationCommand::REMOVE) {
        removeChild(child);
        return;
    }
    auto* sprite = dynamic_cast<engine::Sprite*>(child);
    if (!sprite) {
        report("cast error.");
        return;
    }
    if (element.type == AnimationCommand::CHANGE &&
        !AnimationSprites::setImage(sprite, element.image, pictureFolder_)) {
        report("Sprite not found. id:" + id + " file:" + fileName_);
        return;
    }
    AnimationSprites::applyProperties(sprite, element);
}

void CompositeAnimation::report(const std::string& message) const {
    engine::MessageBox::show(message, ERROR_TITLE);
}

}  // namespace vastomer
