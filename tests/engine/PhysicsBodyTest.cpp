// Body properties: gravity, world speed, forces, impulses, limits, rotation lock, mass rules,
// degenerate and non-finite input.
#include <cmath>
#include <limits>
#include <string>
#include <vector>

#include "engine/scene/Director.h"
#include "tests/support/PhysicsFixture.h"

using namespace engine;

namespace {

constexpr float NOT_A_NUMBER = std::numeric_limits<float>::quiet_NaN();
constexpr float INFINITE = std::numeric_limits<float>::infinity();

// Records the order in which nodes are updated.
class Recorder : public Node {
public:
    static Recorder* create(std::vector<std::string>* log, const std::string& name) {
        auto* node = new Recorder();
        node->init();
        node->autorelease();
        node->log_ = log;
        node->setName(name);
        return node;
    }
    void update(float) override { log_->push_back(getName()); }

private:
    std::vector<std::string>* log_ = nullptr;
};

}  // namespace

class PhysicsBodyTest : public PhysicsFixture {};

TEST_F(PhysicsBodyTest, GravityDisabledBodyFloatsWhileOthersFall) {
    Node* floating = addBox(scene_, {300, 300}, {20, 20}, true, "floating", 0);
    floating->getPhysicsBody()->setGravityEnable(false);
    Node* falling = addBox(scene_, {600, 300}, {20, 20}, true, "falling", 0);
    runFrames(30);
    EXPECT_FLOAT_EQ(floating->getPositionY(), 300.0f);
    // Half a second under 98 per second squared: about 12 down.
    EXPECT_NEAR(falling->getPositionY(), 300.0f - 0.5f * 98.0f * 0.25f, 1.0f);
}

TEST_F(PhysicsBodyTest, SpeedZeroFreezesEveryBodyAndOneResumes) {
    addFloor(scene_);
    Node* box = addBox(scene_, {480, 300}, {20, 20}, true, "box", 0);
    runFrames(20);
    world()->setSpeed(0.0f);
    Vec2 position = box->getPosition();
    Vec2 velocity = box->getPhysicsBody()->getVelocity();
    runFrames(15);
    EXPECT_EQ(box->getPosition(), position);
    EXPECT_EQ(box->getPhysicsBody()->getVelocity(), velocity);
    world()->setSpeed(1.0f);
    runFrames(1);
    EXPECT_LT(box->getPositionY(), position.y);
    EXPECT_LT(box->getPhysicsBody()->getVelocity().y, velocity.y);
}

TEST_F(PhysicsBodyTest, ForceActsForOneStepAndImpulseAtOnce) {
    Node* node = addBox(scene_, {480, 300}, {20, 20}, true, "box", 0);
    PhysicsBody* body = node->getPhysicsBody();
    body->setGravityEnable(false);
    body->setMass(2.0f);
    body->applyForce(Vec2(120, 0));
    runFrames(1);
    EXPECT_NEAR(body->getVelocity().x, 120.0f / 2.0f / 60.0f, 1e-4);
    runFrames(3);
    EXPECT_NEAR(body->getVelocity().x, 1.0f, 1e-4) << "the force was cleared after its step";
    body->applyForce(Vec2(120, 0));
    body->resetForces();
    runFrames(1);
    EXPECT_NEAR(body->getVelocity().x, 1.0f, 1e-4);
    body->applyImpulse(Vec2(0, 10));
    EXPECT_NEAR(body->getVelocity().y, 5.0f, 1e-4);
}

TEST_F(PhysicsBodyTest, VelocityLimitCapsTheFall) {
    Node* node = addBox(scene_, {480, 500}, {20, 20}, true, "box", 0);
    node->getPhysicsBody()->setVelocityLimit(50.0f);
    runFrames(90);
    EXPECT_NEAR(node->getPhysicsBody()->getVelocity().length(), 50.0f, 1e-3);
}

