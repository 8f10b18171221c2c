// Transforms, draw order and position Z, checked on the node API and on drawn pixels.
#include <cmath>

#include "engine/actions/Follow.h"
#include "engine/actions/MoveBy.h"
#include "engine/render/Renderer.h"
#include "engine/scene/Layer.h"
#include "engine/scene/Sprite.h"
#include "tests/support/EngineFixture.h"

using namespace engine;
using testsupport::Pixel;

namespace {

Sprite* block(Node* parent, float x, float y, float w, float h, Color3B color, int z = 0) {
    Sprite* s = Sprite::create();
    s->setTextureRect(Rect(0, 0, w, h));
    s->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
    s->setPosition(x, y);
    s->setColor(color);
    parent->addChild(s, z);
    return s;
}

void expectNear(const Vec2& actual, const Vec2& expected, float tolerance = 1e-3f) {
    EXPECT_NEAR(actual.x, expected.x, tolerance);
    EXPECT_NEAR(actual.y, expected.y, tolerance);
}

}  // namespace

class NodeTransformTest : public EngineFixture {};

TEST_F(NodeTransformTest, TransformComposesAnchorScaleRotationAndParents) {
    Node* parent = Node::create();
    parent->setPosition(100, 50);
    parent->setScale(2.0f);
    Node* child = Node::create();
    child->setContentSize(Size(20, 10));
    child->setAnchorPoint(Vec2(0.5f, 0.5f));
    child->setPosition(10, 10);
    child->setRotation(90);  // clockwise
    parent->addChild(child);
    // The child's anchor sits at its position in the parent.
    expectNear(child->convertToWorldSpace(Vec2(10, 5)), Vec2(120, 70));
    // Its local +x axis points down on screen after a clockwise quarter turn.
    expectNear(child->convertToWorldSpace(Vec2(20, 5)), Vec2(120, 50));
    expectNear(child->convertToNodeSpace(Vec2(120, 50)), Vec2(20, 5));
    Rect box = child->getBoundingBox();
    EXPECT_NEAR(box.size.width, 10, 1e-3);
    EXPECT_NEAR(box.size.height, 20, 1e-3);
}

TEST_F(NodeTransformTest, IgnoredAnchorPlacesTheOriginAtThePosition) {
    Layer* layer = Layer::create();
    layer->setPosition(30, 40);
    expectNear(layer->convertToWorldSpace(Vec2::ZERO), Vec2(30, 40));
    layer->setScale(0.5f);  // still scales about its anchor (the centre)
    expectNear(layer->convertToWorldSpace(Vec2(480, 270)), Vec2(510, 310));
}

TEST_F(NodeTransformTest, DrawOrderFollowsZThenArrivalWithNegativeZBehindTheParent) {
    Sprite* parent = block(scene_, 100, 100, 40, 40, Color3B(200, 0, 0));
    block(parent, 0, 0, 40, 40, Color3B(0, 0, 200), -1);  // behind the parent: hidden
    block(scene_, 300, 100, 40, 40, Color3B(0, 200, 0), 1);
    block(scene_, 300, 100, 40, 40, Color3B(0, 0, 200), 1);  // same z, later: on top
    Sprite* low = block(scene_, 500, 100, 40, 40, Color3B(255, 255, 0), 2);
    block(scene_, 500, 100, 40, 40, Color3B(0, 255, 255), 1);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(120, 120), Pixel{200, 0, 0, 255}));
    EXPECT_TRUE(colorNear(pixel(320, 120), Pixel{0, 0, 200, 255}));
    EXPECT_TRUE(colorNear(pixel(520, 120), Pixel{255, 255, 0, 255}));
    // Re-ordering to the same z as a sibling puts the node after it (fresh arrival).
    low->setLocalZOrder(1);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(520, 120), Pixel{255, 255, 0, 255}));
    low->setLocalZOrder(0);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(520, 120), Pixel{0, 255, 255, 255}));
}

TEST_F(NodeTransformTest, InvisibleNodesHideTheirSubtree) {
    Sprite* parent = block(scene_, 100, 100, 20, 20, Color3B(200, 0, 0));
    block(parent, 30, 0, 20, 20, Color3B(0, 200, 0));
    parent->setVisible(false);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(110, 110), Pixel{0, 0, 0, 255}));
    EXPECT_TRUE(colorNear(pixel(140, 110), Pixel{0, 0, 0, 255}));
}

