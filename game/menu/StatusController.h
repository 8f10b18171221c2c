#pragma once

#include "engine/base/WeakRef.h"
#include "game/app/AbstractController.h"
#include "game/menu/StageContactRouter.h"

namespace vastomer {

class StatusScene;

// Reads the input of the status room: moves the cursor, opens the lists, equips the item chosen
// (with its sound), runs the meditation behind a fade through black, and leaves for the hub.
class StatusController : public AbstractController {
public:
    static constexpr const char* WEAPON_SOUND = "audio/se/chari13_b.mp3";
    static constexpr const char* WEAR_SOUND = "audio/se/equip00.mp3";
    static constexpr float EQUIP_PAUSE = 0.05f;
    static constexpr float MEDITATION_FADE_OUT = 0.5f;
    static constexpr float MEDITATION_HOLD = 0.5f;
    static constexpr float MEDITATION_FADE_IN = 0.15f;

    static StatusController* create();
    void setScene(NLayer* scene) override;
    void start() override;
    void stop() override;
    void update(float dt) override;

    StatusScene* getScene() const;

protected:
    StatusController() = default;

private:
    void confirm();
    void cancel();
    void equip();
    void meditate();
    void leave();
    void pauseInput(float seconds);

    engine::WeakRef<StatusScene> scene_;
    StageContactRouter router_;
};

}  // namespace vastomer
