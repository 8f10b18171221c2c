// The attack events that make further characters and tentacles, on the play screen of the tests'
// stage 1: where a summoned creature appears and which way it faces, how it joins the map (with the
// group boss's count), the plain "ally" character, a summon that cannot be made, a tentacle that
// grows towards Quorin, and events with too few fields.
#include <gtest/gtest.h>

#include "engine/physics/PhysicsBody.h"
#include "game/character/AttackEvents.h"
#include "game/character/BulletCharacter.h"
#include "game/character/CharacterActionPettern.h"
#include "game/character/EnemyCharacter.h"
#include "tests/support/PlayFixture.h"

using namespace vastomer;

namespace {

constexpr int SPROUTLING = 1;
constexpr int BULB = 21;

}  // namespace

class SpawnEventTest : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        ASSERT_NE(startStage(1), nullptr);
        ASSERT_TRUE(runUntilPlayable());
        summoner_ = EnemyCharacter::create(SPROUTLING, 0, "enemy", 0);
        summoner_->setPosition(300, 60);
        map()->getCharacterLayer()->addChild(summoner_);
        map()->addCharacter(summoner_);
        summoner_->setActionLocked(true);
        player()->setPosition(100, 52);
    }

    // The character the event made: the last one on the map's list.
    CharacterSprite* summon(const std::string& parameters) {
        const std::size_t before = map()->getCharacters().size();
        AttackEvents::handle(summoner_, "summon", parameters, -1, "anime/test.cma");
        std::vector<CharacterSprite*> list = map()->getCharacters();
        return list.size() > before ? list.back() : nullptr;
    }
    BulletCharacter* grow(const std::string& parameters) {
        AttackEvents::handle(summoner_, "tentacle", parameters, -1, "anime/test.cma");
        return summoner_->getLastSegment();
    }

    EnemyCharacter* summoner_ = nullptr;
};

TEST_F(SpawnEventTest, ASummonedCreatureAppearsWhereItsPlaceSaysAndJoinsTheMap) {
    const int index = map()->getMarkerCharacterCount();
    CharacterSprite* bulb = summon("-60:0.9:bulb:21:0:direct");
    ASSERT_NE(bulb, nullptr);
    auto* enemy = dynamic_cast<EnemyCharacter*>(bulb);
    ASSERT_NE(enemy, nullptr);
    EXPECT_EQ(bulb->getCharacterId(), BULB);
    EXPECT_EQ(bulb->getSpawnKind(), "enemy") << "the name field is not used for a creature";
    EXPECT_EQ(bulb->getPosition(), engine::Vec2(240, 60)) << "in front of a summoner facing left";
    EXPECT_EQ(bulb->getPartner(), summoner_);
    EXPECT_EQ(bulb->getParent(), summoner_->getParent());
    EXPECT_EQ(bulb->getSpawnIndex(), index);
    EXPECT_EQ(map()->getMarkerCharacterCount(), index) << "a summon does not count as a marker";
    EXPECT_FALSE(enemy->getPattern()->isHalted()) << "it acts at once";
    EXPECT_TRUE(bulb->isGravityActive());
    EXPECT_TRUE(bulb->isFacingLeft());

    summoner_->setFacingLeft(false);
    EXPECT_EQ(summon("-60:0:bulb:21:0:direct")->getPositionX(), 360.0f) << "mirrored when it faces right";
    EXPECT_EQ(summon("5:48:bulb:21:0:playerX")->getPosition(), engine::Vec2(105, 108));
    EXPECT_EQ(summon("5:48:bulb:21:0:playerY")->getPosition(), engine::Vec2(305, 100));
    EXPECT_EQ(summon("5:48:bulb:21:0:player")->getPosition(), engine::Vec2(105, 100));
    EXPECT_EQ(summon("5:48:bulb:21:0:abs")->getPosition(), engine::Vec2(5, 48));
    EXPECT_EQ(summon("5:48:bulb:21:0:here")->getPosition(), engine::Vec2(305, 108));
}

TEST_F(SpawnEventTest, ASummonedCreatureFacesAsItsRuleSays) {
    ASSERT_TRUE(summoner_->isFacingLeft());
    EXPECT_TRUE(summon("0:0:b:21:0:direct")->isFacingLeft()) << "0: as the summoner";
    EXPECT_FALSE(summon("0:0:b:21:1:direct")->isFacingLeft()) << "1: opposite";
    EXPECT_FALSE(summon("0:0:b:21:2:direct")->isFacingLeft()) << "2: the player (x 100) is not to its right";
    EXPECT_TRUE(summon("-250:0:b:21:2:direct")->isFacingLeft()) << "2: the player is to its right";
    EXPECT_TRUE(summon("0:0:b:21:3:direct")->isFacingLeft());
    CharacterSprite* right = summon("0:0:b:21:4:direct");
    EXPECT_FALSE(right->isFacingLeft());
    EXPECT_FLOAT_EQ(right->getScaleX(), -1.0f) << "its picture turns too";
}

