#include "game/scenario/QuorinDialog.h"

#include <algorithm>

#include "engine/actions/CallFunc.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/MoveBy.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/Spawn.h"
#include "engine/actions/TargetedAction.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"
#include "engine/scene/Label.h"
#include "engine/scene/Scale9Sprite.h"
#include "engine/scene/Sprite.h"

namespace vastomer {

namespace {

using engine::Vec2;

constexpr float PIXEL_SCALE = 2.0f;
const Vec2 CENTRE(480.0f, 270.0f);
const Vec2 TITLE_POSITION(480.0f, 326.0f);
const Vec2 CURSOR_POSITION(480.0f, 230.0f);
constexpr float TITLE_SCALE = 0.25f;
constexpr float CHOICE_SCALE = 0.5f;
constexpr float CHOICE_FONT_SIZE = 36.0f;
constexpr float CHOICE_GAP = 14.0f;      // under the title
constexpr float CHOICE_SPACING = 30.0f;  // from one choice's centre to the next
constexpr float PADDING_X = 32.0f;
constexpr float PADDING_Y = 20.0f;
constexpr float CURSOR_ROOM = 40.0f;  // left of the widest choice
constexpr float CURSOR_OFFSET = 20.0f;
constexpr float MINIMUM_SIDE = 64.0f;  // the corners of the nine-slice at scale 2
const engine::Color4B CHOICE_GREY(150, 150, 150, 255);

engine::ui::Scale9Sprite* boxPicture(const std::string& file) {
    engine::Texture2D* texture = engine::Director::getInstance()->getTextureCache()->addImage(file);
    if (!texture) return nullptr;
    texture->setAliasTexParameters();
    auto* box = engine::ui::Scale9Sprite::createWithTexture(texture, engine::Rect(0.0f, 0.0f, 48.0f, 48.0f),
                                                            engine::Rect(16.0f, 16.0f, 16.0f, 16.0f));
    if (!box) return nullptr;
    box->setScale(PIXEL_SCALE);
    box->setOpacity(0);
    box->setPosition(CENTRE);
    return box;
}

engine::Size scaledSize(const engine::Label* label, float scale) {
    const engine::Size& size = label->getContentSize();
    return engine::Size(size.width * scale, size.height * scale);
}

}  // namespace

QuorinDialog* QuorinDialog::create() {
    auto* dialog = new QuorinDialog();
    if (dialog->init()) {
        dialog->autorelease();
        return dialog;
    }
    delete dialog;
    return nullptr;
}

bool QuorinDialog::init() {
    if (!Node::init()) return false;
    setContentSize(engine::Size(960.0f, 540.0f));
    back_ = boxPicture(BACK_FILE);
    frame_ = boxPicture(FRAME_FILE);
    titleLabel_ = engine::Label::createWithTTF(engine::TTFConfig(FONT_FILE, 88.0f, 1), "");
    engine::Texture2D* cursorTexture =
        engine::Director::getInstance()->getTextureCache()->addImage(CURSOR_FILE);
    if (!back_ || !frame_ || !titleLabel_ || !cursorTexture) return false;
    addChild(back_);
    addChild(frame_);

    titleLabel_->setTextColor(engine::Color4B::WHITE);
    titleLabel_->enableOutline(engine::Color4B::WHITE, 1);
    titleLabel_->setScale(TITLE_SCALE);
    titleLabel_->setAnchorPoint(Vec2(0.5f, 1.0f));
    titleLabel_->setPosition(TITLE_POSITION);
    titleLabel_->setOpacity(0);
    addChild(titleLabel_);

    cursorTexture->setAliasTexParameters();
    cursor_ = engine::Sprite::createWithTexture(cursorTexture);
    cursor_->setScale(PIXEL_SCALE);
    cursor_->setPosition(CURSOR_POSITION);
    cursor_->setVisible(false);
    addChild(cursor_, CURSOR_Z);
    return true;
}

void QuorinDialog::setup(bool showChoices, const std::string& title,
                         const std::vector<std::string>& choices) {
    titleLabel_->setString(title);
    for (engine::Label* label : choiceLabels_)
        label->removeFromParent();
    choiceLabels_.clear();
    selected_ = -1;
    hasChoices_ = showChoices;

    engine::Size titleSize = scaledSize(titleLabel_, TITLE_SCALE);
    float width = titleSize.width;
    float bottom = TITLE_POSITION.y - titleSize.height;
    if (showChoices) {
        float y = bottom - CHOICE_GAP - CHOICE_SPACING * 0.5f;
        for (const std::string& choice : choices) {
            engine::Label* label =
                engine::Label::createWithTTF(engine::TTFConfig(FONT_FILE, CHOICE_FONT_SIZE), choice);
            if (!label) continue;
            label->setTextColor(CHOICE_GREY);
            label->setScale(CHOICE_SCALE);
            label->setOpacity(0);
            label->setPosition(TITLE_POSITION.x, y);
            addChild(label);
            choiceLabels_.push_back(label);
            width = std::max(width, scaledSize(label, CHOICE_SCALE).width + 2.0f * CURSOR_ROOM);
            bottom = y - CHOICE_SPACING * 0.5f;
            y -= CHOICE_SPACING;
        }
        cursor_->stopAllActions();
        cursor_->runAction(engine::RepeatForever::create(
            engine::Sequence::create({engine::MoveBy::create(0.3f, Vec2(-8.0f, 0.0f)),
                                      engine::MoveBy::create(0.5f, Vec2(8.0f, 0.0f))})));
    }
    float top = TITLE_POSITION.y + PADDING_Y;
    bottom -= PADDING_Y;
    engine::Size box(std::max(MINIMUM_SIDE, width + 2.0f * PADDING_X), std::max(MINIMUM_SIDE, top - bottom));
    for (engine::ui::Scale9Sprite* piece : {back_, frame_}) {
        piece->setContentSize(engine::Size(box.width / PIXEL_SCALE, box.height / PIXEL_SCALE));
        piece->setPosition(CENTRE.x, (top + bottom) * 0.5f);
    }
}

void QuorinDialog::open(Callback done) {
    if (hasChoices_ && !choiceLabels_.empty()) cursor_->setVisible(true);
    for (engine::Label* label : choiceLabels_)
        label->runAction(engine::FadeTo::create(FADE_TIME, 255));
    runAction(engine::Sequence::create(
        {engine::Spawn::create(
             {engine::TargetedAction::create(back_, engine::FadeTo::create(FADE_TIME, BACK_OPACITY)),
              engine::TargetedAction::create(frame_, engine::FadeTo::create(FADE_TIME, 255)),
              engine::TargetedAction::create(titleLabel_, engine::FadeTo::create(FADE_TIME, 255))}),
         engine::CallFunc::create([done = std::move(done)]() {
             if (done) done();
         })}));
}

void QuorinDialog::close(Callback done) {
    cursor_->setVisible(false);
    for (engine::Label* label : choiceLabels_)
        label->runAction(engine::FadeTo::create(FADE_TIME, 0));
    runAction(engine::Sequence::create(
        {engine::Spawn::create(
             {engine::TargetedAction::create(back_, engine::FadeTo::create(FADE_TIME, 0)),
              engine::TargetedAction::create(frame_, engine::FadeTo::create(FADE_TIME, 0)),
              engine::TargetedAction::create(titleLabel_, engine::FadeTo::create(FADE_TIME, 0))}),
         engine::CallFunc::create([done = std::move(done)]() {
             if (done) done();
         })}));
}

void QuorinDialog::select(int index) {
    if (!hasChoices_ || index < 0 || index >= getChoiceCount()) return;
    selected_ = index;
    for (engine::Label* label : choiceLabels_) {
        label->setTextColor(CHOICE_GREY);
        label->disableEffect();
    }
    engine::Label* chosen = choiceLabels_[static_cast<std::size_t>(index)];
    chosen->setTextColor(engine::Color4B::WHITE);
    chosen->enableOutline(engine::Color4B::WHITE, 1);
    placeCursor(chosen);
}

void QuorinDialog::placeCursor(engine::Label* beside) {
    // The bounce restarts from the new place, so moving the cursor mid-bounce never shifts it.
    float left = beside->getPositionX() - scaledSize(beside, CHOICE_SCALE).width * 0.5f;
    cursor_->stopAllActions();
    cursor_->setPosition(left - CURSOR_OFFSET, beside->getPositionY());
    cursor_->runAction(engine::RepeatForever::create(engine::Sequence::create(
        {engine::MoveBy::create(0.3f, Vec2(-8.0f, 0.0f)), engine::MoveBy::create(0.5f, Vec2(8.0f, 0.0f))})));
}

}  // namespace vastomer
