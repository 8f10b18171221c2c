#pragma once

#include <string>

namespace vastomer {

// A small record handed to the incoming screen. The game passes the empty record: what a screen needs
// from the previous one lives in the data manager.
struct SceneParam {
    int first = 0;
    int second = 0;
    std::string text;
};

}  // namespace vastomer
