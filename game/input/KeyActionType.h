#pragma once

namespace vastomer {

// The game actions that keys and game-pad buttons are mapped to. The numbers are stored in the
// settings and used as map keys, so they never change. ANY is only a query: "is any action down?".
enum class KeyActionType : int {
    UP = 1,
    DOWN = 2,
    LEFT = 3,
    RIGHT = 4,
    OK = 5,
    CANCEL = 6,
    BUTTON3 = 7,
    BUTTON4 = 8,
    BUTTON5 = 9,
    BUTTON6 = 10,
    PAUSE = 11,
    ANY = 12,
};

}  // namespace vastomer
