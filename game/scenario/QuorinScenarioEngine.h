#pragma once

#include <cstdint>
#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/base/WeakRef.h"
#include "engine/scene/Node.h"
#include "engine/scene/Sprite.h"
#include "game/scenario/MessageAdvance.h"
#include "game/scenario/ScenarioScript.h"

namespace vastomer {

class ActionMap;
class CharacterSprite;
class CompositeAnimation;
class Diagnostics;
class MessageWindow;
class QuorinScenarioController;

// What a scenario engine tells its observer (the content tool's dry run, tests) as a script runs.
struct ScenarioEvent {
    enum class Kind {
        COMMAND,   // `command` is about to run
        WAIT,      // the script now waits on `what`
        RELEASE,   // the wait on `what` has ended
        PROBLEM,   // `what` went wrong with `command` (or with a script file); the script goes on
        FINISHED,  // the script has run to its end
    };
    Kind kind = Kind::COMMAND;
    const ScenarioCommand* command = nullptr;
    std::string what;
};

// Runs a scenario script (".bks") on a live stage: it moves the camera target, makes, moves and
// animates characters on the stage map, drives the message window, places sprites, particles and
// animations, plays sounds, fades the screen through its controller, keeps the script's variables in
// the save data and, at the end, calls back.
//
// Each frame it runs commands until one blocks; the next frame after the block ends it goes on with
// the command after it. A block ends only by what started it (the release handed out by `block`), by
// the time or key it waits for, by the message being read, or by the character it waits for landing
// (or being gone). A release that comes late never ends a later block. A command that names a
// character, id, window or file that is not there does nothing and never blocks; the problem is
// written to stderr with the script's file and line (and told to the observer).
//
// Collaborators are given by the host and held weakly: the engine owns none of them. The sprites and
// animations the script makes are children of the stage's layers; the engine lists them by id.
class QuorinScenarioEngine : public engine::Node {
public:
    using FinishedCallback = std::function<void(QuorinScenarioEngine*)>;
    using Observer = std::function<void(const ScenarioEvent&)>;

    static constexpr const char* CURSOR_SOUND = "audio/se/cursor20.mp3";
    // A character made by the script that has not landed after this many frames is waited for no
    // longer (it is floating, or fell through the map): the scene goes on.
    static constexpr int LANDING_LIMIT_FRAMES = 300;
    // Commands that run in one frame at most: a script that keeps appending itself without ever
    // blocking goes on in the next frame instead of holding the game in this one.
    static constexpr int COMMANDS_PER_FRAME = 4096;
    // Commands a script may hold in all; a condition that would append beyond it appends nothing.
    static constexpr std::size_t MAX_COMMANDS = 65536;

    static QuorinScenarioEngine* create();

    // With `append` false: the command list is emptied and the script's sprites and animations leave
    // the screen; then the file is read. With `append` true its commands go after those loaded. False
    // when there is no such file (nothing is added).
    bool loadScript(bool append, const std::string& fileName);
    // Runs the loaded script from its first command; `onFinished` is called once at its end.
    void start(FinishedCallback onFinished);
    void update(float dt) override;
    // Runs one command. Only the interpreter calls it (tests may too).
    void executeCommand(ScenarioCommand command);

    // --- collaborators (held weakly) ---
    virtual const std::string& getScriptName() const { return script_.getScriptName(); }
    virtual void setScriptName(const std::string& name) { script_.setScriptName(name); }
    virtual ActionMap* getActionMap() const;
    virtual void setActionMap(ActionMap* map);
    virtual MessageWindow* getMessageWindow() const;
    virtual void setMessageWindow(MessageWindow* window);
    virtual engine::Node* getCameraTarget() const { return cameraTarget_.get(); }
    virtual void setCameraTarget(engine::Node* target) { cameraTarget_ = target; }
    virtual QuorinScenarioController* getController() const;
    virtual void setController(QuorinScenarioController* controller);
    virtual engine::Node* getContentsNode() const { return contentsNode_.get(); }
    virtual void setContentsNode(engine::Node* node) { contentsNode_ = node; }

