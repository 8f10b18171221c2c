// Contact events: which pairs report, which collide, the normal's direction and the balance of
// begin and separate.
#include <cmath>

#include "engine/scene/Director.h"
#include "tests/support/PhysicsFixture.h"

using namespace engine;

class PhysicsContactTest : public PhysicsFixture {};

TEST_F(PhysicsContactTest, FallingBoxLandsOnceWithNormalFromAToB) {
    listen();
    addFloor(scene_);
    Node* box = addBox(scene_, {480, 100}, {20, 20}, true, "box");
    runFrames(90);
    ASSERT_EQ(count(Code::BEGIN), 1);
    EXPECT_EQ(count(Code::SEPARATE), 0);
    const Seen& begin = seen.front();
    // Pointing from A to B: down when the box is A, up when the ground is.
    EXPECT_NEAR(begin.normal.x, 0.0f, 1e-4);
    EXPECT_NEAR(begin.normal.y, begin.a == "box" ? -1.0f : 1.0f, 1e-4);
    // Resting on the top of the ground (y 60), within the collision slop.
    EXPECT_NEAR(box->getPositionY(), 70.0f, 0.2f);
    EXPECT_NEAR(box->getPhysicsBody()->getVelocity().length(), 0.0f, 0.5f);
}

TEST_F(PhysicsContactTest, NormalFollowsTheReportedOrderInBothOrders) {
    // The library picks the order (in practice the body that moved into the other comes first);
    // over these arrangements both orders occur. Every pair meets one above the other.
    listen();
    addFloor(scene_);
    addBox(scene_, {400, 100}, {20, 20}, true, "falling");
    addBox(scene_, {480, 71}, {20, 20}, true, "bottom");
    addBox(scene_, {480, 110}, {20, 20}, true, "top");
    Node* plate = addBox(scene_, {600, 140}, {40, 10}, false, "plate");
    plate->getPhysicsBody()->setVelocity(Vec2(0, -60));
    Node* still = addBox(scene_, {600, 66}, {20, 10}, true, "still");
    still->getPhysicsBody()->setGravityEnable(false);
    Node* riser = addBox(scene_, {750, 300}, {40, 10}, false, "riser");
    riser->getPhysicsBody()->setVelocity(Vec2(0, 60));
    Node* hanging = addBox(scene_, {750, 360}, {20, 20}, true, "hanging");
    hanging->getPhysicsBody()->setGravityEnable(false);
    runFrames(90);
    bool aAbove = false, aBelow = false;
    for (const Seen& s : seen) {
        if (s.code != Code::BEGIN) continue;
        bool above = s.positionA.y > s.positionB.y;
        EXPECT_NEAR(s.normal.x, 0.0f, 1e-4) << s.a << " / " << s.b;
        EXPECT_NEAR(s.normal.y, above ? -1.0f : 1.0f, 1e-4) << s.a << " / " << s.b;
        (above ? aAbove : aBelow) = true;
    }
    EXPECT_GE(count(Code::BEGIN), 6);
    EXPECT_TRUE(aAbove);
    EXPECT_TRUE(aBelow);
}

TEST_F(PhysicsContactTest, WalkingOffTheEdgeSeparatesOnce) {
    listen();
    addFloor(scene_);
    Node* box = addBox(scene_, {600, 100}, {20, 20}, true, "box");
    runFrames(60);
    ASSERT_EQ(count(Code::BEGIN), 1);
    // Driven to the right every frame, as a walking character is.
    for (int frame = 0; frame < 90; ++frame) {
        Vec2 v = box->getPhysicsBody()->getVelocity();
        box->getPhysicsBody()->setVelocity(Vec2(200, v.y));
        runFrames(1);
    }
    EXPECT_LT(box->getPositionY(), 60.0f);
    EXPECT_EQ(count(Code::BEGIN), 1);
    EXPECT_EQ(count(Code::SEPARATE), 1);
}

