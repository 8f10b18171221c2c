#include "game/harness/ControlChannel.h"

#include <cstdlib>

#include "game/harness/InputScript.h"
#include "game/harness/InputScriptPlayer.h"
#include "game/harness/StateDump.h"

namespace vastomer {

bool ControlChannel::readLine(std::string& line) {
    line.clear();
    int c = 0;
    while ((c = std::fgetc(in_)) != EOF && c != '\n')
        line.push_back(static_cast<char>(c));
    return c != EOF || !line.empty();
}

bool ControlChannel::serve(uint64_t frame, InputScriptPlayer& player, const StateDump& dump,
                           std::string& error) {
    if (!open_ || frame < stopFrame_) return open_;
    std::string line;
    while (readLine(line)) {
        if (line == "dump") {
            const std::string text =
                dump.build().dump(-1, ' ', false, nlohmann::json::error_handler_t::replace);
            std::fprintf(out_, "@state %s\n", text.c_str());
            std::fflush(out_);
        } else if (line.rfind("run ", 0) == 0) {
            char* end = nullptr;
            const unsigned long long next = std::strtoull(line.c_str() + 4, &end, 10);
            if (*end != '\0' || next <= frame) {
                error = "control: \"" + line + "\" must name a frame after " + std::to_string(frame);
                break;
            }
            stopFrame_ = next;
            return true;
        } else {
            InputScript script;
            if (!InputScript::parse(line, "control", script, error)) break;
            // An event for a frame already begun is played now.
            player.append(script.getEvents());
        }
    }
    open_ = false;
    return error.empty();
}

}  // namespace vastomer
