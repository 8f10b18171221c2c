// quorin-content over the story scripts: what `check` reports for scenario scripts and drama parts,
// what `dump bks` shows, and the dry run, which plays every shipped script to its end.
#include <filesystem>
#include <regex>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/Files.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

namespace fs = std::filesystem;
using Output = testsupport::ProgramRun;

Output contentTool(const std::vector<std::string>& args) {
    return testsupport::runProgram(testsupport::buildProgram("quorin-content"), args);
}

// The lines of `text` that hold `part`.
std::vector<std::string> linesWith(const std::string& text, const std::string& part) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string::npos) end = text.size();
        std::string line = text.substr(start, end - start);
        if (line.find(part) != std::string::npos) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

bool hasLine(const std::vector<std::string>& lines, const std::string& line) {
    return std::find(lines.begin(), lines.end(), line) != lines.end();
}

// A small built tree: the shipped strings, characters and wear, one picture (so that pictures,
// animations and sounds are looked for), and scripts written by the test.
class ContentStoryBrokenTest : public ::testing::Test {
protected:
    void SetUp() override {
        const fs::path built = fs::path(testsupport::runtimeDir()) / "res";
        const fs::path res = fs::path(root_.path()) / "res";
        fs::create_directories(res / "data/master");
        fs::create_directories(res / "images/ui");
        fs::copy(built / "data/strings", res / "data/strings");
        fs::copy_file(built / "data/master/character_master.data", res / "data/master/character_master.data");
        fs::copy_file(built / "data/master/wear_master.data", res / "data/master/wear_master.data");
        fs::copy_file(built / "images/ui/select_cursor_01.png", res / "images/ui/select_cursor_01.png");
    }
    void write(const std::string& name, const std::string& text) {
        testsupport::writeFile(root_ / name, text);
    }

    testsupport::TempFolder root_;
};

}  // namespace

TEST(ContentStoryTest, TheShippedScriptsPassTheCheckInTheBuiltTree) {
    Output result = contentTool({"check", "--res", testsupport::runtimeDir()});
    EXPECT_TRUE(linesWith(result.out, ".bks").empty()) << result.out;
    EXPECT_TRUE(linesWith(result.out, ".bds").empty()) << result.out;
}

TEST_F(ContentStoryBrokenTest, CheckReportsWhatAuthorsMustFixWithFileAndLine) {
    write("res/data/scenario/broken.bks",
          "// broken on purpose\n"
          "TALK;START;MIDDLE\n"
          "TALK;NO_SUCH_KEY;LEFT;LOUD\n"
          "TALK;SPEAKER;SPRITE;LEFT;07:01\n"
          "TALK;SPEAKER;NAME\n"
          "JUMP;high\n"
          "CHARA;GEN;777;X;1;2;true\n"
          "ANIME;GEN;anime/NOPE.cma;a;1;2;3;true;SIDE;WAIT\n"
          "SOUND;audio/se/nope.mp3;1\n"
          "WAIT;KEY;SOMEDAY\n"
          "COND;NEVER_SET;==;1;scenario/nowhere.bks\n"
          "SPRITE;p;images/ui/select_cursor_01.png;0;0;0;255;BACK;false\n");
    write("res/data/drama/broken.bds",
          "T\n"
          "MESSAGE,0,NOPE_KEY,9:9,true,false\n"
          "ANIME,a,anime/drama/NOPE,0,0,0,0,1,false,false\n"
          "WAIT\n");
    Output result = contentTool({"check", "--res", root_.path()});
    EXPECT_EQ(result.exitCode, 1);
    const auto bks = linesWith(result.out, "res/data/scenario/broken.bks");
    const std::string at = "res/data/scenario/broken.bks:";
    EXPECT_TRUE(hasLine(bks, at + "2: side 'MIDDLE' counts as LEFT (LEFT or RIGHT)")) << result.out;
    EXPECT_TRUE(hasLine(bks, at + "3: string key 'NO_SUCH_KEY' has no text in \"ja\""));
    EXPECT_TRUE(hasLine(bks, at + "3: string key 'NO_SUCH_KEY' has no text in \"en\""));
    EXPECT_TRUE(hasLine(bks, at + "3: unknown flag 'LOUD' (LEFT, RIGHT or AUTO)"));
    EXPECT_TRUE(
        hasLine(bks, at + "4: picture 'character/cf_07_01_01.png' not found (nor for any other wear)"));
    EXPECT_TRUE(
        hasLine(bks, at + "5: TALK: TALK;SPEAKER;NAME;number needs 4 fields, the line has 3; line skipped"));
    EXPECT_TRUE(hasLine(bks, at + "6: unknown command 'JUMP'; line skipped"));
    EXPECT_TRUE(hasLine(bks, at + "7: character 777 has no record"));
    EXPECT_TRUE(hasLine(bks, at + "8: animation 'anime/NOPE.cma' not found"));
    EXPECT_TRUE(hasLine(bks, at + "8: layer 'SIDE' is none of BACK, CHARA, OVER"));
    EXPECT_TRUE(hasLine(bks, at + "9: sound 'audio/se/nope.mp3' not found"));
    EXPECT_TRUE(hasLine(bks, at + "10: key word 'SOMEDAY' waits for nothing"));
    EXPECT_TRUE(hasLine(bks, at + "11: script 'scenario/nowhere.bks' not found"));
    EXPECT_TRUE(hasLine(bks, at + "11: variable 'NEVER_SET' is read here but no script sets it"));
    EXPECT_EQ(linesWith(result.out, at + "12:").size(), 0u) << "the picture is there";

    const auto bds = linesWith(result.out, "res/data/drama/broken.bds");
    const std::string in = "res/data/drama/broken.bds:";
    EXPECT_TRUE(hasLine(bds, in + "1: the header has no second text (title,subtitle)")) << result.out;
    EXPECT_TRUE(hasLine(bds, in + "1: string key 'T' has no text in \"en\""));
    EXPECT_TRUE(hasLine(bds, in + "2: string key 'NOPE_KEY' has no text in \"ja\""));
    EXPECT_TRUE(hasLine(bds, in + "2: picture 'cf_09_01_09.png' not found (nor for any other wear)"));
    EXPECT_TRUE(
        hasLine(bds, in + "3: animation 'anime/drama/NOPE_01.cma' not found (nor for any other wear)"));
    EXPECT_TRUE(hasLine(bds, in + "4: WAIT,seconds needs 2 fields, the line has 1; the line does nothing"));
}

