// Stage play, headless: the logic of one play frame of stage 1 (nothing drawn), one frame drawn by
// the software renderer, and loading a part (map, collision boxes, markers). Frame benchmarks report
// the mean and the 99th percentile of single frames. Goals: logic <= 1 ms, drawn frame <= 8 ms mean,
// part load <= 250 ms.
//
// Stage 1 is the built resource tree's, or the tests' own small maps (see PlayBenchGame.h).
#include <benchmark/benchmark.h>

#include <chrono>
#include <string>
#include <utility>
#include <vector>

#include "bench/PlayBenchGame.h"
#include "game/character/ActionMap.h"
#include "game/play/PlayScene.h"

namespace {

using playbench::PlayGame;

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
    playbench::reportFrameTimes(state, std::move(times));
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
