#pragma once

#include <string>

#include "engine/base/Value.h"
#include "engine/particles/ParticleSystem.h"

namespace engine {

// A particle system drawn as one textured square per particle: centred on the particle, as wide as
// its size, turned clockwise by its rotation, tinted with its colour through the vertex colour (the
// node's own colour and opacity do not apply). All quads share one texture and blend mode, so the
// renderer sends them in one batch.
class ParticleSystemQuad : public ParticleSystem {
public:
    // From a particle definition (.plist). The picture is the file the definition names, looked for
    // in the definition's folder, else the picture embedded in it, else a built-in soft round dot.
    // Null, with a message on stderr naming the file, if the definition cannot be read.
    static ParticleSystemQuad* create(const std::string& plistFile);
    // From a definition already read; the picture is looked up through the search paths.
    static ParticleSystemQuad* create(const ValueMap& dictionary);
    // An empty system with room for `total` particles and no emission, to be configured in code.
    static ParticleSystemQuad* createWithTotalParticles(int total);

    void draw(Renderer& renderer, const DrawContext& context) override;

private:
    ParticleSystemQuad() = default;
    bool initWithDictionary(const ValueMap& dictionary, const std::string& definitionPath,
                            std::string& error);
    void chooseTexture(const std::string& definitionPath);
};

}  // namespace engine
