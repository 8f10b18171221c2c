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
// A run may start from a save file of its own and with more options (a screen to start on), and may
// check what its dump and its data folder show, so that a pinned run that stops doing what it is for
// fails with a reason rather than only with a digest.
#include <algorithm>
#include <filesystem>
#include <ostream>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

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
    // A save file under tests/game/data/pinned/, put in the data folder before the run; without
    // one the run starts from an empty folder.
    const char* save = nullptr;
    std::vector<std::string> options = {};  // added to the command line ("--scene", "4")
    // Checks of the run's end: its state dump and its data folder (where the save and settings are).
    void (*check)(const nlohmann::json& state, const std::string& dataDir) = nullptr;
};

const char* const SAVE_FILE = "vastomer/r.quorin.sav";  // in the data folder
const char* const SETTINGS_FILE = "UserDefault.xml";    // in the data folder

// The save's line starting with `key` and a colon, without its key; empty when there is none.
std::string saveLine(const std::string& save, const std::string& key) {
    std::size_t start = 0;
    while (start < save.size()) {
        std::size_t end = std::min(save.find('\n', start), save.size());
        const std::string line = save.substr(start, end - start);
        if (line.compare(0, key.size() + 1, key + ":") == 0) return line.substr(key.size() + 1);
        start = end + 1;
    }
    return "";
}

bool contains(const nlohmann::json& list, int value) {
    return std::find(list.begin(), list.end(), nlohmann::json(value)) != list.end();
}

// The hub session (hub_session.txt): each of its visits did what it was for.
void checkHubSession(const nlohmann::json& state, const std::string& dataDir) {
    constexpr int CHAIN_SICKLE = 1;
    constexpr int SICKLE_PRICE = 3000;
    constexpr int Q_KEY = 140;
    const nlohmann::json& progress = state["progress"];
    // The shop sold the Chain Sickle, and the status room put it on.
    EXPECT_TRUE(contains(progress["ownedWeapons"], CHAIN_SICKLE)) << progress["ownedWeapons"];
    EXPECT_EQ(progress["score"], 9000 - SICKLE_PRICE);
    EXPECT_EQ(progress["totalScore"], 20000) << "spending never lowers the total";
    EXPECT_EQ(progress["equippedWeapon1"], CHAIN_SICKLE);
    // The options bound "Switch weapon" to q: the hub counted the q press, and not the c one.
    EXPECT_EQ(state["input"]["keyBindings"]["BUTTON3"], Q_KEY);
    EXPECT_EQ(state["worldmap"]["bonusPresses"], 1);
    // ... and the language went from English to Japanese.
    EXPECT_EQ(state["scene"], 4) << "the run ends on the hub";
    EXPECT_EQ(state["language"], "ja");

    // All of it is kept: the save, and the bindings in the settings.
    const std::string save = testsupport::readFile(dataDir + "/" + SAVE_FILE);
    ASSERT_FALSE(save.empty()) << "no save in " << dataDir;
    EXPECT_EQ(saveLine(save, "weapon"), "0,10,1,");
    EXPECT_EQ(saveLine(save, "equipped"), "1,10,0");
    EXPECT_EQ(saveLine(save, "score"), "6000:20000");
    EXPECT_EQ(saveLine(save, "nc"), "ja");
    const std::string settings = testsupport::readFile(dataDir + "/" + SETTINGS_FILE);
    EXPECT_NE(settings.find("key=\"KeyActionType::BUTTON3\" value=\"140\""), std::string::npos) << settings;
    // The gallery's replay left the progress as it was: what was read, the unlocked scenes, the stage.
    EXPECT_EQ(saveLine(save, "read"), "data/drama/dramaPart_001_01.bds");
    EXPECT_EQ(saveLine(save, "situations"), "11@1,12@0");
    EXPECT_EQ(saveLine(save, "progress"), "3");
    EXPECT_EQ(saveLine(save, "stagescore"), "1@4200,2@3100,3@0");
}

// The first session (first_session.txt): a new game played from the title through Lantern Street and
// its boss back to the hub, with the next district open and all of it saved.
void checkFirstSession(const nlohmann::json& state, const std::string& dataDir) {
    const nlohmann::json& progress = state["progress"];
    EXPECT_EQ(state["scene"], 4) << "the run ends on the hub";
    EXPECT_EQ(progress["progress"], 1) << "Lantern Street cleared";
    EXPECT_EQ(progress["stageBestScores"]["1"], progress["totalScore"]) << "the district's own gain";
    EXPECT_GE(progress["totalScore"].get<int>(), 3000);
    const std::string save = testsupport::readFile(dataDir + "/" + SAVE_FILE);
    ASSERT_FALSE(save.empty()) << "no save in " << dataDir;
    EXPECT_EQ(saveLine(save, "progress"), "1") << "the unlock is saved, so quitting on the hub keeps it";
    EXPECT_EQ(saveLine(save, "stagescore").rfind("1@", 0), 0u) << saveLine(save, "stagescore");
    const std::string read = saveLine(save, "read");
    for (const char* scene :
         {"scenario/opening.bks", "scenario/wop_0001_0001_0001.bks", "scenario/sed_0001.bks"})
        EXPECT_NE(read.find(scene), std::string::npos) << scene << " not among the read: " << read;
}

