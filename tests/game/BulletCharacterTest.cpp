// Bullets on the tests' map: their number as their tag, wearing out a point a frame on a wall, the
// bullets that cannot wear out (through walls and hits, ended only by a net or by old age), shots
// that meet, and the weakly held shooter.
#include <gtest/gtest.h>

#include "game/character/BulletCharacter.h"
#include "tests/support/CreatureFixture.h"

using namespace vastomer;

namespace {

constexpr int SEED = 20;   // the Gate Toad's seed: 1 point
constexpr int ARROW = 4;   // the Spirit Bow's arrow: 0 points
constexpr int PISTOL = 1;  // the Pocket Pistol's shot: 1 point

}  // namespace

class BulletCharacterTest : public CreatureFixture {
protected:
    // A bullet at `position` that stays there (its own drive is locked); held by the test, so that
    // it can be looked at after it has left the map.
    BulletCharacter* fire(int id, const engine::Vec2& position, const std::string& kind = "enemyBullet") {
        BulletCharacter* bullet = BulletCharacter::create(id, kind);
        if (!bullet) return nullptr;
        bullet->setPosition(position);
        bullet->setActionLocked(true);
        map_->getCharacterLayer()->addChild(bullet);
        held_.emplace_back(bullet);
        return bullet;
    }

    std::vector<engine::RefPtr<BulletCharacter>> held_;
};

TEST_F(BulletCharacterTest, ABulletCarriesItsNumberAsItsTag) {
    BulletCharacter* seed = fire(SEED, {300, 200});
    ASSERT_NE(seed, nullptr);
    EXPECT_EQ(seed->getTag(), SEED) << "its grapple events are found by this number";
    EXPECT_EQ(seed->getCharacterId(), SEED);
    EXPECT_EQ(seed->getPhysicsBody()->getName(), "enemyBullet");
    EXPECT_EQ(BulletCharacter::create(999, "enemyBullet"), nullptr) << "no record, no bullet";
}

TEST_F(BulletCharacterTest, AWallWearsABulletAPointAFrame) {
    BulletCharacter* seed = fire(SEED, {8, 100});  // inside the wall at x 0-16
    seed->setHp(3);
    seed->setMaxHp(3);
    int frames = 0;
    while (!seed->isDefeated() && frames < 20) {
        runFrames(1);
        ++frames;
    }
    // The contact begins in the first frame's physics step; three frames of wear follow.
    EXPECT_EQ(frames, 4);

    BulletCharacter* free = fire(SEED, {300, 200});
    free->setHp(3);
    runFrames(10);
    EXPECT_EQ(free->getHp(), 3) << "in the open it does not wear";
}

TEST_F(BulletCharacterTest, ABulletOfNoPointsEndsOnlyAtANetOrWithItsLife) {
    BulletCharacter* arrow = fire(ARROW, {8, 100}, "bulletBody");
    ASSERT_NE(arrow, nullptr);
    EXPECT_TRUE(arrow->isIndestructible());
    EXPECT_EQ(arrow->getHp(), 0);
    runFrames(10);
    EXPECT_FALSE(arrow->isDefeated()) << "the update does not take its 0 points for a defeat";
    EXPECT_EQ(arrow->getLifeFrames(), 10);
    runFrames(BulletCharacter::LIFE_FRAMES - 11);
    EXPECT_FALSE(arrow->isDefeated());
    runFrames(1);
    EXPECT_TRUE(arrow->isDefeated()) << "it lives 500 frames";

    BulletCharacter* netted = fire(ARROW, {752, -40}, "bulletBody");  // the net under the pit
    runFrames(2);
    EXPECT_TRUE(netted->isDefeated());
}

TEST_F(BulletCharacterTest, ShotsOfBothSidesThatMeetWearEachOtherOnce) {
    BulletCharacter* seed = fire(SEED, {300, 200});
    BulletCharacter* shot = fire(PISTOL, {300, 200}, "bulletBody");
    seed->setHp(2);
    shot->setHp(2);
    runFrames(2);
    EXPECT_EQ(seed->getHp(), 1) << "one point each, the contact is not handed back and forth";
    EXPECT_EQ(shot->getHp(), 1);

    BulletCharacter* a = fire(SEED, {500, 200});
    BulletCharacter* b = fire(SEED, {500, 200});
    runFrames(2);
    EXPECT_EQ(a->getHp(), 1) << "shots of one side pass each other";
    EXPECT_EQ(b->getHp(), 1);
}

TEST_F(BulletCharacterTest, ACreaturesShotPassesItsShooterAndOtherCreatures) {
    EnemyCharacter* toad = spawnEnemy(100, {300, 100});
    EnemyCharacter* vine = spawnEnemy(3, {500, 60});
    ASSERT_TRUE(settle(toad));
    ASSERT_TRUE(settle(vine));
    BulletCharacter* fromInside = fire(SEED, toad->getPosition());
    fromInside->setOwner(toad);
    BulletCharacter* past = fire(SEED, vine->getPosition());
    past->setOwner(toad);
    runFrames(3);
    EXPECT_FALSE(fromInside->isDefeated());
    EXPECT_FALSE(past->isDefeated());
    EXPECT_EQ(vine->getHp(), 30);
}

TEST_F(BulletCharacterTest, TheShooterIsHeldWeakly) {
    EnemyCharacter* toad = spawnEnemy(100, {300, 100});
    BulletCharacter* seed = fire(SEED, {200, 100});
    seed->setOwner(toad);
    seed->setShooterId(toad->getCharacterId());
    EXPECT_EQ(seed->getOwner(), toad);
    toad->removeFromParent();
    runFrames(1);
    EXPECT_EQ(seed->getOwner(), nullptr);
    EXPECT_EQ(seed->getShooterId(), 100) << "the number stays";
    runFrames(5);
    EXPECT_FALSE(seed->isDefeated());
}
