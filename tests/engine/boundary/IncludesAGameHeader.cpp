// Compiled with the engine's include folders only: it must not compile, because the engine cannot
// see the game.
#include "game/data/DataManager.h"

int main() {
    return 0;
}
