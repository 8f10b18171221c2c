#include "game/character/PlayerCharacter.h"

#include "engine/particles/ParticleSystemQuad.h"
#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsShape.h"
#include "game/app/ComfortSettings.h"
#include "game/audio/NAudioManager.h"
#include "game/character/AttackEvents.h"
#include "game/character/BulletCharacter.h"
#include "game/character/HitEffect.h"
#include "game/data/DataManager.h"
#include "game/play/PlayController.h"
#include "game/play/PlayInterface.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

namespace {

constexpr float POWER_ARMOR_OFFSET_X = -12.0f;
constexpr float POWER_ARMOR_OFFSET_Y = 16.0f;
// "speedup" (our choice): the top run speed grows by a quarter.
constexpr float SPEEDUP_FACTOR = 1.25f;

std::string bodyNameOf(engine::PhysicsShape* shape) {
    return shape && shape->getBody() ? shape->getBody()->getName() : std::string();
}

engine::Node* nodeOf(engine::PhysicsShape* shape) {
    return shape && shape->getBody() ? shape->getBody()->getNode() : nullptr;
}

std::string wearEffect(const DataManager& data) {
    return data.getWearMaster(data.getEquippedWear()).effect;
}

}  // namespace

PlayerCharacter* PlayerCharacter::create(DataManager& data) {
    auto* player = new PlayerCharacter();
    if (!player->initPlayer(data)) {
        delete player;
        return nullptr;
    }
    player->autorelease();
    return player;
}

bool PlayerCharacter::initPlayer(DataManager& data) {
    if (!initWithRecord(0, data.getCharacterMaster(0), 0, "PLAYER", data.getEquippedWear())) return false;
    data.setHp(hp_);
    grappleWeaponId_ = data.getEquippedWeapon1();
    shotWeaponId_ = data.getEquippedWeapon2();

    const engine::Vec2 centre(getContentSize().width / 2, getContentSize().height / 2);
    weaponNode_ = CompositeAnimation::create();
    if (!weaponNode_) return false;
    weaponNode_->setPosition(centre);
    addChild(weaponNode_, WEAPON_Z);
    ammo_ = ammoMax_ = data.getWeaponMaster(shotWeaponId_).magazineSize;

    enticeEffect_ = CompositeAnimation::create();
    if (!enticeEffect_) return false;
    enticeEffect_->setPosition(centre.x, centre.y + 48.0f);
    addChild(enticeEffect_, ENTICE_Z);
    enticeEffect_->load(NSpriteAnimationManager::getInstance()->getEffectAnimationFile(ENTICE_EFFECT));
    enticeEffect_->play(nullptr, true);
    enticeEffect_->setVisible(false);

    resetWith(data);
    return true;
}

PlayInterface* PlayerCharacter::getHud() const {
    return hud_.get();
}

void PlayerCharacter::setHud(PlayInterface* hud) {
    hud_ = hud;
}

bool PlayerCharacter::hasSpecialEffects() const {
    return specialEffectBack_ || specialEffectFront_;
}

// ---------------------------------------------------------------- frame

