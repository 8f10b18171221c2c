#pragma once

#include <functional>
#include <string>

#include "engine/base/Geometry.h"
#include "engine/base/RefPtr.h"
#include "engine/base/WeakRef.h"
#include "game/app/AbstractController.h"
#include "game/data/MasterRecords.h"
#include "game/scenario/ScenarioHost.h"

namespace engine {
class EventListenerPhysicsContact;
class Node;
class PhysicsContact;
class PhysicsContactPreSolve;
class PhysicsShape;
}  // namespace engine

namespace vastomer {

class CharacterSprite;
class DramaPart;
class MessageWindow;
class PlayScene;
class PlayerCharacter;
class QuorinScenarioController;
class QuorinScenarioEngine;

// Drives the play of one stage: once a frame it reads the actions and hands them to the player, and
// it receives every physics contact of the stage and routes it by body name (part changes, scenario
// sensors, the fall-out net, grapple scenes, and everything else to the characters' own handlers).
// A part change asked for by a contact runs at the start of the next normal frame, never inside the
// physics step.
//
// Story scenes run on the stage: a scenario script (part entries, sensors, the stage end) freezes
// play until it ends, once per save; a creature that catches Quorin plays a drama part chosen by her
// Resolve, after which play resumes. One scene at a time: while a script or a drama part runs,
// nothing else starts.
//
// The boss sequence and the result are run by BossBattle, the pause, game-over and result menus by
// StageEndMenus, both on this controller's state.
class PlayController : public AbstractController, public ScenarioHost {
public:
    static constexpr int CONTACT_PRIORITY = -254;
    // A contact whose normal is this flat or flatter touches a side, not a top or a bottom.
    static constexpr float SIDE_CONTACT_NORMAL_Y = 0.3f;
    static constexpr int SPECIAL_MIN_SP = 2;   // special mode needs more than 1 SP
    static constexpr int ENTICE_MIN_LP = 451;  // entice mode needs more than 450 LP
    static constexpr int GRAPPLE_COOLDOWN = 50;

    // Where the two shapes of a contact stand after ordering: `first` is the one whose handler acts.
    struct ContactPair {
        engine::PhysicsShape* first = nullptr;
        engine::PhysicsShape* other = nullptr;
        engine::Vec2 normal;  // from first towards other
    };

    static PlayController* create();
    // The play screen's controller while the play screen is the current screen, else null.
    static PlayController* current();

    bool init() override;
    ~PlayController() override;
    void setScene(NLayer* scene) override;
    void start() override;
    void stop() override;
    void update(float dt) override;

    // --- contacts ---
    // Orders a pair so that the player, then a creature, then a bullet comes first, and flips the
    // normal to match. Begins and separations use the same order.
    static ContactPair orderPair(engine::PhysicsShape* a, engine::PhysicsShape* b,
                                 const engine::Vec2& normal);
    static bool shouldSwap(const std::string& nameA, const std::string& nameB);
    // A character that the names did not put first (one a scene made, with a label of its own) comes
    // first against what it touches, so that it lands like any other.
    static ContactPair characterFirst(const ContactPair& pair);
    bool onContactBegin(engine::PhysicsContact& contact);
    // Separations go to the characters the same way, so that leaving a ledge starts a fall; so does
    // every step of a contact that goes on touching (a side contact that slides onto a top lands).
    void onContactSeparate(engine::PhysicsContact& contact);
    // Also takes the friction out of a contact between two characters.
    void onContactPresolve(engine::PhysicsContact& contact, engine::PhysicsContactPreSolve& solve);

    // A part change for the next normal frame. A part below 0 means the part being played (the net
    // under a pit before any "move" sensor was crossed puts the player back at this part's start).
    void requestMapChange(int stage, int part, int marker);

    // --- story hand-offs ---
    // "scenario/oim_0002_0003_0001.bks" from ("scenario/oim_", stage 2, part 3, 1); the prefix alone
    // when wholeName.
    static std::string scenarioFileName(const std::string& prefix, int stage, int part, int number,
                                        bool wholeName);
    // Plays a scenario script once per save: play freezes (the HUD hides) until it ends, then its
    // name joins the read set and `onEnd` runs. False, and play goes on, when the file does not
    // exist, was read already, or a script or drama part is running.
    bool startScenario(const std::string& prefix, int number, std::function<void()> onEnd, bool wholeName);
    // "drama/dramaPart_012_02.bds": the drama number and the LP tier (_01 to 100, _02 to 450, _03 above).
    static std::string dramaFileName(int dramaNo, int lp);
    // Starts the drama part of a grapple event (the creature's record for `kind`, at the tier of the
    // present LP) and holds the stage until it ends. False, and nothing changes (an ordinary contact
    // follows), when one runs already, a scenario script runs, the event has no drama part, or its
    // file is missing or cannot be read.
    bool startDramaPart(CharacterSprite* enemy, bool entice, int kind);
    // What the last request to start a drama part asked for (started or not), and how many came.
    struct DramaRequest {
        int count = 0;
        int enemyId = -1;
        int kind = 0;
        bool entice = false;
    };
    const DramaRequest& getLastDramaRequest() const { return lastDramaRequest_; }
    // After a drama part: the rewards, and play resumes.
    void endDramaPart();

