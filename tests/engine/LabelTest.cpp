// Label measuring and drawing.
#include "engine/base/Utf8.h"
#include "engine/render/FontCache.h"
#include "engine/scene/Label.h"
#include "engine/scene/Sprite.h"
#include "tests/support/EngineFixture.h"

using namespace engine;
using testsupport::Pixel;

namespace {

const char* FONT = "fonts/ipaexm.ttf";

FontFace& face(int size) {
    std::string path = FileUtils::getInstance()->fullPathForFilename(FONT);
    FontFace* f = FontCache::getInstance().getFace(path, size);
    EXPECT_NE(f, nullptr);
    return *f;
}

int advances(const std::string& text, int size) {
    int sum = 0;
    char32_t previous = 0;
    for (char32_t c : Utf8::decode(text)) {
        sum += face(size).advance(c) + face(size).kerning(previous, c);
        previous = c;
    }
    return sum;
}

}  // namespace

class LabelTest : public EngineFixture {};

TEST_F(LabelTest, LabelWidthIsTheSumOfAdvancesAndOutlineAddsHeightOnly) {
    ASSERT_FALSE(FileUtils::getInstance()->fullPathForFilename(FONT).empty())
        << "the built tree has the font";
    Label* plain = Label::createWithTTF(TTFConfig(FONT, 40), "Quorin クオリン");
    ASSERT_NE(plain, nullptr);
    FontFace& f = face(40);
    int lineHeight = f.ascent() - f.descent();
    EXPECT_EQ(plain->getContentSize().width, advances("Quorin クオリン", 40));
    EXPECT_EQ(plain->getContentSize().height, lineHeight);

    Label* outlined = Label::createWithTTF(TTFConfig(FONT, 40, 3), "Quorin クオリン");
    EXPECT_EQ(outlined->getContentSize().width, plain->getContentSize().width);
    EXPECT_EQ(outlined->getContentSize().height, lineHeight + 6);

    Label* lines = Label::createWithTTF(TTFConfig(FONT, 40), "ab\nlonger line\n");
    lines->setLineSpacing(5);
    EXPECT_EQ(lines->getStringNumLines(), 3) << "a trailing newline adds an empty line";
    EXPECT_EQ(lines->getContentSize().width, advances("longer line", 40));
    EXPECT_EQ(lines->getContentSize().height, 3 * lineHeight + 2 * 5);
}

TEST_F(LabelTest, TrailingSpacesCountOnlyOnASingleLine) {
    Label* single = Label::createWithTTF(TTFConfig(FONT, 30), "go  ");
    EXPECT_EQ(single->getContentSize().width, advances("go  ", 30));
    Label* multi = Label::createWithTTF(TTFConfig(FONT, 30), "a\ngo  ");
    EXPECT_EQ(multi->getContentSize().width, advances("go", 30));
    Label* empty = Label::createWithTTF(TTFConfig(FONT, 30), "");
    EXPECT_EQ(empty->getContentSize(), Size::ZERO);
    EXPECT_EQ(Label::createWithTTF(TTFConfig("fonts/missing.ttf", 30), "x"), nullptr);
}

TEST_F(LabelTest, TextDrawnLargeAndScaledDownMatchesTextDrawnAtThatSize) {
    // The game writes text at 4× and scales by 0.25; it must look like text made at the small size.
    Label* scaled = Label::createWithTTF(TTFConfig(FONT, 80), "Hello 世界");
    scaled->setScale(0.25f);
    scaled->setAnchorPoint(Vec2(0, 1));  // top-left: both texts start at the same pixel row
    scaled->setPosition(100, 330);
    Label* direct = Label::createWithTTF(TTFConfig(FONT, 20), "Hello 世界");
    direct->setAnchorPoint(Vec2(0, 1));
    direct->setPosition(100, 130);
    scene_->addChild(scaled);
    scene_->addChild(direct);
    runFrames(1);
    int inked = 0, different = 0;
    for (int y = 0; y < 30; ++y)
        for (int x = 0; x < 120; ++x) {
            Pixel a = pixel(100 + x, 300 + y), b = pixel(100 + x, 100 + y);
            if (a.r > 200) ++inked;
            if (a.r != b.r) ++different;
        }
    EXPECT_GT(inked, 60) << "solid glyph strokes, not a smear";
    EXPECT_EQ(different, 0);
}

TEST_F(LabelTest, LabelColourOutlineAndOpacityReachThePixels) {
    Label* label = Label::createWithTTF(TTFConfig(FONT, 60, 4), "■");
    label->setTextColor(Color4B(255, 200, 0, 255));
    label->enableOutline(Color4B(0, 0, 255, 255));
    label->setPosition(480, 270);
    scene_->addChild(label);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(480, 270), Pixel{255, 200, 0, 255}, 4));
    // Somewhere left of the square's fill, the outline shows.
    bool outlineSeen = false;
    for (int x = 440; x < 480 && !outlineSeen; ++x)
        outlineSeen = colorNear(pixel(x, 270), Pixel{0, 0, 255, 255}, 8);
    EXPECT_TRUE(outlineSeen);
    label->setOpacity(0);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(480, 270), Pixel{0, 0, 0, 255}));
}
