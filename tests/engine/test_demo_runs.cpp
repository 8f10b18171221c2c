// The engine demo run as a program, headless: reproducible frames and the pixels they show.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include "tests/support/ProgramRun.h"

namespace {

const std::string kDemo = std::string(QUORIN_BINARY_DIR) + "/engine-demo";

Uint32 pixelOf(SDL_Surface* s, int x, int y) {
    SDL_Surface* argb = SDL_ConvertSurfaceFormat(s, SDL_PIXELFORMAT_ARGB8888, 0);
    Uint32 v = static_cast<Uint32*>(argb->pixels)[y * (argb->pitch / 4) + x];
    SDL_FreeSurface(argb);
    return v & 0xFFFFFF;
}

}  // namespace

TEST(DemoRuns, SameScriptedRunGivesIdenticalPngBytes) {
    std::string dir = makeTempDir("demo_det_");
    ASSERT_FALSE(dir.empty());
    for (const char* name : {"a", "b"}) {
        std::vector<std::string> args = {"--headless",
                                         "--scene",
                                         "actions",
                                         "--frames",
                                         "45",
                                         "--screenshot",
                                         "20:" + dir + "/" + name + "20.png",
                                         "--screenshot",
                                         "45:" + dir + "/" + name + "45.png"};
        ASSERT_EQ(runProgram(kDemo, args), 0);
    }
    std::string a20 = readBytes(dir + "/a20.png"), b20 = readBytes(dir + "/b20.png");
    std::string a45 = readBytes(dir + "/a45.png"), b45 = readBytes(dir + "/b45.png");
    ASSERT_GT(a20.size(), 100u);
    EXPECT_EQ(a20, b20);
    EXPECT_EQ(a45, b45);
    EXPECT_NE(a20, a45) << "the scene moves between the two frames";
}

TEST(DemoRuns, ShowcaseFrameShowsWhatWasDrawn) {
    std::string dir = makeTempDir("demo_px_");
    std::string shot = dir + "/showcase.png";
    ASSERT_EQ(runProgram(kDemo, {"--headless", "--frames", "2", "--screenshot", "2:" + shot}), 0);
    SDL_Surface* s = IMG_Load(shot.c_str());
    ASSERT_NE(s, nullptr);
    EXPECT_EQ(s->w, 960);
    EXPECT_EQ(s->h, 540);
    // Backdrop bands (top band and bottom band), and the first arrow's shaft.
    EXPECT_EQ(pixelOf(s, 5, 5), 0x1C1840u);
    EXPECT_EQ(pixelOf(s, 5, 535), 0xA86858u);
    EXPECT_EQ(pixelOf(s, 70, 100), 0xF0C860u);
    SDL_FreeSurface(s);
}

TEST(DemoRuns, BadCommandLinesAreRefused) {
    EXPECT_EQ(runProgram(kDemo, {"--frames", "zero"}), 2);
    EXPECT_EQ(runProgram(kDemo, {"--screenshot", "nocolon"}), 2);
    EXPECT_EQ(runProgram(kDemo, {"--no-such-option"}), 2);
    EXPECT_EQ(runProgram(kDemo, {"--help"}), 0);
}
