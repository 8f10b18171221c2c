#include "game/app/SceneFactory.h"

#include "game/app/AbstractController.h"
#include "game/app/NLayer.h"
#include "game/app/SplashScene.h"
#include "game/menu/MemoryController.h"
#include "game/menu/MemoryScene.h"
#include "game/menu/OptionController.h"
#include "game/menu/OptionScene.h"
#include "game/menu/ShopController.h"
#include "game/menu/ShopScene.h"
#include "game/menu/StatusController.h"
#include "game/menu/StatusScene.h"
#include "game/play/PlayController.h"
#include "game/play/PlayScene.h"

namespace vastomer {

NLayer* SceneFactory::createLayer(SceneId id) {
    switch (id) {
        case SceneId::SPLASH:
            return SplashScene::create();
        case SceneId::PLAY:
            return PlayScene::create();
        case SceneId::SHOP:
            return ShopScene::create();
        case SceneId::OPTION:
            return OptionScene::create();
        case SceneId::MEMORY:
            return MemoryScene::create();
        case SceneId::STATUS:
            return StatusScene::create();
        default:
            return NLayer::create();
    }
}

AbstractController* SceneFactory::createController(SceneId id) {
    switch (id) {
        case SceneId::PLAY:
            return PlayController::create();
        case SceneId::SHOP:
            return ShopController::create();
        case SceneId::OPTION:
            return OptionController::create();
        case SceneId::MEMORY:
            return MemoryController::create();
        case SceneId::STATUS:
            return StatusController::create();
        default:
            return nullptr;
    }
}

}  // namespace vastomer
