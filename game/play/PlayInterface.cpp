#include "game/play/PlayInterface.h"

#include <algorithm>
#include <string>

#include "engine/actions/FadeTo.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/Sequence.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Director.h"
#include "game/data/DataManager.h"
#include "game/play/Gauge.h"
#include "game/play/LustGauge.h"
#include "game/play/RectGauge.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

namespace {

constexpr const char* FONT = "fonts/ipaexm.ttf";
constexpr int BLINK_TAG = 72;
const engine::Color4B RED(255, 0, 0, 255);

engine::Label* makeLabel(float size, const std::string& text) {
    engine::Label* label = engine::Label::createWithTTF(engine::TTFConfig(FONT, size), text);
    if (!label) return nullptr;
    label->enableOutline(engine::Color4B::BLACK, 2);
    return label;
}

}  // namespace

PlayInterface* PlayInterface::create(int hp, int maxHp, int sp, int spMax, int lp) {
    auto* hud = new PlayInterface();
    if (!hud->initInterface(hp, maxHp, sp, spMax, lp)) {
        delete hud;
        return nullptr;
    }
    hud->autorelease();
    return hud;
}

bool PlayInterface::initInterface(int hp, int maxHp, int sp, int spMax, int lp) {
    if (!engine::Sprite::init()) return false;
    setContentSize(engine::Size(960.0f, 540.0f));
    setCascadeOpacityEnabled(true);

    hpGauge_ = Gauge::create("images/ui/hp_gauge_01.png", "images/ui/hp_gauge_02.png",
                             "images/ui/hp_gauge_03.png", static_cast<float>(hp), static_cast<float>(maxHp));
    spGauge_ = RectGauge::create("images/ui/sp_gauge_01.png", "images/ui/sp_gauge_02.png",
                                 "images/ui/sp_gauge_03.png", static_cast<float>(sp),
                                 static_cast<float>(spMax), engine::Vec2(0.0f, -1.0f));
    lpGauge_ = LustGauge::create();
    if (!hpGauge_ || !spGauge_ || !lpGauge_) return false;
    hpGauge_->setAnchorPoint(engine::Vec2::ZERO);
    hpGauge_->setPosition(96.0f, 520.0f);
    spGauge_->setAnchorPoint(engine::Vec2::ZERO);
    spGauge_->setPosition(0.0f, 436.0f);
    lpGauge_->setAnchorPoint(engine::Vec2::ZERO);
    lpGauge_->setPosition(96.0f, 488.0f);
    lpGauge_->setValue(lp);
    addChild(spGauge_);
    addChild(hpGauge_);
    addChild(lpGauge_);
    hpGauge_->scheduleUpdate();
    spGauge_->scheduleUpdate();

    scoreIcon_ = engine::Sprite::create("images/ui/score_icon_01.png");
    if (!scoreIcon_) scoreIcon_ = engine::Sprite::create();
    if (scoreIcon_->getTexture()) scoreIcon_->getTexture()->setAliasTexParameters();
    scoreIcon_->setAnchorPoint(engine::Vec2(0.0f, 0.5f));
    scoreIcon_->setPosition(780.0f, 508.0f);
    addChild(scoreIcon_);

    DataManager* data = DataManager::getInstance();
    displayedScore_ = data ? data->getScore() : 0;
    scoreLabel_ = makeLabel(44.0f, std::to_string(displayedScore_));
    ammoLabel_ = makeLabel(22.0f, "");
    capacityLabel_ = makeLabel(22.0f, "/0");
    if (!scoreLabel_ || !ammoLabel_ || !capacityLabel_) return false;
    scoreLabel_->setScale(0.5f);
    scoreLabel_->setAnchorPoint(engine::Vec2(1.0f, 0.5f));
    scoreLabel_->setPosition(944.0f, 508.0f);
    addChild(scoreLabel_);

    grappleIcon_ = engine::Sprite::create();
    shotIcon_ = engine::Sprite::create();
    for (engine::Sprite* icon : {grappleIcon_, shotIcon_}) {
        icon->setAnchorPoint(engine::Vec2::ZERO);
        icon->setPosition(96.0f, 452.0f);
        addChild(icon);
    }
    ammoLabel_->setAnchorPoint(engine::Vec2(1.0f, 0.5f));
    ammoLabel_->setPosition(184.0f, 468.0f);
    capacityLabel_->setAnchorPoint(engine::Vec2(0.0f, 0.5f));
    capacityLabel_->setPosition(184.0f, 468.0f);
    addChild(ammoLabel_);
    addChild(capacityLabel_);
    shotIcon_->setVisible(false);
    ammoLabel_->setVisible(false);
    capacityLabel_->setVisible(false);
    return true;
}

