// The movement model every character shares, on a real map in the game's physics scene: the walk
// and its speed cap, the held jump, landing and falling told by contact normals (separations
// included), blocking, and the player's push-out from boxes.
#include <algorithm>

#include "tests/support/CharacterFixture.h"

using namespace vastomer;

namespace {

constexpr int SPROUTLING = 1;

}  // namespace

class CharacterMovementTest : public CharacterFixture {
protected:
    // Top horizontal speed over `frames` frames of running right, from the distance covered per frame.
    float topSpeedRunningRight(CharacterSprite* character, int frames) {
        float top = 0.0f;
        for (int i = 0; i < frames; ++i) {
            const float x = character->getPositionX();
            character->walk(false, true);
            runFrames(1);
            top = std::max(top, (character->getPositionX() - x) * 60.0f);
        }
        return top;
    }
};

TEST_F(CharacterMovementTest, WalkAcceleratesUpToTheCapWhichHalvesWithoutFullSpeed) {
    CharacterSprite* c = spawn(SPROUTLING, {100, 60});
    ASSERT_TRUE(settle(c));
    c->setMoveSpeed(10.0f);
    c->setMoveAcceleration(1.0f);
    c->walk(false, true);
    EXPECT_FLOAT_EQ(c->getMoveX(), 1.0f);
    c->walk(false, false);
    EXPECT_FLOAT_EQ(c->getMoveX(), 1.5f) << "walking (not running) adds half the acceleration";
    EXPECT_FALSE(c->isFacingLeft());
    EXPECT_FLOAT_EQ(c->getScaleX(), -1.0f) << "facing right turns the left-facing art";

    EXPECT_NEAR(topSpeedRunningRight(c, 40), 200.0f, 0.5f);
    EXPECT_FLOAT_EQ(c->getMoveX(), 10.0f) << "the drive stops at moveSpeed";
    c->stopWalk();
    runFrames(2);
    c->setFullSpeed(false);
    EXPECT_NEAR(topSpeedRunningRight(c, 40), 100.0f, 0.5f);
    c->stopWalk();
    const float x = c->getPositionX();
    runFrames(3);
    EXPECT_FLOAT_EQ(c->getPositionX(), x) << "no sliding once the drive is 0";
}

TEST_F(CharacterMovementTest, AHeldJumpArmsThenPushesTenTimesAndEndsOnTheTwelfthCall) {
    CharacterSprite* c = spawn(SPROUTLING, {100, 60});
    ASSERT_TRUE(settle(c));
    c->setJumpFrameLimit(10);
    EXPECT_FALSE(c->jump());
    EXPECT_TRUE(c->isJumping());
    EXPECT_FLOAT_EQ(c->getMoveY(), 0.0f) << "the first call only arms the jump";
    for (int push = 1; push <= 10; ++push) {
        c->jump();
        EXPECT_FLOAT_EQ(c->getMoveY(), c->getJumpPower());
        EXPECT_EQ(c->getJumpFrameCount(), push);
    }
    EXPECT_TRUE(c->isJumping());
    c->jump();
    EXPECT_FALSE(c->isJumping()) << "the twelfth call ends the push";
    EXPECT_FLOAT_EQ(c->getMoveY(), 0.0f);
}

TEST_F(CharacterMovementTest, AJumpRisesThenFallsAndLandsFromTheNormalBelow) {
    CharacterSprite* c = spawn(SPROUTLING, {100, 60});
    ASSERT_TRUE(settle(c));
    const float ground = c->getPositionY();
    const engine::Vec2 base = c->getBasePosition();
    float top = ground;
    for (int i = 0; i < 6; ++i) {
        c->jump();
        runFrames(1);
        top = std::max(top, c->getPositionY());
    }
    EXPECT_TRUE(c->isAirborne());
    c->endJump();
    EXPECT_TRUE(c->isFalling()) << "ending the push in the air turns it into a fall";
    for (int i = 0; i < 90 && (c->isFalling() || c->isAirborne()); ++i) {
        runFrames(1);
        top = std::max(top, c->getPositionY());
    }
    EXPECT_GT(top, ground + 8.0f);
    EXPECT_FALSE(c->isFalling());
    EXPECT_FALSE(c->isAirborne());
    EXPECT_NEAR(c->getPositionY(), ground, 0.5f);
    EXPECT_EQ(c->getBasePosition(), base) << "the base is where it first landed";
}

TEST_F(CharacterMovementTest, WalkingOffALedgeStartsAFallButASeamBetweenBoxesDoesNot) {
    // From ground box A onto box B (they meet at x 480): still standing all the way.
    CharacterSprite* c = spawn(SPROUTLING, {440, 60});
    ASSERT_TRUE(settle(c));
    const float ground = c->getPositionY();
    for (int i = 0; i < 60; ++i) {
        c->walk(false, true);
        runFrames(1);
        ASSERT_FALSE(c->isFalling()) << "frame " << i << " at x " << c->getPositionX();
    }
    EXPECT_GT(c->getPositionX(), 500.0f);
    EXPECT_NEAR(c->getPositionY(), ground, 0.5f);

    // On to the edge of box B at x 720: over the pit the separation from below starts the fall.
    for (int i = 0; i < 200 && c->getPositionX() < 740.0f; ++i) {
        c->walk(false, true);
        runFrames(1);
    }
    c->stopWalk();
    runFrames(3);
    EXPECT_TRUE(c->isAirborne());
    EXPECT_TRUE(c->isFalling());
    const float y = c->getPositionY();
    runFrames(5);
    EXPECT_LT(c->getPositionY(), y - 2.0f) << "it falls, it does not hover";
}