TEST_F(PhysicsBodyTest, RotationDisabledKeepsTheAngleWhereAFreeBoxTips) {
    addFloor(scene_);
    // Both boxes land with their centre beyond an edge of the ground.
    Node* free = addBox(scene_, {685, 100}, {20, 20}, true, "free", 0);
    Node* locked = addBox(scene_, {275, 100}, {20, 20}, true, "locked", 0);
    locked->getPhysicsBody()->setRotationEnable(false);
    runFrames(90);
    EXPECT_GT(std::fabs(free->getRotation()), 10.0f);
    EXPECT_EQ(locked->getRotation(), 0.0f);
    EXPECT_EQ(locked->getPhysicsBody()->getRotation(), 0.0f);
}

TEST_F(PhysicsBodyTest, MassComesFromShapesAndIgnoresNonPositiveValues) {
    PhysicsBody* dense = PhysicsBody::createBox(Size(20, 20), PhysicsMaterial(1, 0, 0));
    EXPECT_FLOAT_EQ(dense->getMass(), 400.0f);
    EXPECT_FLOAT_EQ(dense->getMoment(), 400.0f * (400 + 400) / 12.0f);
    PhysicsBody* shifted = PhysicsBody::createBox(Size(20, 20), PhysicsMaterial(1, 0, 0), Vec2(3, 4));
    EXPECT_FLOAT_EQ(shifted->getMoment(), 400.0f * (400 + 400) / 12.0f + 400.0f * 25.0f);
    EXPECT_FLOAT_EQ(PhysicsBody::createBox(Size(20, 20))->getMass(), 40.0f);
    PhysicsBody* weightless = PhysicsBody::createBox(Size(20, 20), PhysicsMaterial(0, 0, 1));
    EXPECT_FLOAT_EQ(weightless->getMass(), 1.0f);
    EXPECT_FLOAT_EQ(weightless->getMoment(), 200.0f);
    for (float bad : {0.0f, -1.0f, NOT_A_NUMBER, INFINITE}) {
        weightless->setMass(bad);
        weightless->setMoment(bad);
    }
    EXPECT_FLOAT_EQ(weightless->getMass(), 1.0f);
    EXPECT_FLOAT_EQ(weightless->getMoment(), 200.0f);
}

TEST_F(PhysicsBodyTest, MassSetWhileKinematicTakesEffectWhenDynamic) {
    Node* node = addBox(scene_, {480, 300}, {20, 20}, false, "box", 0);
    PhysicsBody* body = node->getPhysicsBody();
    body->setGravityEnable(false);
    runFrames(1);
    body->setMass(4.0f);
    body->applyImpulse(Vec2(40, 0));
    EXPECT_EQ(body->getVelocity(), Vec2::ZERO) << "a kinematic body takes no impulse";
    body->setDynamic(true);
    body->applyImpulse(Vec2(40, 0));
    EXPECT_NEAR(body->getVelocity().x, 10.0f, 1e-4);
}

TEST_F(PhysicsBodyTest, KinematicBodyMovesByItsVelocityAndPushesDynamicOnes) {
    Node* pusher = addBox(scene_, {300, 300}, {20, 40}, false, "pusher", 0);
    pusher->getPhysicsBody()->setVelocity(Vec2(120, 0));
    Node* pushed = addBox(scene_, {360, 300}, {20, 20}, true, "pushed", 0);
    pushed->getPhysicsBody()->setGravityEnable(false);
    runFrames(60);
    EXPECT_NEAR(pusher->getPositionX(), 420.0f, 1e-3);
    EXPECT_FLOAT_EQ(pusher->getPositionY(), 300.0f);
    EXPECT_EQ(pusher->getPhysicsBody()->getVelocity(), Vec2(120, 0));
    EXPECT_GT(pushed->getPositionX(), 425.0f);
}

TEST_F(PhysicsBodyTest, ZeroAreaBoxTouchesNothingButStillFalls) {
    listen();
    addFloor(scene_);
    Node* flat = addBox(scene_, {480, 100}, {0, 0}, true, "flat");
    ASSERT_EQ(flat->getPhysicsBody()->getShapes().size(), 1u);
    EXPECT_FALSE(flat->getPhysicsBody()->getFirstShape()->isInSpace());
    EXPECT_FLOAT_EQ(flat->getPhysicsBody()->getMass(), 1.0f);
    runFrames(90);
    EXPECT_LT(flat->getPositionY(), 0.0f) << "fell through the ground";
    EXPECT_EQ(count(Code::BEGIN), 0);
}

