// quorin-synth's sound: voices, loops that wrap their tails, repeatable output and the MP3 header.
#include <algorithm>
#include <cmath>
#include <sstream>

#include <gtest/gtest.h>

#include "tools/synth/EffectParser.h"
#include "tools/synth/EffectRenderer.h"
#include "tools/synth/GaplessTag.h"
#include "tools/synth/Mp3Writer.h"
#include "tools/synth/ScoreParser.h"
#include "tools/synth/ScoreRenderer.h"
#include "tools/synth/Voice.h"

using namespace synth;

namespace {

constexpr double RATE = 44100.0;

Score parseScore(const std::string& text) {
    std::istringstream in(text);
    return ScoreParser::parse(in, "test.mus");
}

std::vector<float> renderEffect(const std::string& text) {
    std::istringstream in(text);
    return EffectRenderer::render(EffectParser::parse(in, "test.sfx"), RATE);
}

int risingZeroCrossings(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    int count = 0;
    for (std::size_t i = from + 1; i < to; ++i)
        count += samples[i - 1] < 0.0f && samples[i] >= 0.0f ? 1 : 0;
    return count;
}

double energy(const std::vector<float>& samples, std::size_t from, std::size_t to) {
    double sum = 0.0;
    for (std::size_t i = from; i < to; ++i)
        sum += samples[i] * samples[i];
    return sum;
}

TEST(SynthRenderVoiceTest, PlayInTune) {
    for (const char* wave : {"sine", "square", "saw", "triangle"}) {
        const auto sound = renderEffect(std::string("wave ") + wave + "\npitch A4\nhold 1\n");
        // One second of A4 rises through zero 440 times.
        EXPECT_NEAR(risingZeroCrossings(sound, 0, 44100), 440, 1) << wave;
    }
}

TEST(SynthRenderVoiceTest, SlideAndArpeggioMoveThePitch) {
    const auto slid = renderEffect("wave sine\npitch A4\nslide 12 0.01\nhold 1\n");
    EXPECT_NEAR(risingZeroCrossings(slid, 22050, 44100), 440, 2) << "an octave up holds after the slide";
    const auto arpeggio = renderEffect("wave sine\npitch A4\narp 0 12 every 0.5\nhold 1\n");
    EXPECT_NEAR(risingZeroCrossings(arpeggio, 0, 22050), 220, 2);
    EXPECT_NEAR(risingZeroCrossings(arpeggio, 22050, 44100), 440, 2);
}

TEST(SynthRenderVoiceTest, EnvelopeShapesLengthAndLevel) {
    const auto sound =
        renderEffect("wave square\npitch 200\nattack 0.1\ndecay 0.1\nsustain 0.5\nhold 0.2\nrelease 0.1\n");
    EXPECT_EQ(sound.size(), static_cast<std::size_t>(std::ceil(0.5 * RATE)));
    // Mean power over one period of the 200 Hz square (220 samples).
    const auto power = [&](double seconds) {
        const auto from = static_cast<std::size_t>(seconds * RATE);
        return energy(sound, from, from + 220) / 220.0;
    };
    EXPECT_LT(power(0.02), 0.1) << "still rising";
    EXPECT_NEAR(power(0.098), 1.0, 0.1) << "the top of the attack";
    EXPECT_NEAR(power(0.3), 0.25, 0.03) << "sustain at half level";
    EXPECT_LT(std::fabs(sound.back()), 1e-4f) << "the release ends in silence";
}

TEST(SynthRenderVoiceTest, LowPassDarkensNoise) {
    const auto bright = renderEffect("wave noise\npitch 40000\nhold 0.5\n");
    const auto dark = renderEffect("wave noise\npitch 40000\nhold 0.5\nlowpass 500\n");
    // Sample-to-sample change measures the high end.
    const auto roughness = [](const std::vector<float>& s) {
        double sum = 0.0;
        for (std::size_t i = 1; i < s.size(); ++i)
            sum += std::fabs(s[i] - s[i - 1]);
        return sum;
    };
    EXPECT_LT(roughness(dark), roughness(bright) * 0.2);
}

TEST(SynthRenderVoiceTest, SameSourceSameSamples) {
    const std::string source =
        "wave noise\npitch 9000\nhold 0.2\nvoice\nwave saw\nunison 5\ndetune 20\nhold 0.2\n";
    EXPECT_EQ(renderEffect(source), renderEffect(source));
}

const std::string LOOP_SCORE =
    "tempo 120\n"
    "reverb 1.5\n"
    "instrument bell\n"
    "  wave triangle\n"
    "  release 1.5\n"
    "  reverb 0.5\n"
    "  echo 0.4\n"
    "end\n"
    "pattern intro\n"
    "  bell C6w\n"
    "end\n"
    "pattern A\n"
    "  bell rh. G4q\n"  // the last note rings on past the end of the loop
    "end\n"
    "play intro\n"
    "loop\n"
    "play A\n";

TEST(SynthRenderLoopTest, AreExactlyTheLoopLong) {
    const Score score = parseScore(LOOP_SCORE);
    const StereoBuffer loop = ScoreRenderer(score, RATE).renderLoop();
    EXPECT_EQ(loop.frames(), score.loopFrames(RATE));
    EXPECT_EQ(loop.frames(), static_cast<std::size_t>(2.0 * RATE)) << "one bar at 120 beats per minute";
}

TEST(SynthRenderLoopTest, TailsOfTheEndRingIntoTheStart) {
    const StereoBuffer loop = ScoreRenderer(parseScore(LOOP_SCORE), RATE).renderLoop();
    // Nothing starts in the first three beats, yet the last note's release, echo and reverb are heard there.
    EXPECT_GT(energy(loop.left, 0, 4410), 1.0);
    // The end runs into the start as smoothly as any two neighbouring samples.
    float largestStep = 0.0f;
    for (std::size_t i = 1; i < loop.frames(); ++i)
        largestStep = std::max(largestStep, std::fabs(loop.left[i] - loop.left[i - 1]));
    EXPECT_LE(std::fabs(loop.left.front() - loop.left.back()), largestStep);
    EXPECT_LE(std::fabs(loop.right.front() - loop.right.back()), largestStep);
}

TEST(SynthRenderLoopTest, IntroIsLeftOutOfTheLoopButPlayedOnce) {
    const Score score = parseScore(LOOP_SCORE);
    const ScoreRenderer renderer(score, RATE);
    const StereoBuffer once = renderer.renderOnce();
    EXPECT_GT(once.frames(), static_cast<std::size_t>(4.0 * RATE)) << "both bars and the tail";
    // The intro's high C is in the single pass only.
    const auto high = [&](const std::vector<float>& s) { return risingZeroCrossings(s, 0, 22050); };
    EXPECT_GT(high(once.left), 400);
    EXPECT_LT(high(renderer.renderLoop().left), 400);
}

TEST(SynthRenderLoopTest, ArePeakNormalised) {
    const StereoBuffer loop = ScoreRenderer(parseScore(LOOP_SCORE), RATE).renderLoop();
    float peak = 0.0f;
    for (std::size_t i = 0; i < loop.frames(); ++i)
        peak = std::max({peak, std::fabs(loop.left[i]), std::fabs(loop.right[i])});
    EXPECT_NEAR(20.0 * std::log10(peak), -3.0, 0.01);
}

StereoBuffer tone(std::size_t frames) {
    StereoBuffer audio;
    audio.resize(frames);
    for (std::size_t i = 0; i < frames; ++i)
        audio.left[i] = audio.right[i] = 0.5f * static_cast<float>(std::sin(i * 0.05));
    return audio;
}

TEST(SynthRenderEncodingTest, WritesTheGaplessHeaderFirst) {
    const auto mp3 = Mp3Writer::encode(tone(20000), false, 64, false);
    ASSERT_GT(mp3.size(), 200u);
    EXPECT_EQ(mp3[0], 0xFF) << "no ID3 tag: the header frame comes first";
    const std::string head(mp3.begin(), mp3.begin() + 200);
    EXPECT_TRUE(head.find("Info") != std::string::npos || head.find("Xing") != std::string::npos);
    int delay = 0;
    int padding = 0;
    ASSERT_TRUE(GaplessTag::read(mp3, delay, padding));
    EXPECT_EQ(delay, 576);
    // Delay, music and padding fill whole frames of 1152 samples.
    EXPECT_EQ((delay + 20000 + padding) % 1152, 0);
}

TEST(SynthRenderEncodingTest, LoopsCarryContextMarkedForDropping) {
    const auto plain = Mp3Writer::encode(tone(20000), true, 128, false);
    const auto loop = Mp3Writer::encode(tone(20000), true, 128, true);
    int plainDelay = 0, plainPadding = 0, loopDelay = 0, loopPadding = 0;
    ASSERT_TRUE(GaplessTag::read(plain, plainDelay, plainPadding));
    ASSERT_TRUE(GaplessTag::read(loop, loopDelay, loopPadding));
    EXPECT_EQ(loopDelay, plainDelay + Mp3Writer::LOOP_CONTEXT);
    EXPECT_EQ((loopDelay + 20000 + loopPadding) % 1152, 0);
    EXPECT_GT(loop.size(), plain.size());
}

TEST(SynthRenderEncodingTest, GaplessTagRefusesBytesWithoutAHeader) {
    std::vector<unsigned char> bytes(400, 0);
    int delay = 0;
    int padding = 0;
    EXPECT_FALSE(GaplessTag::read(bytes, delay, padding));
    EXPECT_THROW(GaplessTag::widen(bytes, 100), std::runtime_error);
    auto mp3 = Mp3Writer::encode(tone(5000), false, 64, false);
    EXPECT_THROW(GaplessTag::widen(mp3, 4000), std::runtime_error) << "the fields hold 12 bits";
}

TEST(SynthRenderEncodingTest, SameSoundSameBytes) {
    EXPECT_EQ(Mp3Writer::encode(tone(30000), true, 128, true),
              Mp3Writer::encode(tone(30000), true, 128, true));
}

}  // namespace
