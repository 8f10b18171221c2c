#include "game/scenario/NCaption.h"

#include <algorithm>

#include "engine/base/Utf8.h"

namespace vastomer {

namespace {

// Characters are drawn large and scaled down, so they stay crisp when the caption is scaled up.
constexpr float CHARACTER_SIZE_FACTOR = 4.0f;
constexpr float CHARACTER_SCALE = 0.25f;
constexpr int CHARACTER_OUTLINE = 2;
constexpr float CHARACTER_GAP = 2.0f;

}  // namespace

NCaption* NCaption::create() {
    auto* caption = new NCaption();
    if (caption->init()) {
        caption->autorelease();
        return caption;
    }
    delete caption;
    return nullptr;
}

bool NCaption::init() {
    if (!Label::init()) return false;
    // Fading the caption fades every character.
    setCascadeOpacityEnabled(true);
    setCascadeColorEnabled(true);
    return true;
}

void NCaption::setText(const std::string& text) {
    clear();
    finished_ = false;
    shownCount_ = 0;
    text_ = text;
    characters_ = engine::Utf8::split(text_);
    elapsed_ = 0.0f;
}

void NCaption::showUpTo(int count) {
    // Drawn afresh from the start of the text, so showing everything after some characters were
    // typed (or after a clear) puts every character where typing would have.
    clear();
    shownCount_ = std::clamp(count, 0, getTotalCount());
    for (int i = 0; i < shownCount_; ++i)
        reveal(i);
    elapsed_ = 0.0f;
    scheduleUpdate();
    paused_ = false;
}

void NCaption::clear() {
    for (engine::Label* label : labels_)
        label->removeFromParent();
    labels_.clear();
    line_ = 0;
    penX_ = 0.0f;
    paused_ = true;
}

void NCaption::update(float dt) {
    if (finished_ || paused_) return;
    if (shownCount_ >= getTotalCount()) {
        finish();
        return;
    }
    elapsed_ += dt;
    if (elapsed_ < interval_) return;
    while (shownCount_ < getTotalCount()) {
        int result = reveal(shownCount_);
        ++shownCount_;
        if (onCharacter_) onCharacter_(result);
        if (finished_ || paused_) return;  // the callback started or stopped another message
        if (result == REVEAL_CHARACTER) break;
    }
    elapsed_ = 0.0f;
    if (shownCount_ >= getTotalCount()) finish();
}

void NCaption::finish() {
    finished_ = true;
    // A copy: the callback may give the caption its next message and callback.
    FinishedCallback callback = onFinished_;
    if (callback) callback();
}

int NCaption::reveal(int index) {
    if (index < 0 || index >= getTotalCount()) return REVEAL_NONE;
    const std::string& character = characters_[static_cast<std::size_t>(index)];
    if (character == LINE_BREAK) {
        ++line_;
        penX_ = 0.0f;
        return REVEAL_LINE_BREAK;
    }
    const float fontSize = ttfConfig_.fontSize;
    engine::TTFConfig config = ttfConfig_;
    config.fontSize = fontSize * CHARACTER_SIZE_FACTOR;
    config.outlineSize = CHARACTER_OUTLINE;
    engine::Label* label = engine::Label::createWithTTF(config, character, engine::TextHAlignment::LEFT);
    float advance = fontSize * 0.5f + CHARACTER_GAP;
    if (label) {
        label->setScale(CHARACTER_SCALE);
        label->setTextColor(engine::Color4B(textColor_, 255));
        label->enableOutline(engine::Color4B::BLACK, CHARACTER_OUTLINE);
        label->setAnchorPoint(engine::Vec2(0.0f, 1.0f));
        label->setPosition(penX_, -static_cast<float>(line_) * lineSpacing_ * fontSize);
        addChild(label);
        labels_.push_back(label);
        if (character != " ") advance = label->getContentSize().width * CHARACTER_SCALE + CHARACTER_GAP;
    }
    penX_ += advance;
    return REVEAL_CHARACTER;
}

}  // namespace vastomer
