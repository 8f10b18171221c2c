#include <chrono>
#include <cmath>
#include <thread>

#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/audio/AudioEngine.h"
#include "engine/audio/MixerAudioBackend.h"
#include "engine/platform/FileUtils.h"
#include "tests/support/Files.h"
#include "tests/support/Mp3Frames.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"

using engine::AudioEngine;
using engine::FileUtils;
using engine::MixerAudioBackend;
using testsupport::infoTagFrame;
using testsupport::ScopedEnv;
using testsupport::silentMp3;
using testsupport::TempFolder;
using testsupport::writeFile;
using State = AudioEngine::AudioState;

namespace {

// Sound files under a scratch resource root: "se/short.mp3" lasts 16 ticks (10 frames, 0.26 s),
// "se/gapless.mp3" 30 ticks (20 frames less the encoder's delay and padding), "bgm/track.mp3" 784
// ticks (500 frames).
class AudioEngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        FileUtils::getInstance()->resetToDefaults();
        FileUtils::getInstance()->setResourceRoot(dir.path());
        FileUtils::getInstance()->setSearchPaths({"res/audio", "res"});
        writeFile(dir / "res/audio/se/short.mp3", silentMp3(10));
        writeFile(dir / "res/audio/se/gapless.mp3", infoTagFrame(0x0F, 576, 1000) + silentMp3(20));
        writeFile(dir / "res/audio/bgm/track.mp3", silentMp3(500));
        writeFile(dir / "res/audio/se/broken.mp3", "this is not audio");
        ASSERT_TRUE(AudioEngine::useNullBackend());
        AudioEngine::clearLog();
    }
    void TearDown() override {
        AudioEngine::end();
        AudioEngine::useNullBackend();
        AudioEngine::clearLog();
        FileUtils::getInstance()->resetToDefaults();
    }
    static void ticks(int count) {
        for (int i = 0; i < count; ++i)
            AudioEngine::tick();
    }

    TempFolder dir;
};

TEST_F(AudioEngineTest, IdsIncreaseAndAreNeverReused) {
    int a = AudioEngine::play2d("se/short.mp3");
    int b = AudioEngine::play2d("se/short.mp3");
    EXPECT_GE(a, 0);
    EXPECT_GT(b, a);
    AudioEngine::stop(a);
    AudioEngine::stopAll();
    int c = AudioEngine::play2d("se/short.mp3");
    EXPECT_GT(c, b);
    ticks(100);  // c has finished and been forgotten
    int d = AudioEngine::play2d("se/short.mp3");
    EXPECT_GT(d, c);
    AudioEngine::end();  // even a restarted backend continues the numbering
    ASSERT_TRUE(AudioEngine::useNullBackend());
    EXPECT_GT(AudioEngine::play2d("se/short.mp3"), d);
}

TEST_F(AudioEngineTest, UnplayableRequestsGiveTheInvalidIdAndUseNoId) {
    int before = AudioEngine::play2d("se/short.mp3");
    EXPECT_EQ(AudioEngine::play2d("se/missing.mp3"), AudioEngine::INVALID_AUDIO_ID);
    EXPECT_EQ(AudioEngine::play2d(""), AudioEngine::INVALID_AUDIO_ID);
    EXPECT_EQ(AudioEngine::play2d(dir / "res/nowhere.mp3"), AudioEngine::INVALID_AUDIO_ID);
    EXPECT_EQ(AudioEngine::play2d("se/broken.mp3"), AudioEngine::INVALID_AUDIO_ID);
    EXPECT_EQ(AudioEngine::play2d("se/short.mp3"), before + 1);
    EXPECT_EQ(AudioEngine::getState(AudioEngine::INVALID_AUDIO_ID), State::ERROR);
}

TEST_F(AudioEngineTest, AbsolutePathsPlayToo) {
    EXPECT_GE(AudioEngine::play2d(dir / "res/audio/se/short.mp3"), 0);
}

