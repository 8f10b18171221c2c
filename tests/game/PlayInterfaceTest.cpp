// The HUD and its gauges: the bar gauge's steps in both directions and its zero guards, the cropped
// gauges, the LP segments with their glow, the score count-up, the ammunition and weapon displays,
// and where everything sits on the screen.
#include "game/play/Gauge.h"
#include "game/play/LustGauge.h"
#include "game/play/PlayInterface.h"
#include "game/play/RectGauge.h"
#include "tests/support/GameFixture.h"

using namespace vastomer;

namespace {

Gauge* hpGauge(float value, float maximum) {
    return Gauge::create("images/ui/hp_gauge_01.png", "images/ui/hp_gauge_02.png",
                         "images/ui/hp_gauge_03.png", value, maximum);
}

}  // namespace

using PlayInterfaceGaugeTest = GameFixture;
using PlayInterfaceTest = GameFixture;

TEST_F(PlayInterfaceGaugeTest, TheBarShowsTheShareOfTheMaximum) {
    Gauge* gauge = hpGauge(30, 100);
    ASSERT_NE(gauge, nullptr);
    EXPECT_FLOAT_EQ(gauge->getBar()->getScaleX(), 0.3f);
    EXPECT_EQ(gauge->getBar()->getAnchorPoint(), engine::Vec2::ZERO) << "it shrinks towards its left edge";
    EXPECT_EQ(gauge->getValueAtCreation(), 30);
    EXPECT_EQ(gauge->getMaximumAtCreation(), 100);
}

TEST_F(PlayInterfaceGaugeTest, ChangesStepBothWaysAndLandOnTheTarget) {
    Gauge* gauge = hpGauge(50, 100);
    int steps = 0;
    int finished = 0;
    auto onStep = [&steps](Gauge*) { ++steps; };
    auto onFinish = [&finished](Gauge*) { ++finished; };
    gauge->setValue(80, 3, onStep, onFinish);
    EXPECT_FLOAT_EQ(gauge->getStep(), 10.0f);
    for (int i = 0; i < 5; ++i)
        gauge->update(1.0f / 60);
    EXPECT_FLOAT_EQ(gauge->getValue(), 80.0f);
    EXPECT_EQ(steps, 2);
    EXPECT_EQ(finished, 1);

    gauge->setValue(20, 4);
    EXPECT_FLOAT_EQ(gauge->getStep(), -15.0f) << "a fall steps down, not up";
    for (int i = 0; i < 4; ++i)
        gauge->update(1.0f / 60);
    EXPECT_FLOAT_EQ(gauge->getValue(), 20.0f);

    gauge->setValue(70, 1, nullptr, onFinish);
    EXPECT_FLOAT_EQ(gauge->getValue(), 70.0f) << "one frame sets it at once";
    EXPECT_EQ(finished, 2);
    gauge->setValue(10, 0);
    gauge->update(1.0f / 60);
    EXPECT_FLOAT_EQ(gauge->getValue(), 70.0f) << "zero frames move nothing";
    gauge->setValue(500, 1);
    EXPECT_FLOAT_EQ(gauge->getValue(), 100.0f) << "kept within the maximum";
}

TEST_F(PlayInterfaceGaugeTest, AZeroMaximumShowsAnEmptyBar) {
    Gauge* gauge = hpGauge(0, 0);
    EXPECT_FLOAT_EQ(gauge->getBar()->getScaleX(), 0.0f);
    gauge->setValue(10, 5);
    for (int i = 0; i < 5; ++i)
        gauge->update(1.0f / 60);
    EXPECT_FLOAT_EQ(gauge->getValue(), 0.0f);
    EXPECT_FLOAT_EQ(gauge->getRatio(), 0.0f);
}

TEST_F(PlayInterfaceGaugeTest, CroppedGaugesRevealTheirPictureInTheirDirection) {
    RectGauge* sp = RectGauge::create("images/ui/sp_gauge_01.png", "images/ui/sp_gauge_02.png",
                                      "images/ui/sp_gauge_03.png", 150, 300, engine::Vec2(0, -1));
    ASSERT_NE(sp, nullptr);
    // The vial is 56 x 104: half full shows its bottom half, drawn at the bottom.
    EXPECT_EQ(sp->getShownRect(), engine::Rect(0, 52, 56, 52));
    EXPECT_EQ(sp->getBar()->getPosition(), engine::Vec2(0, 0));
    sp->setValue(1000, 1);
    EXPECT_EQ(sp->getShownRect(), engine::Rect(0, 0, 56, 104));

    RectGauge* segment = RectGauge::create("images/ui/lp_gauge_01.png", "images/ui/lp_gauge_02.png",
                                           "images/ui/lp_gauge_03.png", 250, 100, engine::Vec2(1, 0));
    EXPECT_FLOAT_EQ(segment->getValue(), 100.0f) << "the start value is kept within the maximum";
    segment->setValue(33, 1);
    EXPECT_EQ(segment->getShownRect(), engine::Rect(0, 0, 13, 24)) << "40 x 0.33 truncated";
    segment->setValue(0, 1);
    EXPECT_EQ(segment->getShownRect().size.width, 0.0f);
}

