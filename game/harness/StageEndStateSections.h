#pragma once

namespace vastomer {

class StateDump;

// The sections of the play screen's overlays in a state dump, null unless the play screen is shown:
// "boss" (gauge, phase, the stage-end scene asked for), "result" (shown, selection, scores), "pause"
// (shown, selection, portrait) and "gameOver" (shown, selection).
class StageEndStateSections {
public:
    static void addTo(StateDump& dump);
};

}  // namespace vastomer
