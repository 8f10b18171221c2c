// Mistakes in picture sources are reported with the file and line that holds them.
#include <string>

#include <gtest/gtest.h>

#include "tools/pix/Document.h"
#include "tools/pix/Parser.h"
#include "tools/pix/Renderer.h"

using namespace pix;

namespace {

const char* PALETTE =
    "palette p\n"    // 1
    "  a #ff0000\n"  // 2
    "  b #00ff00\n"  // 3
    "end\n"          // 4
    "use p\n";       // 5

// Reads and draws a source held in memory; returns the error message, or "" when all went well.
std::string errorOf(const std::string& text) {
    try {
        Document doc;
        Parser(doc).parseText(text, "art.pix", ".");
        doc.validate();
        TextRenderer fonts;
        Renderer renderer(doc, fonts, "");
        for (const auto& pic : doc.pictures())
            renderer.render(pic);
    } catch (const PixError& e) {
        return e.what();
    }
    return "";
}

}  // namespace

TEST(PixParserErrorTest, UnknownPaletteLetterNamesTheRow) {
    const std::string err = errorOf(std::string(PALETTE) + "grid g\n  ab\n  az\nend\n");
    EXPECT_EQ(err.rfind("art.pix:8: unknown palette letter 'z'", 0), 0u) << err;
}

TEST(PixParserErrorTest, RaggedGridNamesTheRow) {
    const std::string err = errorOf(std::string(PALETTE) + "grid g\n  ab\n  ab\n  aba\n  ab\nend\n");
    EXPECT_EQ(err.rfind("art.pix:9: ragged grid 'g'", 0), 0u) << err;
}

TEST(PixParserErrorTest, LetterMissingFromASwappedPaletteNamesRowAndDraw) {
    const std::string text = std::string(PALETTE) +
                             "palette q\n  a #0000ff\nend\n"                     // 6-8
                             "grid g\n  ab\nend\n"                               // 9-11
                             "picture x 2x1\n  draw g at 0,0 palette q\nend\n";  // 12-14
    const std::string err = errorOf(text);
    EXPECT_EQ(err.rfind("art.pix:10: unknown palette letter 'b'", 0), 0u) << err;
    EXPECT_NE(err.find("drawn at art.pix:13"), std::string::npos) << err;
}

TEST(PixParserErrorTest, UnknownLetterInAColourArgument) {
    const std::string err =
        errorOf(std::string(PALETTE) + "picture x 2x2\n  fill a\n  rect 0 0 1 1 q\nend\n");
    EXPECT_EQ(err.rfind("art.pix:8: rect: unknown palette letter 'q'", 0), 0u) << err;
}

TEST(PixParserErrorTest, BlocksWithoutEndNameTheirFirstLine) {
    EXPECT_EQ(errorOf(std::string(PALETTE) + "grid g\n  ab\n").rfind("art.pix:6: grid 'g' has no 'end'", 0),
              0u);
    EXPECT_EQ(errorOf("palette p\n a #000000\n").rfind("art.pix:1: palette 'p' has no 'end'", 0), 0u);
    EXPECT_EQ(errorOf(std::string(PALETTE) + "picture x 1x1\n fill a\n").rfind("art.pix:6:", 0), 0u);
}

TEST(PixParserErrorTest, UnknownWordsAreRejected) {
    EXPECT_EQ(errorOf("pallete p\nend\n").rfind("art.pix:1: unknown statement 'pallete'", 0), 0u);
    EXPECT_EQ(errorOf(std::string(PALETTE) + "picture x 1x1\n  blur 3\nend\n")
                  .rfind("art.pix:7: unknown operation 'blur'", 0),
              0u);
    EXPECT_EQ(errorOf(std::string(PALETTE) + "picture x 1x1\n  draw y at 0,0\nend\n")
                  .rfind("art.pix:7: draw: no grid or picture named 'y'", 0),
              0u);
    EXPECT_EQ(errorOf(std::string(PALETTE) + "grid g\n a\nend\npicture x 1x1\n  draw g at 0,0 spin 3\nend\n")
                  .rfind("art.pix:10: draw: unknown option 'spin'", 0),
              0u);
}

