// quorin-synth's readers: what a sound effect or a score may say, and how mistakes are pointed out.
#include <sstream>
#include <string>

#include <gtest/gtest.h>

#include "tools/synth/EffectParser.h"
#include "tools/synth/ScoreParser.h"
#include "tools/synth/SourceError.h"

using namespace synth;

namespace {

// A small but complete score; cases below change one line of it.
const std::string HEADER =
    "tempo 120\n"        // 1
    "instrument lead\n"  // 2
    "  wave square\n"    // 3
    "end\n"              // 4
    "instrument kick\n"  // 5
    "  wave sine\n"      // 6
    "  pitch 60\n"       // 7
    "end\n";             // 8

Score parseScore(const std::string& text) {
    std::istringstream in(text);
    return ScoreParser::parse(in, "song.mus");
}

SoundEffect parseEffect(const std::string& text) {
    std::istringstream in(text);
    return EffectParser::parse(in, "blip.sfx");
}

struct BadSource {
    const char* name;
    std::string text;
    int line;
    const char* says;  // part of the message
};

void PrintTo(const BadSource& source, std::ostream* out) {
    *out << source.name;
}

class SynthSourceScoreErrorTest : public ::testing::TestWithParam<BadSource> {};

TEST_P(SynthSourceScoreErrorTest, IsRejectedAtItsLine) {
    const BadSource& bad = GetParam();
    try {
        parseScore(bad.text);
        FAIL() << "accepted: " << bad.text;
    } catch (const SourceError& error) {
        EXPECT_EQ(error.file(), "song.mus");
        EXPECT_EQ(error.line(), bad.line) << error.what();
        EXPECT_NE(error.message().find(bad.says), std::string::npos) << error.what();
        EXPECT_EQ(std::string(error.what()).rfind("song.mus:" + std::to_string(bad.line) + ": ", 0), 0u);
    }
}

INSTANTIATE_TEST_SUITE_P(
    Scores, SynthSourceScoreErrorTest,
    ::testing::Values(
        BadSource{"UnknownInstrument", HEADER + "pattern A\n  leed C4w\nend\nplay A\n", 10,
                  "unknown instrument 'leed'"},
        BadSource{"BadNoteName", HEADER + "pattern A\n  lead C4h H4h\nend\nplay A\n", 10, "bad note 'H4h'"},
        BadSource{"NoteWithoutOctave", HEADER + "pattern A\n  lead Cq D4h.\nend\nplay A\n", 10,
                  "bad note 'Cq'"},
        BadSource{"BadLength", HEADER + "pattern A\n  lead C4x D4h.\nend\nplay A\n", 10,
                  "bad note length 'x'"},
        BadSource{"DotTooFine", HEADER + "pattern A\n  lead C4t... r\nend\nplay A\n", 10, "bad note length"},
        BadSource{"MissingTempo", "instrument lead\n  wave saw\nend\npattern A\n  lead C4w\nend\nplay A\n", 7,
                  "needs a 'tempo'"},
        BadSource{"NoTempoAtAll", "instrument lead\n  wave saw\nend\n", 3, "no 'tempo'"},
        BadSource{"NothingToPlay", HEADER + "pattern A\n  lead C4w\nend\n", 11, "nothing to play"},
        BadSource{"MisplacedBarLine", HEADER + "pattern A\n  lead C4q D4 E4 | F4 |\nend\nplay A\n", 10,
                  "bar line after 3 beats of a 4-beat bar"},
        BadSource{"PartTooShort", HEADER + "pattern A\n  lead C4w\n  kick x...x...x...\nend\nplay A\n", 11,
                  "part 'kick' ends before"},
        BadSource{"NotWholeBars", HEADER + "pattern A\n  lead C4h.\nend\nplay A\n", 9,
                  "not a whole number of bars"},
        BadSource{"StepsWithoutPitch", HEADER + "pattern A\n  lead x.x.x.x.x.x.x.x.\nend\nplay A\n", 10,
                  "need an instrument with a 'pitch'"},
        BadSource{"TieWithoutNote", HEADER + "pattern A\n  lead rq ~q C4h\nend\nplay A\n", 10, "tie '~q'"},
        BadSource{"OpenChord", HEADER + "pattern A\n  lead [C4 E4 G4w\nend\nplay A\n", 10, "no closing ']'"},
        BadSource{"BadChordNote", HEADER + "pattern A\n  lead [C4 X4 G4]w\nend\nplay A\n", 10,
                  "bad note 'X4'"},
        BadSource{"ZeroRepeats", HEADER + "pattern A\n  lead C4q*0 C4w\nend\nplay A\n", 10,
                  "bad repeat count '*0'"},
        BadSource{"OpenGroup", HEADER + "pattern A\n  lead (C4q D4 E4\nend\nplay A\n", 10, "no closing ')'"},
        BadSource{"NestedGroup", HEADER + "pattern A\n  lead ((C4q)*2 D4h)*2\nend\nplay A\n", 10, "nested"},
        BadSource{"WordyRepeats", HEADER + "pattern A\n  lead C4q*four\nend\nplay A\n", 10,
                  "bad repeat count"},
        BadSource{"UnknownPattern", HEADER + "pattern A\n  lead C4w\nend\nplay A B\n", 12,
                  "unknown pattern 'B'"},
        BadSource{"BadTransposition", HEADER + "pattern A\n  lead C4w\nend\nplay A^up\n", 12,
                  "bad transposition"},
        BadSource{"PatternWithoutEnd", HEADER + "pattern A\n  lead C4w\n", 9, "'pattern A' has no 'end'"},
        BadSource{"InstrumentWithoutEnd", "tempo 90\ninstrument pad\n  wave saw\n", 2, "has no 'end'"},
        BadSource{"InstrumentTwice", HEADER + "instrument lead\n  wave saw\nend\n", 9, "defined twice"},
        BadSource{"EmptyInstrument", "tempo 90\ninstrument pad\nend\n", 2, "is empty"},
        BadSource{"UnknownWave", "tempo 90\ninstrument pad\n  wave sawtooth\nend\n", 3,
                  "unknown waveform 'sawtooth'"},
        BadSource{"HoldInInstrument", "tempo 90\ninstrument pad\n  hold 1\nend\n", 3,
                  "'hold' is for sound effects"},
        BadSource{"UnknownSetting", "tempo 90\nswing 0.6\n", 2, "unknown setting 'swing'"},
        BadSource{"TempoOutOfRange", "tempo 1000\n", 1, "between 20 and 400"},
        BadSource{"CommaDecimal", "tempo 90,5\n", 1, "not '90,5'"},
        BadSource{"FractionalMeter", "tempo 90\nmeter 3.5\n", 2, "whole number"},
        BadSource{"ExtraWord", "tempo 90 fast\n", 1, "unexpected 'fast'"},
        BadSource{"SecondLoop", HEADER + "pattern A\n  lead C4w\nend\nloop\nplay A\nloop\nplay A\n", 14,
                  "second 'loop'"},
        BadSource{"LoopAtTheEnd", HEADER + "pattern A\n  lead C4w\nend\nplay A\nloop\n", 13,
                  "nothing is played after 'loop'"}),
    [](const ::testing::TestParamInfo<BadSource>& param) { return param.param.name; });

class SynthSourceEffectErrorTest : public ::testing::TestWithParam<BadSource> {};

TEST_P(SynthSourceEffectErrorTest, IsRejectedAtItsLine) {
    const BadSource& bad = GetParam();
    try {
        parseEffect(bad.text);
        FAIL() << "accepted: " << bad.text;
    } catch (const SourceError& error) {
        EXPECT_EQ(error.line(), bad.line) << error.what();
        EXPECT_NE(error.message().find(bad.says), std::string::npos) << error.what();
    }
}

INSTANTIATE_TEST_SUITE_P(
    Effects, SynthSourceEffectErrorTest,
    ::testing::Values(BadSource{"UnknownSetting", "wave square\npitchh A4\n", 2, "unknown setting 'pitchh'"},
                      BadSource{"BadPitch", "wave square\npitch Z4\n", 2, "note name"},
                      BadSource{"NegativeTime", "# a comment\n\nattack -0.1\n", 3, "between 0 and 60"},
                      BadSource{"DutyOutOfRange", "duty 0.5 to 1.5\n", 1, "the end duty"},
                      BadSource{"SweepWithoutEnd", "lowpass 400 to\n", 1, "missing the end cutoff"},
                      BadSource{"ArpeggioWithoutStep", "arp 0 4 7\n", 1, "missing a step time"},
                      BadSource{"ArpeggioWithoutNotes", "arp every 0.1\n", 1, "needs intervals"},
                      BadSource{"SlideWithoutTime", "slide 12\n", 1, "missing a time"},
                      BadSource{"FractionalUnison", "wave saw\nunison 2.5\n", 2, "whole number"},
                      BadSource{"VoiceWithWords", "voice two\n", 1, "unexpected 'two'"},
                      BadSource{"Empty", "# nothing here\n\n", 2, "no voice"}),
    [](const ::testing::TestParamInfo<BadSource>& param) { return param.param.name; });

TEST(SynthSourceScoreTest, LengthsTriesAndDotsAddUpInTicks) {
    const Score score = parseScore(HEADER +
                                   "pattern A\n"
                                   "  lead C4q. D4e E4 F4 G4q | E4q3 F4 G4 A4q B4s C5 D5 E5 |\n"
                                   "end\n"
                                   "play A\n");
    constexpr std::int64_t q = Score::TICKS_PER_BEAT;
    ASSERT_EQ(score.events.size(), 13u);
    EXPECT_EQ(score.events[0].length, q * 3 / 2);
    EXPECT_EQ(score.events[1].length, q / 2);
    EXPECT_EQ(score.events[3].length, q / 2) << "a length carries on to the next notes";
    EXPECT_EQ(score.events[5].length, q * 2 / 3);
    EXPECT_EQ(score.events[8].tick, 6 * q);
    EXPECT_EQ(score.endTick, 8 * q);
}

TEST(SynthSourceScoreTest, TabsAndWindowsLineEndingsAreSpace) {
    const Score score = parseScore(
        "tempo\t100\r\ninstrument a\r\n\twave saw\r\nend\r\n"
        "pattern P\r\n\ta\tC4h\tD4\t|\r\nend\r\nplay P\r\n");
    EXPECT_EQ(score.tempo, 100.0);
    EXPECT_EQ(score.events.size(), 2u);
}

TEST(SynthSourceScoreTest, PitchesNamesAndAccidentals) {
    const Score score = parseScore(HEADER + "pattern A\n  lead A4q C4 F#3 Bb5\nend\nplay A\n");
    ASSERT_EQ(score.events.size(), 4u);
    EXPECT_EQ(*score.events[0].midi, 69.0);
    EXPECT_EQ(*score.events[1].midi, 60.0);
    EXPECT_EQ(*score.events[2].midi, 54.0);
    EXPECT_EQ(*score.events[3].midi, 82.0);
}

TEST(SynthSourceScoreTest, ChordsTiesAndSharpsAreNotComments) {
    const Score score = parseScore(HEADER +
                                   "pattern A  # the only pattern\n"
                                   "  lead [C4 E4 G#4]h ~q rq  # a held chord\n"
                                   "end\n"
                                   "play A\n");
    ASSERT_EQ(score.events.size(), 3u);
    for (const auto& event : score.events) {
        EXPECT_EQ(event.tick, 0);
        EXPECT_EQ(event.length, 3 * Score::TICKS_PER_BEAT);
    }
    EXPECT_EQ(*score.events[2].midi, 68.0);
}

TEST(SynthSourceScoreTest, StepsHaveVelocitiesAndHolds) {
    const Score score = parseScore(HEADER + "grid e\npattern A\n  kick X.x-o...\nend\nplay A\n");
    ASSERT_EQ(score.events.size(), 3u);
    EXPECT_FALSE(score.events[0].midi.has_value()) << "steps play the instrument's own pitch";
    EXPECT_GT(score.events[0].velocity, score.events[1].velocity);
    EXPECT_GT(score.events[1].velocity, score.events[2].velocity);
    EXPECT_EQ(score.events[1].length, Score::TICKS_PER_BEAT) << "'-' holds the step before it";
    EXPECT_EQ(score.events[2].tick, 2 * Score::TICKS_PER_BEAT);
}

TEST(SynthSourceScoreTest, RepeatsPlayAWordSeveralTimes) {
    const Score score = parseScore(HEADER +
                                   "pattern A\n"
                                   "  lead C4e*4 [E4 G4]e*2 r*2 | (re [C4 E4]e)*4 | ( C4s D4 E4 D4 )*4 |\n"
                                   "  kick x...*12\n"
                                   "end\n"
                                   "play A\n");
    ASSERT_EQ(score.events.size(), 8u + 8u + 16u + 12u);
    EXPECT_EQ(score.events[3].tick, 3 * Score::TICKS_PER_BEAT / 2);
    EXPECT_EQ(score.events[6].tick, 5 * Score::TICKS_PER_BEAT / 2) << "the second chord";
    EXPECT_EQ(score.events[8].tick, 4 * Score::TICKS_PER_BEAT + Score::TICKS_PER_BEAT / 2)
        << "after the group's rest";
    EXPECT_EQ(score.events[31].tick, 12 * Score::TICKS_PER_BEAT - Score::TICKS_PER_BEAT / 4);
    EXPECT_EQ(score.endTick, 12 * Score::TICKS_PER_BEAT);
}

TEST(SynthSourceScoreTest, PlayLinesTransposeAndMarkTheLoop) {
    const Score score = parseScore(HEADER +
                                   "pattern A\n  lead C4w\n  kick x...............\nend\n"
                                   "play A\nloop\nplay A^5 A^-2\n");
    EXPECT_EQ(score.loopTick, 4 * Score::TICKS_PER_BEAT);
    EXPECT_EQ(score.endTick, 12 * Score::TICKS_PER_BEAT);
    ASSERT_EQ(score.events.size(), 6u);
    EXPECT_EQ(*score.events[2].midi, 65.0);
    EXPECT_EQ(*score.events[4].midi, 58.0);
    EXPECT_FALSE(score.events[3].midi.has_value()) << "steps are not transposed";
}

TEST(SynthSourceScoreTest, PartsOfOneInstrumentAndLinesOfOnePart) {
    const Score score = parseScore(HEADER +
                                   "pattern A\n"
                                   "  lead   C5h\n"
                                   "  lead:2 E4w\n"
                                   "  lead   D5h\n"
                                   "end\n"
                                   "play A\n");
    ASSERT_EQ(score.events.size(), 3u);
    EXPECT_EQ(score.events[1].tick, 0) << "a second part starts at the pattern's start";
    EXPECT_EQ(score.events[2].tick, 2 * Score::TICKS_PER_BEAT)
        << "a part's next line goes on where it stopped";
}

TEST(SynthSourceScoreTest, LoopLengthInFrames) {
    const Score score =
        parseScore("tempo 90\n" + HEADER.substr(10) + "pattern A\n  lead C4w\nend\nplay A A A\n");
    // 12 beats at 90 per minute: 8 seconds.
    EXPECT_EQ(score.loopFrames(44100.0), 8u * 44100u);
}

TEST(SynthSourceEffectTest, VoicesStartImplicitlyAndStack) {
    const SoundEffect effect = parseEffect(
        "gain -6\n"
        "wave triangle\n"
        "pitch 440\n"
        "voice\n"
        "wave noise\n"
        "arp 0 4 7 every 0.05 loop\n"
        "vibrato 0.5 6 after 0.1\n");
    ASSERT_EQ(effect.voices.size(), 2u);
    EXPECT_EQ(effect.gainDb, -6.0);
    EXPECT_EQ(effect.voices[0].wave, Wave::Triangle);
    EXPECT_NEAR(*effect.voices[0].pitch, 69.0, 1e-9);
    EXPECT_EQ(effect.voices[1].arpeggio.size(), 3u);
    EXPECT_TRUE(effect.voices[1].arpeggioLoops);
    EXPECT_EQ(effect.voices[1].vibratoDelay, 0.1);
    EXPECT_NE(effect.voices[0].seed, effect.voices[1].seed) << "layers get their own noise";
}

}  // namespace
