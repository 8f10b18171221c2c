#pragma once

#include <functional>
#include <string>

#include "engine/base/WeakRef.h"
#include "game/app/NLayer.h"

namespace engine {
class Node;
class Sprite;
}  // namespace engine

namespace vastomer {

class ActionMap;
class CharacterSprite;
class MessageWindow;
class PlayerCharacter;
class ShopWindow;

// Mr. Kettle's shop (scene 5): his workshop as a still stage ("data/map/md_9999_02.tmx") with
// Quorin and Mr. Kettle standing on it, the message window his tutorial talks in, and the shop
// window on top.
class ShopScene : public NLayer {
public:
    static constexpr const char* MAP_FILE = "data/map/md_9999_02.tmx";
    static constexpr const char* TUTORIAL_SCRIPT = "scenario/shop_tutorial.bks";
    static constexpr const char* OWNER_RECORD_NAME = "SHOPOWNER";
    static constexpr float MAP_SCALE = 2.0f;
    static constexpr float PLAYER_X = 212.0f;
    static constexpr float PLAYER_Y = 100.0f;
    // Mr. Kettle floats where he is put (his record has no jump): his feet are set on the floor.
    static constexpr float OWNER_X = 420.0f;
    static constexpr float OWNER_Y = 92.0f;
    static constexpr int CURTAIN_Z = 9999;
    static constexpr int WINDOW_Z = 10;

    static ShopScene* create();
    bool init() override;
    void setupScene() override;
    // The screen is going away: the stage lets go of its characters (Quorin lives on).
    void stopSceneActions() override;

    // Runs Mr. Kettle's tutorial scene on the shop's stage; `onEnd` runs once when it is over (also
    // when it cannot be played, on the next frame).
    void playTutorial(std::function<void()> onEnd);
    bool isTutorialRunning() const { return tutorialRunning_; }

    // The character number of the record named "SHOPOWNER"; -1 when no record has that name.
    static int ownerCharacterId();

    ActionMap* getActionMap() const { return actionMap_; }
    ShopWindow* getShopWindow() const { return shopWindow_; }
    MessageWindow* getMessageWindow() const { return messageWindow_; }
    CharacterSprite* getOwner() const;
    PlayerCharacter* getPlayer() const;
    engine::Node* getCameraTarget() const { return cameraTarget_; }
    engine::Sprite* getCurtain() const { return curtain_; }

protected:
    ShopScene() = default;

private:
    void placeCharacters();
    void finishTutorial();

    ActionMap* actionMap_ = nullptr;
    ShopWindow* shopWindow_ = nullptr;
    MessageWindow* messageWindow_ = nullptr;
    engine::Node* cameraTarget_ = nullptr;
    engine::Sprite* curtain_ = nullptr;
    engine::WeakRef<CharacterSprite> owner_;
    engine::WeakRef<PlayerCharacter> player_;
    engine::Node* scenarioHost_ = nullptr;
    bool tutorialRunning_ = false;
    std::function<void()> tutorialEnd_;
};

}  // namespace vastomer
