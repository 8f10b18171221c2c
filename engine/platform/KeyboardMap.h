#pragma once

#include <SDL_scancode.h>

#include "engine/events/KeyCode.h"

namespace engine {

// Physical keys (SDL scancodes) to the game's key codes. Letters always give the lower-case codes;
// top-row and keypad digits give the same digit codes; unknown keys give KEY_NONE.
class KeyboardMap {
public:
    static KeyCode fromScancode(SDL_Scancode scancode);
};

}  // namespace engine
