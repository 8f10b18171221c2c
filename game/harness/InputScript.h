#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace vastomer {

// One thing a person does at the start of a frame: a key going down or up, or a game pad being
// plugged in, unplugged, or changing a button or an axis.
struct InputEvent {
    enum class Kind { KEY_DOWN, KEY_UP, PAD_CONNECT, PAD_DISCONNECT, PAD_BUTTON, PAD_AXIS };

    uint64_t frame = 0;
    Kind kind = Kind::KEY_DOWN;
    int code = 0;        // key code, or the pad's button or axis index
    bool down = false;   // pad buttons
    float value = 0.0f;  // pad axes
    int line = 0;        // where the event was written

    bool operator==(const InputEvent& other) const;
};

// An input script: one event per line, in the form the recorder writes:
//   FRAME down KEY | FRAME up KEY | FRAME tap KEY (down, and up one frame later)
//   FRAME pad connect | FRAME pad disconnect | FRAME pad button INDEX down|up | FRAME pad axis INDEX VALUE
// KEY is a key's display name ("z", "LEFT", "ESC") or "#" and its key code ("#61"). Frames count from 1.
// Lines starting with "#" are comments; empty lines are skipped. A line "keep-running" makes the
// title's End entry lead back to the title instead of ending the program (soaks and their
// recordings play for all their frames).
class InputScript {
public:
    // Reads a script; on the first bad line returns false with "file:line: message" in `error`.
    static bool parse(const std::string& text, const std::string& fileName, InputScript& out,
                      std::string& error);
    static bool load(const std::string& path, InputScript& out, std::string& error);

    // The events in the order they are applied: by frame, then as written.
    const std::vector<InputEvent>& getEvents() const { return events_; }
    bool isKeepRunning() const { return keepRunning_; }
    // The script line of one event, as the recorder writes it.
    static std::string formatEvent(const InputEvent& event);

    static constexpr const char* KEEP_RUNNING = "keep-running";

private:
    std::vector<InputEvent> events_;
    bool keepRunning_ = false;
};

}  // namespace vastomer
