// The game's generated sounds, decoded the way the game decodes them (SDL_mixer): every source under
// res/audio has its MP3 in the runtime tree, of the right length, with headroom, and music loops cleanly.
#include <algorithm>
#include <cmath>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"
#include "tools/synth/EffectParser.h"
#include "tools/synth/EffectRenderer.h"
#include "tools/synth/Mp3Writer.h"
#include "tools/synth/ScoreParser.h"
#include "tools/synth/StereoBuffer.h"

using namespace synth;
namespace fs = std::filesystem;

namespace {

constexpr std::size_t MP3_FRAME = 1152;

fs::path audioSources() {
    return fs::path(testsupport::sourceDir()) / "res" / "audio";
}

fs::path runtimeAudio() {
    return fs::path(testsupport::runtimeDir()) / "res" / "audio";
}

std::vector<fs::path> sources(const std::string& extension) {
    std::vector<fs::path> found;
    for (const auto& entry : fs::recursive_directory_iterator(audioSources())) {
        if (entry.path().extension() == extension) found.push_back(entry.path());
    }
    std::sort(found.begin(), found.end());
    return found;
}

fs::path runtimeFile(const fs::path& source) {
    fs::path relative = fs::relative(source, audioSources());
    relative.replace_extension(".mp3");
    return runtimeAudio() / relative;
}

// The jump across the loop point, and the 99.9th percentile of the jumps between neighbouring samples of
// the whole track: what counts as ordinary in this music. A click stands far above it.
struct Seam {
    float jump = 0.0f;
    float ordinary = 0.0f;
};

Seam measureSeam(const std::vector<float>& samples) {
    std::vector<float> steps;
    steps.reserve(samples.size());
    for (std::size_t i = 1; i < samples.size(); ++i)
        steps.push_back(std::fabs(samples[i] - samples[i - 1]));
    const auto percentile = steps.begin() + static_cast<std::ptrdiff_t>(steps.size() * 999 / 1000);
    std::nth_element(steps.begin(), percentile, steps.end());
    return {std::fabs(samples.front() - samples.back()), *percentile};
}

float peakOf(const StereoBuffer& audio) {
    float peak = 0.0f;
    for (std::size_t i = 0; i < audio.frames(); ++i)
        peak = std::max({peak, std::fabs(audio.left[i]), std::fabs(audio.right[i])});
    return peak;
}

class SynthAssetTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        SDL_SetHint(SDL_HINT_AUDIODRIVER, "dummy");
        if (SDL_Init(SDL_INIT_AUDIO) == 0 && Mix_OpenAudio(44100, AUDIO_F32SYS, 2, 4096) == 0) {
            int rate = 0;
            Uint16 format = 0;
            int channels = 0;
            opened_ = Mix_QuerySpec(&rate, &format, &channels) != 0 && rate == 44100 &&
                      format == AUDIO_F32SYS && channels == 2;
        }
    }
    static void TearDownTestSuite() {
        Mix_CloseAudio();
        SDL_Quit();
    }

    void SetUp() override { ASSERT_TRUE(opened_) << "no 44.1 kHz float stereo output: " << SDL_GetError(); }

    // Decodes a whole file to float stereo, as the game's effects are decoded.
    static StereoBuffer decode(const fs::path& path) {
        StereoBuffer audio;
        Mix_Chunk* chunk = Mix_LoadWAV(path.string().c_str());
        if (chunk == nullptr) {
            ADD_FAILURE() << path << ": " << Mix_GetError();
            return audio;
        }
        const std::size_t frames = chunk->alen / (2 * sizeof(float));
        audio.resize(frames);
        for (std::size_t i = 0; i < frames; ++i) {
            float pair[2];
            std::memcpy(pair, chunk->abuf + i * sizeof pair, sizeof pair);
            audio.left[i] = pair[0];
            audio.right[i] = pair[1];
        }
        Mix_FreeChunk(chunk);
        return audio;
    }

private:
    static inline bool opened_ = false;
};

