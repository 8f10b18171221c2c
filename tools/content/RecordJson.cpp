#include "tools/content/RecordJson.h"

using namespace vastomer;

namespace content {

nlohmann::json RecordJson::of(const CharacterMaster& r) {
    return {{"id", r.id},
            {"name", r.name},
            {"hp", r.hp},
            {"width", r.width},
            {"height", r.height},
            {"bodyWidth", r.bodyWidth},
            {"bodyHeight", r.bodyHeight},
            {"moveSpeed", r.moveSpeed},
            {"motionA", r.motionA},
            {"jumpPower", r.jumpPower},
            {"spare", r.spare},
            {"motionB", r.motionB},
            {"motionC", r.motionC},
            {"attack", r.attack},
            {"aiId", r.aiId},
            {"flying", r.flying},
            {"flag2", r.flag2},
            {"score", r.score}};
}

nlohmann::json RecordJson::of(const WearMaster& r) {
    return {{"id", r.id},
            {"hpBonus", r.hpBonus},
            {"spBonus", r.spBonus},
            {"lpBonus", r.lpBonus},
            {"effect", r.effect}};
}

nlohmann::json RecordJson::of(const WeaponMaster& r) {
    return {{"id", r.id},
            {"name", r.name},
            {"power", r.power},
            {"interval", r.interval},
            {"offset", {r.offset.x, r.offset.y}},
            {"size", {r.size.width, r.size.height}},
            {"bulletId", r.bulletId},
            {"hasBullet", r.hasBullet},
            {"hitEffect", r.hitEffect},
            {"magazineSize", r.magazineSize},
            {"attackAnim1", r.attackAnim1},
            {"attackAnim2", r.attackAnim2},
            {"attackAnim3", r.attackAnim3},
            {"reloadTime", r.reloadTime},
            {"trait", r.trait}};
}

nlohmann::json RecordJson::of(const BulletMaster& r) {
    return {{"id", r.id},
            {"hitEffect", r.hitEffect},
            {"power", r.power},
            {"hp", r.hp},
            {"speed", r.speed},
            {"size", {r.size.width, r.size.height}},
            {"moveType", r.moveType},
            {"velocity", {r.velocity.x, r.velocity.y}}};
}

nlohmann::json RecordJson::of(const ShopLineupEntry& r) {
    return {{"isWear", r.isWear}, {"itemId", r.itemId}, {"price", r.price}};
}

nlohmann::json RecordJson::of(const HintEntry& r) {
    return {{"scriptNo", r.scriptNo},
            {"needCleared", r.needCleared},
            {"notCleared", r.notCleared},
            {"needWear", r.needWear}};
}

nlohmann::json RecordJson::of(const CombineEntry& r) {
    return {{"characterId", r.characterId},   {"key", r.key},
            {"gameOverFlag", r.gameOverFlag}, {"dramaNo", r.dramaNo},
            {"attachFlag", r.attachFlag},     {"enemyVisibleFlag", r.enemyVisibleFlag},
            {"bulletFlag", r.bulletFlag},     {"redirectFlag", r.redirectFlag}};
}

nlohmann::json RecordJson::of(const SituationEntry& r) {
    return {{"id", r.id}, {"text", r.text}};
}

nlohmann::json RecordJson::of(const StageRecord& r) {
    return {
        {"stageNumber", r.stageNumber}, {"label", r.label},       {"parts", r.parts},
        {"startPart", r.startPart},     {"bossPart", r.bossPart}, {"requiredProgress", r.requiredProgress},
        {"nextStage", r.nextStage}};
}

}  // namespace content
