#pragma once

#include "engine/base/WeakRef.h"
#include "game/app/AbstractController.h"

namespace vastomer {

class PlaceholderScene;

// Leaves a screen that is not in the game yet on CANCEL: back to the title when the title opened it,
// else to the hub. The music of the screen before plays on.
class PlaceholderController : public AbstractController {
public:
    static PlaceholderController* create();
    bool init() override;
    void setScene(NLayer* scene) override;
    void stop() override;
    void update(float dt) override;

protected:
    PlaceholderController() = default;

private:
    engine::WeakRef<PlaceholderScene> scene_;
};

}  // namespace vastomer
