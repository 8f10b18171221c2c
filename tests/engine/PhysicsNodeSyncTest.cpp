// Nodes and bodies in step: where a body sits for a node, how game moves reach the body, and
// that moving the layer holding the world (a camera) changes no velocity and ends no contact.
#include <cmath>

#include "engine/actions/Follow.h"
#include "engine/actions/MoveBy.h"
#include "engine/scene/Director.h"
#include "tests/support/PhysicsFixture.h"

using namespace engine;
using testsupport::Pixel;

class PhysicsNodeSyncTest : public PhysicsFixture {};

TEST_F(PhysicsNodeSyncTest, BoxOfALowerLeftAnchoredNodeCoversItsRectangle) {
    // A map box: anchor at the lower left, placed at the rectangle's corner.
    auto* wall = Node::create();
    wall->setContentSize(Size(100, 20));
    wall->setPosition(400, 40);
    auto* body = PhysicsBody::createBox(Size(100, 20), PhysicsMaterial(0, 0, 1));
    body->setDynamic(false);
    wall->setPhysicsBody(body);
    scene_->addChild(wall);
    Node* box = addBox(scene_, {490, 100}, {10, 10}, true, "box", 0);
    runFrames(120);
    EXPECT_EQ(body->getPosition(), Vec2(450, 50));
    EXPECT_EQ(wall->getPosition(), Vec2(400, 40)) << "a body that did not move leaves its node alone";
    EXPECT_NEAR(box->getPositionY(), 65.0f, 0.25f);
}

TEST_F(PhysicsNodeSyncTest, MovingANodeTeleportsItsBodyAndKeepsItsVelocity) {
    Node* box = addBox(scene_, {100, 300}, {20, 20}, true, "box", 0);
    PhysicsBody* body = box->getPhysicsBody();
    body->setGravityEnable(false);
    body->setVelocity(Vec2(30, 0));
    runFrames(10);
    box->setPosition(700, 200);
    runFrames(1);
    EXPECT_NEAR(box->getPositionX(), 700.5f, 1e-3);
    EXPECT_FLOAT_EQ(box->getPositionY(), 200.0f);
    EXPECT_EQ(body->getVelocity(), Vec2(30, 0));
}

TEST_F(PhysicsNodeSyncTest, PanningTheLayerKeepsARestingBoxAtRestWithItsContactOpen) {
    listen();
    auto* layer = Node::create();
    scene_->addChild(layer);
    addFloor(layer);
    Node* box = addBox(layer, {480, 100}, {20, 20}, true, "box");
    runFrames(180);
    ASSERT_EQ(count(Code::BEGIN), 1);
    Vec2 rest = box->getPosition();
    layer->runAction(MoveBy::create(2.0f, Vec2(-700, 130)));
    for (int frame = 0; frame < 120; ++frame) {
        runFrames(1);
        ASSERT_LT(box->getPhysicsBody()->getVelocity().length(), 0.05f) << "frame " << frame;
        ASSERT_LT(box->getPosition().distance(rest), 0.01f) << "frame " << frame;
    }
    EXPECT_EQ(count(Code::SEPARATE), 0);
    EXPECT_EQ(count(Code::BEGIN), 1);
    Vec2 world = box->getPhysicsBody()->getPosition();
    Vec2 expected = layer->convertToWorldSpace(box->getPosition());
    EXPECT_NEAR(world.x, expected.x, 1e-3);
    EXPECT_NEAR(world.y, expected.y, 1e-3);
}

TEST_F(PhysicsNodeSyncTest, SlowBodyFarFromTheOriginKeepsMovingWhileTheCameraPans) {
    // Far from the origin a float position cannot hold a step of 0.0005: bodies must not be
    // re-read from their nodes every frame, or they would never move.
    auto* layer = Node::create();
    layer->setPosition(-29500, 0);
    scene_->addChild(layer);
    Node* drifter = addBox(layer, {29980, 300}, {20, 20}, true, "drifter", 0);
    drifter->getPhysicsBody()->setGravityEnable(false);
    drifter->getPhysicsBody()->setVelocity(Vec2(0.03f, 0));
    layer->runAction(MoveBy::create(10.0f, Vec2(-100, 0)));
    runFrames(600);
    EXPECT_NEAR(drifter->getPositionX(), 29980.3f, 0.01f);
    EXPECT_EQ(drifter->getPhysicsBody()->getVelocity(), Vec2(0.03f, 0));
}