TEST_F(AudioEngineTest, TheLogKeepsTheLatestOperationsOfALongSession) {
    for (std::size_t i = 0; i < AudioEngine::LOG_LIMIT * 3; ++i)
        AudioEngine::stop(AudioEngine::play2d("se/short.mp3"));
    const auto& log = AudioEngine::getLog();
    EXPECT_LE(log.size(), AudioEngine::LOG_LIMIT);
    EXPECT_GE(log.size(), AudioEngine::LOG_LIMIT / 2);
    EXPECT_EQ(log.back().operation, "stop") << "the newest operation is kept";
}

TEST_F(AudioEngineTest, AtMost32SoundsPlayAtOnce) {
    std::vector<int> ids;
    for (int i = 0; i < AudioEngine::MAX_INSTANCES; ++i)
        ids.push_back(AudioEngine::play2d("bgm/track.mp3", true));
    for (int id : ids)
        EXPECT_GE(id, 0);
    EXPECT_EQ(AudioEngine::play2d("se/short.mp3"), AudioEngine::INVALID_AUDIO_ID);
    EXPECT_EQ(AudioEngine::getLog().back().note, "too many sounds");
    AudioEngine::stop(ids[5]);
    EXPECT_GT(AudioEngine::play2d("se/short.mp3"), ids.back());
    EXPECT_EQ(AudioEngine::getPlayingCount(), AudioEngine::MAX_INSTANCES);
}

TEST_F(AudioEngineTest, VolumesAreClampedToZeroToOne) {
    int loud = AudioEngine::play2d("bgm/track.mp3", true, 1.5f);
    int negative = AudioEngine::play2d("bgm/track.mp3", true, -0.5f);
    int nan = AudioEngine::play2d("bgm/track.mp3", true, std::nanf(""));
    int half = AudioEngine::play2d("bgm/track.mp3", true, 0.5f);
    EXPECT_EQ(AudioEngine::getVolume(loud), 1.0f);
    EXPECT_EQ(AudioEngine::getVolume(negative), 0.0f);
    EXPECT_EQ(AudioEngine::getVolume(nan), 0.0f);
    EXPECT_EQ(AudioEngine::getVolume(half), 0.5f);
    AudioEngine::setVolume(half, 7.0f);
    EXPECT_EQ(AudioEngine::getVolume(half), 1.0f);
    AudioEngine::setVolume(half, -1.0f);
    EXPECT_EQ(AudioEngine::getVolume(half), 0.0f);
    EXPECT_EQ(AudioEngine::getVolume(12345), 0.0f);
}

TEST_F(AudioEngineTest, ANonLoopingSoundIsForgottenWhenItsFileEnds) {
    int id = AudioEngine::play2d("se/short.mp3", false, 0.5f);
    EXPECT_EQ(AudioEngine::getState(id), State::PLAYING);
    EXPECT_FALSE(AudioEngine::isLoop(id));
    ticks(15);
    EXPECT_EQ(AudioEngine::getState(id), State::PLAYING);
    ticks(1);
    EXPECT_EQ(AudioEngine::getState(id), State::ERROR);
    EXPECT_EQ(AudioEngine::getVolume(id), 0.0f);
    EXPECT_EQ(AudioEngine::getPlayingCount(), 0);
}

TEST_F(AudioEngineTest, GaplessTrimShortensTheSound) {
    int id = AudioEngine::play2d("se/gapless.mp3");
    ticks(29);
    EXPECT_EQ(AudioEngine::getState(id), State::PLAYING);
    ticks(1);
    EXPECT_EQ(AudioEngine::getState(id), State::ERROR);
}

TEST_F(AudioEngineTest, LoopingSoundsNeverEnd) {
    int id = AudioEngine::play2d("se/short.mp3", true);
    EXPECT_TRUE(AudioEngine::isLoop(id));
    ticks(1000);
    EXPECT_EQ(AudioEngine::getState(id), State::PLAYING);
}

TEST_F(AudioEngineTest, CallsWithAForgottenIdAreIgnored) {
    int ended = AudioEngine::play2d("se/short.mp3");
    int other = AudioEngine::play2d("bgm/track.mp3", true, 0.25f);
    ticks(16);
    AudioEngine::setVolume(ended, 0.9f);
    AudioEngine::stop(ended);
    EXPECT_EQ(AudioEngine::getState(ended), State::ERROR);
    EXPECT_EQ(AudioEngine::getState(other), State::PLAYING);
    EXPECT_EQ(AudioEngine::getVolume(other), 0.25f);
    EXPECT_EQ(AudioEngine::getLog().back().note, "unknown id");
}

