#include "game/character/BulletCharacter.h"

#include <algorithm>
#include <cmath>

#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsShape.h"
#include "game/data/DataManager.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

BulletCharacter* BulletCharacter::create(int bulletId, const std::string& spawnKind) {
    auto* bullet = new BulletCharacter();
    if (!bullet->initBullet(bulletId, spawnKind)) {
        delete bullet;
        return nullptr;
    }
    bullet->autorelease();
    return bullet;
}

bool BulletCharacter::initBullet(int bulletId, const std::string& spawnKind) {
    DataManager* data = DataManager::getInstance();
    if (!data) return false;
    bullet_ = data->getBulletMaster(bulletId);
    bulletId_ = bullet_.id;
    if (bulletId_ == -1) return false;
    if (!initWithRecord(-1, CharacterMaster(), 0, spawnKind, 0)) return false;

    hp_ = maxHp_ = bullet_.hp;
    floating_ = false;
    gravityActive_ = false;
    hasLanded_ = false;
    noMotionControl_ = false;
    characterId_ = bulletId_;
    setTag(bulletId_);
    directionMode_ = bullet_.moveType;
    if (directionMode_ == BY_VELOCITY) {
        moveAcceleration_ = bullet_.velocity.x;
        moveSpeed_ = std::abs(bullet_.velocity.x);
        verticalAcceleration_ = moveYMax_ = moveYMin_ = bullet_.velocity.y;
    } else {
        moveAcceleration_ = verticalAcceleration_ = moveSpeed_ = moveYMax_ = bullet_.speed;
        moveYMin_ = -bullet_.speed;
    }
    invincibleTimer_ = 0;
    if (animation_) {
        animation_->load(NSpriteAnimationManager::getInstance()->getBulletAnimationFile(bulletId_));
        animation_->play(nullptr, true);
    }
    if (maxHp_ == 0) indestructible_ = true;
    scheduleUpdate();
    return true;
}

void BulletCharacter::setupBody() {
    setPhysicsBody(nullptr);
    auto* body = engine::PhysicsBody::createBox(bullet_.size, engine::PhysicsMaterial(1.0f, 0.0f, 5.0f));
    body->setMass(0.1f);
    body->setMoment(1.0f);
    body->setRotationEnable(false);
    body->setCollisionBitmask(0);
    body->setGravityEnable(false);
    body->setContactTestBitmask(1);
    body->setName(spawnKind_);
    setPhysicsBody(body);
}

void BulletCharacter::drive() {
    const float horizontal = moveAcceleration_ * (facingLeft_ ? -1.0f : 1.0f);
    const bool driveX = directionMode_ == ALONG_FACING || directionMode_ == BY_VELOCITY;
    if (driveX) {
        if ((blockedLeft_ && horizontal < 0.0f) || (blockedRight_ && horizontal > 0.0f)) {
            moveX_ = 0.0f;
        } else {
            moveX_ = std::clamp(moveX_ + horizontal, -moveSpeed_, moveSpeed_);
        }
    }
    if (directionMode_ == DOWNWARD) moveY_ = std::clamp(moveY_ - verticalAcceleration_, moveYMin_, moveYMax_);
    if (directionMode_ == UPWARD) moveY_ = std::clamp(moveY_ + verticalAcceleration_, moveYMin_, moveYMax_);
    // Mode 3 flies at the record's fixed vertical speed.
    if (directionMode_ == BY_VELOCITY) moveY_ = verticalAcceleration_;
}

void BulletCharacter::update(float dt) {
    if (paused_ || defeated_) return;
    engine::RefPtr<BulletCharacter> keepAlive(this);
    if (!actionLocked_) drive();
    if ((surfaceContacts_ > 0 || touchingPlayer_) && !indestructible_) damage(1);
    if (defeated_) return;
    if (wearsEveryFrame_) damage(1);
    if (defeated_) return;
    if (++lifeFrames_ >= LIFE_FRAMES) {
        die();
        return;
    }
    CharacterSprite::update(dt);
}

void BulletCharacter::damage(int /*amount*/) {
    if (defeated_) return;
    --hp_;
    if (hp_ < 1) die();
}

void BulletCharacter::die() {
    if (defeated_) return;
    defeated_ = true;
    if (engine::PhysicsBody* body = getPhysicsBody()) {
        body->setContactTestBitmask(0);
        body->setCollisionBitmask(0);
    }
    engine::RefPtr<BulletCharacter> keepAlive(this);
    removeFromParent();
}

bool BulletCharacter::onContactBegin(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                                     float ny) {
    if (!other || !other->getBody()) return true;
    const std::string& otherName = other->getBody()->getName();
    if (otherName == "safenet") {
        die();
        return true;
    }
    if (otherName == "ground" || otherName == "wall") {
        // Worn a point a frame while it touches (the update), unless it cannot wear out.
        if (!indestructible_) ++surfaceContacts_;
        return true;
    }
    if (otherName.empty() || defeated_ || !getParent()) return true;
    auto* target = dynamic_cast<CharacterSprite*>(other->getBody()->getNode());
    if (!target || target->getSpawnKind() == spawnKind_ || !hits(target)) return true;
    engine::RefPtr<BulletCharacter> keepAlive(this);
    engine::RefPtr<CharacterSprite> keepTarget(target);
    if (auto* bullet = dynamic_cast<BulletCharacter*>(target)) {
        // Shots that meet wear each other out; handing the contact on would only hand it back.
        if (bullet->isDefeated()) return true;
        if (!bullet->isIndestructible()) bullet->damage(1);
    } else {
        target->onContactBegin(other, own, -nx, -ny);
    }
    if (!indestructible_) damage(1);
    return true;
}

bool BulletCharacter::hits(const CharacterSprite* target) const {
    if (target == owner_.get()) return false;
    const std::string kind = target->getSpawnKind();
    return !(spawnKind_ == "enemyBullet" && (kind == "enemy" || kind == "groupBoss"));
}

bool BulletCharacter::onContactSeparate(engine::PhysicsShape* /*own*/, engine::PhysicsShape* other,
                                        float /*nx*/, float /*ny*/) {
    if (!other || !other->getBody()) return true;
    const std::string& otherName = other->getBody()->getName();
    if ((otherName == "ground" || otherName == "wall") && !indestructible_ && surfaceContacts_ > 0)
        --surfaceContacts_;
    return true;
}

}  // namespace vastomer
