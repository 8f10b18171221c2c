#pragma once

namespace vastomer {

class QuorinScenarioEngine;
struct ScenarioCommand;

// The scenario commands that act on the stage: the camera (CAM), characters (CHARA), composite
// animations (ANIME), sprites (SPRITE), particles (PARTICLE) and the map (CHANGEMAP). Each runs one
// command on an engine; what it blocks, it ends by the engine's release for that block only.
//
// Layer words: "BACK" the stage's back layer, "CHARA" its front layer (in front of the characters),
// "OVER" the current screen, "CONTENTS" the host's contents node (sprites only). A command naming a
// layer outside these, a character, id or file that is not there does nothing.
class ScenarioStageCommands {
public:
    // Characters a script makes run from this index on (the map's own count from 0).
    static constexpr int SCRIPT_CHARACTER_INDEX = 1000;
    // Records of the people of the story, who appear only in scenes: plain characters, not creatures.
    static constexpr int FIRST_STORY_CHARACTER = 200;
    static constexpr int LAST_STORY_CHARACTER = 209;

    static void camera(QuorinScenarioEngine& engine, const ScenarioCommand& command);
    static void character(QuorinScenarioEngine& engine, const ScenarioCommand& command);
    static void animation(QuorinScenarioEngine& engine, const ScenarioCommand& command);
    static void sprite(QuorinScenarioEngine& engine, const ScenarioCommand& command);
    static void particle(QuorinScenarioEngine& engine, const ScenarioCommand& command);
    static void changeMap(QuorinScenarioEngine& engine, const ScenarioCommand& command);

private:
    static void generateCharacter(QuorinScenarioEngine& engine, const ScenarioCommand& command);
    static void moveCharacter(QuorinScenarioEngine& engine, const ScenarioCommand& command);
    static void animateCharacter(QuorinScenarioEngine& engine, const ScenarioCommand& command);
    static void generateAnimation(QuorinScenarioEngine& engine, const ScenarioCommand& command);
};

}  // namespace vastomer
