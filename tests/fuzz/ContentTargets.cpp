// Fuzz entries of the content files authors make and players may damage: animation scripts (loaded
// and played), tile maps and tilesets (built into a map node and drawn), particle definitions
// (emitted and drawn), MP3 lengths and the rig sources of the content tool.
#include <cstdlib>
#include <string>
#include <vector>

#include "engine/audio/Mp3Info.h"
#include "engine/particles/ParticleSystemQuad.h"
#include "engine/scene/Scene.h"
#include "engine/tilemap/TMXParser.h"
#include "engine/tilemap/TMXTiledMap.h"
#include "game/scenario/AnimationScriptParser.h"
#include "game/scenario/CompositeAnimation.h"
#include "tests/fuzz/FuzzTargets.h"
#include "tests/fuzz/FuzzWorld.h"
#include "tools/rig/CmaRig.h"
#include "tools/rig/RigParser.h"

namespace fuzzing {

namespace {

// Script frames an input is played for: enough to pass through the opening of any animation.
constexpr int PLAYED_FRAMES = 12;
// Frames a particle definition runs for before the frame that is drawn.
constexpr int PARTICLE_STEPS = 8;

void require(bool condition) {
    if (!condition) std::abort();
}

// Builds the map node of a map file and shows it for one frame.
void showMap(FuzzWorld& world, const std::string& file) {
    engine::TMXTiledMap* map = engine::TMXTiledMap::create(file);
    if (!map) return;
    world.getScene()->addChild(map);
    world.drawFrame();
    map->removeFromParent();
}

}  // namespace

void fuzzAnimationScript(std::string_view input) {
    vastomer::AnimationTimeline timeline;
    std::vector<vastomer::AnimationScriptError> errors;
    vastomer::AnimationScriptParser::parse(input, timeline,
                                           vastomer::AnimationScriptParser::Mode::COLLECT_ALL_ERRORS, errors);
    for (const vastomer::AnimationScriptError& error : errors)
        require(error.line >= 0 && !error.gameMessage("fuzz.cma").empty());
    errors.clear();
    if (!vastomer::AnimationScriptParser::parse(
            input, timeline, vastomer::AnimationScriptParser::Mode::STOP_AT_FIRST_ERROR, errors))
        return;

    FuzzWorld& world = FuzzWorld::get();
    world.writeResource("anime/fuzz.cma", input);
    vastomer::CompositeAnimation* animation = vastomer::CompositeAnimation::create();
    require(animation->load("anime/fuzz.cma"));
    animation->setPosition(480, 270);
    world.getScene()->addChild(animation);
    animation->play(nullptr, true);
    for (int frame = 0; frame < PLAYED_FRAMES; ++frame)
        animation->step();
    world.drawFrame();
    animation->removeFromParent();
    world.forgetInput();
}

void fuzzTmxMap(std::string_view input) {
    FuzzWorld& world = FuzzWorld::get();
    const std::string path = world.writeResource("data/map/fuzz.tmx", input);
    engine::TMXMapInfo info;
    std::string error;
    if (engine::TMXParser::parseFile(path, info, error)) showMap(world, path);
    world.forgetInput();
}

void fuzzTmxTileset(std::string_view input) {
    // The tileset as an external file of a small map that uses its first tiles in every layer kind.
    static const char* const MAP =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<map version=\"1.10\" orientation=\"orthogonal\" renderorder=\"right-down\" width=\"3\" height=\"2\""
        " tilewidth=\"16\" tileheight=\"16\" infinite=\"0\">\n"
        " <tileset firstgid=\"1\" source=\"fuzz.tsx\"/>\n"
        " <layer id=\"1\" name=\"base\" width=\"3\" height=\"2\">\n"
        "  <data encoding=\"csv\">1,2,3,\n4,5,2147483649</data>\n"
        " </layer>\n"
        " <objectgroup id=\"2\" name=\"things\"><object id=\"1\" gid=\"2\" x=\"0\" y=\"16\" width=\"16\""
        " height=\"16\"/></objectgroup>\n"
        "</map>\n";
    FuzzWorld& world = FuzzWorld::get();
    world.writeResource("data/map/fuzz.tsx", input);
    const std::string path = world.writeResource("data/map/fuzz-tileset.tmx", MAP);
    engine::TMXMapInfo info;
    std::string error;
    if (engine::TMXParser::parseFile(path, info, error)) showMap(world, path);
    world.forgetInput();
}

void fuzzParticles(std::string_view input) {
    FuzzWorld& world = FuzzWorld::get();
    world.writeResource("particle/fuzz.plist", input);
    engine::ParticleSystemQuad* system = engine::ParticleSystemQuad::create("particle/fuzz.plist");
    if (system) {
        system->setPosition(480, 270);
        world.getScene()->addChild(system);
        for (int step = 0; step < PARTICLE_STEPS; ++step)
            system->update(1.0f / 60.0f);
        world.drawFrame();
        system->removeFromParent();
    }
    world.forgetInput();
}

void fuzzMp3Length(std::string_view input) {
    const engine::Mp3Info info = engine::Mp3Info::fromBytes(input);
    require(info.getSampleCount() >= 0 && info.getTicksAt60() >= 0);
}

void fuzzRig(std::string_view input) {
    // A bad source is answered with a line and a message, never anything else.
    try {
        rig::CmaRig::generate(rig::RigParser::parse(std::string(input)), "fuzz.rig");
    } catch (const rig::RigError& error) {
        require(error.line >= 0 && error.what()[0] != '\0');
    }
}

}  // namespace fuzzing