void PlayerCharacter::update(float dt) {
    if (paused_) return;
    DataManager* data = DataManager::getInstance();
    PlayInterface* hud = hud_.get();
    if (reviveTimer_ > 0) {
        if (--reviveTimer_ == 0) {
            recover();
            if (hud) hud->setHp(hp_);
        }
    }
    if (reloading_ && attackCooldown_ == 0) {
        reloading_ = false;
        ammo_ = ammoMax_;
        if (hud) {
            hud->setReloadBlink(false);
            hud->setAmmunition(ammo_);
        }
    }
    if (attackChain_ && ++chainTimer_ > chainLimit_) {
        chainTimer_ = 0;
        attackChain_ = false;
        comboStep_ = 0;
    }
    if (!fireHeld_ && !attacking_) emptyWeaponNode();
    if (animation_) {
        uint8_t opacity = 255;
        if (!defeated_ && !frozen_ && invincibleTimer_ > 0) {
            opacity = data && data->randomBelow(4) == 0 ? 100 : 200;
            // The flicker is a flash like any other: reduced, she stays evenly see-through (the
            // draw above still happens, so the shared random sequence is the same either way).
            if (ComfortSettings::isShakeFlashReduced()) opacity = REDUCED_BLINK_OPACITY;
        }
        animation_->setOpacity(opacity);
    }
    if (!defeated_ && autoHealCounter_ >= 0) {
        if (autoHealCounter_ == AUTO_HEAL_PERIOD - 1) {
            addHp(1);
            autoHealCounter_ = 0;
        } else {
            ++autoHealCounter_;
        }
    }
    if (!attacking_ && hasLanded_) {
        if (jumping_ && !falling_) showState(CharacterAnimState::JUMP, true, true);
        if (falling_ && !jumping_) showState(CharacterAnimState::FALLING, true, true);
    }
    if (attackCooldown_ > 0) --attackCooldown_;
    if (!jumpHeld_ && jumpCharge_ > 0) {
        --jumpCharge_;
        jump();
    }
    CharacterSprite::update(dt);
    if (jumping_ && jumpCharge_ == 0) endJump();
}

// ---------------------------------------------------------------- moving

void PlayerCharacter::jumpPress() {
    if (jumping_ || falling_) return;
    jumpHeld_ = true;
    if (!attacking_ && moveX_ == 0.0f && !isShowing(CharacterAnimState::JUMPPRE) &&
        !isShowing(CharacterAnimState::WALK) && !isShowing(CharacterAnimState::RUN))
        showState(CharacterAnimState::JUMPPRE, false, true);
    if (jumpCharge_ < jumpFrameLimit_) ++jumpCharge_;
}

void PlayerCharacter::walk(bool toLeft, bool run) {
    if (!attacking_ && !jumping_ && !falling_ && !isShowing(CharacterAnimState::JUMP) &&
        !isShowing(CharacterAnimState::FALLING))
        showState(run ? CharacterAnimState::RUN : CharacterAnimState::WALK, true, true);
    driveHorizontally(toLeft, run);
}

void PlayerCharacter::stopWalk() {
    if (!attacking_ && !jumping_ && !falling_ && !fireHeld_ && !isShowing(CharacterAnimState::JUMPPRE) &&
        !isShowing(CharacterAnimState::WAIT))
        showState(CharacterAnimState::WAIT, true, true);
    moveX_ = 0.0f;
}

void PlayerCharacter::endJump() {
    if (!jumping_ || falling_) return;
    moveY_ = 0.0f;
    jumpFrameCount_ = 0;
    falling_ = fallAfterJump_;
    jumping_ = false;
    jumpCharge_ = 0;
}

// ---------------------------------------------------------------- weapons

void PlayerCharacter::emptyWeaponNode() {
    if (!weaponNode_) return;
    weaponNode_->stop();
    weaponNode_->removeAllChildren();
}

void PlayerCharacter::armWeaponNode() {
    engine::Vec2 centre(getContentSize().width / 2, getContentSize().height / 2);
    if (powerArmorLook_) centre += engine::Vec2(POWER_ARMOR_OFFSET_X, POWER_ARMOR_OFFSET_Y);
    weaponNode_->setPosition(centre);
    weaponNode_->setOnEvent(
        [this](CompositeAnimation* animation, const std::string& event, const std::string& parameters) {
            onWeaponEvent(animation, event, parameters);
        });
}

void PlayerCharacter::onWeaponEvent(CompositeAnimation* animation, const std::string& event,
                                    const std::string& parameters) {
    // The weapon in hand decides the body's tag and the bullet, whatever number the script names.
    const int weapon = event == AttackEvents::SHOOT_EVENT ? shotWeaponId_ : grappleWeaponId_;
    AttackEvents::handle(this, event, parameters, weapon,
                         animation ? animation->getFileName() : std::string());
}

void PlayerCharacter::attack(bool weaponMode) {
    DataManager* data = DataManager::getInstance();
    if (!data || !weaponNode_ || !animation_) return;
    if (actionLocked_ || enticing_ || attackCooldown_ >= 1 || attacking_) return;
    chainTimer_ = 0;
    if (!jumping_ && !falling_) moveX_ = 0.0f;
    armWeaponNode();
    if (!weaponMode) {
        attackWithGrapple(*data);
    } else {
        attackWithShot(*data);
        // An empty magazine starts a reload instead: no attack is made.
        if (!attacking_) return;
    }
    weaponNode_->step();
    animation_->step();
}

