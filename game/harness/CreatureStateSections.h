#pragma once

namespace vastomer {

class StateDump;

// The sections of the stage's characters in a state dump, while the play screen is shown (null
// otherwise): "characters" (every character on the map in list order: id, kind, position, hp, flags,
// the AI table and action table with their steps, the frame counter, the invincible frames) and
// "bullets" (every bullet on the map's character layer: number, owner, hp, life, position).
class CreatureStateSections {
public:
    static void addTo(StateDump& dump);
};

}  // namespace vastomer
