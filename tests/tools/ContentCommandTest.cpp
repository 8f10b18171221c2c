// quorin-content, run as authors run it: check over the real content, a broken copy and the built
// animation scripts, and dump of a table, the stage index, a save file and an animation script.
#include <filesystem>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/Files.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

using ToolRun = testsupport::ProgramRun;

// Runs quorin-content with the arguments and collects its output.
ToolRun runContentTool(const std::vector<std::string>& args) {
    return testsupport::runProgram(testsupport::buildProgram("quorin-content"), args);
}

const std::string SOURCE = testsupport::sourceDir();

// The physical line (from 1) of the first line of a file that starts with `prefix`; 0 when none.
int lineOf(const std::string& path, const std::string& prefix) {
    std::string content = testsupport::readFile(path);
    int number = 1;
    for (std::size_t start = 0; start < content.size(); ++number) {
        std::size_t end = content.find('\n', start);
        if (content.compare(start, prefix.size(), prefix) == 0) return number;
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return 0;
}

// A copy of the real content under a scratch root, to break on purpose.
class ContentCommandBrokenTablesTest : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(root_ / "res/data");
        std::filesystem::copy(SOURCE + "/res/data/master", root_ / "res/data/master",
                              std::filesystem::copy_options::recursive);
    }
    std::string path(const std::string& name) const { return root_ / ("res/data/master/" + name); }
    // Replaces the first line starting with `prefix`; returns its line number.
    int replaceLine(const std::string& name, const std::string& prefix, const std::string& text) {
        int line = lineOf(path(name), prefix);
        std::string content = testsupport::readFile(path(name));
        std::size_t start = 0;
        for (int i = 1; i < line; ++i)
            start = content.find('\n', start) + 1;
        std::size_t end = content.find('\n', start);
        testsupport::writeFile(path(name), content.substr(0, start) + text + content.substr(end));
        return line;
    }
    testsupport::TempFolder root_;
};

}  // namespace

TEST(ContentCommandTest, TheRealContentPassesTheCheck) {
    ToolRun run = runContentTool({"check", "--res", SOURCE});
    EXPECT_EQ(run.exitCode, 0) << run.out << run.err;
    EXPECT_EQ(run.out, "");
    EXPECT_NE(run.err.find("no problems"), std::string::npos);
}

TEST_F(ContentCommandBrokenTablesTest, CheckReportsEachProblemWithFileAndLine) {
    int character = replaceLine("character_master.data", "1,SPROUTLING,",
                                "1,SPROUTLING,12,24,24,16,20,4,-12,8,8,0,1,5,1,false");
    int bullet = replaceLine("bullet_master.data", "1,", "1,5,six,1,20,8,4,0");
    int wear = replaceLine("wear_master.data", "0,", "0,0,0,0,nothing");
    std::remove(path("stage/stage_0003.data").c_str());
    auto at = [](const std::string& file, int line) {
        return "res/data/master/" + file + ":" + std::to_string(line) + ": ";
    };

    ToolRun run = runContentTool({"check", "--res", root_.path()});
    EXPECT_EQ(run.exitCode, 1);
    std::string expected[] = {
        at("character_master.data", character) + "has 16 columns, needs 18; line skipped\n",
        at("bullet_master.data", bullet) + "power (column 3): \"six\" is not a number; line skipped\n",
        at("wear_master.data", wear) + "effect \"nothing\" is not a known keyword; no effect\n",
        at("stages_master.data", lineOf(path("stages_master.data"), "3,")) +
            "stage 3: master/stage/stage_0003.data not found\n",
        // Follow-on problems that the references check finds.
        at("weapon_master.data", lineOf(path("weapon_master.data"), "10,")) + "bullet 1 has no record\n",
        at("combine_master.data", lineOf(path("combine_master.data"), "1,")) + "character 1 has no record\n",
        at("stage/stage_0002.data", lineOf(path("stage/stage_0002.data"), "3\n")) +
            "next stage 3 has no record\n",
    };
    for (const std::string& line : expected)
        EXPECT_NE(run.out.find(line), std::string::npos) << line << run.out;
    EXPECT_NE(run.err.find("problems"), std::string::npos);
}

