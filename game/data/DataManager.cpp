#include "game/data/DataManager.h"

#include <algorithm>
#include <climits>
#include <cstdio>
#include <utility>

#include "engine/platform/FileUtils.h"
#include "engine/platform/MessageBox.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataSource.h"
#include "game/data/Diagnostics.h"
#include "game/data/GameRules.h"
#include "game/data/ProgressJson.h"
#include "game/data/SaveFileCodec.h"
#include "game/data/StringsManager.h"

namespace vastomer {

namespace {

// Content problems go to stderr for the people who make the content; the game carries on.
void printDiagnostics(const Diagnostics& diagnostics) {
    for (const Diagnostic& entry : diagnostics.entries())
        std::fprintf(stderr, "quorin: %s\n", Diagnostics::format(entry).c_str());
}

int saturatingAdd(int a, int b) {
    return static_cast<int>(std::clamp<long long>(static_cast<long long>(a) + b, INT_MIN, INT_MAX));
}

}  // namespace

DataManager* DataManager::getInstance() {
    return engine::SingletonSlot<DataManager>::get();
}

DataManager* DataManager::peekInstance() {
    return engine::SingletonSlot<DataManager>::peek();
}

void DataManager::destroyInstance() {
    // Stops its updates and listeners and leaves the scene it was attached to (if that still runs).
    engine::SingletonSlot<DataManager>::destroy([](engine::Node* manager) {
        manager->cleanup();
        manager->removeFromParent();
    });
}

bool DataManager::init() {
    if (!Node::init()) return false;
    Diagnostics diagnostics;
    DataSource source = DataSource::searchPaths();
    for (MasterTable table :
         {MasterTable::CHARACTER, MasterTable::WEAR, MasterTable::WEAPON, MasterTable::BULLET})
        masters_.load(table, source, &diagnostics);
    stages_.load(source, &diagnostics);
    for (MasterTable table :
         {MasterTable::SITUATION, MasterTable::SHOP_LINEUP, MasterTable::HINT, MasterTable::COMBINE})
        masters_.load(table, source, &diagnostics);
    printDiagnostics(diagnostics);

    resetProgress();
    state_.isNewGame = loadProgress();
    if (state_.isNewGame) saveProgress();
    // Made from this manager's own tables: the instance is not handed out until init has returned.
    playerCharacter_ = PlayerCharacter::create(*this);
    return playerCharacter_ != nullptr;
}

DataManager::~DataManager() = default;

void DataManager::setPlayerCharacter(PlayerCharacter* player) {
    playerCharacter_ = player;
}

// --- master tables and rules ---

CombineEntry DataManager::getCombine(int characterId, int key) const {
    if (getWearMaster(state_.equippedWear).effect == "powerarmor") return CombineEntry();
    return masters_.getCombine(characterId, key);
}

int DataManager::adjustDamageTaken(int damage) const {
    return GameRules::adjustDamageTaken(damage, state_.difficulty, getWearMaster(state_.equippedWear).effect);
}

int DataManager::adjustDamageDealt(int damage) const {
    return GameRules::adjustDamageDealt(damage, isPlayerBoosted(), state_.difficulty);
}

int DataManager::spGainFor(int attack) const {
    return GameRules::spGainFor(attack, getWearMaster(state_.equippedWear));
}

int DataManager::lpGain() const {
    return GameRules::lpGain(getWearMaster(state_.equippedWear));
}

int DataManager::lpTier() const {
    return GameRules::lpTier(state_.lp);
}

std::string DataManager::weaponPowerRankKey(int weaponId) const {
    if (!masters_.hasWeapon(weaponId)) return "";
    WeaponMaster weapon = getWeaponMaster(weaponId);
    int power = weapon.hasBullet ? getBulletMaster(weapon.bulletId).power : weapon.power;
    return GameRules::powerRankKey(power);
}

std::string DataManager::weaponIntervalRankKey(int weaponId) const {
    if (!masters_.hasWeapon(weaponId)) return "";
    return GameRules::intervalRankKey(getWeaponMaster(weaponId).interval);
}

HintEntry DataManager::pickHint() {
    std::vector<HintEntry> hints;
    for (const auto& row : masters_.hintRows())
        hints.push_back(row.record);
    return GameRules::pickHint(
        hints, [this](int n) { return randomBelow(n); }, [this](int stage) { return getStageScore(stage); },
        state_.equippedWear);
}

bool DataManager::isPlayerBoosted() const {
    return playerCharacter_ && playerCharacter_->isBoosted();
}

// --- stages ---

void DataManager::loadStages() {
    Diagnostics diagnostics;
    stages_.load(DataSource::searchPaths(), &diagnostics);
    printDiagnostics(diagnostics);
}

bool DataManager::isStageOpen(int stage) const {
    if (!stages_.hasStage(stage)) return false;
    return state_.progress >= stages_.getStageRecord(stage).requiredProgress;
}

int DataManager::getStageGain() const {
    return std::max(0, state_.totalScore - state_.stageStartTotalScore);
}

int DataManager::finishStage() {
    // The best score is what this stage earned, not the lifetime total.
    state_.recordStageScore(state_.currentStage, getStageGain());
    int playable = -1;
    // The next stage is the one the current stage's file names, whatever number its own file
    // carries inside.
    const int next = getStageRecord(state_.currentStage).nextStage;
    if (next != -1 && stages_.hasStage(next)) {
        // The first clear opens the next stage; the raised progress is part of this save, so quitting
        // right after the result screen cannot lose the unlock.
        if (!isStageOpen(next)) ++state_.progress;
        if (isStageOpen(next)) playable = next;
    }
    saveProgress();
    return playable;
}

// --- save file ---

void DataManager::resetProgress() {
    state_.reset(stages_.getStageNumbers());
}

std::string DataManager::getSaveFilePath() const {
    return engine::FileUtils::getInstance()->getWritablePath() + kSaveFolder + kSaveFileName;
}

void DataManager::discardUnsavedProgress() {
    engine::FileUtils* files = engine::FileUtils::getInstance();
    const std::string path = getSaveFilePath();
    if (!files->isFileExist(path)) return;
    ProgressState saved = state_;
    saved.readScripts.clear();
    saved.progress = 0;
    saved.reset(stages_.getStageNumbers());
    SaveFileCodec::Checks checks;
    checks.weaponExists = [this](int id) { return masters_.hasWeapon(id); };
    checks.wearExists = [this](int id) { return masters_.hasWear(id); };
    std::string language;
    Diagnostics diagnostics;
    SaveFileCodec::read(files->getStringFromFile(path), saved, checks, language, path, &diagnostics);
    printDiagnostics(diagnostics);
    // The run goes on where it was; only the lasting part goes back.
    saved.retryFromBoss = state_.retryFromBoss;
    saved.currentStage = state_.currentStage;
    saved.currentPart = state_.currentPart;
    saved.previousPart = state_.previousPart;
    saved.hp = state_.hp;
    saved.isNewGame = state_.isNewGame;
    saved.difficulty = state_.difficulty;
    saved.stageStartTotalScore = state_.stageStartTotalScore;
    saved.stageRetry = state_.stageRetry;
    state_ = std::move(saved);
}

bool DataManager::loadProgress() {
    engine::FileUtils* files = engine::FileUtils::getInstance();
    std::string folder = files->getWritablePath() + kSaveFolder;
    if (!files->isDirectoryExist(folder)) files->createDirectory(folder);
    std::string path = getSaveFilePath();
    // A write cut short by a kill leaves its temporary file beside the save; the save itself is whole.
    files->removeLeftoverTemporaries(path);
    if (!files->isFileExist(path)) return true;

    SaveFileCodec::Checks checks;
    checks.weaponExists = [this](int id) { return masters_.hasWeapon(id); };
    checks.wearExists = [this](int id) { return masters_.hasWear(id); };
    std::string language;
    Diagnostics diagnostics;
    SaveFileCodec::read(files->getStringFromFile(path), state_, checks, language, path, &diagnostics);
    printDiagnostics(diagnostics);
    if (!language.empty()) {
        if (StringsManager* strings = StringsManager::getInstance()) strings->setLanguage(language);
    }
    return false;
}

bool DataManager::saveProgress() {
    engine::FileUtils* files = engine::FileUtils::getInstance();
    std::string folder = files->getWritablePath() + kSaveFolder;
    if (!files->isDirectoryExist(folder) && !files->createDirectory(folder)) {
        std::fprintf(stderr, "quorin: cannot create the save folder %s\n", folder.c_str());
        reportSaveFailure("cannot create the save folder " + folder);
        return false;
    }
    std::string path = getSaveFilePath();
    if (!files->writeStringToFile(SaveFileCodec::write(state_, currentLanguage()), path)) {
        std::fprintf(stderr, "quorin: cannot write the save file %s; the previous one is kept\n",
                     path.c_str());
        reportSaveFailure("cannot write the save file " + path);
        return false;
    }
    saveFailureShown_ = false;
    return true;
}

void DataManager::reportSaveFailure(const std::string& reason) {
    // Once until a save works again: a full disk must not bring up a box at every checkpoint.
    if (saveFailureShown_) return;
    saveFailureShown_ = true;
    engine::MessageBox::show("The game could not be saved (" + reason +
                                 "). The previous save is kept and play goes on; the game tries again "
                                 "at the next save.",
                             SAVE_ERROR_TITLE);
}

std::string DataManager::currentLanguage() const {
    StringsManager* strings = StringsManager::getInstance();
    return strings ? strings->getLanguage() : std::string();
}

// --- progress ---

bool DataManager::getTutorialFlag(int index) const {
    if (index < 0 || index >= ProgressState::kTutorialFlagCount) return false;
    return state_.tutorialFlags[static_cast<std::size_t>(index)];
}

void DataManager::setTutorialFlag(int index, bool shown) {
    if (index < 0 || index >= ProgressState::kTutorialFlagCount) return;
    state_.tutorialFlags[static_cast<std::size_t>(index)] = shown;
}

void DataManager::setScore(int score) {
    state_.score = std::max(score, 0);
}

void DataManager::setTotalScore(int totalScore) {
    state_.totalScore = std::max(totalScore, 0);
}

void DataManager::addScore(int points) {
    setScore(saturatingAdd(state_.score, points));
    setTotalScore(saturatingAdd(state_.totalScore, points));
}

void DataManager::setSp(int sp) {
    state_.sp = std::clamp(sp, 0, kSpMax);
}

void DataManager::setLp(int lp) {
    state_.lp = std::clamp(lp, 0, kLpMax);
}

bool DataManager::isSituationUnlocked(int dramaNo) const {
    auto found = state_.situations.find(dramaNo);
    return found != state_.situations.end() && found->second;
}

int DataManager::getUserVar(const std::string& name) const {
    auto found = state_.userVars.find(name);
    return found == state_.userVars.end() ? 0 : found->second;
}

bool DataManager::setUserVar(const std::string& name, int value) {
    if (!ProgressState::isValidUserVarName(name)) return false;
    state_.userVars[name] = value;
    return true;
}

bool DataManager::markRead(const std::string& name) {
    if (!ProgressState::isValidScriptName(name)) return false;
    state_.readScripts.insert(name);
    return true;
}

nlohmann::json DataManager::getProgressJson() const {
    return ProgressJson::toJson(state_, currentLanguage());
}

}  // namespace vastomer