TEST_F(NodeTransformTest, OpacityAndColourCascadeOnlyWhereEnabled) {
    Sprite* parent = block(scene_, 100, 100, 20, 20, Color3B(255, 255, 255));
    Sprite* child = block(parent, 40, 0, 20, 20, Color3B(255, 255, 255));
    parent->setOpacity(128);
    EXPECT_EQ(child->getDisplayedOpacity(), 255);
    parent->setCascadeOpacityEnabled(true);
    EXPECT_EQ(child->getDisplayedOpacity(), 128);
    parent->setColor(Color3B(255, 0, 0));
    EXPECT_EQ(child->getDisplayedColor(), Color3B::WHITE);
    parent->setCascadeColorEnabled(true);
    EXPECT_EQ(child->getDisplayedColor(), Color3B(255, 0, 0));
    Sprite* late = block(parent, 80, 0, 10, 10, Color3B(255, 255, 255));
    EXPECT_EQ(late->getDisplayedOpacity(), 128) << "a child added later picks the cascade up";
    runFrames(1);
    // White at half opacity over black.
    EXPECT_TRUE(colorNear(pixel(150, 110), Pixel{128, 0, 0, 255}, 3));
}

TEST_F(NodeTransformTest, PositionZScalesAboutTheScreenCentre) {
    Renderer* renderer = Director::getInstance()->getRenderer();
    EXPECT_NEAR(renderer->getEyeZ(), 467.654f, 0.01f);
    EXPECT_NEAR(renderer->perspectiveScale(230.0f), 467.654f / (467.654f - 230.0f), 1e-4f);
    EXPECT_NEAR(renderer->perspectiveScale(-100.0f), 0.824f, 1e-3f);
    // A 20 × 20 block at z 230 appears about twice as large, pushed away from the centre.
    Node* plane = Node::create();
    plane->setPositionZ(230);
    scene_->addChild(plane);
    block(plane, 480, 270, 20, 20, Color3B(0, 200, 0));
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(480 + 37, 270 + 37), Pixel{0, 200, 0, 255}));
    EXPECT_TRUE(colorNear(pixel(480 + 41, 270 + 41), Pixel{0, 0, 0, 255}));
    // Outside the visible depth range nothing is drawn.
    plane->setPositionZ(460);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(485, 275), Pixel{0, 0, 0, 255}));
}

TEST_F(NodeTransformTest, FollowKeepsTheTargetAtTheScreenCentreOnADeepPlane) {
    Layer* plane = Layer::create();
    plane->setPositionZ(230);
    scene_->addChild(plane);
    Sprite* hero = block(plane, 0, 0, 4, 4, Color3B(255, 0, 255));
    hero->setAnchorPoint(Vec2::ANCHOR_MIDDLE);
    hero->setPosition(100, 60);
    // The hero's move is stepped before the camera's, as a player moved earlier in the frame would be.
    hero->runAction(MoveBy::create(1.0f, Vec2(300, 40)));
    plane->runAction(Follow::create(hero));
    plane->runAction(MoveBy::create(1.0f, Vec2::ZERO, -100.0f));  // the plane moves in depth meanwhile
    for (int i = 0; i < 30; ++i) {
        runFrames(1);
        EXPECT_TRUE(colorNear(pixel(480, 270), Pixel{255, 0, 255, 255})) << "frame " << i;
        Vec2 expected = Vec2(480, 270) - hero->getPosition();
        EXPECT_NEAR(plane->getPositionX(), expected.x, 1e-3f);
        EXPECT_NEAR(plane->getPositionY(), expected.y, 1e-3f);
    }
    EXPECT_LT(plane->getPositionZ(), 230.0f);
}

TEST_F(NodeTransformTest, FollowWithABoundaryClampsAndCentresSmallWorlds) {
    Node* world = Node::create();
    scene_->addChild(world);
    Node* target = Node::create();
    world->addChild(target);
    target->setPosition(50, 50);
    world->runAction(Follow::create(target, Rect(0, 0, 2000, 300)));
    runFrames(1);
    // x clamped to the left edge (0), y: the world is lower than the screen, so centred.
    EXPECT_FLOAT_EQ(world->getPositionX(), 0.0f);
    EXPECT_FLOAT_EQ(world->getPositionY(), 120.0f);
    target->setPosition(1900, 50);
    runFrames(1);
    EXPECT_FLOAT_EQ(world->getPositionX(), -1040.0f);
}
