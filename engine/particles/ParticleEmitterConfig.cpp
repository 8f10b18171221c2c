#include "engine/particles/ParticleEmitterConfig.h"

#include <limits>

namespace engine {

namespace {

class Reader {
public:
    explicit Reader(const ValueMap& dictionary) : dictionary_(dictionary) {}

    const Value& operator[](const char* key) const {
        static const Value missing;
        auto found = dictionary_.find(key);
        return found == dictionary_.end() ? missing : found->second;
    }
    float number(const char* key) const { return (*this)[key].asFloat(); }
    Color4F colour(const char* prefix) const {
        const std::string p(prefix);
        return Color4F(number((p + "Red").c_str()), number((p + "Green").c_str()),
                       number((p + "Blue").c_str()), number((p + "Alpha").c_str()));
    }
    bool has(const char* key) const { return dictionary_.count(key) != 0; }

private:
    const ValueMap& dictionary_;
};

}  // namespace

float ParticleEmitterConfig::emissionRate() const {
    if (life <= 0.0f) return std::numeric_limits<float>::infinity();
    return static_cast<float>(maxParticles) / life;
}

ParticleEmitterConfig ParticleEmitterConfig::fromValueMap(const ValueMap& dictionary) {
    Reader d(dictionary);
    ParticleEmitterConfig c;
    c.maxParticles = d["maxParticles"].asInt();
    c.configName = d["configName"].asString();
    c.angle = d.number("angle");
    c.angleVar = d.number("angleVariance");
    c.duration = d.number("duration");
    c.blendFunc.src = static_cast<uint32_t>(d["blendFuncSource"].asInt());
    c.blendFunc.dst = static_cast<uint32_t>(d["blendFuncDestination"].asInt());
    c.startColor = d.colour("startColor");
    c.startColorVar = d.colour("startColorVariance");
    c.endColor = d.colour("finishColor");
    c.endColorVar = d.colour("finishColorVariance");
    c.startSize = d.number("startParticleSize");
    c.startSizeVar = d.number("startParticleSizeVariance");
    c.endSize = d.number("finishParticleSize");
    c.endSizeVar = d.number("finishParticleSizeVariance");
    c.sourcePosition = Vec2(d.number("sourcePositionx"), d.number("sourcePositiony"));
    c.posVar = Vec2(d.number("sourcePositionVariancex"), d.number("sourcePositionVariancey"));
    c.startSpin = d.number("rotationStart");
    c.startSpinVar = d.number("rotationStartVariance");
    c.endSpin = d.number("rotationEnd");
    c.endSpinVar = d.number("rotationEndVariance");
    c.mode = d["emitterType"].asInt() == 1 ? Mode::RADIUS : Mode::GRAVITY;
    c.life = d.number("particleLifespan");
    c.lifeVar = d.number("particleLifespanVariance");
    c.yCoordFlipped = d.has("yCoordFlipped") ? static_cast<float>(d["yCoordFlipped"].asInt()) : 1.0f;

    c.gravity = Vec2(d.number("gravityx"), d.number("gravityy"));
    c.speed = d.number("speed");
    c.speedVar = d.number("speedVariance");
    c.radialAccel = d.number("radialAcceleration");
    c.radialAccelVar = d.number("radialAccelVariance");
    c.tangentialAccel = d.number("tangentialAcceleration");
    c.tangentialAccelVar = d.number("tangentialAccelVariance");
    c.rotationIsDir = d["rotationIsDir"].asBool();

    c.startRadius = d.number("maxRadius");
    c.startRadiusVar = d.number("maxRadiusVariance");
    c.endRadius = d.number("minRadius");
    c.endRadiusVar = d.number("minRadiusVariance");
    c.rotatePerSecond = d.number("rotatePerSecond");
    c.rotatePerSecondVar = d.number("rotatePerSecondVariance");

    c.textureFileName = d["textureFileName"].asString();
    c.textureImageData = d["textureImageData"].asString();
    return c;
}

}  // namespace engine
