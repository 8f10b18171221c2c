#pragma once

namespace vastomer {

// The screens the scene manager can build. Any other value builds a plain, empty screen.
enum class SceneId : int {
    SPLASH = 1,
    TITLE = 2,
    OPTION = 3,
    WORLD_MAP = 4,
    SHOP = 5,
    HINT = 6,
    STATUS = 7,
    MEMORY = 8,
    DEMO = 9,
    PLAY = 10,
    END_CREDIT = 11,
};

}  // namespace vastomer
