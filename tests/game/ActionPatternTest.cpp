// The interpreter that steers a creature, on characters of the tests' map with tables of the test's
// own: how the AI table picks the action table (first row that holds, the default rows, HP and
// counter conditions, the side test, the lock), how a timeline plays, and what each order does.
#include <gtest/gtest.h>

#include "game/character/PlayerCharacter.h"
#include "tests/support/CreatureFixture.h"

using namespace vastomer;

namespace {

constexpr int SPROUTLING = 1;
constexpr int WISP = 2;

// A table that orders nothing that shows for four steps (0 to 3).
const char* const QUIET = "0,SWITCHWALK,0,true,-\n3,SWITCHWALK,0,true,-\n";

AiRow row(AiCondition condition, int param1, int param2, int value) {
    AiRow r;
    r.condition = condition;
    r.actionTableId = 1;
    r.param1 = param1;
    r.param2 = param2;
    r.value = value;
    return r;
}

ActionRow order(ActionKind action, int param = 0, bool flag = false, const std::string& text = "") {
    ActionRow r;
    r.action = action;
    r.param = param;
    r.flag = flag;
    r.text = text;
    r.number = ActionTableReader::numberIn(text);
    return r;
}

}  // namespace

class ActionPatternSelectionTest : public CreatureFixture {};

TEST_F(ActionPatternSelectionTest, OwnHitPointsTakeOverAtTheirThresholdWithStepZero) {
    writeAi(9001, "HP_S,9102,10,0,0\nDEAFULT,9101\n");
    writeActions(9101, QUIET);
    writeActions(9102, QUIET);
    CharacterSprite* owner = spawn(SPROUTLING, {100, 60});
    owner->setHp(11);
    CharacterActionPettern* pattern = drive(owner, 9001);
    for (int i = 0; i < 2; ++i)
        pattern->tick(0);
    EXPECT_EQ(pattern->getCurrentTableId(), 9101) << "at 11 HP the default table runs";
    EXPECT_EQ(pattern->getStep(), 2);
    owner->setHp(10);
    pattern->tick(0);
    EXPECT_EQ(pattern->getCurrentTableId(), 9102);
    EXPECT_EQ(pattern->getStep(), 1) << "the new table starts at step 0 (and it has run)";
    pattern->tick(0);
    EXPECT_EQ(pattern->getStep(), 2) << "selected again, it keeps its step";
}

TEST_F(ActionPatternSelectionTest, TwoDefaultRowsRestartTheLastOneEveryFrame) {
    writeAi(9002, "DEAFULT,9101\nDEAFULT,9103\n");
    writeActions(9101, QUIET);
    writeActions(9103, "0,SWITCHWALK,0,true,-\n1,SWITCHWALK\n");
    CharacterSprite* owner = spawn(SPROUTLING, {100, 60});
    CharacterActionPettern* pattern = drive(owner, 9002);
    for (int i = 0; i < 5; ++i) {
        pattern->tick(0);
        EXPECT_EQ(pattern->getCurrentTableId(), 9103);
        EXPECT_EQ(pattern->getStep(), 1);
        EXPECT_TRUE(owner->isFullSpeed()) << "only step 0 ever runs";
    }
}

TEST_F(ActionPatternSelectionTest, CountComparesItsSecondParameterWithTheFrameCounter) {
    writeAi(9003, "COUNT,9104,0,120,0\nDEAFULT,9101\n");
    writeActions(9101, QUIET);
    writeActions(9104, QUIET);
    CharacterSprite* owner = spawn(SPROUTLING, {100, 60});
    CharacterActionPettern* pattern = drive(owner, 9003);
    int tookOver = -1;
    for (int i = 0; i < 200 && tookOver < 0; ++i) {
        const int counter = pattern->getFrameCounter();
        pattern->tick(0);
        if (pattern->getCurrentTableId() == 9104) tookOver = counter;
    }
    EXPECT_EQ(tookOver, 120) << "the row COUNT,_,0,120 holds when the counter is 120, not 0";
}

