#include "engine/scene/Scene.h"

#include "engine/physics/PhysicsWorld.h"
#include "engine/render/Renderer.h"
#include "engine/scene/Director.h"

namespace engine {

Scene::Scene() {
    ignoreAnchorPointForPosition_ = true;
    anchorPoint_ = Vec2::ANCHOR_MIDDLE;
}

Scene::~Scene() = default;

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

bool Scene::initWithPhysics() {
    if (!init()) return false;
    physicsWorld_ = std::make_unique<PhysicsWorld>(*this);
    return true;
}

void Scene::stepPhysics(float dt) {
    if (physicsWorld_) physicsWorld_->update(dt);
}

void Scene::visit(Renderer& renderer, const DrawContext& parent) {
    Node::visit(renderer, parent);
    if (physicsWorld_ && isVisible()) {
        // The outlines go over everything the tree drew.
        renderer.drawQueued();
        physicsWorld_->debugDraw(renderer);
    }
}

}  // namespace engine