    // The scene was read in an earlier play: OK held (or CANCEL) fast-forwards its messages.
    void setReadBefore(bool readBefore) { advance_.setReadBefore(readBefore); }
    bool isReadBefore() const { return advance_.isReadBefore(); }
    void setObserver(Observer observer) { observer_ = std::move(observer); }

    // --- state ---
    const std::vector<ScenarioCommand>& getCommands() const { return script_.getCommands(); }
    // The index of the next command to run.
    std::size_t getCommandIndex() const { return commandIndex_; }
    bool isRunning() const { return running_; }
    bool isWaiting() const { return waiting_; }
    bool isMessageWait() const { return messageWait_; }
    bool isTimedWait() const { return timedWait_; }
    float getElapsed() const { return elapsed_; }
    float getWaitSeconds() const { return waitSeconds_; }
    int getWaitKey() const { return waitKey_; }
    CharacterSprite* getWaitCharacter() const;
    // What the script waits on ("camera", "window", "key OK", "seconds 1.5", "character AOI" ...);
    // empty while it does not wait.
    std::string getWaitDescription() const;
    const MessageAdvance& getMessageAdvance() const { return advance_; }
    // The script's animations and sprites by id (entries whose node is gone read null).
    CompositeAnimation* getAnimation(const std::string& id) const;
    engine::Sprite* getSprite(const std::string& id) const;
    std::vector<std::string> getAnimationIds() const;
    std::vector<std::string> getSpriteIds() const;

    // The character a script names: "PLAYER" is the player; otherwise the first character on the
    // stage whose label (spawn kind) or record name is `name`. Null when none is.
    CharacterSprite* findCharacter(const std::string& name) const;

protected:
    QuorinScenarioEngine() = default;

private:
    friend class ScenarioStageCommands;
    friend class ScenarioTalkCommands;

    using Release = std::function<void()>;

    // Blocks the script on `what` and returns what ends this block: it clears the wait when it runs
    // while this block is still the one in force, and does nothing otherwise (or once the engine is
    // gone).
    Release block(const std::string& what);
    void releaseBlock(unsigned ticket);
    void endWait();
    void checkWaits(float dt);
    void finish();
    void notify(ScenarioEvent::Kind kind, const ScenarioCommand* command, const std::string& what);
    // Reports a problem of `command` on stderr (file:line) and to the observer.
    void problem(const ScenarioCommand& command, const std::string& message);
    void reportDiagnostics(const Diagnostics& diagnostics);
    void removeSprite(const std::string& id);
    void removeAnimation(const std::string& id);
    void clearStageObjects();

    void runSound(const ScenarioCommand& command);
    void runBgm(const ScenarioCommand& command);
    void runFade(const ScenarioCommand& command);
    void runWait(const ScenarioCommand& command);
    void runVar(const ScenarioCommand& command);
    void runCond(const ScenarioCommand& command);
    void runEnding(const ScenarioCommand& command);

    ScenarioScript script_;
    std::size_t commandIndex_ = 0;
    std::map<std::string, engine::WeakRef<CompositeAnimation>> animations_;
    std::map<std::string, engine::WeakRef<engine::Sprite>> sprites_;
    bool running_ = false;
    bool waiting_ = false;
    bool messageWait_ = false;
    bool timedWait_ = false;
    float elapsed_ = 0.0f;
    float waitSeconds_ = 0.0f;
    int waitKey_ = 0;
    engine::WeakRef<CharacterSprite> waitCharacter_;
    bool waitingForCharacter_ = false;
    int waitCharacterFrames_ = 0;
    std::string waitWhat_;
    bool overrunReported_ = false;
    // Counts the blocks; a release carries the number of the block it ends.
    unsigned blockTicket_ = 0;

    engine::WeakRef<ActionMap> actionMap_;
    engine::WeakRef<MessageWindow> messageWindow_;
    engine::WeakRef<engine::Node> cameraTarget_;
    engine::WeakRef<QuorinScenarioController> controller_;
    engine::WeakRef<engine::Node> contentsNode_;
    FinishedCallback onFinished_;
    Observer observer_;
    MessageAdvance advance_;
};

}  // namespace vastomer
