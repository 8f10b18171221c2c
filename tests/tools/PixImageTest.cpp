// The building blocks under the picture source format: pixel buffers and the PNG encoder.
#include <gtest/gtest.h>

#include "tests/support/Picture.h"
#include "tools/pix/Image.h"
#include "tools/pix/PixError.h"
#include "tools/pix/PngWriter.h"

using namespace pix;

namespace {

// Every pixel of the image after a round trip through the encoder and SDL_image.
Image roundTrip(const Image& image) {
    const testsupport::Picture decoded = testsupport::Picture::fromPng(PngWriter::encode(image));
    if (!decoded.loaded()) return Image();
    Image out(decoded.width(), decoded.height());
    for (int y = 0; y < decoded.height(); ++y) {
        for (int x = 0; x < decoded.width(); ++x) {
            const testsupport::Pixel p = decoded.at(x, y);
            out.set(x, y, Rgba{p.r, p.g, p.b, p.a});
        }
    }
    return out;
}

}  // namespace

TEST(PixImagePngTest, EveryPixelSurvivesWhicheverRowFilterIsChosen) {
    // Rows that favour each of the five filters: flat, ramps across, ramps down, noise.
    Image image(37, 23);
    std::uint32_t seed = 12345;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            seed = seed * 1103515245u + 12345u;
            const auto noise = static_cast<std::uint8_t>(seed >> 16);
            const Rgba flat{10, 20, 30, 255};
            const Rgba across{static_cast<std::uint8_t>(x * 7), 0, static_cast<std::uint8_t>(255 - x), 200};
            const Rgba down{0, static_cast<std::uint8_t>(y * 11), 99, static_cast<std::uint8_t>(y * 10)};
            const Rgba wild{noise, static_cast<std::uint8_t>(noise ^ 0x5a), static_cast<std::uint8_t>(x * y),
                            static_cast<std::uint8_t>(noise | 1)};
            const Rgba pick[4] = {flat, across, down, wild};
            image.set(x, y, pick[y % 4]);
        }
    }
    const Image back = roundTrip(image);
    ASSERT_EQ(back.width(), image.width());
    ASSERT_EQ(back.height(), image.height());
    EXPECT_TRUE(back.pixels() == image.pixels());
}

TEST(PixImagePngTest, EmptyPictureIsRefused) {
    EXPECT_THROW(PngWriter::encode(Image()), PixError);
}

TEST(PixImageTest, TurnsFlipsAndScales) {
    Image image(3, 2);
    image.set(0, 0, Rgba{1, 0, 0, 255});
    image.set(2, 1, Rgba{2, 0, 0, 255});
    const Image quarter = image.rotated(1);
    ASSERT_EQ(quarter.width(), 2);
    ASSERT_EQ(quarter.height(), 3);
    EXPECT_EQ(quarter.at(1, 0).r, 1);  // the top-left corner goes to the top-right
    EXPECT_EQ(image.rotated(3).at(0, 2).r, 1);
    EXPECT_EQ(image.rotated(-1).pixels(), image.rotated(3).pixels());
    EXPECT_EQ(image.rotated(2).at(0, 0).r, 2);
    EXPECT_EQ(image.flipped(true, false).at(2, 0).r, 1);
    EXPECT_EQ(image.scaled(3).at(2, 2).r, 1);
    EXPECT_EQ(image.scaled(3).at(3, 3).a, 0);
    EXPECT_EQ(image.scaled(3).halved().width(), 5);
}

TEST(PixImageTest, OutsideReadsClearAndWritesNothing) {
    Image image(2, 2, Rgba{5, 5, 5, 255});
    image.set(-1, 0, Rgba{9, 9, 9, 255});
    image.blend(2, 2, Rgba{9, 9, 9, 255});
    EXPECT_EQ(image.at(-1, 0), Rgba{});
    for (const Rgba& p : image.pixels())
        EXPECT_EQ(p, (Rgba{5, 5, 5, 255}));
}

TEST(PixImageTest, CompositingOverClearKeepsTheSourceColour) {
    const Rgba half{200, 100, 50, 128};
    EXPECT_EQ(Image::over(Rgba{}, half), half);
    EXPECT_EQ(Image::over(Rgba{0, 0, 0, 255}, Rgba{255, 255, 255, 0}), (Rgba{0, 0, 0, 255}));
}
