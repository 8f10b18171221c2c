#pragma once

#include <functional>
#include <string>

#include "engine/base/WeakRef.h"
#include "game/app/NLayer.h"

namespace engine {
class Node;
}

namespace vastomer {

class ActionMap;
class CharacterSprite;
class DramaPart;
class MemorySceneOptionWindow;
class MessageWindow;
class PlayerCharacter;
class SituationSelectWindow;

// The memory gallery (scene 8): a small stage with one of the gallery backgrounds, Quorin and the
// creature of the chosen situation on it, where an unlocked drama part replays as the player chose
// it (wear, background, Resolve state, how the creature shows). The selection window comes first.
//
// The chosen wear is put on for the replay only: the drama's pictures are drawn in the equipped
// wear, and the wear worn before comes back when the replay ends or is stopped.
class MemoryScene : public NLayer {
public:
    using DramaCallback = std::function<void(DramaPart*)>;

    static constexpr float MAP_SCALE = 2.0f;
    static constexpr float STAND_APART = 18.0f;
    static constexpr float ZOOM_TIME = 0.3f;
    // Depth of the stage plane at zoom levels 1, 2 and 3.
    static constexpr float ZOOM_DEPTH[3] = {0.0f, 130.0f, 230.0f};

    static MemoryScene* create();
    bool init() override;
    void setupScene() override;
    void startScene() override;
    void stopSceneActions() override;

    // "data/drama/dramaPart_012_05.bds" for situation 12 in state 500.
    static std::string dramaFileName(int situation, int state);
    // "data/map/md_9998_02.tmx" for background 2.
    static std::string backgroundMapFile(int background);
    // The drama-file suffix of a Resolve state: 0 "_01", 100 "_02", 250 "_03", 450 "_04", 500 "_05".
    static std::string stateSuffix(int state);

    void loadBackground(int background);
    void setStateIndex(int index);
    // The drama file the selection stands for now ("" without a situation).
    std::string selectedDramaFile() const;
    // Whether PLAY can start: a situation is chosen and its drama file exists.
    bool canPlay() const;
    // Puts on the chosen wear and plays the chosen situation: resumed when it is the one on stage
    // already in the same wear (unless `restart`), else started from its beginning. A part that
    // cannot be read ends at once.
    void takeSituation(bool restart);
    void pauseDrama(bool paused);
    bool isDramaPaused() const { return dramaPaused_; }
    // From the start of a replay until its part ends or is stopped.
    bool isDramaRunning() const { return dramaRunning_; }
    DramaPart* getDramaPart() const;
    // Told when a part starts, and when one ends by itself (not when it is stopped).
    void setOnDramaStarted(DramaCallback callback) { onDramaStarted_ = std::move(callback); }
    void setOnDramaFinished(DramaCallback callback) { onDramaFinished_ = std::move(callback); }

    void setBackdropOpacity(int opacity);
    void setZoomLevel(int level);
    void setCompanionMode(int mode);

    SituationSelectWindow* getSituationWindow() const { return situationWindow_; }
    MemorySceneOptionWindow* getOptionWindow() const { return optionWindow_; }
    MessageWindow* getMessageWindow() const { return messageWindow_; }
    ActionMap* getActionMap() const { return actionMap_; }
    bool isBusy() const { return busy_; }
    void setBusy(bool busy) { busy_ = busy; }
    int getState() const { return state_; }
    int getBackdropOpacity() const { return opacity_; }
    int getCompanionMode() const { return companionMode_; }
    int getZoomLevel() const { return zoomLevel_; }
    bool isZooming() const { return zooming_; }
    const std::string& getDramaFile() const { return dramaFile_; }
    int getBackground() const { return background_; }
    // The creature the situation belongs to (its grapple event), -1 when none is known.
    int getCreatureId() const { return creatureId_; }
    CharacterSprite* getCreature() const;
    PlayerCharacter* getPlayer() const;

protected:
    MemoryScene() = default;

private:
    void placePlayer();
    void placeCreature(int characterId);
    void startDrama(const std::string& file);
    void dramaEnded(DramaPart* part);
    void stopDrama();
    void putOnWear(int wear);
    void takeOffWear();
    void applyLooks();

    ActionMap* actionMap_ = nullptr;
    MessageWindow* messageWindow_ = nullptr;
    SituationSelectWindow* situationWindow_ = nullptr;
    MemorySceneOptionWindow* optionWindow_ = nullptr;
    engine::WeakRef<PlayerCharacter> player_;
    engine::WeakRef<CharacterSprite> creature_;
    engine::WeakRef<DramaPart> drama_;
    DramaCallback onDramaStarted_;
    DramaCallback onDramaFinished_;
    // The wear equipped before the replay's, -1 while the replay wears nothing of its own.
    int wornBefore_ = -1;
    int creatureId_ = -1;
    bool attachToPlayer_ = true;
    bool creatureVisible_ = false;
    std::string dramaFile_;
    bool dramaRunning_ = false;
    bool dramaPaused_ = false;
    int background_ = -1;
    int state_ = 0;
    int opacity_ = 255;
    int companionMode_ = 0;
    int zoomLevel_ = 1;
    bool zooming_ = false;
    bool busy_ = false;
};

}  // namespace vastomer
