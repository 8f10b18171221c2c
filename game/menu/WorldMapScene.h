#pragma once

#include <array>
#include <string>

#include "game/app/NLayer.h"

namespace engine {
class Label;
class Sprite;
}  // namespace engine

namespace vastomer {

class StageSelectWindow;

// The hub (scene 4): the night-sky dial, the shrine courtyard, and on a paper panel the seven-item
// menu (set out, hints, shop, status, options, memories, title) with its cursor, a caption for the
// highlighted item and a preview card. Setting out opens the stage-select window over it.
class WorldMapScene : public NLayer {
public:
    static constexpr const char* MUSIC = "audio/bgm/QUORIN_Menu.mp3";
    static constexpr int ITEM_COUNT = 7;

    static WorldMapScene* create();
    bool init() override;
    // Starts the hub music unless it plays already (coming back from the shop, say) and shows the
    // highlighted item.
    void startScene() override;

    void moveCursor(int index);
    // The caption of the item ("MAP_CAPTION_03", line breaks at \n) and its preview card.
    void showCaption(int index);
    // Builds the stage-select window and shows it over the menu; the window is rebuilt at every opening.
    StageSelectWindow* openStageSelect();
    void closeStageSelect();
    StageSelectWindow* getStageSelectWindow() const { return stageSelect_; }

    // The key of an item's text: "MAP_STAGESELECT" ... "MAP_TITLE".
    static std::string itemKey(int index);
    // Set by the controller before the screen starts: the item highlighted first.
    void setSelection(int index) { selection_ = index; }
    engine::Label* getItemLabel(int index) const;
    engine::Label* getCaptionLabel() const { return captionLabel_; }
    engine::Sprite* getCursor() const { return cursor_; }

protected:
    WorldMapScene() = default;

private:
    std::array<engine::Label*, ITEM_COUNT> items_{};
    engine::Sprite* cursor_ = nullptr;
    engine::Label* captionLabel_ = nullptr;
    engine::Sprite* preview_ = nullptr;
    StageSelectWindow* stageSelect_ = nullptr;
    int selection_ = 0;
};

}  // namespace vastomer
