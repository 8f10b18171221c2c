#include "game/app/SceneFactory.h"

#include "game/app/AbstractController.h"
#include "game/app/NLayer.h"
#include "game/app/SplashScene.h"
#include "game/menu/DemoController.h"
#include "game/menu/DemoScene.h"
#include "game/menu/HintController.h"
#include "game/menu/HintScene.h"
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
        case SceneId::PLAY:
            return PlayScene::create();
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
        case SceneId::PLAY:
            return PlayController::create();
        default:
            return nullptr;
    }
}

}  // namespace vastomer
