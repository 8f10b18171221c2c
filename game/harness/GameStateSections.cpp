#include "game/harness/GameStateSections.h"

#include <charconv>

#include "engine/audio/AudioEngine.h"
#include "engine/platform/Application.h"
#include "engine/platform/MessageBox.h"
#include "engine/scene/Director.h"
#include "game/app/AppDelegate.h"
#include "game/app/SceneManager.h"
#include "game/audio/NAudioManager.h"
#include "game/data/DataManager.h"
#include "game/data/StringsManager.h"
#include "game/harness/DumpValues.h"
#include "game/harness/HubStateSections.h"
#include "game/harness/MenuStateSections.h"
#include "game/harness/PlayStateSections.h"
#include "game/harness/StageEndStateSections.h"
#include "game/harness/StateDump.h"
#include "game/harness/StoryStateSections.h"
#include "game/input/KeyInputManager.h"

namespace vastomer {

namespace {

nlohmann::json audioSection() {
    NAudioManager* audio = NAudioManager::getInstance();
    nlohmann::json log = nlohmann::json::array();
    for (const auto& entry : engine::AudioEngine::getLog()) {
        log.push_back({{"tick", entry.tick},
                       {"operation", entry.operation},
                       {"id", entry.id},
                       {"path", entry.path},
                       {"loop", entry.loop},
                       {"volume", dump::shortNumber(entry.volume)},
                       {"note", entry.note}});
    }
    return {{"bgm", audio->getCurrentBgm()},
            {"bgmId", audio->getBgmId()},
            {"bgmVolume", dump::shortNumber(audio->getBgmVolume())},
            {"seVolume", dump::shortNumber(audio->getSeVolume())},
            {"trackVolume", dump::shortNumber(audio->getTrackVolume())},
            {"seIds", audio->getSeIds()},
            {"log", log}};
}

nlohmann::json inputSection() {
    KeyInputManager* input = KeyInputManager::getInstance();
    if (!input) return nullptr;
    nlohmann::json pressed = nlohmann::json::array();
    nlohmann::json keys = nlohmann::json::object();
    nlohmann::json buttons = nlohmann::json::object();
    for (KeyActionType action : KeyInputManager::bindingRows()) {
        std::string name = KeyInputManager::actionName(action);
        if (input->isActionOn(action)) pressed.push_back(name);
        keys[name] = input->getKeyBinding(action);
        buttons[name] = input->getButtonBinding(action);
    }
    return {{"gamepadMode", input->isGamepadMode()},
            {"joystickConnected", input->isJoystickConnected()},
            {"pressed", pressed},
            {"lastKey", input->getLastKey()},
            {"lastButton", input->getLastButton()},
            {"keyBindings", keys},
            {"buttonBindings", buttons}};
}

nlohmann::json messagesSection() {
    nlohmann::json messages = nlohmann::json::array();
    for (const auto& shown : engine::MessageBox::getShown())
        messages.push_back({{"title", shown.title}, {"message", shown.message}});
    return messages;
}

}  // namespace

void GameStateSections::addTo(StateDump& dump) {
    dump.addSection("frame",
                    [] { return nlohmann::json(engine::Director::getInstance()->getTotalFrames()); });
    dump.addSection("scene", [] {
        SceneManager* scene = SceneManager::getInstance();
        return nlohmann::json(scene ? scene->getCurrentSceneId() : 0);
    });
    dump.addSection("language", [] {
        StringsManager* strings = StringsManager::getInstance();
        return nlohmann::json(strings ? strings->getLanguage() : std::string());
    });
    dump.addSection("windowTitle", [] {
        auto* app = dynamic_cast<AppDelegate*>(engine::Application::getInstance());
        return nlohmann::json(app ? app->getWindowTitle() : std::string());
    });
    dump.addSection("progress", [] {
        DataManager* data = DataManager::getInstance();
        return data ? data->getProgressJson() : nlohmann::json(nullptr);
    });
    dump.addSection("audio", audioSection);
    dump.addSection("input", inputSection);
    dump.addSection("messages", messagesSection);
    PlayStateSections::addTo(dump);
    StoryStateSections::addTo(dump);
    StageEndStateSections::addTo(dump);
    HubStateSections::addTo(dump);
    MenuStateSections::addTo(dump);
}

}  // namespace vastomer
