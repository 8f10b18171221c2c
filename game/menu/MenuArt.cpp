#include "game/menu/MenuArt.h"

#include "engine/actions/MoveBy.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/Sequence.h"
#include "engine/render/Texture2D.h"
#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"

namespace vastomer {

namespace {

const engine::Color4B CHOICE_GREY(150, 150, 150, 255);
constexpr int BOB_TAG = 7301;

}  // namespace

engine::Sprite* MenuArt::picture(const std::string& file, float scale) {
    engine::Sprite* sprite = engine::Sprite::create(file);
    if (!sprite) sprite = engine::Sprite::create();
    if (engine::Texture2D* texture = sprite->getTexture()) texture->setAliasTexParameters();
    sprite->setScale(scale);
    return sprite;
}

engine::Sprite* MenuArt::panel(float width, float height, const engine::Color3B& colour, uint8_t opacity) {
    engine::Sprite* sprite = engine::Sprite::create();
    sprite->setTextureRect(engine::Rect(0.0f, 0.0f, width, height));
    sprite->setColor(colour);
    sprite->setOpacity(opacity);
    return sprite;
}

engine::Label* MenuArt::label(const std::string& text, const std::string& font, float size, float scale,
                              const engine::Color4B& colour, int outline) {
    engine::Label* label = engine::Label::createWithTTF(engine::TTFConfig(font, size, outline), text);
    if (!label) label = engine::Label::createWithTTF(engine::TTFConfig(BODY_FONT, size, outline), text);
    if (!label) return nullptr;
    label->setTextColor(colour);
    if (outline > 0) label->enableOutline(colour, outline);
    label->setScale(scale);
    return label;
}

void MenuArt::bob(engine::Node* cursor, float distance) {
    if (!cursor) return;
    cursor->stopActionByTag(BOB_TAG);
    auto* bobbing = engine::RepeatForever::create(
        engine::Sequence::create({engine::MoveBy::create(CURSOR_BOB_OUT, engine::Vec2(distance, 0.0f)),
                                  engine::MoveBy::create(CURSOR_BOB_BACK, engine::Vec2(-distance, 0.0f))}));
    bobbing->setTag(BOB_TAG);
    cursor->runAction(bobbing);
}

engine::Sprite* MenuArt::cursor(float distance) {
    engine::Sprite* sprite = picture(CURSOR_FILE, PIXEL_SCALE);
    bob(sprite, distance);
    return sprite;
}

void MenuArt::highlight(engine::Label* label, bool selected) {
    if (!label) return;
    const engine::Color4B colour = selected ? engine::Color4B::WHITE : CHOICE_GREY;
    label->setTextColor(colour);
    label->enableOutline(colour, 1);
}

std::string MenuArt::lineBreaks(const std::string& text) {
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == 'n') {
            out += '\n';
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

}  // namespace vastomer
