// Contact events: which pairs report, which collide, the normal's direction and the balance of
// begin and separate.
#include <cmath>

#include "PhysicsFixture.h"
#include "engine/scene/Director.h"

using namespace engine;

namespace {

// Expected normal of a contact between a box above and the ground below, for the reported order.
Vec2 expectedNormal(const std::string& shapeA, const std::string& upper) {
    return shapeA == upper ? Vec2(0, -1) : Vec2(0, 1);
}

}  // namespace

TEST_F(PhysicsTest, FallingBoxLandsOnceWithNormalFromAToB) {
    listen();
    addFloor(scene_);
    Node* box = addBox(scene_, {480, 100}, {20, 20}, true, "box");
    runFrames(90);
    ASSERT_EQ(count(Code::BEGIN), 1);
    EXPECT_EQ(count(Code::SEPARATE), 0);
    const Seen& begin = seen.front();
    Vec2 expected = expectedNormal(begin.a, "box");
    EXPECT_NEAR(begin.normal.x, expected.x, 1e-4);
    EXPECT_NEAR(begin.normal.y, expected.y, 1e-4);
    // Resting on the top of the ground (y 60), within the collision slop.
    EXPECT_NEAR(box->getPositionY(), 70.0f, 0.2f);
    EXPECT_NEAR(box->getPhysicsBody()->getVelocity().length(), 0.0f, 0.5f);
}

TEST_F(PhysicsTest, NormalFollowsTheReportedOrderInBothOrders) {
    // The library picks the order; over these arrangements both orders occur.
    listen();
    addBox(scene_, {200, 100}, {20, 20}, true, "upper1");
    addFloor(scene_);
    addBox(scene_, {480, 100}, {20, 20}, true, "upper2");
    addBox(scene_, {600, 200}, {40, 10}, false, "ledge");
    addBox(scene_, {600, 240}, {10, 10}, true, "upper3");
    runFrames(90);
    bool upperFirst = false, groundFirst = false;
    for (const Seen& s : seen) {
        if (s.code != Code::BEGIN) continue;
        std::string upper = s.a.rfind("upper", 0) == 0 ? s.a : s.b;
        Vec2 expected = expectedNormal(s.a, upper);
        EXPECT_NEAR(s.normal.x, expected.x, 1e-4) << s.a << " / " << s.b;
        EXPECT_NEAR(s.normal.y, expected.y, 1e-4) << s.a << " / " << s.b;
        (s.a == upper ? upperFirst : groundFirst) = true;
    }
    EXPECT_TRUE(upperFirst);
    EXPECT_TRUE(groundFirst);
}
