#include "engine/demo/DemoMapScenes.h"

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <string>

#include "engine/actions/Follow.h"
#include "engine/actions/MoveBy.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/Sequence.h"
#include "engine/demo/DemoArt.h"
#include "engine/particles/ParticleSystemQuad.h"
#include "engine/platform/Application.h"
#include "engine/scene/Label.h"
#include "engine/scene/Layer.h"
#include "engine/scene/Sprite.h"
#include "engine/tilemap/TMXTiledMap.h"

namespace engine_demo {

using namespace engine;

namespace {

// A file named on the command line, else in the environment; "" if neither.
std::string fileOption(const char* option, const char* variable) {
    if (Application* app = Application::getInstance()) {
        const LaunchOptions& options = app->getLaunchOptions();
        if (options.has(option)) return options.value(option);
    }
    const char* value = std::getenv(variable);
    return value ? value : "";
}

void backdrop(Node* parent, Color3B color) {
    Sprite* sprite = Sprite::create();
    sprite->setTextureRect(Rect(0, 0, 960, 540));
    sprite->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
    sprite->setColor(color);
    parent->addChild(sprite, -10);
}

void caption(Node* parent, const std::string& text, Vec2 position) {
    Label* label = Label::createWithTTF(TTFConfig(DEMO_FONT, 64.0f, 4), text, TextHAlignment::LEFT);
    if (!label) return;
    label->setScale(0.25f);
    label->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
    label->setPosition(position);
    label->enableOutline(Color4B(20, 16, 40, 255));
    parent->addChild(label, 10);
}

std::string baseName(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? path : path.substr(slash + 1);
}

// A warm fountain drawn with the built-in dot (the definition names no picture).
ValueMap fountain(int maxParticles, float duration) {
    ValueMap d;
    d["maxParticles"] = Value(maxParticles);
    d["duration"] = Value(duration);
    d["particleLifespan"] = Value(1.4);
    d["particleLifespanVariance"] = Value(0.3);
    d["angle"] = Value(90.0);
    d["angleVariance"] = Value(18.0);
    d["speed"] = Value(190.0);
    d["speedVariance"] = Value(40.0);
    d["gravityy"] = Value(-220.0);
    d["startParticleSize"] = Value(18.0);
    d["startParticleSizeVariance"] = Value(4.0);
    d["finishParticleSize"] = Value(4.0);
    d["startColorRed"] = Value(1.0);
    d["startColorGreen"] = Value(0.65);
    d["startColorBlue"] = Value(0.25);
    d["startColorAlpha"] = Value(1.0);
    d["finishColorRed"] = Value(0.9);
    d["finishColorGreen"] = Value(0.2);
    d["finishColorBlue"] = Value(0.1);
    d["finishColorAlpha"] = Value(0.0);
    d["blendFuncSource"] = Value(770);
    d["blendFuncDestination"] = Value(1);
    return d;
}

// Back and forth along a vector, for ever.
Action* shuttle(float seconds, Vec2 offset) {
    return RepeatForever::create(
        Sequence::create({MoveBy::create(seconds, offset), MoveBy::create(seconds, -offset)}));
}

}  // namespace

Scene* DemoMapScenes::tilemap() {
    Scene* scene = Scene::create();
    backdrop(scene, Color3B(12, 14, 28));
    const std::string path = fileOption("map", "QUORIN_DEMO_MAP");
    TMXTiledMap* map = path.empty() ? nullptr : TMXTiledMap::create(path);
    if (!map) {
        std::fprintf(stderr,
                     "engine-demo: the tilemap scene needs a readable map (--map FILE or QUORIN_DEMO_MAP)\n");
        caption(scene, path.empty() ? "no map given: --map FILE" : "cannot load " + baseName(path),
                Vec2(24, 500));
        return scene;
    }
    Layer* plane = Layer::create();
    plane->setPositionZ(230);
    scene->addChild(plane);
    plane->addChild(map);

    // The camera point tours the map a little inside its edges, as a player would walk it.
    const Size size = map->getContentSize();
    const Vec2 start(std::min(300.0f, size.width * 0.5f), std::min(180.0f, size.height * 0.5f));
    const Size span(std::max(0.0f, size.width - 2 * start.x), std::max(0.0f, size.height - 2 * start.y));
    Sprite* point = Sprite::createWithTexture(DemoArt::disc(12, Color4B(255, 96, 80, 255)));
    point->setPosition(start);
    plane->addChild(point, 20);
    point->runAction(RepeatForever::create(Sequence::create(
        {MoveBy::create(3.0f, Vec2(span.width, 0)), MoveBy::create(3.0f, Vec2(0, span.height)),
         MoveBy::create(3.0f, Vec2(-span.width, 0)), MoveBy::create(3.0f, Vec2(0, -span.height))})));
    plane->runAction(Follow::create(point));
    caption(scene, baseName(path) + " on a plane at z 230", Vec2(24, 500));
    return scene;
}

Scene* DemoMapScenes::particles() {
    Scene* scene = Scene::create();
    backdrop(scene, Color3B(10, 12, 24));

    const std::string path = fileOption("particles", "QUORIN_DEMO_PARTICLES");
    if (!path.empty()) {
        if (ParticleSystemQuad* file = ParticleSystemQuad::create(path)) {
            file->setPosition(160, 300);
            file->runAction(shuttle(2.0f, Vec2(0, 160)));
            scene->addChild(file);
            caption(scene, baseName(path), Vec2(40, 500));
        }
    }

    // Three emitters carried by moving holders: FREE leaves a trail, RELATIVE and GROUPED move with
    // the holder (they differ when the emitter itself moves within its holder).
    const struct {
        ParticleSystem::PositionType type;
        const char* name;
        float y;
    } rows[] = {{ParticleSystem::PositionType::FREE, "FREE", 380},
                {ParticleSystem::PositionType::RELATIVE, "RELATIVE", 220},
                {ParticleSystem::PositionType::GROUPED, "GROUPED", 60}};
    for (const auto& row : rows) {
        Node* holder = Node::create();
        holder->setPosition(420, row.y);
        holder->runAction(shuttle(1.5f, Vec2(380, 0)));
        scene->addChild(holder);
        ParticleSystemQuad* emitter = ParticleSystemQuad::create(fountain(90, -1.0f));
        emitter->setPosition(0, 0);
        emitter->setPositionType(row.type);
        emitter->runAction(shuttle(0.5f, Vec2(0, 30)));
        holder->addChild(emitter);
        caption(scene, row.name, Vec2(300, row.y + 100));
    }

    // A short burst every second that removes itself once its last particle is gone.
    scene->schedule(
        [scene](float) {
            ParticleSystemQuad* burst = ParticleSystemQuad::create(fountain(60, 0.2f));
            burst->setPosition(880, 120);
            burst->setAutoRemoveOnFinish(true);
            scene->addChild(burst);
        },
        1.0f, "burst");
    caption(scene, "burst (auto-remove)", Vec2(790, 60));
    return scene;
}

}  // namespace engine_demo
