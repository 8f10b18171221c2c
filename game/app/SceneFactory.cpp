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
#include "game/menu/PlaceholderController.h"
#include "game/menu/PlaceholderScene.h"
#include "game/menu/TitleController.h"
#include "game/menu/TitleScene.h"
#include "game/menu/WorldMapController.h"
#include "game/menu/WorldMapScene.h"
#include "game/play/PlayController.h"
#include "game/play/PlayScene.h"

namespace vastomer {

namespace {

// The screens of the game's flow that have no screen of their own yet: each says so and leads back.
bool isPlaceholder(SceneId id) {
    switch (id) {
        case SceneId::OPTION:
        case SceneId::SHOP:
        case SceneId::STATUS:
        case SceneId::MEMORY:
            return true;
        default:
            return false;
    }
}

}  // namespace

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
        default:
            return isPlaceholder(id) ? PlaceholderScene::create(id) : NLayer::create();
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
        default:
            return isPlaceholder(id) ? PlaceholderController::create() : nullptr;
    }
}

}  // namespace vastomer
