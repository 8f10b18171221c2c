// The action that moves a node's position Z, as the camera planes use it.
#include "engine/scene/Node.h"
#include "engine/scene/Scene.h"
#include "game/scenario/ZPosMoveTo.h"
#include "tests/support/GameFixture.h"

namespace {

class ZPosMoveToTest : public GameFixture {};

TEST_F(ZPosMoveToTest, MovesPositionZFromWhereItStartsToTheTarget) {
    engine::Scene* scene = engine::Scene::create();
    engine::Director::getInstance()->runWithScene(scene);
    engine::Node* plane = engine::Node::create();
    plane->setPositionZ(230.0f);
    scene->addChild(plane);
    vastomer::ZPosMoveTo* action = vastomer::ZPosMoveTo::create(0.5f, 30.0f);
    vastomer::ZPosMoveTo* copy = action->clone();
    EXPECT_EQ(copy->getDuration(), 0.5f);
    EXPECT_EQ(copy->getEndZ(), 30.0f);
    EXPECT_EQ(action->reverse(), nullptr);
    plane->runAction(action);
    runFrames(16);
    EXPECT_FLOAT_EQ(action->getStartZ(), 230.0f);
    EXPECT_FLOAT_EQ(action->getDeltaZ(), -200.0f);
    EXPECT_NEAR(plane->getPositionZ(), 130.0f, 7.0f) << "half way";
    runFrames(20);
    EXPECT_FLOAT_EQ(plane->getPositionZ(), 30.0f);
}

}  // namespace