void PlayerCharacter::attackWithGrapple(DataManager& data) {
    const WeaponMaster weapon = data.getWeaponMaster(grappleWeaponId_);
    attackCooldown_ = weapon.interval;
    int number = 0;
    if (comboStep_ == 0) number = weapon.attackAnim1;
    if (comboStep_ == 1) number = weapon.attackAnim2;
    if (comboStep_ == 2) number = weapon.attackAnim3;
    animation_->setLocked(false);
    emptyWeaponNode();
    const bool airborne = jumping_ || falling_;
    NSpriteAnimationManager* names = NSpriteAnimationManager::getInstance();
    weaponNode_->load(names->getWeaponAnimationFile(grappleWeaponId_, number, airborne));
    animation_->load(
        animationFile(airborne ? CharacterAnimState::GRAPPLE_JUMP : CharacterAnimState::GRAPPLE, number));
    // The body keeps step with the weapon, whose script times the hit.
    if (!weaponNode_->getFileName().empty()) animation_->setInterval(weaponNode_->getInterval());
    animation_->play(nullptr, false);
    weaponNode_->play(
        [this](CompositeAnimation*) {
            attacking_ = false;
            emptyWeaponNode();
            if (animation_) animation_->setLocked(false);
        },
        false);
    animation_->setLocked(true);
    comboStep_ = comboStep_ >= 2 ? 0 : comboStep_ + 1;
    chainLimit_ = attackCooldown_ * 2;
    attacking_ = true;
    attackChain_ = true;
}

void PlayerCharacter::attackWithShot(DataManager& data) {
    const WeaponMaster weapon = data.getWeaponMaster(shotWeaponId_);
    comboStep_ = 0;
    emptyWeaponNode();
    if (ammo_ == 0) {
        if (!reloading_) startReload(data);
        return;
    }
    const bool airborne = jumping_ || falling_;
    NSpriteAnimationManager* names = NSpriteAnimationManager::getInstance();
    weaponNode_->load(names->getWeaponAnimationFile(shotWeaponId_, attackChain_ ? 1 : 0, airborne));
    CharacterAnimState state =
        attackChain_ ? (airborne ? CharacterAnimState::SHOOT_JUMP : CharacterAnimState::SHOOT)
                     : (airborne ? CharacterAnimState::SHOOT_FULL_JUMP : CharacterAnimState::SHOOT_FULL);
    animation_->setLocked(false);
    animation_->load(animationFile(state, weapon.attackAnim1));
    animation_->play([](CompositeAnimation* body) { body->stop(); }, false);
    weaponNode_->play(
        [this](CompositeAnimation*) {
            attacking_ = false;
            emptyWeaponNode();
            if (animation_) animation_->setLocked(false);
        },
        false);
    animation_->setLocked(true);
    --ammo_;
    if (PlayInterface* hud = hud_.get()) hud->setAmmunition(ammo_);
    attackCooldown_ = weapon.interval;
    chainLimit_ = attackCooldown_ * 10;
    attacking_ = true;
    attackChain_ = true;
}

void PlayerCharacter::startReload(const DataManager& data) {
    if (animation_) animation_->setLocked(false);
    reloading_ = true;
    attackCooldown_ = data.getWeaponMaster(shotWeaponId_).reloadTime;
    if (PlayInterface* hud = hud_.get()) hud->setReloadBlink(true);
}

void PlayerCharacter::reload() {
    DataManager* data = DataManager::getInstance();
    if (!data || reloading_ || attacking_) return;
    comboStep_ = 0;
    emptyWeaponNode();
    startReload(*data);
}

// ---------------------------------------------------------------- modes

