#include "game/menu/TitleScene.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/CallFuncN.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/MoveBy.h"
#include "engine/actions/MoveTo.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/Spawn.h"
#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"
#include "game/audio/NAudioManager.h"
#include "game/data/StringsManager.h"
#include "game/menu/MenuArt.h"
#include "game/menu/OptionScene.h"

namespace vastomer {

namespace {

constexpr int INTRO_TAG = 7401;
constexpr int SLIDE_TAG = 7402;
constexpr float MENU_FONT_SIZE = 120.0f;
constexpr float MENU_SCALE = 0.25f;
constexpr float CURSOR_GAP = 36.0f;
constexpr float CURSOR_BOB = 16.0f;

std::string text(const std::string& key) {
    StringsManager* strings = StringsManager::getInstance();
    return strings ? strings->getString(key) : key;
}

}  // namespace

TitleScene* TitleScene::create() {
    auto* scene = new TitleScene();
    if (!scene->init()) {
        delete scene;
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

std::string TitleScene::itemKey(int index) {
    switch (index) {
        case 1:
            return "SYS_SETTINGS";
        case 2:
            return "SYS_END";
        default:
            return "SYS_START";
    }
}

bool TitleScene::init() {
    if (!NLayer::init()) return false;
    getBackgroundSprite()->setColor(engine::Color3B(20, 20, 20));
    addSky();

    engine::Node* front = getContentLayer(2);
    logo_ = MenuArt::picture("images/ui/title_logo.png", MenuArt::PIXEL_SCALE);
    logo_->setAnchorPoint(engine::Vec2::ZERO);
    logo_->setPosition(LOGO_X, LOGO_Y + LOGO_DROP);
    logo_->setOpacity(0);
    front->addChild(logo_);

    menuLabel_ = MenuArt::label(text(itemKey(0)), MenuArt::TITLE_FONT, MENU_FONT_SIZE, MENU_SCALE);
    if (!menuLabel_) return false;
    // A dark rim keeps the white words readable over the lit windows of the city.
    menuLabel_->enableOutline(engine::Color4B(27, 21, 40, 255), 6);
    menuLabel_->setPosition(WIDTH / 2, MENU_Y);
    menuLabel_->setOpacity(0);
    front->addChild(menuLabel_);
    for (int side = 0; side < 2; ++side) {
        cursors_[side] = MenuArt::picture(MenuArt::CURSOR_FILE, MenuArt::PIXEL_SCALE);
        cursors_[side]->setFlippedX(side == 1);
        cursors_[side]->setOpacity(0);
        front->addChild(cursors_[side]);
    }
    placeCursors();
    return true;
}

void TitleScene::addSky() {
    engine::Node* back = getContentLayer(1);
    // Two copies of the sky side by side drift one screen width in 30 s and jump back, so the
    // seam never shows.
    for (int copy = 0; copy < 2; ++copy) {
        engine::Sprite* sky = MenuArt::picture("images/ui/title_back01.png", MenuArt::PIXEL_SCALE);
        sky->setAnchorPoint(engine::Vec2::ZERO);
        const engine::Vec2 home(WIDTH * static_cast<float>(copy), 0.0f);
        sky->setPosition(home);
        sky->runAction(engine::RepeatForever::create(engine::Sequence::create(
            {engine::MoveBy::create(SKY_SCROLL_TIME, engine::Vec2(-WIDTH, 0.0f)),
             engine::CallFuncN::create([home](engine::Node* node) { node->setPosition(home); })})));
        back->addChild(sky);
    }
    engine::Sprite* band = MenuArt::panel(WIDTH, 336.0f, engine::Color3B(170, 0, 0), 0);
    band->setPosition(WIDTH / 2, HEIGHT / 2);
    band->runAction(engine::RepeatForever::create(engine::Sequence::create(
        {engine::FadeTo::create(BAND_PULSE_TIME, 64), engine::FadeTo::create(BAND_PULSE_TIME, 0)})));
    back->addChild(band);
    for (const char* file : {"images/ui/title_back02.png", "images/ui/title_back03.png"}) {
        engine::Sprite* layer = MenuArt::picture(file, MenuArt::PIXEL_SCALE);
        layer->setPosition(WIDTH / 2, HEIGHT / 2);
        back->addChild(layer);
    }
}

void TitleScene::placeCursors() {
    const float half = menuLabel_->getContentSize().width * MENU_SCALE / 2;
    const float offsets[2] = {-(half + CURSOR_GAP), half + CURSOR_GAP};
    for (int side = 0; side < 2; ++side) {
        cursors_[side]->setPosition(WIDTH / 2 + offsets[side], MENU_Y);
        // Each cursor bobs outwards, away from the label.
        MenuArt::bob(cursors_[side], side == 0 ? -CURSOR_BOB : CURSOR_BOB);
    }
}

void TitleScene::startScene() {
    NAudioManager* audio = NAudioManager::getInstance();
    if (audio->getCurrentBgm() != MUSIC) audio->playBgm(MUSIC, 1.0f);
    auto* intro = engine::Sequence::create(
        {engine::Spawn::create({engine::MoveBy::create(INTRO_TIME, engine::Vec2(0.0f, -LOGO_DROP)),
                                engine::FadeTo::create(INTRO_TIME, 255)}),
         engine::CallFunc::create([this]() { showMenu(); })});
    intro->setTag(INTRO_TAG);
    logo_->runAction(intro);
}

void TitleScene::handOver(NLayer* incoming) {
    // Only the options lead back to the title; every other screen leads on to the hub.
    if (auto* options = dynamic_cast<OptionScene*>(incoming)) options->setOpenedFromTitle(true);
}

void TitleScene::showMenu() {
    logo_->stopActionByTag(INTRO_TAG);
    logo_->setOpacity(255);
    logo_->setPosition(LOGO_X, LOGO_Y);
    menuLabel_->setOpacity(255);
    for (engine::Sprite* cursor : cursors_)
        cursor->setOpacity(255);
    if (menuShown_) return;
    menuShown_ = true;
    if (onMenuShown_) onMenuShown_();
}

void TitleScene::moveSelection(int index, bool fromLeft) {
    const std::string next = text(itemKey(index));
    const float away = fromLeft ? SLIDE_DISTANCE : -SLIDE_DISTANCE;
    const engine::Vec2 centre(WIDTH / 2, MENU_Y);
    menuLabel_->stopActionByTag(SLIDE_TAG);
    auto* slide = engine::Sequence::create(
        {engine::Spawn::create({engine::MoveTo::create(SLIDE_TIME, centre + engine::Vec2(away, 0.0f)),
                                engine::FadeTo::create(SLIDE_TIME, 0)}),
         engine::CallFunc::create([this, next, centre, away]() {
             menuLabel_->setString(next);
             menuLabel_->setPosition(centre - engine::Vec2(away, 0.0f));
             placeCursors();
         }),
         engine::Spawn::create(
             {engine::MoveTo::create(SLIDE_TIME, centre), engine::FadeTo::create(SLIDE_TIME, 255)})});
    slide->setTag(SLIDE_TAG);
    menuLabel_->runAction(slide);
}

bool TitleScene::isLabelAnimating() const {
    return menuLabel_->getActionByTag(SLIDE_TAG) != nullptr;
}

}  // namespace vastomer
