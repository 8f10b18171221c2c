#include "tools/synth/Mp3Writer.h"

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <memory>
#include <stdexcept>

#include <lame/lame.h>

#include "tools/synth/GaplessTag.h"

namespace synth {

namespace {

// Frames handed to the encoder per call.
constexpr int CHUNK = 8192;
// LAME's speed/quality trade-off (0 best, 9 fastest). 5 is its own default: good quality at a fifth of the
// time that 2 takes, which keeps the build quick.
constexpr int QUALITY = 5;

struct LameCloser {
    void operator()(lame_global_flags* flags) const { lame_close(flags); }
};

}  // namespace

std::vector<unsigned char> Mp3Writer::encode(const StereoBuffer& source, bool stereo, int kbps, bool loop) {
    StereoBuffer wrapped;
    if (loop && source.frames() > 0) {
        const std::size_t frames = source.frames();
        const std::size_t context = LOOP_CONTEXT;
        wrapped.resize(frames + 2 * context);
        for (std::size_t i = 0; i < wrapped.frames(); ++i) {
            const std::size_t from = (i + frames * context - context) % frames;
            wrapped.left[i] = source.left[from];
            wrapped.right[i] = source.right[from];
        }
    }
    const StereoBuffer& audio = loop ? wrapped : source;

    std::unique_ptr<lame_global_flags, LameCloser> lame(lame_init());
    if (!lame) throw std::runtime_error("LAME could not start");
    lame_set_in_samplerate(lame.get(), SAMPLE_RATE);
    lame_set_out_samplerate(lame.get(), SAMPLE_RATE);
    lame_set_num_channels(lame.get(), stereo ? 2 : 1);
    lame_set_mode(lame.get(), stereo ? JOINT_STEREO : MONO);
    lame_set_VBR(lame.get(), vbr_off);
    lame_set_brate(lame.get(), kbps);
    lame_set_quality(lame.get(), QUALITY);
    lame_set_bWriteVbrTag(lame.get(), 1);  // the gapless header
    lame_set_write_id3tag_automatic(lame.get(), 0);
    if (lame_init_params(lame.get()) < 0) throw std::runtime_error("LAME refused the encoding settings");

    std::vector<unsigned char> bytes;
    std::vector<unsigned char> chunk(static_cast<std::size_t>(CHUNK + CHUNK / 4 + 7200));
    const auto frames = audio.frames();
    const float* right = stereo ? audio.right.data() : audio.left.data();
    for (std::size_t at = 0; at < frames; at += CHUNK) {
        const int count = static_cast<int>(std::min<std::size_t>(CHUNK, frames - at));
        const int written =
            lame_encode_buffer_ieee_float(lame.get(), audio.left.data() + at, right + at, count, chunk.data(),
                                          static_cast<int>(chunk.size()));
        if (written < 0) throw std::runtime_error("LAME failed to encode (" + std::to_string(written) + ")");
        bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + written);
    }
    const int flushed = lame_encode_flush(lame.get(), chunk.data(), static_cast<int>(chunk.size()));
    if (flushed < 0) throw std::runtime_error("LAME failed to finish (" + std::to_string(flushed) + ")");
    bytes.insert(bytes.end(), chunk.begin(), chunk.begin() + flushed);

    // LAME left an empty first frame for the header; now that the delay and padding are known, fill it in.
    const std::size_t tagSize = lame_get_lametag_frame(lame.get(), chunk.data(), chunk.size());
    if (tagSize == 0 || tagSize > chunk.size() || tagSize > bytes.size()) {
        throw std::runtime_error("LAME gave no gapless header");
    }
    std::copy(chunk.begin(), chunk.begin() + static_cast<std::ptrdiff_t>(tagSize), bytes.begin());
    if (loop && source.frames() > 0) GaplessTag::widen(bytes, LOOP_CONTEXT);
    return bytes;
}

void Mp3Writer::save(const std::string& path, const std::vector<unsigned char>& bytes) {
    const std::filesystem::path target(path);
    if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path());
    const std::filesystem::path temporary = target.string() + ".part";
    {
        std::ofstream out(temporary, std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
        if (!out) throw std::runtime_error("cannot write " + temporary.string());
    }
    std::filesystem::rename(temporary, target);
}

}  // namespace synth