TEST(ContentCommandTest, DumpShowsWhatTheLoaderReads) {
    ToolRun run = runContentTool({"dump", "master", SOURCE + "/res/data/master/weapon_master.data"});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    nlohmann::json weapons = nlohmann::json::parse(run.out);
    // The player's eight weapons, then the creatures' (numbers from 30).
    ASSERT_GE(weapons.size(), 8u);
    EXPECT_EQ(weapons[7]["id"], 13);
    EXPECT_GE(weapons[8]["id"], 30);
    EXPECT_EQ(weapons[0]["id"], 0);
    EXPECT_EQ(weapons[0]["hasBullet"], false);
    EXPECT_EQ(weapons[6]["id"], 12);
    EXPECT_EQ(weapons[6]["trait"], "heavy");
    EXPECT_EQ(weapons[6]["line"], lineOf(SOURCE + "/res/data/master/weapon_master.data", "12,"));

    ToolRun stages = runContentTool({"dump", "stages", SOURCE + "/res/data/master/stages_master.data"});
    ASSERT_EQ(stages.exitCode, 0) << stages.err;
    nlohmann::json index = nlohmann::json::parse(stages.out);
    EXPECT_EQ(index["stageNumbers"], nlohmann::json({1, 2, 3}));
    EXPECT_EQ(index["stages"][2]["nextStage"], -1);
    EXPECT_EQ(index["stages"][1]["requiredProgress"], 1);
}

TEST(ContentCommandTest, DumpOfASaveFile) {
    testsupport::TempFolder scratch;
    std::string save = scratch / "r.quorin.sav";
    testsupport::writeFile(save,
                           "progress:1\r\ntutorialflags:1,0,0,0,0,0,1\nstagescore:1@3200,2@0,3\n"
                           "weapon:0,10,12,\nequipped:2,12,0\nscore:800:3200\nuserVar:met_aoi;1\n"
                           "read:scenario/opening.bks\nnc:ja\n");
    ToolRun run = runContentTool({"dump", "save", save, "--res", SOURCE});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    nlohmann::json progress = nlohmann::json::parse(run.out);
    EXPECT_EQ(progress["progress"], 1);
    EXPECT_EQ(progress["stageBestScores"], nlohmann::json({{"1", 3200}, {"2", 0}}));
    EXPECT_EQ(progress["ownedWeapons"], nlohmann::json({0, 10, 12}));
    EXPECT_EQ(progress["equippedWeapon1"], 2);
    EXPECT_EQ(progress["equippedWeapon2"], 12);
    EXPECT_EQ(progress["totalScore"], 3200);
    EXPECT_EQ(progress["userVars"]["met_aoi"], 1);
    EXPECT_EQ(progress["language"], "ja");
    // The dropped item is named on stderr with its line.
    EXPECT_NE(run.err.find("r.quorin.sav:3: stage score \"3\" dropped"), std::string::npos) << run.err;
}

