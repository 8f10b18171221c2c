// Pinned runs: the real `quorin` program played headless from a reference input script, with its
// state dump and chosen frames reduced to SHA-256 digests and compared with the digests written
// below. Any change in what the game does or draws changes a digest, so the test fails until the
// change is accepted on purpose: run it, check the files it keeps in <build>/pinned-runs/NAME/, copy
// the new digests it prints into PINNED_RUNS, and say in the commit why the behaviour changed.
//
// The state digest covers the dump file byte for byte; a frame digest covers the screenshot's decoded
// pixels (R, G, B, A, rows from the top), not the PNG bytes, so an encoder change cannot move it.
//
// To pin another run: put its input script in tests/game/data/pinned/ and add a line to PINNED_RUNS.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/Picture.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/Sha256.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

struct PinnedFrame {
    int frame;           // frames count from 1
    const char* sha256;  // of the frame's decoded pixels
};

struct PinnedRun {
    const char* name;         // letters and digits: names the test and the folder of kept files
    const char* script;       // the input script, under tests/game/data/pinned/
    int frames;               // the run ends after this frame
    const char* stateSha256;  // of the --dump-state file written when the run ends
    std::vector<PinnedFrame> shots;
};

const PinnedRun PINNED_RUNS[] = {
    // Through the splash (its logo at frame 150) into the title screen, with keys and a pad.
    {"SplashToTitle",
     "splash_to_title.txt",
     320,
     "c3bd6f2f611f6f7268e8ca0b5bc91d1d668ac26d9fe4bcc2d40f3767455db43b",
     {{150, "15b1c9f357c4b2cd04d828b8dedf7c93ec2de99f098c8ecbb38602e2273ae0b7"},
      {320, "df2a5c0f4cfc765d21b2119405d11d03efd827e80e28bc8e41f14bf3d130ee2c"}}},
};

class PinnedRunTest : public ::testing::TestWithParam<PinnedRun> {};

// What to do when a digest differs, for the failure message.
std::string howToUpdate(const std::string& what, const std::string& pinned, const std::string& now) {
    return what + " changed.\n  pinned: " + pinned + "\n  now:    " + now +
           "\nIf the change is meant, replace the pinned digest in tests/game/PinnedRunTest.cpp with the new "
           "one and say in the commit why the behaviour changed.";
}

TEST_P(PinnedRunTest, EndsInItsPinnedStateAndShowsItsPinnedFrames) {
    const PinnedRun& run = GetParam();
    // Kept after the test for a person comparing runs; replaced by the next run.
    const std::filesystem::path kept =
        std::filesystem::path(testsupport::buildDir()) / "pinned-runs" / run.name;
    std::filesystem::remove_all(kept);
    std::filesystem::create_directories(kept);
    testsupport::TempFolder data;

    std::vector<std::string> args = {
        "--headless",
        "--res",
        testsupport::runtimeDir(),
        "--data-dir",
        data.path(),
        "--lang",
        "en",
        "--frames",
        std::to_string(run.frames),
        "--input",
        testsupport::projectTestFile(std::string("game/data/pinned/") + run.script),
        "--dump-state",
        (kept / "state.json").string()};
    for (const PinnedFrame& shot : run.shots) {
        args.push_back("--screenshot");
        args.push_back(std::to_string(shot.frame) + ":" +
                       (kept / (std::to_string(shot.frame) + ".png")).string());
    }
    const testsupport::ProgramRun result = testsupport::runProgram(testsupport::buildProgram("quorin"), args);
    ASSERT_EQ(result.exitCode, 0) << result.describe();

    const std::string state = testsupport::readFile((kept / "state.json").string());
    ASSERT_FALSE(state.empty()) << "no state dump in " << kept;
    const std::string stateDigest = testsupport::Sha256::hex(state);
    EXPECT_EQ(stateDigest, run.stateSha256)
        << howToUpdate("The state dump of " + (kept / "state.json").string(), run.stateSha256, stateDigest);

    for (const PinnedFrame& shot : run.shots) {
        const std::string file = (kept / (std::to_string(shot.frame) + ".png")).string();
        const testsupport::Picture picture = testsupport::Picture::fromFile(file);
        ASSERT_TRUE(picture.loaded()) << "no screenshot " << file;
        const std::string frameDigest = testsupport::Sha256::hex(picture.rgbaBytes());
        EXPECT_EQ(frameDigest, shot.sha256) << howToUpdate(
            "Frame " + std::to_string(shot.frame) + " (" + file + ")", shot.sha256, frameDigest);
    }
}

std::string runName(const ::testing::TestParamInfo<PinnedRun>& param) {
    return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(Reference, PinnedRunTest, ::testing::ValuesIn(PINNED_RUNS), runName);

// The digests above are only comparable if the function is the standard SHA-256.
TEST(PinnedRunDigestTest, IsTheStandardSha256) {
    using testsupport::Sha256;
    EXPECT_EQ(Sha256::hex(""), "e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855");
    EXPECT_EQ(Sha256::hex("abc"), "ba7816bf8f01cfea414140de5dae2223b00361a396177a9cb410ff61f20015ad");
    // Lengths around the one- and two-block padding boundaries.
    EXPECT_EQ(Sha256::hex(std::string(55, 'a')),
              "9f4390f8d30c2dd92ec9f095b65e2b9ae9b0a925a5258e241c9f1e910f734318");
    EXPECT_EQ(Sha256::hex(std::string(56, 'a')),
              "b35439a4ac6f0948b6d6f9e3c6af0f5f590ce20f1bde7090ef7970686ec6738a");
    EXPECT_EQ(Sha256::hex(std::string(1000, 'x')),
              "44f8354494a5ba03ba1792a8d3e9c534c47a9181980fde7a3f44b06ef2ae7c7f");
}

}  // namespace
