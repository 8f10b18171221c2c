#include "tools/content/ScenarioDryRun.h"

#include <stdlib.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <regex>
#include <set>

#include "engine/audio/AudioEngine.h"
#include "engine/events/EventDispatcher.h"
#include "engine/events/EventKeyboard.h"
#include "engine/platform/FileUtils.h"
#include "engine/platform/HeadlessView.h"
#include "engine/platform/MessageBox.h"
#include "engine/platform/UserDefault.h"
#include "engine/scene/Director.h"
#include "game/app/GameServices.h"
#include "game/app/SceneManager.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/input/KeyInputManager.h"
#include "game/play/PlayController.h"
#include "game/play/PlayScene.h"
#include "game/scenario/DramaPart.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/QuorinScenarioEngine.h"
#include "game/scenario/ScenarioHost.h"
#include "game/scenario/ScenarioScriptParser.h"

using namespace vastomer;

namespace content {

namespace {

namespace fs = std::filesystem;

constexpr int START_LIMIT_FRAMES = 900;  // a script that has not started by then never will
constexpr int KEY_PERIOD = 6;            // OK goes down every six frames and up three frames later

// Where a script plays.
struct Stage {
    enum Kind { PLAY, DEMO, DRAMA } kind = DEMO;
    int stage = 0;
    int part = 0;        // 0: the stage's boss part
    bool entry = false;  // the part's entry: it starts as the part is entered
};

Stage stageOf(const std::string& script) {
    const std::string base = script.substr(script.rfind('/') + 1);
    std::smatch match;
    Stage stage;
    if (std::regex_match(base, match, std::regex(R"(dramaPart_.*\.bds)"))) {
        stage.kind = Stage::DRAMA;
    } else if (std::regex_match(base, match, std::regex(R"((wop|oim)_(\d{4})_(\d{4})_\d{4}\.bks)"))) {
        stage.kind = Stage::PLAY;
        stage.stage = std::stoi(match[2]);
        stage.part = std::stoi(match[3]);
        stage.entry = match[1] == "wop";
    } else if (std::regex_match(base, match, std::regex(R"((sed|sub)_(\d{4})[._].*)"))) {
        stage.kind = Stage::PLAY;
        stage.stage = std::stoi(match[2]);
    }
    return stage;
}

std::string describe(const Stage& stage) {
    if (stage.kind == Stage::DRAMA) return "in a message window";
    if (stage.kind == Stage::DEMO) return "on the demo screen";
    return "on stage " + std::to_string(stage.stage) +
           (stage.part ? ", part " + std::to_string(stage.part) : std::string(", its boss part"));
}

std::string describe(const ScenarioDryRun::Choice& choice) {
    if (choice.empty()) return "";
    std::string text = " [";
    for (const auto& [name, value] : choice)
        text += (text.size() > 2 ? ", " : "") + name + "=" + std::to_string(value);
    return text + "]";
}

// The commands of a script and of every script its conditions may append.
std::vector<ScenarioCommand> commandsWithAppended(const std::string& script) {
    std::vector<ScenarioCommand> all;
    std::vector<std::string> queue = {script};
    std::set<std::string> seen;
    engine::FileUtils* files = engine::FileUtils::getInstance();
    while (!queue.empty()) {
        const std::string name = queue.back();
        queue.pop_back();
        if (!seen.insert(name).second) continue;
        const std::string path = files->fullPathForFilename(name);
        if (path.empty()) continue;
        for (ScenarioCommand& command :
             ScenarioScriptParser::parse(files->getStringFromFile(path), name, path, nullptr)) {
            if (command.name == "COND") queue.push_back(command.textAt(3));
            all.push_back(std::move(command));
        }
    }
    return all;
}

int defaultValue(const std::string& variable) {
    return variable == "HP" ? 100 : 0;
}

bool holds(int left, const std::string& comparison, int number) {
    if (comparison == "==") return left == number;
    if (comparison == "!=") return left != number;
    if (comparison == ">") return left > number;
    if (comparison == ">=") return left >= number;
    if (comparison == "<") return left < number;
    if (comparison == "<=") return left <= number;
    return false;
}

// One line of a run's trace.
struct TraceLine {
    uint64_t frame = 0;
    std::string text;
};

// The game, headless, for one run: a fresh save in a scratch folder, silent sound, frames not drawn.
class DryRunGame {
public:
    DryRunGame() {
        char pattern[] = "/tmp/quorin-dryrun-XXXXXX";
        if (char* made = mkdtemp(pattern)) folder_ = made;
        engine::FileUtils::getInstance()->setWritablePath(folder_ + "/");
        engine::UserDefault::getInstance()->reload();
        engine::AudioEngine::useNullBackend();
        engine::MessageBox::setHeadless(true);
        engine::Director* director = engine::Director::getInstance();
        director->setOpenGLView(engine::HeadlessView::create());
        director->setFrameDrawFilter([](uint64_t) { return false; });
        ready_ = GameServices::create();
    }
    ~DryRunGame() {
        GameServices::destroy();
        engine::Director::destroyInstance();
        std::error_code ignored;
        if (!folder_.empty()) fs::remove_all(folder_, ignored);
    }
    bool isReady() const { return ready_; }

private:
    std::string folder_;
    bool ready_ = false;
};

void sendKey(int keyCode, bool down) {
    if (keyCode == 0) return;
    engine::EventKeyboard event(static_cast<engine::KeyCode>(keyCode), down);
    engine::Director::getInstance()->getEventDispatcher()->dispatchEvent(&event);
}

// The outcome of one run.
struct RunOutcome {
    bool started = false;
    bool finished = false;
    bool ending = false;
    int frames = 0;
    int commands = 0;
    std::map<std::string, int> waits;  // by what was waited on
    std::string lastWait;
    std::string lastCommand;
    std::vector<TraceLine> trace;
    std::set<std::pair<std::string, int>> reached;
};

class Runner {
public:
    Runner(const std::string& script, const Stage& stage, const ScenarioDryRun::Choice& choice,
           int frameLimit)
        : script_(script), stage_(stage), choice_(choice), frameLimit_(frameLimit) {}

