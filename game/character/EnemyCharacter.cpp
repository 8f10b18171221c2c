#include "game/character/EnemyCharacter.h"

#include <cstdio>

#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsShape.h"
#include "game/character/AttackEvents.h"
#include "game/character/BulletCharacter.h"
#include "game/character/CharacterActionPettern.h"
#include "game/character/HitEffect.h"
#include "game/data/DataManager.h"
#include "game/play/PlayController.h"
#include "game/play/PlayInterface.h"
#include "game/play/PlayScene.h"

namespace vastomer {

namespace {

std::string bodyNameOf(engine::PhysicsShape* shape) {
    return shape && shape->getBody() ? shape->getBody()->getName() : std::string();
}

engine::Node* nodeOf(engine::PhysicsShape* shape) {
    return shape && shape->getBody() ? shape->getBody()->getNode() : nullptr;
}

}  // namespace

EnemyCharacter* EnemyCharacter::create(int id, int index, const std::string& spawnKind, int variant) {
    auto* enemy = new EnemyCharacter();
    if (!enemy->init(id, index, spawnKind, variant)) {
        delete enemy;
        return nullptr;
    }
    enemy->autorelease();
    return enemy;
}

bool EnemyCharacter::init(int id, int index, const std::string& spawnKind, int variant) {
    DataManager* data = DataManager::getInstance();
    if (!data) return false;
    if (!data->getMasterTables().hasCharacter(id)) {
        // An all-zero record would make a creature without hit points that falls at once.
        std::fprintf(stderr,
                     "quorin: character %d has no record in master/character_master.data; no creature "
                     "is made\n",
                     id);
        return false;
    }
    if (!CharacterSprite::init(id, index, spawnKind, variant)) return false;
    pattern_ = CharacterActionPettern::create(record_.aiId);
    if (!pattern_) return false;
    addChild(pattern_);
    pattern_->setOwner(this);
    setTag(0);
    invincibleFrames_ = COMMON_INVINCIBLE_FRAMES;
    return true;
}

void EnemyCharacter::startPattern() {
    patternStarted_ = true;
    if (pattern_) pattern_->start();
}

// ---------------------------------------------------------------- frame

void EnemyCharacter::update(float dt) {
    if (paused_) return;
    engine::RefPtr<EnemyCharacter> keepAlive(this);
    if (defeated_) {
        fade();
        return;
    }
    blink();
    if (stunTimer_ == 0) {
        // A creature that floats never lands: it starts acting where it is placed.
        if (!patternStarted_ && floating_) land();
        const bool locked = animation_ && animation_->isLocked();
        if (!locked && !actionLocked_ && !attacking_ && !isShowing(CharacterAnimState::DAMAGE) && pattern_)
            pattern_->tick(dt);
    } else {
        holdStunned();
    }
    CharacterSprite::update(dt);
}

void EnemyCharacter::blink() {
    if (!animation_) return;
    uint8_t opacity = 255;
    if (invincibleTimer_ >= 1 || stunTimer_ >= 1) {
        DataManager* data = DataManager::getInstance();
        opacity = data && data->randomBelow(4) == 0 ? 100 : 200;
    }
    animation_->setOpacity(opacity);
}

void EnemyCharacter::holdStunned() {
    // Held still without the waiting motion, so the hurt motion is not restarted every frame.
    haltWalk();
    haltFlight();
    if (animation_ && !isShowing(CharacterAnimState::DAMAGE)) {
        // The stun cuts an attack short: its end, which would free the creature, never comes.
        attacking_ = false;
        animation_->setLocked(false);
        showState(CharacterAnimState::DAMAGE, true);
        animation_->setLocked(true);
    }
    if (stunTimer_ == 1) {
        if (animation_) animation_->setLocked(false);
        showState(CharacterAnimState::WAIT, true);
        startPattern();
    }
}

void EnemyCharacter::fade() {
    // It stays where it fell while it goes down.
    if (engine::PhysicsBody* body = getPhysicsBody()) body->setVelocity(engine::Vec2::ZERO);
    if (fadeCounter_ >= 1) {
        --fadeCounter_;
        if (animation_)
            animation_->setOpacity(
                static_cast<uint8_t>(static_cast<float>(fadeCounter_) / FADE_FRAMES * 255.0f));
        setPositionY(getPositionY() - FADE_SINK);
    } else if (fadeCounter_ == 0) {
        removeFromParent();
    }
}

void EnemyCharacter::land() {
    CharacterSprite::land();
    startPattern();
    invincibleFrames_ = isBoss_ ? BOSS_INVINCIBLE_FRAMES : COMMON_INVINCIBLE_FRAMES;
}

void EnemyCharacter::suspend() {
    paused_ = true;
}

// ---------------------------------------------------------------- attacks

void EnemyCharacter::armEvents() {
    if (!animation_) return;
    animation_->setOnEvent(
        [this](CompositeAnimation* animation, const std::string& event, const std::string& parameters) {
            AttackEvents::handle(this, event, parameters, -1,
                                 animation ? animation->getFileName() : std::string());
        });
}

void EnemyCharacter::attack(int attackNumber) {
    animateAttack(animationFile(CharacterAnimState::ATTACK, attackNumber));
}

void EnemyCharacter::attackWithFile(const std::string& file) {
    animateAttack(file);
}

void EnemyCharacter::animateAttack(const std::string& file) {
    moveX_ = 0.0f;
    if (!animation_) return;
    armEvents();
    attacking_ = true;
    animation_->setLocked(false);
    animation_->load(file);
    // A missing script finishes on the next frame, so the end always comes.
    animation_->play(
        [this](CompositeAnimation* animation) {
            attacking_ = false;
            animation->setLocked(false);
        },
        false);
    animation_->setLocked(true);
}

bool EnemyCharacter::playAnimationFile(const std::string& file, int loops, bool lock, AnimationEnd onEnd) {
    armEvents();
    return CharacterSprite::playAnimationFile(file, loops, lock, std::move(onEnd));
}

// ---------------------------------------------------------------- defeat

void EnemyCharacter::die() {
    // The boss's defeat sweeps every creature away, the fallen ones too: they pay only once.
    if (defeated_) return;
    CharacterSprite::die();
    // Its body no longer collides: without gravity it stays where it fell while it goes down.
    if (engine::PhysicsBody* body = getPhysicsBody()) body->setGravityEnable(false);
    if (!rewardsForfeited_) payRewards();
}

void EnemyCharacter::dieWithoutReward() {
    rewardsForfeited_ = true;
    die();
}

void EnemyCharacter::payRewards() {
    PlayController* controller = PlayController::current();
    DataManager* data = DataManager::getInstance();
    if (!controller || !data) return;
    PlayScene* scene = controller->getPlayScene();
    PlayInterface* hud = scene ? scene->getPlayInterface() : nullptr;
    const int points = record_.score * (isBoss_ ? BOSS_SCORE_FACTOR : 1);
    if (hud) {
        hud->addScore(points);
    } else {
        data->addScore(points);
    }
    data->setSp(data->getSp() + data->spGainFor(record_.attack));
    if (hud) hud->setSp(data->getSp());
    for (const CombineEntry& entry : data->getCombinesOf(characterId_))
        if (entry.dramaNo != -1) data->setSituationUnlocked(entry.dramaNo);
    rewardsPaid_ = true;
}

void EnemyCharacter::onDefeatAnimationEnd() {
    if (animation_) {
        animation_->setLocked(false);
        animation_->stop();
    }
    // What is left only fades: its body goes, so the ground it lay on cannot hold it up as it sinks.
    setPhysicsBody(nullptr);
    fadeCounter_ = FADE_FRAMES;
}

// ---------------------------------------------------------------- contacts

bool EnemyCharacter::onContactBegin(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                                    float ny) {
    if (!CharacterSprite::onContactBegin(own, other, nx, ny)) return false;
    if (defeated_) return true;
    const std::string name = bodyNameOf(other);
    engine::Node* node = nodeOf(other);
    if (name == "safenet") {
        // Fallen into a pit: gone, and nobody felled it.
        dieWithoutReward();
    } else if (name == "grappleBody") {
        if (node) hitByMelee(node, nx);
    } else if (name == "bulletBody") {
        if (node) hitByBullet(node, nx);
    } else if (name == "enemyHeal") {
        if (node) healedBy(node, nx);
    }
    return true;
}

void EnemyCharacter::hitByMelee(engine::Node* body, float nx) {
    DataManager* data = DataManager::getInstance();
    if (!data || isShowing(CharacterAnimState::DAMAGE)) return;
    const WeaponMaster weapon = data->getWeaponMaster(body->getTag());
    HitEffect::show(this, weapon.hitEffect, nx, MELEE_SPREAD);
    stopWalk();
    damage(data->adjustDamageDealt(weapon.power));
}

void EnemyCharacter::hitByBullet(engine::Node* node, float nx) {
    DataManager* data = DataManager::getInstance();
    auto* bullet = dynamic_cast<BulletCharacter*>(node);
    if (!data || !bullet || bullet->isDefeated()) return;
    engine::RefPtr<BulletCharacter> keepBullet(bullet);
    const BulletMaster record = bullet->getBulletRecord();
    // An arrow that pierces (a bullet of 0 points) goes on through.
    if (!bullet->isIndestructible()) bullet->damage(1);
    HitEffect::show(this, record.hitEffect, nx, BULLET_SPREAD);
    damage(data->adjustDamageDealt(record.power));
}

void EnemyCharacter::healedBy(engine::Node* body, float nx) {
    DataManager* data = DataManager::getInstance();
    if (!data || !data->getMasterTables().hasWeapon(body->getTag())) return;
    const WeaponMaster weapon = data->getWeaponMaster(body->getTag());
    HitEffect::show(this, weapon.hitEffect, nx, MELEE_SPREAD);
    addHp(weapon.power);
}

bool EnemyCharacter::onContactSeparate(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                                       float ny) {
    if (paused_) return false;
    return CharacterSprite::onContactSeparate(own, other, nx, ny);
}

}  // namespace vastomer