TEST_F(AudioEngineTest, StopAllForgetsEverySound) {
    int a = AudioEngine::play2d("se/short.mp3");
    int b = AudioEngine::play2d("bgm/track.mp3", true);
    AudioEngine::stopAll();
    EXPECT_EQ(AudioEngine::getState(a), State::ERROR);
    EXPECT_EQ(AudioEngine::getState(b), State::ERROR);
    EXPECT_EQ(AudioEngine::getPlayingCount(), 0);
}

TEST_F(AudioEngineTest, TheLogRecordsEveryOperationWithItsFrame) {
    ticks(3);
    int se = AudioEngine::play2d("se/short.mp3", false, 0.7f);
    int bgm = AudioEngine::play2d("bgm/track.mp3", true, 0.8f);
    ticks(2);
    AudioEngine::setVolume(bgm, 0.5f);
    AudioEngine::setVolume(bgm, 0.5f);
    AudioEngine::play2d("se/missing.mp3");
    ticks(14);
    AudioEngine::stop(bgm);
    AudioEngine::stop(bgm);
    AudioEngine::stopAll();
    AudioEngine::uncacheAll();

    struct Expected {
        long long tick;
        const char* operation;
        int id;
        const char* path;
        bool loop;
        float volume;
        const char* note;
    };
    const long long t = AudioEngine::getTickCount() - 19;  // the frame count when the test began
    const Expected expected[] = {
        {t + 3, "play2d", se, "se/short.mp3", false, 0.7f, ""},
        {t + 3, "play2d", bgm, "bgm/track.mp3", true, 0.8f, ""},
        {t + 5, "setVolume", bgm, "bgm/track.mp3", true, 0.5f, ""},
        {t + 5, "setVolume", bgm, "bgm/track.mp3", true, 0.5f, "unchanged"},
        {t + 5, "play2d", -1, "se/missing.mp3", false, 1.0f, "file not found"},
        {t + 19, "finished", se, "se/short.mp3", false, 0.7f, ""},
        {t + 19, "stop", bgm, "bgm/track.mp3", true, 0.5f, ""},
        {t + 19, "stop", bgm, "", false, 0.0f, "unknown id"},
        {t + 19, "stopAll", -1, "", false, 0.0f, ""},
        {t + 19, "uncacheAll", -1, "", false, 0.0f, ""},
    };
    const auto& log = AudioEngine::getLog();
    ASSERT_EQ(log.size(), std::size(expected));
    for (std::size_t i = 0; i < log.size(); ++i) {
        SCOPED_TRACE(i);
        EXPECT_EQ(log[i].tick, expected[i].tick);
        EXPECT_EQ(log[i].operation, expected[i].operation);
        EXPECT_EQ(log[i].id, expected[i].id);
        EXPECT_EQ(log[i].path, expected[i].path);
        EXPECT_EQ(log[i].loop, expected[i].loop);
        EXPECT_EQ(log[i].volume, expected[i].volume);
        EXPECT_EQ(log[i].note, expected[i].note);
    }
}

TEST_F(AudioEngineTest, TheNullBackendIsChosenAndNamed) {
    EXPECT_EQ(AudioEngine::getBackendName(), "null");
    AudioEngine::end();
    EXPECT_EQ(AudioEngine::getBackendName(), "");
    EXPECT_GE(AudioEngine::play2d("se/short.mp3"), 0);  // reopens the backend chosen before
    EXPECT_EQ(AudioEngine::getBackendName(), "null");
}

// ---- SDL_mixer ----

class AudioEngineMixerTest : public AudioEngineTest {
protected:
    // Ticks until `id` ends (the dummy driver plays in real time), at most `seconds` of wall clock.
    static bool waitUntilForgotten(int id, double seconds) {
        auto deadline = std::chrono::steady_clock::now() + std::chrono::duration<double>(seconds);
        while (std::chrono::steady_clock::now() < deadline) {
            AudioEngine::tick();
            if (AudioEngine::getState(id) == State::ERROR) return true;
            std::this_thread::sleep_for(std::chrono::milliseconds(10));
        }
        return false;
    }
};

