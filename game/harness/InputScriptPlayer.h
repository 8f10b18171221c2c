#pragma once

#include <cstddef>
#include <cstdint>
#include <vector>

#include "game/harness/InputScript.h"

namespace vastomer {

// Plays an input script into the running game: at the start of each frame the events of that frame
// go in the way real ones do (keys through the engine's event dispatcher, the pad through the
// joystick layer, which the view samples later in the same frame).
class InputScriptPlayer {
public:
    explicit InputScriptPlayer(const InputScript& script) : events_(script.getEvents()) {}

    void applyFrame(uint64_t frame);
    // Adds events still to come, each after those already held for its frame.
    void append(const std::vector<InputEvent>& events);
    bool isFinished() const { return next_ >= events_.size(); }

private:
    void apply(const InputEvent& event);

    std::vector<InputEvent> events_;
    std::size_t next_ = 0;
    int padSlot_ = -1;  // the joystick slot of the scripted pad while it is plugged in
};

}  // namespace vastomer
