#include "engine/demo/DemoPhysicsScene.h"

#include "engine/demo/DemoArt.h"
#include "engine/events/EventDispatcher.h"
#include "engine/physics/EventListenerPhysicsContact.h"
#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsContact.h"
#include "engine/physics/PhysicsShape.h"
#include "engine/physics/PhysicsWorld.h"
#include "engine/scene/Director.h"
#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"

namespace engine_demo {

using namespace engine;

namespace {

const Color3B kLanded(96, 200, 120);

// A plain rectangle centred at `centre` carrying a box of its size.
Sprite* block(Node* parent, const Vec2& centre, const Size& size, const Color3B& color, bool dynamic,
              const PhysicsMaterial& material = PhysicsMaterial(1.0f, 0.1f, 0.6f)) {
    Sprite* sprite = Sprite::create();
    sprite->setTextureRect(Rect(0, 0, size.width, size.height));
    sprite->setColor(color);
    sprite->setPosition(centre);
    PhysicsBody* body = PhysicsBody::createBox(size, material);
    body->setDynamic(dynamic);
    sprite->setPhysicsBody(body);
    parent->addChild(sprite);
    return sprite;
}

}  // namespace

Scene* DemoPhysicsScene::create() {
    Scene* scene = Scene::createWithPhysics();
    scene->getPhysicsWorld()->setDebugDrawMask(PhysicsWorld::DEBUGDRAW_ALL);
    // Stronger than the default so that everything has settled within two seconds.
    scene->getPhysicsWorld()->setGravity(Vec2(0, -300));

    Sprite* sky = Sprite::create();
    sky->setTextureRect(Rect(0, 0, 960, 540));
    sky->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
    sky->setColor(Color3B(24, 32, 52));
    scene->addChild(sky, -1);

    Sprite* ground = block(scene, Vec2(480, 40), Size(900, 80), Color3B(70, 84, 70), false);
    ground->getPhysicsBody()->setName("ground");
    ground->getPhysicsBody()->setContactTestBitmask(1);

    Sprite* crate = block(scene, Vec2(300, 260), Size(60, 60), Color3B(230, 140, 70), true,
                          PhysicsMaterial(1.0f, 0.0f, 0.8f));
    crate->getPhysicsBody()->setName("crate");
    crate->getPhysicsBody()->setContactTestBitmask(1);
    crate->getPhysicsBody()->setRotationEnable(false);

    // Small boxes dropped onto a tilted ledge slide and tumble off it.
    Sprite* ledge = block(scene, Vec2(640, 230), Size(220, 16), Color3B(120, 110, 150), false);
    ledge->setRotation(-28.0f);
    for (int i = 0; i < 7; ++i) {
        float size = 14.0f + static_cast<float>((i * 5) % 4) * 4.0f;
        Color3B color(static_cast<uint8_t>(150 + i * 12), static_cast<uint8_t>(180 - i * 10), 220);
        Sprite* box = block(scene, Vec2(590.0f + i * 18.0f, 290.0f + i * 16.0f), Size(size, size), color,
                            true, PhysicsMaterial(1.0f, 0.3f, 0.3f));
        box->setRotation(static_cast<float>(i * 25));
    }

    Sprite* platform = block(scene, Vec2(150, 150), Size(90, 12), Color3B(200, 200, 120), false);
    platform->getPhysicsBody()->setVelocity(Vec2(40, 0));

    auto* listener = EventListenerPhysicsContact::create();
    listener->onContactBegin = [](PhysicsContact& contact) {
        for (PhysicsShape* shape : {contact.getShapeA(), contact.getShapeB()}) {
            PhysicsBody* body = shape->getBody();
            if (body && body->getName() == "crate" && body->getNode()) body->getNode()->setColor(kLanded);
        }
        return true;
    };
    Director::getInstance()->getEventDispatcher()->addEventListenerWithSceneGraphPriority(listener, scene);

    Label* label =
        Label::createWithTTF(TTFConfig(DEMO_FONT, 64, 4), "physics: boxes on Chipmunk", TextHAlignment::LEFT);
    if (label) {
        label->setScale(0.25f);
        label->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
        label->setPosition(24, 500);
        label->enableOutline(Color4B(20, 16, 40, 255));
        scene->addChild(label);
    }
    return scene;
}

}  // namespace engine_demo