TEST_F(ActionPatternSelectionTest, ThePlayerRightAboveCountsAsInFrontOfACreatureFacingLeft) {
    CharacterSprite* owner = spawn(SPROUTLING, {200, 60});
    CharacterActionPettern* pattern = drive(owner, 9999);
    placePlayer({200, 100});
    ASSERT_TRUE(owner->isFacingLeft());
    EXPECT_TRUE(pattern->holds(row(AiCondition::DISTANCE_P_L, 0, 1, 80)));
    EXPECT_FALSE(pattern->holds(row(AiCondition::DISTANCE_P_L, 0, -1, 80)));
    EXPECT_TRUE(pattern->holds(row(AiCondition::DISTANCE_P_L, 0, 0, 80)));
    EXPECT_FALSE(pattern->holds(row(AiCondition::DISTANCE_P_L, 0, 2, 80))) << "no such side";
    EXPECT_FALSE(pattern->holds(row(AiCondition::DISTANCE_P_L, 0, 1, 40))) << "40 away";
    owner->setFacingLeft(false);
    EXPECT_FALSE(pattern->holds(row(AiCondition::DISTANCE_P_L, 0, 1, 80)));
    EXPECT_TRUE(pattern->holds(row(AiCondition::DISTANCE_P_L, 0, -1, 80)));
    // Further than: her side is told by her middle, 16 to the right of her position.
    placePlayer({185, 60});
    EXPECT_TRUE(pattern->holds(row(AiCondition::DISTANCE_P_G, 0, 1, 10)));
    placePlayer({184, 60});
    EXPECT_FALSE(pattern->holds(row(AiCondition::DISTANCE_P_G, 0, 1, 10)));
}

TEST_F(ActionPatternSelectionTest, TheOtherConditionsReadTheOwnerThePlayerAndThePlace) {
    CharacterSprite* owner = spawn(SPROUTLING, {200, 60});
    CharacterActionPettern* pattern = drive(owner, 9999);
    EXPECT_FALSE(pattern->holds(row(AiCondition::HP_P, 100, 0, 0))) << "no player on the map";
    PlayerCharacter* player = placePlayer({500, 60});
    EXPECT_TRUE(pattern->holds(row(AiCondition::HP_P, 100, 0, 0)));
    EXPECT_FALSE(pattern->holds(row(AiCondition::HP_P, player->getHp() - 1, 0, 0)));
    EXPECT_TRUE(pattern->holds(row(AiCondition::BACKPOS, 0, 0, 0)));
    EXPECT_TRUE(pattern->holds(row(AiCondition::DISTANCE_T_L, 190, 0, 11)));
    EXPECT_FALSE(pattern->holds(row(AiCondition::DISTANCE_T_G, 190, 0, 11)));
    EXPECT_TRUE(pattern->holds(row(AiCondition::DISTANCE_T_G, 190, 0, 9)));
    EXPECT_FALSE(pattern->holds(row(AiCondition::CONT_W, 0, 0, 0))) << "still in the air";
    ASSERT_TRUE(settle(owner));
    EXPECT_TRUE(pattern->holds(row(AiCondition::CONT_W, 0, 0, 0)));
    EXPECT_TRUE(pattern->holds(row(AiCondition::BACKPOS, 0, 0, 0))) << "it fell straight down: x counts";
    owner->setPositionX(201.0f);
    EXPECT_FALSE(pattern->holds(row(AiCondition::BACKPOS, 0, 0, 0)));
    EXPECT_FALSE(pattern->holds(row(AiCondition::CONT_P, 0, 0, 0)));
    EXPECT_FALSE(pattern->holds(row(AiCondition::DEAFULT, 0, 0, 0)));
}

TEST_F(ActionPatternSelectionTest, ALockHoldsTheChoiceUntilTheTableReleasesIt) {
    writeAi(9004, "HP_S,9105,10,0,0\nDEAFULT,9101\n");
    writeActions(9101, QUIET);
    writeActions(9105, "0,LOCKAI,0,true,-\n9,LOCKAI\n");
    CharacterSprite* owner = spawn(SPROUTLING, {100, 60});
    owner->setHp(10);
    CharacterActionPettern* pattern = drive(owner, 9004);
    pattern->tick(0);
    EXPECT_TRUE(pattern->isAiLocked());
    owner->setHp(12);  // the condition fails: the locked table runs on
    const int counter = pattern->getFrameCounter();
    for (int i = 0; i < 8; ++i)
        pattern->tick(0);
    EXPECT_EQ(pattern->getCurrentTableId(), 9105);
    EXPECT_EQ(pattern->getStep(), 9);
    EXPECT_EQ(pattern->getFrameCounter(), counter) << "the counter stands while locked";
    pattern->tick(0);  // step 9 releases the lock and the table wraps
    EXPECT_FALSE(pattern->isAiLocked());
    pattern->tick(0);
    EXPECT_EQ(pattern->getCurrentTableId(), 9101);

    // A lock that its own pass never releases stays: once the table wraps, nothing runs.
    writeAi(9005, "DEAFULT,9106\n");
    writeActions(9106, "0,LOCKAI,0,true,-\n3,SWITCHWALK\n");
    CharacterActionPettern* stuck = drive(spawn(SPROUTLING, {300, 60}), 9005);
    for (int i = 0; i < 10; ++i)
        stuck->tick(0);
    EXPECT_TRUE(stuck->isAiLocked());
    EXPECT_EQ(stuck->getStep(), 0);
    EXPECT_EQ(stuck->getFrameCounter(), 1);
}

