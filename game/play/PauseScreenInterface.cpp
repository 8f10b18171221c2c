#include "game/play/PauseScreenInterface.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/Sequence.h"
#include "engine/render/Texture2D.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"
#include "engine/scene/Label.h"
#include "game/data/DataManager.h"
#include "game/data/StringsManager.h"
#include "game/menu/MenuArt.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

namespace {

constexpr float ITEM_SCALE = 0.5f;
constexpr int CURSOR_Z = 9999;
constexpr uint8_t VEIL_OPACITY = 140;
constexpr int FADE_TAG = 7601;

std::string text(const std::string& key) {
    StringsManager* strings = StringsManager::getInstance();
    return strings ? strings->getString(key) : key;
}

}  // namespace

PauseScreenInterface* PauseScreenInterface::create() {
    auto* screen = new PauseScreenInterface();
    if (!screen->init()) {
        delete screen;
        return nullptr;
    }
    screen->autorelease();
    return screen;
}

std::string PauseScreenInterface::portraitFile(int wear) {
    return "character/cf_00_" + NSpriteAnimationManager::padded(wear + 1, 2) + "_01.png";
}

bool PauseScreenInterface::init() {
    if (!Sprite::init()) return false;
    setContentSize(engine::Size(960.0f, 540.0f));
    setCascadeOpacityEnabled(true);
    setVisible(false);
    setOpacity(0);

    engine::Sprite* veil = MenuArt::panel(960.0f, 540.0f, engine::Color3B::BLACK, VEIL_OPACITY);
    veil->setPosition(480.0f, 270.0f);
    addChild(veil);
    engine::Label* title = MenuArt::label(text("SYS_ACT_PAUSE"), MenuArt::TITLE_FONT, 180.0f, 0.5f,
                                          engine::Color4B(255, 0, 0, 255), 1);
    continueItem_ = MenuArt::label(text("SYS_ACT_PAUSE_CONTINUE"), MenuArt::BODY_FONT, 50.0f, ITEM_SCALE,
                                   engine::Color4B::WHITE, 1);
    returnItem_ = MenuArt::label(text("SYS_ACT_PAUSE_BACK"), MenuArt::BODY_FONT, 50.0f, ITEM_SCALE,
                                 engine::Color4B::WHITE, 1);
    stageName_ = MenuArt::label("", MenuArt::BODY_FONT, 50.0f, ITEM_SCALE);
    if (!title || !continueItem_ || !returnItem_ || !stageName_) return false;
    engine::Sprite* band = MenuArt::picture("images/ui/ui_pause_band.png", MenuArt::PIXEL_SCALE);
    band->setPosition(480.0f, 270.0f);
    addChild(band);
    title->setPosition(480.0f, 400.0f);
    addChild(title);
    continueItem_->setPosition(360.0f, 270.0f);
    returnItem_->setPosition(600.0f, 270.0f);
    addChild(continueItem_);
    addChild(returnItem_);
    stageName_->setAnchorPoint(engine::Vec2(0.0f, 0.5f));
    stageName_->setPosition(40.0f, 40.0f);
    addChild(stageName_);

    portrait_ = MenuArt::picture(portraitFile(0), MenuArt::PIXEL_SCALE);
    portraitFile_ = portraitFile(0);
    // The portrait stands in the lower right corner, its feet on the screen's edge.
    portrait_->setAnchorPoint(engine::Vec2(1.0f, 0.0f));
    portrait_->setPosition(920.0f, 0.0f);
    addChild(portrait_);

    cursor_ = MenuArt::cursor(-8.0f);
    addChild(cursor_, CURSOR_Z);
    select(true);
    return true;
}

void PauseScreenInterface::show(std::function<void()> done) {
    DataManager* data = DataManager::getInstance();
    if (data) {
        const std::string file = portraitFile(data->getEquippedWear());
        engine::Texture2D* picture = engine::Director::getInstance()->getTextureCache()->addImage(file);
        if (picture && file != portraitFile_) {
            picture->setAliasTexParameters();
            portrait_->setTexture(picture);
            portrait_->setTextureRect(
                engine::Rect(0.0f, 0.0f, picture->getContentSize().width, picture->getContentSize().height));
            portraitFile_ = file;
        }
        stageName_->setString(
            text("STAGENAME_" + NSpriteAnimationManager::padded(data->getCurrentStage(), 3)));
    }
    shown_ = true;
    setVisible(true);
    stopActionByTag(FADE_TAG);
    auto* fade = engine::Sequence::create(
        {engine::FadeTo::create(FADE_TIME, 255), engine::CallFunc::create([done = std::move(done)]() {
             if (done) done();
         })});
    fade->setTag(FADE_TAG);
    runAction(fade);
}

void PauseScreenInterface::close(std::function<void()> done) {
    stopActionByTag(FADE_TAG);
    auto* fade = engine::Sequence::create(
        {engine::FadeTo::create(FADE_TIME, 0), engine::CallFunc::create([this, done = std::move(done)]() {
             shown_ = false;
             setVisible(false);
             if (done) done();
         })});
    fade->setTag(FADE_TAG);
    runAction(fade);
}

void PauseScreenInterface::select(bool continueSelected) {
    continueSelected_ = continueSelected;
    engine::Label* chosen = continueSelected ? continueItem_ : returnItem_;
    MenuArt::highlight(continueItem_, continueSelected);
    MenuArt::highlight(returnItem_, !continueSelected);
    const float half = chosen->getContentSize().width * ITEM_SCALE * 0.5f;
    cursor_->setPosition(chosen->getPositionX() - half - 24.0f, chosen->getPositionY());
    MenuArt::bob(cursor_, -8.0f);
}

}  // namespace vastomer
