#include "game/character/ActionMap.h"

#include <cctype>
#include <climits>
#include <cstdio>
#include <regex>

#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsWorld.h"
#include "engine/scene/Director.h"
#include "engine/tilemap/TMXObjectGroup.h"
#include "engine/tilemap/TMXTiledMap.h"
#include "game/character/CharacterSprite.h"
#include "game/character/EnemyFactory.h"

namespace vastomer {

namespace {

engine::PhysicsWorld* runningWorld() {
    engine::Scene* scene = engine::Director::getInstance()->getRunningScene();
    return scene ? scene->getPhysicsWorld() : nullptr;
}

std::string textOf(const engine::ValueMap& map, const char* key) {
    auto found = map.find(key);
    return found == map.end() ? std::string() : found->second.asString();
}

float floatOf(const engine::ValueMap& map, const char* key) {
    auto found = map.find(key);
    return found == map.end() ? 0.0f : found->second.asFloat();
}

engine::Sprite* makeLayer(engine::Node* parent, int z) {
    engine::Sprite* layer = engine::Sprite::create();
    parent->addChild(layer, z);
    return layer;
}

}  // namespace

ActionMap* ActionMap::create() {
    auto* map = new ActionMap();
    if (!map->init()) {
        delete map;
        return nullptr;
    }
    map->autorelease();
    return map;
}

bool ActionMap::init() {
    return Node::init();
}

// ---------------------------------------------------------------- numbers

bool ActionMap::isNumber(const std::string& text) {
    static const std::regex pattern("^[-+]?[0-9]*.?[0-9]+$");
    return std::regex_match(text, pattern);
}

bool ActionMap::toInt(const std::string& text, int& value) {
    std::size_t i = 0;
    while (i < text.size() && std::isspace(static_cast<unsigned char>(text[i])))
        ++i;
    bool negative = false;
    if (i < text.size() && (text[i] == '+' || text[i] == '-')) negative = text[i++] == '-';
    if (i >= text.size() || !std::isdigit(static_cast<unsigned char>(text[i]))) return false;
    long long number = 0;
    for (; i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])); ++i) {
        number = number * 10 + (text[i] - '0');
        if (number > static_cast<long long>(INT_MAX) + 1) return false;
    }
    if (negative) number = -number;
    if (number < INT_MIN || number > INT_MAX) return false;
    value = static_cast<int>(number);
    return true;
}

int ActionMap::numberIn(const std::string& text, bool* problem) {
    if (problem) *problem = false;
    if (!isNumber(text)) return 0;
    int value = 0;
    if (toInt(text, value)) return value;
    if (problem) *problem = true;
    return 0;
}

// ---------------------------------------------------------------- loading

void ActionMap::clearMap() {
    if (!mapRoot_) return;
    engine::RefPtr<engine::Node> old(mapRoot_);
    std::vector<engine::RefPtr<engine::Node>> children(old->getChildren().begin(), old->getChildren().end());
    for (auto& child : children)
        if (child->getPhysicsBody()) child->setPhysicsBody(nullptr);
    old->removeAllChildrenWithCleanup(true);
    old->removeFromParent();
    mapRoot_ = nullptr;
    tiledMap_ = nullptr;
    characterLayer_ = backLayer_ = frontLayer_ = nullptr;
}

bool ActionMap::loadMap(const std::string& path) {
    clearMap();
    mapFile_ = path;
    tiledMap_ = engine::TMXTiledMap::create(path);
    if (tiledMap_) {
        mapRoot_ = tiledMap_;
    } else {
        std::fprintf(stderr, "quorin: %s: the map cannot be loaded; the part is shown empty\n", path.c_str());
        mapRoot_ = engine::Node::create();
    }
    mapRoot_->setPosition(engine::Vec2::ZERO);
    addChild(mapRoot_, 1);
    if (tiledMap_) {
        if (engine::Node* layer = tiledMap_->getLayer("base")) layer->setLocalZOrder(BASE_Z);
        if (engine::Node* layer = tiledMap_->getLayer("objectA")) layer->setLocalZOrder(OBJECT_A_Z);
    }
    backLayer_ = makeLayer(mapRoot_, BACK_LAYER_Z);
    characterLayer_ = makeLayer(mapRoot_, CHARACTER_LAYER_Z);
    frontLayer_ = makeLayer(mapRoot_, FRONT_LAYER_Z);
    if (tiledMap_) {
        if (engine::Node* layer = tiledMap_->getLayer("objectB")) layer->setLocalZOrder(OBJECT_B_Z);
        if (engine::Node* layer = tiledMap_->getLayer("NEAR")) layer->setLocalZOrder(NEAR_Z);
    }
    return tiledMap_ != nullptr;
}

