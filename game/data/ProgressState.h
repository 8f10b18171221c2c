#pragma once

#include <array>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace vastomer {

// The player's progress: the values of the current run and the lasting part written to the save file.
// Plain data with the few operations that keep it consistent; the data manager is its only owner.
struct ProgressState {
    static constexpr int kTutorialFlagCount = 7;
    static constexpr int kSpMax = 300;
    static constexpr int kLpMax = 500;
    static constexpr int kFirstGrappleWeapon = 0;
    static constexpr int kFirstShotWeapon = 10;
    static constexpr int kFirstWear = 0;

    // Values of the run (never saved).
    bool retryFromBoss = false;
    int currentStage = 1;
    int currentPart = -1;
    int previousPart = -1;
    int hp = 0;
    bool isNewGame = false;
    int difficulty = 1;  // 0 easy, 1 normal, 2 hardcore
    // `totalScore` when the stage being played was entered (a retry keeps it): the stage's own gain
    // is the difference, whatever was spent in the shop before.
    int stageStartTotalScore = 0;
    // The next stage start is a retry after a game over (from the start or from the boss).
    bool stageRetry = false;

    // Saved values.
    std::array<bool, kTutorialFlagCount> tutorialFlags{};
    int progress = 0;
    std::map<int, int> stageBestScores;
    std::map<int, bool> situations;
    int score = 0;
    int totalScore = 0;
    int sp = 0;
    int lp = 0;
    int equippedWeapon1 = kFirstGrappleWeapon;
    int equippedWeapon2 = kFirstShotWeapon;
    int equippedWear = kFirstWear;
    std::vector<int> ownedWeapons;
    std::vector<int> ownedWear;
    std::map<std::string, int> userVars;
    std::set<std::string> readScripts;

    // Back to a new game over the given stages; keeps `progress`, `readScripts` and the run values
    // other than the current stage and part.
    void reset(const std::vector<int>& stageNumbers);

    bool hasWeapon(int id) const;
    bool addWeapon(int id);  // false when already owned
    bool hasWear(int id) const;
    bool addWear(int id);

    int getStageScore(int stage) const;
    // Stores the score when the stage has none yet or when it is higher; true when stored.
    bool recordStageScore(int stage, int points);

    // Names the save file can hold: not empty, none of , ; : @ or line breaks (the file has no escapes);
    // user variable names also have no blanks at either end (they are trimmed when read back).
    static bool isValidUserVarName(const std::string& name);
    static bool isValidScriptName(const std::string& name);
};

}  // namespace vastomer