TEST_F(PhysicsBodyTest, ScaleSquashingABoxFlatTakesItOutUntilItHasAreaAgain) {
    listen();
    addFloor(scene_);
    Node* box = addBox(scene_, {480, 100}, {20, 20}, true, "box");
    runFrames(60);
    ASSERT_EQ(count(Code::BEGIN), 1);
    box->setScaleY(0.0f);
    runFrames(1);
    EXPECT_EQ(count(Code::SEPARATE), 1);
    EXPECT_FALSE(box->getPhysicsBody()->getFirstShape()->isInSpace());
    box->setScaleY(1.0f);
    box->setPositionY(100.0f);
    runFrames(120);
    EXPECT_EQ(count(Code::BEGIN), 2);
    EXPECT_NEAR(box->getPositionY(), 70.0f, 0.25f);
}

TEST_F(PhysicsBodyTest, NonFiniteInputNeverReachesTheSimulation) {
    addFloor(scene_);
    Node* box = addBox(scene_, {480, 300}, {20, 20}, true, "box", 0);
    PhysicsBody* body = box->getPhysicsBody();
    runFrames(5);
    Vec2 velocity = body->getVelocity();
    body->setVelocity(Vec2(NOT_A_NUMBER, 0));
    body->applyForce(Vec2(INFINITE, 0));
    body->applyImpulse(Vec2(0, NOT_A_NUMBER));
    body->setAngularVelocity(INFINITE);
    EXPECT_EQ(body->getVelocity(), velocity);
    box->setPosition(NOT_A_NUMBER, INFINITE);
    runFrames(2);
    // The body carried on from where it was, and the node followed it again.
    EXPECT_TRUE(std::isfinite(box->getPositionX()) && std::isfinite(box->getPositionY()));
    EXPECT_NEAR(box->getPositionX(), 480.0f, 1e-3);
    box->setRotation(NOT_A_NUMBER);
    runFrames(1);
    EXPECT_EQ(body->getRotation(), 0.0f);
    world()->setGravity(Vec2(NOT_A_NUMBER, 0));
    world()->setSpeed(INFINITE);
    runFrames(1);
    EXPECT_EQ(world()->getGravity(), Vec2(0, -98));
    EXPECT_EQ(world()->getSpeed(), 1.0f);
}

TEST_F(PhysicsBodyTest, MirroredNodeKeepsAValidBoxAndItsMass) {
    addFloor(scene_);
    auto* node = Node::create();
    node->setContentSize(Size(40, 20));
    node->setPosition(500, 100);
    node->setScaleX(-1.0f);
    auto* body = PhysicsBody::createBox(Size(40, 20), PhysicsMaterial(1, 0, 1));
    node->setPhysicsBody(body);
    scene_->addChild(node);
    runFrames(120);
    // Anchor at the lower left, mirrored: the box spans x 460..500 and rests on y 60.
    EXPECT_NEAR(node->getPositionY(), 60.0f, 0.25f);
    EXPECT_NEAR(body->getPosition().x, 480.0f, 1e-3);
    EXPECT_FLOAT_EQ(body->getMass(), 800.0f);
    auto points = body->getFirstShape()->getPoints();
    float area = 0.0f;
    for (std::size_t i = 0; i < 4; ++i)
        area += points[i].x * points[(i + 1) % 4].y - points[(i + 1) % 4].x * points[i].y;
    EXPECT_FLOAT_EQ(area / 2.0f, 800.0f) << "counter-clockwise";
}

TEST_F(PhysicsBodyTest, AttachingABodySchedulesUpdateAtPriorityZero) {
    std::vector<std::string> log;
    Recorder* late = Recorder::create(&log, "late");
    Recorder* early = Recorder::create(&log, "early");
    scene_->addChild(late);
    scene_->addChild(early);
    late->scheduleUpdateWithPriority(5);
    early->scheduleUpdateWithPriority(1);
    late->setPhysicsBody(PhysicsBody::createBox(Size(10, 10)));
    EXPECT_TRUE(late->isUpdateScheduled());
    runFrames(1);
    EXPECT_EQ(log, (std::vector<std::string>{"late", "early"}));
}
