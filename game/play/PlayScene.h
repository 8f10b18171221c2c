#pragma once

#include <string>

#include "engine/base/RefPtr.h"
#include "engine/base/WeakRef.h"
#include "engine/scene/Sprite.h"
#include "game/app/NLayer.h"
#include "game/data/StageRecord.h"

namespace engine {
class Action;
class Node;
}  // namespace engine

namespace vastomer {

class ActionMap;
class MessageWindow;
class BossBattleInterface;
class GameoverInterface;
class PauseScreenInterface;
class PlayController;
class PlayInterface;
class PlayerCharacter;

// The screen a stage is played on (scene id 10). It holds the stage map on plane 2 (set back at
// position Z 230, so the stage shows at about twice its size, with the camera following the player),
// the HUD and the overlays on plane 3, and a black curtain for the fades. It loads the parts of the
// stage as the player crosses them, places the player, picks the music and runs each part's entry:
// the curtain lifts, then play (or the boss battle) starts.
class PlayScene : public NLayer {
public:
    static constexpr int UPDATE_PRIORITY = -255;
    static constexpr float PLANE_Z = 230.0f;
    static constexpr int CURTAIN_Z = 9999;
    static constexpr int MESSAGE_WINDOW_Z = 10;
    static constexpr float CURTAIN_FADE = 0.5f;
    static constexpr int ENTRY_TAG = 4101;
    static constexpr int GAMEOVER_Z = 11;
    static constexpr int BOSS_BATTLE_Z = 12;

    static PlayScene* create();
    bool init() override;

    // A record whose `first` is above 0 starts the stage at that part (the developer entry); the game
    // itself always passes the empty record.
    void setSceneParam(SceneParam param) override;
    void setupScene() override;
    // Starts the current stage at its start part (or its boss part for a retry). A stage without a
    // record is refused: the screen returns to the hub.
    void startScene() override;
    // The screen is going away: its stage lets go of every character (the player stays alive).
    void stopSceneActions() override;
    void update(float dt) override;

    // Loads a part (the next part's map, its bodies and markers), places the player at the start point
    // (marker -1) or the numbered appear point, and runs the part's entry. False, and nothing changes,
    // for a stage without a record or a part the stage does not list.
    bool changeMap(int stage, int part, int marker);
    // The map file of a part: "data/map/md_0001_02.tmx".
    static std::string mapFileName(int stage, int part);
    // The stage theme "audio/bgm/QUORIN_Stage01.mp3".
    static std::string stageMusic(int stage);
    static constexpr const char* BOSS_MUSIC = "audio/bgm/QUORIN_Boss_A.mp3";

    ActionMap* getActionMap() const { return actionMap_; }
    PlayerCharacter* getPlayer() const;
    PlayInterface* getPlayInterface() const { return playInterface_; }
    // The window the story scenes and drama parts talk in (on the HUD's plane, under the curtain).
    MessageWindow* getMessageWindow() const { return messageWindow_; }
    // The overlays of the boss battle, the result, game over and pause.
    GameoverInterface* getGameoverInterface() const { return gameoverInterface_; }
    BossBattleInterface* getBossBattleInterface() const { return bossBattleInterface_; }
    PauseScreenInterface* getPauseScreenInterface() const { return pauseScreenInterface_; }
    engine::Sprite* getCurtain() const { return curtain_; }
    engine::Node* getCameraTarget() const { return cameraTarget_.get(); }
    int getStageNumber() const { return stageNumber_; }
    bool isStaging() const { return staging_; }
    void setStaging(bool staging) { staging_ = staging; }
    bool isScenarioRunning() const { return scenarioRunning_; }
    void setScenarioRunning(bool running) { scenarioRunning_ = running; }
    bool isPartReady() const { return partReady_; }
    // Play of the part begins (after its entry, or after a boss's introduction): the first landing
    // of every character is awaited from now on.
    void setPartReady() { partReady_ = true; }
    bool isLandedOnce() const { return landedOnce_; }
    int getPartBefore() const { return partBefore_; }
    // The stage was refused for want of a record.
    bool isRefused() const { return refused_; }
    // Follow actions running on the stage's plane (one at most).
    int getFollowCount() const;

protected:
    PlayScene() = default;

private:
    void enterPart(const StageRecord& record);
    void finishEntry(const StageRecord& record, bool fromScript);
    void startMusic(const StageRecord& record);
    PlayController* controller() const;

    bool landedOnce_ = false;
    bool partReady_ = false;
    int partBefore_ = 0;
    bool staging_ = false;
    int stageNumber_ = 0;
    engine::RefPtr<engine::Node> cameraTarget_;
    ActionMap* actionMap_ = nullptr;
    engine::WeakRef<PlayerCharacter> player_;
    PlayInterface* playInterface_ = nullptr;
    MessageWindow* messageWindow_ = nullptr;
    engine::Sprite* curtain_ = nullptr;
    GameoverInterface* gameoverInterface_ = nullptr;
    BossBattleInterface* bossBattleInterface_ = nullptr;
    PauseScreenInterface* pauseScreenInterface_ = nullptr;
    bool scenarioRunning_ = false;
    engine::RefPtr<engine::Action> follow_;
    int startPartOverride_ = 0;
    std::string musicBeforeEntry_;
    bool refused_ = false;
};

}  // namespace vastomer