void PlayerCharacter::enterSpecialMode() {
    if (boosted_) return;
    boosted_ = true;
    NAudioManager::getInstance()->playSe("audio/se/mecha05.mp3");
    const engine::Vec2 centre(getContentSize().width / 2, getContentSize().height / 2);
    for (int z : {EFFECT_BACK_Z, EFFECT_FRONT_Z}) {
        engine::ParticleSystemQuad* particles = engine::ParticleSystemQuad::create(SPECIAL_PARTICLES);
        if (!particles) continue;
        particles->setDuration(-1.0f);
        particles->setPosition(centre);
        addChild(particles, z);
        (z == EFFECT_BACK_Z ? specialEffectBack_ : specialEffectFront_) = particles;
    }
}

void PlayerCharacter::endSpecialMode() {
    if (!boosted_) return;
    boosted_ = false;
    for (auto* slot : {&specialEffectBack_, &specialEffectFront_}) {
        if (engine::ParticleSystemQuad* particles = slot->get()) {
            particles->stopSystem();
            particles->removeFromParent();
        }
        *slot = nullptr;
    }
}

void PlayerCharacter::enticeOn() {
    enticing_ = true;
    if (enticeEffect_) {
        enticeEffect_->setVisible(true);
        enticeEffect_->play(nullptr, true);
    }
    NAudioManager::getInstance()->playSe("audio/se/power21.mp3");
}

void PlayerCharacter::enticeOff() {
    enticing_ = false;
    if (enticeEffect_) enticeEffect_->setVisible(false);
}

void PlayerCharacter::recover() {
    NAudioManager::getInstance()->playSe("audio/se/power22.mp3");
    frozen_ = false;
    if (animation_) animation_->setLocked(false);
    invincibleTimer_ = RECOVER_INVINCIBLE_FRAMES;
    defeated_ = false;
    reviveTimer_ = 0;
    addHp(maxHp_);
}

// ---------------------------------------------------------------- damage and defeat

void PlayerCharacter::damage(int amount) {
    if (amount == 0) return;
    if (amount < 0) {
        addHp(-amount);
        return;
    }
    // A defeated player lies still: a hit must not hand the input back. A hit during the hurt motion
    // changes nothing either: cutting that motion short would lose the end that gives her back the
    // controls.
    if (invincibleTimer_ != 0 || defeated_ || isShowing(CharacterAnimState::DAMAGE)) return;
    emptyWeaponNode();
    enticeOff();
    frozen_ = true;
    attacking_ = false;
    if (animation_) animation_->setLocked(false);
    CharacterSprite::damage(amount);
    if (!isShowing(CharacterAnimState::DAMAGE)) frozen_ = false;
    endJump();
    stopFly();
}

void PlayerCharacter::onDamageAnimationEnd(CompositeAnimation* /*animation*/) {
    frozen_ = false;
}

void PlayerCharacter::die() {
    enticeOff();
    jumpHeld_ = false;
    jumpCharge_ = 0;
    if (jumping_) falling_ = true;
    CharacterSprite::die();
    // The defeated player still rests on the ground.
    if (engine::PhysicsBody* body = getPhysicsBody()) body->setCollisionBitmask(1);
    frozen_ = true;
    if (animation_) animation_->setLocked(true);
}

void PlayerCharacter::onDefeatAnimationEnd() {
    DataManager* data = DataManager::getInstance();
    PlayController* controller = PlayController::current();
    if (data && wearEffect(*data) == "powerarmor" && controller) {
        controller->showGameOver();
        return;
    }
    if (animation_) {
        animation_->setLocked(false);
        animation_->stop();
    }
    if (!held_ && data) {
        // The key the event table is searched with is the one handed on to the drama.
        const int key = lastAttackBulletId_ != -1 ? lastAttackBulletId_ : lastAttackWeaponId_;
        const CombineEntry entry = data->getCombine(lastAttackerId_, key);
        if (entry.dramaNo != -1 && controller) {
            CharacterSprite* enemy = controller->getContactEnemy();
            if (entry.redirectFlag && enemy && enemy->getPartner()) enemy = enemy->getPartner();
            if (enemy) controller->startDramaPart(enemy, false, key);
        }
    }
    reviveTimer_ = REVIVE_FRAMES;
}

// ---------------------------------------------------------------- contacts

