// Stage play, headless: the logic of one play frame of stage 1 (nothing drawn), one frame drawn by
// the software renderer, and loading a part (map, collision boxes, markers). Frame benchmarks report
// the mean and the 99th percentile of single frames. Goals: logic <= 1 ms, drawn frame <= 8 ms mean,
// part load <= 250 ms.
//
// Stage 1 is the built resource tree's when it has md_0001_01; otherwise the tests' own small maps
// (tests/game/data/map) stand in for it.
#include <benchmark/benchmark.h>
#include <stdlib.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <string>
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
#include "game/character/ActionMap.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/play/PlayController.h"
#include "game/play/PlayScene.h"

namespace {

namespace fs = std::filesystem;

constexpr int RIGHT_KEY = 27;
constexpr int LEFT_KEY = 26;
constexpr int JUMP_KEY = 147;

// The resource root: the built tree, or a copy of its links with the tests' maps.
std::string resourceRoot(const std::string& scratch) {
    const fs::path built = fs::path(QUORIN_RUNTIME_DIR) / "res";
    if (fs::exists(built / "data" / "map" / "md_0001_01.tmx")) return QUORIN_RUNTIME_DIR;
    const fs::path res = fs::path(scratch) / "root" / "res";
    fs::create_directories(res / "data" / "map");
    for (const auto& entry : fs::directory_iterator(built))
        if (entry.path().filename() != "data")
            fs::create_directory_symlink(entry.path(), res / entry.path().filename());
    for (const auto& entry : fs::directory_iterator(built / "data"))
        if (entry.path().filename() != "map")
            fs::create_directory_symlink(entry.path(), res / "data" / entry.path().filename());
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
        vastomer::DataManager::getInstance()->setCurrentStage(1);
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

// Times each frame and reports the mean and the 99th percentile in milliseconds.
void timeFrames(benchmark::State& state, bool draw) {
    PlayGame game;
    engine::Director* director = engine::Director::getInstance();
    if (!draw) director->setFrameDrawFilter([](uint64_t) { return false; });
    std::vector<double> times;
    for (auto _ : state) {
        const auto start = std::chrono::steady_clock::now();
        game.frame();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    director->setFrameDrawFilter(nullptr);
    std::sort(times.begin(), times.end());
    double sum = 0.0;
    for (double t : times)
        sum += t;
    state.counters["mean_ms"] = times.empty() ? 0.0 : sum / static_cast<double>(times.size());
    state.counters["p99_ms"] =
        times.empty() ? 0.0 : times[std::min(times.size() - 1, times.size() * 99 / 100)];
}

void BM_PlayFrameLogic(benchmark::State& state) {
    timeFrames(state, false);
}

void BM_PlayFrameDrawn(benchmark::State& state) {
    timeFrames(state, true);
}

// Loading part 1 into the play screen's map: the tile map, its collision boxes and its markers.
void BM_PartLoad(benchmark::State& state) {
    PlayGame game;
    vastomer::ActionMap* map = game.scene()->getActionMap();
    const std::string file = vastomer::PlayScene::mapFileName(1, 1);
    for (auto _ : state) {
        map->loadMap(file);
        map->buildCollision();
        map->readObjects();
    }
}

// The whole part change of the play screen (the above, and placing the player, the camera, the entry).
void BM_PartChange(benchmark::State& state) {
    PlayGame game;
    vastomer::PlayScene* scene = game.scene();
    for (auto _ : state)
        scene->changeMap(1, 1, -1);
}

}  // namespace

BENCHMARK(BM_PlayFrameLogic)->Unit(benchmark::kMillisecond)->Iterations(3000);
BENCHMARK(BM_PlayFrameDrawn)->Unit(benchmark::kMillisecond)->Iterations(1000);
BENCHMARK(BM_PartLoad)->Unit(benchmark::kMillisecond)->Iterations(30);
BENCHMARK(BM_PartChange)->Unit(benchmark::kMillisecond)->Iterations(30);

BENCHMARK_MAIN();
