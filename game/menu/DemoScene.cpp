#include "game/menu/DemoScene.h"

namespace vastomer {

DemoScene* DemoScene::create() {
    auto* scene = new DemoScene();
    if (!scene->init()) {
        delete scene;
        return nullptr;
    }
    scene->autorelease();
    return scene;
}

}  // namespace vastomer
