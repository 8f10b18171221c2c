#include "game/data/ProgressJson.h"

#include "engine/base/Utf8.h"
#include "game/data/MasterText.h"

namespace vastomer {

namespace {

// JSON text must be UTF-8; names read from a damaged save may not be. Bad bytes show as U+FFFD.
std::string validText(const std::string& text) {
    return engine::Utf8::encode(engine::Utf8::decode(text));
}

}  // namespace

nlohmann::json ProgressJson::toJson(const ProgressState& state, const std::string& language) {
    nlohmann::json stageScores = nlohmann::json::object();
    for (const auto& entry : state.stageBestScores)
        stageScores[MasterText::intText(entry.first)] = entry.second;
    nlohmann::json situations = nlohmann::json::object();
    for (const auto& entry : state.situations)
        situations[MasterText::intText(entry.first)] = entry.second;
    nlohmann::json userVars = nlohmann::json::object();
    for (const auto& entry : state.userVars)
        userVars[validText(entry.first)] = entry.second;

    nlohmann::json readScripts = nlohmann::json::array();
    for (const std::string& name : state.readScripts)
        readScripts.push_back(validText(name));

    return nlohmann::json{
        {"progress", state.progress},
        {"tutorialFlags", state.tutorialFlags},
        {"stageBestScores", stageScores},
        {"situations", situations},
        {"score", state.score},
        {"totalScore", state.totalScore},
        {"equippedWeapon1", state.equippedWeapon1},
        {"equippedWeapon2", state.equippedWeapon2},
        {"equippedWear", state.equippedWear},
        {"ownedWeapons", state.ownedWeapons},
        {"ownedWear", state.ownedWear},
        {"sp", state.sp},
        {"lp", state.lp},
        {"userVars", userVars},
        {"readScripts", readScripts},
        {"language", validText(language)},
        {"currentStage", state.currentStage},
        {"currentPart", state.currentPart},
        {"previousPart", state.previousPart},
        {"hp", state.hp},
        {"difficulty", state.difficulty},
        {"retryFromBoss", state.retryFromBoss},
        {"isNewGame", state.isNewGame},
    };
}

}  // namespace vastomer
