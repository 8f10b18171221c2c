// The real `quorin` program, run headless: start-up, splash pictures, input scripts, recordings, dumps.
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/Files.h"
#include "tests/support/Picture.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

using testsupport::Picture;
using testsupport::Pixel;

namespace {

const std::string PROGRAM = testsupport::buildProgram("quorin");

class ProgramTest : public ::testing::Test {
protected:
    // Runs the game headless with the built resources and a scratch data folder; returns its exit status
    // and keeps what it wrote to standard error for stderrText().
    int run(std::vector<std::string> args, const std::string& dataDir = "") {
        std::vector<std::string> all = {"--headless", "--res", testsupport::runtimeDir(), "--data-dir",
                                        dataDir.empty() ? data_.path() : dataDir};
        all.insert(all.end(), args.begin(), args.end());
        last_ = testsupport::runProgram(PROGRAM, all);
        return last_.exitCode;
    }
    std::string stderrText() const { return last_.err; }
    nlohmann::json dump(const std::string& path) {
        return nlohmann::json::parse(testsupport::readFile(path));
    }
    std::string script(const std::string& name, const std::string& text) {
        testsupport::writeFile(temp_ / name, text);
        return temp_ / name;
    }

    testsupport::TempFolder data_;
    testsupport::TempFolder temp_;
    testsupport::ProgramRun last_;
};

TEST_F(ProgramTest, FirstStartWritesANewGameAndReachesTheTitle) {
    std::string state = temp_ / "state.json";
    ASSERT_EQ(run({"--frames", "400", "--lang", "en", "--dump-state", state}), 0) << stderrText();
    EXPECT_TRUE(std::filesystem::exists(data_ / "vastomer/r.quorin.sav"));
    EXPECT_NE(testsupport::readFile(data_ / "vastomer/r.quorin.sav").find("nc:en"), std::string::npos);
    nlohmann::json s = dump(state);
    EXPECT_EQ(s["frame"], 400);
    EXPECT_EQ(s["scene"], 2);
    EXPECT_EQ(s["language"], "en");
    EXPECT_EQ(s["windowTitle"], "Quorin");
    EXPECT_TRUE(s["progress"].is_object());
    EXPECT_EQ(s["input"]["gamepadMode"], false);
    EXPECT_EQ(s["input"]["keyBindings"]["OK"], 149);
    EXPECT_EQ(s["input"]["buttonBindings"]["PAUSE"], 1021);
    EXPECT_TRUE(s["input"]["pressed"].empty());
    EXPECT_EQ(s["audio"]["bgm"], "audio/bgm/QUORIN_Title.mp3");
    EXPECT_EQ(s["title"]["selection"], 0);
    EXPECT_TRUE(s["audio"]["log"].is_array());
    EXPECT_TRUE(s["messages"].empty()) << s["messages"].dump();
}

TEST_F(ProgramTest, LanguageComesFromTheSystemThenFromTheSave) {
    std::string state = temp_ / "state.json";
    ASSERT_EQ(run({"--frames", "2", "--lang", "ja", "--dump-state", state}), 0) << stderrText();
    EXPECT_EQ(dump(state)["language"], "ja");
    EXPECT_EQ(dump(state)["windowTitle"], "クオリン");

    testsupport::TempFolder other;
    ASSERT_EQ(run({"--frames", "2", "--lang", "ja-JP", "--dump-state", state}, other.path()), 0)
        << stderrText();
    EXPECT_EQ(dump(state)["language"], "en") << "only exactly \"ja\" is Japanese";

    // The save of the first run says Japanese, whatever the system says now.
    ASSERT_EQ(run({"--frames", "2", "--lang", "en", "--dump-state", state}), 0) << stderrText();
    EXPECT_EQ(dump(state)["language"], "ja");
    EXPECT_EQ(dump(state)["windowTitle"], "クオリン");
}

// Pixels inside the logo's square (384 × 384 centred at (480, 190) from the top) that differ.
int differingLogoPixels(const Picture& a, const Picture& b) {
    int differing = 0;
    for (int y = 0; y < 384; y += 6) {
        for (int x = 0; x < 384; x += 6) {
            const Pixel p = a.at(288 + x + 3, y + 3);
            const Pixel q = b.at(288 + x + 3, y + 3);
            if (p.r != q.r || p.g != q.g || p.b != q.b) ++differing;
        }
    }
    return differing;
}

TEST_F(ProgramTest, SplashShowsTheLogoAnimationOnWhite) {
    const std::vector<int> frames = {1, 30, 90, 150, 190, 215, 260};
    std::vector<std::string> args = {"--frames", "260"};
    for (int f : frames) {
        args.push_back("--screenshot");
        args.push_back(std::to_string(f) + ":" + (temp_ / ("splash_" + std::to_string(f) + ".png")));
    }
    ASSERT_EQ(run(args), 0) << stderrText();
    std::vector<Picture> shots;
    for (int f : frames) {
        shots.push_back(Picture::fromFile(temp_ / ("splash_" + std::to_string(f) + ".png")));
        ASSERT_TRUE(shots.back().loaded()) << f;
    }
    // White around the logo while the splash is on.
    for (std::size_t i = 0; i + 1 < shots.size(); ++i) {
        const Pixel corner = shots[i].at(10, 530);
        EXPECT_EQ(corner.r + corner.g + corner.b, 3 * 255) << "frame " << frames[i];
    }
    // The logo changes as it plays and holds its last picture.
    EXPECT_GT(differingLogoPixels(shots[1], shots[2]), 20);
    EXPECT_GT(differingLogoPixels(shots[2], shots[3]), 20);
    EXPECT_GT(differingLogoPixels(shots[0], shots[1]), 20) << "the first picture appears on the white screen";
    EXPECT_EQ(differingLogoPixels(shots[4], shots[5]), 0) << "the last picture holds";
    // Fading to the title: the screen darkens.
    EXPECT_LT(shots[6].at(10, 530).r, 255);
}

TEST_F(ProgramTest, InputScriptReplaysTheSameWayEveryTime) {
    std::string input = script("play.txt",
                               "# keys by name and by number\n"
                               "300 tap z\n"
                               "302 down LEFT\n"
                               "305 down #147\n"
                               "\n"
                               "306 up LEFT\n"
                               "307 pad connect\n"
                               "308 pad button 0 down\n"
                               "309 pad axis 0 0.75\n"
                               "309 down ESC\n");
    std::string first = temp_ / "first.json";
    std::string second = temp_ / "second.json";
    ASSERT_EQ(run({"--frames", "310", "--input", input, "--dump-state", first}), 0) << stderrText();
    nlohmann::json s = dump(first);
    EXPECT_EQ(s["input"]["pressed"], (nlohmann::json{"CANCEL", "PAUSE"}));
    EXPECT_EQ(s["input"]["lastKey"], 6);
    EXPECT_EQ(s["input"]["gamepadMode"], false) << "keyboard mode: the pad is not read";
    testsupport::TempFolder otherData;
    ASSERT_EQ(run({"--frames", "310", "--input", input, "--dump-state", second}, otherData.path()), 0);
    EXPECT_EQ(testsupport::readFile(first), testsupport::readFile(second));
}

TEST_F(ProgramTest, RecordingOfAScriptedRunReplaysIt) {
    // Written as the recorder writes: by frame, keys before the pad within a frame, taps as down and up.
    const std::string events =
        "3 down z\n"
        "4 up z\n"
        "10 down #61\n"
        "12 up #61\n"
        "12 pad connect\n"
        "14 down RIGHT\n"
        "14 pad button 3 down\n"
        "14 pad axis 1 -0.3\n"
        "15 pad axis 4 0.25\n"
        "16 up RIGHT\n"
        "18 pad button 3 up\n"
        "20 pad disconnect\n";
    std::string input = script("in.txt",
                               "3 tap z\n10 down #61\n12 up #61\n12 pad connect\n14 pad button 3 down\n"
                               "14 pad axis 1 -0.3\n14 down RIGHT\n15 pad axis 4 0.25\n16 up RIGHT\n"
                               "18 pad button 3 up\n20 pad disconnect\n");
    std::string recording = temp_ / "recorded.txt";
    std::string scripted = temp_ / "scripted.json";
    std::string replayed = temp_ / "replayed.json";
    ASSERT_EQ(run({"--frames", "25", "--input", input, "--record", recording, "--dump-state", scripted}), 0)
        << stderrText();
    std::string recorded = testsupport::readFile(recording);
    ASSERT_FALSE(recorded.empty());
    EXPECT_EQ(recorded[0], '#') << "a comment line says what the file is";
    EXPECT_EQ(recorded.substr(recorded.find('\n') + 1), events);

    testsupport::TempFolder otherData;
    ASSERT_EQ(run({"--frames", "25", "--input", recording, "--dump-state", replayed}, otherData.path()), 0)
        << stderrText();
    nlohmann::json a = dump(scripted);
    nlohmann::json b = dump(replayed);
    EXPECT_EQ(a["input"], b["input"]);
    EXPECT_EQ(a["scene"], b["scene"]);
}

TEST_F(ProgramTest, AControlledRunTakesItsInputBetweenFramesAndItsRecordingReplaysIt) {
    // A bot's conversation: look at frame 1, play on, press OK on the splash, look again; a request
    // for a frame already past is refused; the end of the input lets the run play on to its end.
    const std::string commands = script("commands.txt",
                                        "dump\n"
                                        "run 120\n"
                                        "120 tap z\n"
                                        "run 200\n"
                                        "dump\n"
                                        "run 100\n");
    const std::string recording = temp_ / "recorded.txt";
    const std::string controlled = temp_ / "controlled.json";
    const std::string replayed = temp_ / "replayed.json";
    last_ = testsupport::runProgram(
        "/bin/sh", {"-c", "exec \"$0\" \"$@\" < \"" + commands + "\"", PROGRAM, "--headless", "--res",
                    testsupport::runtimeDir(), "--data-dir", data_.path(), "--frames", "260", "--control",
                    "--record", recording, "--dump-state", controlled});
    ASSERT_EQ(last_.exitCode, 0) << last_.describe();
    std::vector<nlohmann::json> states;
    std::size_t at = 0;
    while ((at = last_.out.find("@state ", at)) != std::string::npos) {
        const std::size_t end = last_.out.find('\n', at);
        states.push_back(nlohmann::json::parse(last_.out.substr(at + 7, end - at - 7)));
        at = end;
    }
    ASSERT_EQ(states.size(), 2u) << last_.out;
    EXPECT_EQ(states[0]["frame"], 1) << "the first look comes as frame 1 begins, before it runs";
    EXPECT_EQ(states[1]["frame"], 200) << "the state as frame 200 begins";
    EXPECT_EQ(states[0]["scene"], 1);
    EXPECT_NE(stderrText().find("\"run 100\" must name a frame after 200"), std::string::npos)
        << stderrText();
    EXPECT_NE(testsupport::readFile(recording).find("120 down z\n121 up z\n"), std::string::npos)
        << testsupport::readFile(recording);

    testsupport::TempFolder otherData;
    ASSERT_EQ(run({"--frames", "260", "--input", recording, "--dump-state", replayed}, otherData.path()), 0)
        << stderrText();
    EXPECT_EQ(testsupport::readFile(controlled), testsupport::readFile(replayed))
        << "the recording plays the controlled run again";
}

TEST_F(ProgramTest, BadInputScriptsAreRefusedWithFileAndLine) {
    struct Case {
        const char* text;
        int line;
        const char* says;
    } cases[] = {
        {"# fine\n10 tap z\n12 jump z\n", 3, "unknown event"},
        {"1 down NOSUCHKEY\n", 1, "unknown key"},
        {"\n\n5 down '\n", 3, "#61 or #67"},
        {"0 down z\n", 1, "frames count from 1"},
        {"5 pad button 0 down\n", 1, "no pad is connected"},
        {"5 pad connect\n6 pad axis 0 2\n", 2, "from -1 to 1"},
        {"5 pad connect\n6 pad button 14 down\n", 2, "out of range"},
        {"5 down z extra\n", 1, "takes one key"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        std::string bad = script("bad.txt", c.text);
        EXPECT_EQ(run({"--frames", "5", "--input", bad}), 2);
        std::string err = stderrText();
        EXPECT_EQ(err.rfind(bad + ":" + std::to_string(c.line) + ": ", 0), 0u) << err;
        EXPECT_NE(err.find(c.says), std::string::npos) << err;
    }
    EXPECT_FALSE(std::filesystem::exists(data_ / "vastomer/r.quorin.sav")) << "the game did not start";
    EXPECT_EQ(run({"--frames", "5", "--input", temp_ / "missing.txt"}), 2);
}

}  // namespace
