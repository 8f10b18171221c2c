// The global z order: draws sorted by it first, the tree order (local z, arrival, negative z behind
// the parent) kept among draws of equal global order. Checked on drawn pixels.
#include "engine/scene/Sprite.h"
#include "tests/support/EngineFixture.h"

using namespace engine;

namespace {

class GlobalZOrderTest : public EngineFixture {
protected:
    Sprite* block(Node* parent, float x, float y, Color3B color, int z = 0) {
        Sprite* s = Sprite::create();
        s->setTextureRect(Rect(0, 0, 40, 40));
        s->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
        s->setPosition(x, y);
        s->setColor(color);
        parent->addChild(s, z);
        return s;
    }
    bool shows(int x, int y, Color3B color) {
        return testsupport::colorNear(pixel(x, y), testsupport::Pixel{color.r, color.g, color.b, 255});
    }

    const Color3B red{200, 0, 0};
    const Color3B green{0, 200, 0};
    const Color3B blue{0, 0, 200};
};

TEST_F(GlobalZOrderTest, AHigherGlobalOrderDrawsOverAHigherLocalOrderElsewhereInTheTree) {
    Sprite* low = block(scene_, 100, 100, red, 0);
    block(scene_, 100, 100, green, 5);
    runFrames(1);
    EXPECT_TRUE(shows(120, 120, green));
    low->setGlobalZOrder(1);
    runFrames(1);
    EXPECT_TRUE(shows(120, 120, red));
    EXPECT_FLOAT_EQ(low->getGlobalZOrder(), 1.0f);
}

TEST_F(GlobalZOrderTest, ANegativeGlobalOrderDrawsBehindTheWholeTree) {
    Sprite* parent = block(scene_, 100, 100, red);
    Sprite* child = block(parent, 0, 0, blue, 3);  // over its parent by local z
    runFrames(1);
    EXPECT_TRUE(shows(120, 120, blue));
    child->setGlobalZOrder(-1);
    runFrames(1);
    EXPECT_TRUE(shows(120, 120, red));
    // Even behind a node added to the scene before its parent.
    Sprite* first = block(scene_, 300, 100, green, -10);
    Sprite* late = block(scene_, 0, 0, blue, 10);
    late->setPosition(300, 100);
    late->setGlobalZOrder(-2);
    runFrames(1);
    EXPECT_TRUE(shows(320, 120, green));
    first->setGlobalZOrder(-3);
    runFrames(1);
    EXPECT_TRUE(shows(320, 120, blue));
}

TEST_F(GlobalZOrderTest, EqualGlobalOrdersKeepTheTreeOrder) {
    // Both lifted to the same global order: local z, arrival and "negative z behind the parent"
    // decide as they do without one.
    Sprite* parent = block(scene_, 100, 100, red);
    block(parent, 0, 0, blue, -1);
    Sprite* a = block(scene_, 300, 100, green, 2);
    Sprite* b = block(scene_, 300, 100, blue, 1);
    Sprite* c = block(scene_, 500, 100, red, 1);
    Sprite* d = block(scene_, 500, 100, green, 1);
    for (Sprite* s : {parent, a, b, c, d})
        s->setGlobalZOrder(4);
    runFrames(1);
    EXPECT_TRUE(shows(120, 120, red));
    EXPECT_TRUE(shows(320, 120, green));
    EXPECT_TRUE(shows(520, 120, green));
}

TEST_F(GlobalZOrderTest, ChildrenFollowTheirParentsOrderUnlessGivenTheirOwn) {
    Sprite* character = block(scene_, 100, 100, red, -5);
    Sprite* part = block(character, 0, 0, blue);  // the visible piece of the character
    Sprite* shade = block(character, 40, 0, blue);
    block(scene_, 100, 100, green, 5);
    block(scene_, 140, 100, green, 5);
    runFrames(1);
    EXPECT_TRUE(shows(120, 120, green));
    character->setGlobalZOrder(2);
    shade->setGlobalZOrder(0);
    runFrames(1);
    EXPECT_TRUE(shows(120, 120, blue));   // the part comes along with its parent
    EXPECT_TRUE(shows(160, 120, green));  // the shade keeps the order it was given
    EXPECT_FALSE(part->hasGlobalZOrder());
    EXPECT_TRUE(shade->hasGlobalZOrder());
}

TEST_F(GlobalZOrderTest, HiddenNodesStayHiddenWhateverTheirOrder) {
    Sprite* parent = block(scene_, 100, 100, red);
    Sprite* child = block(parent, 0, 0, blue);
    child->setGlobalZOrder(9);
    parent->setVisible(false);
    runFrames(1);
    EXPECT_TRUE(shows(120, 120, Color3B(0, 0, 0)));
}

}  // namespace
