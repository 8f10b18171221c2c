// The play controller: how contact pairs are ordered and routed, part changes by sensors and the
// fall-out net, the per-press input rules, the pause, and the names of the story's files.
#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsShape.h"
#include "tests/support/PlayFixture.h"

using namespace vastomer;

namespace {

class PlayControllerTest : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        ASSERT_NE(startStage(1), nullptr);
        ASSERT_TRUE(runUntilPlayable());
    }

    int part() const { return DataManager::getInstance()->getCurrentPart(); }
};

engine::PhysicsShape* namedShape(const std::string& name,
                                 std::vector<engine::RefPtr<engine::PhysicsBody>>& keep) {
    engine::PhysicsBody* body = engine::PhysicsBody::createBox(engine::Size(4, 4));
    body->setName(name);
    keep.emplace_back(body);
    return body->getFirstShape();
}

}  // namespace

using PlayControllerOrderTest = GameFixture;

TEST_F(PlayControllerOrderTest, ThePlayerComesFirstThenCreaturesThenBullets) {
    std::vector<engine::RefPtr<engine::PhysicsBody>> keep;
    auto first = [&keep](const std::string& a, const std::string& b) {
        engine::PhysicsShape* shapeA = namedShape(a, keep);
        engine::PhysicsShape* shapeB = namedShape(b, keep);
        PlayController::ContactPair pair = PlayController::orderPair(shapeA, shapeB, engine::Vec2(1, 0));
        EXPECT_EQ(pair.normal.x, pair.first == shapeA ? 1.0f : -1.0f) << "the normal follows the order";
        return pair.first->getBody()->getName();
    };
    EXPECT_EQ(first("ground", "PLAYER"), "PLAYER");
    EXPECT_EQ(first("PLAYER", "enemy"), "PLAYER");
    EXPECT_EQ(first("enemy", "PLAYER"), "PLAYER");
    EXPECT_EQ(first("ground", "enemy"), "enemy");
    EXPECT_EQ(first("bulletBody", "enemy"), "enemy");
    EXPECT_EQ(first("enemy", "bulletBody"), "enemy");
    EXPECT_EQ(first("wall", "enemyBullet"), "enemyBullet");
    EXPECT_EQ(first("PLAYER", "enemyBullet"), "PLAYER");
    EXPECT_EQ(first("ground", "bulletBody"), "bulletBody");
    EXPECT_EQ(first("move", "ground"), "move");
}

TEST(PlayControllerNamesTest, ScenarioAndDramaFilesAreNamedByStagePartAndTier) {
    EXPECT_EQ(PlayController::scenarioFileName("scenario/oim_", 2, 3, 1, false),
              "scenario/oim_0002_0003_0001.bks");
    EXPECT_EQ(PlayController::scenarioFileName("scenario/sed_0001.bks", 2, 3, 1, true),
              "scenario/sed_0001.bks");
    EXPECT_EQ(PlayController::dramaFileName(12, 100), "drama/dramaPart_012_01.bds");
    EXPECT_EQ(PlayController::dramaFileName(12, 101), "drama/dramaPart_012_02.bds");
    EXPECT_EQ(PlayController::dramaFileName(12, 450), "drama/dramaPart_012_02.bds");
    EXPECT_EQ(PlayController::dramaFileName(12, 451), "drama/dramaPart_012_03.bds");
}

TEST_F(PlayControllerTest, AMoveSensorChangesThePartOnTheNextFrame) {
    // The sensor of part 1 spans x 928-960, y 32-160, and leads to part 2's start point.
    player()->setPosition(900.0f, 52.0f);
    bool pendingSeen = false;
    for (int i = 0; i < 40 && part() == 1; ++i) {
        sendKey(playtest::RIGHT, true);
        runFrames(1);
        if (controller()->isMapChangePending()) {
            pendingSeen = true;
            EXPECT_EQ(part(), 1) << "never inside the physics step";
            EXPECT_EQ(controller()->getPendingPart(), 2);
            EXPECT_EQ(controller()->getPendingMarker(), -1);
        }
    }
    sendKey(playtest::RIGHT, false);
    EXPECT_TRUE(pendingSeen);
    ASSERT_EQ(part(), 2);
    EXPECT_EQ(map()->getMapFile(), "data/map/md_0001_02.tmx");
    EXPECT_EQ(player()->getPosition(), engine::Vec2(48, 80));
    EXPECT_EQ(player()->getParent(), map()->getCharacterLayer());
    EXPECT_TRUE(player()->isFrozen()) << "until she lands";
    EXPECT_EQ(DataManager::getInstance()->getPreviousPart(), 1);

    // Part 2's sensor at its left edge has the type "1:1": part 1, appear point 1.
    ASSERT_TRUE(runUntilPlayable());
    player()->setPosition(16.0f, 52.0f);
    for (int i = 0; i < 5 && part() == 2; ++i)
        runFrames(1);
    ASSERT_EQ(part(), 1);
    EXPECT_EQ(player()->getPosition(), engine::Vec2(900, 80));
}

