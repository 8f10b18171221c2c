// The audio manager on the engine's silent, logging audio backend.
#include <cmath>

#include "tests/support/Files.h"
#include "tests/support/GameFixture.h"
#include "tests/support/Mp3Frames.h"
#include "tests/support/TempFolder.h"

using engine::AudioEngine;
using vastomer::GameServices;
using vastomer::NAudioManager;

namespace {

class AudioManagerTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        auto* files = engine::FileUtils::getInstance();
        files->setResourceRoot(resources_.path());
        files->setSearchPaths({"res", "res/audio"});
        // About 0.1 s of silence: an effect that ends after a handful of frames.
        testsupport::writeFile(resources_ / "res/audio/se/short.mp3", testsupport::silentMp3(4));
        testsupport::writeFile(resources_ / "res/audio/bgm/one.mp3", testsupport::silentMp3(40));
        testsupport::writeFile(resources_ / "res/audio/bgm/two.mp3", testsupport::silentMp3(40));
    }
    NAudioManager* audio() { return NAudioManager::getInstance(); }
    static float stored(const char* key) {
        return engine::UserDefault::getInstance()->getFloatForKey(key, -5.0f);
    }
    // The volume the engine was last given for an operation.
    static float lastVolume(const std::string& operation) {
        const auto& log = AudioEngine::getLog();
        for (auto it = log.rbegin(); it != log.rend(); ++it)
            if (it->operation == operation) return it->volume;
        return -1.0f;
    }

    testsupport::TempFolder resources_;
};

TEST_F(AudioManagerTest, FreshInstallPlaysMusicFullAndEffectsAtSeventyPercent) {
    EXPECT_FLOAT_EQ(audio()->getBgmVolume(), 1.0f);
    EXPECT_FLOAT_EQ(audio()->getSeVolume(), 0.7f);
    audio()->playBgm("audio/bgm/one.mp3", 0.8f);
    EXPECT_FLOAT_EQ(lastVolume("play2d"), 0.8f);
    EXPECT_TRUE(AudioEngine::isLoop(audio()->getBgmId()));
    audio()->playSe("audio/se/short.mp3", 0.5f);
    EXPECT_FLOAT_EQ(lastVolume("play2d"), 0.35f);
}

TEST_F(AudioManagerTest, VolumesAreClampedAndStored) {
    audio()->setSeVolume(1.4f);
    EXPECT_FLOAT_EQ(audio()->getSeVolume(), 1.0f);
    EXPECT_FLOAT_EQ(stored("SEVolume"), 1.0f);
    audio()->setSeVolume(-0.2f);
    EXPECT_FLOAT_EQ(audio()->getSeVolume(), 0.0f);
    EXPECT_FLOAT_EQ(stored("SEVolume"), 0.0f);

    audio()->playBgm("audio/bgm/one.mp3", 1.0f);
    audio()->setBgmVolume(0.5f, 1.7f);
    EXPECT_FLOAT_EQ(audio()->getBgmVolume(), 1.0f);
    EXPECT_FLOAT_EQ(audio()->getTrackVolume(), 0.5f);
    EXPECT_FLOAT_EQ(stored("BGMVolume"), 1.0f);
    audio()->setBgmVolume(2.0f, 0.25f);
    EXPECT_FLOAT_EQ(audio()->getTrackVolume(), 2.0f) << "the track volume is kept as given";
    EXPECT_FLOAT_EQ(AudioEngine::getVolume(audio()->getBgmId()), 0.5f) << "the playing track follows";
    EXPECT_FLOAT_EQ(stored("BGMVolume"), 0.25f);

    // The next start reads the stored settings.
    GameServices::destroy();
    EXPECT_FLOAT_EQ(audio()->getBgmVolume(), 0.25f);
    EXPECT_FLOAT_EQ(audio()->getSeVolume(), 0.0f);
}

TEST_F(AudioManagerTest, SettingAndFactorMultiplyBeforeTheProductIsClamped) {
    audio()->setSeVolume(0.5f);
    audio()->playSe("audio/se/short.mp3", 1.5f);
    EXPECT_FLOAT_EQ(lastVolume("play2d"), 0.75f) << "a loud effect stays louder than the setting";
    audio()->setSeVolume(1.0f);
    audio()->playSe("audio/se/short.mp3", 1.5f);
    EXPECT_FLOAT_EQ(lastVolume("play2d"), 1.0f);
    audio()->playSe("audio/se/short.mp3", -2.0f);
    EXPECT_FLOAT_EQ(lastVolume("play2d"), 0.0f);

    audio()->setBgmVolume(1.0f, 0.25f);
    audio()->playBgm("audio/bgm/one.mp3", 3.0f);
    EXPECT_FLOAT_EQ(audio()->getTrackVolume(), 3.0f);
    EXPECT_FLOAT_EQ(lastVolume("play2d"), 0.75f);
}

