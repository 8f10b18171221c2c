#include "game/app/VastomerLogoPanel.h"

#include "engine/actions/Animate.h"
#include "engine/actions/CallFunc.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/Sequence.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Animation.h"
#include "engine/scene/Director.h"
#include "game/app/VastomerLogoAnimeDelegate.h"

namespace vastomer {

VastomerLogoPanel* VastomerLogoPanel::create() {
    auto* panel = new VastomerLogoPanel();
    if (!panel->init()) {
        delete panel;
        return nullptr;
    }
    panel->autorelease();
    return panel;
}

bool VastomerLogoPanel::init() {
    if (!Sprite::init()) return false;
    const auto cell = static_cast<float>(CELL_SIZE);
    engine::Animation* animation = engine::Animation::create();
    animation->setDelayPerUnit(FRAME_DELAY);
    animation->setRestoreOriginalFrame(false);
    // A missing or damaged sheet is reported by the texture cache; the panel then shows the
    // placeholder picture and the splash screen still moves on after the same time.
    engine::TextureCache* cache = engine::Director::getInstance()->getTextureCache();
    engine::Texture2D* sheet = cache->addImage(SHEET_FILE);
    if (!sheet) {
        if (engine::Texture2D* placeholder = cache->getPlaceholder()) {
            setTexture(placeholder);
            setTextureRect(engine::Rect(engine::Vec2::ZERO, placeholder->getContentSize()));
            setContentSize(engine::Size(cell, cell));
        }
    } else {
        sheet->setAliasTexParameters();
        setTexture(sheet);
        setTextureRect(engine::Rect(5 * cell, 7 * cell, cell, cell));
        for (int index = 0; index < FRAME_COUNT; ++index) {
            float x = static_cast<float>(index % COLUMNS) * cell;
            float y = static_cast<float>(index / COLUMNS) * cell;
            animation->addSpriteFrameWithTexture(sheet, engine::Rect(x, y, cell, cell));
        }
    }
    runAction(
        engine::Sequence::create({engine::Animate::create(animation), engine::DelayTime::create(holdTime_),
                                  engine::CallFunc::create([this]() {
                                      if (delegate_) delegate_->onLogoAnimationFinished(this);
                                  })}));
    setContentSize(engine::Size(cell, cell));
    return true;
}

}  // namespace vastomer
