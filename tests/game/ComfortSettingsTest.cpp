// The comfort settings: kept in the settings store across a restart, and what each one does —
// typed text at three speeds, calmer shakes and flashes, the pause in the background, the sharp
// scaling and the screenshot key.
#include <filesystem>

#include <nlohmann/json.hpp>

#include "engine/platform/UserDefault.h"
#include "game/app/AppDelegate.h"
#include "game/app/ComfortSettings.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/NCaption.h"
#include "tests/support/HubFixture.h"
#include "tests/support/Picture.h"
#include "tests/support/ProgramRun.h"

using vastomer::ComfortSettings;
using TextSpeed = vastomer::ComfortSettings::TextSpeed;

namespace {

class ComfortSettingsTest : public HubFixture {
protected:
    // Frames a 12-character message takes to type out at the stored speed.
    int framesToType() {
        vastomer::MessageWindow* window = vastomer::MessageWindow::create();
        EXPECT_NE(window, nullptr);
        if (!window) return -1;
        vastomer::SceneManager::getInstance()->addChild(window);
        bool finished = false;
        window->setMessageText("twelve chars");
        window->showMessage([&finished] { finished = true; });
        int frames = 0;
        while (!finished && frames < 200) {
            runFrames(1);
            ++frames;
        }
        window->removeFromParent();
        return frames;
    }
};

TEST_F(ComfortSettingsTest, TheSettingsAreKeptAcrossARestart) {
    EXPECT_EQ(ComfortSettings::getTextSpeed(), TextSpeed::NORMAL);
    EXPECT_FALSE(ComfortSettings::isShakeFlashReduced());
    EXPECT_TRUE(ComfortSettings::isPauseOnFocusLoss());
    EXPECT_FALSE(ComfortSettings::isIntegerScaling());
    EXPECT_TRUE(ComfortSettings::isScreenshotKeyEnabled());
    ComfortSettings::setTextSpeed(TextSpeed::INSTANT);
    ComfortSettings::setShakeFlashReduced(true);
    ComfortSettings::setPauseOnFocusLoss(false);
    ComfortSettings::setIntegerScaling(true);
    ComfortSettings::setScreenshotKeyEnabled(false);
    // The store read again from its file, as the next start reads it.
    engine::UserDefault::getInstance()->reload();
    EXPECT_EQ(ComfortSettings::getTextSpeed(), TextSpeed::INSTANT);
    EXPECT_TRUE(ComfortSettings::isShakeFlashReduced());
    EXPECT_FALSE(ComfortSettings::isPauseOnFocusLoss());
    EXPECT_TRUE(ComfortSettings::isIntegerScaling());
    EXPECT_FALSE(ComfortSettings::isScreenshotKeyEnabled());
    // A value written by hand outside the three speeds reads as normal.
    engine::UserDefault::getInstance()->setIntegerForKey(ComfortSettings::TEXT_SPEED_KEY, 7);
    EXPECT_EQ(ComfortSettings::getTextSpeed(), TextSpeed::NORMAL);
}

TEST_F(ComfortSettingsTest, TypedTextFollowsTheTextSpeed) {
    ASSERT_NE(startGame(), nullptr);
    runFrames(2);
    const int normal = framesToType();
    ComfortSettings::setTextSpeed(TextSpeed::SLOW);
    const int slow = framesToType();
    ComfortSettings::setTextSpeed(TextSpeed::INSTANT);
    const int instant = framesToType();
    EXPECT_GE(normal, 12) << "one character a frame";
    EXPECT_LE(normal, 14);
    EXPECT_GE(slow, 3 * 12) << "one character every third frame";
    EXPECT_LE(slow, 3 * 12 + 3);
    EXPECT_LE(instant, 2) << "the whole line at once";
}

TEST_F(ComfortSettingsTest, ReducedShakesStayStillAndFlashesAreDimmed) {
    EXPECT_FLOAT_EQ(ComfortSettings::shakeDistance(8.0f), 8.0f);
    EXPECT_EQ(ComfortSettings::flashOpacity(200), 200);
    ComfortSettings::setShakeFlashReduced(true);
    EXPECT_FLOAT_EQ(ComfortSettings::shakeDistance(8.0f), 0.0f);
    EXPECT_EQ(ComfortSettings::flashOpacity(200), 50);
}

TEST_F(ComfortSettingsTest, LosingTheFocusPausesTheGameOnlyWithTheSettingOn) {
    AppDelegate app;
    engine::Director* director = engine::Director::getInstance();
    app.applicationDidEnterBackground();
    EXPECT_TRUE(director->isPaused());
    EXPECT_TRUE(app.isPausedInBackground());
    app.applicationWillEnterForeground();
    EXPECT_FALSE(director->isPaused());

    ComfortSettings::setPauseOnFocusLoss(false);
    app.applicationDidEnterBackground();
    EXPECT_FALSE(director->isPaused());
    app.applicationWillEnterForeground();
    EXPECT_FALSE(director->isPaused());

    // A pause the game asked for itself is left alone by the window coming back.
    ComfortSettings::setPauseOnFocusLoss(true);
    director->pause();
    app.applicationDidEnterBackground();
    app.applicationWillEnterForeground();
    EXPECT_TRUE(director->isPaused());
    director->resume();
}

TEST_F(ComfortSettingsTest, TheScalingChoiceReachesTheView) {
    ComfortSettings::applyScaling(view_);
    EXPECT_FALSE(view_->isIntegerScaling());
    ComfortSettings::setIntegerScaling(true);
    EXPECT_TRUE(view_->isIntegerScaling());
    ComfortSettings::setIntegerScaling(false);
    EXPECT_FALSE(view_->isIntegerScaling());
}

// The real program: F12 saves the screen in the data folder; the options' comfort page changes a
// setting that the next start still has.
class ComfortProgramTest : public ::testing::Test {
protected:
    int run(const std::vector<std::string>& args, const std::string& script) {
        testsupport::writeFile(temp_ / "input.txt", script);
        std::vector<std::string> all = {"--headless", "--res",      testsupport::runtimeDir(),
                                        "--data-dir", data_.path(), "--lang",
                                        "en",         "--input",    temp_ / "input.txt"};
        all.insert(all.end(), args.begin(), args.end());
        last_ = testsupport::runProgram(testsupport::buildProgram("quorin"), all);
        return last_.exitCode;
    }
    testsupport::TempFolder data_;
    testsupport::TempFolder temp_;
    testsupport::ProgramRun last_;
};

TEST_F(ComfortProgramTest, F12SavesTheScreenInTheDataFolder) {
    ASSERT_EQ(run({"--frames", "60", "--scene", "3"}, "20 tap F12\n40 tap F12\n"), 0) << last_.describe();
    const std::string first = data_ / "screenshots/quorin_0001.png";
    ASSERT_TRUE(std::filesystem::exists(first)) << last_.err;
    EXPECT_TRUE(std::filesystem::exists(data_ / "screenshots/quorin_0002.png"));
    testsupport::Picture picture = testsupport::Picture::fromFile(first);
    ASSERT_TRUE(picture.loaded());
    EXPECT_EQ(picture.width(), 960);
    EXPECT_EQ(picture.height(), 540);
}

TEST_F(ComfortProgramTest, AComfortChoiceMadeOnTheOptionsScreenHoldsAfterARestart) {
    // Comfort is the sixth row; RIGHT on its first row makes typed text instant; then back out.
    ASSERT_EQ(run({"--frames", "120", "--scene", "3"},
                  "10 tap DOWN\n18 tap DOWN\n26 tap DOWN\n34 tap DOWN\n42 tap DOWN\n50 tap z\n60 tap RIGHT\n"
                  "70 tap UP\n78 tap UP\n86 tap x\n94 tap x\n"),
              0)
        << last_.describe();
    std::string state = temp_ / "state.json";
    ASSERT_EQ(run({"--frames", "30", "--scene", "3", "--dump-state", state}, ""), 0) << last_.describe();
    nlohmann::json dump = nlohmann::json::parse(testsupport::readFile(state));
    EXPECT_EQ(dump["comfort"]["textSpeed"], 2);
    EXPECT_EQ(dump["options"]["page"], 0);
}

TEST_F(ComfortProgramTest, WithTheKeyTurnedOffF12SavesNothing) {
    ASSERT_EQ(run({"--frames", "80", "--scene", "3"},
                  "10 tap DOWN\n18 tap DOWN\n26 tap DOWN\n34 tap DOWN\n42 tap DOWN\n50 tap z\n"
                  "58 tap DOWN\n62 tap DOWN\n66 tap DOWN\n70 tap DOWN\n74 tap RIGHT\n78 tap F12\n"),
              0)
        << last_.describe();
    EXPECT_FALSE(std::filesystem::exists(data_ / "screenshots/quorin_0001.png"));
}

}  // namespace
