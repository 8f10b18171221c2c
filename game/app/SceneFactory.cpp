#include "game/app/SceneFactory.h"

#include "game/app/AbstractController.h"
#include "game/app/NLayer.h"
#include "game/app/SplashScene.h"

namespace vastomer {

NLayer* SceneFactory::createLayer(SceneId id) {
    switch (id) {
        case SceneId::SPLASH:
            return SplashScene::create();
        default:
            return NLayer::create();
    }
}

AbstractController* SceneFactory::createController(SceneId id) {
    switch (id) {
        default:
            return nullptr;
    }
}

}  // namespace vastomer
