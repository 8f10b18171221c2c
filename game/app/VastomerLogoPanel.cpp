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
    // A missing sheet is reported by the texture cache; the panel then stays blank and the splash
    // screen still moves on after the same time.
    if (engine::Texture2D* sheet = engine::Director::getInstance()->getTextureCache()->addImage(SHEET_FILE)) {
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
