#pragma once

#include <string>
#include <vector>

#include "engine/platform/Application.h"

// The game's application: opens the view, sets up the resource search paths, builds the scene
// manager, titles the window in the player's language and starts the game.
class AppDelegate : public engine::Application {
public:
    static constexpr const char* TITLE_KEY = "APP_TITLE";
    static constexpr const char* TITLE_JA = "クオリン";
    static constexpr const char* TITLE_EN = "Quorin";

    AppDelegate() : engine::Application({"quorin", TITLE_EN}) {}

    void initGLContextAttrs() override;
    bool applicationDidFinishLaunching() override;
    void applicationDidEnterBackground() override;
    void applicationWillEnterForeground() override;

    // The resource search paths, in the order they are searched.
    static const std::vector<std::string>& searchPaths();
    // The window title for a language code: the strings table's title, else the built-in one.
    static std::string windowTitleFor(const std::string& languageCode);
    const std::string& getWindowTitle() const { return windowTitle_; }
    // Starts the game in the play screen at this stage (and part, when above 0) instead of the splash
    // screen: the developer entry.
    void setStartStage(int stage, int part) {
        startStage_ = stage;
        startPart_ = part;
    }

private:
    std::string windowTitle_;
    int startStage_ = 0;
    int startPart_ = 0;
};
