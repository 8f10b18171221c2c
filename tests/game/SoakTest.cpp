// A short soak of the real program: random keys and pad plugging across every screen there is,
// under the sanitizers, and its recording replays the run exactly.
#include <regex>
#include <string>

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

constexpr int SOAK_SECONDS = 60;

TEST(SoakTest, AMinuteOfRandomPlayRunsCleanlyAndItsRecordingReplaysIt) {
    testsupport::TempFolder scratch;
    const std::string frames = std::to_string(SOAK_SECONDS * 60);
    // The sanitizer holds freed memory back for a while (its quarantine); kept small here, the
    // figures show what the game itself keeps.
    testsupport::ProgramOptions options;
    options.environment = {{"ASAN_OPTIONS", "detect_leaks=1:quarantine_size_mb=4"}};
    const testsupport::ProgramRun soak = testsupport::runProgram(
        testsupport::buildProgram("quorin"),
        {"--headless", "--soak", std::to_string(SOAK_SECONDS), "--seed", "7", "--data-dir", scratch / "a",
         "--record", scratch / "soak.txt", "--dump-state", scratch / "soak.json"},
        options);
    ASSERT_EQ(soak.exitCode, 0) << soak.describe();
    std::smatch figures;
    const std::regex report(
        "soak: (\\d+) frames, screens ([0-9 ]+), memory (\\d+) KB at the start, (\\d+) KB");
    ASSERT_TRUE(std::regex_search(soak.out, figures, report)) << soak.out;
    EXPECT_EQ(figures[1].str(), frames);
    EXPECT_EQ(figures[2].str().rfind("1 2 ", 0), 0u) << "from the splash and title into further screens";
    // Each newly visited screen loads its pictures and sounds once; a minute of play must not pile
    // up more than that.
    const double start = std::stod(figures[3].str()), end = std::stod(figures[4].str());
    EXPECT_LT(end, start * 1.6) << "memory grew from " << start << " KB to " << end << " KB";
    const std::string recording = testsupport::readFile(scratch / "soak.txt");
    EXPECT_NE(recording.find("pad connect"), std::string::npos);
    EXPECT_NE(recording.find("pad disconnect"), std::string::npos);

    // The recording played back as an input script ends in the same state.
    const testsupport::ProgramRun replay =
        testsupport::runProgram(testsupport::buildProgram("quorin"),
                                {"--headless", "--frames", frames, "--data-dir", scratch / "b", "--input",
                                 scratch / "soak.txt", "--dump-state", scratch / "replay.json"});
    ASSERT_EQ(replay.exitCode, 0) << replay.describe();
    EXPECT_EQ(testsupport::readFile(scratch / "replay.json"), testsupport::readFile(scratch / "soak.json"));
}

TEST(SoakTest, ASoakRefusesAnInputScriptAndABadLength) {
    for (const std::vector<std::string>& args :
         {std::vector<std::string>{"--headless", "--soak", "5", "--input", "x.txt"},
          std::vector<std::string>{"--headless", "--soak", "0"},
          std::vector<std::string>{"--headless", "--soak", "ten"}}) {
        const testsupport::ProgramRun run =
            testsupport::runProgram(testsupport::buildProgram("quorin"), args);
        EXPECT_EQ(run.exitCode, 2) << run.describe();
        EXPECT_NE(run.err.find("--soak"), std::string::npos) << run.err;
    }
}

}  // namespace
