#include "game/character/AttackEvents.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/physics/PhysicsBody.h"
#include "game/character/BulletCharacter.h"
#include "game/character/CharacterSprite.h"
#include "game/character/SpawnEvents.h"
#include "game/data/DataManager.h"
#include "game/data/MasterText.h"

namespace vastomer {

namespace {

constexpr std::size_t MELEE_FIELDS = 8;
constexpr std::size_t SHOT_FIELDS = 3;
constexpr int MAX_BODY_SIDE = 100000;

void reportShort(const std::string& event, const std::string& parameters, std::size_t count,
                 std::size_t needed, const std::string& file) {
    std::fprintf(stderr, "quorin: %s: animation event %s \"%s\" has %zu field(s), needs %zu; ignored\n",
                 file.empty() ? "(animation)" : file.c_str(), event.c_str(), parameters.c_str(), count,
                 needed);
}

// Numbers of event fields: a field that is no number reads as 0; sizes and offsets stay finite and
// within reason.
int integer(const std::string& text) {
    const LeadingInt read = MasterText::leadingInt(text);
    return read.status == LeadingInt::Status::OK ? read.value : 0;
}

float decimal(const std::string& text) {
    constexpr float LIMIT = 1.0e6f;
    float value = 0.0f;
    bool trailing = false;
    if (!MasterText::leadingFloat(text, value, trailing) || !std::isfinite(value)) return 0.0f;
    return std::fmax(-LIMIT, std::fmin(LIMIT, value));
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
    std::size_t needed = 0;
    if (event == GRAPPLE_EVENT) {
        needed = MELEE_FIELDS;
    } else if (event == SHOOT_EVENT) {
        needed = weaponNumber < 0 ? SHOT_FIELDS + 1 : SHOT_FIELDS;
    } else if (event == SpawnEvents::SUMMON_EVENT) {
        needed = SpawnEvents::SUMMON_FIELDS;
    } else if (event == SpawnEvents::TENTACLE_EVENT) {
        needed = SpawnEvents::TENTACLE_FIELDS;
    } else {
        return false;
    }
    if (!character) return true;
    const std::vector<std::string> fields = split(parameters, ':');
    if (fields.size() < needed) {
        reportShort(event, parameters, fields.size(), needed, animationFile);
        return true;
    }
    if (event == GRAPPLE_EVENT) {
        makeMeleeBody(character, fields, weaponNumber);
    } else if (event == SHOOT_EVENT) {
        makeBullet(character, fields, weaponNumber);
    } else if (event == SpawnEvents::SUMMON_EVENT) {
        SpawnEvents::summon(character, fields);
    } else {
        SpawnEvents::tentacle(character, fields);
    }
    return true;
}

engine::Node* AttackEvents::makeMeleeBody(CharacterSprite* character, const std::vector<std::string>& fields,
                                          int weaponNumber) {
    if (!character || fields.size() < MELEE_FIELDS) return nullptr;
    const std::string& name = fields[0];
    const int frames = integer(fields[1]);
    const engine::Size size(static_cast<float>(std::clamp(integer(fields[2]), 0, MAX_BODY_SIDE)),
                            static_cast<float>(std::clamp(integer(fields[3]), 0, MAX_BODY_SIDE)));
    const engine::Vec2 offset(decimal(fields[4]), decimal(fields[5]));
    const engine::Vec2 anchor(decimal(fields[6]), decimal(fields[7]));
    int tag = weaponNumber;
    if (tag < 0) tag = fields.size() > MELEE_FIELDS ? integer(fields[MELEE_FIELDS]) : -1;

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
    if (weapon < 0) weapon = fields.size() > SHOT_FIELDS ? integer(fields[SHOT_FIELDS]) : -1;
    const WeaponMaster record = data->getWeaponMaster(weapon);
    if (!record.hasBullet) return nullptr;
    BulletCharacter* bullet = BulletCharacter::create(record.bulletId, fields[2]);
    if (!bullet) return nullptr;

    const engine::Size& size = character->getContentSize();
    const engine::Vec2 corner = character->getPosition() - engine::Vec2(size.width / 2, size.height / 2);
    const float muzzleX = decimal(fields[0]) + character->getWeaponOffset().x;
    const float muzzleY = decimal(fields[1]) + character->getWeaponOffset().y;
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