    // --- stage-end hand-offs ---
    // Freezes the stage under the pause screen (continue, or back to the hub).
    virtual void openPause();
    // Freezes the stage under the game-over screen (try again, or back to the hub).
    virtual void showGameOver();
    // The result panel over the stage after a boss has fallen.
    virtual void showResult();
    // The boss introduction when the part has a boss (the first boss on the map); false when none.
    virtual bool startBossIfAny();
    // The defeat sequence, from the frame the boss is found defeated.
    virtual void onBossDefeated();

    // --- state ---
    PlayScene* getPlayScene() const;
    PlayerCharacter* getPlayer() const;
    CharacterSprite* getBoss() const;
    CharacterSprite* getContactEnemy() const;
    void setContactEnemy(CharacterSprite* enemy);
    CharacterSprite* getDramaEnemy() const;
    bool isGameOverShown() const { return gameOverShown_; }
    bool isResultShown() const { return resultShown_; }
    bool isPauseShown() const { return pauseShown_; }
    bool isBossBattle() const { return bossBattle_; }
    bool isBossDefeatHandled() const { return bossDefeatHandled_; }
    bool isMapChangePending() const { return mapChangePending_; }
    int getPendingStage() const { return pendingStage_; }
    int getPendingPart() const { return pendingPart_; }
    int getPendingMarker() const { return pendingMarker_; }
    bool isModeSwitchLatch() const { return modeSwitchLatch_; }
    bool isInDrama() const { return inDrama_; }
    // The stage-end scene asked for after the boss fell ("" before), and whether it started.
    const std::string& getStageEndScript() const { return stageEndScript_; }
    bool isStageEndScriptStarted() const { return stageEndScriptStarted_; }
    bool isDramaEntice() const { return dramaEntice_; }
    engine::EventListenerPhysicsContact* getContactListener() const { return contactListener_.get(); }
    MessageWindow* getMessageWindow() const;
    QuorinScenarioController* getScenarioController() const;

    // --- the story scenes (ScenarioHost) ---
    QuorinScenarioEngine* getScenarioEngine() const override;
    MessageWindow* getStoryMessageWindow() const override { return getMessageWindow(); }
    DramaPart* getDramaPart() const override;

protected:
    PlayController() = default;

    // Runs while the stage-end screens are up.
    virtual void runResultInput();
    virtual void runPauseInput();
    virtual void runGameOverInput();
    // Runs a scenario script on the stage (the checks of startScenario passed); false when it cannot
    // be loaded.
    virtual bool runScenarioScript(const std::string& file, std::function<void()> onEnd);

private:
    friend class BossBattle;
    friend class StageEndMenus;

    void normalFrame();
    void watchBoss();
    void drainSpecialPoints();
    void readInput(PlayerCharacter* player);
    void syncEndOfFrame(PlayerCharacter* player);
    void playerContact(const ContactPair& pair);
    void grappleCheck(const ContactPair& pair);
    void endScenario(const std::string& file, const std::function<void()>& onEnd);
    void dramaEnded(DramaPart* part, const CombineEntry& entry);
    void settlePlayer();

    engine::WeakRef<PlayScene> scene_;
    engine::RefPtr<engine::EventListenerPhysicsContact> contactListener_;
    engine::WeakRef<PlayerCharacter> player_;
    engine::WeakRef<CharacterSprite> boss_;
    bool bossKnown_ = false;
    bool gameOverShown_ = false;
    bool resultShown_ = false;
    bool pauseShown_ = false;
    bool bossBattle_ = false;
    bool bossDefeatHandled_ = false;
    bool mapChangePending_ = false;
    int pendingStage_ = -1;
    int pendingPart_ = -1;
    int pendingMarker_ = -1;
    bool modeSwitchLatch_ = false;
    engine::WeakRef<CharacterSprite> contactEnemy_;
    engine::WeakRef<CharacterSprite> dramaEnemy_;
    bool dramaEntice_ = false;
    bool inDrama_ = false;
    DramaRequest lastDramaRequest_;
    engine::WeakRef<MessageWindow> messageWindow_;
    engine::WeakRef<QuorinScenarioEngine> scenarioEngine_;
    engine::WeakRef<QuorinScenarioController> scenarioController_;
    engine::WeakRef<DramaPart> dramaPart_;
    std::string stageEndScript_;
    bool stageEndScriptStarted_ = false;
};

}  // namespace vastomer