TEST_F(ActionPatternSelectionTest, ChangingTheAiTableTakesEffectOnTheNextFrame) {
    writeAi(9006, "DEAFULT,9107\n");
    writeAi(9007, "DEAFULT,9101\n");
    writeActions(9101, QUIET);
    writeActions(9107, "0,CHANGEAI,9007,false,-\n5,COUNTRESET\n");
    CharacterActionPettern* pattern = drive(spawn(SPROUTLING, {100, 60}), 9006);
    pattern->tick(0);
    EXPECT_EQ(pattern->getAiId(), 9007);
    EXPECT_EQ(pattern->getFrameCounter(), 0);
    EXPECT_EQ(pattern->getCurrentTableId(), 9107) << "the running table and step stay for now";
    EXPECT_EQ(pattern->getStep(), 1);
    pattern->tick(0);
    EXPECT_EQ(pattern->getCurrentTableId(), 9101);
}

TEST_F(ActionPatternSelectionTest, MissingTablesRunNothing) {
    CharacterSprite* owner = spawn(SPROUTLING, {100, 60});
    CharacterActionPettern* nothing = drive(owner, 9008);  // no such AI table
    for (int i = 0; i < 3; ++i)
        nothing->tick(0);
    EXPECT_EQ(nothing->getCurrentTableId(), -1);
    writeAi(9009, "DEAFULT,9108\n");  // no such action table
    CharacterActionPettern* missing = drive(owner, 9009);
    for (int i = 0; i < 3; ++i)
        missing->tick(0);
    EXPECT_EQ(missing->getCurrentTableId(), 9108);
    EXPECT_EQ(missing->getStep(), 0) << "the step of a missing table does not advance";
    CharacterActionPettern* halted = CharacterActionPettern::create(9009);
    owner->addChild(halted);
    halted->setOwner(owner);
    halted->tick(0);
    EXPECT_TRUE(halted->isHalted());
    EXPECT_EQ(halted->getCurrentTableId(), -1) << "an interpreter that was not started does nothing";
}

class ActionPatternTimelineTest : public CreatureFixture {};

TEST_F(ActionPatternTimelineTest, StepsWithoutRowsAreFramesWithoutOrders) {
    writeAi(9010, "DEAFULT,9110\n");
    writeActions(9110, "0,FLIP\n60,FLIP\n");
    CharacterSprite* owner = spawn(SPROUTLING, {100, 60});
    CharacterActionPettern* pattern = drive(owner, 9010);
    std::vector<int> turns;
    for (int frame = 1; frame <= 125; ++frame) {
        const bool before = owner->isFacingLeft();
        pattern->tick(0);
        if (owner->isFacingLeft() != before) turns.push_back(frame);
    }
    EXPECT_EQ(turns, (std::vector<int>{1, 61, 62, 122, 123}));
}

class ActionPatternOrderTest : public CreatureFixture {};

TEST_F(ActionPatternOrderTest, FlipFacesTheXInItsTextThePlayerOrTurnsRound) {
    CharacterSprite* owner = spawn(SPROUTLING, {300, 60});
    CharacterActionPettern* pattern = drive(owner, 9999);
    owner->setFacingLeft(false);
    pattern->execute(order(ActionKind::FLIP, 0, false, "250"));
    EXPECT_TRUE(owner->isFacingLeft()) << "250 is to the left of 300";
    owner->setPositionX(250.0f);
    pattern->execute(order(ActionKind::FLIP, 0, false, "250"));
    EXPECT_FALSE(owner->isFacingLeft()) << "at 250 it faces right";
    pattern->execute(order(ActionKind::FLIP, 0, false, "far"));
    EXPECT_TRUE(owner->isFacingLeft()) << "a text that is no number is x 0";
    pattern->execute(order(ActionKind::FLIP));
    EXPECT_FALSE(owner->isFacingLeft()) << "no text: it turns round";
    EXPECT_FLOAT_EQ(owner->getScaleX(), -1.0f);
    placePlayer({100, 60});
    pattern->execute(order(ActionKind::FLIP, 0, true, "-"));
    EXPECT_TRUE(owner->isFacingLeft()) << "it faces the player";
}

TEST_F(ActionPatternOrderTest, WaitMoveAndSwitchWalkDriveTheWalker) {
    CharacterSprite* owner = spawn(SPROUTLING, {200, 60});
    ASSERT_TRUE(settle(owner));
    CharacterActionPettern* pattern = drive(owner, 9999);
    pattern->execute(order(ActionKind::SWITCHWALK, 0, false));
    EXPECT_FALSE(owner->isFullSpeed());
    pattern->execute(order(ActionKind::MOVE));
    EXPECT_FLOAT_EQ(owner->getMoveX(), -0.5f) << "half of motionB a step while walking, along its facing";
    EXPECT_TRUE(owner->isShowing(CharacterAnimState::RUN));
    pattern->execute(order(ActionKind::SWITCHWALK, 0, true));
    pattern->execute(order(ActionKind::MOVE));
    EXPECT_FLOAT_EQ(owner->getMoveX(), -1.5f);
    pattern->execute(order(ActionKind::WAIT));
    EXPECT_FLOAT_EQ(owner->getMoveX(), 0.0f);
    EXPECT_TRUE(owner->isShowing(CharacterAnimState::RUN)) << "it coasts in the motion it had";
    pattern->execute(order(ActionKind::WAIT, 0, true));
    EXPECT_TRUE(owner->isShowing(CharacterAnimState::WAIT)) << "with the flag it halts and waits";
}

