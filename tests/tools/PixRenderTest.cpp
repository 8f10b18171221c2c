// Pictures come out of the PNG encoder with the size and the colours their source describes.
#include <filesystem>
#include <string>

#include <SDL_image.h>
#include <gtest/gtest.h>

#include "tests/support/Picture.h"
#include "tools/pix/Document.h"
#include "tools/pix/Parser.h"
#include "tools/pix/PngWriter.h"
#include "tools/pix/Renderer.h"

using namespace pix;

namespace {

const char* PALETTE =
    "palette p\n"
    "  r #ff0000\n"
    "  g #00ff00\n"
    "  b #0000ff\n"
    "  k #000000\n"
    "end\n"
    "palette swap from p\n"
    "  r #ffff00\n"
    "end\n"
    "use p\n";

// A decoded pixel in the tool's own colour type.
Rgba rgbaOf(const testsupport::Pixel& pixel) {
    return Rgba{pixel.r, pixel.g, pixel.b, pixel.a};
}

Image draw(const std::string& source, const std::string& picture) {
    Document doc;
    Parser(doc).parseText(std::string(PALETTE) + source, "test.pix", ".");
    doc.validate();
    TextRenderer fonts;
    return Renderer(doc, fonts, "").render(*doc.picture(picture));
}

const Rgba RED{255, 0, 0, 255}, GREEN{0, 255, 0, 255}, BLUE{0, 0, 255, 255}, BLACK{0, 0, 0, 255};
const Rgba YELLOW{255, 255, 0, 255}, CLEAR{0, 0, 0, 0};

}  // namespace

TEST(PixRenderGridTest, PngHasTheGridSizeAndColours) {
    // The picture as a decoder sees it: encoded to PNG and read back with SDL_image.
    const auto png = testsupport::Picture::fromPng(
        PngWriter::encode(draw("grid g\n  r.b\n  gkr\nend\npicture out 3x2\n  draw g at 0,0\nend\n", "out")));
    ASSERT_TRUE(png.loaded()) << IMG_GetError();
    EXPECT_EQ(png.width(), 3);
    EXPECT_EQ(png.height(), 2);
    EXPECT_EQ(rgbaOf(png.at(0, 0)), RED);
    EXPECT_EQ(png.at(1, 0).a, 0);
    EXPECT_EQ(rgbaOf(png.at(2, 0)), BLUE);
    EXPECT_EQ(rgbaOf(png.at(0, 1)), GREEN);
    EXPECT_EQ(rgbaOf(png.at(1, 1)), BLACK);
}

TEST(PixRenderGridTest, PaletteSwapRecoloursOnlyTheChangedLetters) {
    const Image img = draw(
        "grid g\n  rg\nend\npicture out 2x2\n  draw g at 0,0\n  draw g at 0,1 palette swap\nend\n", "out");
    EXPECT_EQ(img.at(0, 0), RED);
    EXPECT_EQ(img.at(0, 1), YELLOW);
    EXPECT_EQ(img.at(1, 1), GREEN);
}

TEST(PixRenderGridTest, SwapPassesIntoNestedPictures) {
    const Image img = draw(
        "grid g\n  r\nend\npiece inner 1x1\n  draw g at 0,0\nend\n"
        "picture out 2x1\n  draw inner at 0,0\n  draw inner at 1,0 palette swap\nend\n",
        "out");
    EXPECT_EQ(img.at(0, 0), RED);
    EXPECT_EQ(img.at(1, 0), YELLOW);
}

TEST(PixRenderGridTest, ScaleFlipAndRotate) {
    const Image img = draw(
        "grid g\n  rb\nend\npicture out 4x4\n  draw g at 0,0 scale 2 flipx\n"
        "  draw g at 0,2 rot 90\nend\n",
        "out");
    EXPECT_EQ(img.at(0, 0), BLUE);
    EXPECT_EQ(img.at(1, 1), BLUE);
    EXPECT_EQ(img.at(2, 0), RED);
    EXPECT_EQ(img.at(3, 1), RED);
    EXPECT_EQ(img.at(0, 2), RED);  // a quarter turn clockwise stands the row on its end
    EXPECT_EQ(img.at(0, 3), BLUE);
    EXPECT_EQ(img.at(1, 2), CLEAR);
}

TEST(PixRenderSheetTest, CellsClipAndInRangesInterpolate) {
    const Image img = draw(
        "picture out 12x4 cells 4x4\n  in 0-2 rect 0>2 1 1 1 r\n  cell 1\n  rect 3 0 9 9 b\nend\n", "out");
    EXPECT_EQ(img.at(0, 1), RED);    // cell 0: x 0
    EXPECT_EQ(img.at(5, 1), RED);    // cell 1: x 1
    EXPECT_EQ(img.at(10, 1), RED);   // cell 2: x 2
    EXPECT_EQ(img.at(7, 3), BLUE);   // cell 1's rectangle ...
    EXPECT_EQ(img.at(8, 3), CLEAR);  // ... stays inside cell 1
}

TEST(PixRenderSheetTest, NameCyclesTakeTurns) {
    const Image img =
        draw("grid a\n  r\nend\ngrid c\n  g\nend\npicture out 3x1 cells 1x1\n  in 0-2 draw a|c at 0,0\nend\n",
             "out");
    EXPECT_EQ(img.at(0, 0), RED);
    EXPECT_EQ(img.at(1, 0), GREEN);
    EXPECT_EQ(img.at(2, 0), RED);
}

