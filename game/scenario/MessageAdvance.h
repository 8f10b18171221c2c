#pragma once

#include <functional>
#include <memory>
#include <string>

#include "engine/base/WeakRef.h"

namespace vastomer {

class MessageWindow;

// Paces one message of the message window as the player reads it. The text types out one
// character a frame; OK or CANCEL shows the rest at once. Then, unless the message goes on by
// itself (auto), the next-page cursor waits for OK, which plays the cursor sound and goes on.
//
// Text read in an earlier play of the scene can be fast-forwarded: while OK has been held for
// HOLD_FRAMES frames, or CANCEL is held, each message is shown whole and goes on after
// SKIP_FRAMES frames without a key or a sound. The owner says whether the scene was read before.
//
// The owner (the scenario engine, a drama part) calls update once a frame while a message runs.
// Without a window (none given, or gone) the message finishes at the next update.
class MessageAdvance {
public:
    MessageAdvance() = default;
    MessageAdvance(const MessageAdvance&) = delete;
    MessageAdvance& operator=(const MessageAdvance&) = delete;

    using Callback = std::function<void()>;
    enum class State { IDLE, TYPING, WAITING_FOR_OK };

    static constexpr const char* CURSOR_SOUND = "audio/se/cursor20.mp3";
    static constexpr int HOLD_FRAMES = 20;
    static constexpr int SKIP_FRAMES = 4;
    static constexpr int SHOW_ALL = 99999;

    // Gives the window the text and starts typing it; `done` runs once when the message is over
    // (fully shown for an auto message, confirmed otherwise). A message still running is dropped
    // without its callback.
    void start(MessageWindow* window, const std::string& text, bool autoMode, Callback done);
    // One frame of the player's input.
    void update();
    // Drops the running message without its callback.
    void cancel();

    State getState() const { return state_; }
    bool isRunning() const { return state_ != State::IDLE; }
    bool isAutoMode() const { return autoMode_; }
    void setReadBefore(bool readBefore) { readBefore_ = readBefore; }
    bool isReadBefore() const { return readBefore_; }
    // Whether the last update fast-forwarded.
    bool isFastForwarding() const { return fastForward_; }
    // Wait words for reports: "typing", "key OK", or "" when idle.
    std::string describe() const;

private:
    void typed(unsigned message);
    void finish();

    engine::WeakRef<MessageWindow> window_;
    // The window's callback holds a weak copy: once this object is gone the callback does nothing.
    std::shared_ptr<char> alive_ = std::make_shared<char>(0);
    State state_ = State::IDLE;
    bool autoMode_ = false;
    bool readBefore_ = false;
    bool fastForward_ = false;
    int okHeldFrames_ = 0;
    int shownFrames_ = 0;
    // Tells the window's callback of an earlier message from the current one.
    unsigned message_ = 0;
    Callback done_;
};

}  // namespace vastomer