TEST_F(PhysicsNodeSyncTest, FollowCameraChangesNoVelocity) {
    listen();
    auto* layer = Node::create();
    scene_->addChild(layer);
    addBox(layer, {2000, 50}, {4000, 20}, false, "ground");
    Node* resting = addBox(layer, {300, 100}, {20, 20}, true, "resting");
    Node* runner = addBox(layer, {200, 200}, {20, 20}, false, "runner", 0);
    runner->getPhysicsBody()->setVelocity(Vec2(90, 40));
    layer->runAction(Follow::create(runner));
    // A body outside the scrolling layer stays where it is on screen.
    Node* outside = addBox(scene_, {100, 400}, {20, 20}, true, "outside", 0);
    outside->getPhysicsBody()->setGravityEnable(false);
    for (int frame = 0; frame < 150; ++frame) {
        runFrames(1);
        ASSERT_EQ(runner->getPhysicsBody()->getVelocity(), Vec2(90, 40)) << "frame " << frame;
        if (frame > 60) {
            ASSERT_LT(resting->getPhysicsBody()->getVelocity().length(), 0.05f) << "frame " << frame;
        }
    }
    EXPECT_EQ(count(Code::BEGIN, "resting"), 1);
    EXPECT_EQ(count(Code::SEPARATE), 0);
    EXPECT_NEAR(runner->getPositionX(), 200.0f + 90.0f * 150 / 60, 1e-2);
    EXPECT_EQ(outside->getPosition(), Vec2(100, 400));
    EXPECT_EQ(outside->getPhysicsBody()->getPosition(), Vec2(100, 400));
}

TEST_F(PhysicsNodeSyncTest, NestedBodiesFollowTheirParents) {
    Node* parent = addBox(scene_, {480, 400}, {40, 40}, true, "parent", 0);
    // A child body that does not move by itself is carried along by its node; one that moves
    // keeps its own path in the world.
    auto* carried = Node::create();
    carried->setPosition(20, 80);
    auto* carriedBody = PhysicsBody::createBox(Size(10, 10));
    carriedBody->setDynamic(false);
    carried->setPhysicsBody(carriedBody);
    parent->addChild(carried);
    auto* loose = Node::create();
    loose->setPosition(20, -60);
    auto* looseBody = PhysicsBody::createBox(Size(10, 10));
    looseBody->setGravityEnable(false);
    looseBody->setVelocity(Vec2(30, 0));
    loose->setPhysicsBody(looseBody);
    parent->addChild(loose);
    runFrames(30);
    Vec2 parentWorld = parent->getPosition();
    // One frame behind its parent at most.
    float lag = std::fabs(parent->getPhysicsBody()->getVelocity().y) / 60.0f;
    EXPECT_NEAR(carriedBody->getPosition().y, parentWorld.y + 60.0f, lag + 1e-3);
    EXPECT_EQ(carried->getPosition(), Vec2(20, 80));
    EXPECT_NEAR(looseBody->getPosition().x, 480.0f + 15.0f, 1e-3);
    EXPECT_NEAR(looseBody->getPosition().y, 400.0f - 80.0f, 1e-3);
    Vec2 looseWorld = loose->convertToWorldSpace(Vec2::ZERO);
    EXPECT_NEAR(looseWorld.x, 480.0f + 15.0f, 1e-2);
    EXPECT_NEAR(looseWorld.y, 400.0f - 80.0f, 1e-2);
}

