#include "game/data/ProgressState.h"

#include <algorithm>

namespace vastomer {

namespace {

bool containsAny(const std::string& text, const char* characters) {
    return text.find_first_of(characters) != std::string::npos;
}

bool isBlank(char c) {
    return c == ' ' || c == '\t' || c == '\v' || c == '\f';
}

}  // namespace

void ProgressState::reset(const std::vector<int>& stageNumbers) {
    tutorialFlags.fill(false);
    stageBestScores.clear();
    for (int stage : stageNumbers)
        stageBestScores[stage] = 0;
    situations.clear();
    ownedWeapons.clear();
    ownedWear.clear();
    lp = 0;
    sp = 0;
    score = 0;
    totalScore = 0;
    currentStage = 0;
    currentPart = 0;
    equippedWeapon1 = kFirstGrappleWeapon;
    equippedWeapon2 = kFirstShotWeapon;
    equippedWear = kFirstWear;
    addWeapon(kFirstGrappleWeapon);
    addWeapon(kFirstShotWeapon);
    addWear(kFirstWear);
    userVars.clear();
}

bool ProgressState::hasWeapon(int id) const {
    return std::find(ownedWeapons.begin(), ownedWeapons.end(), id) != ownedWeapons.end();
}

bool ProgressState::addWeapon(int id) {
    if (hasWeapon(id)) return false;
    ownedWeapons.push_back(id);
    return true;
}

bool ProgressState::hasWear(int id) const {
    return std::find(ownedWear.begin(), ownedWear.end(), id) != ownedWear.end();
}

bool ProgressState::addWear(int id) {
    if (hasWear(id)) return false;
    ownedWear.push_back(id);
    return true;
}

int ProgressState::getStageScore(int stage) const {
    auto found = stageBestScores.find(stage);
    return found == stageBestScores.end() ? 0 : found->second;
}

bool ProgressState::recordStageScore(int stage, int points) {
    auto found = stageBestScores.find(stage);
    if (found != stageBestScores.end() && points <= found->second) return false;
    stageBestScores[stage] = points;
    return true;
}

bool ProgressState::isValidUserVarName(const std::string& name) {
    if (name.empty() || containsAny(name, ",;:@\n\r")) return false;
    return !isBlank(name.front()) && !isBlank(name.back());
}

bool ProgressState::isValidScriptName(const std::string& name) {
    return !name.empty() && !containsAny(name, ",;:@\n\r");
}

}  // namespace vastomer
