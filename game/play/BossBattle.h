#pragma once

#include <string>

namespace vastomer {

class PlayController;

// The boss sequence of a stage, driven through the play controller's state: the introduction
// (camera pan to the boss, gauge, name card), the HP watch, the defeat (the other creatures and their
// shots fall with the boss, the banner), the stage-end scene and the result panel. Each step starts
// from the callback of the one before, so nothing overlaps.
class BossBattle {
public:
    static constexpr float CAMERA_PAN_TIME = 0.5f;
    static constexpr float DEFEAT_PAUSE = 1.0f;

    // The introduction when the part has a boss; false (nothing happens) when it has none.
    static bool start(PlayController& play);
    // Each normal frame of the battle: the gauge shows the boss's HP, and the first frame the boss is
    // found defeated (or gone) starts the defeat.
    static void watch(PlayController& play);
    // The defeat: input stops, every creature and creature shot still up falls, the music stops after
    // a second, the banner shows, then the stage-end scene (once per save) and the result.
    static void defeated(PlayController& play);
    // The result panel over the paused stage; input is read once the panel is built.
    static void showResult(PlayController& play);
    // "scenario/sed_0001.bks": the scene played after the boss of a stage.
    static std::string stageEndScript(int stage);

private:
    static void showGauge(PlayController& play);
    static void showName(PlayController& play);
    static void beginBattle(PlayController& play);
    static void sweepCreatures(PlayController& play);
    static void playStageEnd(PlayController& play);
};

}  // namespace vastomer
