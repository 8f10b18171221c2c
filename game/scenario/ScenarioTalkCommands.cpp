#include "game/scenario/ScenarioTalkCommands.h"

#include "engine/platform/FileUtils.h"
#include "game/data/DataManager.h"
#include "game/data/MasterText.h"
#include "game/data/StringsManager.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/NSpriteAnimationManager.h"
#include "game/scenario/QuorinScenarioEngine.h"

namespace vastomer {

std::string ScenarioTalkCommands::pictureFile(const std::string& field, int equippedWear) {
    if (field.find(".png") != std::string::npos) return field;
    std::vector<std::string> parts = MasterText::split(field, ':');
    if (parts.size() != 2) return "-.png";
    return "character/cf_" + parts[0] + "_" + NSpriteAnimationManager::padded(equippedWear + 1, 2) + "_" +
           parts[1] + ".png";
}

void ScenarioTalkCommands::talk(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    MessageWindow* window = engine.getMessageWindow();
    if (!window) {
        engine.problem(command, "the screen has no message window");
        return;
    }
    const std::string& form = command.textAt(0);
    if (form == "SPEAKER") {
        speaker(engine, command);
    } else if (form == "START") {
        window->setSide(command.textAt(1) != "RIGHT");
        window->openWindow(engine.block("window opening"));
    } else if (form == "END") {
        window->closeWindow(engine.block("window closing"));
    } else if (form == "CLEAR") {
        window->clearMessage(engine.block("message clearing"));
    } else {
        message(engine, command);
    }
}

void ScenarioTalkCommands::speaker(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    MessageWindow* window = engine.getMessageWindow();
    const std::string& what = command.textAt(1);
    if (what == "NAME") {
        window->setSpeakerName(StringsManager::getInstance()->getCharacterName(command.intAt(2)));
        return;
    }
    const bool left = command.textAt(2) != "RIGHT";
    if (what == "CLEAR") {
        window->clearSpeakerPicture(left, engine.block("picture clearing"));
        return;
    }
    if (what != "SPRITE") return;
    DataManager* data = DataManager::getInstance();
    const std::string file = pictureFile(command.textAt(3), data ? data->getEquippedWear() : 0);
    const bool animated = command.textAt(4) == "ANIME";
    const bool active = command.textAt(5) != "DEACTIVE";
    if (engine::FileUtils::getInstance()->fullPathForFilename(file).empty()) {
        // The side is left empty and the scene goes on at once.
        engine.problem(command, "picture '" + file + "' not found");
        window->setSpeakerPicture(file, left, active, animated, nullptr);
        return;
    }
    window->setSpeakerPicture(file, left, active, animated, engine.block("picture"));
}

void ScenarioTalkCommands::message(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    MessageWindow* window = engine.getMessageWindow();
    const std::string& key = command.textAt(0);
    bool left = true;
    bool autoMode = false;
    for (std::size_t i = 1; i < 3; ++i) {
        const std::string& flag = command.textAt(i);
        if (flag == "RIGHT") left = false;
        if (flag == "LEFT") left = true;
        if (flag == "AUTO") autoMode = true;
    }
    window->setSide(left);
    window->highlightSpeaker(left);
    window->setTextKey(key);
    auto release = engine.block("message");
    engine.messageWait_ = true;
    engine.advance_.start(window, StringsManager::getInstance()->getString(key), autoMode, release);
}

void ScenarioTalkCommands::telop(QuorinScenarioEngine& engine, const ScenarioCommand& command) {
    MessageWindow* window = engine.getMessageWindow();
    if (!window) {
        engine.problem(command, "the screen has no message window");
        return;
    }
    window->showTelop(StringsManager::getInstance()->getString(command.textAt(0)), engine.block("caption"));
}

}  // namespace vastomer
