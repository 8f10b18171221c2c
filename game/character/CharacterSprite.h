#pragma once

#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "engine/base/Geometry.h"
#include "engine/base/WeakRef.h"
#include "engine/scene/Sprite.h"
#include "game/character/CharacterAnimState.h"
#include "game/data/MasterRecords.h"
#include "game/scenario/CompositeAnimation.h"

namespace engine {
class PhysicsShape;
}

namespace vastomer {

class BulletCharacter;

// A node that this character removes from its parent once `framesLeft` frames have passed (attack
// bodies, effects). Held weakly: a node that is gone already is simply dropped.
struct TimedNode {
    int framesLeft = 0;
    engine::WeakRef<engine::Node> node;
};

// Base of everything that moves and fights on a stage map: the player, the creatures and the bullets.
// It ties a sprite, one physics box, a composite animation and a character record together and
// implements the movement model they share: an accelerating walk, a held jump, free flight, landing
// and falling told by contact normals, damage with a short invincibility, defeat and revival.
//
// Every count is in frames. The art faces left at scale x 1; facing right is scale x -1. Contact
// normals handed to the contact operations point from this character towards the other body, so
// ny < 0 means the other body is below. Body names tell the bodies apart ("PLAYER", "ground",
// "wall" are the ones read here).
class CharacterSprite : public engine::Sprite {
public:
    using DefeatCallback = std::function<void(CharacterSprite*)>;
    using AnimationEnd = CompositeAnimation::FinishedCallback;

    static constexpr int ANIMATION_Z = 10;
    static constexpr int DEFAULT_INVINCIBLE_FRAMES = 15;
    // How far a character resting on another character's top slides off it each frame, and how far
    // apart the two edges may be for it to count as resting there.
    static constexpr float SLIDE_OFF_STEP = 2.0f;
    static constexpr float RESTING_TOLERANCE = 4.0f;

    // A character of the record `id` (its `init`); null when it cannot be made.
    static CharacterSprite* create(int id, int index, const std::string& spawnKind, int variant);

    using engine::Sprite::init;
    // Set-up from the character record of `id` (read from the data manager).
    virtual bool init(int id, int index, const std::string& spawnKind, int variant);
    // The same with the record given (the player is made while the data manager itself starts).
    bool initWithRecord(int id, const CharacterMaster& record, int index, const std::string& spawnKind,
                        int variant);
    // (Re)creates the physics box from the record, named by the spawn kind.
    virtual void setupBody();

    void update(float dt) override;
    // The character shows only its children (the animation); the sprite itself draws nothing.
    void draw(engine::Renderer& /*renderer*/, const engine::DrawContext& /*context*/) override {}

    // --- driving ---
    virtual void walk(bool toLeft, bool run);
    virtual void stopWalk();
    virtual void fly(bool down, bool fast);
    virtual void stopFly();
    // The halts of stopWalk and stopFly without their waiting motion (for orders that show another
    // motion at once, so that the picture does not switch back and forth).
    void haltWalk();
    void haltFlight();
    // One frame of a held jump; returns `falling` as it ends. The first call only arms the jump.
    virtual bool jump();
    virtual void endJump();
    virtual void attack(int attackNumber);
    virtual void attackWithFile(const std::string& file);
    // Turns the art (scale x) when the facing changes.
    void setFacingLeft(bool facingLeft);

    // --- hit points ---
    virtual void damage(int amount);
    virtual void onDamageAnimationEnd(CompositeAnimation* animation);
    // Unless defeated: hp += delta, kept within 0..maxHp.
    virtual void addHp(int delta);
    virtual void die();
    virtual void onDefeatAnimationEnd();

    // --- contacts (own shape, other shape, normal from this character towards the other) ---
    virtual bool onContactBegin(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx, float ny);
    virtual bool onContactSeparate(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                                   float ny);
    // A contact that goes on touching, every step, with its normal of the moment. A ground or wall
    // contact that has come to hold the character up lands it (one that began against the side of a
    // box and slid onto its top); one that no longer holds it up is left.
    virtual void onContactPresolve(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                                   float ny);
    // `other` is what blocks a side when the contact does (remembered until it separates).
    void touchSurface(float nx, float ny, bool above, const engine::PhysicsShape* other = nullptr);
    void leaveSurface(float nx, float ny);
    // The end of a contact that blocked a side: the side opens once nothing else blocks it. The normal
    // a separation reports is the contact's last one and may no longer point to that side.
    void releaseBlocker(const engine::PhysicsShape* other);
    virtual void land();
    virtual void suspend();

    // Loads `file` into the animation, plays it `loops` times (0: looping) with `onEnd` (may be
    // empty) and sets the lock. Always true.
    virtual bool playAnimationFile(const std::string& file, int loops, bool lock, AnimationEnd onEnd);
    // Revival: full hit points, a fresh movement state, the waiting motion.
    virtual void reset();

