#include "engine/particles/ParticleSystem.h"

#include <algorithm>
#include <cmath>

namespace engine {

namespace {

constexpr float kDegreesToRadians = 3.14159265358979323846f / 180.0f;

float clamp01(float v) {
    return std::clamp(v, 0.0f, 1.0f);
}

}  // namespace

ParticleSystem::~ParticleSystem() = default;

void ParticleSystem::setEmitterConfig(const ParticleEmitterConfig& config) {
    config_ = config;
    setTotalParticles(std::max(0, config.maxParticles));
    emissionRate_ = config.emissionRate();
    duration_ = config.duration;
    // Pictures are kept with straight alpha, so the premultiplied "normal" pair means plain blending.
    blendFunc_ = config.blendFunc == BlendFunc::ALPHA_PREMULTIPLIED ? BlendFunc::ALPHA_NON_PREMULTIPLIED
                                                                    : config.blendFunc;
    setPosition(config.sourcePosition);
}

void ParticleSystem::setTotalParticles(int total) {
    totalParticles_ = std::max(0, total);
    particles_.resize(static_cast<std::size_t>(totalParticles_));
    particleCount_ = std::min(particleCount_, totalParticles_);
}

void ParticleSystem::resetSystem() {
    active_ = true;
    elapsed_ = 0.0;
    for (int i = 0; i < particleCount_; ++i)
        particles_[i].timeToLive = 0.0f;
}

void ParticleSystem::stopSystem() {
    active_ = false;
    elapsed_ = duration_;
    emitCounter_ = 0.0;
}

void ParticleSystem::onEnter() {
    Node::onEnter();
    scheduleUpdateWithPriority(1);
}

void ParticleSystem::onExit() {
    unscheduleUpdate();
    Node::onExit();
}

void ParticleSystem::update(float dt) {
    if (active_ && emissionRate_ > 0.0f) {
        if (particleCount_ < totalParticles_) emitCounter_ += dt;
        emitCounter_ = std::max(0.0, emitCounter_);
        const int room = std::max(0, totalParticles_ - particleCount_);
        // An infinite rate (zero life) fills the pool at once.
        const double interval = std::isinf(emissionRate_) ? 0.0 : 1.0 / emissionRate_;
        const int count =
            interval > 0.0 ? static_cast<int>(std::min<double>(room, emitCounter_ / interval)) : room;
        emit(count);
        emitCounter_ -= interval * count;
        elapsed_ += dt;
        if (elapsed_ < 0.0) elapsed_ = 0.0;
        if (duration_ != DURATION_INFINITY && duration_ < elapsed_) stopSystem();
    }

    for (int i = 0; i < particleCount_; ++i)
        particles_[i].timeToLive -= dt;
    for (int i = 0; i < particleCount_;) {
        if (particles_[i].timeToLive > 0.0f) {
            ++i;
            continue;
        }
        particles_[i] = particles_[particleCount_ - 1];
        --particleCount_;
        if (particleCount_ == 0 && autoRemoveOnFinish_) {
            unscheduleUpdate();
            removeFromParentAndCleanup(true);
            return;
        }
    }
    for (int i = 0; i < particleCount_; ++i)
        moveParticle(particles_[i], dt);
}

void ParticleSystem::emit(int count) {
    for (int i = 0; i < count && particleCount_ < totalParticles_; ++i)
        initParticle(particles_[particleCount_++]);
}

void ParticleSystem::initParticle(Particle& p) {
    const ParticleEmitterConfig& c = config_;
    auto vary = [this](float base, float variance) { return base + variance * random_.minusOneToOne(); };

    p.timeToLive = std::max(0.0f, vary(c.life, c.lifeVar));
    // Changes over the life; a particle without life dies on this update and needs none.
    const float perSecond = p.timeToLive > 0.0f ? 1.0f / p.timeToLive : 0.0f;

    p.pos.x = sourcePosition_.x + vary(0.0f, c.posVar.x);
    p.pos.y = sourcePosition_.y + vary(0.0f, c.posVar.y);

    Color4F start(
        clamp01(vary(c.startColor.r, c.startColorVar.r)), clamp01(vary(c.startColor.g, c.startColorVar.g)),
        clamp01(vary(c.startColor.b, c.startColorVar.b)), clamp01(vary(c.startColor.a, c.startColorVar.a)));
    Color4F end(clamp01(vary(c.endColor.r, c.endColorVar.r)), clamp01(vary(c.endColor.g, c.endColorVar.g)),
                clamp01(vary(c.endColor.b, c.endColorVar.b)), clamp01(vary(c.endColor.a, c.endColorVar.a)));
    p.color = start;
    p.deltaColor = Color4F((end.r - start.r) * perSecond, (end.g - start.g) * perSecond,
                           (end.b - start.b) * perSecond, (end.a - start.a) * perSecond);

    const float startSize = std::max(0.0f, vary(c.startSize, c.startSizeVar));
    p.size = startSize;
    if (c.endSize == ParticleEmitterConfig::START_SIZE_EQUAL_TO_END_SIZE) {
        p.deltaSize = 0.0f;
    } else {
        const float endSize = std::max(0.0f, vary(c.endSize, c.endSizeVar));
        p.deltaSize = (endSize - startSize) * perSecond;
    }

    const float startSpin = vary(c.startSpin, c.startSpinVar);
    const float endSpin = vary(c.endSpin, c.endSpinVar);
    p.rotation = startSpin;
    p.deltaRotation = (endSpin - startSpin) * perSecond;

    if (positionType_ == PositionType::FREE)
        p.startPos = convertToWorldSpace(Vec2::ZERO);
    else if (positionType_ == PositionType::RELATIVE)
        p.startPos = position_;

    const float angle = vary(c.angle, c.angleVar) * kDegreesToRadians;
    if (c.mode == ParticleEmitterConfig::Mode::GRAVITY) {
        const Vec2 direction(std::cos(angle), std::sin(angle));
        p.dir = direction * vary(c.speed, c.speedVar);
        p.radialAccel = vary(c.radialAccel, c.radialAccelVar);
        p.tangentialAccel = vary(c.tangentialAccel, c.tangentialAccelVar);
        // Turned to face the way it flies (clockwise degrees).
        if (c.rotationIsDir) p.rotation = -std::atan2(direction.y, direction.x) / kDegreesToRadians;
    } else {
        const float startRadius = vary(c.startRadius, c.startRadiusVar);
        const float endRadius = vary(c.endRadius, c.endRadiusVar);
        p.radius = startRadius;
        p.deltaRadius = c.endRadius == ParticleEmitterConfig::START_RADIUS_EQUAL_TO_END_RADIUS
                            ? 0.0f
                            : (endRadius - startRadius) * perSecond;
        p.angle = angle;
        p.radiansPerSecond = vary(c.rotatePerSecond, c.rotatePerSecondVar) * kDegreesToRadians;
    }
}

void ParticleSystem::moveParticle(Particle& p, float dt) const {
    const ParticleEmitterConfig& c = config_;
    if (c.mode == ParticleEmitterConfig::Mode::GRAVITY) {
        // Radial acceleration points away from the emitter, tangential at a right angle to it.
        const Vec2 radial = p.pos.getNormalized();
        const Vec2 tangential(-radial.y, radial.x);
        const Vec2 acceleration = radial * p.radialAccel + tangential * p.tangentialAccel + c.gravity;
        p.dir += acceleration * dt;
        p.pos.x += p.dir.x * dt;
        p.pos.y += p.dir.y * dt * c.yCoordFlipped;
    } else {
        p.angle += p.radiansPerSecond * dt;
        p.radius += p.deltaRadius * dt;
        p.pos.x = -std::cos(p.angle) * p.radius;
        p.pos.y = -std::sin(p.angle) * p.radius * c.yCoordFlipped;
    }
    p.color.r += p.deltaColor.r * dt;
    p.color.g += p.deltaColor.g * dt;
    p.color.b += p.deltaColor.b * dt;
    p.color.a += p.deltaColor.a * dt;
    p.size = std::max(0.0f, p.size + p.deltaSize * dt);
    p.rotation += p.deltaRotation * dt;
}

Vec2 ParticleSystem::drawPosition(const Particle& p, const AffineTransform& worldToNode) const {
    switch (positionType_) {
        case PositionType::FREE:
            // Born at a fixed point of the world: that point, seen from where the node is now.
            return p.pos + worldToNode.apply(p.startPos);
        case PositionType::RELATIVE:
            // Born at a fixed point of the parent: undo the emitter's move since then.
            return p.pos - (position_ - p.startPos);
        case PositionType::GROUPED:
        default:
            return p.pos;
    }
}

}  // namespace engine
