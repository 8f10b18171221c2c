#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/scenario/AnimationTimeline.h"

namespace vastomer {

// A mistake in an animation script. `reason` is the game's own wording ("Duplicate id [3]");
// `detail`, when set, says more for authors (the content tool shows it instead).
struct AnimationScriptError {
    int line = 0;  // physical line, 1-based, counting empty lines
    std::string reason;
    std::string detail;

    // The text of the game's error box: reason + ". line:" + line + " file:" + file.
    std::string gameMessage(const std::string& file) const;
    // What an author reads: the detail when there is one, else the reason.
    const std::string& authorMessage() const { return detail.empty() ? reason : detail; }
};

// Reads the text of a ".cma" animation script. The game stops at the first mistake; the content
// tool reads on and collects every one, with the same rules.
//
// Format: carriage returns are removed and lines cut at line feeds; empty lines are skipped. The
// first line is the header "name,width,height,interval"; every further line is a comment ("//")
// or an element line "frame,COMMAND,fields..." (fields cut at "," with empty fields dropped; the
// command word in any case).
class AnimationScriptParser {
public:
    enum class Mode { STOP_AT_FIRST_ERROR, COLLECT_ALL_ERRORS };

    // Fills `timeline` (cleared first) and appends the mistakes found to `errors`; true when there
    // were none. After a mistake in STOP_AT_FIRST_ERROR mode the timeline is left cleared.
    static bool parse(std::string_view text, AnimationTimeline& timeline, Mode mode,
                      std::vector<AnimationScriptError>& errors);

private:
    static bool readElement(const std::vector<std::string>& fields, int line, AnimationElement& out,
                            AnimationScriptError& error);
};

}  // namespace vastomer
