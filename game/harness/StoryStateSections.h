#pragma once

namespace vastomer {

class StateDump;

// The sections of the story scenes in a state dump, read from the current screen's controller when
// it hosts scenes (null otherwise): "scenario" (the script, the next command, running, what it waits
// on), "messageWindow" (open, speaker, pictures, text key, characters shown of the total) and
// "drama" (the drama part's file, next record, running, waiting).
class StoryStateSections {
public:
    static void addTo(StateDump& dump);
};

}  // namespace vastomer
