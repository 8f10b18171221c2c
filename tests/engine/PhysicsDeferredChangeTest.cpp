// Changes made while the world steps wait for the step to end; removing what touches something
// ends its contacts with a separation whose shapes are still valid (AddressSanitizer checks).
#include "engine/base/WeakRef.h"
#include "engine/scene/Director.h"
#include "tests/support/PhysicsFixture.h"

using namespace engine;

class PhysicsDeferredChangeTest : public PhysicsFixture {};

TEST_F(PhysicsDeferredChangeTest, ChangesInsideBeginWaitForTheStepToEnd) {
    addFloor(scene_);
    Node* doomed = addBox(scene_, {300, 100}, {20, 20}, true, "doomed", 0);
    RefPtr<PhysicsBody> doomedBody(doomed->getPhysicsBody());
    Node* turned = addBox(scene_, {420, 300}, {20, 20}, true, "turned", 0);
    Node* mirrored = addBox(scene_, {540, 100}, {20, 10}, true, "mirrored", 0);
    addBox(scene_, {480, 80}, {10, 10}, true, "trigger");
    Node* added = nullptr;
    int bodiesDuringCallback = -1;
    listen([&](PhysicsContact&) {
        if (added) return true;
        doomed->removeFromParent();
        added = addBox(scene_, {660, 100}, {20, 20}, true, "added", 0);
        turned->getPhysicsBody()->setDynamic(false);
        turned->getPhysicsBody()->setMass(5.0f);  // kept for when it is dynamic again
        mirrored->setScaleX(-1.0f);
        bodiesDuringCallback = static_cast<int>(world()->getAllBodies().size());
        return true;
    });
    runFrames(40);
    ASSERT_NE(added, nullptr);
    EXPECT_EQ(bodiesDuringCallback, 5) << "nothing joined or left inside the step";
    const auto& bodies = world()->getAllBodies();
    EXPECT_EQ(bodies.size(), 5u);
    EXPECT_EQ(std::count(bodies.begin(), bodies.end(), added->getPhysicsBody()), 1);
    EXPECT_EQ(doomedBody->getWorld(), nullptr);
    EXPECT_EQ(doomedBody->getNode(), nullptr) << "its node was freed when the frame ended";
    // The kinematic body stopped where it was and no longer falls.
    float y = turned->getPositionY();
    runFrames(10);
    EXPECT_FLOAT_EQ(turned->getPositionY(), y);
    EXPECT_FLOAT_EQ(turned->getPhysicsBody()->getMass(), 5.0f);
    // The mirrored box keeps a valid (counter-clockwise) box and its mass, and still lands.
    auto points = mirrored->getPhysicsBody()->getFirstShape()->getPoints();
    EXPECT_LT(points[0].x, points[1].x);
    EXPECT_LT(points[1].y, points[2].y);
    EXPECT_FLOAT_EQ(mirrored->getPhysicsBody()->getMass(), 1.0f * 20 * 10);
    runFrames(60);
    EXPECT_NEAR(mirrored->getPositionY(), 65.0f, 0.2f);
    EXPECT_NEAR(added->getPositionY(), 70.0f, 0.2f);
}

TEST_F(PhysicsDeferredChangeTest, TypeFlippedTwiceInsideACallbackEndsAsLastAsked) {
    addFloor(scene_);
    Node* box = addBox(scene_, {480, 100}, {20, 20}, true, "box");
    Node* other = addBox(scene_, {300, 300}, {20, 20}, true, "other", 0);
    bool done = false;
    listen([&](PhysicsContact&) {
        if (done) return true;
        done = true;
        other->getPhysicsBody()->setDynamic(false);
        other->getPhysicsBody()->setDynamic(true);
        other->getPhysicsBody()->setVelocity(Vec2(0, 100));
        return true;
    });
    runFrames(60);
    ASSERT_TRUE(done);
    EXPECT_TRUE(other->getPhysicsBody()->isDynamic());
    // The velocity was set after the type changes, so it survives them.
    float before = other->getPositionY();
    runFrames(1);
    EXPECT_GT(other->getPositionY(), before);
    (void)box;
}

