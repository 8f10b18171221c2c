#include "game/harness/HubStateSections.h"

#include "engine/scene/Director.h"
#include "engine/scene/Label.h"
#include "game/app/ComfortSettings.h"
#include "game/app/SceneManager.h"
#include "game/data/DataManager.h"
#include "game/harness/DumpValues.h"
#include "game/harness/StateDump.h"
#include "game/menu/MemoryController.h"
#include "game/menu/MemoryScene.h"
#include "game/menu/MemorySceneOptionWindow.h"
#include "game/menu/OptionController.h"
#include "game/menu/OptionScene.h"
#include "game/menu/ShopController.h"
#include "game/menu/ShopScene.h"
#include "game/menu/ShopWindow.h"
#include "game/menu/SituationSelectWindow.h"
#include "game/menu/StatusScene.h"

namespace vastomer {

namespace {

nlohmann::json shopSection() {
    ShopScene* scene = dump::currentLayer<ShopScene>();
    if (!scene || !scene->getShopWindow()) return nullptr;
    ShopWindow* window = scene->getShopWindow();
    ShopController* controller = dump::currentController<ShopController>();
    return {{"state", window->getWindowState()},
            {"category", window->getCategoryIndex()},
            {"index", window->getItemIndex()},
            {"items", window->getItems()},
            {"choice", window->getDialogChoice()},
            {"tutorialStarted", controller ? controller->isTutorialStarted() : false},
            {"tutorialRunning", scene->isTutorialRunning()},
            {"windowOpened", controller ? controller->isWindowOpened() : false},
            {"score", window->getScoreText()},
            {"detail", window->getDetailName()},
            {"price", window->getDetailPrice()},
            {"owned", window->isOwnedMarkShown()}};
}

nlohmann::json statusSection() {
    StatusScene* scene = dump::currentLayer<StatusScene>();
    if (!scene) return nullptr;
    nlohmann::json list = nlohmann::json::array();
    for (engine::Label* label : scene->getListLabels())
        list.push_back(label->getTag());
    return {{"page", scene->getPage()},
            {"cursor", scene->getCursor()},
            {"busy", scene->isBusy()},
            {"list", list},
            {"listCount", scene->getListCount()},
            {"listFirst", scene->getListFirst()},
            {"hp", scene->getHpLabel() ? scene->getHpLabel()->getString() : ""},
            {"sp", scene->getSpLabel() ? scene->getSpLabel()->getString() : ""},
            {"wear", scene->getWearNameLabel() ? scene->getWearNameLabel()->getString() : ""},
            {"dialogChoice", scene->dialogChoice()}};
}

nlohmann::json memorySection() {
    MemoryScene* scene = dump::currentLayer<MemoryScene>();
    if (!scene) return nullptr;
    nlohmann::json rows = nlohmann::json::array();
    if (SituationSelectWindow* window = scene->getSituationWindow()) {
        for (int row = 0; row <= SituationSelectWindow::COMPANION; ++row)
            rows.push_back({{"values", window->getValues(row)}, {"index", window->getIndex(row)}});
    }
    MemoryController* controller = dump::currentController<MemoryController>();
    SituationSelectWindow* window = scene->getSituationWindow();
    MemorySceneOptionWindow* options = scene->getOptionWindow();
    return {{"rows", rows},
            {"row", window ? window->getRow() : -1},
            {"state", scene->getState()},
            {"dramaFile", scene->getDramaFile()},
            {"running", scene->isDramaRunning()},
            {"paused", scene->isDramaPaused()},
            {"creature", scene->getCreatureId()},
            {"background", scene->getBackground()},
            {"opacity", scene->getBackdropOpacity()},
            {"zoom", scene->getZoomLevel()},
            {"companion", scene->getCompanionMode()},
            {"situationWindowOpen", controller ? controller->isSituationWindowOpen() : false},
            {"optionWindowOpen", controller ? controller->isOptionWindowOpen() : false},
            {"optionRow", options ? options->getRow() : -1}};
}

nlohmann::json optionsSection() {
    OptionScene* scene = dump::currentLayer<OptionScene>();
    if (!scene) return nullptr;
    OptionController* controller = dump::currentController<OptionController>();
    return {{"page", scene->getPage()},
            {"row", scene->getRow()},
            {"padPage", scene->isPadPage()},
            {"pendingKeys", scene->getPendingKeys()},
            {"pendingButtons", scene->getPendingButtons()},
            {"waitingForInput", controller ? controller->isWaitingForInput() : false},
            {"languageCursor", scene->getLanguageCursor()},
            {"difficultyCursor", scene->getDifficultyCursor()},
            {"openedFromTitle", scene->isOpenedFromTitle()},
            {"rows", scene->getRowTexts()},
            {"values", scene->getValueTexts()}};
}

nlohmann::json comfortSection() {
    engine::Director* director = engine::Director::peekInstance();
    engine::GLView* view = director ? director->getOpenGLView() : nullptr;
    return {{"textSpeed", static_cast<int>(ComfortSettings::getTextSpeed())},
            {"reduceShakeFlash", ComfortSettings::isShakeFlashReduced()},
            {"pauseOnFocusLoss", ComfortSettings::isPauseOnFocusLoss()},
            {"integerScaling", ComfortSettings::isIntegerScaling()},
            {"viewIntegerScaling", view ? view->isIntegerScaling() : false},
            {"screenshotKey", ComfortSettings::isScreenshotKeyEnabled()},
            {"directorPaused", director ? director->isPaused() : false}};
}

}  // namespace

void HubStateSections::addTo(StateDump& dump) {
    dump.addSection("shop", shopSection);
    dump.addSection("status", statusSection);
    dump.addSection("memory", memorySection);
    dump.addSection("options", optionsSection);
    dump.addSection("comfort", comfortSection);
}

}  // namespace vastomer
