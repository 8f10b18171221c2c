// Particle systems over time: emission counts, duration, stopping and restarting, removing
// themselves, reproducible random numbers, and when they update within a frame.
#include <vector>

#include "engine/scene/ParticleSystemQuad.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/ParticleDefinitions.h"

using namespace engine;
using testsupport::Pixel;

namespace {

// Records the particle count it sees in its own (ordinary, priority 0) update.
class CountWatcher : public Node {
public:
    static CountWatcher* create(ParticleSystem* watched) {
        auto* watcher = new CountWatcher();
        watcher->watched_ = watched;
        watcher->init();
        watcher->autorelease();
        return watcher;
    }
    void update(float) override { seen.push_back(watched_->getParticleCount()); }
    std::vector<int> seen;

private:
    ParticleSystem* watched_ = nullptr;
};

}  // namespace

class ParticleEmissionTest : public EngineFixture {};

TEST_F(ParticleEmissionTest, ParticlesFiniteDurationEmitsRateTimesDurationThenStops) {
    // 600 particles over a 5-second life: 120 a second; half a second of that is 60.
    ValueMap definition = stillParticles(600, 5.0, 4.0);
    definition["duration"] = Value(0.5);
    ParticleSystemQuad* system = addSystem(scene_, definition, Vec2(480, 270));
    ASSERT_NE(system, nullptr);
    EXPECT_FLOAT_EQ(system->getEmissionRate(), 120.0f);
    EXPECT_FLOAT_EQ(system->getDuration(), 0.5f);
    runFrames(60);
    EXPECT_FALSE(system->isActive());
    EXPECT_NEAR(system->getParticleCount(), 60, 1);
    const int emitted = system->getParticleCount();
    runFrames(30);
    EXPECT_EQ(system->getParticleCount(), emitted) << "nothing more is emitted and nothing has died yet";
}

TEST_F(ParticleEmissionTest, ParticlesAutoRemoveOnlyOnceTheLastParticleHasDied) {
    ValueMap burst = stillParticles(30, 0.25, 4.0);
    burst["duration"] = Value(0.1);
    RefPtr<ParticleSystemQuad> removing = addSystem(scene_, burst, Vec2(100, 100));
    RefPtr<ParticleSystemQuad> staying = addSystem(scene_, burst, Vec2(300, 100));
    // Never emits: with nothing ever dying it is never removed.
    RefPtr<ParticleSystemQuad> silent = ParticleSystemQuad::createWithTotalParticles(10);
    scene_->addChild(silent);
    ASSERT_TRUE(removing && staying && silent);
    removing->setAutoRemoveOnFinish(true);
    silent->setAutoRemoveOnFinish(true);

    runFrames(6);
    EXPECT_GT(removing->getParticleCount(), 0);
    EXPECT_EQ(removing->getParent(), scene_);
    runFrames(30);
    EXPECT_EQ(removing->getParticleCount(), 0);
    EXPECT_EQ(removing->getParent(), nullptr);
    EXPECT_FALSE(removing->isRunning());
    EXPECT_EQ(staying->getParent(), scene_);
    EXPECT_EQ(silent->getParent(), scene_);
}

TEST_F(ParticleEmissionTest, ParticlesStopLetsThemLiveOutAndResetStartsAfresh) {
    // One particle a frame, each living half a second.
    ParticleSystemQuad* system = addSystem(scene_, stillParticles(30, 0.5, 4.0), Vec2(480, 270));
    ASSERT_NE(system, nullptr);
    runFrames(20);
    EXPECT_NEAR(system->getParticleCount(), 20, 1);
    system->stopSystem();
    EXPECT_FALSE(system->isActive());
    runFrames(1);
    EXPECT_NEAR(system->getParticleCount(), 20, 1) << "existing particles live on";
    runFrames(30);
    EXPECT_EQ(system->getParticleCount(), 0);

    system->resetSystem();
    EXPECT_TRUE(system->isActive());
    runFrames(20);
    EXPECT_NEAR(system->getParticleCount(), 20, 1);
    system->resetSystem();
    runFrames(1);
    EXPECT_LE(system->getParticleCount(), 2) << "the particles alive at the reset are gone";
    EXPECT_GE(system->getParticleCount(), 1) << "emission goes on";
}

TEST_F(ParticleEmissionTest, ParticlesSameSeedGivesTheSameParticles) {
    // Every value varies; the systems sit 480 apart (left and right halves) or 270 apart (rows),
    // further than any particle travels.
    ValueMap definition = stillParticles(120, 1.0, 6.0);
    definition["particleLifespanVariance"] = Value(0.5);
    definition["angleVariance"] = Value(180.0);
    definition["speed"] = Value(40.0);
    definition["speedVariance"] = Value(30.0);
    definition["startParticleSizeVariance"] = Value(3.0);
    definition["startColorVarianceRed"] = Value(0.5);
    definition["startColorVarianceGreen"] = Value(0.5);
    definition["sourcePositionVariancex"] = Value(10.0);
    ParticleSystemQuad* a = addSystem(scene_, definition, Vec2(240, 400));
    ParticleSystemQuad* b = addSystem(scene_, definition, Vec2(720, 400));
    ParticleSystemQuad* c = addSystem(scene_, definition, Vec2(240, 130));
    ASSERT_TRUE(a && b && c);
    a->setRandomSeed(7);
    b->setRandomSeed(7);
    c->setRandomSeed(8);
    runFrames(40);
    EXPECT_EQ(a->getParticleCount(), b->getParticleCount());
    int differentFromB = 0, differentFromC = 0, lit = 0;
    for (int y = 280; y < 520; ++y)
        for (int x = 120; x < 360; ++x) {
            Pixel left = pixel(x, y);
            if (left != pixel(x + 480, y)) ++differentFromB;
            if (left != pixel(x, y - 270)) ++differentFromC;
            if (left.r > 0) ++lit;
        }
    EXPECT_GT(lit, 100);
    EXPECT_EQ(differentFromB, 0);
    EXPECT_GT(differentFromC, 100);
}

TEST_F(ParticleEmissionTest, ParticlesUpdateAfterTheOrdinaryUpdatesOfTheFrame) {
    // One particle a frame. The system is added (and scheduled) first, yet an ordinary update
    // scheduled after it still runs before it in every frame.
    ParticleSystemQuad* system = addSystem(scene_, stillParticles(60, 1.0, 4.0), Vec2(480, 270));
    ASSERT_NE(system, nullptr);
    CountWatcher* watcher = CountWatcher::create(system);
    scene_->addChild(watcher);
    watcher->scheduleUpdate();
    runFrames(3);
    EXPECT_EQ(watcher->seen, (std::vector<int>{0, 1, 2}));
}

TEST_F(ParticleEmissionTest, ParticlesTotalParticlesCapsTheLiveCount) {
    ParticleSystemQuad* system = addSystem(scene_, stillParticles(600, 5.0, 4.0), Vec2(480, 270));
    ASSERT_NE(system, nullptr);
    system->setTotalParticles(10);
    runFrames(30);
    EXPECT_EQ(system->getParticleCount(), 10);
    EXPECT_TRUE(system->isFull());
    system->setTotalParticles(4);
    EXPECT_EQ(system->getParticleCount(), 4);
    system->setEmissionRate(0);
    system->setTotalParticles(100);
    runFrames(5);
    EXPECT_EQ(system->getParticleCount(), 4);
}