std::vector<MapObjectRecord> ActionMap::readRecords(const engine::TMXObjectGroup* group,
                                                    bool collisionGroup) {
    std::vector<MapObjectRecord> records;
    if (!group) return records;
    for (const engine::Value& value : group->getObjects()) {
        if (value.getType() != engine::Value::Type::MAP) continue;
        const engine::ValueMap& object = value.asValueMap();
        MapObjectRecord record;
        record.name = textOf(object, "name");
        record.type = textOf(object, "type");
        record.width = static_cast<int>(floatOf(object, "width"));
        record.height = static_cast<int>(floatOf(object, "height"));
        record.x = floatOf(object, "x");
        record.y = floatOf(object, "y");
        record.objectId = static_cast<int>(floatOf(object, "id"));
        auto found = object.find(collisionGroup ? "rotate" : "isBoss");
        if (found != object.end()) {
            if (collisionGroup) {
                record.rotate = found->second.asFloat();
            } else {
                record.isBoss = found->second.asBool();
            }
        }
        records.push_back(record);
    }
    return records;
}

void ActionMap::buildCollision() {
    if (!tiledMap_) return;
    const engine::TMXObjectGroup* group = tiledMap_->getObjectGroup("collision");
    if (!group) std::fprintf(stderr, "quorin: %s: no object group \"collision\"\n", mapFile_.c_str());
    for (const MapObjectRecord& record : readRecords(group, true)) {
        if (record.width == 0 || record.height == 0) continue;
        const engine::Size size(static_cast<float>(record.width), static_cast<float>(record.height));
        auto* body = engine::PhysicsBody::createBox(size, engine::PhysicsMaterial(0.0f, 0.0f, 1.0f));
        // A static box has no mass to give: it is never moved by the world.
        body->setMoment(1.0f);
        body->setRotationEnable(false);
        body->setGravityEnable(false);
        body->setDynamic(false);
        body->setContactTestBitmask(record.type == "collision" ? 1 : 0);
        body->setName(record.name);
        engine::Node* node = engine::Node::create();
        node->setContentSize(size);
        node->setAnchorPoint(engine::Vec2::ZERO);
        node->setPhysicsBody(body);
        node->setPosition(record.x, record.y);
        node->setRotation(record.rotate);
        mapRoot_->addChild(node);
    }
}

// ---------------------------------------------------------------- markers

void ActionMap::reportMarker(const MapObjectRecord& record, const std::string& message) const {
    std::fprintf(stderr, "quorin: %s: object %d (\"%s\", type \"%s\"): %s\n", mapFile_.c_str(),
                 record.objectId, record.name.c_str(), record.type.c_str(), message.c_str());
}

void ActionMap::readObjects() {
    markerCharacterCount_ = 0;
    creatureMarkers_ = 0;
    // Markers belong to the map read now: one without a start marker starts at (0, 0).
    startPosition_ = engine::Vec2::ZERO;
    appearPoints_.clear();
    groupBossPresent_ = false;
    for (CharacterSprite* character : getCharacters())
        character->removeFromParent();
    characters_.clear();
    if (!tiledMap_) return;
    const engine::TMXObjectGroup* group = tiledMap_->getObjectGroup("object");
    if (!group) std::fprintf(stderr, "quorin: %s: no object group \"object\"\n", mapFile_.c_str());

    for (const MapObjectRecord& record : readRecords(group, false)) {
        bool problem = false;
        if (record.type == "start") {
            startPosition_ = engine::Vec2(record.x, record.y);
        } else if (record.name == "appear") {
            appearPoints_[numberIn(record.type, &problem)] = engine::Vec2(record.x, record.y);
        } else if (record.name == "enemy" || record.name == "groupBoss") {
            ++creatureMarkers_;
            if (isNumber(record.type)) spawnMarkerCreature(record, record.name);
        } else if (record.name == "move") {
            const std::size_t colon = record.type.find(':');
            if (colon == std::string::npos) {
                addSensor(record, "move", numberIn(record.type, &problem), -1);
            } else {
                bool second = false;
                addSensor(record, "move", numberIn(record.type.substr(0, colon), &problem),
                          numberIn(record.type.substr(colon + 1), &second));
                problem = problem || second;
            }
        } else if (record.name == "scenario") {
            const int number = numberIn(record.type, &problem);
            addSensor(record, "scenario", number, number);
        }
        if (problem) reportMarker(record, "the number cannot be read; 0 is used");
    }
    if (groupBossPresent_) {
        for (CharacterSprite* character : getCharacters())
            if (character->getRecordName() != "player" && !character->isBoss()) giveGroupCallback(character);
    }
}

void ActionMap::addSensor(const MapObjectRecord& record, const std::string& bodyName, int bodyTag,
                          int nodeTag) {
    const engine::Size size(static_cast<float>(record.width), static_cast<float>(record.height));
    auto* body = engine::PhysicsBody::createBox(size);
    body->setRotationEnable(false);
    body->setGravityEnable(false);
    body->setDynamic(false);
    body->setContactTestBitmask(1);
    body->setCollisionBitmask(0);
    body->setName(bodyName);
    body->setTag(bodyTag);
    engine::Node* node = engine::Node::create();
    node->setTag(nodeTag);
    node->setContentSize(size);
    node->setAnchorPoint(engine::Vec2::ZERO);
    node->setPhysicsBody(body);
    node->setPosition(record.x, record.y);
    mapRoot_->addChild(node);
}

