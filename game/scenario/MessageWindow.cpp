#include "game/scenario/MessageWindow.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/MoveTo.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/ScaleTo.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/Spawn.h"
#include "engine/actions/TargetedAction.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"
#include "engine/scene/Label.h"
#include "game/app/ComfortSettings.h"
#include "game/data/StringsManager.h"
#include "game/input/KeyInputManager.h"
#include "game/scenario/NCaption.h"

namespace vastomer {

namespace {

using engine::Vec2;

const engine::Color3B INACTIVE_COLOR{128, 128, 128};
const engine::Color3B TELOP_BACK_COLOR{50, 50, 50};
const engine::Color4B PROMPT_COLOR{72, 48, 32, 255};
constexpr float TELOP_Y = 336.0f;
constexpr float TELOP_SLIDE = 40.0f;
constexpr float TELOP_HEIGHT = 96.0f;
constexpr float CAPTION_CLEAR_RISE = 8.0f;
constexpr float CURSOR_BOUNCE = 8.0f;
constexpr float BREATH_TIME = 0.8f;
constexpr float BREATH_SCALE_Y = 2.04f;
// Enough to show any message whole.
constexpr int INSTANT_COUNT = 99999;

// A picture of the window's pixel art, sampled nearest-neighbour; null when it cannot be loaded.
engine::Texture2D* pixelTexture(const std::string& file) {
    engine::Texture2D* texture = engine::Director::getInstance()->getTextureCache()->addImage(file);
    if (texture) texture->setAliasTexParameters();
    return texture;
}

// A sprite of `file`, or an empty one (drawing nothing) when the file is missing.
engine::Sprite* pixelSprite(const std::string& file) {
    engine::Texture2D* texture = pixelTexture(file);
    engine::Sprite* sprite = texture ? engine::Sprite::createWithTexture(texture) : engine::Sprite::create();
    sprite->setScale(MessageWindow::PIXEL_SCALE);
    return sprite;
}

engine::CallFunc* call(MessageWindow::Callback done) {
    return engine::CallFunc::create([done = std::move(done)]() {
        if (done) done();
    });
}

engine::Spawn* slideAndFade(float seconds, const Vec2& to, uint8_t opacity) {
    return engine::Spawn::create(
        {engine::MoveTo::create(seconds, to), engine::FadeTo::create(seconds, opacity)});
}

}  // namespace

MessageWindow* MessageWindow::create() {
    auto* window = new MessageWindow();
    if (window->init()) {
        window->autorelease();
        return window;
    }
    delete window;
    return nullptr;
}

Vec2 MessageWindow::framePosition(bool open) {
    return open ? Vec2(480.0f, 16.0f) : Vec2(480.0f, 8.0f);
}

Vec2 MessageWindow::picturePosition(bool isLeft) {
    return isLeft ? Vec2(32.0f, 16.0f) : Vec2(928.0f, 16.0f);
}

Vec2 MessageWindow::namePosition(bool isLeft) {
    // On the name plate, which the mirrored frame carries to the right.
    return isLeft ? Vec2(260.0f, 132.0f) : Vec2(532.0f, 132.0f);
}

Vec2 MessageWindow::captionPosition(bool isLeft) {
    // At the left edge of the paper, which the mirrored frame starts further left.
    return isLeft ? Vec2(260.0f, 108.0f) : Vec2(44.0f, 108.0f);
}

Vec2 MessageWindow::cursorPosition() {
    return Vec2(680.0f, 40.0f);
}

bool MessageWindow::init() {
    if (!Sprite::init()) return false;
    setAnchorPoint(Vec2::ZERO);
    setPosition(Vec2::ZERO);
    setContentSize(engine::Size(960.0f, 540.0f));

    nameLabel_ = engine::Label::createWithTTF(engine::TTFConfig(FONT_FILE, 70.0f, 3), "",
                                              engine::TextHAlignment::LEFT);
    caption_ = NCaption::create();
    promptLabel_ =
        engine::Label::createWithTTF(engine::TTFConfig(FONT_FILE, 72.0f), "", engine::TextHAlignment::RIGHT);
    if (!nameLabel_ || !caption_ || !promptLabel_) return false;

    frame_ = pixelSprite(FRAME_FILE);
    frame_->setAnchorPoint(Vec2(0.5f, 0.0f));
    frame_->setPosition(framePosition(false));
    frame_->setOpacity(0);
    addChild(frame_, 1);

    nameLabel_->setTextColor(engine::Color4B::BLACK);
    nameLabel_->enableOutline(engine::Color4B::BLACK, 3);
    nameLabel_->setScale(0.25f);
    nameLabel_->setAnchorPoint(Vec2(0.0f, 1.0f));
    nameLabel_->setPosition(namePosition(true));
    nameLabel_->setOpacity(0);
    addChild(nameLabel_, 1);

    bool japanese = StringsManager::getInstance()->getLanguage() == "ja";
    caption_->setTTFConfig(engine::TTFConfig(NCaption::FONT_FILE, japanese ? 36.0f : 30.0f));
    caption_->setInterval(TYPING_INTERVAL);
    caption_->setLineSpacing(1.25f);
    caption_->setTextColor(engine::Color3B::BLACK);
    caption_->setAnchorPoint(Vec2(0.0f, 1.0f));
    caption_->setPosition(captionPosition(true));
    caption_->setScale(0.5f);
    addChild(caption_, 1);

    leftPicture_ = engine::Sprite::create();
    leftPicture_->setAnchorPoint(Vec2::ZERO);
    leftPicture_->setFlippedX(true);
    rightPicture_ = engine::Sprite::create();
    rightPicture_->setAnchorPoint(Vec2(1.0f, 0.0f));
    for (bool left : {true, false}) {
        engine::Sprite* picture = pictureOf(left);
        picture->setPosition(picturePosition(left));
        picture->setScale(PIXEL_SCALE);
        picture->setOpacity(0);
        addChild(picture, 0);
    }

    nextCursor_ = pixelSprite(CURSOR_FILE);
    nextCursor_->setPosition(cursorPosition());
    nextCursor_->setVisible(false);
    addChild(nextCursor_, 2);
    promptLabel_->setTextColor(PROMPT_COLOR);
    promptLabel_->setScale(0.25f);
    promptLabel_->setAnchorPoint(Vec2(1.0f, 0.5f));
    promptLabel_->setPosition(cursorPosition() + Vec2(-16.0f, 0.0f));
    promptLabel_->setVisible(false);
    addChild(promptLabel_, 2);
    startCursorBounce();
    return true;
}

void MessageWindow::draw(engine::Renderer& /*renderer*/, const engine::DrawContext& /*context*/) {}

void MessageWindow::setSpeakerName(const std::string& name) {
    speakerName_ = name;
    nameLabel_->setString(name);
}

void MessageWindow::setSpeakerPicture(const std::string& file, bool isLeft, bool active, bool animated,
                                      Callback done) {
    engine::Sprite* picture = pictureOf(isLeft);
    picture->stopAllActions();
    picture->setScale(PIXEL_SCALE);
    engine::Texture2D* texture = pixelTexture(file);
    bool& shown = isLeft ? leftShown_ : rightShown_;
    std::string& shownFile = isLeft ? leftFile_ : rightFile_;
    Callback& owed = isLeft ? leftOwed_ : rightOwed_;
    if (!texture) {
        // The side stays empty; the scene still goes on after the usual time.
        picture->setOpacity(0);
        shown = false;
        shownFile.clear();
        animate(picture, owed, engine::DelayTime::create(PICTURE_TIME), std::move(done));
        return;
    }
    picture->setTexture(texture);
    picture->setTextureRect(engine::Rect(Vec2::ZERO, texture->getContentSize()));
    picture->setColor(active ? engine::Color3B::WHITE : INACTIVE_COLOR);
    // Always from just outside the resting place, whatever was shown there before.
    picture->setPosition(picturePosition(isLeft) + Vec2(isLeft ? -PICTURE_SLIDE : PICTURE_SLIDE, 0.0f));
    picture->setOpacity(0);
    shown = true;
    shownFile = file;
    animate(picture, owed, slideAndFade(PICTURE_TIME, picturePosition(isLeft), 255), std::move(done));
    if (animated)
        picture->runAction(engine::RepeatForever::create(
            engine::Sequence::create({engine::ScaleTo::create(BREATH_TIME, PIXEL_SCALE, BREATH_SCALE_Y),
                                      engine::ScaleTo::create(BREATH_TIME, PIXEL_SCALE, PIXEL_SCALE)})));
}

void MessageWindow::clearSpeakerPicture(bool isLeft, Callback done) {
    engine::Sprite* picture = pictureOf(isLeft);
    picture->setScale(PIXEL_SCALE);
    (isLeft ? leftShown_ : rightShown_) = false;
    (isLeft ? leftFile_ : rightFile_).clear();
    Vec2 outside = picturePosition(isLeft) + Vec2(isLeft ? -PICTURE_SLIDE : PICTURE_SLIDE, 0.0f);
    animate(picture, isLeft ? leftOwed_ : rightOwed_, slideAndFade(PICTURE_TIME, outside, 0),
            std::move(done));
}

void MessageWindow::highlightSpeaker(bool isLeft) {
    pictureOf(isLeft)->setColor(engine::Color3B::WHITE);
    pictureOf(!isLeft)->setColor(INACTIVE_COLOR);
}

void MessageWindow::setSide(bool isLeft) {
    if (isLeft == isLeft_) return;
    isLeft_ = isLeft;
    placeForSide();
}

void MessageWindow::placeForSide() {
    frame_->setFlippedX(!isLeft_);
    nameLabel_->setPosition(namePosition(isLeft_));
    if (caption_->getNumberOfRunningActions() == 0) caption_->setPosition(captionPosition(isLeft_));
}

void MessageWindow::openWindow(Callback done) {
    removeTelop();
    open_ = true;
    animate(frame_, frameOwed_, slideAndFade(WINDOW_TIME, framePosition(true), 255), std::move(done));
    nameLabel_->stopAllActions();
    nameLabel_->runAction(engine::FadeTo::create(WINDOW_TIME, 255));
}

void MessageWindow::closeWindow(Callback done) {
    removeTelop();
    open_ = false;
    hideNextCursor();
    if (leftShown_) clearSpeakerPicture(true, nullptr);
    if (rightShown_) clearSpeakerPicture(false, nullptr);
    clearMessage(nullptr);
    animate(frame_, frameOwed_, slideAndFade(WINDOW_TIME, framePosition(false), 0), std::move(done));
    nameLabel_->stopAllActions();
    nameLabel_->runAction(engine::FadeTo::create(WINDOW_TIME, 0));
}

void MessageWindow::setMessageText(const std::string& text) {
    messageText_ = text;
    caption_->stopAllActions();
    settle(captionOwed_);
    settle(messageOwed_);
    caption_->setOpacity(255);
    caption_->setPosition(captionPosition(isLeft_));
    caption_->setText(text);
}

void MessageWindow::showMessage(Callback done) {
    settle(messageOwed_);
    messageOwed_ = std::move(done);
    caption_->setOnFinished([this]() {
        // Once per message: a later reveal of the same caption calls nobody.
        Callback finished = std::move(messageOwed_);
        messageOwed_ = nullptr;
        caption_->setOnFinished(nullptr);
        if (finished) finished();
    });
    // The player's text speed: slow, one character a frame, or the whole message at once.
    float interval = ComfortSettings::typingInterval();
    if (interval > 0.0f) caption_->setInterval(interval);
    caption_->showUpTo(interval > 0.0f ? 0 : INSTANT_COUNT);
}

void MessageWindow::clearMessage(Callback done) {
    Vec2 home = captionPosition(isLeft_);
    animate(
        caption_, captionOwed_,
        engine::Sequence::create({slideAndFade(MESSAGE_CLEAR_TIME, home + Vec2(0.0f, CAPTION_CLEAR_RISE), 0),
                                  engine::CallFunc::create([this]() {
                                      caption_->clear();
                                      caption_->setOpacity(255);
                                      caption_->setPosition(captionPosition(isLeft_));
                                  })}),
        std::move(done));
}

void MessageWindow::showTelop(const std::string& text, Callback done) {
    removeTelop();
    telopBack_ = engine::Sprite::create();
    telopBack_->setTextureRect(engine::Rect(0.0f, 0.0f, 960.0f, TELOP_HEIGHT));
    telopBack_->setColor(TELOP_BACK_COLOR);
    telopBack_->setOpacity(0);
    telopBack_->setPosition(480.0f - TELOP_SLIDE, TELOP_Y);
    addChild(telopBack_, 3);
    telopLabel_ = engine::Label::createWithTTF(engine::TTFConfig(FONT_FILE, 120.0f, 2), text);
    engine::FiniteTimeAction* labelIn = engine::DelayTime::create(TELOP_SLIDE_TIME);
    if (telopLabel_) {
        telopLabel_->setTextColor(engine::Color4B::WHITE);
        telopLabel_->enableOutline(engine::Color4B::WHITE, 2);
        telopLabel_->setScale(0.25f);
        telopLabel_->setOpacity(0);
        telopLabel_->setPosition(480.0f + TELOP_SLIDE, TELOP_Y);
        addChild(telopLabel_, 4);
        labelIn = engine::TargetedAction::create(telopLabel_,
                                                 slideAndFade(TELOP_SLIDE_TIME, Vec2(480.0f, TELOP_Y), 255));
    }
    // Run by the window, so taking the band down early still lets the wait end.
    runAction(engine::Sequence::create(
        {engine::TargetedAction::create(
             telopBack_, slideAndFade(TELOP_SLIDE_TIME, Vec2(480.0f, TELOP_Y), TELOP_BACK_OPACITY)),
         labelIn, engine::DelayTime::create(TELOP_HOLD_TIME), call(std::move(done))}));
}

void MessageWindow::hideTelop(Callback done) {
    for (engine::Node* piece :
         {static_cast<engine::Node*>(telopBack_), static_cast<engine::Node*>(telopLabel_)})
        if (piece) piece->runAction(engine::FadeTo::create(TELOP_SLIDE_TIME, 0));
    engine::Sprite* back = telopBack_;
    engine::Label* label = telopLabel_;
    runAction(engine::Sequence::create({engine::DelayTime::create(TELOP_SLIDE_TIME),
                                        engine::CallFunc::create([=]() {
                                            if (back == telopBack_ && label == telopLabel_) removeTelop();
                                        }),
                                        call(std::move(done))}));
}

void MessageWindow::removeTelop() {
    if (telopBack_) telopBack_->removeFromParent();
    if (telopLabel_) telopLabel_->removeFromParent();
    telopBack_ = nullptr;
    telopLabel_ = nullptr;
}

void MessageWindow::showNextCursor() {
    std::string prompt = okPromptText();
    promptLabel_->setString(prompt);
    promptLabel_->setVisible(!prompt.empty());
    nextCursor_->setVisible(true);
    startCursorBounce();
}

void MessageWindow::hideNextCursor() {
    nextCursor_->setVisible(false);
    promptLabel_->setVisible(false);
}

bool MessageWindow::isNextCursorShown() const {
    return nextCursor_->isVisible();
}

std::string MessageWindow::okPromptText() {
    KeyInputManager* input = KeyInputManager::getInstance();
    if (input->isGamepadMode())
        return KeyInputManager::buttonName(input->getButtonBinding(KeyActionType::OK));
    return KeyInputManager::keyName(input->getKeyBinding(KeyActionType::OK));
}

void MessageWindow::animate(engine::Node* piece, Callback& owed, engine::FiniteTimeAction* action,
                            Callback done) {
    piece->stopAllActions();
    settle(owed);
    owed = std::move(done);
    piece->runAction(engine::Sequence::create({action, engine::CallFunc::create([&owed]() {
                                                   Callback finished = std::move(owed);
                                                   owed = nullptr;
                                                   if (finished) finished();
                                               })}));
}

void MessageWindow::settle(Callback& owed) {
    if (owed) runAction(call(std::move(owed)));
    owed = nullptr;
}

void MessageWindow::startCursorBounce() {
    // Between two fixed points, so restarting it mid-way never shifts the cursor.
    nextCursor_->stopAllActions();
    nextCursor_->setPosition(cursorPosition());
    nextCursor_->runAction(engine::RepeatForever::create(
        engine::Sequence::create({engine::MoveTo::create(0.3f, cursorPosition() + Vec2(-CURSOR_BOUNCE, 0.0f)),
                                  engine::MoveTo::create(0.5f, cursorPosition())})));
}

}  // namespace vastomer
