#include "game/scenario/QuorinScenarioEngine.h"

#include <cstdio>

#include "engine/base/RefPtr.h"
#include "engine/platform/FileUtils.h"
#include "game/app/SceneManager.h"
#include "game/audio/NAudioManager.h"
#include "game/character/ActionMap.h"
#include "game/character/CharacterSprite.h"
#include "game/data/DataManager.h"
#include "game/data/DataSource.h"
#include "game/data/Diagnostics.h"
#include "game/data/MasterText.h"
#include "game/input/KeyInputManager.h"
#include "game/scenario/CompositeAnimation.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/QuorinScenarioController.h"
#include "game/scenario/ScenarioStageCommands.h"
#include "game/scenario/ScenarioTalkCommands.h"

namespace vastomer {

namespace {

// The key words of WAIT;KEY and the actions they wait for.
int waitKeyCode(const std::string& word) {
    static const std::map<std::string, KeyActionType> codes = {
        {"ALL", KeyActionType::ANY},         {"UP", KeyActionType::UP},
        {"DOWN", KeyActionType::DOWN},       {"LEFT", KeyActionType::LEFT},
        {"RIGHT", KeyActionType::RIGHT},     {"OK", KeyActionType::OK},
        {"CANCEL", KeyActionType::CANCEL},   {"BUTTON3", KeyActionType::BUTTON3},
        {"BUTTON4", KeyActionType::BUTTON4}, {"PAUSE", KeyActionType::PAUSE},
    };
    auto found = codes.find(word);
    return found == codes.end() ? 0 : static_cast<int>(found->second);
}

std::string describeSeconds(float seconds) {
    char text[32];
    std::snprintf(text, sizeof text, "%g", static_cast<double>(seconds));
    return text;
}

}  // namespace

QuorinScenarioEngine* QuorinScenarioEngine::create() {
    auto* engine = new QuorinScenarioEngine();
    if (!engine->init()) {
        delete engine;
        return nullptr;
    }
    engine->autorelease();
    return engine;
}

ActionMap* QuorinScenarioEngine::getActionMap() const {
    return actionMap_.get();
}

void QuorinScenarioEngine::setActionMap(ActionMap* map) {
    actionMap_ = map;
}

MessageWindow* QuorinScenarioEngine::getMessageWindow() const {
    return messageWindow_.get();
}

void QuorinScenarioEngine::setMessageWindow(MessageWindow* window) {
    messageWindow_ = window;
}

QuorinScenarioController* QuorinScenarioEngine::getController() const {
    return controller_.get();
}

void QuorinScenarioEngine::setController(QuorinScenarioController* controller) {
    controller_ = controller;
}

CharacterSprite* QuorinScenarioEngine::getWaitCharacter() const {
    return waitCharacter_.get();
}

// ---------------------------------------------------------------- loading and running

bool QuorinScenarioEngine::loadScript(bool append, const std::string& fileName) {
    if (!append) {
        script_.clear();
        clearStageObjects();
    }
    Diagnostics diagnostics;
    bool loaded = script_.load(fileName, append, DataSource::searchPaths(), &diagnostics);
    reportDiagnostics(diagnostics);
    return loaded;
}

void QuorinScenarioEngine::start(FinishedCallback onFinished) {
    commandIndex_ = 0;
    onFinished_ = std::move(onFinished);
    running_ = true;
    // A fresh start: whatever an earlier run still waited for can no longer end anything.
    ++blockTicket_;
    advance_.cancel();
    waiting_ = false;
    messageWait_ = false;
    timedWait_ = false;
    waitKey_ = 0;
    waitSeconds_ = 0.0f;
    waitCharacter_ = nullptr;
    waitingForCharacter_ = false;
    waitWhat_.clear();
    scheduleUpdate();
}

void QuorinScenarioEngine::update(float dt) {
    if (!running_) return;
    engine::RefPtr<QuorinScenarioEngine> keepAlive(this);
    if (!waiting_) {
        int ran = 0;
        while (running_) {
            if (ran++ == COMMANDS_PER_FRAME) {
                if (!overrunReported_)
                    std::fprintf(stderr,
                                 "quorin: %s: more than %d commands in one frame without a wait; the "
                                 "rest runs in the next frames\n",
                                 script_.getScriptName().c_str(), COMMANDS_PER_FRAME);
                overrunReported_ = true;
                return;
            }
            if (commandIndex_ < script_.size()) {
                ScenarioCommand command = script_.at(commandIndex_);
                ++commandIndex_;
                executeCommand(std::move(command));
            } else {
                finish();
            }
            if (waiting_) return;
        }
        return;
    }
    checkWaits(dt);
}

void QuorinScenarioEngine::checkWaits(float dt) {
    KeyInputManager* input = KeyInputManager::getInstance();
    if (timedWait_ && waitSeconds_ > 0.0f) {
        elapsed_ += dt;
        if (elapsed_ >= waitSeconds_) {
            timedWait_ = false;
            waitSeconds_ = 0.0f;
            endWait();
        }
    } else if (timedWait_) {
        if (waitKey_ != 0 && input && input->isActionOn(static_cast<KeyActionType>(waitKey_))) {
            NAudioManager::getInstance()->playSe(CURSOR_SOUND, 1.0f);
            timedWait_ = false;
            waitKey_ = 0;
            input->clearActions();
            endWait();
        }
    } else if (messageWait_) {
        // Typing, the OK that shows the rest, and the OK that turns the page; the message's end
        // releases the block.
        advance_.update();
    } else if (waitingForCharacter_) {
        CharacterSprite* character = waitCharacter_.get();
        ++waitCharacterFrames_;
        if (!character || !character->getParent() || character->hasLanded() ||
            waitCharacterFrames_ >= LANDING_LIMIT_FRAMES) {
            if (character && !character->hasLanded() && character->getParent())
                std::fprintf(
                    stderr, "quorin: %s: character %s has not landed after %d frames; the scene goes on\n",
                    script_.getScriptName().c_str(), character->getSpawnKind().c_str(), LANDING_LIMIT_FRAMES);
            waitCharacter_ = nullptr;
            waitingForCharacter_ = false;
            endWait();
        }
    }
}

void QuorinScenarioEngine::finish() {
    running_ = false;
    if (ActionMap* map = actionMap_.get())
        for (CharacterSprite* character : map->getCharacters())
            if (CompositeAnimation* animation = character->getAnimation()) animation->setLocked(false);
    notify(ScenarioEvent::Kind::FINISHED, nullptr, "");
    FinishedCallback finished = onFinished_;
    if (finished) finished(this);
}

QuorinScenarioEngine::Release QuorinScenarioEngine::block(const std::string& what) {
    unsigned ticket = ++blockTicket_;
    waiting_ = true;
    waitWhat_ = what;
    notify(ScenarioEvent::Kind::WAIT, nullptr, what);
    engine::WeakRef<QuorinScenarioEngine> self(this);
    return [self, ticket]() {
        if (QuorinScenarioEngine* engine = self.get()) engine->releaseBlock(ticket);
    };
}

void QuorinScenarioEngine::releaseBlock(unsigned ticket) {
    if (ticket != blockTicket_ || !waiting_) return;
    messageWait_ = false;
    endWait();
}

void QuorinScenarioEngine::endWait() {
    if (!waiting_) return;
    waiting_ = false;
    std::string what = std::move(waitWhat_);
    waitWhat_.clear();
    notify(ScenarioEvent::Kind::RELEASE, nullptr, what);
}

std::string QuorinScenarioEngine::getWaitDescription() const {
    if (!waiting_) return "";
    if (messageWait_) return "message (" + advance_.describe() + ")";
    return waitWhat_;
}

void QuorinScenarioEngine::notify(ScenarioEvent::Kind kind, const ScenarioCommand* command,
                                  const std::string& what) {
    if (!observer_) return;
    ScenarioEvent event;
    event.kind = kind;
    event.command = command;
    event.what = what;
    observer_(event);
}

void QuorinScenarioEngine::problem(const ScenarioCommand& command, const std::string& message) {
    std::fprintf(stderr, "quorin: %s:%d: %s: %s\n", command.file.c_str(), command.line, command.name.c_str(),
                 message.c_str());
    notify(ScenarioEvent::Kind::PROBLEM, &command, message);
}

void QuorinScenarioEngine::reportDiagnostics(const Diagnostics& diagnostics) {
    for (const Diagnostic& entry : diagnostics.entries()) {
        const std::string text = Diagnostics::format(entry);
        std::fprintf(stderr, "quorin: %s\n", text.c_str());
        notify(ScenarioEvent::Kind::PROBLEM, nullptr, text);
    }
}

// ---------------------------------------------------------------- commands

void QuorinScenarioEngine::executeCommand(ScenarioCommand command) {
    if (MessageWindow* window = messageWindow_.get()) window->hideNextCursor();
    notify(ScenarioEvent::Kind::COMMAND, &command, "");
    const std::string& name = command.name;
    if (name == "CAM") {
        ScenarioStageCommands::camera(*this, command);
    } else if (name == "TALK") {
        ScenarioTalkCommands::talk(*this, command);
    } else if (name == "TELOP") {
        ScenarioTalkCommands::telop(*this, command);
    } else if (name == "SOUND") {
        runSound(command);
    } else if (name == "BGM") {
        runBgm(command);
    } else if (name == "CHARA") {
        ScenarioStageCommands::character(*this, command);
    } else if (name == "ANIME") {
        ScenarioStageCommands::animation(*this, command);
    } else if (name == "CHANGEMAP") {
        ScenarioStageCommands::changeMap(*this, command);
    } else if (name == "FADE") {
        runFade(command);
    } else if (name == "SPRITE") {
        ScenarioStageCommands::sprite(*this, command);
    } else if (name == "PARTICLE") {
        ScenarioStageCommands::particle(*this, command);
    } else if (name == "WAIT") {
        runWait(command);
    } else if (name == "VAR") {
        runVar(command);
    } else if (name == "COND") {
        runCond(command);
    } else if (name == "ENDING") {
        runEnding(command);
    }
    // FUNC does nothing; a keyword the loader did not know never gets here.
}

void QuorinScenarioEngine::runSound(const ScenarioCommand& command) {
    NAudioManager* audio = NAudioManager::getInstance();
    if (command.textAt(0) == "STOP") {
        audio->stopAllSe();
        return;
    }
    if (engine::FileUtils::getInstance()->fullPathForFilename(command.textAt(0)).empty()) {
        problem(command, "sound '" + command.textAt(0) + "' not found");
        return;
    }
    audio->playSe(command.textAt(0), command.floatAt(1));
}

void QuorinScenarioEngine::runBgm(const ScenarioCommand& command) {
    NAudioManager* audio = NAudioManager::getInstance();
    if (command.textAt(0) == "STOP") {
        audio->stopBgm();
        return;
    }
    if (engine::FileUtils::getInstance()->fullPathForFilename(command.textAt(0)).empty()) {
        problem(command, "music '" + command.textAt(0) + "' not found");
        return;
    }
    audio->playBgm(command.textAt(0), command.floatAt(1));
}

void QuorinScenarioEngine::runFade(const ScenarioCommand& command) {
    const std::string& direction = command.textAt(0);
    if (direction != "IN" && direction != "OUT") {
        problem(command, "unknown direction '" + direction + "' (IN or OUT)");
        return;
    }
    Release done = block("fade " + direction);
    if (QuorinScenarioController* controller = controller_.get()) {
        controller->fade(command.floatAt(1), direction == "IN" ? 0 : 255, done);
    } else {
        done();
    }
}

void QuorinScenarioEngine::runWait(const ScenarioCommand& command) {
    if (command.textAt(0) == "KEY") {
        const int code = waitKeyCode(command.textAt(1));
        if (code == 0) {
            // No key could ever end it: a wait that hangs the scene is no reading of the author's intent.
            problem(command, "unknown key word '" + command.textAt(1) + "'; not waiting");
            return;
        }
        block("key " + command.textAt(1));
        timedWait_ = true;
        elapsed_ = 0.0f;
        waitSeconds_ = 0.0f;
        waitKey_ = code;
        return;
    }
    const float seconds = command.floatAt(0);
    if (!(seconds > 0.0f)) {
        problem(command, "a wait of " + describeSeconds(seconds) + " seconds ends at once");
        return;
    }
    block("seconds " + describeSeconds(seconds));
    timedWait_ = true;
    elapsed_ = 0.0f;
    waitSeconds_ = seconds;
}

void QuorinScenarioEngine::runVar(const ScenarioCommand& command) {
    DataManager* data = DataManager::getInstance();
    const std::string& name = command.textAt(0);
    if (!data) return;
    if (command.textAt(1) == "R") {
        data->eraseUserVar(name);
        return;
    }
    const int number = command.intAt(1);
    const std::string& operation = command.textAt(2);
    int value = number;
    if (operation == "+") {
        value = data->getUserVar(name) + number;
    } else if (operation == "-") {
        value = data->getUserVar(name) - number;
    }
    if (!data->setUserVar(name, value))
        problem(command, "variable name '" + name + "' cannot be kept in the save file");
}

void QuorinScenarioEngine::runCond(const ScenarioCommand& command) {
    DataManager* data = DataManager::getInstance();
    if (!data) return;
    const std::string& variable = command.textAt(0);
    const std::string& comparison = command.textAt(1);
    const int number = command.intAt(2);
    int left = 0;
    if (variable == "HP") {
        left = data->getHp();
    } else if (variable == "MP") {
        left = data->getSp();
    } else if (variable == "LP") {
        left = data->getLp();
    } else {
        left = data->getUserVar(variable);
    }
    bool holds = false;
    if (comparison == "==") {
        holds = left == number;
    } else if (comparison == "!=") {
        holds = left != number;
    } else if (comparison == ">") {
        holds = left > number;
    } else if (comparison == ">=") {
        holds = left >= number;
    } else if (comparison == "<") {
        holds = left < number;
    } else if (comparison == "<=") {
        holds = left <= number;
    } else {
        problem(command, "unknown comparison '" + comparison + "' counts as false");
    }
    if (!holds) return;
    // The appended script's name becomes the engine's, but the host keeps the name it started.
    if (!loadScript(true, command.textAt(3)))
        problem(command, "script '" + command.textAt(3) + "' not found");
}

void QuorinScenarioEngine::runEnding(const ScenarioCommand& /*command*/) {
    block("ending");
    // The clear of the stage is booked and saved before the credits roll.
    if (DataManager* data = DataManager::getInstance()) data->finishStage();
    if (SceneManager* manager = SceneManager::peekInstance()) {
        manager->setKeepBgmOnChange(true);
        manager->changeScene(SceneId::END_CREDIT, TransitionKind::FadeThroughBlack, nullptr, SceneParam());
    }
}

// ---------------------------------------------------------------- tables

CharacterSprite* QuorinScenarioEngine::findCharacter(const std::string& name) const {
    ActionMap* map = actionMap_.get();
    if (!map) return nullptr;
    // The player's label is "PLAYER".
    for (CharacterSprite* character : map->getCharacters())
        if (character->getSpawnKind() == name || character->getRecordName() == name) return character;
    return nullptr;
}

CompositeAnimation* QuorinScenarioEngine::getAnimation(const std::string& id) const {
    auto found = animations_.find(id);
    return found == animations_.end() ? nullptr : found->second.get();
}

engine::Sprite* QuorinScenarioEngine::getSprite(const std::string& id) const {
    auto found = sprites_.find(id);
    return found == sprites_.end() ? nullptr : found->second.get();
}

std::vector<std::string> QuorinScenarioEngine::getAnimationIds() const {
    std::vector<std::string> ids;
    for (const auto& entry : animations_)
        if (entry.second) ids.push_back(entry.first);
    return ids;
}

std::vector<std::string> QuorinScenarioEngine::getSpriteIds() const {
    std::vector<std::string> ids;
    for (const auto& entry : sprites_)
        if (entry.second) ids.push_back(entry.first);
    return ids;
}

void QuorinScenarioEngine::removeSprite(const std::string& id) {
    auto found = sprites_.find(id);
    if (found == sprites_.end()) return;
    if (engine::Sprite* sprite = found->second.get()) sprite->removeFromParent();
    sprites_.erase(found);
}

void QuorinScenarioEngine::removeAnimation(const std::string& id) {
    auto found = animations_.find(id);
    if (found == animations_.end()) return;
    if (CompositeAnimation* animation = found->second.get()) {
        animation->stop();
        animation->removeFromParent();
    }
    animations_.erase(found);
}

void QuorinScenarioEngine::clearStageObjects() {
    for (auto& entry : sprites_)
        if (engine::Sprite* sprite = entry.second.get()) sprite->removeFromParent();
    sprites_.clear();
    for (auto& entry : animations_) {
        if (CompositeAnimation* animation = entry.second.get()) {
            animation->stop();
            animation->removeFromParent();
        }
    }
    animations_.clear();
}

}  // namespace vastomer
