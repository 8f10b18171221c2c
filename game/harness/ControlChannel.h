#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

namespace vastomer {

class InputScriptPlayer;
class StateDump;

// A run driven line by line from another program (`--control`), for bots that play the game the way
// a tester would: look, decide, press. Between frames the game reads commands from its input:
//   FRAME down|up|tap KEY ...   an input-script line, played at that frame (not before the next one)
//   dump                        writes "@state " and the state dump as one line of JSON
//   run N                       plays on until frame N begins, then reads again
// and the end of the input lets the run play on to its end. Everything else the game prints keeps its
// own lines, so a reader looks for the "@state " one.
class ControlChannel {
public:
    ControlChannel(std::FILE* in, std::FILE* out) : in_(in), out_(out) {}

    // Serves commands when `frame` is the one the last "run" asked for; false once the input has ended
    // or a line was wrong (the message is in `error`).
    bool serve(uint64_t frame, InputScriptPlayer& player, const StateDump& dump, std::string& error);
    bool isOpen() const { return open_; }

private:
    bool readLine(std::string& line);

    std::FILE* in_;
    std::FILE* out_;
    uint64_t stopFrame_ = 1;
    bool open_ = true;
};

}  // namespace vastomer
