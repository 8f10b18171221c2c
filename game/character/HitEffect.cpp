#include "game/character/HitEffect.h"

#include "game/character/CharacterSprite.h"
#include "game/data/DataManager.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

CompositeAnimation* HitEffect::show(CharacterSprite* target, int effectId, float nx, int spread) {
    DataManager* data = DataManager::getInstance();
    if (!target || !data || spread < 1) return nullptr;
    CompositeAnimation* effect = CompositeAnimation::create();
    if (!effect) return nullptr;
    effect->load(NSpriteAnimationManager::getInstance()->getEffectAnimationFile(effectId));
    const engine::Size& size = target->getContentSize();
    const int reach = static_cast<int>(size.width) / spread;
    // The character's own x runs the other way while it faces right (scale x -1).
    float side = nx > 0.0f ? 1.0f : (nx < 0.0f ? -1.0f : 0.0f);
    if (!target->isFacingLeft()) side = -side;
    const float x = size.width / 2 + side * static_cast<float>(data->randomBelow(reach));
    const float y =
        size.height / 2 + static_cast<float>(data->randomBelow(reach)) - static_cast<float>(reach / 2);
    effect->setPosition(x, y);
    target->addChild(effect, Z);
    effect->play([](CompositeAnimation* played) { played->removeFromParent(); }, false);
    return effect;
}

}  // namespace vastomer
