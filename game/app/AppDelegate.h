#pragma once

#include "engine/platform/Application.h"

// The game's application: opens the view, sets up the resource search paths and starts the game.
class AppDelegate : public engine::Application {
public:
    void initGLContextAttrs() override;
    bool applicationDidFinishLaunching() override;
    void applicationDidEnterBackground() override;
    void applicationWillEnterForeground() override;
};
