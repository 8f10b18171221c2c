#pragma once

#include <string>

#include "engine/base/WeakRef.h"
#include "game/character/CharacterSprite.h"

namespace engine {
class ParticleSystemQuad;
}

namespace vastomer {

class DataManager;
class PlayInterface;

// Quorin, the character the player steers. One instance lives for the whole run (the data manager
// keeps it) and the play screen moves it from map to map. On top of the shared movement model it has
// a charged jump, a grapple weapon with a three-step combo and a shot weapon with a magazine and
// reload, a weapon animation over the body, the effects of the worn wear and the shot weapon, the
// special mode (Spirit burst) and the entice mode (Lure), invincibility blinking and auto-heal.
// Its physics body is named "PLAYER". The play controller feeds it the input each frame.
class PlayerCharacter : public CharacterSprite {
public:
    static constexpr int WEAPON_Z = 20;
    static constexpr int EFFECT_BACK_Z = 5;
    static constexpr int EFFECT_FRONT_Z = 15;
    static constexpr int ENTICE_Z = 30;
    static constexpr int ENTICE_EFFECT = 9001;
    static constexpr int DRAMA_TAG = 99999;
    static constexpr int AUTO_HEAL_PERIOD = 34;
    // Opacity while invincible when flashes are reduced (instead of flickering 100/200).
    static constexpr uint8_t REDUCED_BLINK_OPACITY = 160;
    static constexpr int REVIVE_FRAMES = 100;
    static constexpr int RECOVER_INVINCIBLE_FRAMES = 150;
    static constexpr const char* SPECIAL_PARTICLES = "particle/particle_specialmode.plist";

    // The player with the progress's equipment. Made while the data manager starts, so everything it
    // reads comes from `data`.
    static PlayerCharacter* create(DataManager& data);

    void update(float dt) override;

    // --- input (the play controller calls these) ---
    // One frame of the jump input held: charges the jump (the spring comes on release).
    void jumpPress();
    void walk(bool toLeft, bool run) override;
    void stopWalk() override;
    void endJump() override;
    using CharacterSprite::attack;
    // An attack with the grapple weapon (false) or the shot weapon (true).
    virtual void attack(bool weaponMode);
    void reload();
    void enterSpecialMode();
    void endSpecialMode();
    void enticeOn();
    // Ends the entice mode and hides its effect.
    void enticeOff();
    // Gets up again: full hit points, 150 frames of invincibility.
    void recover();

    // --- the character base ---
    void damage(int amount) override;
    void onDamageAnimationEnd(CompositeAnimation* animation) override;
    void die() override;
    void onDefeatAnimationEnd() override;
    bool onContactBegin(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx, float ny) override;
    bool onContactSeparate(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                           float ny) override;
    void land() override;
    void onNewSupport(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx, float ny) override;
    void suspend() override;
    // Revival with the current equipment (the data manager's equipped items and the ids set here).
    void reset() override;
    // On every map change: what belongs to the last part ends; hit points, ammunition and equipment stay.
    void clearTransientState();