TEST_F(ActionPatternOrderTest, JumpsPushWhileTheirRowsComeAndAnyOtherOrderEndsThem) {
    CharacterSprite* owner = spawn(SPROUTLING, {200, 60});
    ASSERT_TRUE(settle(owner));
    CharacterActionPettern* pattern = drive(owner, 9999);
    pattern->execute(order(ActionKind::MOVE_JUMP));
    EXPECT_TRUE(owner->isJumping()) << "the first call arms the jump";
    EXPECT_LT(owner->getMoveX(), 0.0f);
    pattern->execute(order(ActionKind::JUMP));
    EXPECT_FLOAT_EQ(owner->getMoveY(), owner->getJumpPower()) << "then it pushes";
    pattern->execute(order(ActionKind::VMOVE));
    EXPECT_TRUE(owner->isJumping()) << "VMOVE leaves the push on";
    pattern->execute(order(ActionKind::COUNTRESET));
    EXPECT_FALSE(owner->isJumping()) << "any other order ends it";
}

TEST_F(ActionPatternOrderTest, AFlyerFollowingThePlayersHeightKeepsOneMotion) {
    CharacterSprite* wisp = spawn(WISP, {300, 150});
    CharacterActionPettern* pattern = drive(wisp, 9999);
    placePlayer({200, 250});  // far above
    pattern->execute(order(ActionKind::MOVE, 0, true, "-"));
    EXPECT_GT(wisp->getMoveY(), 0.0f) << "it climbs towards her";
    EXPECT_LT(wisp->getMoveX(), 0.0f);
    const std::string running = wisp->getAnimation()->getFileName();
    EXPECT_TRUE(wisp->isShowing(CharacterAnimState::RUN));
    for (int i = 0; i < 12; ++i) {
        pattern->execute(order(ActionKind::MOVE, 0, true, "-"));
        runFrames(1);
    }
    EXPECT_TRUE(wisp->isShowing(CharacterAnimState::RUN));
    EXPECT_GT(wisp->getAnimation()->getCurrentFrame(), 0) << "the motion plays on, it is not restarted";
    placePlayer({200, 150 + 20});  // within 30 of its height: no climb
    pattern->execute(order(ActionKind::MOVE, 0, true, "-"));
    EXPECT_FLOAT_EQ(wisp->getMoveY(), 0.0f);
    pattern->execute(order(ActionKind::VMOVE, 0, true));
    EXPECT_LT(wisp->getMoveY(), 0.0f) << "VMOVE with the flag goes down";
}

TEST_F(ActionPatternOrderTest, BackToBaseReturnsOnlyFromFurtherThanItsParameter) {
    CharacterSprite* wisp = spawn(WISP, {300, 150});
    CharacterActionPettern* pattern = drive(wisp, 9999);  // the base is (300, 150)
    wisp->setPosition(340, 150);
    pattern->execute(order(ActionKind::BACKTOBASE, 50));
    EXPECT_FLOAT_EQ(wisp->getMoveX(), 0.0f) << "40 away is near enough";
    wisp->setFacingLeft(false);
    pattern->execute(order(ActionKind::BACKTOBASE, 30));
    EXPECT_TRUE(wisp->isFacingLeft());
    EXPECT_LT(wisp->getMoveX(), 0.0f);
    EXPECT_LT(wisp->getMoveY(), 0.0f) << "a creature without gravity also flies down";
}

TEST_F(ActionPatternOrderTest, AttackAndSuicideReachTheCreature) {
    EnemyCharacter* enemy = spawnEnemy(3, {200, 60});
    ASSERT_NE(enemy, nullptr);
    ASSERT_TRUE(settle(enemy));
    CharacterActionPettern* pattern = drive(enemy, 9999);
    pattern->execute(order(ActionKind::ATTACK, 1));
    EXPECT_TRUE(enemy->isAttacking());
    EXPECT_EQ(enemy->getAnimation()->getFileName(), "anime/0003_ATTACK_0_1.cma");
    runFrames(120);
    EXPECT_FALSE(enemy->isAttacking()) << "the attack ends with its animation";
    pattern->execute(order(ActionKind::SUICIDE));
    EXPECT_TRUE(enemy->isDefeated());
}
