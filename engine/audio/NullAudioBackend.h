#pragma once

#include <map>
#include <string>

#include "engine/audio/AudioBackend.h"

namespace engine {

// Plays nothing, deterministically: a sound lasts as many 1/60 s ticks as its MP3 frames say (see
// Mp3Info), whatever the wall clock does. Looping sounds never end. A file that holds no MPEG audio
// frames cannot be played, as with a real decoder.
class NullAudioBackend : public AudioBackend {
public:
    const char* name() const override { return "null"; }
    bool open() override { return true; }
    void close() override;

    bool play(int id, const std::string& fullPath, bool loop, float volume) override;
    void stop(int id) override { voices_.erase(id); }
    void setVolume(int, float) override {}
    std::vector<int> tick() override;
    void uncacheAll() override { durations_.clear(); }

    // Length in ticks of a file played before (cached), or -1.
    long long cachedTicks(const std::string& fullPath) const;

private:
    struct Voice {
        long long elapsed = 0;
        long long duration = 0;
        bool loop = false;
    };
    std::map<int, Voice> voices_;
    std::map<std::string, long long> durations_;  // ticks, by full path
};

}  // namespace engine