    // --- motions ---
    // The animation file of a motion for this character ("anime/PLAYER_RUN_0.cma").
    std::string animationFile(CharacterAnimState state, int number = -1) const;
    // Whether the animation now plays that motion's file.
    bool isShowing(CharacterAnimState state, int number = -1) const;
    // Shows a motion: unless it is current already (or the animation is locked), loads and plays it.
    // True when it was started.
    bool showState(CharacterAnimState state, bool loop = true, bool stepNow = false,
                   AnimationEnd onEnd = nullptr, int number = -1);

    // --- fields ---
    int getSpawnIndex() const { return spawnIndex_; }
    int getCharacterId() const { return characterId_; }
    int getAnimationVariant() const { return animationVariant_; }
    std::string getRecordName() const { return recordName_; }
    std::string getSpawnKind() const { return spawnKind_; }
    const CharacterMaster& getRecord() const { return record_; }
    int getHp() const { return hp_; }
    void setHp(int hp) { hp_ = hp; }
    int getMaxHp() const { return maxHp_; }
    void setMaxHp(int maxHp) { maxHp_ = maxHp; }
    CompositeAnimation* getAnimation() const { return animation_; }
    float getMoveX() const { return moveX_; }
    void setMoveX(float moveX) { moveX_ = moveX; }
    float getMoveY() const { return moveY_; }
    void setMoveY(float moveY) { moveY_ = moveY; }
    float getMoveSpeed() const { return moveSpeed_; }
    void setMoveSpeed(float speed) { moveSpeed_ = speed; }
    float getMoveYMax() const { return moveYMax_; }
    void setMoveYMax(float value) { moveYMax_ = value; }
    float getMoveYMin() const { return moveYMin_; }
    void setMoveYMin(float value) { moveYMin_ = value; }
    bool isBlockedLeft() const { return blockedLeft_; }
    void setBlockedLeft(bool blocked) { blockedLeft_ = blocked; }
    bool isBlockedRight() const { return blockedRight_; }
    void setBlockedRight(bool blocked) { blockedRight_ = blocked; }
    bool isFacingLeft() const { return facingLeft_; }
    bool isAirborne() const { return airborne_; }
    bool isJumping() const { return jumping_; }
    bool isFalling() const { return falling_; }
    void setFalling(bool falling) { falling_ = falling; }
    bool isAttacking() const { return attacking_; }
    void setAttacking(bool attacking) { attacking_ = attacking; }
    bool isFloating() const { return floating_; }
    bool isGravityActive() const { return gravityActive_; }
    void setGravityActive(bool active) { gravityActive_ = active; }
    bool isDefeated() const { return defeated_; }
    bool hasNoMotionControl() const { return noMotionControl_; }
    void setNoMotionControl(bool value) { noMotionControl_ = value; }
    float getMoveAcceleration() const { return moveAcceleration_; }
    void setMoveAcceleration(float value) { moveAcceleration_ = value; }
    float getVerticalAcceleration() const { return verticalAcceleration_; }
    void setVerticalAcceleration(float value) { verticalAcceleration_ = value; }
    float getJumpPower() const { return jumpPower_; }
    void setJumpPower(float value) { jumpPower_ = value; }
    int getJumpFrameCount() const { return jumpFrameCount_; }
    void setJumpFrameCount(int value) { jumpFrameCount_ = value; }
    int getJumpFrameLimit() const { return jumpFrameLimit_; }
    void setJumpFrameLimit(int value) { jumpFrameLimit_ = value; }
    float getSpareFactor() const { return spareFactor_; }
    void setSpareFactor(float value) { spareFactor_ = value; }
    bool isFullSpeed() const { return fullSpeed_; }
    void setFullSpeed(bool value) { fullSpeed_ = value; }
    bool isTouchingPlayer() const { return touchingPlayer_; }
    int getSurfaceContacts() const { return surfaceContacts_; }
    // Open ground or wall contacts that this character stands on.
    int getSupportContacts() const { return static_cast<int>(supports_.size()); }
    bool hasLanded() const { return hasLanded_; }
    const engine::Vec2& getBasePosition() const { return basePosition_; }
    bool isPaused() const { return paused_; }
    void setPaused(bool paused) { paused_ = paused; }
    int getStunTimer() const { return stunTimer_; }
    void setStunTimer(int frames) { stunTimer_ = frames; }
    int getInvincibleTimer() const { return invincibleTimer_; }
    void setInvincibleTimer(int frames) { invincibleTimer_ = frames; }
    int getInvincibleFrames() const { return invincibleFrames_; }
    void setInvincibleFrames(int frames) { invincibleFrames_ = frames; }
    bool isActionLocked() const { return actionLocked_; }
    void setActionLocked(bool locked) { actionLocked_ = locked; }
    bool isBoss() const { return isBoss_; }
    void setIsBoss(bool boss) { isBoss_ = boss; }
    bool isStickToSurface() const { return stickToSurface_; }
    void setStickToSurface(bool stick) { stickToSurface_ = stick; }
    const DefeatCallback& getDefeatCallback() const { return defeatCallback_; }
    void setDefeatCallback(DefeatCallback callback) { defeatCallback_ = std::move(callback); }
    // The character that summoned this one; null once it is gone.
    CharacterSprite* getPartner() const { return partner_.get(); }
    void setPartner(CharacterSprite* partner) { partner_ = partner; }
    bool isFlying() const { return flying_; }
    const engine::Vec2& getWeaponOffset() const { return weaponOffset_; }
    void setWeaponOffset(const engine::Vec2& offset) { weaponOffset_ = offset; }
    // The last tentacle segment this character made; null once it is gone.
    BulletCharacter* getLastSegment() const;
    void setLastSegment(BulletCharacter* segment);
    const engine::Vec2& getSegmentStep() const { return segmentStep_; }
    void setSegmentStep(const engine::Vec2& step) { segmentStep_ = step; }

