#include "game/character/SpawnEvents.h"

#include <cmath>
#include <cstdio>

#include "game/character/ActionMap.h"
#include "game/character/BulletCharacter.h"
#include "game/character/EnemyCharacter.h"
#include "game/character/EnemyFactory.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/data/MasterText.h"
#include "game/play/PlayController.h"

namespace vastomer {

namespace {

float decimal(const std::string& text) {
    float value = 0.0f;
    bool trailing = false;
    return MasterText::leadingFloat(text, value, trailing) && std::isfinite(value) ? value : 0.0f;
}

int integer(const std::string& text) {
    const LeadingInt read = MasterText::leadingInt(text);
    return read.status == LeadingInt::Status::OK ? read.value : 0;
}

// Truncated toward zero, kept within the range a position can sensibly hold.
float whole(float value) {
    constexpr float LIMIT = 1.0e7f;
    return std::trunc(std::fmax(-LIMIT, std::fmin(LIMIT, value)));
}

PlayerCharacter* playerOnMap() {
    DataManager* data = DataManager::peekInstance();
    PlayerCharacter* player = data ? data->getPlayerCharacter() : nullptr;
    return player && player->getParent() ? player : nullptr;
}

// The map a character lives on: the nearest ActionMap above it.
ActionMap* mapOf(engine::Node* node) {
    for (engine::Node* up = node ? node->getParent() : nullptr; up; up = up->getParent())
        if (auto* map = dynamic_cast<ActionMap*>(up)) return map;
    return nullptr;
}

}  // namespace

CharacterSprite* SpawnEvents::summon(CharacterSprite* summoner, const std::vector<std::string>& fields) {
    if (!summoner || fields.size() < SUMMON_FIELDS || !summoner->getParent()) return nullptr;
    if (!PlayController::current()) return nullptr;
    const engine::Vec2 offset(whole(decimal(fields[0])), whole(decimal(fields[1])));
    const std::string& name = fields[2];
    const int id = integer(fields[3]);
    const int facing = integer(fields[4]);
    const std::string& place = fields[5];
    const bool ally = fields.size() > SUMMON_FIELDS && fields[SUMMON_FIELDS] == "ally";

    const engine::Vec2 self = summoner->getPosition();
    const PlayerCharacter* player = playerOnMap();
    const engine::Vec2 target = player ? player->getPosition() : self;
    engine::Vec2 position = self + offset;
    if (place == "player") {
        position = target + offset;
    } else if (place == "playerX") {
        position = engine::Vec2(target.x + offset.x, self.y + offset.y);
    } else if (place == "playerY") {
        position = engine::Vec2(self.x + offset.x, target.y + offset.y);
    } else if (place == "direct") {
        position =
            engine::Vec2(self.x + (summoner->isFacingLeft() ? offset.x : -offset.x), self.y + offset.y);
    } else if (place == "abs") {
        position = offset;
    }

    ActionMap* map = mapOf(summoner);
    const int index = map ? map->getMarkerCharacterCount() : 0;
    CharacterSprite* summoned =
        ally ? CharacterSprite::create(id, index, name, 0) : EnemyFactory::create(id, index, "enemy", 0);
    if (!summoned) {
        std::fprintf(stderr, "quorin: character %d summons character %d, which cannot be made; skipped\n",
                     summoner->getCharacterId(), id);
        return nullptr;
    }
    bool faceLeft = summoner->isFacingLeft();
    if (facing == 1) faceLeft = !summoner->isFacingLeft();
    if (facing == 2) faceLeft = player && player->getPositionX() > position.x;
    if (facing == 3) faceLeft = true;
    if (facing == 4) faceLeft = false;
    summoned->setFacingLeft(faceLeft);
    summoned->setPosition(position);
    summoned->setPartner(summoner);
    summoner->getParent()->addChild(summoned);
    if (map) {
        map->addCharacter(summoned, false);
    } else {
        summoned->setActionLocked(summoner->isActionLocked());
        summoned->scheduleUpdate();
    }
    if (!summoned->isFloating()) summoned->setGravityActive(true);
    // A summoned creature acts at once, in the air too (it starts again when it lands).
    if (auto* enemy = dynamic_cast<EnemyCharacter*>(summoned)) enemy->startPattern();
    return summoned;
}

BulletCharacter* SpawnEvents::tentacle(CharacterSprite* character, const std::vector<std::string>& fields) {
    DataManager* data = DataManager::getInstance();
    if (!character || !data || fields.size() < TENTACLE_FIELDS || !character->getParent()) return nullptr;
    const int bulletId = integer(fields[0]);
    if (!data->getMasterTables().hasBullet(bulletId)) return nullptr;
    const std::string& kind = fields[1];
    const std::string& place = fields[2];
    const float dx = whole(decimal(fields[3]));
    const float dy = whole(decimal(fields[4]));
    const std::string& mode = fields[5];
    const float sx = decimal(fields[6]);
    const float sy = whole(decimal(fields[7]));
    const int hp = integer(fields[8]);

    const engine::Vec2 position = character->getPosition();
    const engine::Size& size = character->getContentSize();
    const BulletCharacter* last = character->getLastSegment();
    float x = dx;
    float y = dy;
    if (place == "ABS") {
        const engine::Vec2 corner = position - engine::Vec2(size.width / 2, size.height / 2);
        x = whole(character->isFacingLeft() ? corner.x + dx : corner.x + (size.width - dx));
        y = corner.y + dy;
    } else if (place == "PREV" && last) {
        const engine::Size& lastSize = last->getContentSize();
        x = whole(last->getPositionX() + lastSize.width / 2 + dx);
        y = last->getPositionY() + lastSize.height / 2 + dy;
    }

    if (mode == "PLAYER") {
        if (const PlayerCharacter* player = playerOnMap()) {
            const engine::Vec2 p = player->getPosition();
            engine::Vec2 step;
            if (x - sx > p.x) {
                step.x = -sx;
                x = whole(x - sx);
            } else if (x + sx < p.x) {
                step.x = sx;
                x = whole(x + sx);
            }
            if (std::fabs(p.y - y) > player->getContentSize().height / 4) {
                if (y - sy > p.y) {
                    step.y = -sy;
                    y -= sy;
                } else if (y + sy < p.y) {
                    step.y = sy;
                    y += sy;
                }
            }
            if (step.x == 0.0f && step.y == 0.0f) {
                character->setSegmentStep(engine::Vec2(p.x <= x ? -sx : sx, 0.0f));
            } else {
                character->setSegmentStep(step);
            }
        }
    } else if (mode == "PREV") {
        x = whole(x + character->getSegmentStep().x);
        y += character->getSegmentStep().y;
    }

    BulletCharacter* segment = BulletCharacter::create(bulletId, kind);
    if (!segment) return nullptr;
    segment->setPosition(x, y);
    segment->setFacingLeft(character->isFacingLeft());
    segment->setHp(hp);
    segment->setMaxHp(hp);
    segment->setWearsEveryFrame(true);
    character->getParent()->addChild(segment);
    data->addShotCount();
    segment->setOwner(character);
    segment->setShooterId(character->getCharacterId());
    character->setLastSegment(segment);
    return segment;
}

}  // namespace vastomer
