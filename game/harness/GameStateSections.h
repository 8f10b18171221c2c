#pragma once

namespace vastomer {

class StateDump;

// The sections every state dump has: frame, scene, language, windowTitle, progress, audio, input and
// messages; and those of the stage play, its overlays and the menus (null while their screen is not
// shown).
class GameStateSections {
public:
    static void addTo(StateDump& dump);
};

}  // namespace vastomer