    RunOutcome run(const std::vector<std::string>& allScripts) {
        DryRunGame game;
        if (!game.isReady()) {
            outcome_.trace.push_back({0, "the game could not start"});
            return outcome_;
        }
        DataManager* data = DataManager::getInstance();
        for (const auto& [name, value] : choice_) {
            if (name == "HP") {
                data->setHp(value);
            } else if (name == "MP") {
                data->setSp(value);
            } else if (name == "LP") {
                data->setLp(value);
            } else {
                data->setUserVar(name, value);
            }
        }
        // Only this script plays: every other counts as read.
        for (const std::string& other : allScripts)
            if (other != script_) data->markRead(other);
        SceneManager* manager = SceneManager::getInstance();
        if (stage_.kind == Stage::PLAY) {
            data->setCurrentStage(stage_.stage);
            const StageRecord record = data->getStageRecord(stage_.stage);
            if (record.stageNumber == -1) {
                outcome_.trace.push_back({0, "there is no stage " + std::to_string(stage_.stage)});
                return outcome_;
            }
            manager->setFirstScene(SceneId::PLAY,
                                   SceneParam{stage_.part ? stage_.part : record.bossPart, 0, ""});
        } else if (stage_.kind == Stage::DEMO) {
            manager->setFirstScene(SceneId::DEMO, SceneParam{0, 0, script_});
        } else {
            // A screen of its own with nothing on it: the part plays over it.
            manager->setFirstScene(static_cast<SceneId>(0));
        }
        engine::Director::getInstance()->runWithScene(manager);
        if (auto* host = dynamic_cast<ScenarioHost*>(manager->getCurrentController()))
            host->setEngineHook([this](QuorinScenarioEngine* engine) { watch(engine); });
        loop();
        return outcome_;
    }

private:
    uint64_t frame() const { return engine::Director::getInstance()->getTotalFrames(); }
    void note(const std::string& text) { outcome_.trace.push_back({frame(), text}); }

    void watch(QuorinScenarioEngine* engine) {
        if (engine->getScriptName() != script_) return;
        outcome_.started = true;
        engine_ = engine;
        engine->setObserver([this](const ScenarioEvent& event) { observe(event); });
    }

    void observe(const ScenarioEvent& event) {
        switch (event.kind) {
            case ScenarioEvent::Kind::COMMAND: {
                const ScenarioCommand& c = *event.command;
                std::string text = c.file + ":" + std::to_string(c.line) + "  " + c.name;
                for (const ScenarioValue& value : c.args)
                    text += ";" + (value.hasInt     ? std::to_string(value.intValue)
                                   : value.hasFloat ? std::to_string(value.floatValue)
                                                    : value.text);
                ++outcome_.commands;
                outcome_.lastCommand = c.file + ":" + std::to_string(c.line) + " " + c.name;
                outcome_.reached.insert({c.file, c.line});
                note(text);
                break;
            }
            case ScenarioEvent::Kind::WAIT:
                ++outcome_.waits[event.what.substr(0, event.what.find(' '))];
                outcome_.lastWait = event.what;
                waitStart_ = frame();
                note("  waits on " + event.what);
                if (event.what == "ending") outcome_.ending = true;
                break;
            case ScenarioEvent::Kind::RELEASE:
                note("  " + event.what + " over after " + std::to_string(frame() - waitStart_ + 1) +
                     " frames");
                break;
            case ScenarioEvent::Kind::PROBLEM:
                note("  problem: " +
                     (event.command ? event.command->file + ":" + std::to_string(event.command->line) + ": "
                                    : std::string()) +
                     event.what);
                break;
            case ScenarioEvent::Kind::FINISHED:
                outcome_.finished = true;
                note("finished");
                break;
        }
    }

