#pragma once

#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"

namespace vastomer {

class Gauge;
class LustGauge;
class RectGauge;

// The HUD of the play screen (960 x 540): the HP gauge, the SP vial, the LP segments, the score that
// counts up, the icon of the weapon in use and, for the shot weapon, the ammunition and capacity.
class PlayInterface : public engine::Sprite {
public:
    // Points the score label moves towards the real score per frame.
    static constexpr int SCORE_STEP = 243;

    static PlayInterface* create(int hp, int maxHp, int sp, int spMax, int lp);

    void update(float dt) override;
    void draw(engine::Renderer& /*renderer*/, const engine::DrawContext& /*context*/) override {}

    // HP at once.
    void setHp(int value);
    void setSp(int value);
    void setLp(int value);
    // Adds points to the game's score (and total) and counts them up on the label.
    void addScore(int points);
    void setWeapons(int grappleWeaponId, int shotWeaponId, int capacity);
    // Shows the shots left; an empty magazine turns the count red and dims the shot icon.
    void setAmmunition(int ammo);
    // Switches between the grapple weapon's icon and the shot weapon's icon with its counts.
    void toggleWeaponDisplay();
    // The shot icon blinks while the weapon reloads.
    void setReloadBlink(bool on);

    Gauge* getHpGauge() const { return hpGauge_; }
    RectGauge* getSpGauge() const { return spGauge_; }
    LustGauge* getLpGauge() const { return lpGauge_; }
    int getDisplayedScore() const { return displayedScore_; }
    int getPendingScore() const { return pendingScore_; }
    bool isShowingShotWeapon() const { return showShotWeapon_; }
    bool isReloadBlinking() const { return reloadBlink_; }
    engine::Label* getScoreLabel() const { return scoreLabel_; }
    engine::Label* getAmmoLabel() const { return ammoLabel_; }
    engine::Label* getCapacityLabel() const { return capacityLabel_; }
    engine::Sprite* getGrappleIcon() const { return grappleIcon_; }
    engine::Sprite* getShotIcon() const { return shotIcon_; }

protected:
    PlayInterface() = default;

private:
    bool initInterface(int hp, int maxHp, int sp, int spMax, int lp);
    void setIcon(engine::Sprite* icon, int weaponId);

    Gauge* hpGauge_ = nullptr;
    RectGauge* spGauge_ = nullptr;
    LustGauge* lpGauge_ = nullptr;
    engine::Sprite* scoreIcon_ = nullptr;
    engine::Label* scoreLabel_ = nullptr;
    engine::Sprite* grappleIcon_ = nullptr;
    engine::Sprite* shotIcon_ = nullptr;
    engine::Label* ammoLabel_ = nullptr;
    engine::Label* capacityLabel_ = nullptr;
    int displayedScore_ = 0;
    int pendingScore_ = 0;
    bool showShotWeapon_ = false;
    bool reloadBlink_ = false;
};

}  // namespace vastomer
