#pragma once

// The game running stage 1 part 1 headless for the play benchmarks, Quorin on her feet and every
// story scene counted as read. Stage 1 is the built resource tree's when it has md_0001_01;
// otherwise the tests' own small maps (tests/game/data/map) stand in for it.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <system_error>
#include <vector>

#include "engine/audio/AudioEngine.h"
#include "engine/events/EventDispatcher.h"
#include "engine/events/EventKeyboard.h"
#include "engine/platform/FileUtils.h"
#include "engine/platform/HeadlessView.h"
#include "engine/platform/Joystick.h"
#include "engine/platform/MessageBox.h"
#include "engine/platform/UserDefault.h"
#include "engine/scene/Director.h"
#include "game/app/AppDelegate.h"
#include "game/app/GameServices.h"
#include "game/app/SceneManager.h"
#include "game/data/DataManager.h"
#include "game/play/PlayScene.h"
#include "tests/support/ResourceTreeLinks.h"

namespace playbench {
namespace fs = std::filesystem;

constexpr int RIGHT_KEY = 27;
constexpr int LEFT_KEY = 26;
constexpr int JUMP_KEY = 147;

// The resource root: the built tree, or a copy of its links with the tests' maps.
inline std::string resourceRoot(const std::string& scratch) {
    const fs::path built = fs::path(QUORIN_RUNTIME_DIR) / "res";
    if (fs::exists(built / "data" / "map" / "md_0001_01.tmx")) return QUORIN_RUNTIME_DIR;
    const fs::path res = fs::path(scratch) / "root" / "res";
    testsupport::linkResourceTreeWithoutMaps(built, res);
    for (const auto& entry :
         fs::directory_iterator(fs::path(QUORIN_SOURCE_DIR) / "tests" / "game" / "data" / "map"))
        fs::copy_file(entry.path(), res / "data" / "map" / entry.path().filename());
    return (fs::path(scratch) / "root").string();
}

// The game running stage 1 part 1 with Quorin on her feet.
class PlayGame {
public:
    PlayGame() {
        char pattern[] = "/tmp/quorin-bench-XXXXXX";
        scratch_ = mkdtemp(pattern);
        engine::FileUtils* files = engine::FileUtils::getInstance();
        files->resetToDefaults();
        files->setResourceRoot(resourceRoot(scratch_));
        for (const std::string& path : AppDelegate::searchPaths())
            files->addSearchPath(path);
        files->setWritablePath(scratch_ + "/data");
        engine::UserDefault::getInstance()->reload();
        engine::Joystick::getInstance()->setDevicesEnabled(false);
        engine::AudioEngine::useNullBackend();
        engine::MessageBox::setHeadless(true);
        engine::Director::getInstance()->setOpenGLView(engine::HeadlessView::create());
        vastomer::GameServices::create();
        vastomer::DataManager* data = vastomer::DataManager::getInstance();
        data->setCurrentStage(1);
        // The part's talks would hold play still: every scene counts as read.
        const std::string scenarios = files->getResourceRoot() + "res/data/scenario";
        std::error_code missing;
        for (const auto& entry : fs::directory_iterator(scenarios, missing))
            data->markRead("scenario/" + entry.path().filename().string());
        vastomer::SceneManager* manager = vastomer::SceneManager::getInstance();
        manager->setFirstScene(vastomer::SceneId::PLAY);
        engine::Director::getInstance()->runWithScene(manager);
        for (int i = 0; i < 120; ++i)
            engine::Director::getInstance()->mainLoop();
    }
    ~PlayGame() {
        vastomer::GameServices::destroy();
        engine::Director::destroyInstance();
        std::error_code ignored;
        fs::remove_all(scratch_, ignored);
    }

    // One frame of play: Quorin runs one way and the other and jumps now and then.
    void frame() {
        if (frame_ % 90 == 0) {
            key(frame_ % 180 == 0 ? LEFT_KEY : RIGHT_KEY, false);
            key(frame_ % 180 == 0 ? RIGHT_KEY : LEFT_KEY, true);
        }
        if (frame_ % 45 == 0) key(JUMP_KEY, true);
        if (frame_ % 45 == 8) key(JUMP_KEY, false);
        ++frame_;
        engine::Director::getInstance()->mainLoop();
    }

    vastomer::PlayScene* scene() const {
        return dynamic_cast<vastomer::PlayScene*>(vastomer::SceneManager::getInstance()->getCurrentLayer());
    }

private:
    static void key(int code, bool down) {
        engine::EventKeyboard event(static_cast<engine::KeyCode>(code), down);
        engine::Director::getInstance()->getEventDispatcher()->dispatchEvent(&event);
    }

    std::string scratch_;
    int frame_ = 0;
};

// Reports frame times (milliseconds) as the mean and the 99th percentile.
inline void reportFrameTimes(benchmark::State& state, std::vector<double> times) {
    std::sort(times.begin(), times.end());
    double sum = 0.0;
    for (double t : times)
        sum += t;
    state.counters["mean_ms"] = times.empty() ? 0.0 : sum / static_cast<double>(times.size());
    state.counters["p99_ms"] =
        times.empty() ? 0.0 : times[std::min(times.size() - 1, times.size() * 99 / 100)];
}

}  // namespace playbench