TEST_F(AudioEngineMixerTest, PlaysThroughTheDummyDriverAndForgetsFinishedSounds) {
    ScopedEnv driver("SDL_AUDIODRIVER", std::string("dummy"));
    ASSERT_TRUE(AudioEngine::useMixerBackend());
    EXPECT_EQ(AudioEngine::getBackendName(), "mixer");
    int se = AudioEngine::play2d("se/short.mp3", false, 0.5f);
    int bgm = AudioEngine::play2d("bgm/track.mp3", true, 0.8f);
    ASSERT_GE(se, 0);
    ASSERT_GT(bgm, se);
    EXPECT_EQ(AudioEngine::getState(se), State::PLAYING);
    AudioEngine::setVolume(bgm, 0.3f);
    EXPECT_EQ(AudioEngine::getVolume(bgm), 0.3f);
    EXPECT_TRUE(waitUntilForgotten(se, 5.0));
    EXPECT_EQ(AudioEngine::getState(bgm), State::PLAYING);
    AudioEngine::stop(bgm);
    EXPECT_EQ(AudioEngine::getState(bgm), State::ERROR);
    EXPECT_EQ(AudioEngine::play2d("se/broken.mp3"), AudioEngine::INVALID_AUDIO_ID);
}

TEST_F(AudioEngineMixerTest, FallsBackToTheDummyDriverWhenTheDeviceCannotOpen) {
    ScopedEnv driver("SDL_AUDIODRIVER", std::string("no-such-driver"));
    MixerAudioBackend backend;
    ASSERT_TRUE(backend.open());
    EXPECT_EQ(backend.driverName(), "dummy");
    EXPECT_TRUE(backend.play(0, dir / "res/audio/se/short.mp3", false, 1.0f));
    backend.close();
    EXPECT_EQ(backend.driverName(), "");
}

TEST_F(AudioEngineMixerTest, OpensWithWhateverDriverTheMachineHas) {
    ScopedEnv driver("SDL_AUDIODRIVER", std::nullopt);
    MixerAudioBackend backend;
    ASSERT_TRUE(backend.open());  // a real device, or the dummy driver on a machine without sound card
    EXPECT_NE(backend.driverName(), "");
    backend.close();
}

TEST_F(AudioEngineMixerTest, StreamsTheFirstLoopingSoundAndDecodesTheRest) {
    ScopedEnv driver("SDL_AUDIODRIVER", std::string("dummy"));
    MixerAudioBackend backend;
    ASSERT_TRUE(backend.open());
    std::string track = dir / "res/audio/bgm/track.mp3";
    std::string effect = dir / "res/audio/se/short.mp3";
    ASSERT_TRUE(backend.play(0, track, true, 1.0f));
    ASSERT_TRUE(backend.play(1, track, true, 1.0f));
    ASSERT_TRUE(backend.play(2, effect, false, 1.0f));
    EXPECT_TRUE(backend.isStreamed(0));
    EXPECT_FALSE(backend.isStreamed(1));
    EXPECT_FALSE(backend.isStreamed(2));
    backend.stop(0);  // frees the stream for the next looping sound
    ASSERT_TRUE(backend.play(3, track, true, 1.0f));
    EXPECT_TRUE(backend.isStreamed(3));
    backend.uncacheAll();  // sounds in use stay cached and keep playing
    for (int ended : backend.tick())
        EXPECT_EQ(ended, 2);
    backend.close();
}

TEST_F(AudioEngineMixerTest, OffersAllChannelsToSimultaneousSounds) {
    ScopedEnv driver("SDL_AUDIODRIVER", std::string("dummy"));
    MixerAudioBackend backend;
    ASSERT_TRUE(backend.open());
    std::string track = dir / "res/audio/bgm/track.mp3";
    // One looping sound takes the stream, then every mixing channel holds one more.
    for (int id = 0; id <= MixerAudioBackend::CHANNELS; ++id)
        EXPECT_TRUE(backend.play(id, track, true, 1.0f));
    EXPECT_FALSE(backend.play(99, track, true, 1.0f));
    backend.close();
}

}  // namespace
