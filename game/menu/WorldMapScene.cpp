#include "game/menu/WorldMapScene.h"

#include "engine/render/Texture2D.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"
#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"
#include "game/audio/NAudioManager.h"
#include "game/data/StringsManager.h"
#include "game/menu/MenuArt.h"
#include "game/menu/StageSelectWindow.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

namespace {

// The menu sits on the paper panel of the hub's third layer: seven rows between its ruled lines.
constexpr float MENU_X = 174.0f;
constexpr float MENU_TOP = 419.0f;
constexpr float MENU_STEP = 50.0f;
constexpr float CURSOR_GAP = 22.0f;
const engine::Vec2 CAPTION_POSITION(324.0f, 40.0f);
const engine::Vec2 PREVIEW_POSITION(784.0f, 372.0f);
constexpr int WINDOW_Z = 10;

std::string text(const std::string& key) {
    StringsManager* strings = StringsManager::getInstance();
    return strings ? strings->getString(key) : key;
}

}  // namespace

WorldMapScene* WorldMapScene::create() {
    auto* scene = new WorldMapScene();
    if (!scene->init()) {
        delete scene;
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

std::string WorldMapScene::itemKey(int index) {
    static const char* const KEYS[ITEM_COUNT] = {"MAP_STAGESELECT", "MAP_HINT",   "MAP_SHOP", "MAP_STATUS",
                                                 "MAP_OPTION",      "MAP_MEMORY", "MAP_TITLE"};
    return index >= 0 && index < ITEM_COUNT ? KEYS[index] : "";
}

bool WorldMapScene::init() {
    if (!NLayer::init()) return false;
    getBackgroundSprite()->setColor(engine::Color3B(20, 20, 20));
    engine::Node* back = getContentLayer(1);
    for (const char* file : {"images/ui/ui_mainMenu_back01.png", "images/ui/ui_mainMenu_back02.png",
                             "images/ui/ui_mainMenu_back03.png", "images/ui/ui_mainMenu_back04.png"}) {
        engine::Sprite* layer = MenuArt::picture(file);
        layer->setPosition(WIDTH / 2, HEIGHT / 2);
        back->addChild(layer);
    }

    engine::Node* menu = getContentLayer(2);
    for (int i = 0; i < ITEM_COUNT; ++i) {
        engine::Label* item =
            MenuArt::label(text(itemKey(i)), MenuArt::BODY_FONT, 52.0f, 0.5f, engine::Color4B::WHITE, 1);
        if (!item) return false;
        item->setPosition(MENU_X, MENU_TOP - MENU_STEP * static_cast<float>(i));
        menu->addChild(item);
        items_[static_cast<std::size_t>(i)] = item;
    }
    cursor_ = MenuArt::cursor(-8.0f);
    menu->addChild(cursor_);

    captionLabel_ = MenuArt::label("", MenuArt::BODY_FONT, 40.0f, 0.5f);
    if (!captionLabel_) return false;
    captionLabel_->setAlignment(engine::TextHAlignment::CENTER);
    captionLabel_->setPosition(CAPTION_POSITION);
    menu->addChild(captionLabel_);
    preview_ = MenuArt::picture("images/ui/ui_mainMenu_preview00.png");
    preview_->setPosition(PREVIEW_POSITION);
    menu->addChild(preview_);
    return true;
}

void WorldMapScene::startScene() {
    NAudioManager* audio = NAudioManager::getInstance();
    if (audio->getCurrentBgm() != MUSIC) audio->playBgm(MUSIC, 1.0f);
    moveCursor(selection_);
    showCaption(selection_);
}

engine::Label* WorldMapScene::getItemLabel(int index) const {
    return index >= 0 && index < ITEM_COUNT ? items_[static_cast<std::size_t>(index)] : nullptr;
}

void WorldMapScene::moveCursor(int index) {
    engine::Label* item = getItemLabel(index);
    if (!item) return;
    selection_ = index;
    for (int i = 0; i < ITEM_COUNT; ++i)
        MenuArt::highlight(items_[static_cast<std::size_t>(i)], i == index);
    const float left = item->getPositionX() - item->getContentSize().width * item->getScaleX() / 2;
    cursor_->setPosition(left - CURSOR_GAP, item->getPositionY());
    MenuArt::bob(cursor_, -8.0f);
}

void WorldMapScene::showCaption(int index) {
    if (index < 0 || index >= ITEM_COUNT) return;
    const std::string number = NSpriteAnimationManager::padded(index, 2);
    captionLabel_->setString(MenuArt::lineBreaks(text("MAP_CAPTION_" + number)));
    engine::Texture2D* picture = engine::Director::getInstance()->getTextureCache()->addImage(
        "images/ui/ui_mainMenu_preview" + number + ".png");
    if (picture) {
        picture->setAliasTexParameters();
        preview_->setTexture(picture);
        preview_->setTextureRect(
            engine::Rect(0.0f, 0.0f, picture->getContentSize().width, picture->getContentSize().height));
    }
}

StageSelectWindow* WorldMapScene::openStageSelect() {
    closeStageSelect();
    stageSelect_ = StageSelectWindow::create();
    if (!stageSelect_) return nullptr;
    stageSelect_->setPosition(WIDTH / 2, HEIGHT / 2);
    getContentLayer(3)->addChild(stageSelect_, WINDOW_Z);
    preview_->setVisible(false);
    return stageSelect_;
}

void WorldMapScene::closeStageSelect() {
    if (stageSelect_) stageSelect_->removeFromParent();
    stageSelect_ = nullptr;
    preview_->setVisible(true);
}

}  // namespace vastomer
