#include "game/play/LustGauge.h"

#include <algorithm>

#include "engine/actions/FadeTo.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/Sequence.h"
#include "engine/base/BlendFunc.h"
#include "game/data/DataManager.h"
#include "game/play/RectGauge.h"

namespace vastomer {

LustGauge* LustGauge::create() {
    auto* gauge = new LustGauge();
    if (!gauge->initGauge()) {
        delete gauge;
        return nullptr;
    }
    gauge->autorelease();
    return gauge;
}

bool LustGauge::initGauge() {
    if (!engine::Sprite::init()) return false;
    setCascadeOpacityEnabled(true);
    setContentSize(engine::Size(200.0f, 24.0f));
    maximum_ = DataManager::kLpMax;
    for (int k = 0; k < SEGMENTS; ++k) {
        RectGauge* segment = RectGauge::create("images/ui/lp_gauge_01.png", "images/ui/lp_gauge_02.png",
                                               "images/ui/lp_gauge_03.png", 0.0f,
                                               static_cast<float>(segmentSize_), engine::Vec2(1.0f, 0.0f));
        if (!segment) return false;
        segment->setAnchorPoint(engine::Vec2::ZERO);
        segment->setPosition(SEGMENT_SPACING * static_cast<float>(k), 0.0f);
        segment->getCover()->setBlendFunc(engine::BlendFunc::ADDITIVE);
        segment->getCover()->setVisible(false);
        addChild(segment);
        segments_[static_cast<std::size_t>(k)] = segment;
    }
    return true;
}

RectGauge* LustGauge::getSegment(int index) const {
    return index >= 0 && index < SEGMENTS ? segments_[static_cast<std::size_t>(index)] : nullptr;
}

bool LustGauge::isGlowing(int index) const {
    return index >= 0 && index < SEGMENTS && glowing_[static_cast<std::size_t>(index)];
}

void LustGauge::setValue(int lp) {
    lastValue_ = lp;
    for (int k = 0; k < SEGMENTS; ++k) {
        segments_[static_cast<std::size_t>(k)]->setValue(
            static_cast<float>(std::min(segmentSize_, std::max(0, lp - segmentSize_ * k))), 1);
        const bool glow = k < SEGMENTS - 1 ? lp > segmentSize_ * (k + 1) : lp == maximum_;
        setGlow(k, glow);
    }
}

void LustGauge::setGlow(int index, bool glow) {
    bool& glowing = glowing_[static_cast<std::size_t>(index)];
    if (glow == glowing) return;
    glowing = glow;
    engine::Sprite* cover = segments_[static_cast<std::size_t>(index)]->getCover();
    cover->stopActionByTag(PULSE_TAG);
    cover->setVisible(glow);
    if (!glow) return;
    cover->setOpacity(255);
    engine::Action* pulse = engine::RepeatForever::create(
        engine::Sequence::create({engine::FadeTo::create(1.0f, 0), engine::FadeTo::create(1.0f, 255)}));
    pulse->setTag(PULSE_TAG);
    cover->runAction(pulse);
}

}  // namespace vastomer
