#pragma once

#include <memory>
#include <string>
#include <vector>

#include "engine/platform/Application.h"
#include "game/app/ScreenshotKey.h"

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
    // The window lost the focus: with the comfort setting on, the game holds still until it returns.
    void applicationDidEnterBackground() override;
    void applicationWillEnterForeground() override;
    bool isPausedInBackground() const { return pausedInBackground_; }
    vastomer::ScreenshotKey& getScreenshotKey() { return screenshotKey_; }

    // The resource search paths, in the order they are searched.
    static const std::vector<std::string>& searchPaths();
    // The window title for a language code: the strings table's title, else the built-in one.
    static std::string windowTitleFor(const std::string& languageCode);
    const std::string& getWindowTitle() const { return windowTitle_; }
    // Titles the window anew in the current language (after the options change it).
    static void retitleWindow();
    // Starts the game in the play screen at this stage (and part, when above 0) instead of the splash
    // screen: the developer entry.
    void setStartStage(int stage, int part) {
        startStage_ = stage;
        startPart_ = part;
    }

    // Starts the game on the screen of this id instead of the splash screen (a developer entry).
    void setStartScene(int sceneId) { startScene_ = sceneId; }

private:
    std::string windowTitle_;
    int startScene_ = 0;
    int startStage_ = 0;
    int startPart_ = 0;
    bool pausedInBackground_ = false;
    vastomer::ScreenshotKey screenshotKey_;
};