TEST_F(PlayInterfaceGaugeTest, LpSegmentsFillAndGlowByTheHundred) {
    LustGauge* lp = LustGauge::create();
    ASSERT_NE(lp, nullptr);
    EXPECT_EQ(lp->getContentSize(), engine::Size(200, 24));
    auto values = [lp] {
        std::vector<float> v;
        for (int k = 0; k < LustGauge::SEGMENTS; ++k)
            v.push_back(lp->getSegment(k)->getValue());
        return v;
    };
    auto glow = [lp] {
        std::vector<bool> g;
        for (int k = 0; k < LustGauge::SEGMENTS; ++k)
            g.push_back(lp->isGlowing(k));
        return g;
    };
    lp->setValue(0);
    EXPECT_EQ(values(), (std::vector<float>{0, 0, 0, 0, 0}));
    lp->setValue(150);
    EXPECT_EQ(values(), (std::vector<float>{100, 50, 0, 0, 0}));
    EXPECT_EQ(glow(), (std::vector<bool>{true, false, false, false, false}));
    EXPECT_TRUE(lp->getSegment(0)->getCover()->isVisible());
    EXPECT_FALSE(lp->getSegment(1)->getCover()->isVisible());
    lp->setValue(499);
    EXPECT_EQ(glow(), (std::vector<bool>{true, true, true, true, false})) << "the last glows only when full";
    lp->setValue(500);
    EXPECT_EQ(glow(), (std::vector<bool>{true, true, true, true, true}));
    lp->setValue(100);
    EXPECT_EQ(glow(), (std::vector<bool>{false, false, false, false, false}));
    EXPECT_FALSE(lp->getSegment(0)->getCover()->isVisible());
    EXPECT_EQ(lp->getSegment(2)->getPositionX(), 80.0f);
}

TEST_F(PlayInterfaceTest, TheScoreCountsUpByAtMost243AFrame) {
    PlayInterface* hud = PlayInterface::create(100, 100, 0, 300, 0);
    ASSERT_NE(hud, nullptr);
    DataManager* data = DataManager::getInstance();
    const int total = data->getTotalScore();
    hud->addScore(500);
    EXPECT_EQ(data->getScore(), 500);
    EXPECT_EQ(data->getTotalScore(), total + 500);
    std::vector<std::string> shown;
    for (int i = 0; i < 4; ++i) {
        hud->update(1.0f / 60);
        shown.push_back(hud->getScoreLabel()->getString());
    }
    EXPECT_EQ(shown, (std::vector<std::string>{"243", "486", "500", "500"}));
}

TEST_F(PlayInterfaceTest, AmmunitionWeaponIconsAndTheReloadBlink) {
    PlayInterface* hud = PlayInterface::create(100, 100, 0, 300, 0);
    hud->setWeapons(0, 10, 8);
    EXPECT_EQ(hud->getGrappleIcon()->getTag(), 0);
    EXPECT_EQ(hud->getShotIcon()->getTag(), 10);
    EXPECT_EQ(hud->getShotIcon()->getContentSize(), engine::Size(32, 32));
    EXPECT_EQ(hud->getCapacityLabel()->getString(), "/8");
    EXPECT_EQ(hud->getAmmoLabel()->getString(), "8");
    EXPECT_TRUE(hud->getGrappleIcon()->isVisible());
    EXPECT_FALSE(hud->getShotIcon()->isVisible());
    hud->toggleWeaponDisplay();
    EXPECT_FALSE(hud->getGrappleIcon()->isVisible());
    EXPECT_TRUE(hud->getShotIcon()->isVisible());
    EXPECT_TRUE(hud->getAmmoLabel()->isVisible());

    hud->setAmmunition(0);
    EXPECT_EQ(hud->getAmmoLabel()->getTextColor(), engine::Color4B(255, 0, 0, 255));
    EXPECT_EQ(hud->getShotIcon()->getOpacity(), 128);
    hud->setAmmunition(1);
    EXPECT_EQ(hud->getAmmoLabel()->getTextColor(), engine::Color4B::WHITE);
    EXPECT_EQ(hud->getShotIcon()->getOpacity(), 255);

    hud->setReloadBlink(true);
    EXPECT_EQ(hud->getShotIcon()->getOpacity(), 128);
    EXPECT_EQ(hud->getShotIcon()->getNumberOfRunningActions(), 1u);
    hud->setReloadBlink(false);
    EXPECT_EQ(hud->getShotIcon()->getNumberOfRunningActions(), 0u);
    EXPECT_EQ(hud->getShotIcon()->getOpacity(), 255);
}

TEST_F(PlayInterfaceTest, TheHudIsLaidOutAsDesigned) {
    PlayInterface* hud = PlayInterface::create(30, 100, 0, 300, 0);
    EXPECT_EQ(hud->getContentSize(), engine::Size(960, 540));
    EXPECT_EQ(hud->getHpGauge()->getPosition(), engine::Vec2(96, 520));
    EXPECT_FLOAT_EQ(hud->getHpGauge()->getBar()->getScaleX(), 0.3f);
    EXPECT_EQ(hud->getSpGauge()->getPosition(), engine::Vec2(0, 436));
    EXPECT_EQ(hud->getLpGauge()->getPosition(), engine::Vec2(96, 488));
    EXPECT_EQ(hud->getScoreLabel()->getPosition(), engine::Vec2(944, 508));
    EXPECT_EQ(hud->getScoreLabel()->getAnchorPoint(), engine::Vec2(1, 0.5f));
    EXPECT_FLOAT_EQ(hud->getScoreLabel()->getScale(), 0.5f);
    EXPECT_EQ(hud->getGrappleIcon()->getPosition(), engine::Vec2(96, 452));
    EXPECT_EQ(hud->getAmmoLabel()->getPosition(), engine::Vec2(184, 468));
    EXPECT_EQ(hud->getCapacityLabel()->getAnchorPoint(), engine::Vec2(0, 0.5f));
}