TEST_F(SpawnEventTest, AnAllyIsAPlainCharacterNamedByTheEvent) {
    CharacterSprite* ally = summon("0:40:helper:21:0:direct:ally");
    ASSERT_NE(ally, nullptr);
    EXPECT_EQ(dynamic_cast<EnemyCharacter*>(ally), nullptr) << "no interpreter";
    EXPECT_EQ(ally->getSpawnKind(), "helper");
    EXPECT_EQ(ally->getPhysicsBody()->getName(), "helper");
    EXPECT_EQ(ally->getPartner(), summoner_);
}

TEST_F(SpawnEventTest, SummonsThatCannotBeMadeAndShortEventsMakeNothing) {
    const std::size_t count = map()->getCharacters().size();
    testing::internal::CaptureStderr();
    EXPECT_EQ(summon("0:0:ghost:4242:0:direct"), nullptr);
    EXPECT_EQ(summon("0:0:bulb:21"), nullptr);
    AttackEvents::handle(summoner_, "tentacle", "25:enemyBullet:ABS", -1, "anime/test.cma");
    AttackEvents::handle(summoner_, "grapplebody", "enemygrapple:10:20", -1, "anime/test.cma");
    AttackEvents::handle(summoner_, "shootbody", "2:30:enemyBullet", -1, "anime/test.cma");
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_EQ(map()->getCharacters().size(), count);
    EXPECT_EQ(summoner_->getLastSegment(), nullptr);
    EXPECT_TRUE(summoner_->getTimedNodes().empty());
    EXPECT_NE(errors.find("summons character 4242, which cannot be made; skipped"), std::string::npos)
        << errors;
    EXPECT_NE(errors.find("anime/test.cma: animation event summon \"0:0:bulb:21\" has 4 field(s), needs 6"),
              std::string::npos)
        << errors;
    EXPECT_NE(errors.find("tentacle \"25:enemyBullet:ABS\" has 3 field(s), needs 9"), std::string::npos);
    EXPECT_NE(errors.find("grapplebody \"enemygrapple:10:20\" has 3 field(s), needs 8"), std::string::npos);
    EXPECT_NE(errors.find("shootbody \"2:30:enemyBullet\" has 3 field(s), needs 4"), std::string::npos)
        << "a creature's shot must name its weapon";
}

TEST_F(SpawnEventTest, ATentacleGrowsTowardsQuorinSegmentBySegment) {
    // The summoner's lower-left corner is (288, 48); Quorin stands at x 100, 60 lower.
    player()->setPosition(100, 0);
    BulletCharacter* first = grow("25:enemyBullet:ABS:0:20:PLAYER:16.5:8:30");
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->getPosition(), engine::Vec2(271, 60)) << "x 288 - 16.5 truncated; y 68 - 8";
    EXPECT_EQ(summoner_->getSegmentStep(), engine::Vec2(-16.5f, -8.0f));
    EXPECT_EQ(first->getHp(), 30);
    EXPECT_TRUE(first->isWearsEveryFrame());
    EXPECT_EQ(first->getOwner(), summoner_);
    EXPECT_EQ(first->getShooterId(), SPROUTLING);
    EXPECT_EQ(first->getSpawnKind(), "enemyBullet");
    first->setActionLocked(true);
    BulletCharacter* second = grow("25:enemyBullet:PREV:0:0:PREV:0:0:30");
    ASSERT_NE(second, first);
    EXPECT_EQ(second->getPosition(), engine::Vec2(254, 52)) << "the last step again from the last segment";
    BulletCharacter* third = grow("25:enemyBullet:PREV:0:0:PLAYER:16:8:30");
    EXPECT_EQ(third->getPosition(), engine::Vec2(238, 44));

    // Level with her and within a step: the step turns towards her and the segment stays put.
    player()->setPosition(280, 50);
    BulletCharacter* close = grow("25:enemyBullet:ABS:0:0:PLAYER:16:8:30");
    EXPECT_EQ(close->getPosition(), engine::Vec2(288, 48));
    EXPECT_EQ(summoner_->getSegmentStep(), engine::Vec2(-16, 0));
    EXPECT_EQ(grow("25:enemyBullet:ABS:0:0:NONE:16:8:30")->getPosition(), engine::Vec2(288, 48));
    EXPECT_EQ(grow("25:enemyBullet:here:7:9:NONE:16:8:30")->getPosition(), engine::Vec2(7, 9));
    summoner_->setFacingLeft(false);
    EXPECT_EQ(grow("25:enemyBullet:ABS:4:0:NONE:16:8:30")->getPosition(), engine::Vec2(308, 48))
        << "measured from the right edge when it faces right";

    const int shots = DataManager::getInstance()->getShotCount();
    BulletCharacter* last = summoner_->getLastSegment();
    grow("999:enemyBullet:ABS:0:0:NONE:16:8:30");
    EXPECT_EQ(summoner_->getLastSegment(), last);
    EXPECT_EQ(DataManager::getInstance()->getShotCount(), shots) << "no record, no segment";

    // In the open (a wall or the ground would wear it too).
    engine::WeakRef<BulletCharacter> segment(grow("25:enemyBullet:here:150:150:NONE:0:0:30"));
    segment->setActionLocked(true);
    runFrames(29);
    EXPECT_TRUE(segment) << "it lives as many frames as its points";
    runFrames(2);
    EXPECT_FALSE(segment);
}
