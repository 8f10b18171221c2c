#pragma once

#include <map>
#include <nlohmann/json.hpp>
#include <string>
#include <vector>

#include "engine/base/RefPtr.h"
#include "engine/base/SingletonSlot.h"
#include "engine/scene/Node.h"
#include "game/data/EnemyTableCache.h"
#include "game/data/MasterRecords.h"
#include "game/data/MasterTables.h"
#include "game/data/ProgressState.h"
#include "game/data/SeedCounterRandom.h"
#include "game/data/StageRecord.h"
#include "game/data/StageTables.h"

namespace vastomer {

class PlayerCharacter;

// The game's data: the master tables and the rules computed from them, the stage tables, and the
// player's progress with its save file "vastomer/r.quorin.sav" under the writable folder. A node
// singleton kept by the scene manager for the whole run. Look-ups return copies; a missing id gives
// the default record of its type. Progress operations change memory only; saveProgress writes.
class DataManager : public engine::Node {
public:
    static constexpr int kSpMax = ProgressState::kSpMax;
    static constexpr int kLpMax = ProgressState::kLpMax;
    static constexpr const char* kSaveFolder = "vastomer/";
    static constexpr const char* kSaveFileName = "r.quorin.sav";
    static constexpr const char* SAVE_ERROR_TITLE = "SAVE ERROR";

    // The one instance, made on first use (GameServices makes and destroys it in the program's order).
    static DataManager* getInstance();
    // The instance if there is one, without making it.
    static DataManager* peekInstance();
    static void destroyInstance();

    // Loads every table (characters, wear, weapons, bullets, stages, situations, shop, hints, grapple
    // events), resets the progress and reads the save file, writing a new one when there was none;
    // then makes the player character, which it keeps for the whole run.
    bool init() override;

    // --- master tables ---
    CharacterMaster getCharacterMaster(int id) const { return masters_.getCharacterMaster(id); }
    WearMaster getWearMaster(int id) const { return masters_.getWearMaster(id); }
    WeaponMaster getWeaponMaster(int id) const { return masters_.getWeaponMaster(id); }
    BulletMaster getBulletMaster(int id) const { return masters_.getBulletMaster(id); }
    ShopLineupEntry getShopLineupEntry(int index) const { return masters_.getShopLineupEntry(index); }
    int getShopLineupCount() const { return masters_.getShopLineupCount(); }
    ShopLineupEntry findShopLineupEntry(int itemId, bool isWear) const {
        return masters_.findShopLineupEntry(itemId, isWear);
    }
    // The grapple event for (character, key); "no event" (dramaNo -1) when absent or while the
    // equipped wear is "powerarmor".
    CombineEntry getCombine(int characterId, int key) const;
    std::vector<CombineEntry> getCombinesOf(int characterId) const {
        return masters_.getCombinesOf(characterId);
    }
    std::vector<CombineEntry> getAllCombines() const { return masters_.getAllCombines(); }
    SituationEntry getSituation(int index) const { return masters_.getSituation(index); }
    int getSituationCount() const { return masters_.getSituationCount(); }
    const MasterTables& getMasterTables() const { return masters_; }

    // --- the creatures' AI and action tables (read on first use, kept for the run) ---
    // The table of that number; one with id -1 and no rows when its file is missing. The reference
    // stays valid while the data manager lives.
    const AiTable& getAiTable(int id) { return enemyTables_.getAiTable(id); }
    const ActionTable& getActionTable(int id) { return enemyTables_.getActionTable(id); }
    const EnemyTableCache& getEnemyTables() const { return enemyTables_; }

    // --- rules ---
    int adjustDamageTaken(int damage) const;
    int adjustDamageDealt(int damage) const;
    int spGainFor(int attack) const;
    int lpGain() const;
    int lpTier() const;
    // Rank letter keys of a weapon's power and interval; "" for a missing weapon.
    std::string weaponPowerRankKey(int weaponId) const;
    std::string weaponIntervalRankKey(int weaponId) const;
    // A hint the player may see now, or one with every field -1.
    HintEntry pickHint();
    // The shared random source: 0 to n − 1 (0 for n below 1).
    int randomBelow(int n) { return random_.below(n); }

    // --- stages ---
    void loadStages();
    StageRecord getStageRecord(int stage) const { return stages_.getStageRecord(stage); }
    std::vector<int> getStageNumbers() const { return stages_.getStageNumbers(); }
    // Progress has reached the stage's requirement; false for a stage without a record.
    bool isStageOpen(int stage) const;
    // Books the clear of the current stage: its own gain as the best score, progress, save. Returns the
    // stage that may be played next, or -1.
    int finishStage();
    // Notes the total score as the stage starts (not on a retry), so that the result can tell the
    // points this stage earned from points spent elsewhere.
    void markStageStart() { state_.stageStartTotalScore = state_.totalScore; }
    int getStageStartTotalScore() const { return state_.stageStartTotalScore; }
    // Set by the game over's retry: the stage starting next goes on counting from the same start.
    bool getStageRetry() const { return state_.stageRetry; }
    void setStageRetry(bool retry) { state_.stageRetry = retry; }
    // The points earned in all since the stage started (never below 0).
    int getStageGain() const;
    int onStageClear() { return finishStage(); }

