#include "game/harness/StoryStateSections.h"

#include "game/app/SceneManager.h"
#include "game/harness/StateDump.h"
#include "game/scenario/DramaPart.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/NCaption.h"
#include "game/scenario/QuorinScenarioEngine.h"
#include "game/scenario/ScenarioHost.h"

namespace vastomer {

namespace {

ScenarioHost* currentHost() {
    SceneManager* manager = SceneManager::peekInstance();
    return manager ? dynamic_cast<ScenarioHost*>(manager->getCurrentController()) : nullptr;
}

nlohmann::json scenarioSection() {
    ScenarioHost* host = currentHost();
    if (!host) return nullptr;
    nlohmann::json section = {{"file", host->getScenarioFile()},
                              {"finished", host->getFinishedScenarioCount()},
                              {"running", false},
                              {"waiting", false},
                              {"waitingOn", ""}};
    QuorinScenarioEngine* engine = host->getScenarioEngine();
    if (!engine) return section;
    const std::size_t index = engine->getCommandIndex();
    const auto& commands = engine->getCommands();
    nlohmann::json last = nullptr;
    if (index > 0 && index <= commands.size()) {
        const ScenarioCommand& command = commands[index - 1];
        last = command.file + ":" + std::to_string(command.line) + " " + command.name;
    }
    section["script"] = engine->getScriptName();
    section["commandIndex"] = index;
    section["commandCount"] = commands.size();
    section["lastCommand"] = last;
    section["running"] = engine->isRunning();
    section["waiting"] = engine->isWaiting();
    section["waitingOn"] = engine->getWaitDescription();
    section["readBefore"] = engine->isReadBefore();
    section["sprites"] = engine->getSpriteIds();
    section["animations"] = engine->getAnimationIds();
    return section;
}

nlohmann::json messageWindowSection() {
    ScenarioHost* host = currentHost();
    MessageWindow* window = host ? host->getStoryMessageWindow() : nullptr;
    if (!window) return nullptr;
    NCaption* caption = window->getCaption();
    return {{"open", window->isOpen()},
            {"side", window->isLeft() ? "left" : "right"},
            {"speaker", window->getSpeakerName()},
            {"leftPicture", window->getPictureFile(true)},
            {"rightPicture", window->getPictureFile(false)},
            {"textKey", window->getTextKey()},
            {"shown", caption ? caption->getShownCount() : 0},
            {"total", caption ? caption->getTotalCount() : 0},
            {"nextCursor", window->isNextCursorShown()},
            {"telop", window->getTelopBack() != nullptr}};
}

nlohmann::json dramaSection() {
    ScenarioHost* host = currentHost();
    if (!host) return nullptr;
    nlohmann::json section = {{"file", host->getDramaFile()},
                              {"finished", host->getFinishedDramaCount()},
                              {"running", false},
                              {"waiting", false},
                              {"waitingOn", ""}};
    DramaPart* part = host->getDramaPart();
    if (!part) return section;
    section["title"] = part->getTitle();
    section["index"] = part->getIndex();
    section["recordCount"] = part->getRecords().size();
    section["running"] = part->isRunning();
    section["waiting"] = part->isWaiting() || part->isTimedWait();
    section["waitingOn"] = part->getWaitDescription();
    section["animations"] = part->getAnimationNames();
    return section;
}

}  // namespace

void StoryStateSections::addTo(StateDump& dump) {
    dump.addSection("scenario", scenarioSection);
    dump.addSection("messageWindow", messageWindowSection);
    dump.addSection("drama", dramaSection);
}

}  // namespace vastomer
