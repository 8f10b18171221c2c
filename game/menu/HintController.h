#pragma once

#include "game/menu/StoryController.h"

namespace vastomer {

// Plays one hint ("scenario/hint_NNNN.bks", the hint the data manager's picker draws) on the hint
// screen, then returns to the hub. With no hint to show it returns to the hub at once.
class HintController : public StoryController {
public:
    static constexpr int HINT_VISITED_FLAG = 5;

    static HintController* create();
    // The music plays on through the fade into this screen.
    bool init() override;

    // "scenario/hint_0003.bks" for hint 3.
    static std::string hintFileName(int scriptNo);

protected:
    HintController() = default;
    std::string chooseScript() override;
    void noScript() override;
    void scriptEnded() override;

private:
    void toHub();
};

}  // namespace vastomer
