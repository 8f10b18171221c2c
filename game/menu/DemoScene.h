#pragma once

#include "game/menu/StoryScene.h"

namespace vastomer {

// The demo screen (scene 9): the opening scene, played after the first start of a new game.
class DemoScene : public StoryScene {
public:
    static DemoScene* create();

protected:
    DemoScene() = default;
};

}  // namespace vastomer
