#pragma once

#include <cstdint>
#include <vector>

#include "engine/base/BlendFunc.h"
#include "engine/base/RefPtr.h"
#include "engine/particles/ParticleEmitterConfig.h"
#include "engine/particles/ParticleRandom.h"
#include "engine/render/Texture2D.h"
#include "engine/scene/Node.h"

namespace engine {

// Emits and moves particles as a ParticleEmitterConfig describes; ParticleSystemQuad draws them.
// Runs at update priority 1 while in the scene (after the ordinary updates), with its own seeded
// random numbers so that the same seed and the same frames give the same particles.
class ParticleSystem : public Node {
public:
    enum class PositionType {
        FREE,      // particles stay where in the world they were born
        RELATIVE,  // particles follow the emitter's parent, not the emitter
        GROUPED,   // particles move with the emitter
    };
    static constexpr float DURATION_INFINITY = ParticleEmitterConfig::DURATION_INFINITY;

    ~ParticleSystem() override;

    // Sets the configuration (and with it total particles, emission rate, duration, blend) and puts
    // the node at the configuration's source position. Particles alive now stay.
    virtual void setEmitterConfig(const ParticleEmitterConfig& config);
    // The configuration new particles are made from; changes apply to particles born afterwards.
    ParticleEmitterConfig& getEmitterConfig() { return config_; }
    const ParticleEmitterConfig& getEmitterConfig() const { return config_; }

    // Emission on again from the start; the particles alive now are removed on the next update.
    void resetSystem();
    // No more emission; the particles alive now live out their lives.
    void stopSystem();
    bool isActive() const { return active_; }
    int getParticleCount() const { return particleCount_; }
    bool isFull() const { return particleCount_ >= totalParticles_; }

    int getTotalParticles() const { return totalParticles_; }
    void setTotalParticles(int total);
    float getEmissionRate() const { return emissionRate_; }
    void setEmissionRate(float perSecond) { emissionRate_ = perSecond; }
    // Seconds of emission; DURATION_INFINITY (−1) for ever.
    float getDuration() const { return duration_; }
    void setDuration(float seconds) { duration_ = seconds; }
    PositionType getPositionType() const { return positionType_; }
    void setPositionType(PositionType type) { positionType_ = type; }
    // Once the last particle dies, the system removes itself from its parent.
    void setAutoRemoveOnFinish(bool autoRemove) { autoRemoveOnFinish_ = autoRemove; }
    bool isAutoRemoveOnFinish() const { return autoRemoveOnFinish_; }
    // Where particles are born, relative to the node's origin.
    void setSourcePosition(const Vec2& position) { sourcePosition_ = position; }
    const Vec2& getSourcePosition() const { return sourcePosition_; }

    // Restarts the random sequence.
    void setRandomSeed(uint64_t seed) { random_.setSeed(seed); }
    uint64_t getRandomSeed() const { return random_.getSeed(); }

    virtual void setTexture(Texture2D* texture) { texture_ = texture; }
    Texture2D* getTexture() const { return texture_.get(); }
    void setBlendFunc(const BlendFunc& blend) { blendFunc_ = blend; }
    const BlendFunc& getBlendFunc() const { return blendFunc_; }

    void onEnter() override;
    void onExit() override;
    void update(float dt) override;

protected:
    struct Particle {
        Vec2 pos;       // relative to the emitter's origin at birth
        Vec2 startPos;  // FREE: emitter origin in the world at birth; RELATIVE: emitter position
        Color4F color, deltaColor;
        float size = 0, deltaSize = 0;
        float rotation = 0, deltaRotation = 0;
        float timeToLive = 0;
        // Gravity mode.
        Vec2 dir;
        float radialAccel = 0, tangentialAccel = 0;
        // Radius mode.
        float angle = 0, radiansPerSecond = 0, radius = 0, deltaRadius = 0;
    };

    ParticleSystem() = default;
    // Where a particle is drawn in the node's space, given the node's transform to the world.
    Vec2 drawPosition(const Particle& particle, const AffineTransform& worldToNode) const;

    ParticleEmitterConfig config_;
    std::vector<Particle> particles_;  // the first particleCount_ are alive
    int particleCount_ = 0;
    int totalParticles_ = 0;
    RefPtr<Texture2D> texture_;
    BlendFunc blendFunc_ = BlendFunc::ADDITIVE;

private:
    void emit(int count);
    void initParticle(Particle& particle);
    void moveParticle(Particle& particle, float dt) const;

    ParticleRandom random_;
    float emissionRate_ = 0.0f;
    float duration_ = DURATION_INFINITY;
    double emitCounter_ = 0.0;
    double elapsed_ = 0.0;
    bool active_ = true;
    bool autoRemoveOnFinish_ = false;
    PositionType positionType_ = PositionType::FREE;
    Vec2 sourcePosition_;
};

}  // namespace engine
