#pragma once

#include <vector>

#include "engine/base/WeakRef.h"
#include "game/app/AbstractController.h"

namespace vastomer {

class WorldMapScene;

// The hub's controller. Entering the hub grants the Moonlit Gown when Resolve is full, keeps the
// music of the screen before, and saves. UP and DOWN move through the seven items (wrapping), OK acts
// on one; the first item opens the stage-select window, whose keys (LEFT, RIGHT, OK, CANCEL) this
// controller also reads. Twelve separate presses of BUTTON3 unlock every memory scene.
class WorldMapController : public AbstractController {
public:
    static constexpr int STAGE_SELECT = 0;
    static constexpr int HINT = 1;
    static constexpr int SHOP = 2;
    static constexpr int STATUS = 3;
    static constexpr int OPTION = 4;
    static constexpr int MEMORY = 5;
    static constexpr int TITLE = 6;
    static constexpr int FULL_RESOLVE_WEAR = 8;
    static constexpr int BONUS_PRESSES = 12;
    static constexpr float MOVE_LOCK = 0.1f;

    static WorldMapController* create();
    bool init() override;
    void setScene(NLayer* scene) override;
    void start() override;
    void stop() override;
    void update(float dt) override;

    bool isMenuMode() const { return menuMode_; }
    int getSelection() const { return selection_; }
    int getEntryIndex() const { return entryIndex_; }
    int getBonusPressCount() const { return bonusPressCount_; }
    // The stage-select window's entries while it is open, else empty.
    std::vector<int> getEntries() const;
    // Whether the memories may be opened: at least one scene is unlocked.
    static bool hasUnlockedMemory();

protected:
    WorldMapController() = default;

private:
    void runMenu();
    void runStageSelect();
    void actOnItem();
    void countBonusPress();
    void changeTo(int sceneId);
    void lockBriefly(float seconds);

    engine::WeakRef<WorldMapScene> scene_;
    bool menuMode_ = true;
    int selection_ = 0;
    int entryIndex_ = 0;
    int bonusPressCount_ = 0;
    bool bonusLatch_ = false;
};

}  // namespace vastomer