const PinnedRun PINNED_RUNS[] = {
    // Through the splash (its logo at frame 150) into the title screen, with keys and a pad.
    {"SplashToTitle",
     "splash_to_title.txt",
     320,
     "c3bd6f2f611f6f7268e8ca0b5bc91d1d668ac26d9fe4bcc2d40f3767455db43b",
     {{150, "15b1c9f357c4b2cd04d828b8dedf7c93ec2de99f098c8ecbb38602e2273ae0b7"},
      {320, "df2a5c0f4cfc765d21b2119405d11d03efd827e80e28bc8e41f14bf3d130ee2c"}}},
    // From the hub with a save of 9,000 points: a weapon bought in the shop (its "Owned" mark at
    // frame 240) and put on in the status room (580), a scene replayed in the gallery (its selection
    // at 960, its fourth line at 1300) and read to its end, a key bound and the language set to
    // Japanese in the options (2290), back on the hub.
    {"HubSession",
     "hub_session.txt",
     2430,
     "98a22601905a8aabe5d24a5bb0eb370b0b3b3650e18b5643366a7a600d59f9e7",
     {{240, "886125fcc94f556ce9d56584d24fdfb00b2c0d0c722206e392488217e665f606"},
      {580, "7e6261219367618f82bc4cbf3b699844a09931b04f6eddfa11337751604f0bc5"},
      {960, "e4cd9bd1b313afc1eafa6edec769f6c75fc0daafa22b19f54438ba27df03e60b"},
      {1300, "bc4d5c6afbbca600462b3630c8aa208dcaf3acd9411de0441ad06f6b05a24a2c"},
      {2290, "a6ee7f33f8b9e868c3984cda7b212cae77afe77dd15ad9defd0d587db75fabd9"}},
     "hub_session.sav",
     {"--scene", "4"},
     checkHubSession},
    // A new game from the title to the hub through the whole of Lantern Street: the stage select
    // (frame 1376), a blow at the Gate Toad (22710), its defeat (25152) and the hub afterwards with
    // the next district lit on the map (26175).
    {"FirstSession",
     "first_session.txt",
     26175,
     "3f4f7cf6b87eb3d0923f4c6241dde2a71643a3a7c558842edbed08cffc9ac4ef",
     {{1376, "b5c0015a6469563c7dfe63d8f465194ed07a117a269e9a05913e6d8927ed22b9"},
      {22710, "e318a091f2cf90bc09f2734d7f916ab652afc82e0cf048e8affd044f00c6d3f6"},
      {25152, "eeca554645cfcbc2de424438325a8a5ea3132d3736f7f53949818c90a4db2fd6"},
      {26175, "b545745c07c1d4b351fe95fc0d9ee02a59c9ce89ed8868cbe582693038ec0a3d"}},
     nullptr,
     {},
     checkFirstSession},
};

// Test listings show a run by its name rather than by its bytes.
void PrintTo(const PinnedRun& run, std::ostream* out) {
    *out << run.name;
}

class PinnedRunTest : public ::testing::TestWithParam<PinnedRun> {};

// What to do when a digest differs, for the failure message.
std::string howToUpdate(const std::string& what, const std::string& pinned, const std::string& now) {
    return what + " changed.\n  pinned: " + pinned + "\n  now:    " + now +
           "\nIf the change is meant, replace the pinned digest in tests/game/PinnedRunTest.cpp with the new "
           "one and say in the commit why the behaviour changed.";
}

// A file of the pinned runs, under tests/game/data/pinned/.
std::string pinnedFile(const std::string& name) {
    return testsupport::projectTestFile("game/data/pinned/" + name);
}

