#pragma once

#include <SDL_mixer.h>

#include <array>
#include <map>
#include <string>

#include "engine/audio/AudioBackend.h"

namespace engine {

// Sound through SDL_mixer. Effects are decoded whole into chunks (cached by path) and played on mixing
// channels owned one per sound. A looping sound started while the music stream is free is streamed
// with Mix_Music instead, so a long background track is neither decoded up front (no hitch when it
// starts) nor held in memory; a second looping sound while the stream is busy falls back to a chunk.
// Without a sound card, opening the default driver fails; the backend then retries with SDL's "dummy"
// driver, which consumes the mix in real time and discards it.
class MixerAudioBackend : public AudioBackend {
public:
    static constexpr int CHANNELS = 32;

    ~MixerAudioBackend() override;

    const char* name() const override { return "mixer"; }
    bool open() override;
    void close() override;

    bool play(int id, const std::string& fullPath, bool loop, float volume) override;
    void stop(int id) override;
    void setVolume(int id, float volume) override;
    std::vector<int> tick() override;
    void uncacheAll() override;

    // The SDL audio driver in use ("pulseaudio", "alsa", "dummy"...), "" when closed.
    std::string driverName() const;
    // Whether `id` is being streamed as music (rather than played from a decoded chunk).
    bool isStreamed(int id) const { return id == musicId_ && id >= 0; }

private:
    struct Voice {
        int channel = -1;  // -1 for the music stream
        std::string path;
    };

    bool tryOpen();
    Mix_Chunk* chunkFor(const std::string& path);
    Mix_Music* musicFor(const std::string& path);
    int freeChannel() const;
    void forget(std::map<int, Voice>::iterator it);

    bool opened_ = false;
    std::map<int, Voice> voices_;
    std::array<int, CHANNELS> channelOwner_{};  // id playing on each channel, -1 when free
    int musicId_ = -1;
    std::map<std::string, Mix_Chunk*> chunks_;
    std::map<std::string, Mix_Music*> musics_;
};

}  // namespace engine
