#include "game/menu/MenuStyle.h"

#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"
#include "engine/scene/Label.h"
#include "engine/scene/Node.h"
#include "engine/scene/Scale9Sprite.h"
#include "engine/scene/Sprite.h"
#include "game/audio/NAudioManager.h"
#include "game/data/StringsManager.h"
#include "game/menu/MenuArt.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

const engine::Color3B MenuStyle::GREY(150, 150, 150);
const engine::Color3B MenuStyle::EQUIPPED(255, 255, 150);

namespace {

constexpr int BACK_TAG = 1;
constexpr int FRAME_TAG = 2;

engine::Color4B opaque(const engine::Color3B& colour) {
    return engine::Color4B(colour.r, colour.g, colour.b, 255);
}

engine::ui::Scale9Sprite* slices(const std::string& file) {
    engine::Texture2D* texture = engine::Director::getInstance()->getTextureCache()->addImage(file);
    if (!texture) return nullptr;
    texture->setAliasTexParameters();
    auto* box = engine::ui::Scale9Sprite::createWithTexture(texture, engine::Rect(0.0f, 0.0f, 48.0f, 48.0f),
                                                            engine::Rect(16.0f, 16.0f, 16.0f, 16.0f));
    if (!box) return nullptr;
    box->setScale(MenuStyle::PIXEL_SCALE);
    box->setAnchorPoint(engine::Vec2(0.0f, 1.0f));
    return box;
}

}  // namespace

engine::Label* MenuStyle::label(const std::string& text, float fontSize, float scale) {
    engine::Label* label = engine::Label::createWithTTF(engine::TTFConfig(FONT_FILE, fontSize, 1), text);
    if (!label) return nullptr;
    label->setScale(scale);
    label->setAnchorPoint(engine::Vec2(0.0f, 0.5f));
    setGrey(label);
    return label;
}

void MenuStyle::setColour(engine::Label* label, const engine::Color3B& text, const engine::Color3B& outline) {
    if (!label) return;
    label->setTextColor(opaque(text));
    label->enableOutline(opaque(outline), 1);
}

void MenuStyle::setGrey(engine::Label* label) {
    setColour(label, GREY, GREY);
}

void MenuStyle::setWhite(engine::Label* label) {
    setColour(label, engine::Color3B::WHITE, engine::Color3B::WHITE);
}

void MenuStyle::setEquipped(engine::Label* label) {
    setColour(label, EQUIPPED, EQUIPPED);
}

engine::Node* MenuStyle::window(const engine::Size& size, uint8_t backOpacity) {
    engine::Node* window = engine::Node::create();
    window->setCascadeOpacityEnabled(true);
    window->setAnchorPoint(engine::Vec2(0.0f, 1.0f));
    if (engine::ui::Scale9Sprite* back = slices(WINDOW_BACK_FILE)) {
        back->setOpacity(backOpacity);
        window->addChild(back, 0, BACK_TAG);
    }
    if (engine::ui::Scale9Sprite* frame = slices(WINDOW_FRAME_FILE)) window->addChild(frame, 1, FRAME_TAG);
    resizeWindow(window, size);
    return window;
}

void MenuStyle::resizeWindow(engine::Node* window, const engine::Size& size) {
    if (!window) return;
    window->setContentSize(size);
    for (int tag : {BACK_TAG, FRAME_TAG}) {
        if (engine::Node* piece = window->getChildByTag(tag)) {
            piece->setContentSize(engine::Size(size.width / PIXEL_SCALE, size.height / PIXEL_SCALE));
            piece->setPosition(0.0f, size.height);
        }
    }
}

engine::Sprite* MenuStyle::picture(const std::string& file, float scale) {
    engine::Texture2D* texture = engine::Director::getInstance()->getTextureCache()->addImage(file);
    if (!texture) return nullptr;
    texture->setAliasTexParameters();
    engine::Sprite* sprite = engine::Sprite::createWithTexture(texture);
    if (sprite) sprite->setScale(scale);
    return sprite;
}

std::string MenuStyle::withLineBreaks(const std::string& text) {
    return MenuArt::lineBreaks(text);
}

std::string MenuStyle::padded(int number, int digits) {
    return NSpriteAnimationManager::padded(number, digits);
}

std::string MenuStyle::text(const std::string& key) {
    StringsManager* strings = StringsManager::getInstance();
    return strings ? strings->getString(key) : key;
}

void MenuStyle::playSe(const char* file) {
    NAudioManager::getInstance()->playSe(file, 1.0f);
}

}  // namespace vastomer
