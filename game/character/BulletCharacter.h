#pragma once

#include <string>

#include "engine/base/WeakRef.h"
#include "game/character/CharacterSprite.h"
#include "game/data/MasterRecords.h"

namespace vastomer {

// A flying box with a bullet record: it moves in a fixed direction, wears out on walls (a point for
// every frame it touches one) and on hits, and hands its hits to the character it touches so that
// character can react to the bullet's body name ("bulletBody" for the player's shots, "enemyBullet"
// for the creatures'). Its character id and its node tag are the bullet number (the key of its grapple
// events); it has no character record and no motions. A bullet of 0 points cannot wear out: it passes
// walls and hits and ends only at a "safenet" or when its life is over.
//
// Two bullets of different kinds that meet each lose a point; a bullet never hits the character that
// fired it, and a creature's shot passes other creatures.
class BulletCharacter : public CharacterSprite {
public:
    static constexpr int LIFE_FRAMES = 500;

    // Direction modes of the bullet record's `moveType`.
    static constexpr int ALONG_FACING = 0;
    static constexpr int DOWNWARD = 1;
    static constexpr int UPWARD = 2;
    static constexpr int BY_VELOCITY = 3;

    // A bullet of the record `bulletId`, named `spawnKind`; null when the record does not exist.
    static BulletCharacter* create(int bulletId, const std::string& spawnKind);

    // False when the bullet record does not exist.
    virtual bool initBullet(int bulletId, const std::string& spawnKind);
    void setupBody() override;
    void update(float dt) override;
    // Any hit costs one point; below one the bullet is gone.
    void damage(int amount) override;
    void die() override;
    bool onContactBegin(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx, float ny) override;
    bool onContactSeparate(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                           float ny) override;

    int getBulletId() const { return bulletId_; }
    int getDirectionMode() const { return directionMode_; }
    int getLifeFrames() const { return lifeFrames_; }
    virtual int getShooterId() const { return shooterId_; }
    virtual void setShooterId(int id) { shooterId_ = id; }
    // The character that fired it; null once that one is gone.
    virtual CharacterSprite* getOwner() const { return owner_.get(); }
    virtual void setOwner(CharacterSprite* owner) { owner_ = owner; }
    virtual bool isWearsEveryFrame() const { return wearsEveryFrame_; }
    virtual void setWearsEveryFrame(bool wears) { wearsEveryFrame_ = wears; }
    virtual bool isIndestructible() const { return indestructible_; }
    virtual void setIndestructible(bool indestructible) { indestructible_ = indestructible; }
    const BulletMaster& getBulletRecord() const { return bullet_; }

protected:
    BulletCharacter() = default;
    bool fallsWithoutHp() const override { return !indestructible_; }

private:
    void drive();
    // Whether a hit on `target` is one this bullet makes (and wears on).
    bool hits(const CharacterSprite* target) const;

    int bulletId_ = -1;
    int directionMode_ = ALONG_FACING;
    int lifeFrames_ = 0;
    int shooterId_ = -1;
    engine::WeakRef<CharacterSprite> owner_;
    bool wearsEveryFrame_ = false;
    bool indestructible_ = false;
    BulletMaster bullet_;
};

}  // namespace vastomer
