#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/events/EventDispatcher.h"
#include "engine/physics/EventListenerPhysicsContact.h"
#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsContact.h"
#include "engine/physics/PhysicsShape.h"
#include "engine/physics/PhysicsWorld.h"
#include "tests/support/EngineFixture.h"

// A physics scene for each test, boxes on nodes, and a contact listener (fixed priority -254,
// like the game's) that records what it receives.
class PhysicsFixture : public EngineFixture {
protected:
    using Code = engine::PhysicsContact::EventCode;

    struct Seen {
        Code code;
        std::string a, b;  // body names of shapes A and B
        engine::Vec2 normal;
        engine::Vec2 positionA, positionB;  // body positions when the event came
    };

    engine::Scene* createScene() override { return engine::Scene::createWithPhysics(); }
    engine::PhysicsWorld* world() const { return scene_->getPhysicsWorld(); }

    // A node of `size` centred at `centre` carrying a box of the same size.
    engine::Node* addBox(engine::Node* parent, const engine::Vec2& centre, const engine::Size& size,
                         bool dynamic, const std::string& name, int contactTest = 1,
                         const engine::PhysicsMaterial& material = engine::PhysicsMaterial(1.0f, 0.0f,
                                                                                           1.0f)) {
        auto* node = engine::Node::create();
        node->setContentSize(size);
        node->setAnchorPoint(engine::Vec2::ANCHOR_MIDDLE);
        node->setPosition(centre);
        auto* body = engine::PhysicsBody::createBox(size, material);
        body->setDynamic(dynamic);
        body->setName(name);
        body->setContactTestBitmask(contactTest);
        node->setPhysicsBody(body);
        parent->addChild(node);
        return node;
    }

    // A floor 400 wide whose top is at y 60, centred on x 480.
    engine::Node* addFloor(engine::Node* parent, const std::string& name = "ground") {
        return addBox(parent, {480, 50}, {400, 20}, false, name);
    }

    // Starts recording; `begin` (optional) gives the listener's answer to each begin.
    engine::EventListenerPhysicsContact* listen(
        std::function<bool(engine::PhysicsContact&)> begin = nullptr) {
        auto* listener = engine::EventListenerPhysicsContact::create();
        listener->onContactBegin = [this, begin](engine::PhysicsContact& contact) {
            record(Code::BEGIN, contact);
            return begin ? begin(contact) : true;
        };
        listener->onContactSeparate = [this](engine::PhysicsContact& contact) {
            record(Code::SEPARATE, contact);
        };
        engine::Director::getInstance()->getEventDispatcher()->addEventListenerWithFixedPriority(listener,
                                                                                                 -254);
        return listener;
    }

    int count(Code code, const std::string& name = "") const {
        int n = 0;
        for (const Seen& s : seen)
            if (s.code == code && (name.empty() || s.a == name || s.b == name)) ++n;
        return n;
    }

    // Name of the body of a shape; every shape handed to a listener must still have its body.
    static std::string nameOf(engine::PhysicsShape* shape) {
        EXPECT_NE(shape, nullptr);
        EXPECT_NE(shape ? shape->getBody() : nullptr, nullptr);
        return shape && shape->getBody() ? shape->getBody()->getName() : "?";
    }

    std::vector<Seen> seen;

private:
    void record(Code code, engine::PhysicsContact& contact) {
        seen.push_back({code, nameOf(contact.getShapeA()), nameOf(contact.getShapeB()),
                        contact.getContactData()->normal, contact.getShapeA()->getBody()->getPosition(),
                        contact.getShapeB()->getBody()->getPosition()});
    }
};
