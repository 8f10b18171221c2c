#pragma once

namespace vastomer {

class StateDump;

// The sections every state dump has: frame, scene, language, windowTitle, progress, audio, input and
// messages. Screens and systems that come later add their own sections next to these.
class GameStateSections {
public:
    static void addTo(StateDump& dump);
};

}  // namespace vastomer
