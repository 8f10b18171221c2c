#include "game/character/AttackEvents.h"

#include <cstdio>
#include <cstdlib>

#include "engine/physics/PhysicsBody.h"
#include "game/character/BulletCharacter.h"
#include "game/character/CharacterSprite.h"
#include "game/data/DataManager.h"

namespace vastomer {

namespace {

constexpr std::size_t MELEE_FIELDS = 8;
constexpr std::size_t SHOT_FIELDS = 3;

void reportBad(const std::string& event, const std::string& parameters, const std::string& file) {
    std::fprintf(stderr, "quorin: %s: animation event %s has bad parameters \"%s\"; nothing is made\n",
                 file.empty() ? "(animation)" : file.c_str(), event.c_str(), parameters.c_str());
}

}  // namespace

std::vector<std::string> AttackEvents::split(const std::string& text, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    while (true) {
        std::size_t end = text.find(separator, start);
        fields.push_back(text.substr(start, end == std::string::npos ? std::string::npos : end - start));
        if (end == std::string::npos) break;
        start = end + 1;
    }
    return fields;
}

bool AttackEvents::handle(CharacterSprite* character, const std::string& event, const std::string& parameters,
                          int weaponNumber, const std::string& animationFile) {
    const bool melee = event == GRAPPLE_EVENT;
    if (!melee && event != SHOOT_EVENT) return false;
    if (!character) return true;
    const std::vector<std::string> fields = split(parameters, ':');
    bool made = melee ? makeMeleeBody(character, fields, weaponNumber) != nullptr
                      : makeBullet(character, fields, weaponNumber) != nullptr;
    if (!made && fields.size() < (melee ? MELEE_FIELDS : SHOT_FIELDS))
        reportBad(event, parameters, animationFile);
    return true;
}

engine::Node* AttackEvents::makeMeleeBody(CharacterSprite* character, const std::vector<std::string>& fields,
                                          int weaponNumber) {
    if (!character || fields.size() < MELEE_FIELDS) return nullptr;
    const std::string& name = fields[0];
    const int frames = std::atoi(fields[1].c_str());
    const engine::Size size(static_cast<float>(std::atoi(fields[2].c_str())),
                            static_cast<float>(std::atoi(fields[3].c_str())));
    const engine::Vec2 offset(std::strtof(fields[4].c_str(), nullptr),
                              std::strtof(fields[5].c_str(), nullptr));
    const engine::Vec2 anchor(std::strtof(fields[6].c_str(), nullptr),
                              std::strtof(fields[7].c_str(), nullptr));
    int tag = weaponNumber;
    if (tag < 0) tag = fields.size() > MELEE_FIELDS ? std::atoi(fields[MELEE_FIELDS].c_str()) : -1;

    engine::Node* node = engine::Node::create();
    node->setAnchorPoint(anchor);
    node->setContentSize(size);
    const engine::Size& characterSize = character->getContentSize();
    node->setPosition(engine::Vec2(characterSize.width / 2, characterSize.height / 2) + offset +
                      character->getWeaponOffset());
    node->setName(name);
    node->setTag(tag);
    auto* body = engine::PhysicsBody::createBox(size);
    body->setDynamic(false);
    body->setGravityEnable(false);
    body->setContactTestBitmask(1);
    body->setCollisionBitmask(0);
    body->setName(name);
    node->setPhysicsBody(body);
    character->addChild(node);
    character->addTimedNode(node, frames);
    return node;
}

BulletCharacter* AttackEvents::makeBullet(CharacterSprite* character, const std::vector<std::string>& fields,
                                          int weaponNumber) {
    if (!character || fields.size() < SHOT_FIELDS || !character->getParent()) return nullptr;
    DataManager* data = DataManager::getInstance();
    if (!data) return nullptr;
    int weapon = weaponNumber;
    if (weapon < 0) weapon = fields.size() > SHOT_FIELDS ? std::atoi(fields[SHOT_FIELDS].c_str()) : -1;
    const WeaponMaster record = data->getWeaponMaster(weapon);
    if (!record.hasBullet) return nullptr;
    BulletCharacter* bullet = BulletCharacter::create(record.bulletId, fields[2]);
    if (!bullet) return nullptr;

    const engine::Size& size = character->getContentSize();
    const engine::Vec2 corner = character->getPosition() - engine::Vec2(size.width / 2, size.height / 2);
    const float muzzleX = std::strtof(fields[0].c_str(), nullptr) + character->getWeaponOffset().x;
    const float muzzleY = std::strtof(fields[1].c_str(), nullptr) + character->getWeaponOffset().y;
    const float x = character->isFacingLeft() ? corner.x + muzzleX : corner.x + (size.width - muzzleX);
    bullet->setFacingLeft(character->isFacingLeft());
    bullet->setPosition(x, corner.y + muzzleY);
    bullet->setOwner(character);
    bullet->setShooterId(character->getCharacterId());
    character->getParent()->addChild(bullet);
    data->addShotCount();
    return bullet;
}

CharacterSprite* AttackEvents::ownerOf(engine::Node* meleeBody) {
    return meleeBody ? dynamic_cast<CharacterSprite*>(meleeBody->getParent()) : nullptr;
}

}  // namespace vastomer
