// The real `quorin` program with creatures: a scripted Quorin fells the Sproutling of the tests' stage
// 1, and the state dump shows the fight (the characters and bullets sections) and its rewards.
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/Files.h"
#include "tests/support/PlayFixture.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

const std::string FIGHT = testsupport::projectTestFile("game/data/fight_sproutling.txt");

class CreatureProgramTest : public ::testing::Test {
protected:
    nlohmann::json runUntil(int frames) {
        testsupport::TempFolder data;
        playtest::writeStoryReadSave(data.path());  // the fight, without the stage's talks
        const std::string dump = temp_ / ("s" + std::to_string(frames) + ".json");
        testsupport::ProgramRun game = testsupport::runProgram(
            testsupport::buildProgram("quorin"),
            {"--headless", "--res", playtest::resourceRoot(), "--data-dir", data.path(), "--lang", "en",
             "--stage", "1", "--input", FIGHT, "--frames", std::to_string(frames), "--dump-state", dump});
        EXPECT_EQ(game.exitCode, 0) << game.describe();
        return nlohmann::json::parse(testsupport::readFile(dump));
    }

    testsupport::TempFolder temp_;
};

nlohmann::json creature(const nlohmann::json& state, int id) {
    for (const nlohmann::json& entry : state["characters"])
        if (entry["id"] == id) return entry;
    return nullptr;
}

}  // namespace

TEST_F(CreatureProgramTest, AScriptedQuorinFellsASproutlingAndTheDumpShowsTheRewards) {
    const nlohmann::json before = runUntil(150);
    const nlohmann::json sproutling = creature(before, 1);
    ASSERT_FALSE(sproutling.is_null()) << before["characters"].dump();
    EXPECT_EQ(sproutling["kind"], "enemy");
    EXPECT_EQ(sproutling["hp"], 12);
    EXPECT_EQ(sproutling["ai"]["table"], 1);
    EXPECT_EQ(sproutling["action"]["table"], 10) << "it ambles on the ground";
    EXPECT_GT(sproutling["frameCounter"].get<int>(), 0);
    EXPECT_EQ(sproutling["invincibleFrames"], 0);
    EXPECT_TRUE(before["bullets"].is_array());
    EXPECT_EQ(before["progress"]["score"], 0);

    const nlohmann::json after = runUntil(300);
    EXPECT_TRUE(creature(after, 1).is_null()) << "felled, faded and gone: " << after["characters"].dump();
    EXPECT_EQ(after["progress"]["score"], 60);
    EXPECT_EQ(after["progress"]["sp"], 50) << "its attack 5, ten Spirit a point";
    EXPECT_EQ(after["progress"]["situations"]["1"], true) << "the situation of its grapple event";
    EXPECT_EQ(after["hud"]["scoreShown"], 60) << "the HUD has counted it up";
    EXPECT_EQ(after["player"]["lastAttacker"]["id"], 1) << "it bumped into her once";
    EXPECT_EQ(after["player"]["hp"], 95);
    EXPECT_TRUE(after["messages"].empty()) << after["messages"].dump();
}