    // --- save file ---
    void resetProgress();
    // True when there was no save file (a new game).
    bool loadProgress();
    // False (and a message on stderr) when the file could not be written; the previous file stays.
    // The player is told in a message box titled SAVE_ERROR_TITLE, once until a save works again.
    bool saveProgress();
    // Puts the lasting progress back as the save file holds it, dropping what changed since the last
    // save (a stage left from the pause screen); the values of the run stay. Without a save file
    // nothing changes.
    void discardUnsavedProgress();
    std::string getSaveFilePath() const;

    // --- progress of the run ---
    bool getRetryFromBoss() const { return state_.retryFromBoss; }
    void setRetryFromBoss(bool retry) { state_.retryFromBoss = retry; }
    int getCurrentStage() const { return state_.currentStage; }
    void setCurrentStage(int stage) { state_.currentStage = stage; }
    int getCurrentPart() const { return state_.currentPart; }
    void setCurrentPart(int part) { state_.currentPart = part; }
    int getPreviousPart() const { return state_.previousPart; }
    void setPreviousPart(int part) { state_.previousPart = part; }
    int getHp() const { return state_.hp; }
    void setHp(int hp) { state_.hp = hp; }
    bool getIsNewGame() const { return state_.isNewGame; }
    void setIsNewGame(bool isNew) { state_.isNewGame = isNew; }
    int getDifficulty() const { return state_.difficulty; }
    void setDifficulty(int difficulty) { state_.difficulty = difficulty; }
    // The player character kept across screens (made by init, held for the whole run).
    PlayerCharacter* getPlayerCharacter() const { return playerCharacter_.get(); }
    void setPlayerCharacter(PlayerCharacter* player);
    // Shots fired (bullets and tentacle segments) in this run.
    int getShotCount() const { return shotCount_; }
    void addShotCount() { ++shotCount_; }

    // --- saved progress ---
    bool getTutorialFlag(int index) const;
    void setTutorialFlag(int index, bool shown);
    int getProgress() const { return state_.progress; }
    void setProgress(int progress) { state_.progress = progress; }
    int getScore() const { return state_.score; }
    void setScore(int score);
    int getTotalScore() const { return state_.totalScore; }
    void setTotalScore(int totalScore);
    // Adds points to both the score and the total (saturating).
    void addScore(int points);
    int getSp() const { return state_.sp; }
    void setSp(int sp);  // clamped to 0..kSpMax
    int getLp() const { return state_.lp; }
    void setLp(int lp);  // clamped to 0..kLpMax
    int getEquippedWeapon1() const { return state_.equippedWeapon1; }
    void setEquippedWeapon1(int id) { state_.equippedWeapon1 = id; }
    int getEquippedWeapon2() const { return state_.equippedWeapon2; }
    void setEquippedWeapon2(int id) { state_.equippedWeapon2 = id; }
    int getEquippedWear() const { return state_.equippedWear; }
    void setEquippedWear(int id) { state_.equippedWear = id; }
    bool hasWeapon(int id) const { return state_.hasWeapon(id); }
    bool addWeapon(int id) { return state_.addWeapon(id); }
    std::vector<int> getOwnedWeapons() const { return state_.ownedWeapons; }
    bool hasWear(int id) const { return state_.hasWear(id); }
    bool addWear(int id) { return state_.addWear(id); }
    std::vector<int> getOwnedWear() const { return state_.ownedWear; }
    int getStageScore(int stage) const { return state_.getStageScore(stage); }
    bool recordStageScore(int stage, int score) { return state_.recordStageScore(stage, score); }
    std::map<int, int> getStageBestScores() const { return state_.stageBestScores; }
    bool isSituationUnlocked(int dramaNo) const;
    void setSituationUnlocked(int dramaNo, bool unlocked = true) { state_.situations[dramaNo] = unlocked; }
    std::map<int, bool> getSituations() const { return state_.situations; }
    int getUserVar(const std::string& name) const;
    // False (nothing stored) for a name the save file cannot hold: empty, blanks at either end, or one
    // of , ; : @ and line breaks.
    bool setUserVar(const std::string& name, int value);
    void eraseUserVar(const std::string& name) { state_.userVars.erase(name); }
    // False (nothing stored) for an empty name or one holding , ; : @ or a line break.
    bool markRead(const std::string& name);
    bool isRead(const std::string& name) const { return state_.readScripts.count(name) > 0; }

    const ProgressState& getProgressState() const { return state_; }
    // Puts back progress taken earlier with getProgressState (the gallery's replays leave no trace).
    void restoreProgressState(const ProgressState& state) { state_ = state; }
    // The progress as JSON (see ProgressJson), with the strings manager's language.
    nlohmann::json getProgressJson() const;

protected:
    friend class engine::SingletonSlot<DataManager>;
    DataManager() = default;
    ~DataManager() override;

private:
    bool isPlayerBoosted() const;
    std::string currentLanguage() const;
    void reportSaveFailure(const std::string& reason);

    MasterTables masters_;
    EnemyTableCache enemyTables_{DataSource::searchPaths()};
    StageTables stages_;
    ProgressState state_;
    SeedCounterRandom random_;
    engine::RefPtr<PlayerCharacter> playerCharacter_;
    int shotCount_ = 0;
    bool saveFailureShown_ = false;
};

}  // namespace vastomer
