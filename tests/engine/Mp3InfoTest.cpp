#include <cstring>
#include <memory>
#include <string_view>

#include <gtest/gtest.h>

#include "engine/audio/Mp3Info.h"
#include "tests/support/Mp3Frames.h"

using engine::Mp3Info;
using testsupport::infoTagFrame;
using testsupport::layer3Frame;
using testsupport::mpegFrame;
using testsupport::silentMp3;

namespace {

TEST(Mp3InfoTest, CountsMpeg1Layer3Frames) {
    Mp3Info info = Mp3Info::fromBytes(silentMp3(10));
    ASSERT_TRUE(info.isValid());
    EXPECT_EQ(info.getFrameCount(), 10);
    EXPECT_EQ(info.getSampleRate(), 44100);
    EXPECT_EQ(info.getSamplesPerFrame(), 1152);
    EXPECT_EQ(info.getSampleCount(), 11520);
    EXPECT_DOUBLE_EQ(info.getSeconds(), 11520.0 / 44100.0);
    EXPECT_FALSE(info.hasInfoTag());
}

TEST(Mp3InfoTest, TicksRoundUpToWholeFrames) {
    EXPECT_EQ(Mp3Info::fromBytes(silentMp3(10)).getTicksAt60(), 16);  // 15.67 frames of 1/60 s
    // 49 frames of 1152 samples at 44100 Hz: 56448 samples = exactly 76.8 ticks → 77.
    EXPECT_EQ(Mp3Info::fromBytes(silentMp3(49)).getTicksAt60(), 77);
    EXPECT_EQ(Mp3Info::fromBytes("").getTicksAt60(), 0);
}

TEST(Mp3InfoTest, PaddedFramesAreOneByteLonger) {
    // At 44100 Hz the encoder pads some frames to keep the bit rate: 418 bytes instead of 417.
    std::string data =
        layer3Frame() + mpegFrame(0xFB, 0x92, 0xC0, 418) + layer3Frame() + mpegFrame(0xFB, 0x92, 0xC0, 418);
    EXPECT_EQ(Mp3Info::fromBytes(data).getFrameCount(), 4);
}

TEST(Mp3InfoTest, ReadsOtherVersionsAndLayers) {
    // MPEG-2 layer III, 64 kbit/s, 22050 Hz: 208 bytes, 576 samples.
    std::string mpeg2;
    for (int i = 0; i < 5; ++i)
        mpeg2 += mpegFrame(0xF3, 0x80, 0xC0, 208);
    Mp3Info info = Mp3Info::fromBytes(mpeg2);
    EXPECT_EQ(info.getFrameCount(), 5);
    EXPECT_EQ(info.getSampleRate(), 22050);
    EXPECT_EQ(info.getSampleCount(), 5 * 576);

    // MPEG-2.5 layer III, 8 kbit/s, 11025 Hz: 52 bytes, 576 samples.
    std::string mpeg25;
    for (int i = 0; i < 3; ++i)
        mpeg25 += mpegFrame(0xE3, 0x10, 0xC0, 52);
    info = Mp3Info::fromBytes(mpeg25);
    EXPECT_EQ(info.getFrameCount(), 3);
    EXPECT_EQ(info.getSampleRate(), 11025);

    // MPEG-1 layer II, 192 kbit/s, 48000 Hz: 576 bytes, 1152 samples.
    std::string layer2 = mpegFrame(0xFD, 0xA4, 0x00, 576) + mpegFrame(0xFD, 0xA4, 0x00, 576);
    info = Mp3Info::fromBytes(layer2);
    EXPECT_EQ(info.getFrameCount(), 2);
    EXPECT_EQ(info.getSampleCount(), 2304);

    // MPEG-1 layer I, 128 kbit/s, 32000 Hz: 192 bytes, 384 samples.
    std::string layer1 = mpegFrame(0xFF, 0x48, 0x00, 192) + mpegFrame(0xFF, 0x48, 0x00, 192);
    info = Mp3Info::fromBytes(layer1);
    EXPECT_EQ(info.getFrameCount(), 2);
    EXPECT_EQ(info.getSampleRate(), 32000);
    EXPECT_EQ(info.getSampleCount(), 768);
}

TEST(Mp3InfoTest, TheInfoTagFrameIsNotAudioAndItsGaplessFieldsAreHonoured) {
    Mp3Info info = Mp3Info::fromBytes(infoTagFrame(0x0F, 576, 1000) + silentMp3(20));
    ASSERT_TRUE(info.isValid());
    EXPECT_TRUE(info.hasInfoTag());
    EXPECT_EQ(info.getFrameCount(), 20);
    EXPECT_EQ(info.getEncoderDelay(), 576);
    EXPECT_EQ(info.getEncoderPadding(), 1000);
    EXPECT_EQ(info.getSampleCount(), 20 * 1152 - 576 - 1000);
    EXPECT_EQ(info.getTicksAt60(), 30);  // 21464 samples = 29.2 ticks
}

TEST(Mp3InfoTest, TheEncoderExtensionIsFoundWhateverOptionalFieldsPrecedeIt) {
    for (std::uint32_t flags : {0x0u, 0x1u, 0x3u, 0x5u, 0x8u, 0xFu}) {
        SCOPED_TRACE(flags);
        Mp3Info info = Mp3Info::fromBytes(infoTagFrame(flags, 2257, 4095) + silentMp3(4));
        EXPECT_EQ(info.getEncoderDelay(), 2257);
        EXPECT_EQ(info.getEncoderPadding(), 4095);
    }
}

TEST(Mp3InfoTest, AnUnknownEncoderExtensionGivesNoGaplessTrim) {
    Mp3Info info = Mp3Info::fromBytes(infoTagFrame(0x0F, 576, 1000, "XXXX1.0") + silentMp3(3));
    EXPECT_TRUE(info.hasInfoTag());
    EXPECT_EQ(info.getEncoderDelay(), 0);
    EXPECT_EQ(info.getSampleCount(), 3 * 1152);
}

TEST(Mp3InfoTest, TrimNeverMakesTheLengthNegative) {
    Mp3Info info = Mp3Info::fromBytes(infoTagFrame(0x0F, 4000, 4000) + silentMp3(2));
    EXPECT_EQ(info.getSampleCount(), 0);
    EXPECT_EQ(info.getTicksAt60(), 0);
}

TEST(Mp3InfoTest, SkipsAnId3v2TagEvenIfItHoldsSyncLikeBytes) {
    std::string body(300, '\0');
    body.replace(100, 4, layer3Frame().substr(0, 4));  // looks like a frame header inside the tag
    std::string tag = std::string("ID3\x03\x00\x00", 6) + std::string("\x00\x00\x02\x2C", 4) + body;  // 300
    Mp3Info info = Mp3Info::fromBytes(tag + silentMp3(6));
    EXPECT_EQ(info.getFrameCount(), 6);
}

TEST(Mp3InfoTest, IgnoresJunkBetweenFramesAndTrailingTags) {
    std::string junk("\xFF\xFB\x12junk\xFF", 8);
    std::string id3v1 = "TAG" + std::string(125, 'x');
    Mp3Info info = Mp3Info::fromBytes(silentMp3(3) + junk + silentMp3(4) + id3v1);
    EXPECT_EQ(info.getFrameCount(), 7);
}

TEST(Mp3InfoTest, ACutOffLastFrameIsNotCounted) {
    std::string data = silentMp3(5);
    data.resize(data.size() - 100);
    EXPECT_EQ(Mp3Info::fromBytes(data).getFrameCount(), 4);
}

TEST(Mp3InfoTest, AHeaderWhoseFrameRunsPastTheEndIsNotReadBeyondTheData) {
    // Eight bytes in a buffer of exactly that size: the header announces a 417-byte frame, so the
    // next frame's position lies past the end and nothing may be read there.
    const std::string header = layer3Frame().substr(0, 8);
    std::unique_ptr<char[]> exact(new char[header.size()]);
    std::memcpy(exact.get(), header.data(), header.size());
    const Mp3Info info = Mp3Info::fromBytes(std::string_view(exact.get(), header.size()));
    EXPECT_FALSE(info.isValid());
    EXPECT_EQ(info.getTicksAt60(), 0);
}

TEST(Mp3InfoTest, DataWithoutFramesIsInvalid) {
    EXPECT_FALSE(Mp3Info::fromBytes("").isValid());
    EXPECT_FALSE(Mp3Info::fromBytes("RIFF....WAVEfmt ").isValid());
    EXPECT_FALSE(Mp3Info::fromBytes(std::string(2000, '\xFF')).isValid());
    // A lone header whose frame is not followed by another, nor by the end of the data.
    EXPECT_FALSE(Mp3Info::fromBytes(layer3Frame() + std::string(50, 'z')).isValid());
}

}  // namespace