TEST_F(PhysicsNodeSyncTest, AncestorScaleAndRotationShapeAndTurnTheBody) {
    auto* layer = Node::create();
    layer->setScale(2.0f);
    layer->setRotation(30.0f);
    scene_->addChild(layer);
    auto* node = Node::create();
    node->setContentSize(Size(20, 10));
    node->setAnchorPoint(Vec2::ANCHOR_MIDDLE);
    node->setPosition(100, 50);
    node->setRotation(60.0f);
    auto* body = PhysicsBody::createBox(Size(20, 10));
    body->setDynamic(false);
    node->setPhysicsBody(body);
    layer->addChild(node);
    runFrames(1);
    auto points = body->getFirstShape()->getPoints();
    EXPECT_EQ(points[0], Vec2(-20, -10));
    EXPECT_EQ(points[2], Vec2(20, 10));
    EXPECT_NEAR(body->getRotation(), 90.0f, 1e-4);
    Vec2 expected = layer->convertToWorldSpace(Vec2(100, 50));
    EXPECT_NEAR(body->getPosition().x, expected.x, 1e-3);
    EXPECT_NEAR(body->getPosition().y, expected.y, 1e-3);
    EXPECT_FLOAT_EQ(node->getRotation(), 60.0f) << "an unturned body leaves the node's rotation alone";
}

TEST_F(PhysicsNodeSyncTest, PositionZDoesNotMoveBodies) {
    auto* plane = Node::create();
    plane->setPositionZ(230.0f);
    scene_->addChild(plane);
    addFloor(plane);
    Node* box = addBox(plane, {480, 100}, {20, 20}, true, "box", 0);
    runFrames(120);
    EXPECT_NEAR(box->getPositionY(), 70.0f, 0.25f);
    EXPECT_NEAR(box->getPhysicsBody()->getPosition().x, 480.0f, 0.01f);
}

TEST_F(PhysicsNodeSyncTest, TurningBodyTurnsItsNodeAgainstItsAncestors) {
    auto* layer = Node::create();
    layer->setRotation(20.0f);
    scene_->addChild(layer);
    Node* spinner = addBox(layer, {300, 300}, {20, 20}, true, "spinner", 0);
    spinner->getPhysicsBody()->setGravityEnable(false);
    spinner->getPhysicsBody()->setAngularVelocity(-3.14159265f / 2);  // clockwise, 90 degrees a second
    runFrames(60);
    EXPECT_NEAR(spinner->getRotation(), 90.0f, 0.01f);
    EXPECT_NEAR(spinner->getPhysicsBody()->getRotation(), 110.0f, 0.01f);
}

TEST_F(PhysicsNodeSyncTest, DebugDrawingOutlinesShapesOnlyWhenEnabled) {
    auto* node = Node::create();
    node->setContentSize(Size(100, 50));
    node->setAnchorPoint(Vec2::ANCHOR_MIDDLE);
    node->setPosition(480, 270);
    auto* body = PhysicsBody::createBox(Size(100, 50));
    body->setDynamic(false);
    node->setPhysicsBody(body);
    scene_->addChild(node);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(429, 270), Pixel{0, 0, 0, 255}));
    EXPECT_TRUE(colorNear(pixel(430, 270), Pixel{0, 0, 0, 255}));
    world()->setDebugDrawMask(PhysicsWorld::DEBUGDRAW_ALL);
    runFrames(1);
    // The left edge (x 430) is drawn a pixel wide on one side of it or the other.
    bool outlined = false;
    for (int x = 429; x <= 430; ++x)
        outlined = outlined || !colorNear(pixel(x, 270), Pixel{0, 0, 0, 255}, 40);
    EXPECT_TRUE(outlined);
    EXPECT_TRUE(colorNear(pixel(480, 270), Pixel{0, 0, 0, 255})) << "inside left alone";
}

TEST_F(PhysicsNodeSyncTest, BodyTakenOutOfTheWorldStopsMovingItsNode) {
    listen();
    addFloor(scene_);
    Node* box = addBox(scene_, {480, 100}, {20, 20}, true, "box");
    runFrames(20);
    box->getPhysicsBody()->removeFromWorld();
    EXPECT_EQ(box->getPhysicsBody()->getWorld(), nullptr);
    Vec2 position = box->getPosition();
    runFrames(60);
    EXPECT_EQ(box->getPosition(), position);
    EXPECT_EQ(count(Code::BEGIN), 0);
    // Entering the scene again brings it back.
    box->retain();
    box->removeFromParent();
    scene_->addChild(box);
    box->release();
    runFrames(60);
    EXPECT_EQ(count(Code::BEGIN), 1);
}