    // Starts a script that no part entry starts, once the part is played.
    void startOnStage() {
        PlayController* play = PlayController::current();
        PlayScene* scene = play ? play->getPlayScene() : nullptr;
        if (!scene || !play->isActive() || !scene->isLandedOnce()) return;
        asked_ = true;
        if (!play->startScenario(script_, 0, nullptr, true)) note("the play screen refused to start it");
    }

    void startDrama() {
        asked_ = true;
        SceneManager* manager = SceneManager::getInstance();
        MessageWindow* window = MessageWindow::create();
        DramaPart* part = DramaPart::create();
        drama_ = part;
        manager->addChild(window, 900);
        part->setMessageWindow(window);
        part->setPosition(480, 270);
        manager->addChild(part, 899);
        if (!part->load(script_)) {
            note("not found");
            return;
        }
        outcome_.started = true;
        note("records: " + std::to_string(part->getRecords().size()));
        part->start([this](DramaPart*) {
            outcome_.finished = true;
            note("finished");
        });
    }

    // A drama part tells no observer: its records and waits are read off it frame by frame.
    void followDrama(DramaPart* part) {
        const bool advanced = dramaIndex_ < part->getIndex();
        while (dramaIndex_ < part->getIndex()) {
            const DramaPartData& record = part->getRecords()[dramaIndex_++];
            static const char* const TYPES[] = {"(nothing)", "ANIME",       "ANIME,REMOVE",
                                                "MESSAGE",   "MESSAGE,END", "WAIT"};
            ++outcome_.commands;
            outcome_.lastCommand =
                part->getFile() + ":" + std::to_string(record.line) + " " + TYPES[record.type];
            note(outcome_.lastCommand);
        }
        const std::string wait = part->getWaitDescription();
        // A record that waits is counted once, however its wait goes on (typing, then the key).
        if (advanced && !wait.empty()) ++outcome_.waits[wait.substr(0, wait.find(' '))];
        if (wait != dramaWait_ && !wait.empty()) note("  waits on " + wait);
        dramaWait_ = wait;
    }

    void pressKeys(int step) {
        KeyInputManager* input = KeyInputManager::getInstance();
        int key = input->getKeyBinding(KeyActionType::OK);
        // A wait for another key gets that key.
        if (engine_ && engine_->getWaitKey() != 0 &&
            engine_->getWaitKey() != static_cast<int>(KeyActionType::ANY))
            key = input->getKeyBinding(static_cast<KeyActionType>(engine_->getWaitKey()));
        if (step % KEY_PERIOD == 0) {
            pressed_ = key;
            sendKey(key, true);
        } else if (step % KEY_PERIOD == KEY_PERIOD / 2) {
            sendKey(pressed_, false);
        }
    }

    void loop() {
        for (int step = 0; step < frameLimit_; ++step) {
            if (outcome_.finished || outcome_.ending) break;
            if (!outcome_.started && step >= START_LIMIT_FRAMES) break;
            if (!asked_ && stage_.kind == Stage::DRAMA && step == 2) startDrama();
            if (!asked_ && stage_.kind == Stage::PLAY && !stage_.entry) startOnStage();
            if (outcome_.started) pressKeys(step);
            engine::Director::getInstance()->mainLoop();
            ++outcome_.frames;
            if (DramaPart* part = drama_.get()) followDrama(part);
        }
        if (!outcome_.finished && !outcome_.ending && outcome_.started) {
            if (engine_) outcome_.lastWait = engine_->getWaitDescription();
            if (drama_) outcome_.lastWait = drama_->getWaitDescription();
        }
    }