TEST_F(AudioManagerTest, DamagedSettingsReadAsDefaults) {
    engine::UserDefault::getInstance()->setStringForKey("SEVolume", "7");
    EXPECT_FLOAT_EQ(audio()->getSeVolume(), 1.0f);
    audio()->setSeVolume(std::nanf(""));
    EXPECT_FLOAT_EQ(audio()->getSeVolume(), 1.0f) << "not a number changes nothing";
}

TEST_F(AudioManagerTest, StartingATrackCutsEffectsAndFinishedEffectsLeaveTheList) {
    int first = audio()->playSe("audio/se/short.mp3");
    int second = audio()->playSe("audio/se/short.mp3");
    ASSERT_NE(first, AudioEngine::INVALID_AUDIO_ID);
    EXPECT_EQ(audio()->getSeIds(), (std::vector<int>{first, second}));

    audio()->playBgm("audio/bgm/one.mp3");
    EXPECT_EQ(AudioEngine::getState(first), AudioEngine::AudioState::ERROR) << "the effect was cut";
    EXPECT_TRUE(audio()->getSeIds().empty());
    EXPECT_EQ(audio()->getCurrentBgm(), "audio/bgm/one.mp3");

    int effect = audio()->playSe("audio/se/short.mp3");
    EXPECT_EQ(audio()->getSeIds(), std::vector<int>{effect});
    for (int i = 0; i < 30; ++i)
        AudioEngine::tick();
    EXPECT_TRUE(audio()->getSeIds().empty()) << "an effect that ended is no longer listed";
    EXPECT_NE(AudioEngine::getState(audio()->getBgmId()), AudioEngine::AudioState::ERROR) << "music loops on";

    // A second track replaces the first.
    int oldTrack = audio()->getBgmId();
    audio()->playBgm("audio/bgm/two.mp3");
    EXPECT_EQ(AudioEngine::getState(oldTrack), AudioEngine::AudioState::ERROR);
    EXPECT_EQ(audio()->getCurrentBgm(), "audio/bgm/two.mp3");
}

TEST_F(AudioManagerTest, StoppingSoundsByIdTouchesOnlyEffects) {
    audio()->playBgm("audio/bgm/one.mp3");
    int effect = audio()->playSe("audio/se/short.mp3");
    audio()->stopSe(audio()->getBgmId());
    EXPECT_NE(AudioEngine::getState(audio()->getBgmId()), AudioEngine::AudioState::ERROR) << "not an effect";
    audio()->stopSe(effect);
    EXPECT_EQ(AudioEngine::getState(effect), AudioEngine::AudioState::ERROR);
    EXPECT_TRUE(audio()->getSeIds().empty());

    audio()->playSe("audio/se/short.mp3");
    audio()->playSe("audio/se/short.mp3");
    audio()->stopAllSe();
    EXPECT_TRUE(audio()->getSeIds().empty());
    EXPECT_EQ(AudioEngine::getPlayingCount(), 1);

    audio()->stopBgm();
    EXPECT_EQ(audio()->getCurrentBgm(), "");
    EXPECT_EQ(AudioEngine::getPlayingCount(), 0);
}

TEST_F(AudioManagerTest, MissingFilesStartNothing) {
    testing::internal::CaptureStderr();
    audio()->playBgm("audio/bgm/none.mp3");
    // Screens compare the current track before asking again: a missing track is asked for once.
    EXPECT_EQ(audio()->getCurrentBgm(), "audio/bgm/none.mp3");
    EXPECT_EQ(audio()->getBgmId(), AudioEngine::INVALID_AUDIO_ID);
    audio()->playBgm("audio/bgm/none.mp3");
    const std::string told = testing::internal::GetCapturedStderr();
    const std::string message = "the music track audio/bgm/none.mp3 cannot be played";
    ASSERT_NE(told.find(message), std::string::npos) << told;
    EXPECT_EQ(told.find(message, told.find(message) + 1), std::string::npos) << "told once: " << told;
    EXPECT_EQ(audio()->playSe("audio/se/none.mp3"), AudioEngine::INVALID_AUDIO_ID);
    EXPECT_TRUE(audio()->getSeIds().empty());
}

}  // namespace
