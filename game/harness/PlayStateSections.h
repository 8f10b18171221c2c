#pragma once

namespace vastomer {

class StateDump;

// The sections of the stage play in a state dump: "player" (the character kept across screens),
// and, while the play screen is shown, "map", "controller", "hud" and "playScene" (null otherwise),
// with the characters' and bullets' sections (CreatureStateSections).
class PlayStateSections {
public:
    static void addTo(StateDump& dump);
};

}  // namespace vastomer
