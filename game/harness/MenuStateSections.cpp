#include "game/harness/MenuStateSections.h"

#include "engine/scene/Label.h"
#include "game/app/SceneManager.h"
#include "game/harness/DumpValues.h"
#include "game/harness/StateDump.h"
#include "game/menu/EndCreditScene.h"
#include "game/menu/StageSelectWindow.h"
#include "game/menu/TitleController.h"
#include "game/menu/TitleScene.h"
#include "game/menu/WorldMapController.h"
#include "game/menu/WorldMapScene.h"

namespace vastomer {

namespace {

nlohmann::json titleSection() {
    auto* controller = dump::currentController<TitleController>();
    auto* scene = dump::currentLayer<TitleScene>();
    if (!controller || !scene) return nullptr;
    return {{"menuShown", controller->isMenuShown()},
            {"selection", controller->getSelection()},
            {"label", scene->getMenuLabel()->getString()},
            {"ending", controller->isEnding()}};
}

nlohmann::json worldMapSection() {
    auto* controller = dump::currentController<WorldMapController>();
    if (!controller) return nullptr;
    return {{"selection", controller->getSelection()},
            {"mode", controller->isMenuMode() ? "menu" : "stageSelect"},
            {"bonusPresses", controller->getBonusPressCount()}};
}

nlohmann::json stageSelectSection() {
    auto* controller = dump::currentController<WorldMapController>();
    auto* scene = dump::currentLayer<WorldMapScene>();
    StageSelectWindow* window = scene ? scene->getStageSelectWindow() : nullptr;
    if (!controller || !window) return nullptr;
    return {{"entries", window->getEntries()},
            {"index", controller->getEntryIndex()},
            {"name", window->getNameLabel()->getString()},
            {"bestScoreShown", window->getBestScoreLabel()->isVisible()}};
}

nlohmann::json creditsSection() {
    auto* scene = dump::currentLayer<EndCreditScene>();
    if (!scene) return nullptr;
    return {{"running", scene->isRunning()},
            {"leaving", scene->isLeaving()},
            {"rollY", static_cast<double>(scene->getRollOffset())}};
}

}  // namespace

void MenuStateSections::addTo(StateDump& dump) {
    dump.addSection("title", titleSection);
    dump.addSection("worldmap", worldMapSection);
    dump.addSection("stageSelect", stageSelectSection);
    dump.addSection("credits", creditsSection);
}

}  // namespace vastomer