TEST_F(SynthAssetTest, EverySoundTheGameNamesIsThere) {
    for (const char* name : {"se/cursor20", "se/cursor21", "se/cursor22", "se/coin06", "se/mecha05",
                             "se/power21", "se/power22", "se/power34", "se/bom26_c", "se/don10_a",
                             "se/chari13_b", "se/equip00", "bgm/QUORIN_Title", "bgm/QUORIN_Menu"}) {
        const fs::path file = runtimeAudio() / (std::string(name) + ".mp3");
        EXPECT_TRUE(fs::is_regular_file(file)) << file;
    }
}

TEST_F(SynthAssetTest, MusicIsOneLoopLongAndLoopsWithoutAClick) {
    const auto scores = sources(".mus");
    ASSERT_FALSE(scores.empty());
    for (const auto& source : scores) {
        SCOPED_TRACE(source.filename().string());
        std::ifstream in(source);
        const std::size_t expected =
            ScoreParser::parse(in, source.string()).loopFrames(Mp3Writer::SAMPLE_RATE);
        const StereoBuffer audio = decode(runtimeFile(source));
        ASSERT_GT(audio.frames(), 0u);
        EXPECT_LE(std::max(audio.frames(), expected) - std::min(audio.frames(), expected), MP3_FRAME);
        const double seconds = static_cast<double>(audio.frames()) / Mp3Writer::SAMPLE_RATE;
        EXPECT_GE(seconds, 40.0) << "tracks loop every 40 to 90 seconds";
        EXPECT_LE(seconds, 90.0) << "tracks loop every 40 to 90 seconds";
        for (const auto* channel : {&audio.left, &audio.right}) {
            const Seam seam = measureSeam(*channel);
            EXPECT_LE(seam.jump, seam.ordinary) << "the loop point jumps by " << seam.jump;
        }
        EXPECT_LT(peakOf(audio), 0.95f) << "headroom below full scale";
    }
}

TEST_F(SynthAssetTest, EffectsDecodeToTheirLengthWithHeadroom) {
    const auto effects = sources(".sfx");
    ASSERT_FALSE(effects.empty());
    for (const auto& source : effects) {
        SCOPED_TRACE(source.filename().string());
        std::ifstream in(source);
        const std::size_t expected =
            EffectRenderer::render(EffectParser::parse(in, source.string()), Mp3Writer::SAMPLE_RATE).size();
        const StereoBuffer audio = decode(runtimeFile(source));
        EXPECT_LE(std::max(audio.frames(), expected) - std::min(audio.frames(), expected), MP3_FRAME);
        EXPECT_LT(peakOf(audio), 1.0f);
        EXPECT_GT(peakOf(audio), 0.05f) << "audible";
    }
}

TEST_F(SynthAssetTest, LoopEdgesDecodeTrue) {
    // A loud low tone whose period divides the loop: its last sample leads straight back into its first.
    StereoBuffer tone;
    tone.resize(44100);
    for (std::size_t i = 0; i < tone.frames(); ++i) {
        tone.left[i] = tone.right[i] =
            0.8f * static_cast<float>(std::cos(6.283185307179586 * 60.0 * i / 44100.0));
    }
    testsupport::TempFolder folder;
    const fs::path file = folder / "loop_edges.mp3";
    Mp3Writer::save(file.string(), Mp3Writer::encode(tone, true, 128, true));
    const StereoBuffer decoded = decode(file);
    ASSERT_EQ(decoded.frames(), tone.frames());
    // No step, across the loop point or anywhere else, is steeper than the tone itself: without the context
    // the encoder gives the edges, the first samples jump some twenty times further.
    const float steepest = 0.8f * 6.2831853f * 60.0f / 44100.0f;
    float largest = std::fabs(decoded.left.front() - decoded.left.back());
    for (std::size_t i = 1; i < decoded.frames(); ++i)
        largest = std::max(largest, std::fabs(decoded.left[i] - decoded.left[i - 1]));
    EXPECT_LE(largest, steepest * 1.1f);
}

}  // namespace