void PlayInterface::update(float /*dt*/) {
    if (pendingScore_ <= 0) return;
    const int moved = std::min(SCORE_STEP, pendingScore_);
    pendingScore_ -= moved;
    displayedScore_ += moved;
    scoreLabel_->setString(std::to_string(displayedScore_));
}

void PlayInterface::setHp(int value) {
    hpGauge_->setValue(static_cast<float>(value), 1);
}

void PlayInterface::setSp(int value) {
    spGauge_->setValue(static_cast<float>(value), 1);
}

void PlayInterface::setLp(int value) {
    lpGauge_->setValue(value);
}

void PlayInterface::addScore(int points) {
    pendingScore_ += points;
    if (DataManager* data = DataManager::getInstance()) data->addScore(points);
}

void PlayInterface::setIcon(engine::Sprite* icon, int weaponId) {
    const std::string file = "wi_" + NSpriteAnimationManager::padded(weaponId, 2) + "_00.png";
    engine::Texture2D* texture = engine::Director::getInstance()->getTextureCache()->addImage(file);
    icon->setTag(weaponId);
    if (!texture) {
        // No picture: nothing is drawn rather than a white square.
        icon->setTexture(static_cast<engine::Texture2D*>(nullptr));
        icon->setTextureRect(engine::Rect::ZERO);
        return;
    }
    texture->setAliasTexParameters();
    icon->setTexture(texture);
    icon->setTextureRect(engine::Rect(0.0f, 0.0f, 32.0f, 32.0f));
}

void PlayInterface::setWeapons(int grappleWeaponId, int shotWeaponId, int capacity) {
    setIcon(grappleIcon_, grappleWeaponId);
    setIcon(shotIcon_, shotWeaponId);
    capacityLabel_->setString("/" + std::to_string(capacity));
    ammoLabel_->setString(std::to_string(capacity));
}

void PlayInterface::setAmmunition(int ammo) {
    ammoLabel_->setString(std::to_string(ammo));
    ammoLabel_->setTextColor(ammo == 0 ? RED : engine::Color4B::WHITE);
    shotIcon_->setOpacity(ammo == 0 ? 128 : 255);
}

void PlayInterface::toggleWeaponDisplay() {
    showShotWeapon_ = !showShotWeapon_;
    grappleIcon_->setVisible(!showShotWeapon_);
    shotIcon_->setVisible(showShotWeapon_);
    ammoLabel_->setVisible(showShotWeapon_);
    capacityLabel_->setVisible(showShotWeapon_);
}

void PlayInterface::setReloadBlink(bool on) {
    reloadBlink_ = on;
    shotIcon_->stopActionByTag(BLINK_TAG);
    if (!on) {
        shotIcon_->setOpacity(255);
        return;
    }
    shotIcon_->setOpacity(128);
    engine::Action* blink = engine::RepeatForever::create(
        engine::Sequence::create({engine::FadeTo::create(0.3f, 128), engine::FadeTo::create(0.3f, 64)}));
    blink->setTag(BLINK_TAG);
    shotIcon_->runAction(blink);
}

}  // namespace vastomer