TEST(ContentStoryTest, DumpShowsTheCommandsTheGameReads) {
    Output result =
        contentTool({"dump", "bks", testsupport::sourceDir() + "/res/data/scenario/sed_0001.bks"});
    ASSERT_EQ(result.exitCode, 0) << result.err;
    nlohmann::json commands = nlohmann::json::parse(result.out);
    ASSERT_FALSE(commands.empty());
    EXPECT_EQ(commands.back()["command"], "COND");
    EXPECT_EQ(commands.back()["args"],
              nlohmann::json({"CAT_RESCUED", "!=", 1, "scenario/sub_0001_gate.bks"}));
}

TEST(ContentStoryTest, EveryShippedScriptPlaysToItsEndInTheDryRun) {
    Output result = contentTool({"dryrun", "--all", "--brief", "--res", testsupport::runtimeDir()});
    EXPECT_EQ(result.exitCode, 0) << result.out << result.err;
    EXPECT_TRUE(linesWith(result.out, "cannot finish").empty()) << result.out;
    EXPECT_TRUE(linesWith(result.out, "not reached").empty()) << result.out;
    EXPECT_TRUE(linesWith(result.out, "problem:").empty()) << result.out;
    // Every script of the tree had its run, each of the stage end's two ways among them.
    const auto scripts = linesWith(result.out, ", on ");
    const auto inWindow = linesWith(result.out, ", in a message window");
    std::size_t shipped = 0;
    for (const char* folder : {"scenario", "drama"})
        for (const auto& entry : fs::directory_iterator(testsupport::sourceDir() + "/res/data/" + folder))
            shipped += entry.path().extension() == ".bks" || entry.path().extension() == ".bds";
    EXPECT_EQ(scripts.size() + inWindow.size(), shipped + 1) << result.out;
    EXPECT_TRUE(hasLine(linesWith(result.out, "sed_0001"),
                        "scenario/sed_0001.bks [CAT_RESCUED=1], on stage 1, its boss part"));
    EXPECT_EQ(linesWith(result.out, "ends in the credits").size(), 1u) << "the last stage's end";
}

TEST(ContentStoryTest, TheDryRunListsTheCommandsAndWaitsAndNamesAScriptThatCannotFinish) {
    Output full = contentTool({"dryrun", "scenario/hint_0001.bks", "--res", testsupport::runtimeDir()});
    EXPECT_EQ(full.exitCode, 0) << full.out << full.err;
    EXPECT_FALSE(linesWith(full.out, "scenario/hint_0001.bks:3  CHANGEMAP;data/map/md_9999_01.tmx").empty())
        << full.out;
    EXPECT_FALSE(linesWith(full.out, "waits on window opening").empty());
    EXPECT_FALSE(linesWith(full.out, "finished after").empty());

    Output cut = contentTool(
        {"dryrun", "--frames", "60", "--brief", "scenario/opening.bks", "--res", testsupport::runtimeDir()});
    EXPECT_EQ(cut.exitCode, 1);
    EXPECT_FALSE(linesWith(cut.out, "cannot finish: still waiting on fade IN after 60 frames").empty())
        << cut.out;

    Output missing = contentTool({"dryrun", "scenario/nothing_here.bks", "--res", testsupport::runtimeDir()});
    EXPECT_EQ(missing.exitCode, 2);
}
