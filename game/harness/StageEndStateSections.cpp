#include "game/harness/StageEndStateSections.h"

#include "engine/scene/Label.h"
#include "game/app/SceneManager.h"
#include "game/harness/DumpValues.h"
#include "game/harness/StateDump.h"
#include "game/play/BossBattleInterface.h"
#include "game/play/GameoverInterface.h"
#include "game/play/Gauge.h"
#include "game/play/PauseScreenInterface.h"
#include "game/play/PlayController.h"
#include "game/play/PlayScene.h"
#include "game/play/ResultPanel.h"

namespace vastomer {

namespace {

PlayScene* playScene() {
    return dump::currentLayer<PlayScene>();
}

PlayController* playController() {
    return dump::currentController<PlayController>();
}

nlohmann::json bossSection() {
    PlayScene* scene = playScene();
    PlayController* controller = playController();
    BossBattleInterface* overlay = scene ? scene->getBossBattleInterface() : nullptr;
    if (!overlay || !controller) return nullptr;
    Gauge* gauge = overlay->getBossGauge();
    nlohmann::json gaugeJson = nullptr;
    if (gauge)
        gaugeJson = {{"value", static_cast<double>(gauge->getValue())},
                     {"maximum", static_cast<double>(gauge->getMaximum())},
                     {"framesLeft", gauge->getFramesLeft()}};
    return {{"phase", overlay->getPhase()},
            {"battle", controller->isBossBattle()},
            {"gauge", gaugeJson},
            {"stageEndScript", controller->getStageEndScript()},
            {"stageEndScriptStarted", controller->isStageEndScriptStarted()}};
}

nlohmann::json resultSection() {
    PlayScene* scene = playScene();
    PlayController* controller = playController();
    BossBattleInterface* overlay = scene ? scene->getBossBattleInterface() : nullptr;
    if (!overlay || !controller) return nullptr;
    ResultPanel* panel = overlay->getResultPanel();
    return {{"shown", controller->isResultShown()},
            {"selection", overlay->getSelection()},
            {"stageScore", panel ? panel->getStageScore()->getString() : std::string()},
            {"totalScore", panel ? panel->getTotalScore()->getString() : std::string()}};
}

nlohmann::json pauseSection() {
    PlayScene* scene = playScene();
    PlayController* controller = playController();
    PauseScreenInterface* pause = scene ? scene->getPauseScreenInterface() : nullptr;
    if (!pause || !controller) return nullptr;
    return {{"shown", controller->isPauseShown()},
            {"visible", pause->isVisible()},
            {"continueSelected", pause->getSelection()},
            {"portrait", pause->getPortraitFile()}};
}

nlohmann::json gameOverSection() {
    PlayScene* scene = playScene();
    PlayController* controller = playController();
    GameoverInterface* screen = scene ? scene->getGameoverInterface() : nullptr;
    if (!screen || !controller) return nullptr;
    return {{"shown", controller->isGameOverShown()}, {"selection", screen->getSelection()}};
}

}  // namespace

void StageEndStateSections::addTo(StateDump& dump) {
    dump.addSection("boss", bossSection);
    dump.addSection("result", resultSection);
    dump.addSection("pause", pauseSection);
    dump.addSection("gameOver", gameOverSection);
}

}  // namespace vastomer
