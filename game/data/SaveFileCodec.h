#pragma once

#include <functional>
#include <string>
#include <string_view>

#include "game/data/Diagnostics.h"
#include "game/data/ProgressState.h"

namespace vastomer {

// The text of the save file "r.quorin.sav": one "key:value" line per saved value, in a fixed order.
// Reading is forgiving: a line with no known key is ignored, and an item that cannot be read (a stage
// score without "@", a number beyond 32 bits, too few values on "equipped:" or "score:") is dropped
// while the rest of the file is kept. Each dropped item is reported when a sink is given.
class SaveFileCodec {
public:
    // What the reader checks the equipped items against (the master tables).
    struct Checks {
        std::function<bool(int)> weaponExists;
        std::function<bool(int)> wearExists;
    };

    // The whole file for `state`, with `language` on the last line. Names the format cannot hold
    // (see ProgressState::isValidUserVarName) are left out.
    static std::string write(const ProgressState& state, const std::string& language);

    // Reads `text` over `state` (which should hold a new game's values); keys absent from the text keep
    // them. The language line's code goes to `language` (left unchanged when there is none).
    static void read(std::string_view text, ProgressState& state, const Checks& checks, std::string& language,
                     const std::string& file = "r.quorin.sav", Diagnostics* diagnostics = nullptr);
};

}  // namespace vastomer
