#pragma once

#include "game/app/SceneId.h"

namespace vastomer {

class AbstractController;
class NLayer;

// Builds the screen and the controller of a scene id. Screens of the game's flow that are not made
// yet stand as a placeholder that says so and leads back; unknown ids give a plain NLayer without a
// controller.
class SceneFactory {
public:
    // The screen of the id (autoreleased); null when its creation failed.
    static NLayer* createLayer(SceneId id);
    // The controller of the id (autoreleased); null for the splash screen and for unknown ids.
    static AbstractController* createController(SceneId id);
};

}  // namespace vastomer
