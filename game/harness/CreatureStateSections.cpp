#include "game/harness/CreatureStateSections.h"

#include <charconv>

#include "game/app/SceneManager.h"
#include "game/character/ActionMap.h"
#include "game/character/BulletCharacter.h"
#include "game/character/CharacterActionPettern.h"
#include "game/character/EnemyCharacter.h"
#include "game/harness/DumpValues.h"
#include "game/harness/StateDump.h"
#include "game/play/PlayScene.h"

namespace vastomer {

namespace {

ActionMap* playMap() {
    auto* scene = dump::currentLayer<PlayScene>();
    return scene ? scene->getActionMap() : nullptr;
}

nlohmann::json flagsOf(const CharacterSprite* character) {
    nlohmann::json flags = nlohmann::json::array();
    const std::pair<const char*, bool> all[] = {{"boss", character->isBoss()},
                                                {"defeated", character->isDefeated()},
                                                {"facingLeft", character->isFacingLeft()},
                                                {"airborne", character->isAirborne()},
                                                {"jumping", character->isJumping()},
                                                {"falling", character->isFalling()},
                                                {"attacking", character->isAttacking()},
                                                {"floating", character->isFloating()},
                                                {"landed", character->hasLanded()},
                                                {"fullSpeed", character->isFullSpeed()},
                                                {"actionLocked", character->isActionLocked()},
                                                {"paused", character->isPaused()},
                                                {"touchingPlayer", character->isTouchingPlayer()}};
    for (const auto& [name, on] : all)
        if (on) flags.push_back(name);
    return flags;
}

nlohmann::json characterEntry(CharacterSprite* character) {
    CompositeAnimation* animation = character->getAnimation();
    nlohmann::json entry = {
        {"id", character->getCharacterId()},
        {"kind", character->getSpawnKind()},
        {"name", character->getRecordName()},
        {"position", dump::point(character->getPosition())},
        {"hp", character->getHp()},
        {"maxHp", character->getMaxHp()},
        {"flags", flagsOf(character)},
        {"moveX", dump::shortNumber(character->getMoveX())},
        {"moveY", dump::shortNumber(character->getMoveY())},
        {"surfaceContacts", character->getSurfaceContacts()},
        {"stunTimer", character->getStunTimer()},
        {"invincibleFrames", character->getInvincibleTimer()},
        {"animation", animation ? animation->getFileName() : std::string()},
        {"partner", character->getPartner() ? character->getPartner()->getCharacterId() : -1}};
    auto* enemy = dynamic_cast<EnemyCharacter*>(character);
    CharacterActionPettern* pattern = enemy ? enemy->getPattern() : nullptr;
    if (pattern) {
        entry["ai"] = {{"table", pattern->getAiId()},
                       {"locked", pattern->isAiLocked()},
                       {"halted", pattern->isHalted()}};
        entry["action"] = {{"table", pattern->getCurrentTableId()}, {"step", pattern->getStep()}};
        entry["frameCounter"] = pattern->getFrameCounter();
        entry["fadeCounter"] = enemy->getFadeCounter();
        entry["rewardsPaid"] = enemy->hasPaidRewards();
    }
    return entry;
}

nlohmann::json charactersSection() {
    ActionMap* map = playMap();
    if (!map) return nullptr;
    nlohmann::json list = nlohmann::json::array();
    for (CharacterSprite* character : map->getCharacters())
        list.push_back(characterEntry(character));
    return list;
}

nlohmann::json bulletsSection() {
    ActionMap* map = playMap();
    if (!map || !map->getCharacterLayer()) return nullptr;
    nlohmann::json list = nlohmann::json::array();
    for (engine::Node* node : map->getCharacterLayer()->getChildren()) {
        auto* bullet = dynamic_cast<BulletCharacter*>(node);
        if (!bullet) continue;
        CharacterSprite* owner = bullet->getOwner();
        list.push_back({{"id", bullet->getBulletId()},
                        {"kind", bullet->getSpawnKind()},
                        {"owner", owner ? owner->getCharacterId() : -1},
                        {"shooter", bullet->getShooterId()},
                        {"hp", bullet->getHp()},
                        {"life", bullet->getLifeFrames()},
                        {"indestructible", bullet->isIndestructible()},
                        {"facingLeft", bullet->isFacingLeft()},
                        {"position", dump::point(bullet->getPosition())}});
    }
    return list;
}

}  // namespace

void CreatureStateSections::addTo(StateDump& dump) {
    dump.addSection("characters", charactersSection);
    dump.addSection("bullets", bulletsSection);
}

}  // namespace vastomer