TEST_F(PhysicsContactTest, SensorReportsButDoesNotBlock) {
    listen();
    Node* sensor = addBox(scene_, {480, 200}, {100, 20}, false, "sensor");
    sensor->getPhysicsBody()->setCollisionBitmask(0);
    Node* box = addBox(scene_, {480, 260}, {20, 20}, true, "box");
    runFrames(90);
    EXPECT_LT(box->getPositionY(), 170.0f) << "fell through";
    EXPECT_EQ(count(Code::BEGIN), 1);
    EXPECT_EQ(count(Code::SEPARATE), 1);
}

TEST_F(PhysicsContactTest, ContactTestMustPassBothWaysToReport) {
    listen();
    // ground's category meets box's contact-test mask, but not the other way round.
    Node* ground = addFloor(scene_);
    ground->getPhysicsBody()->setCategoryBitmask(0x2);
    ground->getPhysicsBody()->setContactTestBitmask(0x4);
    Node* box = addBox(scene_, {480, 100}, {20, 20}, true, "box", 0x2);
    box->getPhysicsBody()->setCategoryBitmask(0x1);
    // silent has no contact-test mask at all (the default).
    Node* silent = addBox(scene_, {400, 100}, {20, 20}, true, "silent", 0);
    runFrames(120);
    EXPECT_TRUE(seen.empty());
    // Reporting and colliding are separate decisions: both boxes landed.
    EXPECT_NEAR(box->getPositionY(), 70.0f, 0.25f);
    EXPECT_NEAR(silent->getPositionY(), 70.0f, 0.25f);
}

TEST_F(PhysicsContactTest, TwoNonDynamicBodiesReportButPushNothing) {
    listen();
    Node* still = addBox(scene_, {480, 300}, {40, 40}, false, "still");
    Node* mover = addBox(scene_, {380, 300}, {20, 20}, false, "mover");
    mover->getPhysicsBody()->setVelocity(Vec2(120, 0));
    runFrames(120);
    EXPECT_EQ(count(Code::BEGIN), 1);
    EXPECT_EQ(count(Code::SEPARATE), 1);
    EXPECT_EQ(still->getPosition(), Vec2(480, 300));
    EXPECT_EQ(mover->getPhysicsBody()->getVelocity(), Vec2(120, 0));
    EXPECT_NEAR(mover->getPositionX(), 380.0f + 240.0f, 1e-3);
}

TEST_F(PhysicsContactTest, BeginAnsweredFalseLetsThePairPassAndStillSeparates) {
    listen([](PhysicsContact&) { return false; });
    addFloor(scene_);
    Node* box = addBox(scene_, {480, 100}, {20, 20}, true, "box");
    runFrames(90);
    EXPECT_LT(box->getPositionY(), 30.0f);
    EXPECT_EQ(count(Code::BEGIN), 1);
    EXPECT_EQ(count(Code::SEPARATE), 1);
}

TEST_F(PhysicsContactTest, LastListenerDispatchedDecidesTheBegin) {
    auto* rejecting = EventListenerPhysicsContact::create();
    rejecting->onContactBegin = [](PhysicsContact&) { return false; };
    auto* later = EventListenerPhysicsContact::create();  // no begin callback: answers true
    auto* dispatcher = Director::getInstance()->getEventDispatcher();
    dispatcher->addEventListenerWithFixedPriority(rejecting, -254);
    dispatcher->addEventListenerWithFixedPriority(later, -100);
    addFloor(scene_);
    Node* kept = addBox(scene_, {440, 100}, {20, 20}, true, "kept");
    runFrames(120);
    EXPECT_NEAR(kept->getPositionY(), 70.0f, 0.25f);
    dispatcher->removeEventListener(later);
    Node* dropped = addBox(scene_, {520, 100}, {20, 20}, true, "dropped");
    runFrames(90);
    EXPECT_LT(dropped->getPositionY(), 30.0f);
}

