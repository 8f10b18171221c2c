#pragma once

#include <cstdint>
#include <memory>
#include <set>
#include <string>
#include <vector>

#include "engine/platform/LaunchOptions.h"
#include "game/harness/ControlChannel.h"
#include "game/harness/InputRecorder.h"
#include "game/harness/InputScriptPlayer.h"
#include "game/harness/SoakDriver.h"
#include "game/harness/StateDump.h"

namespace vastomer {

// What the program's command line adds for tests and for looking into runs:
//   --input FILE       play an input script (keys and pad events by frame)
//   --record FILE      write the keys and pad events of the session as an input script
//   --dump-state FILE  write the game's state as JSON when the run ends
//   --draw-every-frame a headless run draws every frame (by default it draws only the frames that a
//                      screenshot asks for; the game's logic runs the same either way)
//   --soak SECONDS     play random input for SECONDS of game time (see SoakDriver), with --seed N
//   --control          take input and state requests between frames from the standard input (see
//                      ControlChannel), after any --input script's own events
class Harness {
public:
    static const std::vector<engine::LaunchOptions::Declared>& declaredOptions();

    // Reads the input script and starts the recording; false with "file:line: message" or another
    // message when the run must not start.
    bool prepare(const engine::LaunchOptions& options, std::string& error);
    // Hooks the script, the recording and the choice of frames to draw into the director; call before
    // the main loop.
    void install();
    // After the main loop: finishes the recording and writes the state dump.
    bool finish(std::string& error);

    StateDump& getStateDump() { return stateDump_; }
    // Frames a soak run lasts; 0 when this is not one.
    uint64_t getSoakFrames() const { return soakFrames_; }

private:
    void beginFrame(uint64_t frame);

    std::unique_ptr<InputScriptPlayer> player_;
    std::unique_ptr<InputRecorder> recorder_;
    std::unique_ptr<SoakDriver> soak_;
    std::unique_ptr<ControlChannel> control_;
    bool keepRunning_ = false;
    uint64_t soakFrames_ = 0;
    std::string dumpPath_;
    bool drawOnlyScreenshots_ = false;
    std::set<uint64_t> screenshotFrames_;
    StateDump stateDump_;
};

}  // namespace vastomer