void ActionMap::spawnMarkerCreature(const MapObjectRecord& record, const std::string& kind) {
    bool problem = false;
    const int id = numberIn(record.type, &problem);
    if (problem) reportMarker(record, "the character number cannot be read; 0 is used");
    CharacterSprite* creature = EnemyFactory::create(id, markerCharacterCount_, kind, 0);
    if (!creature) return;
    creature->setPosition(record.x, record.y);
    if (kind == "groupBoss") {
        if (engine::PhysicsBody* body = creature->getPhysicsBody()) {
            body->setCollisionBitmask(0);
            body->setContactTestBitmask(0);
        }
        characterLayer_->addChild(creature);
        creature->setIsBoss(true);
        addCharacter(creature, false);
        groupBossPresent_ = true;
    } else {
        characterLayer_->addChild(creature);
        creature->setIsBoss(record.isBoss);
        creature->setActionLocked(actionLocked_);
        characters_.emplace_back(creature);
        creature->scheduleUpdate();
        if (groupBossPresent_) giveGroupCallback(creature);
    }
    ++markerCharacterCount_;
}

void ActionMap::giveGroupCallback(CharacterSprite* character) {
    engine::WeakRef<ActionMap> map(this);
    character->setDefeatCallback([map](CharacterSprite*) {
        ActionMap* self = map.get();
        if (!self) return;
        CharacterSprite* boss = self->getBoss();
        if (!boss || boss->getHp() < 1) return;
        // Every minion costs its point, also one felled while the boss still reels from the last.
        const int before = boss->getHp();
        boss->damage(1);
        if (boss->getHp() == before) boss->addHp(-1);
    });
}

// ---------------------------------------------------------------- characters

void ActionMap::addCharacter(CharacterSprite* character, bool withoutGroupCallback) {
    if (!character) return;
    character->setActionLocked(actionLocked_);
    characters_.emplace_back(character);
    character->scheduleUpdate();
    if (!withoutGroupCallback && groupBossPresent_) giveGroupCallback(character);
}

void ActionMap::removeCharacter(CharacterSprite* character) {
    std::vector<engine::WeakRef<CharacterSprite>> kept;
    for (auto& entry : characters_)
        if (entry && entry.get() != character) kept.push_back(entry);
    characters_ = std::move(kept);
}

engine::Vec2 ActionMap::getAppearPosition(int id) const {
    auto found = appearPoints_.find(id);
    return found == appearPoints_.end() ? startPosition_ : found->second;
}

void ActionMap::prune() {
    std::vector<engine::WeakRef<CharacterSprite>> alive;
    for (auto& entry : characters_)
        if (entry) alive.push_back(entry);
    characters_ = std::move(alive);
}

std::vector<CharacterSprite*> ActionMap::getCharacters() {
    prune();
    std::vector<CharacterSprite*> list;
    list.reserve(characters_.size());
    for (auto& entry : characters_)
        list.push_back(entry.get());
    return list;
}

void ActionMap::removeAllCharacters() {
    std::vector<engine::RefPtr<CharacterSprite>> held;
    for (CharacterSprite* character : getCharacters())
        held.emplace_back(character);
    characters_.clear();
    for (auto& character : held)
        character->removeFromParent();
}

void ActionMap::setActionLocked(bool locked) {
    actionLocked_ = locked;
    for (CharacterSprite* character : getCharacters())
        character->setActionLocked(locked);
}

void ActionMap::pauseCharacters() {
    if (engine::PhysicsWorld* world = runningWorld()) world->setSpeed(0.0f);
    for (CharacterSprite* character : getCharacters())
        character->setPaused(true);
}

void ActionMap::resumeCharacters() {
    if (engine::PhysicsWorld* world = runningWorld()) world->setSpeed(1.0f);
    for (CharacterSprite* character : getCharacters())
        character->setPaused(false);
}

CharacterSprite* ActionMap::getBoss() {
    for (CharacterSprite* character : getCharacters())
        if (character->isBoss()) return character;
    return nullptr;
}

bool ActionMap::hasCharacterNamed(const std::string& name) {
    for (CharacterSprite* character : getCharacters())
        if (character->getSpawnKind() == name || character->getRecordName() == name) return true;
    return false;
}

void ActionMap::forEachCharacter(const std::function<void(CharacterSprite*)>& function) {
    if (!function) return;
    std::vector<engine::RefPtr<CharacterSprite>> held;
    for (CharacterSprite* character : getCharacters())
        held.emplace_back(character);
    for (auto& character : held)
        function(character);
}

void ActionMap::landAllCharacters() {
    std::vector<CharacterSprite*> list = getCharacters();
    for (CharacterSprite* character : list)
        if (!character->isFloating()) character->setGravityActive(true);
    for (CharacterSprite* character : list)
        character->land();
}

bool ActionMap::allCharactersLanded() {
    for (CharacterSprite* character : getCharacters()) {
        if (character->isFloating()) continue;
        character->setGravityActive(true);
        if (!character->hasLanded()) return false;
    }
    return true;
}

}  // namespace vastomer