TEST(PixRenderShapeTest, GradientKeepsItsEndColours) {
    const Image img = draw("picture out 4x16\n  gradient 0 0 4 16 vertical r,g,b soft 0\nend\n", "out");
    for (int x = 0; x < 4; ++x) {
        EXPECT_EQ(img.at(x, 0), RED);
        EXPECT_EQ(img.at(x, 8), GREEN);
        EXPECT_EQ(img.at(x, 15), BLUE);
    }
}

TEST(PixRenderShapeTest, NineSliceKeepsCornersAndRepeatsEdges) {
    const Image img =
        draw("grid box\n  rgb\n  gkg\n  bgr\nend\npicture out 5x4\n  nine box 0 0 5 4 1,1,1,1\nend\n", "out");
    EXPECT_EQ(img.at(0, 0), RED);
    EXPECT_EQ(img.at(4, 0), BLUE);
    EXPECT_EQ(img.at(0, 3), BLUE);
    EXPECT_EQ(img.at(4, 3), RED);
    EXPECT_EQ(img.at(2, 0), GREEN);
    EXPECT_EQ(img.at(2, 2), BLACK);
}

TEST(PixRenderShapeTest, OutlineSurroundsColouredPixels) {
    const Image img = draw("picture out 3x3\n  rect 1 1 1 1 r\n  outline k\nend\n", "out");
    EXPECT_EQ(img.at(1, 0), BLACK);
    EXPECT_EQ(img.at(0, 1), BLACK);
    EXPECT_EQ(img.at(1, 1), RED);
    EXPECT_EQ(img.at(0, 0), CLEAR);
}

TEST(PixRenderShapeTest, AlphaSuffixBlendsOverWhatIsThere) {
    const Image img =
        draw("picture out 2x1\n  fill b\n  rect 0 0 1 1 r@128\n  rect 1 0 1 1 r@0\nend\n", "out");
    EXPECT_EQ(img.at(0, 0), (Rgba{128, 0, 127, 255}));
    EXPECT_EQ(img.at(1, 0), BLUE);
}

TEST(PixRenderTextTest, TextUsesOnlyItsColour) {
    if (!std::filesystem::exists(QUORIN_FONT_FILE)) GTEST_SKIP() << "font not installed";
    const Image img = draw(
        std::string("font f ") + QUORIN_FONT_FILE + "\npicture out 40x20\n  text 0 0 f 16 g \"Ab\"\nend\n",
        "out");
    int coloured = 0;
    for (const Rgba& c : img.pixels()) {
        if (c.a == 0) continue;
        EXPECT_EQ(c, GREEN);
        ++coloured;
    }
    EXPECT_GT(coloured, 20);
}

TEST(PixRenderShapeTest, ScatterIsTheSameForTheSameSeed) {
    const std::string src =
        "grid d\n  r\nend\npicture a 32x32\n  scatter d 0 0 32 32 20 7\nend\n"
        "picture b 32x32\n  scatter d 0 0 32 32 20 7\nend\n"
        "picture c 32x32\n  scatter d 0 0 32 32 20 8\nend\n";
    EXPECT_TRUE(draw(src, "a").pixels() == draw(src, "b").pixels());
    EXPECT_FALSE(draw(src, "a").pixels() == draw(src, "c").pixels());
}

TEST(PixRenderShapeTest, EraseReplaceAndTileOffset) {
    const Image img = draw(
        "grid two\n  rg\nend\npicture out 4x2\n  tile two 0 0 4 1 offset 1,0\n"
        "  rect 0 1 4 1 b\n  erase 0 1 1 1\n  replace b k\nend\n",
        "out");
    EXPECT_EQ(img.at(0, 0), GREEN);  // the tile starts one pixel into the grid
    EXPECT_EQ(img.at(1, 0), RED);
    EXPECT_EQ(img.at(0, 1), CLEAR);
    EXPECT_EQ(img.at(1, 1), BLACK);
}

TEST(PixRenderSheetTest, DrawingOneCellOfAnotherSheet) {
    const Image img = draw(
        "picture sheet 4x2 cells 2x2\n  cell 1\n  fill g\nend\n"
        "picture out 2x2\n  draw sheet cell 1 at 0,0\nend\n",
        "out");
    EXPECT_EQ(img.width(), 2);
    EXPECT_EQ(img.at(1, 1), GREEN);
}

TEST(PixRenderShapeTest, GlowIsDenseInTheMiddleAndGoneAtTheEdge) {
    const Image img = draw("picture out 21x21\n  glow 10 10 10 r 100\nend\n", "out");
    auto lit = [&](int x0, int y0, int size) {
        int n = 0;
        for (int y = y0; y < y0 + size; ++y) {
            for (int x = x0; x < x0 + size; ++x)
                n += img.at(x, y).a > 0 ? 1 : 0;
        }
        return n;
    };
    EXPECT_GE(lit(8, 8, 4), 12);   // the middle is nearly solid
    EXPECT_LE(lit(16, 16, 4), 2);  // the corner is nearly dark
    for (const Rgba& c : img.pixels())
        EXPECT_TRUE(c.a == 0 || c == RED);  // never a blend: palette colours only
}
