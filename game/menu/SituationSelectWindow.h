#pragma once

#include <string>
#include <vector>

#include "engine/scene/Node.h"

namespace engine {
class Label;
class Sprite;
}  // namespace engine

namespace vastomer {

// The gallery's choice of what to replay and how: the situation (only those unlocked), the wear
// (owned, never the Steam Armor, which nothing can catch), the background, the Resolve state (the
// five the drama files are written for) and how the creature is shown, then Play, Cancel or Back.
// Each value row wraps; a row with nothing to offer stays as it is.
class SituationSelectWindow : public engine::Node {
public:
    enum Row : int {
        SITUATION = 0,
        WEAR = 1,
        BACKGROUND = 2,
        STATE = 3,
        COMPANION = 4,
        PLAY = 5,
        CANCEL = 6,
        BACK = 7
    };
    static constexpr int ROWS = 8;
    static constexpr int STATES = 5;
    static constexpr int COMPANION_MODES = 3;
    static constexpr const char* BACKGROUNDS_FILE = "master/memory_backgrounds.data";
    static constexpr const char* EXCLUDED_WEAR_EFFECT = "powerarmor";
    static constexpr float FADE_TIME = 0.1f;

    static SituationSelectWindow* create();
    bool init() override;

    // The values of each row, built when the window is made.
    static std::vector<int> unlockedSituations();
    static std::vector<int> offeredWear();
    // The numbers of the backgrounds file; false when it cannot be found (the list is then empty).
    static bool readBackgrounds(std::vector<int>& out);
    // The Resolve value a state index stands for: 0, 100, 250, 450, 500.
    static int stateValue(int index);

    void moveRow(int delta);
    // Next (+1) or previous (-1) value of the highlighted row; false when it has no values to move.
    bool changeValue(int delta);

    int getRow() const { return row_; }
    int getIndex(int row) const;
    // The value now chosen in a row; -1 when the row is empty.
    int getValue(int row) const;
    const std::vector<int>& getValues(int row) const;
    int getSituation() const { return getValue(SITUATION); }
    int getWear() const { return getValue(WEAR); }
    int getBackground() const { return getValue(BACKGROUND); }
    int getStateIndex() const { return getIndex(STATE); }
    int getCompanionMode() const { return getIndex(COMPANION); }
    std::string getValueText(int row) const;

    void fadeIn();
    void fadeOut(std::function<void()> done);
    bool isShown() const { return shown_; }

protected:
    SituationSelectWindow() = default;

private:
    void refresh();
    static void fitValue(engine::Label* value);

    int row_ = 0;
    std::vector<std::vector<int>> values_;
    std::vector<int> indices_;
    std::vector<engine::Label*> labels_;
    std::vector<engine::Label*> valueLabels_;
    engine::Node* window_ = nullptr;
    engine::Sprite* cursor_ = nullptr;
    bool shown_ = false;
};

}  // namespace vastomer