bool PlayerCharacter::onContactBegin(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                                     float ny) {
    if (hp_ < 1 || paused_) return false;
    DataManager* data = DataManager::getInstance();
    const std::string name = bodyNameOf(other);
    if (name == "ground" || name == "wall") {
        // A ceiling met while falling is no landing.
        if (falling_ && ny < 0.0f) touchDown();
    } else if (name == "enemy") {
        auto* enemy = dynamic_cast<CharacterSprite*>(nodeOf(other));
        if (enemy && !enemy->isDefeated() && enemy->getParent() && data) {
            if (boosted_) {
                enemy->damage(data->adjustDamageDealt(5));
            } else {
                lastAttackerId_ = enemy->getCharacterId();
                // A body contact: the event key is the creature's variant, not an earlier weapon.
                lastAttackWeaponId_ = enemy->getAnimationVariant();
                lastAttackBulletId_ = -1;
                damage(data->adjustDamageTaken(enemy->getRecord().attack));
                const bool above = getPositionY() + getContentSize().height * 0.5f >
                                   enemy->getPositionY() + enemy->getContentSize().height * 0.5f;
                touchSurface(nx, ny, above, other);
            }
        }
        if (falling_ && ny != 0.0f) fallAfterJump_ = false;
    } else if (name == "enemygrapple") {
        takeAttack(other, nx, false);
    } else if (name == "enemyBullet") {
        takeAttack(other, nx, true);
    }
    return CharacterSprite::onContactBegin(own, other, nx, ny);
}

void PlayerCharacter::touchDown() {
    fallAfterJump_ = false;
    if (defeated_) {
        emptyWeaponNode();
    } else if (!attacking_) {
        if (!hasLanded_) {
            if (animation_) animation_->setLocked(false);
            showState(CharacterAnimState::WAIT);
        } else {
            emptyWeaponNode();
            showState(CharacterAnimState::LANDING, false, true);
        }
    }
}

void PlayerCharacter::onNewSupport(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                                   float ny) {
    if (falling_) touchDown();
    CharacterSprite::onNewSupport(own, other, nx, ny);
}

void PlayerCharacter::takeAttack(engine::PhysicsShape* other, float nx, bool bullet) {
    DataManager* data = DataManager::getInstance();
    engine::Node* node = nodeOf(other);
    if (!data || !node) return;
    if (boosted_ || isShowing(CharacterAnimState::DAMAGE) || invincibleTimer_ > 0) return;
    int effect = 0;
    int power = 0;
    if (bullet) {
        auto* shot = dynamic_cast<BulletCharacter*>(node);
        if (!shot) return;
        lastAttackerId_ = shot->getShooterId();
        lastAttackBulletId_ = shot->getCharacterId();
        lastAttackWeaponId_ = -1;
        effect = shot->getBulletRecord().hitEffect;
        power = shot->getBulletRecord().power;
    } else {
        const WeaponMaster weapon = data->getWeaponMaster(node->getTag());
        lastAttackWeaponId_ = node->getTag();
        CharacterSprite* owner = AttackEvents::ownerOf(node);
        lastAttackerId_ = owner ? owner->getCharacterId() : -1;
        lastAttackBulletId_ = -1;
        effect = weapon.hitEffect;
        power = weapon.power;
    }
    HitEffect::show(this, effect, nx, bullet ? 4 : 8);
    damage(data->adjustDamageTaken(power));
    stopWalk();
    // The shot is spent on her as it would be on a creature (one that pierces goes on).
    if (bullet) {
        auto* shot = static_cast<BulletCharacter*>(node);
        if (!shot->isIndestructible()) shot->damage(1);
    }
}

bool PlayerCharacter::onContactSeparate(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                                        float ny) {
    if (paused_) return false;
    if (!CharacterSprite::onContactSeparate(own, other, nx, ny)) return true;
    const std::string name = bodyNameOf(other);
    if (name == "enemy") {
        releaseBlocker(other);
        if (nx > 0.0f) blockedRight_ = false;
        if (nx < 0.0f) blockedLeft_ = false;
        leaveSurface(nx, ny);
    }
    if ((name == "wall" || name == "enemy" || name == "ground") && ny < 0.0f) fallAfterJump_ = true;
    return true;
}