TEST_F(CharacterMovementTest, ACeilingWhilePushingEndsTheJumpAndABlockStopsTheDrive) {
    CharacterSprite* c = spawn(SPROUTLING, {100, 60});
    ASSERT_TRUE(settle(c));
    engine::PhysicsShape* ground = boxAt("ground", {100, 16});
    ASSERT_NE(ground, nullptr);
    c->jump();
    c->jump();
    ASSERT_TRUE(c->isJumping());
    c->onContactBegin(shapeOf(c), ground, 0.0f, 1.0f);
    EXPECT_FALSE(c->isJumping());
    EXPECT_FLOAT_EQ(c->getMoveY(), 0.0f);

    c->setMoveAcceleration(2.0f);
    c->setBlockedRight(true);
    c->walk(false, true);
    EXPECT_FLOAT_EQ(c->getMoveX(), 0.0f);
    c->walk(true, true);
    EXPECT_FLOAT_EQ(c->getMoveX(), -2.0f) << "the other way is free";
}

TEST_F(CharacterMovementTest, ASideContactPushesOnlyThePlayerAndByTheOverlap) {
    // The wall box spans x 0-16. A body 16 wide centred at x 21 overlaps it by 3.
    engine::PhysicsShape* wall = boxAt("wall", {8, 100});
    ASSERT_NE(wall, nullptr);
    CharacterSprite* creature = spawn(SPROUTLING, {21, 100});
    const int contacts = creature->getSurfaceContacts();
    creature->onContactBegin(shapeOf(creature), wall, -1.0f, 0.0f);
    EXPECT_EQ(creature->getSurfaceContacts(), contacts + 1);
    EXPECT_FLOAT_EQ(creature->getPositionX(), 21.0f) << "only the player is pushed";

    CharacterSprite* player = spawn(0, {21, 100}, "PLAYER");
    player->onContactBegin(shapeOf(player), wall, -1.0f, 0.0f);
    EXPECT_FLOAT_EQ(player->getPositionX(), 23.0f)
        << "out by the overlap less one pixel, not by half the box";
    player->setPosition(23.0f, 100.0f);
    player->onContactBegin(shapeOf(player), wall, -1.0f, 0.0f);
    EXPECT_FLOAT_EQ(player->getPositionX(), 23.0f) << "a resting contact moves nothing";

    // Sunk 4 px into the ground (top at y 32; the body's bottom is 20 below the centre).
    engine::PhysicsShape* ground = boxAt("ground", {100, 16});
    player->setPosition(100.0f, 48.0f);
    player->onContactBegin(shapeOf(player), ground, 0.0f, -1.0f);
    EXPECT_FLOAT_EQ(player->getPositionY(), 51.0f);
}

TEST_F(CharacterMovementTest, AContactThatSlidesOntoATopLandsAndOneThatSlidesOffLeaves) {
    // Against the side of the step (x 288-352, top 32-48), in the air.
    CharacterSprite* c = spawn(SPROUTLING, {100, 60});
    ASSERT_TRUE(settle(c));
    engine::PhysicsShape* step = boxAt("ground", {300, 40});
    ASSERT_NE(step, nullptr);
    c->setFalling(true);
    c->onContactPresolve(shapeOf(c), step, 1.0f, 0.0f);
    EXPECT_TRUE(c->isFalling()) << "a side contact holds nothing up";
    c->onContactPresolve(shapeOf(c), step, 0.2f, -0.98f);
    EXPECT_FALSE(c->isFalling()) << "once it is below, the character stands on it";
    EXPECT_FALSE(c->isAirborne());
    EXPECT_EQ(c->getSupportContacts(), 2);
    c->onContactPresolve(shapeOf(c), step, 0.0f, -1.0f);
    EXPECT_EQ(c->getSupportContacts(), 2) << "counted once";
    c->onContactPresolve(shapeOf(c), step, 1.0f, 0.0f);
    EXPECT_EQ(c->getSupportContacts(), 1);
    EXPECT_FALSE(c->isFalling()) << "the ground below still holds it";
}

TEST_F(CharacterMovementTest, ASideThatABoxBlockedOpensWhenItsContactEndsWhateverNormalTheEndReports) {
    CharacterSprite* player = spawn(0, {100, 60}, "PLAYER");
    ASSERT_TRUE(settle(player));
    engine::PhysicsShape* step = boxAt("ground", {300, 40});
    ASSERT_NE(step, nullptr);
    // Touching the step's side from its left, above its centre: the right side is blocked.
    player->onContactBegin(shapeOf(player), step, 1.0f, 0.0f);
    ASSERT_TRUE(player->isBlockedRight());
    // The end of a contact reports its last normal, which may have turned (round the step's corner).
    player->onContactSeparate(shapeOf(player), step, 0.0f, -1.0f);
    EXPECT_FALSE(player->isBlockedRight()) << "nothing blocks that side any more";

    // The end of another contact (the ground she stands on, reporting a sideways normal) leaves a side
    // that the step still blocks alone.
    engine::PhysicsShape* ground = boxAt("ground", {100, 16});
    ASSERT_NE(ground, nullptr);
    player->onContactBegin(shapeOf(player), step, 1.0f, 0.0f);
    player->onContactSeparate(shapeOf(player), ground, 0.0f, -1.0f);
    EXPECT_TRUE(player->isBlockedRight()) << "the step still blocks it";
    player->onContactSeparate(shapeOf(player), step, 0.0f, 0.0f);
    EXPECT_FALSE(player->isBlockedRight());
}
