#include "engine/particles/ParticleSystemQuad.h"

#include <algorithm>
#include <cmath>
#include <cstdio>

#include "engine/base/PlistReader.h"
#include "engine/particles/ParticleTextures.h"
#include "engine/platform/FileUtils.h"
#include "engine/render/Renderer.h"

namespace engine {

namespace {

// Far more than any effect; keeps a damaged definition from reserving gigabytes.
constexpr int kMaxParticles = 100000;

uint8_t toByte(float channel) {
    return static_cast<uint8_t>(std::lround(std::clamp(channel, 0.0f, 1.0f) * 255.0f));
}

}  // namespace

ParticleSystemQuad* ParticleSystemQuad::create(const std::string& plistFile) {
    std::string error;
    const std::string fullPath = FileUtils::getInstance()->fullPathForFilename(plistFile);
    ValueMap dictionary;
    auto* system = new ParticleSystemQuad();
    if (fullPath.empty()) {
        error = "file not found";
    } else if (PlistReader::readDictionaryFromFile(fullPath, dictionary, error) &&
               system->initWithDictionary(dictionary, fullPath, error)) {
        system->autorelease();
        return system;
    }
    std::fprintf(stderr, "particle file %s: %s\n", plistFile.c_str(), error.c_str());
    delete system;
    return nullptr;
}

ParticleSystemQuad* ParticleSystemQuad::create(const ValueMap& dictionary) {
    std::string error;
    auto* system = new ParticleSystemQuad();
    if (!system->initWithDictionary(dictionary, "", error)) {
        std::fprintf(stderr, "particle definition: %s\n", error.c_str());
        delete system;
        return nullptr;
    }
    system->autorelease();
    return system;
}

ParticleSystemQuad* ParticleSystemQuad::createWithTotalParticles(int total) {
    auto* system = new ParticleSystemQuad();
    if (!system->init()) {
        delete system;
        return nullptr;
    }
    ParticleEmitterConfig config;
    config.maxParticles = std::clamp(total, 0, kMaxParticles);
    system->setEmitterConfig(config);
    system->setEmissionRate(0.0f);
    system->setTexture(ParticleTextures::fallbackDot());
    system->autorelease();
    return system;
}

bool ParticleSystemQuad::initWithDictionary(const ValueMap& dictionary, const std::string& definitionPath,
                                            std::string& error) {
    if (!init()) return false;
    ParticleEmitterConfig config = ParticleEmitterConfig::fromValueMap(dictionary);
    if (config.maxParticles < 0 || config.maxParticles > kMaxParticles) {
        error = "maxParticles " + std::to_string(config.maxParticles) + " out of range";
        return false;
    }
    setEmitterConfig(config);
    chooseTexture(definitionPath);
    return texture_ != nullptr;
}

void ParticleSystemQuad::chooseTexture(const std::string& definitionPath) {
    const std::string& name = config_.textureFileName;
    Texture2D* texture = nullptr;
    if (!definitionPath.empty()) {
        texture = ParticleTextures::fromFile(definitionPath, name);
    } else if (!name.empty() && FileUtils::getInstance()->isFileExist(name)) {
        texture = ParticleTextures::fromFile(FileUtils::getInstance()->fullPathForFilename(name), name);
    }
    const std::string where = definitionPath.empty() ? std::string("particle definition") : definitionPath;
    if (!texture && !config_.textureImageData.empty()) {
        std::string error;
        texture = ParticleTextures::fromEmbeddedData(config_.textureImageData, error);
        if (!texture) std::fprintf(stderr, "%s: %s\n", where.c_str(), error.c_str());
    }
    if (!texture) {
        if (!name.empty())
            std::fprintf(stderr, "%s: particle picture %s not found; drawing the built-in dot\n",
                         where.c_str(), name.c_str());
        texture = ParticleTextures::fallbackDot();
    }
    setTexture(texture);
}

void ParticleSystemQuad::draw(Renderer& renderer, const DrawContext& context) {
    if (particleCount_ == 0 || !texture_) return;
    const AffineTransform worldToNode =
        getPositionType() == PositionType::FREE ? context.transform.inverse() : AffineTransform::IDENTITY;
    Texture2D* texture = texture_.get();
    const Rect picture(Vec2::ZERO, texture->getContentSize());
    const Vec2 texels[4] = {
        {0, picture.size.height}, {picture.size.width, picture.size.height}, {picture.size.width, 0}, {0, 0}};
    for (int i = 0; i < particleCount_; ++i) {
        const Particle& p = particles_[i];
        if (p.size <= 0.0f) continue;
        const Vec2 centre = drawPosition(p, worldToNode);
        const Color4B color(toByte(p.color.r), toByte(p.color.g), toByte(p.color.b), toByte(p.color.a));
        const float half = p.size * 0.5f;
        if (p.rotation == 0.0f) {
            renderer.drawRect(context, Rect(centre.x - half, centre.y - half, p.size, p.size), texture,
                              picture, false, false, color, blendFunc_);
            continue;
        }
        // Clockwise on screen: a negative angle in the y-up space.
        const float radians = -p.rotation * 3.14159265358979323846f / 180.0f;
        const float c = std::cos(radians), s = std::sin(radians);
        const Vec2 offsets[4] = {{-half, -half}, {half, -half}, {half, half}, {-half, half}};
        Vec2 corners[4];
        for (int k = 0; k < 4; ++k)
            corners[k] = Vec2(centre.x + offsets[k].x * c - offsets[k].y * s,
                              centre.y + offsets[k].x * s + offsets[k].y * c);
        renderer.drawQuad(context, corners, texture, texels, color, blendFunc_);
    }
}

}  // namespace engine
