#pragma once

#include <string>

#include "game/character/CharacterSprite.h"

namespace vastomer {

class CharacterActionPettern;

// A creature: a character steered by its AI and action tables (its CharacterActionPettern, a child
// node). Its attack animations raise the events that make melee bodies, bullets, summoned creatures
// and tentacle segments; it takes hits from Quorin's melee bodies and bullets, is stunned after a
// grapple scene, and when defeated sinks and fades out over FADE_FRAMES frames, paying its rewards
// (score, Spirit, the situations it unlocks) once.
class EnemyCharacter : public CharacterSprite {
public:
    static constexpr int COMMON_INVINCIBLE_FRAMES = 20;
    static constexpr int BOSS_INVINCIBLE_FRAMES = 40;
    static constexpr int FADE_FRAMES = 10;
    static constexpr float FADE_SINK = 0.5f;  // units lowered per fade frame
    static constexpr int BOSS_SCORE_FACTOR = 10;
    // Hit sparks land within width / spread of the centre.
    static constexpr int BULLET_SPREAD = 4;
    static constexpr int MELEE_SPREAD = 8;

    // The creature of character record `id` (not yet placed); null when there is no such record.
    // `spawnKind` is its body name: "enemy", "groupBoss", or a scene's label.
    static EnemyCharacter* create(int id, int index, const std::string& spawnKind, int variant);

    using CharacterSprite::init;
    bool init(int id, int index, const std::string& spawnKind, int variant) override;
    void update(float dt) override;

    void attack(int attackNumber) override;
    void attackWithFile(const std::string& file) override;
    // Defeat: the base defeat, then the rewards. A second call does nothing.
    void die() override;
    // Defeat without rewards (a fall into a pit).
    void dieWithoutReward();
    void onDefeatAnimationEnd() override;
    bool onContactBegin(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx, float ny) override;
    bool onContactSeparate(engine::PhysicsShape* own, engine::PhysicsShape* other, float nx,
                           float ny) override;
    void land() override;
    void suspend() override;
    bool playAnimationFile(const std::string& file, int loops, bool lock, AnimationEnd onEnd) override;

    // Starts its interpreter (also done when it lands, and when a stun ends).
    void startPattern();
    CharacterActionPettern* getPattern() const { return pattern_; }
    int getFadeCounter() const { return fadeCounter_; }
    // Whether its defeat paid the rewards.
    bool hasPaidRewards() const { return rewardsPaid_; }

protected:
    EnemyCharacter() = default;

private:
    void animateAttack(const std::string& file);
    void armEvents();
    void payRewards();
    void blink();
    void fade();
    void holdStunned();
    void hitByMelee(engine::Node* body, float nx);
    void hitByBullet(engine::Node* bullet, float nx);
    void healedBy(engine::Node* body, float nx);

    CharacterActionPettern* pattern_ = nullptr;  // a child
    int fadeCounter_ = -1;
    bool rewardsForfeited_ = false;
    bool rewardsPaid_ = false;
    bool patternStarted_ = false;
};

}  // namespace vastomer