    const std::string& script_;
    const Stage& stage_;
    const ScenarioDryRun::Choice& choice_;
    int frameLimit_;
    RunOutcome outcome_;
    engine::WeakRef<QuorinScenarioEngine> engine_;
    engine::WeakRef<DramaPart> drama_;
    bool asked_ = false;
    std::size_t dramaIndex_ = 0;
    std::string dramaWait_;
    uint64_t waitStart_ = 0;
    int pressed_ = 0;
};

}  // namespace

std::vector<std::string> ScenarioDryRun::allScripts() {
    std::vector<std::string> scripts;
    for (const std::string& path : engine::FileUtils::getInstance()->listFilesRecursively("res")) {
        const std::string base = path.substr(path.rfind('/') + 1);
        if (base.size() > 4 && base.compare(base.size() - 4, 4, ".bks") == 0)
            scripts.push_back("scenario/" + base);
        if (base.size() > 4 && base.compare(base.size() - 4, 4, ".bds") == 0)
            scripts.push_back("drama/" + base);
    }
    std::sort(scripts.begin(), scripts.end());
    scripts.erase(std::unique(scripts.begin(), scripts.end()), scripts.end());
    return scripts;
}

std::vector<ScenarioDryRun::Choice> ScenarioDryRun::choicesOf(const std::string& script) {
    struct Condition {
        std::string variable;
        std::string comparison;
        int number;
    };
    std::vector<Condition> conditions;
    for (const ScenarioCommand& command : commandsWithAppended(script))
        if (command.name == "COND")
            conditions.push_back({command.textAt(0), command.textAt(1), command.intAt(2)});
    // Which way every condition goes with `value` for `variable` (the others at their defaults).
    auto ways = [&](const std::string& variable, int value) {
        std::vector<bool> result;
        for (const Condition& c : conditions)
            result.push_back(
                holds(c.variable == variable ? value : defaultValue(c.variable), c.comparison, c.number));
        return result;
    };
    std::vector<Choice> choices = {Choice()};
    std::set<std::vector<bool>> seen = {ways("", 0)};
    for (const Condition& c : conditions) {
        for (int value : {c.number, c.number + 1, c.number - 1}) {
            if (seen.insert(ways(c.variable, value)).second) choices.push_back(Choice{{c.variable, value}});
        }
    }
    return choices;
}

int ScenarioDryRun::run(const std::vector<std::string>& scripts, std::ostream& out, std::ostream& err) {
    const std::vector<std::string> known = allScripts();
    int runs = 0;
    int failed = 0;
    for (const std::string& script : scripts) {
        if (engine::FileUtils::getInstance()->fullPathForFilename(script).empty()) {
            err << "quorin-content: " << script << " not found\n";
            return 2;
        }
    }
    for (const std::string& script : scripts) {
        const Stage stage = stageOf(script);
        const std::vector<Choice> choices =
            stage.kind == Stage::DRAMA ? std::vector<Choice>{Choice()} : choicesOf(script);
        std::set<std::pair<std::string, int>> reached;
        for (const Choice& choice : choices) {
            ++runs;
            Runner runner(script, stage, choice, options_.frameLimit);
            const RunOutcome outcome = runner.run(known);
            reached.insert(outcome.reached.begin(), outcome.reached.end());
            out << script << describe(choice) << ", " << describe(stage) << "\n";
            for (const TraceLine& line : outcome.trace)
                if (!options_.brief || line.text.find("problem: ") != std::string::npos)
                    out << "  f" << line.frame << "  " << line.text << "\n";
            std::string waits;
            for (const auto& [what, count] : outcome.waits)
                waits += (waits.empty() ? "" : ", ") + what + " " + std::to_string(count);
            const std::string counts = std::to_string(outcome.commands) +
                                       " commands, waits: " + (waits.empty() ? std::string("none") : waits);
            if (outcome.finished) {
                out << "  finished after " << outcome.frames << " frames (" << counts << ")\n";
            } else if (outcome.ending) {
                out << "  ends in the credits after " << outcome.frames << " frames (" << counts << ")\n";
            } else if (!outcome.started) {
                ++failed;
                out << "  cannot finish: it never started\n";
                for (const TraceLine& line : outcome.trace)
                    if (options_.brief) out << "    " << line.text << "\n";
            } else {
                ++failed;
                out << "  cannot finish: still waiting on " << outcome.lastWait << " after " << outcome.frames
                    << " frames (last command " << outcome.lastCommand << ")\n";
            }
        }
        if (stage.kind == Stage::DRAMA) continue;
        for (const ScenarioCommand& command : commandsWithAppended(script))
            if (!reached.count({command.file, command.line}))
                out << "  not reached in any run: " << command.file << ":" << command.line << " "
                    << command.name << "\n";
    }
    out << "dry run: " << scripts.size() << (scripts.size() == 1 ? " script, " : " scripts, ") << runs
        << (runs == 1 ? " run: " : " runs: ")
        << (failed ? std::to_string(failed) + " cannot finish" : std::string("every one finished")) << "\n";
    return failed ? 1 : 0;
}

}  // namespace content
