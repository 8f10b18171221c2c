#include "game/menu/PlaceholderScene.h"

#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"
#include "game/data/StringsManager.h"
#include "game/menu/MenuArt.h"

namespace vastomer {

PlaceholderScene* PlaceholderScene::create(SceneId id) {
    auto* scene = new PlaceholderScene(id);
    if (!scene->init()) {
        delete scene;
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

const char* PlaceholderScene::nameKey(SceneId id) {
    switch (id) {
        case SceneId::OPTION:
            return "MAP_OPTION";
        case SceneId::SHOP:
            return "MAP_SHOP";
        case SceneId::HINT:
            return "MAP_HINT";
        case SceneId::STATUS:
            return "MAP_STATUS";
        case SceneId::MEMORY:
            return "MAP_MEMORY";
        default:
            return "";
    }
}

bool PlaceholderScene::init() {
    if (!NLayer::init()) return false;
    getBackgroundSprite()->setColor(engine::Color3B(20, 20, 20));
    StringsManager* strings = StringsManager::getInstance();
    auto text = [strings](const std::string& key) { return strings ? strings->getString(key) : key; };

    engine::Sprite* back = MenuArt::picture("images/ui/ui_mainMenu_back01.png");
    back->setPosition(WIDTH / 2, HEIGHT / 2);
    back->setOpacity(90);
    getContentLayer(1)->addChild(back);

    const std::string key = nameKey(id_);
    nameLabel_ = MenuArt::label(key.empty() ? std::string() : text(key), MenuArt::TITLE_FONT, 120.0f, 0.4f,
                                engine::Color4B::WHITE, 1);
    if (!nameLabel_) return false;
    nameLabel_->setPosition(WIDTH / 2, 330.0f);
    getContentLayer(2)->addChild(nameLabel_);

    engine::Label* notice =
        MenuArt::label(MenuArt::lineBreaks(text("SYS_SCREEN_NOT_READY")), MenuArt::BODY_FONT, 48.0f, 0.5f);
    if (notice) {
        notice->setAlignment(engine::TextHAlignment::CENTER);
        notice->setPosition(WIDTH / 2, 200.0f);
        getContentLayer(2)->addChild(notice);
    }
    return true;
}

}  // namespace vastomer