TEST_F(PhysicsContactTest, MaskChangedDuringAContactAppliesFromTheNextContact) {
    Node* box = nullptr;
    listen([&](PhysicsContact&) {
        box->getPhysicsBody()->setContactTestBitmask(0);
        box->getPhysicsBody()->setCollisionBitmask(0);
        return true;
    });
    addFloor(scene_);
    box = addBox(scene_, {600, 100}, {20, 20}, true, "box");
    runFrames(60);
    // The open contact keeps colliding and is reported to its end.
    EXPECT_NEAR(box->getPositionY(), 70.0f, 0.3f);
    EXPECT_EQ(box->getPhysicsBody()->getContactTestBitmask(), 0);
    EXPECT_EQ(box->getPhysicsBody()->getFirstShape()->getCollisionBitmask(), 0);
    // A new contact follows the new masks: no report, no collision.
    addBox(scene_, {900, 0}, {600, 20}, false, "ledge");
    for (int frame = 0; frame < 60; ++frame) {
        Vec2 v = box->getPhysicsBody()->getVelocity();
        box->getPhysicsBody()->setVelocity(Vec2(300, v.y));
        runFrames(1);
    }
    EXPECT_EQ(count(Code::SEPARATE), 1);
    runFrames(30);
    EXPECT_LT(box->getPositionY(), 0.0f) << "it would rest at 20 on the ledge";
    EXPECT_EQ(count(Code::BEGIN), 1);
}

TEST_F(PhysicsContactTest, GroupsOverrideTheCollisionMasks) {
    listen();
    // A ground that collides with nothing by its masks...
    Node* ground = addBox(scene_, {380, 50}, {200, 20}, false, "ground");
    ground->getPhysicsBody()->setCollisionBitmask(0);
    ground->getPhysicsBody()->setGroup(3);
    // ...still holds a body of the same positive group, and lets any other through.
    Node* member = addBox(scene_, {420, 100}, {20, 20}, true, "member");
    member->getPhysicsBody()->setGroup(3);
    Node* stranger = addBox(scene_, {340, 100}, {20, 20}, true, "stranger");
    // The same negative group never collides and never reports, whatever the masks.
    Node* floor = addBox(scene_, {640, 50}, {200, 20}, false, "floor");
    floor->getPhysicsBody()->setGroup(-3);
    Node* ghost = addBox(scene_, {640, 100}, {20, 20}, true, "ghost");
    ghost->getPhysicsBody()->setGroup(-3);
    runFrames(120);
    EXPECT_NEAR(member->getPositionY(), 70.0f, 0.25f);
    EXPECT_LT(stranger->getPositionY(), 0.0f);
    EXPECT_LT(ghost->getPositionY(), 0.0f);
    EXPECT_EQ(count(Code::BEGIN, "member"), 1);
    EXPECT_EQ(count(Code::BEGIN, "stranger"), 1) << "reported like a sensor";
    EXPECT_EQ(count(Code::SEPARATE, "stranger"), 1);
    EXPECT_EQ(count(Code::BEGIN, "ghost"), 0);
}

TEST_F(PhysicsContactTest, SeparationsOfAStepComeInsideItInTheOrderContactsBegan) {
    listen();
    Node* ground = addFloor(scene_);
    for (int i = 0; i < 6; ++i)
        addBox(scene_, {330.0f + i * 60.0f, 100.0f}, {20, 20}, true, "box" + std::to_string(i));
    runFrames(120);
    ASSERT_EQ(count(Code::BEGIN), 6);
    std::vector<bool> locked;
    auto* listener = EventListenerPhysicsContact::create();
    listener->onContactSeparate = [&](PhysicsContact&) { locked.push_back(world()->isLocked()); };
    Director::getInstance()->getEventDispatcher()->addEventListenerWithFixedPriority(listener, -100);
    // The ground drops away faster than anything falls: every contact ends in the same step.
    ground->getPhysicsBody()->setVelocity(Vec2(0, -3000));
    runFrames(1);
    ASSERT_EQ(count(Code::SEPARATE), 6);
    EXPECT_EQ(locked, std::vector<bool>(6, true));
    for (int i = 0; i < 6; ++i) {
        const Seen& began = seen[static_cast<std::size_t>(i)];
        const Seen& ended = seen[static_cast<std::size_t>(6 + i)];
        auto box = [](const Seen& s) { return s.a == "ground" ? s.b : s.a; };
        EXPECT_EQ(box(began), box(ended)) << i;
    }
}
