// The engine demo run as a program, headless: reproducible frames and the pixels they show.
#include <gtest/gtest.h>

#include "tests/support/Files.h"
#include "tests/support/Picture.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

using testsupport::Picture;
using testsupport::Pixel;
using testsupport::readFile;
using testsupport::runProgram;

namespace {

const std::string DEMO = testsupport::buildProgram("engine-demo");

}  // namespace

TEST(EngineDemoTest, SameScriptedRunGivesIdenticalPngBytes) {
    testsupport::TempFolder dir;
    for (const char* name : {"a", "b"}) {
        std::vector<std::string> args = {"--headless",
                                         "--scene",
                                         "actions",
                                         "--frames",
                                         "45",
                                         "--screenshot",
                                         "20:" + dir / name + "20.png",
                                         "--screenshot",
                                         "45:" + dir / name + "45.png"};
        const auto run = runProgram(DEMO, args);
        ASSERT_EQ(run.exitCode, 0) << run.describe();
    }
    std::string a20 = readFile(dir / "a20.png"), b20 = readFile(dir / "b20.png");
    std::string a45 = readFile(dir / "a45.png"), b45 = readFile(dir / "b45.png");
    ASSERT_GT(a20.size(), 100u);
    EXPECT_EQ(a20, b20);
    EXPECT_EQ(a45, b45);
    EXPECT_NE(a20, a45) << "the scene moves between the two frames";
}

TEST(EngineDemoTest, ShowcaseFrameShowsWhatWasDrawn) {
    testsupport::TempFolder dir;
    const std::string shot = dir / "showcase.png";
    const auto run = runProgram(DEMO, {"--headless", "--frames", "2", "--screenshot", "2:" + shot});
    ASSERT_EQ(run.exitCode, 0) << run.describe();
    const Picture picture = Picture::fromFile(shot);
    ASSERT_TRUE(picture.loaded());
    EXPECT_EQ(picture.width(), 960);
    EXPECT_EQ(picture.height(), 540);
    // Backdrop bands (top band and bottom band), and the first arrow's shaft.
    EXPECT_EQ(picture.at(5, 5), (Pixel{0x1C, 0x18, 0x40}));
    EXPECT_EQ(picture.at(5, 535), (Pixel{0xA8, 0x68, 0x58}));
    EXPECT_EQ(picture.at(70, 100), (Pixel{0xF0, 0xC8, 0x60}));
}

TEST(EngineDemoTest, BadCommandLinesAreRefused) {
    EXPECT_EQ(runProgram(DEMO, {"--frames", "zero"}).exitCode, 2);
    EXPECT_EQ(runProgram(DEMO, {"--screenshot", "nocolon"}).exitCode, 2);
    EXPECT_EQ(runProgram(DEMO, {"--no-such-option"}).exitCode, 2);
    EXPECT_EQ(runProgram(DEMO, {"--help"}).exitCode, 0);
}
