// Action timing: first steps, sequences, spawns, repeats and the stacking move.
#include <vector>

#include "engine/actions/Animate.h"
#include "engine/actions/CallFunc.h"
#include "engine/actions/CallFuncN.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/MoveBy.h"
#include "engine/actions/MoveTo.h"
#include "engine/actions/RepeatForever.h"
#include "engine/actions/RotateBy.h"
#include "engine/actions/ScaleTo.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/Spawn.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Sprite.h"
#include "tests/support/EngineFixture.h"

using namespace engine;

namespace {

class ActionTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        node = Sprite::create();
        scene_->addChild(node);
    }
    // Frames counted from 1; records the frame each marker runs in.
    CallFunc* mark(int id) {
        return CallFunc::create([this, id] {
            log.emplace_back(id, static_cast<int>(Director::getInstance()->getTotalFrames()));
        });
    }
    Sprite* node = nullptr;
    std::vector<std::pair<int, int>> log;
};

}  // namespace

TEST_F(ActionTest, SequenceOfInstantActionsRunsInOneFrame) {
    node->runAction(Sequence::create({mark(1), mark(2), mark(3)}));
    runFrames(1);
    EXPECT_EQ(log, (std::vector<std::pair<int, int>>{{1, 1}, {2, 1}, {3, 1}}));
    EXPECT_EQ(node->getNumberOfRunningActions(), 0u);
}

TEST_F(ActionTest, ZeroDelayFinishesOnItsFirstStep) {
    node->runAction(Sequence::create({mark(1), DelayTime::create(0), mark(2)}));
    runFrames(1);
    EXPECT_EQ(log.size(), 2u);
}

TEST_F(ActionTest, IntervalActionsIgnoreTheirFirstStepsTime) {
    // 0.5 s = 30 frames, but the first step only starts the clock: done on frame 31.
    node->runAction(Sequence::create({DelayTime::create(0.5f), mark(1)}));
    runFrames(30);
    EXPECT_TRUE(log.empty());
    runFrames(1);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].second, 31);
}

TEST_F(ActionTest, MoveEndsExactlyAndFadeTruncates) {
    node->setPosition(10, 10);
    node->runAction(MoveTo::create(0.25f, Vec2(70, 40)));
    node->runAction(FadeTo::create(1.0f, 0));
    runFrames(16);
    EXPECT_FLOAT_EQ(node->getPositionX(), 70.0f);
    EXPECT_FLOAT_EQ(node->getPositionY(), 40.0f);
    runFrames(15);  // 30 frames of fading = t 0.5: 255 * 0.5 = 127.5 -> 127
    EXPECT_EQ(node->getOpacity(), 127);
}

TEST_F(ActionTest, SpawnOfUnequalDurationsLastsForTheLongest) {
    node->runAction(Sequence::create(
        {Spawn::create({RotateBy::create(0.1f, 90), ScaleTo::create(0.5f, 3.0f)}), mark(1)}));
    runFrames(7);
    EXPECT_FLOAT_EQ(node->getRotation(), 90.0f) << "the short one is done early";
    EXPECT_LT(node->getScaleX(), 3.0f);
    runFrames(24);
    EXPECT_FLOAT_EQ(node->getScaleX(), 3.0f);
    ASSERT_EQ(log.size(), 1u);
    EXPECT_EQ(log[0].second, 31);
}

TEST_F(ActionTest, RepeatForeverRestartsWithTheOvershoot) {
    int calls = 0;
    node->runAction(RepeatForever::create(
        Sequence::create({DelayTime::create(0.1f), CallFunc::create([&] { ++calls; })})));
    runFrames(61);
    // 0.1 s loops over one second (the first frame only starts the clock).
    EXPECT_EQ(calls, 10);
    EXPECT_EQ(node->getNumberOfRunningActions(), 1u);
}

TEST_F(ActionTest, MovesStackWithOtherMoves) {
    node->setPosition(0, 0);
    node->runAction(MoveBy::create(0.5f, Vec2(100, 0)));
    node->runAction(MoveBy::create(0.5f, Vec2(0, 50)));
    runFrames(40);
    EXPECT_NEAR(node->getPositionX(), 100.0f, 1e-3f);
    EXPECT_NEAR(node->getPositionY(), 50.0f, 1e-3f);
    // A move made from outside while a MoveBy runs is kept.
    node->runAction(MoveBy::create(0.5f, Vec2(60, 0)));
    runFrames(10);
    node->setPositionY(node->getPositionY() + 7);
    runFrames(30);
    EXPECT_NEAR(node->getPositionX(), 160.0f, 1e-3f);
    EXPECT_NEAR(node->getPositionY(), 57.0f, 1e-3f);
}

TEST_F(ActionTest, ActionsOfANodeOutsideTheSceneWaitUntilItEnters) {
    Sprite* loose = Sprite::create();
    loose->runAction(Sequence::create({mark(1)}));
    runFrames(3);
    EXPECT_TRUE(log.empty());
    scene_->addChild(loose);
    runFrames(1);
    EXPECT_EQ(log.size(), 1u);
}

TEST_F(ActionTest, CallFuncNPassesItsTarget) {
    Node* seen = nullptr;
    node->runAction(CallFuncN::create([&](Node* n) { seen = n; }));
    runFrames(1);
    EXPECT_EQ(seen, node);
}

TEST_F(ActionTest, AnimateShowsFramesOnTheirShareOfTime) {
    auto* cache = Director::getInstance()->getTextureCache();
    SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 64, 16, 32, SDL_PIXELFORMAT_ARGB8888);
    Texture2D* sheet = Texture2D::createWithSurface(cache->getRenderer(), surface, "sheet");
    SDL_FreeSurface(surface);
    Animation* animation = Animation::create();
    for (int i = 0; i < 4; ++i)
        animation->addSpriteFrameWithTexture(sheet, Rect(16.0f * i, 0, 16, 16));
    animation->setDelayPerUnit(0.05f);  // 3 frames each
    auto* animate = Animate::create(animation);
    node->runAction(animate);
    std::vector<float> shown;
    for (int i = 0; i < 14; ++i) {
        runFrames(1);
        shown.push_back(node->getTextureRect().origin.x);
    }
    // Frame 0 at once, then one picture every 3 frames, the last kept at the end.
    EXPECT_EQ(shown, (std::vector<float>{0, 0, 0, 16, 16, 16, 32, 32, 32, 48, 48, 48, 48, 48}));
    EXPECT_EQ(node->getContentSize(), Size(16, 16));
}
