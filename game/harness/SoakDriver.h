#pragma once

#include <cstdint>
#include <set>
#include <string>

namespace vastomer {

// Unattended play for long runs (quorin --headless --soak SECONDS --seed N): an input script made
// from the seed that presses the game's keys and game-pad buttons with a person's timing (holds of a
// few frames to over half a second, pauses between presses, a pad plugged in and pulled out now and
// then), played like any --input script, so that --record keeps exactly what was pressed and the
// recording replays the run. Watches the screens it passes through and the process's memory.
class SoakDriver {
public:
    // The script for `frames` frames of play (frames count from 1).
    static std::string makeScript(uint64_t frames, uint64_t seed);

    // Called at the start of every frame with the screen then showing.
    void observeFrame(uint64_t frame, int sceneId);
    // "soak: N frames, screens 1 2, memory 41234 KB at the start, 41560 KB at the end (+0.8 %)".
    std::string report(uint64_t frames) const;

    // Frames after which memory counts as "at the start": the splash screen has handed over and the
    // title screen has loaded what it shows.
    static constexpr uint64_t WARM_UP_FRAMES = 600;

private:
    static long residentKilobytes();

    std::set<int> screens_;
    long startKilobytes_ = 0;
    long endKilobytes_ = 0;
};

}  // namespace vastomer
