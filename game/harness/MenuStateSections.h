#pragma once

namespace vastomer {

class StateDump;

// The sections of the menus in a state dump, each null unless its screen is shown: "title" (menu
// shown, selection), "worldmap" (selection, mode), "stageSelect" (entries, index) and "credits"
// (running).
class MenuStateSections {
public:
    static void addTo(StateDump& dump);
};

}  // namespace vastomer