TEST(ContentCommandTest, WrongUsage) {
    EXPECT_EQ(runContentTool({}).exitCode, 2);
    EXPECT_EQ(runContentTool({"dump", "nonsense", "x"}).exitCode, 2);
    EXPECT_EQ(runContentTool({"dump", "save", "/no/such/file"}).exitCode, 1);
    EXPECT_EQ(runContentTool({"check", "--res", "/no/such/folder"}).exitCode, 2);
    ToolRun help = runContentTool({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_NE(help.out.find("weapon_master"), std::string::npos);
}

TEST(ContentCommandTest, TheCheckFindsNoProblemInAnyBuiltAnimationScript) {
    const std::string text = runContentTool({"check", "--res", testsupport::runtimeDir()}).out;
    std::size_t scripts = 0;
    for (const auto& entry :
         std::filesystem::recursive_directory_iterator(testsupport::runtimeDir() + "/res"))
        scripts += entry.path().extension() == ".cma";
    EXPECT_GT(scripts, 60u);
    EXPECT_EQ(text.find(".cma"), std::string::npos) << text;

    const ToolRun dumped =
        runContentTool({"dump", "cma", testsupport::runtimeDir() + "/res/anime/PLAYER_WAIT_0.cma"});
    ASSERT_EQ(dumped.exitCode, 0) << dumped.describe();
    nlohmann::json dump = nlohmann::json::parse(dumped.out);
    EXPECT_EQ(dump["name"], "PLAYER_WAIT_0");
    EXPECT_EQ(dump["width"], 32);
    EXPECT_EQ(dump["frames"][0]["elements"][0]["command"], "PAINT");
    EXPECT_EQ(dump["frames"][0]["elements"][0]["line"], 3);
}

TEST_F(ContentCommandBrokenTablesTest, CheckReportsTheCreatureTablesWithFileAndLine) {
    testsupport::writeFile(path("ai/ai_master_0001.data"),
                           "// a broken Sproutling\nDISTANCE_P_L,11,0,1,80\nNEAR,10\nCONT_W,10,0\n"
                           "COUNT,x,0,0,0\nDEAFULT,404\n");
    testsupport::writeFile(path("action/action_master_0010.data"),
                           "0,SWITCHWALK\n1,DANCE\n2,FLIP,0,false,left\n3,CHANGEAI,77,false,-\nten,MOVE\n");
    std::remove(path("ai/ai_master_0003.data").c_str());
    auto at = [](const std::string& file, int line) {
        return "res/data/master/" + file + ":" + std::to_string(line) + ": ";
    };

    ToolRun run = runContentTool({"check", "--res", root_.path()});
    EXPECT_EQ(run.exitCode, 1);
    std::string expected[] = {
        at("ai/ai_master_0001.data", 3) + "condition \"NEAR\" is not a known word; read as DEAFULT\n",
        at("ai/ai_master_0001.data", 4) + "has 3 columns: a row has 2 or at least 5",
        at("ai/ai_master_0001.data", 5) + "action table (column 2): \"x\" is not a number; row skipped\n",
        at("ai/ai_master_0001.data", 6) +
            "action table 404 (master/action/action_master_0404.data) does not exist\n",
        at("action/action_master_0010.data", 2) + "action \"DANCE\" is not a known word; read as WAIT\n",
        at("action/action_master_0010.data", 3) + "FLIP faces the x in its text",
        at("action/action_master_0010.data", 4) +
            "AI table 77 (master/ai/ai_master_0077.data) does not exist\n",
        at("action/action_master_0010.data", 5) + "step (column 1): \"ten\" is not a number; row skipped\n",
        at("character_master.data", lineOf(path("character_master.data"), "3,VINELASHER,")) +
            "character 3 names AI table 3 (master/ai/ai_master_0003.data), which does not exist\n",
    };
    for (const std::string& line : expected)
        EXPECT_NE(run.out.find(line), std::string::npos) << line << "\n" << run.out;
}

TEST(ContentCommandTest, DumpShowsTheCreatureTablesAsTheGameReadsThem) {
    const std::string ai = SOURCE + "/res/data/master/ai/ai_master_0003.data";
    ToolRun run = runContentTool({"dump", "ai", ai});
    ASSERT_EQ(run.exitCode, 0) << run.err;
    nlohmann::json rows = nlohmann::json::parse(run.out)["rows"];
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0]["condition"], "DISTANCE_P_L");
    EXPECT_EQ(rows[0]["actionTable"], 31);
    EXPECT_EQ(rows[0]["line"], lineOf(ai, "DISTANCE_P_L,31"));
    EXPECT_EQ(rows[2]["condition"], "DEAFULT");
    EXPECT_EQ(rows[2]["param1"], -1) << "a row of two columns takes the defaults";

    testsupport::TempFolder scratch;
    testsupport::writeFile(scratch / "a.data", "0,SWITCHWALK\n60,FLIP,0,false,250\n30,HOP\n");
    ToolRun actions = runContentTool({"dump", "action", scratch / "a.data"});
    ASSERT_EQ(actions.exitCode, 0) << actions.err;
    nlohmann::json table = nlohmann::json::parse(actions.out);
    EXPECT_EQ(table["lastStep"], 60);
    ASSERT_EQ(table["rows"].size(), 3u);
    EXPECT_EQ(table["rows"][1]["step"], 30) << "rows in step order";
    EXPECT_EQ(table["rows"][1]["action"], "WAIT");
    EXPECT_EQ(table["rows"][2]["text"], "250");
    EXPECT_NE(actions.err.find("a.data:3: action \"HOP\" is not a known word"), std::string::npos)
        << actions.err;
}
