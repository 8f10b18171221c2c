#include "game/play/GameoverInterface.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/MoveBy.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/Spawn.h"
#include "engine/actions/TargetedAction.h"
#include "engine/scene/Label.h"
#include "game/data/StringsManager.h"
#include "game/menu/MenuArt.h"

namespace vastomer {

namespace {

const engine::Vec2 CENTRE(480.0f, 270.0f);
constexpr float ITEM_SCALE = 0.33f;
// Half the distance between the two choices: wide enough for the longer texts of either language.
constexpr float ITEM_SPREAD = 170.0f;
constexpr int CURSOR_Z = 9999;

std::string text(const std::string& key) {
    StringsManager* strings = StringsManager::getInstance();
    return strings ? strings->getString(key) : key;
}

}  // namespace

GameoverInterface* GameoverInterface::create() {
    auto* screen = new GameoverInterface();
    if (!screen->init()) {
        delete screen;
        return nullptr;
    }
    screen->autorelease();
    return screen;
}

bool GameoverInterface::init() {
    if (!Sprite::init()) return false;
    setContentSize(engine::Size(960.0f, 540.0f));
    setVisible(false);

    backdrop_ = MenuArt::panel(960.0f, 540.0f, engine::Color3B::BLACK, 0);
    backdrop_->setPosition(CENTRE);
    addChild(backdrop_);
    title_ = MenuArt::picture("images/ui/ui_gameover.png", MenuArt::PIXEL_SCALE);
    title_->setPosition(CENTRE + engine::Vec2(0.0f, 160.0f + TITLE_DROP));
    title_->setOpacity(0);
    addChild(title_);

    retryItem_ = MenuArt::label(text("SYS_ACT_REVENGE"), MenuArt::BODY_FONT, 120.0f, ITEM_SCALE,
                                engine::Color4B::WHITE, 1);
    returnItem_ = MenuArt::label(text("SYS_ACT_RETURN"), MenuArt::BODY_FONT, 120.0f, ITEM_SCALE,
                                 engine::Color4B::WHITE, 1);
    description_ = MenuArt::label("", MenuArt::BODY_FONT, 60.0f, ITEM_SCALE);
    if (!retryItem_ || !returnItem_ || !description_) return false;
    retryItem_->setPosition(CENTRE + engine::Vec2(-ITEM_SPREAD, -20.0f));
    returnItem_->setPosition(CENTRE + engine::Vec2(ITEM_SPREAD, -20.0f));
    description_->setPosition(CENTRE + engine::Vec2(0.0f, -100.0f));
    addChild(retryItem_);
    addChild(returnItem_);
    addChild(description_);
    cursor_ = MenuArt::cursor(-8.0f);
    addChild(cursor_, CURSOR_Z);
    select(RETRY);
    return true;
}

void GameoverInterface::show(std::function<void()> done) {
    shown_ = true;
    setVisible(true);
    select(RETRY);
    title_->runAction(engine::Spawn::create(
        {engine::MoveBy::create(1.0f, engine::Vec2(0.0f, -TITLE_DROP)), engine::FadeTo::create(0.5f, 255)}));
    runAction(engine::Sequence::create(
        {engine::TargetedAction::create(backdrop_, engine::FadeTo::create(1.0f, BACKDROP_OPACITY)),
         engine::CallFunc::create([done = std::move(done)]() {
             if (done) done();
         })}));
}

void GameoverInterface::select(int index) {
    selection_ = index == RETURN ? RETURN : RETRY;
    engine::Label* chosen = selection_ == RETRY ? retryItem_ : returnItem_;
    MenuArt::highlight(retryItem_, selection_ == RETRY);
    MenuArt::highlight(returnItem_, selection_ == RETURN);
    description_->setString(text(selection_ == RETRY ? "SYS_ACT_REVENGE_DESC" : "SYS_ACT_RETURN_DESC"));
    const float half = chosen->getContentSize().width * ITEM_SCALE * 0.5f;
    cursor_->setPosition(chosen->getPositionX() - half - 48.0f, chosen->getPositionY());
    MenuArt::bob(cursor_, -8.0f);
}

}  // namespace vastomer
