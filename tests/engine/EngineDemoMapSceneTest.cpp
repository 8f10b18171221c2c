// The engine demo's tile-map and particle scenes, run as the program with files from the command
// line (a shared sample map, when the shared sample folder is there) and from the environment (the
// project's own map and particle definition).
#include <gtest/gtest.h>

#include "tests/support/Picture.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

using testsupport::Picture;
using testsupport::ProgramOptions;
using testsupport::projectTestFile;
using testsupport::runProgram;
using testsupport::sharedTestFile;

namespace {

const std::string DEMO = testsupport::buildProgram("engine-demo");

// Pixels of the scene's dark backdrop in the frame, leaving out the caption (top left) and the
// camera's marker (centre).
int backdropPixels(const Picture& frame) {
    int count = 0;
    for (int y = 60; y < 540; y += 3)
        for (int x = 0; x < 960; x += 3) {
            if (x > 450 && x < 510 && y > 240 && y < 300) continue;
            testsupport::Pixel c = frame.at(x, y);
            if (c.r == 12 && c.g == 14 && c.b == 28) ++count;
        }
    return count;
}

}  // namespace

TEST(EngineDemoMapSceneTest, TilemapSceneShowsTheGivenMapAcrossTheWholeFrame) {
    SKIP_WITHOUT_SHARED_TEST_DATA();
    testsupport::TempFolder dir;
    const std::string shot = dir / "map.png";
    const auto run =
        runProgram(DEMO, {"--headless", "--scene", "tilemap", "--map", sharedTestFile("tiled/desert.tmx"),
                          "--frames", "3", "--screenshot", "3:" + shot});
    ASSERT_EQ(run.exitCode, 0) << run.describe();
    const Picture frame = Picture::fromFile(shot);
    ASSERT_TRUE(frame.loaded());
    EXPECT_EQ(backdropPixels(frame), 0) << "the camera starts inside the map";
    testsupport::Pixel sand = frame.at(100, 400);
    EXPECT_GT(sand.r, sand.b + 60);
}

TEST(EngineDemoMapSceneTest, MapAndParticleFilesCanComeFromTheEnvironment) {
    testsupport::TempFolder dir;
    const std::string shot = dir / "field.png";
    ProgramOptions fromEnvironment;
    fromEnvironment.environment = {
        {"QUORIN_DEMO_MAP", projectTestFile("engine/data/tmx/field.tmx")},
        {"QUORIN_DEMO_PARTICLES", projectTestFile("engine/data/particles/ember.plist")}};
    const auto map =
        runProgram(DEMO, {"--headless", "--scene", "tilemap", "--frames", "2", "--screenshot", "2:" + shot},
                   fromEnvironment);
    EXPECT_EQ(map.exitCode, 0) << map.describe();
    EXPECT_EQ(map.err.find("needs a readable map"), std::string::npos) << map.err;
    const auto particles =
        runProgram(DEMO, {"--headless", "--scene", "particles", "--frames", "2"}, fromEnvironment);
    EXPECT_EQ(particles.exitCode, 0) << particles.describe();
    const Picture frame = Picture::fromFile(shot);
    ASSERT_TRUE(frame.loaded());
    EXPECT_EQ(backdropPixels(frame), 0) << "the camera starts inside the map";
}

TEST(EngineDemoMapSceneTest, TilemapSceneWithoutAMapShowsOnlyItsBackdropAndANote) {
    testsupport::TempFolder dir;
    const std::string empty = dir / "none.png";
    ProgramOptions withoutMap;
    withoutMap.environment = {{"QUORIN_DEMO_MAP", std::nullopt}};
    const auto run =
        runProgram(DEMO, {"--headless", "--scene", "tilemap", "--frames", "2", "--screenshot", "2:" + empty},
                   withoutMap);
    EXPECT_EQ(run.exitCode, 0) << run.describe();
    EXPECT_NE(run.err.find("needs a readable map"), std::string::npos) << run.err;
    const Picture nothing = Picture::fromFile(empty);
    ASSERT_TRUE(nothing.loaded());
    EXPECT_GT(backdropPixels(nothing), 10000);
}