TEST_F(PhysicsDeferredChangeTest, RemovingANodeInsideBeginSeparatesAfterTheStep) {
    addFloor(scene_);
    Node* box = addBox(scene_, {480, 100}, {20, 20}, true, "box");
    WeakRef<Node> weak(box);
    Node* nodeSeenAtSeparate = nullptr;
    Node* parentSeenAtSeparate = scene_;
    listen([&](PhysicsContact& contact) {
        Node* node = contact.getShapeA()->getBody()->getNode();
        if (node->getPhysicsBody()->getName() != "box") node = contact.getShapeB()->getBody()->getNode();
        node->removeFromParent();
        return true;
    });
    auto* listener = EventListenerPhysicsContact::create();
    listener->onContactSeparate = [&](PhysicsContact& contact) {
        PhysicsShape* shape =
            nameOf(contact.getShapeA()) == "box" ? contact.getShapeA() : contact.getShapeB();
        nodeSeenAtSeparate = shape->getBody()->getNode();
        parentSeenAtSeparate = nodeSeenAtSeparate ? nodeSeenAtSeparate->getParent() : nullptr;
    };
    Director::getInstance()->getEventDispatcher()->addEventListenerWithFixedPriority(listener, -253);
    runFrames(60);
    EXPECT_EQ(count(Code::BEGIN), 1);
    EXPECT_EQ(count(Code::SEPARATE), 1);
    EXPECT_EQ(nodeSeenAtSeparate, box) << "still alive: freed at the end of the frame at the earliest";
    EXPECT_EQ(parentSeenAtSeparate, nullptr);
    EXPECT_EQ(weak.get(), nullptr);
}

TEST_F(PhysicsDeferredChangeTest, RemovingANodeFromUpdateSeparatesAtOnceWhileStillParented) {
    addFloor(scene_);
    Node* box = addBox(scene_, {480, 100}, {20, 20}, true, "box");
    Node* parentAtSeparate = nullptr;
    auto* listener = EventListenerPhysicsContact::create();
    listener->onContactSeparate = [&](PhysicsContact& contact) {
        PhysicsShape* shape =
            nameOf(contact.getShapeA()) == "box" ? contact.getShapeA() : contact.getShapeB();
        parentAtSeparate = shape->getBody()->getNode()->getParent();
    };
    Director::getInstance()->getEventDispatcher()->addEventListenerWithFixedPriority(listener, -253);
    listen();
    runFrames(60);
    ASSERT_EQ(count(Code::BEGIN), 1);
    box->removeFromParent();
    EXPECT_EQ(count(Code::SEPARATE), 1);
    EXPECT_EQ(parentAtSeparate, scene_);
    runFrames(3);
    EXPECT_EQ(count(Code::SEPARATE), 1);
}

TEST_F(PhysicsDeferredChangeTest, ABodyOutlivingItsNodeHasNoNode) {
    addFloor(scene_);
    Node* box = addBox(scene_, {480, 100}, {20, 20}, true, "box");
    RefPtr<PhysicsBody> kept(box->getPhysicsBody());
    listen([&](PhysicsContact&) {
        box->removeFromParent();
        return true;
    });
    runFrames(60);
    EXPECT_EQ(count(Code::SEPARATE), 1);
    EXPECT_EQ(kept->getNode(), nullptr);
    EXPECT_EQ(kept->getWorld(), nullptr);
}

TEST_F(PhysicsDeferredChangeTest, DetachingABodyWhileTouchingSeparates) {
    listen();
    addFloor(scene_);
    Node* box = addBox(scene_, {480, 100}, {20, 20}, true, "box");
    runFrames(60);
    ASSERT_EQ(count(Code::BEGIN), 1);
    box->setPhysicsBody(nullptr);
    EXPECT_EQ(count(Code::SEPARATE), 1);
    runFrames(5);
    EXPECT_EQ(world()->getAllBodies().size(), 1u);
}

TEST_F(PhysicsDeferredChangeTest, RemovalsChainedFromSeparateCallbacksAreBalanced) {
    // Removing the ground ends both boxes' contacts; a separate listener removes the second box too.
    listen();
    Node* ground = addFloor(scene_);
    addBox(scene_, {440, 100}, {20, 20}, true, "first");
    Node* second = addBox(scene_, {520, 100}, {20, 20}, true, "second");
    runFrames(60);
    ASSERT_EQ(count(Code::BEGIN), 2);
    auto* listener = EventListenerPhysicsContact::create();
    listener->onContactSeparate = [&](PhysicsContact&) {
        if (second->getParent()) second->removeFromParent();
    };
    Director::getInstance()->getEventDispatcher()->addEventListenerWithFixedPriority(listener, -100);
    ground->removeFromParent();
    EXPECT_EQ(count(Code::SEPARATE), 2);
    // In the order the contacts began.
    ASSERT_EQ(seen.size(), 4u);
    EXPECT_EQ(seen[2].a == "first" || seen[2].b == "first", seen[0].a == "first" || seen[0].b == "first");
    runFrames(5);
    EXPECT_EQ(world()->getAllBodies().size(), 1u);
}

TEST_F(PhysicsDeferredChangeTest, ReplacingTheSceneEndsItsContacts) {
    listen();
    addFloor(scene_);
    addBox(scene_, {480, 100}, {20, 20}, true, "box");
    runFrames(60);
    Director::getInstance()->replaceScene(Scene::create());
    runFrames(2);
    EXPECT_EQ(count(Code::SEPARATE), 1);
}