TEST(PixParserErrorTest, BadValues) {
    EXPECT_EQ(errorOf("palette p\n  a #ff00\nend\n").rfind("art.pix:2: bad colour '#ff00'", 0), 0u);
    EXPECT_EQ(errorOf(std::string(PALETTE) + "picture x 0x4\nend\n").rfind("art.pix:6: size out of range", 0),
              0u);
    EXPECT_EQ(errorOf(std::string(PALETTE) + "picture x 4x4\n  rect 0 0 2 two a\nend\n")
                  .rfind("art.pix:7: rect: expected a whole number, got 'two'", 0),
              0u);
    EXPECT_EQ(errorOf(std::string(PALETTE) + "picture x 8x4 cells 3x4\nend\n")
                  .rfind("art.pix:6: cells 3x4 do not divide", 0),
              0u);
    EXPECT_EQ(errorOf(std::string(PALETTE) + "picture x 8x4 cells 4x4\n  in 1-2 fill a\nend\n")
                  .rfind("art.pix:7: cell range '1-2' outside 0-1", 0),
              0u);
    EXPECT_EQ(errorOf(std::string(PALETTE) + "picture x 4x4\n  in 0-1 fill a\nend\n")
                  .rfind("art.pix:7: 'in' needs a picture with cells", 0),
              0u);
}

TEST(PixParserErrorTest, DuplicateNamesNameBothPlaces) {
    const std::string err = errorOf(std::string(PALETTE) + "grid p\n a\nend\n");
    EXPECT_EQ(err, "art.pix:6: 'p' is already defined at art.pix:1");
}

TEST(PixParserErrorTest, PictureThatDrawsItself) {
    const std::string err = errorOf(std::string(PALETTE) + "picture x 1x1\n  draw x at 0,0\nend\n");
    EXPECT_EQ(err.rfind("art.pix:6: picture 'x' draws itself", 0), 0u) << err;
}

TEST(PixParserErrorTest, MissingIncludeNamesTheIncludeLine) {
    const std::string err = errorOf("\ninclude no/such/file.pix\n");
    EXPECT_EQ(err.rfind("art.pix:2: cannot include", 0), 0u) << err;
}

TEST(PixParserTest, HashStartsACommentOnlyBeforeASpace) {
    Document doc;
    Parser(doc).parseText("# heading\npalette p  # trailing words\n  a #102030  # note\nend\n", "art.pix",
                          ".");
    Rgba c;
    ASSERT_TRUE(doc.palette("p") != nullptr);
    ASSERT_TRUE(doc.palette("p")->find('a', c));
    EXPECT_EQ(c, (Rgba{0x10, 0x20, 0x30, 255}));
}

TEST(PixParserTest, DerivedPaletteKeepsBaseAndAliasesLetters) {
    Document doc;
    Parser(doc).parseText(std::string(PALETTE) + "palette q from p\n  a b\n  c none\nend\n", "art.pix", ".");
    const Palette* q = doc.palette("q");
    ASSERT_TRUE(q != nullptr);
    Rgba c;
    ASSERT_TRUE(q->find('a', c));
    EXPECT_EQ(c, (Rgba{0, 255, 0, 255}));
    ASSERT_TRUE(q->find('c', c));
    EXPECT_TRUE(c.transparent());
    ASSERT_TRUE(q->find('.', c));
    EXPECT_TRUE(c.transparent());
}

TEST(PixParserTest, SameFontTwiceIsNoClashButAnotherFileIs) {
    EXPECT_EQ(errorOf("font t a.ttf\nfont t a.ttf\n"), "");
    EXPECT_EQ(errorOf("font t a.ttf\nfont t b.ttf\n"), "art.pix:2: 't' is already defined at art.pix:1");
}
