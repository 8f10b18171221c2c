#pragma once

#include <string>

namespace vastomer {

class QuorinScenarioEngine;
struct ScenarioCommand;

// The scenario commands that drive the message window: TALK (the window, the speakers' names and
// pictures, the messages) and TELOP (a caption band). Without a window they do nothing.
class ScenarioTalkCommands {
public:
    static void talk(QuorinScenarioEngine& engine, const ScenarioCommand& command);
    static void telop(QuorinScenarioEngine& engine, const ScenarioCommand& command);

    // The picture of a TALK;SPEAKER;SPRITE field: a name holding ".png" as written; "AA:FF" gives
    // "character/cf_AA_WW_FF.png" with WW the equipped wear + 1 in at least two digits; anything
    // else "-.png".
    static std::string pictureFile(const std::string& field, int equippedWear);

private:
    static void speaker(QuorinScenarioEngine& engine, const ScenarioCommand& command);
    static void message(QuorinScenarioEngine& engine, const ScenarioCommand& command);
};

}  // namespace vastomer
