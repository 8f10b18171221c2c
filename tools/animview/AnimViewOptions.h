#pragma once

#include <string>
#include <vector>

#include "engine/base/Color.h"
#include "engine/platform/LaunchOptions.h"

namespace animview {

// What quorin-animview is asked to show, read from its own command-line options.
struct AnimViewOptions {
    std::vector<std::string> files;  // drawn in this order, each above the one before
    bool loop = false;
    float scale = 4.0f;
    engine::Color3B background{176, 176, 176};
    bool facingRight = false;  // the art faces left; facing right mirrors it, as the game does
    std::vector<std::pair<int, std::string>> frameShots;  // (animation frame, PNG file)
    std::string strip;                                    // PNG of every frame side by side
    int columns = 8;                                      // frames a row in the strip
    int margin = 16;  // animation pixels around the script's size in each strip tile
    bool guide = false;
    float guideY = 0.0f;  // a line across at this height (animation pixels), e.g. the ground

    // The options quorin-animview adds to the engine's own.
    static std::vector<engine::LaunchOptions::Declared> declared();
    // False with a message for a value that cannot be read.
    static bool read(const engine::LaunchOptions& launch, AnimViewOptions& out, std::string& error);
    static std::string usage();
};

}  // namespace animview
