#pragma once

#include <string_view>

namespace engine {

// What an MP3 file's frame headers tell about its length, without decoding it. Counts the MPEG audio
// frames (MPEG-1, 2 and 2.5, layers I to III) after any ID3v2 tag; a first frame carrying a Xing/Info
// or VBRI tag holds no audio and is not counted. A LAME-style tag's encoder delay and padding are
// taken off the sample count, as a gapless decoder does.
class Mp3Info {
public:
    static Mp3Info fromBytes(std::string_view bytes);

    bool isValid() const { return frameCount_ > 0; }
    int getSampleRate() const { return sampleRate_; }
    int getSamplesPerFrame() const { return samplesPerFrame_; }
    long long getFrameCount() const { return frameCount_; }
    bool hasInfoTag() const { return hasInfoTag_; }
    int getEncoderDelay() const { return encoderDelay_; }
    int getEncoderPadding() const { return encoderPadding_; }

    // Frames × samples per frame, less the gapless delay and padding (never below 0).
    long long getSampleCount() const;
    double getSeconds() const;
    // Whole 1/60 s frames until the sound has ended (rounded up).
    long long getTicksAt60() const;

private:
    bool started() const { return frameCount_ > 0 || hasInfoTag_; }
    // Reads a Xing/Info or VBRI tag in the first frame; true if the frame is such a tag frame.
    bool readInfoTag(const unsigned char* frame, int length, int tagOffset);

    int sampleRate_ = 0;
    int samplesPerFrame_ = 0;
    long long frameCount_ = 0;
    bool hasInfoTag_ = false;
    int encoderDelay_ = 0;
    int encoderPadding_ = 0;
};

}  // namespace engine
