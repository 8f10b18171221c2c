#pragma once

// The hub's screens in tests: the game started straight on a screen with a save file of the test's
// own, keys tapped as a player taps them, and the sounds the screen played.

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/audio/AudioEngine.h"
#include "game/app/SceneManager.h"
#include "tests/support/Files.h"
#include "tests/support/GameFixture.h"
#include "tests/support/MenuFixture.h"

namespace hubtest {

// The menus' keys, and Escape.
using namespace menutest;
constexpr int ESCAPE = 6;

// A save file: the new game's lines with the given lines replaced ("score" → "score:5000:5000").
inline std::string saveText(const std::map<std::string, std::string>& lines = {}) {
    static const std::vector<std::pair<std::string, std::string>> order = {{"progress", "0"},
                                                                           {"tutorialflags", "1,0,0,0,0,0,1"},
                                                                           {"stagescore", "1@0,2@0,3@0"},
                                                                           {"situations", ""},
                                                                           {"weapon", "0,10,"},
                                                                           {"wear", "0,"},
                                                                           {"equipped", "0,10,0"},
                                                                           {"cmp", "0"},
                                                                           {"clp", "0"},
                                                                           {"score", "0:0"},
                                                                           {"userVar", ""},
                                                                           {"read", ""},
                                                                           {"nc", "en"}};
    std::string text;
    for (const auto& line : order) {
        auto given = lines.find(line.first);
        text += line.first + ":" + (given != lines.end() ? given->second : line.second) + "\n";
    }
    return text;
}

}  // namespace hubtest

class HubFixture : public GameFixture {
protected:
    std::string savePath() const { return dataDir_ / "vastomer/r.quorin.sav"; }
    void writeSave(const std::string& text) { testsupport::writeFile(savePath(), text); }
    std::string readSave() const { return testsupport::readFile(savePath()); }

    // Starts the game on a screen (without the splash) and runs it until its controller has started.
    vastomer::SceneManager* startAt(vastomer::SceneId id, int frames = 6) {
        if (!vastomer::GameServices::create()) return nullptr;
        vastomer::SceneManager* manager = vastomer::SceneManager::getInstance();
        manager->setFirstScene(id);
        // Nobody looks at these frames: only the logic runs (as in a headless run of the program).
        engine::Director::getInstance()->setFrameDrawFilter([](uint64_t) { return false; });
        engine::Director::getInstance()->runWithScene(manager);
        runFrames(frames);
        return manager;
    }

    template <typename T>
    T* shown() const {
        auto* manager = vastomer::SceneManager::peekInstance();
        return manager ? dynamic_cast<T*>(manager->getCurrentLayer()) : nullptr;
    }
    template <typename T>
    T* controller() const {
        auto* manager = vastomer::SceneManager::peekInstance();
        return manager ? dynamic_cast<T*>(manager->getCurrentController()) : nullptr;
    }
    int sceneId() const {
        auto* manager = vastomer::SceneManager::peekInstance();
        return manager ? manager->getCurrentSceneId() : 0;
    }

    // A key pressed for a frame and let go, then `after` frames for the screen to settle.
    void tap(int key, int after = 6) {
        sendKey(key, true);
        runFrames(1);
        sendKey(key, false);
        runFrames(after);
    }
    void taps(int key, int count, int after = 6) {
        for (int i = 0; i < count; ++i)
            tap(key, after);
    }
    // Runs frames until `done` holds; false after `limit` frames.
    bool runUntil(const std::function<bool()>& done, int limit = 240) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            runFrames(1);
        }
        return done();
    }

    // The sound effects started since the log was last cleared, in order.
    static std::vector<std::string> sounds() {
        std::vector<std::string> played;
        for (const auto& entry : engine::AudioEngine::getLog())
            if (entry.operation == "play2d" && entry.path.find("audio/se/") != std::string::npos)
                played.push_back(entry.path.substr(entry.path.rfind('/') + 1));
        return played;
    }
    static std::string lastSound() {
        std::vector<std::string> played = sounds();
        return played.empty() ? std::string() : played.back();
    }
    static void clearSounds() { engine::AudioEngine::clearLog(); }
};
