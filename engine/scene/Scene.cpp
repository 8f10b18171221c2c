#include "engine/scene/Scene.h"

#include "engine/scene/Director.h"

namespace engine {

Scene::Scene() {
    ignoreAnchorPointForPosition_ = true;
    anchorPoint_ = Vec2::ANCHOR_MIDDLE;
}

Scene* Scene::create() {
    auto* scene = new Scene();
    if (scene->init()) {
        scene->autorelease();
        return scene;
    }
    delete scene;
    return nullptr;
}

Scene* Scene::createWithPhysics() {
    auto* scene = new Scene();
    if (scene->initWithPhysics()) {
        scene->autorelease();
        return scene;
    }
    delete scene;
    return nullptr;
}

bool Scene::init() {
    if (!Node::init()) return false;
    setContentSize(Director::getInstance()->getWinSize());
    return true;
}

bool Scene::initWithPhysics() { return init(); }

void Scene::stepPhysics(float /*dt*/) {}

}  // namespace engine