TEST_F(PlayControllerTest, TheNetUnderAPitPutsThePlayerBackAtTheStartOfThePart) {
    // No "move" sensor was crossed yet: the net re-enters the part being played.
    player()->setPosition(752.0f, 52.0f);
    for (int i = 0; i < 60 && player()->getPositionY() > -30.0f && player()->getPositionY() < 79.0f; ++i)
        runFrames(1);
    EXPECT_EQ(part(), 1);
    EXPECT_EQ(player()->getPosition(), engine::Vec2(48, 80));
    EXPECT_EQ(controller()->getPendingPart(), 1);
}

TEST_F(PlayControllerTest, WalkingOffTheLedgeIntoThePitFallsInsteadOfHovering) {
    // Ground box B ends at x 720; a few steps right from 712 leave it.
    player()->setPosition(712.0f, 52.0f);
    runFrames(3);
    press(playtest::RIGHT, 14);
    float lowest = 100.0f;
    for (int i = 0; i < 60 && player()->getPositionY() < 79.0f; ++i) {
        runFrames(1);
        lowest = std::min(lowest, player()->getPositionY());
    }
    EXPECT_LT(lowest, 0.0f) << "she dropped into the pit";
    EXPECT_EQ(player()->getPosition(), engine::Vec2(48, 80)) << "and the net sent her back";
}

TEST_F(PlayControllerTest, OnePressSwitchesTheWeaponOnceHoweverLongItIsHeld) {
    PlayInterface* hud = scene()->getPlayInterface();
    sendKey(playtest::BUTTON3, true);
    runFrames(10);
    EXPECT_TRUE(player()->getWeaponMode());
    EXPECT_TRUE(hud->isShowingShotWeapon());
    EXPECT_TRUE(controller()->isModeSwitchLatch());
    sendKey(playtest::BUTTON3, false);
    runFrames(1);
    EXPECT_FALSE(controller()->isModeSwitchLatch());

    // While attacking the press switches nothing but still latches.
    press(playtest::OK, 1);
    ASSERT_TRUE(player()->isAttacking());
    press(playtest::BUTTON3, 2);
    EXPECT_TRUE(player()->getWeaponMode());
    EXPECT_TRUE(hud->isShowingShotWeapon());
}

TEST_F(PlayControllerTest, PauseFreezesTheStageAndANewPressResumesIt) {
    sendKey(playtest::PAUSE, true);
    runFrames(5);
    ASSERT_TRUE(controller()->isPauseShown());
    EXPECT_TRUE(player()->isPaused());
    EXPECT_TRUE(map()->isActionLocked());
    runFrames(5);
    EXPECT_TRUE(controller()->isPauseShown()) << "the held key does not close it again";
    sendKey(playtest::PAUSE, false);
    runFrames(10);
    press(playtest::PAUSE, 1);
    runFrames(15);
    EXPECT_FALSE(controller()->isPauseShown());
    EXPECT_FALSE(player()->isPaused());
    EXPECT_FALSE(map()->isActionLocked());
}

TEST_F(PlayControllerTest, AScenarioSensorWithoutItsScriptLetsPlayGoOn) {
    // The sensor at x 200-216 asks for scenario/oim_0001_0001_0001.bks, which does not exist.
    EXPECT_FALSE(controller()->startScenario("scenario/oim_", 1, nullptr, false));
    player()->setPosition(208.0f, 52.0f);
    runFrames(3);
    EXPECT_TRUE(controller()->isActive());
    EXPECT_FALSE(player()->isFrozen());
    EXPECT_FALSE(scene()->isScenarioRunning());
}

TEST_F(PlayControllerTest, TheEndOfFrameCopiesHitPointsAndRefreshesTheGauges) {
    DataManager* data = DataManager::getInstance();
    player()->setHp(40);
    data->setSp(120);
    data->setLp(260);
    runFrames(1);
    EXPECT_EQ(data->getHp(), 40);
    PlayInterface* hud = scene()->getPlayInterface();
    EXPECT_FLOAT_EQ(hud->getHpGauge()->getValue(), 40.0f);
    EXPECT_FLOAT_EQ(hud->getSpGauge()->getValue(), 120.0f);
    EXPECT_EQ(hud->getLpGauge()->getLastValue(), 260);
}
