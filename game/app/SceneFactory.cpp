#include "game/app/SceneFactory.h"

#include "game/app/AbstractController.h"
#include "game/app/NLayer.h"
#include "game/app/SplashScene.h"
#include "game/menu/DemoController.h"
#include "game/menu/DemoScene.h"
#include "game/menu/EndCreditController.h"
#include "game/menu/EndCreditScene.h"
#include "game/menu/HintController.h"
#include "game/menu/HintScene.h"
#include "game/menu/MemoryController.h"
#include "game/menu/MemoryScene.h"
#include "game/menu/OptionController.h"
#include "game/menu/OptionScene.h"
#include "game/menu/ShopController.h"
#include "game/menu/ShopScene.h"
#include "game/menu/StatusController.h"
#include "game/menu/StatusScene.h"
#include "game/menu/TitleController.h"
#include "game/menu/TitleScene.h"
#include "game/menu/WorldMapController.h"
#include "game/menu/WorldMapScene.h"
#include "game/play/PlayController.h"
#include "game/play/PlayScene.h"

namespace vastomer {

NLayer* SceneFactory::createLayer(SceneId id) {
    switch (id) {
        case SceneId::SPLASH:
            return SplashScene::create();
        case SceneId::HINT:
            return HintScene::create();
        case SceneId::DEMO:
            return DemoScene::create();
        case SceneId::TITLE:
            return TitleScene::create();
        case SceneId::WORLD_MAP:
            return WorldMapScene::create();
        case SceneId::PLAY:
            return PlayScene::create();
        case SceneId::END_CREDIT:
            return EndCreditScene::create();
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
        case SceneId::HINT:
            return HintController::create();
        case SceneId::DEMO:
            return DemoController::create();
        case SceneId::TITLE:
            return TitleController::create();
        case SceneId::WORLD_MAP:
            return WorldMapController::create();
        case SceneId::PLAY:
            return PlayController::create();
        case SceneId::END_CREDIT:
            return EndCreditController::create();
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