    // --- fields ---
    virtual int getAttackCooldown() const { return attackCooldown_; }
    virtual void setAttackCooldown(int frames) { attackCooldown_ = frames; }
    virtual int getAmmo() const { return ammo_; }
    virtual void setAmmo(int ammo) { ammo_ = ammo; }
    virtual int getAmmoMax() const { return ammoMax_; }
    virtual void setAmmoMax(int ammo) { ammoMax_ = ammo; }
    virtual bool getWeaponMode() const { return weaponMode_; }
    void setWeaponMode(bool mode) { weaponMode_ = mode; }
    virtual int getGrappleWeaponId() const { return grappleWeaponId_; }
    void setGrappleWeaponId(int id) { grappleWeaponId_ = id; }
    virtual int getShotWeaponId() const { return shotWeaponId_; }
    void setShotWeaponId(int id) { shotWeaponId_ = id; }
    void setAnimationVariant(int variant) { animationVariant_ = variant; }
    virtual int getReviveTimer() const { return reviveTimer_; }
    virtual int getComboStep() const { return comboStep_; }
    virtual bool isJumpHeld() const { return jumpHeld_; }
    virtual void setJumpHeld(bool held) { jumpHeld_ = held; }
    virtual PlayInterface* getHud() const;
    virtual void setHud(PlayInterface* hud);
    virtual int getJumpCharge() const { return jumpCharge_; }
    virtual void setJumpCharge(int charge) { jumpCharge_ = charge; }
    virtual bool isEnticing() const { return enticing_; }
    virtual void setEnticing(bool enticing) { enticing_ = enticing; }
    virtual bool isFireHeld() const { return fireHeld_; }
    virtual void setFireHeld(bool held) { fireHeld_ = held; }
    virtual bool isBoosted() const { return boosted_; }
    virtual void setBoosted(bool boosted) { boosted_ = boosted; }
    virtual bool isHeld() const { return held_; }
    virtual void setHeld(bool held) { held_ = held; }
    bool isFrozen() const { return frozen_; }
    void setFrozen(bool frozen) { frozen_ = frozen; }
    bool isReloading() const { return reloading_; }
    bool isAttackChain() const { return attackChain_; }
    int getChainTimer() const { return chainTimer_; }
    int getChainLimit() const { return chainLimit_; }
    int getAutoHealCounter() const { return autoHealCounter_; }
    bool isFallAfterJump() const { return fallAfterJump_; }
    bool isPowerArmorLook() const { return powerArmorLook_; }
    int getLastAttackerId() const { return lastAttackerId_; }
    int getLastAttackWeaponId() const { return lastAttackWeaponId_; }
    int getLastAttackBulletId() const { return lastAttackBulletId_; }
    CompositeAnimation* getWeaponNode() const { return weaponNode_; }
    CompositeAnimation* getEnticeEffect() const { return enticeEffect_; }
    bool hasSpecialEffects() const;

protected:
    PlayerCharacter() = default;

private:
    bool initPlayer(DataManager& data);
    void resetWith(const DataManager& data);
    // The equipment step of reset: motion values from the record, the wear and the shot weapon.
    void applyEquipment(const DataManager& data);
    void emptyWeaponNode();
    // Clears what a map change or a revival ends.
    void clearModes();
    void attackWithGrapple(DataManager& data);
    void attackWithShot(DataManager& data);
    void startReload(const DataManager& data);
    // The node where the animation events of the weapon become attack bodies and bullets.
    void armWeaponNode();
    void onWeaponEvent(CompositeAnimation* animation, const std::string& event,
                       const std::string& parameters);
    // A hit by a creature's melee body or bullet (they share the rules).
    void takeAttack(engine::PhysicsShape* other, float nx, bool bullet);
    void removeDramaPart();
    // Touching down on ground or a wall's top: the landing motion, and a jump from here falls again.
    void touchDown();

    CompositeAnimation* weaponNode_ = nullptr;
    bool attackChain_ = false;
    int chainTimer_ = 0;
    int chainLimit_ = 0;
    int lastAttackerId_ = -1;
    int lastAttackWeaponId_ = 0;
    int lastAttackBulletId_ = -1;
    bool reloading_ = false;
    int autoHealCounter_ = -1;
    engine::WeakRef<engine::ParticleSystemQuad> specialEffectBack_;
    engine::WeakRef<engine::ParticleSystemQuad> specialEffectFront_;
    CompositeAnimation* enticeEffect_ = nullptr;
    bool frozen_ = true;
    int attackCooldown_ = 0;
    int ammo_ = 0;
    int ammoMax_ = 0;
    bool weaponMode_ = false;
    int grappleWeaponId_ = 0;
    int shotWeaponId_ = 10;
    int reviveTimer_ = 0;
    int comboStep_ = 0;
    bool jumpHeld_ = false;
    engine::WeakRef<PlayInterface> hud_;
    int jumpCharge_ = 0;
    bool enticing_ = false;
    bool fireHeld_ = false;
    bool boosted_ = false;
    bool held_ = false;
    bool fallAfterJump_ = true;
    bool powerArmorLook_ = false;
};

}  // namespace vastomer
