#pragma once

#include <string>
#include <vector>

namespace engine {

// What AudioEngine needs from a sound output. The engine owns ids, limits, volume clamping and the
// call log; a backend only plays, stops and reports the sounds that have ended. Volumes are 0..1.
class AudioBackend {
public:
    virtual ~AudioBackend() = default;

    virtual const char* name() const = 0;
    // Prepares the output; false when nothing can be played. Called again after close().
    virtual bool open() = 0;
    // Stops every sound and frees every cached sound.
    virtual void close() = 0;

    // Starts the file at `fullPath` under `id`; false if it cannot be decoded or played.
    virtual bool play(int id, const std::string& fullPath, bool loop, float volume) = 0;
    virtual void stop(int id) = 0;
    virtual void setVolume(int id, float volume) = 0;
    // One 1/60 s frame has passed; returns the ids of sounds that have ended since the last call.
    virtual std::vector<int> tick() = 0;
    // Forgets decoded sounds that no playing sound uses.
    virtual void uncacheAll() = 0;
};

}  // namespace engine
