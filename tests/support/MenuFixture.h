#pragma once

// The game started on one of its menu screens (without the splash), with the keys of the menus and a
// look into the audio log.

#include <string>

#include "engine/audio/AudioEngine.h"
#include "game/app/SceneManager.h"
#include "tests/support/GameFixture.h"

namespace menutest {

// Default keys of the actions (the input manager's defaults).
constexpr int UP = 28;
constexpr int DOWN = 29;
constexpr int LEFT = 26;
constexpr int RIGHT = 27;
constexpr int OK = 149;       // z
constexpr int CANCEL = 147;   // x
constexpr int BUTTON3 = 126;  // c

}  // namespace menutest

class MenuFixture : public GameFixture {
protected:
    // Makes the game's services (so that tests can set up progress first); startOn then shows a screen.
    bool makeGame() { return vastomer::GameServices::create(); }
    vastomer::SceneManager* startOn(vastomer::SceneId id) {
        if (!vastomer::DataManager::peekInstance() && !makeGame()) return nullptr;
        vastomer::SceneManager* manager = vastomer::SceneManager::getInstance();
        manager->setFirstScene(id);
        engine::Director::getInstance()->runWithScene(manager);
        return manager;
    }
    vastomer::SceneManager* manager() const { return vastomer::SceneManager::peekInstance(); }
    int sceneId() const { return manager() ? manager()->getCurrentSceneId() : 0; }
    template <typename T>
    T* layer() const {
        return manager() ? dynamic_cast<T*>(manager()->getCurrentLayer()) : nullptr;
    }
    template <typename T>
    T* controllerOf() const {
        return manager() ? dynamic_cast<T*>(manager()->getCurrentController()) : nullptr;
    }
    // Runs until no scene change is running (at most `limit` frames).
    void settle(int limit = 200) {
        for (int i = 0; i < limit && manager() && manager()->isChanging(); ++i)
            runFrames(1);
    }
    void press(int key, int frames = 1) {
        sendKey(key, true);
        runFrames(frames);
        sendKey(key, false);
        runFrames(1);
    }
    static int playCount(const std::string& path) {
        int count = 0;
        for (const auto& entry : engine::AudioEngine::getLog())
            if (entry.operation == "play2d" && entry.path == path) ++count;
        return count;
    }
};
