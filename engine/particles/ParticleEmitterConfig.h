#pragma once

#include <string>

#include "engine/base/BlendFunc.h"
#include "engine/base/Color.h"
#include "engine/base/Geometry.h"
#include "engine/base/Value.h"

namespace engine {

// What a particle definition (.plist) describes. Every value that varies per particle is
// base + variance × a random number in [-1, 1]. Angles are in degrees, counter-clockwise from +x;
// colours run 0..1; times are in seconds.
struct ParticleEmitterConfig {
    enum class Mode { GRAVITY = 0, RADIUS = 1 };
    static constexpr float DURATION_INFINITY = -1.0f;
    // finishParticleSize of −1: particles keep their start size.
    static constexpr float START_SIZE_EQUAL_TO_END_SIZE = -1.0f;
    // minRadius of −1: particles keep their start radius.
    static constexpr float START_RADIUS_EQUAL_TO_END_RADIUS = -1.0f;

    int maxParticles = 0;
    float duration = DURATION_INFINITY;
    float life = 0.0f, lifeVar = 0.0f;
    float angle = 0.0f, angleVar = 0.0f;
    Color4F startColor, startColorVar{0, 0, 0, 0}, endColor, endColorVar{0, 0, 0, 0};
    float startSize = 0.0f, startSizeVar = 0.0f, endSize = START_SIZE_EQUAL_TO_END_SIZE, endSizeVar = 0.0f;
    // Particle rotation in degrees, clockwise on screen.
    float startSpin = 0.0f, startSpinVar = 0.0f, endSpin = 0.0f, endSpinVar = 0.0f;
    Vec2 sourcePosition;  // where the definition puts the emitter (becomes the node position)
    Vec2 posVar;          // spread of birth positions around the emitter
    BlendFunc blendFunc = BlendFunc::ADDITIVE;
    Mode mode = Mode::GRAVITY;
    float yCoordFlipped = 1.0f;

    // Gravity mode.
    Vec2 gravity;
    float speed = 0.0f, speedVar = 0.0f;
    float radialAccel = 0.0f, radialAccelVar = 0.0f;
    float tangentialAccel = 0.0f, tangentialAccelVar = 0.0f;
    bool rotationIsDir = false;

    // Radius mode: the radius runs from start to end over each particle's life while the particle
    // turns about the emitter.
    float startRadius = 0.0f, startRadiusVar = 0.0f;
    float endRadius = 0.0f, endRadiusVar = 0.0f;
    float rotatePerSecond = 0.0f, rotatePerSecondVar = 0.0f;

    std::string configName;
    std::string textureFileName;
    std::string textureImageData;  // base64 of a gzip or zlib compressed picture file

    // Particles per second: maxParticles / life (infinite for a zero life).
    float emissionRate() const;

    // Reads the keys particle designers write; missing keys read as 0, "" or false (a few keep the
    // defaults particle designers assume: yCoordFlipped 1).
    static ParticleEmitterConfig fromValueMap(const ValueMap& dictionary);
};

}  // namespace engine
