#pragma once

#include "game/menu/StoryController.h"

namespace vastomer {

// Plays the opening ("scenario/opening.bks") on the demo screen; at its end the opening counts as
// watched (the save's first tutorial flag) and the hub follows.
class DemoController : public StoryController {
public:
    static constexpr const char* OPENING = "scenario/opening.bks";
    static constexpr int OPENING_WATCHED_FLAG = 0;

    static DemoController* create();
    // The music plays on through the fade into this screen.
    bool init() override;

protected:
    DemoController() = default;
    std::string chooseScript() override;
    void noScript() override;
    void scriptEnded() override;

private:
    void toHub();
};

}  // namespace vastomer
