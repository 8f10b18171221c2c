#pragma once

namespace vastomer {

class PlayController;

// The menus over the stage, read by the play controller while they are up: the result's two choices,
// the pause screen, and the game-over screen. A cursor move locks the input for 0.05 s, so a held
// arrow moves at most once in that time.
class StageEndMenus {
public:
    static constexpr float MOVE_LOCK = 0.05f;

    static void resultInput(PlayController& play);
    static void openPause(PlayController& play);
    static void pauseInput(PlayController& play);
    static void showGameOver(PlayController& play);
    static void gameOverInput(PlayController& play);

private:
    static void lockBriefly(PlayController& play);
    static void resume(PlayController& play);
    static void leaveTo(PlayController& play, int sceneId);
};

}  // namespace vastomer
