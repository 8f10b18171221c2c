#pragma once

#include "game/menu/StoryScene.h"

namespace vastomer {

// The hint screen (scene 6): one tip, told by Sister Aoi at the shrine.
class HintScene : public StoryScene {
public:
    static HintScene* create();

protected:
    HintScene() = default;
};

}  // namespace vastomer
