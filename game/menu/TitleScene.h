#pragma once

#include <functional>
#include <string>

#include "game/app/NLayer.h"

namespace engine {
class Label;
class Sprite;
}  // namespace engine

namespace vastomer {

// The title screen (scene 2): a drifting dusk sky, the city and its lanterns, the title lettering
// that sinks into place, and a one-line menu (start, settings, end) between two bobbing cursors.
// The controller reads the keys; the screen runs the intro and the label's slide between items.
class TitleScene : public NLayer {
public:
    static constexpr const char* MUSIC = "audio/bgm/QUORIN_Title.mp3";
    static constexpr int ITEM_COUNT = 3;
    static constexpr float LOGO_X = 16.0f;
    static constexpr float LOGO_Y = 326.0f;
    static constexpr float LOGO_DROP = 16.0f;
    static constexpr float INTRO_TIME = 1.0f;
    static constexpr float MENU_Y = 110.0f;
    static constexpr float SKY_SCROLL_TIME = 30.0f;
    static constexpr float BAND_PULSE_TIME = 3.0f;
    static constexpr float SLIDE_TIME = 0.12f;
    static constexpr float SLIDE_DISTANCE = 40.0f;

    static TitleScene* create();
    bool init() override;

    // Starts the title music (unless it plays already) and the intro, which ends in showMenu.
    void startScene() override;
    // A screen that is not in the game yet learns that the title opened it (CANCEL leads back here).
    void handOver(NLayer* incoming) override;
    // Ends the intro at once: the logo in its final place, the label and the cursors shown; then tells
    // whoever waits for the menu (once).
    void showMenu();
    // Shows the item's text; `fromLeft` slides it in from the left (the old one leaves to the right).
    void moveSelection(int index, bool fromLeft);
    bool isLabelAnimating() const;

    // Called once when the menu is shown (the controller becomes active then).
    void setOnMenuShown(std::function<void()> callback) { onMenuShown_ = std::move(callback); }
    bool isMenuShown() const { return menuShown_; }
    // The key of an item's text: "SYS_START", "SYS_SETTINGS", "SYS_END".
    static std::string itemKey(int index);

    engine::Sprite* getLogo() const { return logo_; }
    engine::Label* getMenuLabel() const { return menuLabel_; }
    engine::Sprite* getCursor(int side) const { return cursors_[side == 0 ? 0 : 1]; }

protected:
    TitleScene() = default;

private:
    void addSky();
    void placeCursors();

    engine::Sprite* logo_ = nullptr;
    engine::Label* menuLabel_ = nullptr;
    engine::Sprite* cursors_[2] = {nullptr, nullptr};
    std::function<void()> onMenuShown_;
    bool menuShown_ = false;
};

}  // namespace vastomer
