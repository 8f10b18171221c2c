#include "game/menu/HintScene.h"

namespace vastomer {

HintScene* HintScene::create() {
    auto* scene = new HintScene();
    if (!scene->init()) {
        delete scene;
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

}  // namespace vastomer
