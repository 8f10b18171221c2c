#pragma once

#include "engine/base/WeakRef.h"
#include "game/app/AbstractController.h"

namespace vastomer {

class TitleScene;

// Reads the title screen's keys: any key skips the intro; LEFT and RIGHT turn the menu (start,
// settings, end, wrapping); OK starts (the opening demo on a save that has not seen it, else the hub),
// opens the settings, or ends the program after the screen has faded to black.
class TitleController : public AbstractController {
public:
    static constexpr int START = 0;
    static constexpr int SETTINGS = 1;
    static constexpr int END = 2;
    static constexpr float END_FADE = 0.5f;

    static TitleController* create();
    bool init() override;
    void setScene(NLayer* scene) override;
    void stop() override;
    void update(float dt) override;

    bool isMenuShown() const { return menuShown_; }
    int getSelection() const { return selection_; }
    // The end entry was chosen: the curtain is closing and the program ends after it.
    bool isEnding() const { return ending_; }

protected:
    TitleController() = default;

private:
    void act();

    engine::WeakRef<TitleScene> scene_;
    bool menuShown_ = false;
    int selection_ = START;
    bool ending_ = false;
};

}  // namespace vastomer
