#pragma once

namespace vastomer {

// How one screen replaces another. The game always fades through black; every other value swaps
// the screens at once.
enum class TransitionKind : int {
    Immediate = 0,
    FadeThroughBlack = 1,
};

}  // namespace vastomer
