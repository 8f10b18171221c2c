#pragma once

#include <string>

#include "engine/base/RefPtr.h"
#include "engine/scene/Sprite.h"
#include "game/app/NLayer.h"

namespace vastomer {

class ActionMap;
class MessageWindow;

// A screen that shows one story scene outside a stage (the demo and hint screens): a stage map on
// plane 2 (set back like the play screen's, with the view following the camera target), the message
// window and a black curtain on plane 3. The scene's script loads the map, places the characters and
// lifts the curtain.
class StoryScene : public NLayer {
public:
    static constexpr float PLANE_Z = 230.0f;
    static constexpr int MESSAGE_WINDOW_Z = 10;
    static constexpr int CURTAIN_Z = 9999;

    bool init() override;
    // A record whose text names a script plays that script instead of the screen's own (the content
    // tool's dry run and the developer entry); the game passes the empty record.
    void setSceneParam(SceneParam param) override;
    // The screen is going away: its stage lets go of every character (the player stays alive).
    void stopSceneActions() override;
    void startScene() override;

    ActionMap* getActionMap() const { return actionMap_; }
    MessageWindow* getMessageWindow() const { return messageWindow_; }
    engine::Sprite* getCurtain() const { return curtain_; }
    engine::Node* getCameraTarget() const { return cameraTarget_.get(); }
    const std::string& getRequestedScript() const { return requestedScript_; }

protected:
    StoryScene() = default;

private:
    ActionMap* actionMap_ = nullptr;
    MessageWindow* messageWindow_ = nullptr;
    engine::Sprite* curtain_ = nullptr;
    engine::RefPtr<engine::Node> cameraTarget_;
    std::string requestedScript_;
};

}  // namespace vastomer
