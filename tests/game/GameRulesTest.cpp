// The game rules at their edges: damage, gains, tiers, rank keys and the hint picker.
#include <climits>
#include <cstdlib>
#include <map>

#include <gtest/gtest.h>

#include "game/data/GameRules.h"

using namespace vastomer;

namespace {

WearMaster wear(const std::string& effect, int spBonus = 0, int lpBonus = 0) {
    WearMaster w;
    w.id = 1;
    w.spBonus = spBonus;
    w.lpBonus = lpBonus;
    w.effect = effect;
    return w;
}

HintEntry hint(int scriptNo, int needCleared, int notCleared) {
    return HintEntry{scriptNo, needCleared, notCleared, -1};
}

}  // namespace

TEST(GameRulesTest, DamageTakenByDifficultyAndWear) {
    EXPECT_EQ(GameRules::adjustDamageTaken(1, 0, "none"), 1);  // halved to 0, raised to 1
    EXPECT_EQ(GameRules::adjustDamageTaken(5, 0, "none"), 2);
    EXPECT_EQ(GameRules::adjustDamageTaken(7, 1, "none"), 7);
    EXPECT_EQ(GameRules::adjustDamageTaken(3, 2, "none"), 4);  // 4.5 truncated
    EXPECT_EQ(GameRules::adjustDamageTaken(4, 1, "saintfield"), 3);
    EXPECT_EQ(GameRules::adjustDamageTaken(1, 1, "saintfield"),
              0);  // the field comes after the floor of 1
    EXPECT_EQ(GameRules::adjustDamageTaken(1, 0, "saintfield"), 0);
    EXPECT_EQ(GameRules::adjustDamageTaken(0, 2, "none"), 0);
    EXPECT_EQ(GameRules::adjustDamageTaken(-6, 0, "none"), -6);
    EXPECT_EQ(GameRules::adjustDamageTaken(9, 7, "none"), 9);  // an unknown difficulty counts as normal
    EXPECT_EQ(GameRules::adjustDamageTaken(INT_MAX, 2, "none"), INT_MAX);
}

TEST(GameRulesTest, DamageDealtDoublesWhenBoostedAndOnEasy) {
    EXPECT_EQ(GameRules::adjustDamageDealt(5, false, 1), 5);
    EXPECT_EQ(GameRules::adjustDamageDealt(5, true, 1), 10);
    EXPECT_EQ(GameRules::adjustDamageDealt(5, false, 0), 10);
    EXPECT_EQ(GameRules::adjustDamageDealt(5, true, 0), 20);
    EXPECT_EQ(GameRules::adjustDamageDealt(5, true, 2), 10);
    EXPECT_EQ(GameRules::adjustDamageDealt(0, true, 0), 0);
    EXPECT_EQ(GameRules::adjustDamageDealt(-3, true, 0), -3);
    EXPECT_EQ(GameRules::adjustDamageDealt(INT_MAX / 2, true, 0), INT_MAX);
}

TEST(GameRulesTest, SpecialPointGainPerWearEffect) {
    EXPECT_EQ(GameRules::spGainFor(5, wear("none")), 50);
    EXPECT_EQ(GameRules::spGainFor(5, wear("none", 3)), 53);
    EXPECT_EQ(GameRules::spGainFor(5, wear("mpincrup", 3)), 106);
    EXPECT_EQ(GameRules::spGainFor(5, wear("powerarmor")), 100);
    EXPECT_EQ(GameRules::spGainFor(5, wear("buttnaked")), 250);
    EXPECT_EQ(GameRules::spGainFor(5, wear("lustup")), 50);
    EXPECT_EQ(GameRules::spGainFor(0, WearMaster()), 0);
    EXPECT_EQ(GameRules::spGainFor(INT_MAX, wear("buttnaked")), INT_MAX);
}

TEST(GameRulesTest, LpGainPerWearEffect) {
    EXPECT_EQ(GameRules::lpGain(wear("none")), 5);
    EXPECT_EQ(GameRules::lpGain(wear("buttnaked")), 50);
    EXPECT_EQ(GameRules::lpGain(wear("lustup", 0, 1)), 30);
    EXPECT_EQ(GameRules::lpGain(wear("mpincrup", 0, 2)), 25);
    EXPECT_EQ(GameRules::lpGain(wear("none", 0, -1)), 15);  // a gain below 1 becomes 15
    EXPECT_EQ(GameRules::lpGain(WearMaster()), 5);
}

TEST(GameRulesTest, LpTiers) {
    struct Case {
        int lp;
        int tier;
    } cases[] = {{500, 500}, {499, 450}, {451, 450}, {450, 250}, {251, 250},
                 {250, 100}, {101, 100}, {100, 0},   {0, 0}};
    for (const Case& c : cases)
        EXPECT_EQ(GameRules::lpTier(c.lp), c.tier) << c.lp;
}

