#include "game/harness/PlayStateSections.h"

#include <charconv>
#include <string>

#include "engine/base/RefPtr.h"
#include "engine/physics/PhysicsBody.h"
#include "engine/scene/Label.h"
#include "game/app/SceneManager.h"
#include "game/character/ActionMap.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/harness/CreatureStateSections.h"
#include "game/harness/DumpValues.h"
#include "game/harness/StateDump.h"
#include "game/play/Gauge.h"
#include "game/play/LustGauge.h"
#include "game/play/PlayController.h"
#include "game/play/PlayInterface.h"
#include "game/play/PlayScene.h"
#include "game/play/RectGauge.h"

namespace vastomer {

namespace {

PlayScene* playScene() {
    return dump::currentLayer<PlayScene>();
}

PlayController* playController() {
    return dump::currentController<PlayController>();
}

nlohmann::json playerSection() {
    DataManager* data = DataManager::peekInstance();
    PlayerCharacter* player = data ? data->getPlayerCharacter() : nullptr;
    if (!player) return nullptr;
    engine::Vec2 velocity;
    if (engine::PhysicsBody* body = player->getPhysicsBody()) velocity = body->getVelocity();
    CompositeAnimation* animation = player->getAnimation();
    CompositeAnimation* weapon = player->getWeaponNode();
    return {{"position", dump::point(player->getPosition())},
            {"velocity", dump::point(velocity)},
            {"onMap", player->getParent() != nullptr},
            {"hp", player->getHp()},
            {"maxHp", player->getMaxHp()},
            {"moveX", dump::shortNumber(player->getMoveX())},
            {"moveY", dump::shortNumber(player->getMoveY())},
            {"airborne", player->isAirborne()},
            {"jumping", player->isJumping()},
            {"falling", player->isFalling()},
            {"attacking", player->isAttacking()},
            {"hasLanded", player->hasLanded()},
            {"facingLeft", player->isFacingLeft()},
            {"blockedLeft", player->isBlockedLeft()},
            {"blockedRight", player->isBlockedRight()},
            {"gravityActive", player->isGravityActive()},
            {"defeated", player->isDefeated()},
            {"paused", player->isPaused()},
            {"surfaceContacts", player->getSurfaceContacts()},
            {"supportContacts", player->getSupportContacts()},
            {"animation", animation ? animation->getFileName() : std::string()},
            {"animationLocked", animation && animation->isLocked()},
            {"weaponAnimation", weapon ? weapon->getFileName() : std::string()},
            {"ammo", player->getAmmo()},
            {"ammoMax", player->getAmmoMax()},
            {"reloading", player->isReloading()},
            {"attackCooldown", player->getAttackCooldown()},
            {"comboStep", player->getComboStep()},
            {"attackChain", player->isAttackChain()},
            {"jumpCharge", player->getJumpCharge()},
            {"jumpHeld", player->isJumpHeld()},
            {"weaponMode", player->getWeaponMode()},
            {"grappleWeapon", player->getGrappleWeaponId()},
            {"shotWeapon", player->getShotWeaponId()},
            {"boosted", player->isBoosted()},
            {"enticing", player->isEnticing()},
            {"frozen", player->isFrozen()},
            {"held", player->isHeld()},
            {"invincibleFrames", player->getInvincibleTimer()},
            {"reviveTimer", player->getReviveTimer()},
            {"autoHealCounter", player->getAutoHealCounter()},
            {"lastAttacker",
             {{"id", player->getLastAttackerId()},
              {"weapon", player->getLastAttackWeaponId()},
              {"bullet", player->getLastAttackBulletId()}}}};
}

nlohmann::json mapSection() {
    PlayScene* scene = playScene();
    ActionMap* map = scene ? scene->getActionMap() : nullptr;
    if (!map) return nullptr;
    nlohmann::json appear = nlohmann::json::object();
    for (const auto& [number, position] : map->getAppearPoints())
        appear[std::to_string(number)] = dump::point(position);
    nlohmann::json bodies = nlohmann::json::array();
    if (engine::Node* root = map->getMapRoot()) {
        for (engine::Node* node : root->getChildren()) {
            engine::PhysicsBody* body = node->getPhysicsBody();
            if (!body) continue;
            const engine::Size& size = node->getContentSize();
            bodies.push_back(
                {{"name", body->getName()},
                 {"bodyTag", body->getTag()},
                 {"nodeTag", node->getTag()},
                 {"rect",
                  {dump::shortNumber(node->getPositionX()), dump::shortNumber(node->getPositionY()),
                   dump::shortNumber(size.width), dump::shortNumber(size.height)}}});
        }
    }
    nlohmann::json characters = nlohmann::json::array();
    for (CharacterSprite* character : map->getCharacters()) {
        characters.push_back({{"kind", character->getSpawnKind()},
                              {"name", character->getRecordName()},
                              {"id", character->getCharacterId()},
                              {"hp", character->getHp()},
                              {"boss", character->isBoss()},
                              {"position", dump::point(character->getPosition())}});
    }
    return {{"file", map->getMapFile()},
            {"loaded", map->getTiledMap() != nullptr},
            {"startPosition", dump::point(map->getStartPosition())},
            {"appearPoints", appear},
            {"markerCharacterCount", map->getMarkerCharacterCount()},
            {"creatureMarkers", map->getCreatureMarkerCount()},
            {"groupBossPresent", map->isGroupBossPresent()},
            {"actionLocked", map->isActionLocked()},
            {"bodies", bodies},
            {"characters", characters}};
}

nlohmann::json controllerSection() {
    PlayController* controller = playController();
    if (!controller) return nullptr;
    CharacterSprite* contactEnemy = controller->getContactEnemy();
    CharacterSprite* boss = controller->getBoss();
    return {{"active", controller->isActive()},
            {"gameOverShown", controller->isGameOverShown()},
            {"resultShown", controller->isResultShown()},
            {"pauseShown", controller->isPauseShown()},
            {"bossBattle", controller->isBossBattle()},
            {"bossDefeatHandled", controller->isBossDefeatHandled()},
            {"boss", boss ? boss->getCharacterId() : -1},
            {"mapChangePending", controller->isMapChangePending()},
            {"pending",
             {{"stage", controller->getPendingStage()},
              {"part", controller->getPendingPart()},
              {"marker", controller->getPendingMarker()}}},
            {"modeSwitchLatch", controller->isModeSwitchLatch()},
            {"inDrama", controller->isInDrama()},
            {"dramaEntice", controller->isDramaEntice()},
            {"contactEnemy", contactEnemy ? contactEnemy->getCharacterId() : -1},
            {"dramaRequest",
             {{"count", controller->getLastDramaRequest().count},
              {"enemy", controller->getLastDramaRequest().enemyId},
              {"kind", controller->getLastDramaRequest().kind},
              {"entice", controller->getLastDramaRequest().entice}}}};
}

nlohmann::json hudSection() {
    PlayScene* scene = playScene();
    PlayInterface* hud = scene ? scene->getPlayInterface() : nullptr;
    if (!hud) return nullptr;
    nlohmann::json segments = nlohmann::json::array();
    nlohmann::json glowing = nlohmann::json::array();
    for (int k = 0; k < LustGauge::SEGMENTS; ++k) {
        segments.push_back(dump::shortNumber(hud->getLpGauge()->getSegment(k)->getValue()));
        glowing.push_back(hud->getLpGauge()->isGlowing(k));
    }
    return {{"scoreShown", hud->getDisplayedScore()},
            {"scorePending", hud->getPendingScore()},
            {"scoreLabel", hud->getScoreLabel()->getString()},
            {"hp", dump::shortNumber(hud->getHpGauge()->getValue())},
            {"hpMax", dump::shortNumber(hud->getHpGauge()->getMaximum())},
            {"hpBar", dump::shortNumber(hud->getHpGauge()->getRatio())},
            {"sp", dump::shortNumber(hud->getSpGauge()->getValue())},
            {"lp", hud->getLpGauge()->getLastValue()},
            {"lpSegments", segments},
            {"lpGlowing", glowing},
            {"ammo", hud->getAmmoLabel()->getString()},
            {"capacity", hud->getCapacityLabel()->getString()},
            {"showShotWeapon", hud->isShowingShotWeapon()},
            {"reloadBlink", hud->isReloadBlinking()}};
}

nlohmann::json playSceneSection() {
    PlayScene* scene = playScene();
    DataManager* data = DataManager::peekInstance();
    if (!scene || !data) return nullptr;
    return {{"stage", scene->getStageNumber()},
            {"part", data->getCurrentPart()},
            {"previousPart", data->getPreviousPart()},
            {"partBefore", scene->getPartBefore()},
            {"partReady", scene->isPartReady()},
            {"landedOnce", scene->isLandedOnce()},
            {"staging", scene->isStaging()},
            {"scenarioRunning", scene->isScenarioRunning()},
            {"refused", scene->isRefused()},
            {"followCount", scene->getFollowCount()},
            {"curtainOpacity", scene->getCurtain()->getOpacity()},
            {"cameraTarget", dump::point(scene->getCameraTarget()->getPosition())}};
}

}  // namespace

void PlayStateSections::addTo(StateDump& dump) {
    dump.addSection("player", playerSection);
    dump.addSection("map", mapSection);
    dump.addSection("controller", controllerSection);
    dump.addSection("hud", hudSection);
    dump.addSection("playScene", playSceneSection);
    CreatureStateSections::addTo(dump);
}

}  // namespace vastomer