void PlayerCharacter::land() {
    frozen_ = false;
    paused_ = false;
    CharacterSprite::land();
}

void PlayerCharacter::suspend() {
    paused_ = true;
}

// ---------------------------------------------------------------- revival and map changes

void PlayerCharacter::removeDramaPart() {
    if (engine::Node* drama = getChildByTag(DRAMA_TAG)) drama->removeFromParent();
}

void PlayerCharacter::clearModes() {
    enticeOff();
    // The special mode's particles go with the mode.
    boosted_ = true;
    endSpecialMode();
    held_ = false;
    reviveTimer_ = 0;
    defeated_ = false;
    weaponMode_ = false;
    comboStep_ = 0;
    chainTimer_ = 0;
    attackCooldown_ = 0;
    invincibleTimer_ = 0;
    blockedLeft_ = false;
    blockedRight_ = false;
    attacking_ = false;
    reloading_ = false;
    autoHealCounter_ = -1;
}

void PlayerCharacter::reset() {
    if (DataManager* data = DataManager::getInstance()) {
        resetWith(*data);
    } else {
        CharacterSprite::reset();
    }
}

void PlayerCharacter::resetWith(const DataManager& data) {
    CharacterSprite::reset();
    removeDramaPart();
    emptyWeaponNode();
    if (animation_) animation_->setLocked(false);
    clearModes();
    applyEquipment(data);
}

void PlayerCharacter::applyEquipment(const DataManager& data) {
    ammo_ = ammoMax_ = data.getWeaponMaster(shotWeaponId_).magazineSize;
    const CharacterMaster record = data.getCharacterMaster(0);
    const float base = static_cast<float>(record.jumpPower);
    moveAcceleration_ = static_cast<float>(record.motionB);
    verticalAcceleration_ = jumpPower_ = moveYMax_ = moveSpeed_ = base;

    const std::string effect = wearEffect(data);
    powerArmorLook_ = effect == "powerarmor";
    weaponOffset_ =
        powerArmorLook_ ? engine::Vec2(POWER_ARMOR_OFFSET_X, POWER_ARMOR_OFFSET_Y) : engine::Vec2::ZERO;
    if (effect == "speedup") {
        // The cap is moveSpeed x 8 + 120: raise it by the factor, not the drive alone.
        moveSpeed_ = (SPEEDUP_FACTOR * (base * 8.0f + 120.0f) - 120.0f) / 8.0f;
    } else if (effect == "jumpup") {
        verticalAcceleration_ *= 1.5f;
        jumpPower_ *= 1.5f;
        moveYMax_ *= 1.5f;
    } else if (effect == "autoheal") {
        autoHealCounter_ = 0;
    }
    if (data.getWeaponMaster(shotWeaponId_).trait == "heavy") {
        if (powerArmorLook_) {
            // The armour carries the weight.
            moveAcceleration_ = static_cast<float>(record.motionB);
            verticalAcceleration_ = jumpPower_ = moveYMax_ = moveSpeed_ = base;
        } else {
            moveYMax_ *= 0.25f;
            moveAcceleration_ *= 0.25f;
            verticalAcceleration_ *= 0.25f;
            jumpPower_ *= 0.25f;
            moveSpeed_ /= 6.0f;
        }
    }
}

void PlayerCharacter::clearTransientState() {
    // She is set down at the part's marker and comes down from there, whatever she was doing on the
    // screen before: a footing kept from there would hold her up in the air.
    hasLanded_ = false;
    falling_ = true;
    airborne_ = true;
    jumping_ = false;
    jumpHeld_ = false;
    jumpCharge_ = 0;
    moveX_ = moveY_ = 0.0f;
    if (engine::PhysicsBody* body = getPhysicsBody()) body->setVelocity(engine::Vec2::ZERO);
    supports_.clear();
    blockers_.clear();
    surfaceContacts_ = 0;
    removeDramaPart();
    emptyWeaponNode();
    if (animation_) animation_->setLocked(false);
    clearModes();
    stopWalk();
}

}  // namespace vastomer
