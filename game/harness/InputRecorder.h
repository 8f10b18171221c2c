#pragma once

#include <cstdint>
#include <fstream>
#include <string>
#include <vector>

#include "engine/base/RefPtr.h"
#include "engine/events/EventListenerKeyboard.h"

namespace vastomer {

// Writes what a person does as an input script, so that the session replays exactly: every key going
// down or up (seen ahead of the game's own listener), and every change of the game pad the game reads
// (the first one present), frame by frame.
class InputRecorder {
public:
    static constexpr int KEYBOARD_PRIORITY = -1000;

    InputRecorder() = default;
    ~InputRecorder();
    InputRecorder(const InputRecorder&) = delete;
    InputRecorder& operator=(const InputRecorder&) = delete;

    // Starts the file; false with a message when it cannot be written.
    bool open(const std::string& path, std::string& error, bool keepRunning = false);
    // Starts listening to keys.
    void attach();
    // Compares the pad state the game saw in `frame` with the one before and writes the changes.
    void observePads(uint64_t frame);
    // Stops listening and finishes the file.
    void close();

private:
    void write(const std::string& line);
    void recordKey(int keyCode, bool down);

    std::ofstream out_;
    engine::RefPtr<engine::EventListenerKeyboard> listener_;
    bool padPresent_ = false;
    std::vector<unsigned char> buttons_;
    std::vector<float> axes_;
};

}  // namespace vastomer
