#include "game/play/ResultPanel.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/Sequence.h"
#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"
#include "game/data/StringsManager.h"
#include "game/menu/MenuArt.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

namespace {

constexpr float TEXT_SCALE = 0.5f;
constexpr float ELEMENT_DELAY = 1.0f;
constexpr float ELEMENT_STAGGER = 0.08f;  // the last element is in by the time the panel is ready
constexpr float ELEMENT_FADE = 0.1f;
constexpr float CHOICE_DELAY = 1.2f;
constexpr float CHOICE_FADE = 0.2f;
constexpr float FRAME_FADE = 0.3f;
constexpr float CAPTION_X = 300.0f;
constexpr float NUMBER_X = 680.0f;
const engine::Color4B GOLD(255, 227, 148, 255);

std::string text(const std::string& key) {
    StringsManager* strings = StringsManager::getInstance();
    return strings ? strings->getString(key) : key;
}

}  // namespace

ResultPanel* ResultPanel::create(int stage, int totalScore, int stageScore) {
    auto* panel = new ResultPanel();
    if (!panel->init() || !panel->initPanel(stage, totalScore, stageScore)) {
        delete panel;
        return nullptr;
    }
    panel->autorelease();
    return panel;
}

bool ResultPanel::initPanel(int stage, int totalScore, int stageScore) {
    setContentSize(engine::Size(960.0f, 540.0f));
    const std::string font = MenuArt::BODY_FONT;
    stageName_ = MenuArt::label(text("STAGENAME_" + NSpriteAnimationManager::padded(stage, 3)), font, 96.0f,
                                TEXT_SCALE, engine::Color4B::WHITE, 1);
    engine::Label* stageCaption = MenuArt::label(text("SYS_ACT_RESULT_STAGESCORE"), font, 56.0f, TEXT_SCALE);
    stageScore_ = MenuArt::label(std::to_string(stageScore), font, 64.0f, TEXT_SCALE, GOLD);
    engine::Label* totalCaption = MenuArt::label(text("SYS_ACT_RESULT_TOTALSCORE"), font, 56.0f, TEXT_SCALE);
    totalScore_ = MenuArt::label(std::to_string(totalScore), font, 64.0f, TEXT_SCALE, GOLD);
    backItem_ = MenuArt::label(text("SYS_ACT_RESULT_BACKMENU"), font, 56.0f, TEXT_SCALE);
    nextItem_ = MenuArt::label(text("SYS_ACT_RESULT_NEXTSTAGE"), font, 56.0f, TEXT_SCALE);
    if (!stageName_ || !stageCaption || !stageScore_ || !totalCaption || !totalScore_ || !backItem_ ||
        !nextItem_)
        return false;

    // The brass-framed sheet behind everything; the name sits on its header band.
    frame_ = MenuArt::picture("images/ui/ui_result_frame.png", MenuArt::PIXEL_SCALE);
    frame_->setPosition(480.0f, 270.0f);
    frame_->setOpacity(0);
    addChild(frame_, -1);
    stageName_->setPosition(480.0f, 404.0f);
    stageCaption->setAnchorPoint(engine::Vec2(0.0f, 0.5f));
    stageCaption->setPosition(CAPTION_X, 310.0f);
    stageScore_->setAnchorPoint(engine::Vec2(1.0f, 0.5f));
    stageScore_->setPosition(NUMBER_X, 310.0f);
    engine::Sprite* coin = MenuArt::picture("images/ui/score_icon_01.png");
    coin->setPosition(CAPTION_X - 32.0f, 250.0f);
    totalCaption->setAnchorPoint(engine::Vec2(0.0f, 0.5f));
    totalCaption->setPosition(CAPTION_X, 250.0f);
    totalScore_->setAnchorPoint(engine::Vec2(1.0f, 0.5f));
    totalScore_->setPosition(NUMBER_X, 250.0f);
    backItem_->setPosition(340.0f, 124.0f);
    nextItem_->setPosition(620.0f, 124.0f);
    sequence_ = {stageName_, stageCaption, stageScore_, coin, totalCaption, totalScore_};
    for (engine::Node* element : sequence_) {
        element->setOpacity(0);
        addChild(element);
    }
    for (engine::Label* item : {backItem_, nextItem_}) {
        item->setOpacity(0);
        addChild(item);
    }
    cursor_ = MenuArt::picture(MenuArt::CURSOR_FILE, MenuArt::PIXEL_SCALE);
    cursor_->setOpacity(0);
    addChild(cursor_, 9999);
    return true;
}

void ResultPanel::build(std::function<void()> done) {
    frame_->runAction(engine::FadeTo::create(FRAME_FADE, 255));
    float delay = ELEMENT_DELAY;
    for (engine::Node* element : sequence_) {
        element->runAction(engine::Sequence::create(
            {engine::DelayTime::create(delay), engine::FadeTo::create(ELEMENT_FADE, 255)}));
        delay += ELEMENT_STAGGER;
    }
    for (engine::Node* choice : {static_cast<engine::Node*>(backItem_), static_cast<engine::Node*>(nextItem_),
                                 static_cast<engine::Node*>(cursor_)})
        choice->runAction(engine::Sequence::create(
            {engine::DelayTime::create(CHOICE_DELAY), engine::FadeTo::create(CHOICE_FADE, 255)}));
    runAction(engine::Sequence::create(
        {engine::DelayTime::create(BUILD_TIME), engine::CallFunc::create([done = std::move(done)]() {
             if (done) done();
         })}));
}

void ResultPanel::select(int index) {
    selection_ = index == NEXT_STAGE ? NEXT_STAGE : BACK_TO_MENU;
    engine::Label* chosen = getItem(selection_);
    MenuArt::highlight(backItem_, selection_ == BACK_TO_MENU);
    MenuArt::highlight(nextItem_, selection_ == NEXT_STAGE);
    const float half = chosen->getContentSize().width * TEXT_SCALE * 0.5f;
    cursor_->setPosition(chosen->getPositionX() - half - 24.0f, chosen->getPositionY());
    MenuArt::bob(cursor_, -8.0f);
}

}  // namespace vastomer
