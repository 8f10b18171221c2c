#include "engine/demo/DemoScenes.h"

#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/Follow.h"
#include "engine/actions/MoveBy.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/RotateBy.h"
#include "engine/actions/ScaleTo.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/Spawn.h"
#include "engine/demo/DemoArt.h"
#include "engine/demo/DemoMapScenes.h"
#include "engine/demo/DemoPhysicsScene.h"
#include "engine/scene/Label.h"
#include "engine/scene/Layer.h"
#include "engine/scene/Scale9Sprite.h"
#include "engine/scene/Sprite.h"

namespace engine_demo {

using namespace engine;

namespace {

Sprite* rectangle(Node* parent, const Rect& rect, Color3B color, uint8_t opacity = 255) {
    Sprite* sprite = Sprite::create();
    sprite->setTextureRect(Rect(0, 0, rect.size.width, rect.size.height));
    sprite->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
    sprite->setPosition(rect.origin);
    sprite->setColor(color);
    sprite->setOpacity(opacity);
    parent->addChild(sprite);
    return sprite;
}

Label* caption(Node* parent, const std::string& text, Vec2 position, float size, int outline = 0) {
    Label* label =
        Label::createWithTTF(TTFConfig(DEMO_FONT, size * 4.0f, outline * 4), text, TextHAlignment::LEFT);
    if (!label) return nullptr;
    label->setScale(0.25f);
    label->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
    label->setPosition(position);
    if (outline) label->enableOutline(Color4B(20, 16, 40, 255));
    parent->addChild(label);
    return label;
}

}  // namespace

Scene* DemoScenes::create(const std::string& name) {
    if (name == "showcase") return showcase();
    if (name == "actions") return actions();
    if (name == "perspective") return perspective();
    if (name == "tilemap") return DemoMapScenes::tilemap();
    if (name == "particles") return DemoMapScenes::particles();
    if (name == "physics") return DemoPhysicsScene::create();
    return nullptr;
}

Scene* DemoScenes::showcase() {
    Scene* scene = Scene::create();
    // Dusk backdrop in bands of plain rectangles.
    const Color3B bands[] = {{28, 24, 64}, {44, 36, 88}, {70, 52, 104}, {112, 72, 104}, {168, 104, 88}};
    for (int i = 0; i < 5; ++i)
        rectangle(scene, Rect(0, 540 - (i + 1) * 108.0f, 960, 108), bands[i]);

    Texture2D* arrow = DemoArt::arrow(48, 24, Color4B(240, 200, 96, 255));
    const struct {
        float rotation;
        bool flipX, flipY;
        float scale;
        Color3B tint;
        uint8_t opacity;
    } poses[] = {{0, false, false, 1, {255, 255, 255}, 255},  {0, true, false, 1, {255, 255, 255}, 255},
                 {90, false, false, 1, {255, 255, 255}, 255}, {45, false, false, 1, {255, 255, 255}, 255},
                 {0, false, true, 2, {255, 255, 255}, 255},   {0, false, false, 1, {96, 200, 255}, 255},
                 {0, false, false, 1, {255, 255, 255}, 128},  {-30, true, false, 1.5f, {160, 255, 160}, 255}};
    float x = 80;
    for (const auto& pose : poses) {
        Sprite* sprite = Sprite::createWithTexture(arrow);
        sprite->setPosition(x, 440);
        sprite->setRotation(pose.rotation);
        sprite->setFlippedX(pose.flipX);
        sprite->setFlippedY(pose.flipY);
        sprite->setScale(pose.scale);
        sprite->setColor(pose.tint);
        sprite->setOpacity(pose.opacity);
        scene->addChild(sprite);
        x += 110;
    }
    Sprite* glow = Sprite::createWithTexture(DemoArt::disc(64, Color4B(255, 160, 64, 255)));
    glow->setPosition(880, 440);
    glow->setBlendFunc(BlendFunc::ADDITIVE);
    scene->addChild(glow);

    caption(scene, "Quorin engine demo", Vec2(40, 340), 28, 2);
    caption(scene, "ランタンの灯りが街を照らす", Vec2(40, 296), 24, 2);
    caption(scene, "Text drawn at 4x and scaled by 0.25 stays crisp.", Vec2(40, 266), 14);

    Texture2D* panel = DemoArt::panel(48, Color4B(60, 48, 120, 255), Color4B(24, 28, 56, 230));
    const Size sizes[] = {{48, 48}, {200, 96}, {320, 150}, {30, 30}};
    float px = 40;
    for (const Size& size : sizes) {
        auto* box = ui::Scale9Sprite::createWithTexture(panel, Rect::ZERO, Rect(16, 16, 16, 16));
        box->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
        box->setContentSize(size);
        box->setPosition(px, 60);
        scene->addChild(box);
        px += size.width + 24;
    }
    return scene;
}

Scene* DemoScenes::actions() {
    Scene* scene = Scene::create();
    rectangle(scene, Rect(0, 0, 960, 540), Color3B(24, 40, 48));
    Sprite* mover = Sprite::createWithTexture(DemoArt::disc(48, Color4B(96, 200, 160, 255)));
    mover->setPosition(120, 270);
    scene->addChild(mover);
    mover->runAction(
        Sequence::create({MoveBy::create(1.0f, Vec2(600, 0)), DelayTime::create(0.25f),
                          Spawn::create({FadeTo::create(0.5f, 64), ScaleTo::create(0.5f, 2.0f)})}));
    Sprite* spinner = Sprite::createWithTexture(DemoArt::arrow(64, 32, Color4B(240, 200, 96, 255)));
    spinner->setPosition(480, 120);
    scene->addChild(spinner);
    spinner->runAction(RepeatForever::create(RotateBy::create(1.0f, 360.0f)));
    caption(scene, "actions", Vec2(24, 500), 16, 1);
    return scene;
}

Scene* DemoScenes::perspective() {
    Scene* scene = Scene::create();
    rectangle(scene, Rect(0, 0, 960, 540), Color3B(16, 20, 40));
    Layer* plane = Layer::create();
    plane->setPositionZ(230);
    scene->addChild(plane);
    Texture2D* tiles = DemoArt::checker(16, 16, 8, Color4B(72, 96, 72, 255), Color4B(56, 80, 56, 255));
    tiles->setAliasTexParameters();
    for (int row = 0; row < 6; ++row)
        for (int col = 0; col < 60; ++col) {
            Sprite* tile = Sprite::createWithTexture(tiles);
            tile->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
            tile->setPosition(col * 16.0f, row * 16.0f);
            plane->addChild(tile);
        }
    Sprite* hero = Sprite::createWithTexture(DemoArt::disc(24, Color4B(240, 120, 96, 255)));
    hero->setPosition(200, 108);
    plane->addChild(hero);
    hero->runAction(MoveBy::create(3.0f, Vec2(500, 0)));
    plane->runAction(Follow::create(hero));
    caption(scene, "plane at z 230, camera follows", Vec2(24, 500), 16, 1);
    return scene;
}

}  // namespace engine_demo
