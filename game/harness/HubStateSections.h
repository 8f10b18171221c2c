#pragma once

namespace vastomer {

class StateDump;

// The sections of the hub's screens: "shop", "status", "memory" and "options" (each null unless its
// screen is shown), and "comfort" (the comfort settings and whether the game is paused).
class HubStateSections {
public:
    static void addTo(StateDump& dump);
};

}  // namespace vastomer