    // Removes `node` from its parent after `frames` frames (counted by update).
    void addTimedNode(engine::Node* node, int frames);
    const std::vector<TimedNode>& getTimedNodes() const { return timedNodes_; }

protected:
    CharacterSprite() = default;

    // Whether the update defeats this character once its hit points are gone (a bullet that cannot
    // wear out has none to lose).
    virtual bool fallsWithoutHp() const { return true; }
    // Ages the timed nodes by one frame and drops the expired ones.
    void ageTimedNodes();
    void removeTimedNodes();
    // Walking off the last box below starts a fall.
    void loseFooting();
    // A ground or wall contact already open has just come to hold the character up.
    virtual void onNewSupport(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx, float ny);
    // The horizontal drive of a walk: facing, then moveX grows by the acceleration (halved when not
    // running) unless a block on that side stops it.
    void driveHorizontally(bool toLeft, bool run);
    // Notes the start or end of a contact with another character on both of them.
    void linkTouch(engine::PhysicsShape* other, bool touching);
    // Nobody stands on a character: one resting on another's top slides sideways off it, away from
    // the other's centre (towards its own facing when centred; the other way when that side is
    // blocked), so that neither is pinned and the one above comes down to land. A flyer slides off
    // the same way and then hangs beside the other.
    void slideOffCharacters();
    // Whether this character's bottom lies on `below`'s top (within RESTING_TOLERANCE) with the two
    // no further apart across than their half widths and `reachMargin`.
    bool restsOn(const CharacterSprite* below, float reachMargin) const;
    // Moves the player's body out of a ground or wall box it sank into, along the contact normal.
    void pushOutOf(engine::Node* box, float nx, float ny);

    int spawnIndex_ = 0;
    float moveX_ = 0.0f;
    float moveSpeed_ = 0.0f;
    float moveY_ = 0.0f;
    float moveYMax_ = 0.0f;
    float moveYMin_ = 0.0f;
    int invincibleTimer_ = 0;
    std::vector<TimedNode> timedNodes_;
    engine::WeakRef<engine::Node> lastSegment_;
    engine::Vec2 segmentStep_;
    int characterId_ = 0;
    int animationVariant_ = 0;
    std::string recordName_;
    std::string spawnKind_;
    int hp_ = 0;
    int maxHp_ = 0;
    CompositeAnimation* animation_ = nullptr;  // a child at ANIMATION_Z
    bool blockedLeft_ = false;
    bool blockedRight_ = false;
    bool facingLeft_ = true;
    bool airborne_ = true;
    bool jumping_ = false;
    bool falling_ = true;
    bool attacking_ = false;
    bool floating_ = false;
    bool gravityActive_ = true;
    bool defeated_ = false;
    bool noMotionControl_ = false;
    float moveAcceleration_ = 0.0f;
    float verticalAcceleration_ = 0.0f;
    float jumpPower_ = 0.0f;
    int jumpFrameCount_ = 0;
    int jumpFrameLimit_ = 0;
    float spareFactor_ = 0.0f;
    bool fullSpeed_ = true;
    bool touchingPlayer_ = false;
    int surfaceContacts_ = 0;
    bool hasLanded_ = false;
    engine::Vec2 basePosition_;
    bool paused_ = false;
    int stunTimer_ = 0;
    bool actionLocked_ = false;
    bool isBoss_ = false;
    bool stickToSurface_ = false;
    DefeatCallback defeatCallback_;
    engine::WeakRef<CharacterSprite> partner_;
    int invincibleFrames_ = DEFAULT_INVINCIBLE_FRAMES;
    bool flying_ = false;
    engine::Vec2 weaponOffset_;

    CharacterMaster record_;
    // Shapes of the open ground and wall contacts this character stands on (compared, never read).
    // Walking from one box onto the next keeps the footing while any of them is still below.
    std::vector<const engine::PhysicsShape*> supports_;
    // The contacts that block a side (compared, never read): the shape and +1 right or -1 left.
    std::vector<std::pair<const engine::PhysicsShape*, int>> blockers_;
    // The other characters (not shots) whose bodies touch this one's, whichever of the two the contact
    // was reported to.
    std::vector<engine::WeakRef<CharacterSprite>> touching_;
};

}  // namespace vastomer
