// Stage play crowded with creatures, headless and not drawn: the logic of one play frame of stage 1
// part 1 with Quorin and 60, then 240, creatures of Lantern Street acting by their tables, with the
// shots they fire. Goals: <= 1 ms a frame with 60, and 240 costing at most 4.5 times as much (no step
// grows with the square of the crowd). Reports the mean and the 99th percentile of single frames and,
// at the end, the ratio of the two means.
#include <benchmark/benchmark.h>

#include <chrono>
#include <cstdio>
#include <map>
#include <string>
#include <utility>
#include <vector>

#include "bench/PlayBenchGame.h"
#include "game/character/ActionMap.h"
#include "game/character/EnemyCharacter.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/play/PlayScene.h"

namespace {

using playbench::PlayGame;

// The creatures of the part's own kinds, in turn: Sproutling, Lantern Wisp, Vine Lasher.
constexpr int KINDS[] = {1, 2, 3};
// Spread along the street ahead of Quorin, who runs to and fro near the start, as densely whatever
// their number (a crowd twice as dense touches itself four times as often, which is physics, not a
// step of the game's that grows with the square of the crowd); those that come for her fight her, and
// she is kept on her feet so that the frames stay frames of play.
constexpr float SPREAD_LEFT = 640.0f;
constexpr float WIDTH_PER_CREATURE = 9.0f;
constexpr float DROP_HEIGHT = 120.0f;

std::map<int, double> meanByCrowd;

void addCrowd(PlayGame& game, int count) {
    vastomer::ActionMap* map = game.scene()->getActionMap();
    for (int i = 0; i < count; ++i) {
        vastomer::EnemyCharacter* creature =
            vastomer::EnemyCharacter::create(KINDS[i % 3], 1000 + i, "enemy", 0);
        if (!creature) continue;
        creature->setPosition(SPREAD_LEFT + WIDTH_PER_CREATURE * static_cast<float>(i),
                              DROP_HEIGHT + static_cast<float>(i % 4) * 24.0f);
        map->getCharacterLayer()->addChild(creature);
        map->addCharacter(creature, true);
        creature->scheduleUpdate();
        creature->startPattern();
    }
}

void BM_PlayFrameWithCreatures(benchmark::State& state) {
    const int count = static_cast<int>(state.range(0));
    PlayGame game;
    engine::Director* director = engine::Director::getInstance();
    director->setFrameDrawFilter([](uint64_t) { return false; });
    addCrowd(game, count);
    // Let them land and start acting before timing.
    for (int i = 0; i < 60; ++i)
        game.frame();
    std::vector<double> times;
    vastomer::PlayerCharacter* quorin = vastomer::DataManager::getInstance()->getPlayerCharacter();
    for (auto _ : state) {
        if (quorin) quorin->setHp(quorin->getMaxHp());
        const auto start = std::chrono::steady_clock::now();
        game.frame();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    director->setFrameDrawFilter(nullptr);
    state.counters["characters"] = static_cast<double>(game.scene()->getActionMap()->getCharacters().size());
    playbench::reportFrameTimes(state, times);
    meanByCrowd[count] = state.counters["mean_ms"];
}

}  // namespace

BENCHMARK(BM_PlayFrameWithCreatures)->Arg(60)->Arg(240)->Unit(benchmark::kMillisecond)->Iterations(1200);

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    if (meanByCrowd.count(60) && meanByCrowd.count(240) && meanByCrowd[60] > 0.0)
        std::printf("240 creatures cost %.2f times 60 creatures (mean %.3f ms against %.3f ms)\n",
                    meanByCrowd[240] / meanByCrowd[60], meanByCrowd[240], meanByCrowd[60]);
    return 0;
}
