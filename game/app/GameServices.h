#pragma once

namespace vastomer {

// Makes and destroys the game's singletons in one fixed order, for the program and the tests alike.
//
// Made in this order: the audio manager and the animation-name builder (plain objects), then the
// scene manager, whose init makes and attaches the key-input, data and strings managers as its
// children. Destroyed in the reverse order. The engine's own singletons (director, files, settings)
// are not touched: they outlive the game's.
class GameServices {
public:
    // False when a manager could not be made (its tables or the scene could not be set up); what was
    // made stays until destroy().
    static bool create();
    // Safe to call when some or none of them exist; the next create() starts afresh.
    static void destroy();
};

}  // namespace vastomer
