#pragma once

// Stage play in tests: a resource root whose stage maps are the tests' own (tests/game/data/map), a
// fixture that starts a stage headless through the scene manager, and the actions' keys.

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "game/app/SceneManager.h"
#include "game/character/ActionMap.h"
#include "game/character/PlayerCharacter.h"
#include "game/play/Gauge.h"
#include "game/play/LustGauge.h"
#include "game/play/PlayController.h"
#include "game/play/PlayInterface.h"
#include "game/play/PlayScene.h"
#include "game/play/RectGauge.h"
#include "tests/support/Files.h"
#include "tests/support/GameFixture.h"
#include "tests/support/ResourceTreeLinks.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace playtest {

// Default keys of the actions (the input manager's defaults).
constexpr int LEFT = 26;
constexpr int RIGHT = 27;
constexpr int OK = 149;       // z: attack
constexpr int CANCEL = 147;   // x: jump
constexpr int BUTTON3 = 126;  // c: weapon switch
constexpr int BUTTON4 = 145;  // v: reload
constexpr int BUTTON5 = 124;  // a: special mode
constexpr int BUTTON6 = 142;  // s: entice mode
constexpr int PAUSE = 127;    // d

// The built resource tree with "res/data/map" holding only the tests' maps (links to everything
// else), made once per test program. Stage 1 is four small parts there: md_0001_01 (a wall, two
// ground boxes side by side, a step, a pit with a net, scenario sensor 1, a move sensor to part 2),
// md_0001_02 and md_0001_03 (flat, move sensors on), md_0001_04 (the boss part).
inline const std::string& resourceRoot() {
    static testsupport::TempFolder folder;
    static const std::string root = [] {
        namespace fs = std::filesystem;
        const fs::path built = fs::path(testsupport::runtimeDir()) / "res";
        const fs::path res = fs::path(folder.path()) / "res";
        testsupport::linkResourceTreeWithoutMaps(built, res);
        const fs::path maps = testsupport::projectTestFile("game/data/map");
        for (const auto& entry : fs::directory_iterator(maps))
            fs::copy_file(entry.path(), res / "data" / "map" / entry.path().filename());
        return folder.path();
    }();
    return root;
}

// The names of the scenario scripts of a resource tree ("scenario/opening.bks" ...), sorted.
inline std::vector<std::string> storyScripts(const std::string& root = resourceRoot()) {
    namespace fs = std::filesystem;
    std::vector<std::string> names;
    for (const auto& entry : fs::directory_iterator(fs::path(root) / "res" / "data" / "scenario"))
        if (entry.path().extension() == ".bks")
            names.push_back("scenario/" + entry.path().filename().string());
    std::sort(names.begin(), names.end());
    return names;
}

// Writes a save file into the data folder `dataDir` in which every scenario script counts as read, so
// that a run of the program plays its stages without their story scenes.
inline void writeStoryReadSave(const std::string& dataDir, const std::string& root = resourceRoot()) {
    std::string read = "read:";
    for (const std::string& name : storyScripts(root))
        read += (read.size() > 5 ? "," : "") + name;
    std::filesystem::create_directories(std::filesystem::path(dataDir) / "vastomer");
    testsupport::writeFile(dataDir + "/vastomer/r.quorin.sav", read + "\n");
}

}  // namespace playtest

// The game with the test maps, started on a stage.
class PlayFixture : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        engine::FileUtils::getInstance()->setResourceRoot(playtest::resourceRoot());
    }

    // Starts the game on the play screen at `stage` (part: the stage's start part when 0). Every
    // story scene counts as read already, so that play starts at once, unless `withStory`.
    vastomer::SceneManager* startStage(int stage, int part = 0, bool withStory = false) {
        if (!vastomer::GameServices::create()) return nullptr;
        if (!withStory) markStoryRead();
        vastomer::DataManager::getInstance()->setCurrentStage(stage);
        vastomer::SceneManager* manager = vastomer::SceneManager::getInstance();
        manager->setFirstScene(vastomer::SceneId::PLAY, vastomer::SceneParam{part, 0, ""});
        engine::Director::getInstance()->runWithScene(manager);
        return manager;
    }

    // Marks every scenario script of the resource tree as read in the save data.
    static void markStoryRead() {
        for (const std::string& name : playtest::storyScripts())
            vastomer::DataManager::getInstance()->markRead(name);
    }

    vastomer::PlayScene* scene() const {
        auto* manager = vastomer::SceneManager::peekInstance();
        return manager ? dynamic_cast<vastomer::PlayScene*>(manager->getCurrentLayer()) : nullptr;
    }
    vastomer::PlayController* controller() const { return vastomer::PlayController::current(); }
    vastomer::PlayerCharacter* player() const {
        auto* data = vastomer::DataManager::peekInstance();
        return data ? data->getPlayerCharacter() : nullptr;
    }
    vastomer::ActionMap* map() const { return scene() ? scene()->getActionMap() : nullptr; }

    // Runs frames until the player stands on the ground and takes input; false after `limit` frames.
    bool runUntilPlayable(int limit = 240) {
        for (int i = 0; i < limit; ++i) {
            runFrames(1);
            vastomer::PlayScene* play = scene();
            vastomer::PlayerCharacter* quorin = player();
            if (play && quorin && play->isLandedOnce() && controller() && !quorin->isFrozen() &&
                !quorin->isFalling())
                return true;
        }
        return false;
    }

    // Holds a key for `frames` frames, then lets it go.
    void press(int key, int frames) {
        sendKey(key, true);
        runFrames(frames);
        sendKey(key, false);
    }
};
