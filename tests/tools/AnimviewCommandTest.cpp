// quorin-animview, run as animation authors run it: pictures of chosen frames, strips, bad requests.
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "tests/support/Picture.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

testsupport::ProgramRun runAnimview(const std::vector<std::string>& args) {
    return testsupport::runProgram(testsupport::buildProgram("quorin-animview"), args);
}

TEST(AnimviewCommandTest, TakesPicturesOfChosenFramesAndRefusesBadRequests) {
    testsupport::TempFolder scratch;
    const std::string shot = scratch / "frame.png", strip = scratch / "strip.png";
    const auto run = runAnimview({"--headless",
                                  "--res",
                                  testsupport::runtimeDir(),
                                  "--file",
                                  "anime/PLAYER_GRAPPLE_0_1.cma",
                                  "--file",
                                  "anime/WEAPON_0000_01.cma",
                                  "--scale",
                                  "2",
                                  "--bg",
                                  "000000",
                                  "--facing",
                                  "right",
                                  "--shot",
                                  "3:" + shot,
                                  "--strip",
                                  strip,
                                  "--columns",
                                  "4",
                                  "--margin",
                                  "0"});
    ASSERT_EQ(run.exitCode, 0) << run.describe() << run.out;
    const testsupport::Picture picture = testsupport::Picture::fromFile(shot);
    ASSERT_TRUE(picture.loaded());
    EXPECT_EQ(picture.width(), 960);
    const testsupport::Picture frames = testsupport::Picture::fromFile(strip);
    ASSERT_TRUE(frames.loaded());
    EXPECT_EQ(frames.width(), 4 * 64 + 3 * 2) << "four tiles of 32 x 2 with a gap of 2 between";
    EXPECT_EQ(frames.height(), 2 * 96 + 2) << "eight frames in two rows";
    EXPECT_EQ(
        runAnimview({"--headless", "--res", testsupport::runtimeDir(), "--file", "anime/NONE.cma"}).exitCode,
        1);
    EXPECT_EQ(runAnimview({"--scale", "0"}).exitCode, 2);
}

}  // namespace
