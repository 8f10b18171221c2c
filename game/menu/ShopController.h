#pragma once

#include "engine/base/WeakRef.h"
#include "game/app/AbstractController.h"
#include "game/menu/StageContactRouter.h"

namespace vastomer {

class ShopScene;

// Runs the shop: Mr. Kettle's tutorial on the first visit of a save (its flag is set when the scene
// ends, so it plays once), then the shop window's input until the player leaves for the hub.
class ShopController : public AbstractController {
public:
    static constexpr int TUTORIAL_FLAG = 6;

    static ShopController* create();
    bool init() override;
    void setScene(NLayer* scene) override;
    void start() override;
    void stop() override;
    void update(float dt) override;

    ShopScene* getScene() const;
    bool isTutorialStarted() const { return tutorialStarted_; }
    bool isWindowOpened() const { return windowOpened_; }

protected:
    ShopController() = default;

private:
    void leave();

    engine::WeakRef<ShopScene> scene_;
    StageContactRouter router_;
    bool tutorialStarted_ = false;
    bool windowOpened_ = false;
};

}  // namespace vastomer