// Plays a pinned run's script for `frames` frames from its save (in `dataDir`), dumping its state
// to `dump` and saving the frames of `shots` into `kept`.
testsupport::ProgramRun play(const PinnedRun& run, int frames, const std::string& dataDir,
                             const std::filesystem::path& dump, const std::filesystem::path& kept,
                             const std::vector<PinnedFrame>& shots) {
    if (run.save)
        testsupport::writeFile(dataDir + "/" + SAVE_FILE, testsupport::readFile(pinnedFile(run.save)));
    std::vector<std::string> args = {"--headless",
                                     "--res",
                                     testsupport::runtimeDir(),
                                     "--data-dir",
                                     dataDir,
                                     "--lang",
                                     "en",
                                     "--frames",
                                     std::to_string(frames),
                                     "--input",
                                     pinnedFile(run.script),
                                     "--dump-state",
                                     dump.string()};
    args.insert(args.end(), run.options.begin(), run.options.end());
    for (const PinnedFrame& shot : shots) {
        args.push_back("--screenshot");
        args.push_back(std::to_string(shot.frame) + ":" +
                       (kept / (std::to_string(shot.frame) + ".png")).string());
    }
    return testsupport::runProgram(testsupport::buildProgram("quorin"), args);
}

TEST_P(PinnedRunTest, EndsInItsPinnedStateAndShowsItsPinnedFrames) {
    const PinnedRun& run = GetParam();
    // Kept after the test for a person comparing runs; replaced by the next run.
    const std::filesystem::path kept =
        std::filesystem::path(testsupport::buildDir()) / "pinned-runs" / run.name;
    std::filesystem::remove_all(kept);
    std::filesystem::create_directories(kept);
    testsupport::TempFolder data;
    if (run.save) {
        ASSERT_FALSE(testsupport::readFile(pinnedFile(run.save)).empty()) << "no save file " << run.save;
    }

    const testsupport::ProgramRun result =
        play(run, run.frames, data.path(), kept / "state.json", kept, run.shots);
    ASSERT_EQ(result.exitCode, 0) << result.describe();

    const std::string state = testsupport::readFile((kept / "state.json").string());
    ASSERT_FALSE(state.empty()) << "no state dump in " << kept;
    const std::string saved = testsupport::readFile(data.path() + "/" + SAVE_FILE);
    if (!saved.empty()) testsupport::writeFile((kept / "save.txt").string(), saved);
    if (run.check) run.check(nlohmann::json::parse(state), data.path());

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

// The hub session's gallery visit, stopped during the replay and after it: the dump at the run's end
// shows only the hub, so the replay itself is looked at here.
TEST(PinnedHubSessionTest, TheGalleryReplaysTheUnlockedSceneToItsEnd) {
    const PinnedRun* run = nullptr;
    for (const PinnedRun& pinned : PINNED_RUNS)
        if (std::string(pinned.name) == "HubSession") run = &pinned;
    ASSERT_NE(run, nullptr);
    auto stateAt = [run](int frames) {
        testsupport::TempFolder data;
        testsupport::TempFolder out;
        const std::filesystem::path dump = std::filesystem::path(out.path()) / "state.json";
        const testsupport::ProgramRun result = play(*run, frames, data.path(), dump, out.path(), {});
        EXPECT_EQ(result.exitCode, 0) << result.describe();
        return nlohmann::json::parse(testsupport::readFile(dump.string()), nullptr, false);
    };

    // Its fourth line, read in the message window while the drama's animation plays.
    const nlohmann::json during = stateAt(1300);
    ASSERT_FALSE(during.is_discarded());
    EXPECT_EQ(during["scene"], 8);
    const nlohmann::json& memory = during["memory"];
    ASSERT_TRUE(memory.is_object()) << "not in the gallery";
    EXPECT_EQ(memory["dramaFile"], "data/drama/dramaPart_011_01.bds");
    EXPECT_EQ(memory["running"], true);
    EXPECT_EQ(memory["situationWindowOpen"], false);
    EXPECT_EQ(during["drama"]["running"], true);
    EXPECT_EQ(during["drama"]["animations"], nlohmann::json::array({"struggle"}));
    EXPECT_EQ(during["messageWindow"]["open"], true);
    EXPECT_EQ(during["messageWindow"]["textKey"], "DRAMA_011_01_04");

    // Read to its end: the selection is back, in the wear the save has.
    const nlohmann::json after = stateAt(1620);
    ASSERT_FALSE(after.is_discarded());
    EXPECT_EQ(after["scene"], 8);
    EXPECT_EQ(after["drama"]["finished"], 1);
    EXPECT_EQ(after["drama"]["running"], false);
    EXPECT_EQ(after["memory"]["running"], false);
    EXPECT_EQ(after["memory"]["situationWindowOpen"], true);
    EXPECT_EQ(after["messageWindow"]["open"], false);
    EXPECT_EQ(after["progress"]["equippedWear"], 0);
}

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
