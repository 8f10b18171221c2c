// The feel of Quorin's motion with the shipped player record, measured in play on stage 1 part 1
// (16-pixel tiles): top run speed, fall speed, and the heights of the shortest and the full jump.
#include <algorithm>
#include <cstdio>

#include "engine/physics/PhysicsBody.h"
#include "tests/support/PlayFixture.h"

using namespace vastomer;

namespace {

constexpr float TILE = 16.0f;

class PlayerFeelTest : public PlayFixture {
protected:
    void SetUp() override {
        PlayFixture::SetUp();
        ASSERT_NE(startStage(1), nullptr);
        ASSERT_TRUE(runUntilPlayable());
        runFrames(10);
    }

    // Holds jump for `frames` frames, then returns how high the feet rose above where they stood.
    float jumpHeight(int frames) {
        const float ground = player()->getPositionY();
        float top = ground;
        sendKey(playtest::CANCEL, true);
        for (int i = 0; i < frames + 120; ++i) {
            if (i == frames) sendKey(playtest::CANCEL, false);
            runFrames(1);
            top = std::max(top, player()->getPositionY());
        }
        return top - ground;
    }
};

}  // namespace

TEST_F(PlayerFeelTest, RunsAtTwelveTilesASecond) {
    sendKey(playtest::RIGHT, true);
    float top = 0.0f;
    int framesToTop = -1;
    for (int i = 0; i < 40; ++i) {
        const float x = player()->getPositionX();
        runFrames(1);
        const float speed = (player()->getPositionX() - x) * 60.0f;
        if (speed > top + 0.5f) framesToTop = i + 1;
        top = std::max(top, speed);
    }
    std::printf("top run speed %.1f px/s (%.1f tiles/s), reached after %d frames\n", top, top / TILE,
                framesToTop);
    EXPECT_NEAR(top, 192.0f, 1.0f);
    EXPECT_LE(framesToTop, 20) << "the run gets going within a third of a second";
}

TEST_F(PlayerFeelTest, FullAndShortestJumpsRiseFourAndTwoTiles) {
    const float shortest = jumpHeight(3);
    const float full = jumpHeight(20);
    const float longer = jumpHeight(40);
    std::printf(
        "jump held 3 frames: %.1f px (%.2f tiles); 20 frames: %.1f px (%.2f tiles); 40 frames: %.1f px\n",
        shortest, shortest / TILE, full, full / TILE, longer);
    EXPECT_NEAR(shortest / TILE, 1.9f, 0.2f);
    EXPECT_NEAR(full / TILE, 4.3f, 0.2f);
    EXPECT_GT(full, 4.0f * TILE) << "a full jump gets over the maps' 4-tile steps";
    EXPECT_NEAR(longer, full, 0.5f) << "holding longer than the charge limit gives no more";
    const float half = jumpHeight(8);
    EXPECT_GT(half, shortest) << "a longer hold jumps higher";
    EXPECT_LT(half, full);
}

TEST_F(PlayerFeelTest, FallsAtMostTwoHundredPixelsASecond) {
    // Into the pit of part 1 (x 720 to 784), where the net waits 48 px below the ground.
    player()->setPosition(752.0f, 60.0f);
    float fastest = 0.0f;
    for (int i = 0; i < 60 && DataManager::getInstance()->getCurrentPart() == 1; ++i) {
        const float y = player()->getPositionY();
        runFrames(1);
        if (player()->getParent()) fastest = std::max(fastest, (y - player()->getPositionY()) * 60.0f);
    }
    std::printf("fastest fall %.1f px/s\n", fastest);
    EXPECT_NEAR(fastest, 200.0f, 1.0f);
}
