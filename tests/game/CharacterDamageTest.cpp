// Damage, invincibility, defeat and revival of the character base, with and without the damage and
// defeat motions in the resource tree.
#include "tests/support/CharacterFixture.h"

using namespace vastomer;

namespace {

constexpr int SPROUTLING = 1;       // has its DAMAGE_ and DOWN_ motions
constexpr int WITHOUT_MOTIONS = 9;  // the Sproutling's variant 9: no motion files at all

}  // namespace

using CharacterDamageTest = CharacterFixture;

TEST_F(CharacterDamageTest, NoSecondHitDuringTheDamageMotionOrTheInvincibilityAfterIt) {
    CharacterSprite* c = spawn(SPROUTLING, {100, 60});
    ASSERT_TRUE(settle(c));
    ASSERT_EQ(c->getHp(), 12);
    c->damage(3);
    EXPECT_EQ(c->getHp(), 9);
    EXPECT_TRUE(c->isShowing(CharacterAnimState::DAMAGE));
    EXPECT_TRUE(c->getAnimation()->isLocked());
    c->damage(3);
    EXPECT_EQ(c->getHp(), 9) << "the damage motion shields it";

    int frames = 0;
    while (c->getInvincibleTimer() == 0 && frames < 120) {
        runFrames(1);
        ++frames;
    }
    ASSERT_EQ(c->getInvincibleTimer(), CharacterSprite::DEFAULT_INVINCIBLE_FRAMES);
    EXPECT_FALSE(c->getAnimation()->isLocked());
    c->damage(3);
    EXPECT_EQ(c->getHp(), 9) << "then the invincibility";
    runFrames(CharacterSprite::DEFAULT_INVINCIBLE_FRAMES);
    c->damage(3);
    EXPECT_EQ(c->getHp(), 6);
    c->damage(0);
    EXPECT_EQ(c->getHp(), 6);
}

TEST_F(CharacterDamageTest, AMissingDamageMotionEndsAtOnceInsteadOfLockingForEver) {
    CharacterSprite* c = spawn(SPROUTLING, {100, 80}, "enemy", WITHOUT_MOTIONS);
    ASSERT_TRUE(settle(c));
    c->damage(5);
    EXPECT_EQ(c->getHp(), 7);
    runFrames(2);
    EXPECT_FALSE(c->getAnimation()->isLocked());
    EXPECT_EQ(c->getInvincibleTimer(), CharacterSprite::DEFAULT_INVINCIBLE_FRAMES - 1);
}

TEST_F(CharacterDamageTest, ZeroHitPointsDefeatOnTheNextFrameAndHealingThenDoesNothing) {
    CharacterSprite* c = spawn(SPROUTLING, {100, 60});
    ASSERT_TRUE(settle(c));
    c->setHp(1);
    c->damage(5);
    EXPECT_EQ(c->getHp(), 0);
    EXPECT_FALSE(c->isDefeated());
    runFrames(1);
    EXPECT_TRUE(c->isDefeated());
    EXPECT_TRUE(c->isShowing(CharacterAnimState::DOWN));
    c->addHp(5);
    EXPECT_EQ(c->getHp(), 0);
}

TEST_F(CharacterDamageTest, TheDefeatEndsWithItsCallbackEvenWithoutADownMotion) {
    for (int variant : {0, WITHOUT_MOTIONS}) {
        CharacterSprite* c = spawn(SPROUTLING, {100, 80}, "enemy", variant);
        ASSERT_TRUE(settle(c));
        int called = 0;
        c->setDefeatCallback([&called](CharacterSprite*) { ++called; });
        c->die();
        for (int i = 0; i < 200 && called == 0; ++i)
            runFrames(1);
        EXPECT_EQ(called, 1) << "variant " << variant;
        c->removeFromParent();
    }
}

TEST_F(CharacterDamageTest, ResetRevivesUnlockedStandingAndWaiting) {
    CharacterSprite* c = spawn(SPROUTLING, {100, 60});
    ASSERT_TRUE(settle(c));
    c->walk(false, true);
    c->die();
    runFrames(1);
    ASSERT_TRUE(c->getAnimation()->isLocked());
    c->reset();
    EXPECT_FALSE(c->isDefeated());
    EXPECT_FALSE(c->getAnimation()->isLocked());
    EXPECT_TRUE(c->isShowing(CharacterAnimState::WAIT)) << "the revived character stands up";
    EXPECT_EQ(c->getHp(), c->getMaxHp());
    EXPECT_TRUE(c->isFacingLeft());
    EXPECT_FLOAT_EQ(c->getScaleX(), 1.0f) << "the art faces the way the flag says";
    EXPECT_TRUE(c->isFalling());
    ASSERT_TRUE(settle(c)) << "and lands again";
}

TEST_F(CharacterDamageTest, LinksToNodesThatAreGoneReadNull) {
    CharacterSprite* c = spawn(SPROUTLING, {100, 60});
    CharacterSprite* summoner = spawn(SPROUTLING, {200, 60});
    c->setPartner(summoner);
    engine::Node* spark = engine::Node::create();
    c->addChild(spark);
    c->addTimedNode(spark, 5);
    engine::Node* longer = engine::Node::create();
    c->addChild(longer);
    c->addTimedNode(longer, 50);
    spark->removeFromParent();
    summoner->removeFromParent();
    runFrames(2);
    EXPECT_EQ(c->getPartner(), nullptr);
    EXPECT_EQ(c->getTimedNodes().size(), 1u) << "a timed node removed elsewhere drops out";
    engine::WeakRef<engine::Node> longerRef(longer);
    c->die();
    EXPECT_TRUE(c->getTimedNodes().empty());
    runFrames(1);
    EXPECT_FALSE(longerRef) << "defeat removes the timed nodes";
}