TEST(GameRulesTest, RankKeysAtTheirEdges) {
    struct Case {
        int value;
        const char* power;
        const char* interval;
    } cases[] = {
        {91, "S", "E"}, {90, "S", "D"}, {71, "S", "D"}, {70, "S", "C"}, {51, "S", "C"},
        {50, "S", "B"}, {31, "S", "B"}, {30, "S", "A"}, {21, "S", "A"}, {20, "A", "A"},
        {16, "A", "A"}, {15, "B", "A"}, {11, "B", "A"}, {10, "C", "S"}, {6, "C", "S"},
        {5, "D", "S"},  {4, "D", "S"},  {3, "E", "S"},  {0, "E", "S"},  {-1, "E", "S"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.value);
        EXPECT_EQ(GameRules::powerRankKey(c.value), std::string("STATUS_WEAPON_") + c.power);
        EXPECT_EQ(GameRules::intervalRankKey(c.value), std::string("STATUS_WEAPON_") + c.interval);
    }
}

TEST(GameRulesHintPickerTest, DrawsOverAllButTheLastHint) {
    std::vector<HintEntry> hints = {hint(1, 1, -1), hint(2, 1, -1)};
    auto noScores = [](int) { return 0; };
    auto stageOneCleared = [](int stage) { return stage == 1 ? 300 : 0; };
    std::vector<int> asked;
    auto draw = [&asked](int n) {
        asked.push_back(n);
        return n - 1;  // the highest index the draw allows
    };
    for (int i = 0; i < 5; ++i)
        EXPECT_EQ(GameRules::pickHint(hints, draw, stageOneCleared, 0).scriptNo, 1);
    EXPECT_EQ(asked, std::vector<int>(5, 1));

    // With one or no hint, nothing can be drawn; the picker does not draw at all.
    asked.clear();
    EXPECT_EQ(GameRules::pickHint({hint(3, 1, -1)}, draw, noScores, 0).scriptNo, -1);
    HintEntry none = GameRules::pickHint({}, draw, noScores, 0);
    EXPECT_EQ(none.scriptNo, -1);
    EXPECT_EQ(none.needCleared, -1);
    EXPECT_EQ(none.notCleared, -1);
    EXPECT_EQ(none.needWear, -1);
    EXPECT_TRUE(asked.empty());
}

TEST(GameRulesHintPickerTest, EvenTheFirstDrawNeedsItsStageCleared) {
    // A hint about stage 3 (needs stage 2 cleared, no "not cleared" condition) is never shown to a
    // new game, however the draws fall.
    std::vector<HintEntry> hints = {hint(7, 2, -1), hint(9, 1, -1)};
    std::map<int, int> scores;
    auto bestScore = [&scores](int stage) { return scores.count(stage) ? scores[stage] : 0; };
    int calls = 0;
    auto firstHint = [&calls](int) {
        ++calls;
        return 0;
    };
    EXPECT_EQ(GameRules::pickHint(hints, firstHint, bestScore, 0).scriptNo, -1);
    EXPECT_EQ(calls, 101);

    // Once stage 2 is cleared the first draw wins at once.
    scores[2] = 4200;
    calls = 0;
    EXPECT_EQ(GameRules::pickHint(hints, firstHint, bestScore, 0).scriptNo, 7);
    EXPECT_EQ(calls, 1);
}

TEST(GameRulesHintPickerTest, RetriesUntilAHintsConditionsHold) {
    std::vector<HintEntry> hints = {hint(1, 3, 2), hint(4, 3, -1), hint(2, 1, 2), hint(9, 1, -1)};
    std::map<int, int> scores = {{1, 500}, {2, 0}};
    auto bestScore = [&scores](int stage) { return scores.count(stage) ? scores[stage] : 0; };
    // Draws 0 (stage 3 not cleared: refused), 1 (on a retry even a hint without "not cleared" needs
    // its stage cleared: refused), then 2 (accepted).
    std::vector<int> sequence = {0, 1, 2};
    std::size_t next = 0;
    auto draw = [&](int) { return sequence[std::min(next++, sequence.size() - 1)]; };
    EXPECT_EQ(GameRules::pickHint(hints, draw, bestScore, 0).scriptNo, 2);
    EXPECT_EQ(next, 3u);

    // Once stage 2 is cleared that hint is refused too; after 1 + 100 draws the picker gives up.
    scores[2] = 800;
    int calls = 0;
    auto alwaysTwo = [&calls](int) {
        ++calls;
        return 2;
    };
    EXPECT_EQ(GameRules::pickHint(hints, alwaysTwo, bestScore, 0).scriptNo, -1);
    EXPECT_EQ(calls, 101);
}
