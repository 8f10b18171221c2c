// The real `quorin` program through its menus, headless with input scripts: a new save goes from the
// title to the opening, an existing one straight to the hub (which saves on entry), and the hub's
// first item leads into the first stage.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/Files.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

// The splash hands over at about frame 224 and the title's intro ends a second after its fade, so
// the menu takes keys from about frame 350 on.
constexpr const char* START_KEYS = "400 tap z\n";

class LoopProgramTest : public ::testing::Test {
protected:
    testsupport::ProgramRun run(const std::string& input, int frames) {
        testsupport::writeFile(temp_ / "input.txt", input);
        return testsupport::runProgram(
            testsupport::buildProgram("quorin"),
            {"--headless", "--res", testsupport::runtimeDir(), "--data-dir", data_.path(), "--lang", "en",
             "--input", temp_ / "input.txt", "--frames", std::to_string(frames), "--dump-state",
             temp_ / "state.json"});
    }
    nlohmann::json state() { return nlohmann::json::parse(testsupport::readFile(temp_ / "state.json")); }
    std::string savePath() const { return data_ / "vastomer/r.quorin.sav"; }
    // A save that has seen the opening and holds nothing else: the hub's save fills in the rest.
    void writeWatchedSave() {
        std::filesystem::create_directories(data_ / "vastomer");
        testsupport::writeFile(savePath(), "progress:0\ntutorialflags:1,0,0,0,0,0,0\nnc:en\n");
    }

    testsupport::TempFolder temp_;
    testsupport::TempFolder data_;
};

}  // namespace

TEST_F(LoopProgramTest, ANewSaveGoesFromTheTitleToTheOpening) {
    testsupport::ProgramRun game = run(START_KEYS, 480);
    ASSERT_EQ(game.exitCode, 0) << game.describe();
    nlohmann::json dump = state();
    EXPECT_EQ(dump["scene"], 9) << "the opening demo";
    EXPECT_TRUE(dump["title"].is_null());
    EXPECT_NE(testsupport::readFile(savePath()).find("tutorialflags:0,"), std::string::npos);
    EXPECT_TRUE(dump["messages"].empty()) << dump["messages"].dump();
}

TEST_F(LoopProgramTest, AnExistingSaveGoesStraightToTheHubWhichSaves) {
    writeWatchedSave();
    testsupport::ProgramRun game = run(START_KEYS, 500);
    ASSERT_EQ(game.exitCode, 0) << game.describe();
    nlohmann::json dump = state();
    EXPECT_EQ(dump["scene"], 4);
    EXPECT_EQ(dump["worldmap"]["selection"], 0);
    EXPECT_EQ(dump["worldmap"]["mode"], "menu");
    EXPECT_EQ(dump["audio"]["bgm"], "audio/bgm/QUORIN_Menu.mp3");
    const std::string saved = testsupport::readFile(savePath());
    EXPECT_NE(saved.find("stagescore:1@0,2@0,3@0\n"), std::string::npos) << saved;
    EXPECT_NE(saved.find("tutorialflags:1,0,0,0,0,0,0\n"), std::string::npos) << saved;
}

TEST_F(LoopProgramTest, TheHubsFirstItemLeadsIntoTheFirstStage) {
    writeWatchedSave();
    testsupport::ProgramRun select = run(std::string(START_KEYS) + "540 tap z\n", 600);
    ASSERT_EQ(select.exitCode, 0) << select.describe();
    nlohmann::json dump = state();
    EXPECT_EQ(dump["worldmap"]["mode"], "stageSelect");
    EXPECT_EQ(dump["stageSelect"]["entries"], nlohmann::json({1, -1}));
    EXPECT_EQ(dump["stageSelect"]["index"], 0);

    testsupport::ProgramRun play = run(std::string(START_KEYS) + "540 tap z\n620 tap z\n", 760);
    ASSERT_EQ(play.exitCode, 0) << play.describe();
    dump = state();
    EXPECT_EQ(dump["scene"], 10);
    EXPECT_EQ(dump["playScene"]["stage"], 1);
    EXPECT_EQ(dump["playScene"]["part"], 1);
    EXPECT_FALSE(dump["pause"].is_null());
    EXPECT_EQ(dump["pause"]["shown"], false);
}
