// The engine demo's tile-map and particle scenes, run as the program with files from the command
// line and from the environment.
#include <gtest/gtest.h>
#include <stdlib.h>

#include "tests/support/Picture.h"
#include "tests/support/ProgramRun.h"

namespace {

const std::string kDemo = std::string(QUORIN_BINARY_DIR) + "/engine-demo";

// Pixels of the scene's dark backdrop in the frame, leaving out the caption (top left) and the
// camera's marker (centre).
int backdropPixels(const Picture& frame) {
    int count = 0;
    for (int y = 60; y < 540; y += 3)
        for (int x = 0; x < 960; x += 3) {
            if (x > 450 && x < 510 && y > 240 && y < 300) continue;
            engine::Color4B c = frame.at(x, y);
            if (c.r == 12 && c.g == 14 && c.b == 28) ++count;
        }
    return count;
}

}  // namespace

TEST(DemoRuns, TilemapSceneShowsTheGivenMapAcrossTheWholeFrame) {
    std::string shot = writeTempFile("map.png", "");
    ASSERT_EQ(
        runProgram(kDemo, {"--headless", "--scene", "tilemap", "--map", sharedTestFile("tiled/desert.tmx"),
                           "--frames", "3", "--screenshot", "3:" + shot}),
        0);
    Picture frame(shot);
    ASSERT_TRUE(frame.loaded());
    EXPECT_EQ(backdropPixels(frame), 0) << "the camera starts inside the map";
    engine::Color4B sand = frame.at(100, 400);
    EXPECT_GT(sand.r, sand.b + 60);
}

TEST(DemoRuns, MapAndParticleFilesCanComeFromTheEnvironment) {
    std::string shot = writeTempFile("sewers.png", "");
    setenv("QUORIN_DEMO_MAP", sharedTestFile("tiled/sewers.tmx").c_str(), 1);
    setenv("QUORIN_DEMO_PARTICLES", sharedTestFile("particles/Comet.plist").c_str(), 1);
    EXPECT_EQ(
        runProgram(kDemo, {"--headless", "--scene", "tilemap", "--frames", "2", "--screenshot", "2:" + shot}),
        0);
    EXPECT_EQ(runProgram(kDemo, {"--headless", "--scene", "particles", "--frames", "2"}), 0);
    unsetenv("QUORIN_DEMO_MAP");
    unsetenv("QUORIN_DEMO_PARTICLES");
    Picture frame(shot);
    ASSERT_TRUE(frame.loaded());
    EXPECT_EQ(backdropPixels(frame), 0);
    // Without any map the scene shows only its backdrop and a note.
    std::string empty = writeTempFile("none.png", "");
    EXPECT_EQ(runProgram(kDemo,
                         {"--headless", "--scene", "tilemap", "--frames", "2", "--screenshot", "2:" + empty}),
              0);
    Picture nothing(empty);
    ASSERT_TRUE(nothing.loaded());
    EXPECT_GT(backdropPixels(nothing), 10000);
}
