// Tile maps as drawn: the shared sample maps against their tileset pictures (when the shared sample
// folder is there), layer order and properties, culling, pixel-snapped drawing on a perspective
// plane, and tile flips (the project's own maps).
#include <cmath>
#include <string>
#include <vector>

#include "engine/render/Renderer.h"
#include "engine/scene/Layer.h"
#include "engine/scene/Sprite.h"
#include "engine/scene/TMXTiledMap.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/Picture.h"
#include "tests/support/TestPaths.h"

using namespace engine;
using testsupport::Picture;
using testsupport::Pixel;
using testsupport::projectTestFile;
using testsupport::sharedTestFile;

namespace {

// Where a gid's tile sits in a tileset picture (the editor's layout: margin, then tiles separated by
// spacing, numbered row by row).
struct TilesetLayout {
    int tileW, tileH, margin, spacing, columns;
    int x(uint32_t gid) const { return margin + static_cast<int>((gid - 1) % columns) * (tileW + spacing); }
    int y(uint32_t gid) const { return margin + static_cast<int>((gid - 1) / columns) * (tileH + spacing); }
};

// Compares every frame pixel covered by the layer (drawn unscaled with its origin at `origin`)
// with the tileset picture; `expected` may post-process the picture's colour. Returns mismatches.
template <typename Frame, typename Expected>
int compareLayer(Frame frame, const TMXLayer& layer, const Picture& picture, const TilesetLayout& layout,
                 Vec2 origin, Expected expected) {
    int mismatches = 0;
    const int rows = static_cast<int>(layer.getLayerSize().height);
    for (int y = 0; y < 540; ++y)
        for (int x = 0; x < 960; ++x) {
            int lx = x - static_cast<int>(origin.x), ly = y - static_cast<int>(origin.y);
            int col = lx / layout.tileW, rowUp = ly / layout.tileH;
            if (lx < 0 || ly < 0 || col >= static_cast<int>(layer.getLayerSize().width) || rowUp >= rows)
                continue;
            uint32_t gid =
                layer.getTileGIDAt(Vec2(static_cast<float>(col), static_cast<float>(rows - 1 - rowUp)));
            Pixel source = gid == 0 ? Pixel{0, 0, 0, 0}
                                    : picture.at(layout.x(gid) + lx % layout.tileW,
                                                 layout.y(gid) + layout.tileH - 1 - ly % layout.tileH);
            if (!colorNear(frame(x, y), expected(source, x, y))) ++mismatches;
        }
    return mismatches;
}

}  // namespace

class TmxMapTest : public EngineFixture {};

TEST_F(TmxMapTest, TmxDesertMapDrawsEveryTileFromItsCellOfTheSpacedTileset) {
    SKIP_WITHOUT_SHARED_TEST_DATA();
    TMXTiledMap* map = TMXTiledMap::create(sharedTestFile("tiled/desert.tmx"));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->getMapSize(), Size(40, 40));
    EXPECT_EQ(map->getTileSize(), Size(32, 32));
    EXPECT_EQ(map->getContentSize(), Size(1280, 1280));
    EXPECT_EQ(map->getAnchorPoint(), Vec2::ANCHOR_BOTTOM_LEFT);
    TMXLayer* ground = map->getLayer("Ground");
    ASSERT_NE(ground, nullptr);
    EXPECT_EQ(ground->getLayerSize(), Size(40, 40));
    // A few cells read from the file independently.
    EXPECT_EQ(ground->getTileGIDAt(Vec2(0, 0)), 30u);
    EXPECT_EQ(ground->getTileGIDAt(Vec2(25, 23)), 47u);
    EXPECT_EQ(ground->getTileGIDAt(Vec2(22, 24)), 39u);
    EXPECT_EQ(ground->getTileGIDAt(Vec2(29, 29)), 42u);
    ASSERT_NE(ground->getTileSet(), nullptr);
    EXPECT_EQ(ground->getTileSet()->imagePath, sharedTestFile("tiled/tmw_desert_spacing.png"));

    scene_->addChild(map);
    runFrames(1);
    const Picture tileset = Picture::fromFile(sharedTestFile("tiled/tmw_desert_spacing.png"));
    ASSERT_TRUE(tileset.loaded());
    auto frame = [this](int x, int y) { return pixel(x, y); };
    int wrong = compareLayer(frame, *ground, tileset, TilesetLayout{32, 32, 1, 1, 8}, Vec2::ZERO,
                             [](Pixel c, int, int) {
                                 return blendOver(c, Pixel{0, 0, 0, 255});
                             });
    EXPECT_EQ(wrong, 0);
}

TEST_F(TmxMapTest, TmxSewersKeyOutTheTransparentColourAndBlendTheHalfSeenLayer) {
    SKIP_WITHOUT_SHARED_TEST_DATA();
    TMXTiledMap* map = TMXTiledMap::create(sharedTestFile("tiled/sewers.tmx"));
    ASSERT_NE(map, nullptr);
    TMXLayer* bottom = map->getLayer("Bottom");
    TMXLayer* top = map->getLayer("Top");
    ASSERT_TRUE(bottom && top);
    EXPECT_EQ(top->getOpacity(), 124) << "0.49 of 255, fraction dropped";
    EXPECT_EQ(bottom->getLocalZOrder(), 0);
    EXPECT_EQ(top->getLocalZOrder(), 1);
    // The busy part of the map is its top: show the top 540 pixels, over a backdrop that shows
    // through the keyed-out pixels.
    const Vec2 origin(0, 540 - 1200);
    const Pixel backdropColour{20, 40, 60, 255};
    Sprite* backdrop = Sprite::create();
    backdrop->setTextureRect(Rect(0, 0, 960, 540));
    backdrop->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
    backdrop->setColor(Color3B(backdropColour.r, backdropColour.g, backdropColour.b));
    scene_->addChild(backdrop);
    map->setPosition(origin);
    scene_->addChild(map);
    const Picture tileset = Picture::fromFile(sharedTestFile("tiled/sewer_tileset.png"));
    ASSERT_TRUE(tileset.loaded());
    auto keyed = [](Pixel c) { return (c.r == 255 && c.g == 0 && c.b == 255) ? Pixel{0, 0, 0, 0} : c; };
    const TilesetLayout layout{24, 24, 0, 0, 8};
    auto frame = [this](int x, int y) { return pixel(x, y); };

    top->setVisible(false);
    runFrames(1);
    std::vector<Pixel> bottomOnly(960 * 540);
    for (int y = 0; y < 540; ++y)
        for (int x = 0; x < 960; ++x)
            bottomOnly[y * 960 + x] = pixel(x, y);
    EXPECT_EQ(compareLayer(frame, *bottom, tileset, layout, origin,
                           [&](Pixel c, int, int) { return blendOver(keyed(c), backdropColour); }),
              0);

    top->setVisible(true);
    runFrames(1);
    int magenta = 0;
    for (int y = 0; y < 540; ++y)
        for (int x = 0; x < 960; ++x) {
            Pixel c = pixel(x, y);
            if (c.r == 255 && c.g == 0 && c.b == 255) ++magenta;
        }
    EXPECT_EQ(magenta, 0) << "the tileset's key colour never reaches the frame";
    EXPECT_EQ(compareLayer(
                  frame, *top, tileset, layout, origin,
                  [&](Pixel c, int x, int y) { return blendOver(keyed(c), bottomOnly[y * 960 + x], 124); }),
              0);

    // The pipes alone at full opacity: their opaque tiles are copied, the keyed-out parts still let
    // the backdrop through.
    bottom->setVisible(false);
    top->setOpacity(255);
    runFrames(1);
    EXPECT_EQ(compareLayer(frame, *top, tileset, layout, origin,
                           [&](Pixel c, int, int) { return blendOver(keyed(c), backdropColour); }),
              0);
}

TEST_F(TmxMapTest, TmxLayersTakeFileOrderAsZAndTagAndKeepTheirProperties) {
    TMXTiledMap* map = TMXTiledMap::create(projectTestFile("engine/data/tmx/stage.tmx"));
    ASSERT_NE(map, nullptr);
    // base 0; "ghost" is hidden (left out, no index); "empty" has no tile (left out, takes index 1).
    ASSERT_NE(map->getLayer("base"), nullptr);
    EXPECT_EQ(map->getLayer("ghost"), nullptr);
    EXPECT_EQ(map->getLayer("empty"), nullptr);
    ASSERT_NE(map->getLayer("objectA"), nullptr);
    ASSERT_NE(map->getLayer("NEAR"), nullptr);
    EXPECT_EQ(map->getChildrenCount(), 3u);
    EXPECT_EQ(map->getLayer("base")->getLocalZOrder(), 0);
    EXPECT_EQ(map->getLayer("base")->getTag(), 0);
    EXPECT_EQ(map->getLayer("objectA")->getLocalZOrder(), 2);
    EXPECT_EQ(map->getLayer("objectA")->getTag(), 2);
    EXPECT_EQ(map->getLayer("NEAR")->getLocalZOrder(), 3);
    EXPECT_EQ(map->getLayer("NEAR")->getTag(), 3);
    EXPECT_EQ(map->getLayer("objectA")->getOpacity(), 127);
    EXPECT_EQ(map->getContentSize(), Size(160, 128));

    EXPECT_EQ(map->getProperty("music").asString(), "stage01");
    EXPECT_EQ(map->getLayer("objectA")->getProperty("note").asString(), "half seen");
    EXPECT_TRUE(map->getPropertiesForGID(3).asValueMap().at("solid").asBool());
    EXPECT_TRUE(map->getPropertiesForGID(1).isNull());

    // The external tileset (in a sub-folder, its picture named relative to it) draws. Its tiles are
    // 8 pixels and the map's cells 16: each tile fills the lower-left quarter of its cell.
    scene_->addChild(map);
    runFrames(1);
    EXPECT_TRUE(colorNear(pixel(1, 6), Pixel{255, 0, 0, 255}));      // tile 1, top-left quadrant
    EXPECT_TRUE(colorNear(pixel(6, 1), Pixel{255, 255, 255, 255}));  // tile 1, bottom-right
    EXPECT_TRUE(colorNear(pixel(9, 1), Pixel{0, 0, 0, 255}));        // rest of the cell is empty
    EXPECT_TRUE(colorNear(pixel(17, 6), Pixel{255, 255, 0, 255}));   // tile 2, top-left
    // objectA: tile 2 at column 2, row 6 (from the top), drawn at half opacity over the black backdrop.
    EXPECT_TRUE(colorNear(pixel(33, 22), Pixel{127, 127, 0, 255}));
}

TEST_F(TmxMapTest, TmxMissingLayersGroupsAndFilesGiveNullNotACrash) {
    TMXTiledMap* map = TMXTiledMap::create(projectTestFile("engine/data/tmx/stage.tmx"));
    ASSERT_NE(map, nullptr);
    EXPECT_EQ(map->getLayer("nope"), nullptr);
    EXPECT_EQ(map->getObjectGroup("nope"), nullptr);
    EXPECT_EQ(map->getObjectGroup(""), nullptr);
    testing::internal::CaptureStderr();
    EXPECT_EQ(TMXTiledMap::create("no/such/map.tmx"), nullptr);
    EXPECT_EQ(TMXTiledMap::create(""), nullptr);
    std::string messages = testing::internal::GetCapturedStderr();
    EXPECT_NE(messages.find("no/such/map.tmx"), std::string::npos) << messages;
    EXPECT_NE(messages.find("not found"), std::string::npos) << messages;
}

TEST_F(TmxMapTest, TmxGetTileGidStripsTheFlipBitsAndHandsThemBack) {
    TMXTiledMap* map = TMXTiledMap::create(projectTestFile("engine/data/tmx/grid_csv.tmx"));
    ASSERT_NE(map, nullptr);
    TMXLayer* grid = map->getLayer("grid");
    ASSERT_NE(grid, nullptr);
    TMXTileFlags flags{};
    EXPECT_EQ(grid->getTileGIDAt(Vec2(3, 0), &flags), 1u);
    EXPECT_EQ(flags, TMXTileHorizontalFlag | TMXTileVerticalFlag);
    EXPECT_EQ(grid->getTileGIDAt(Vec2(4, 2), &flags), 3u);
    EXPECT_EQ(flags, TMXTileHorizontalFlag);
    EXPECT_EQ(grid->getTileGIDAt(Vec2(1, 1), &flags), 2u);
    EXPECT_EQ(flags, 0u);
    EXPECT_EQ(grid->getTileGIDAt(Vec2(8, 0)), 0u);
    EXPECT_EQ(grid->getTileGIDAt(Vec2(-1, 0)), 0u);
    EXPECT_EQ(grid->getTileGIDAt(Vec2(0, 3)), 0u);
    EXPECT_EQ(grid->getPositionAt(Vec2(2, 0)), Vec2(16, 16));
}

TEST_F(TmxMapTest, TmxDrawsOnlyTheTilesOnScreenInOneBatch) {
    // 160 × 120 opaque 8-pixel tiles, drawn four times as large (tile 2 of the tileset, with its magenta
    // quadrant, is not used).
    TMXTiledMap* map = TMXTiledMap::create(projectTestFile("engine/data/tmx/field.tmx"));
    ASSERT_NE(map, nullptr);
    map->setScale(4);
    TMXLayer* ground = map->getLayer("ground");
    ASSERT_NE(ground, nullptr);
    scene_->addChild(map);
    runFrames(1);
    // 960 × 540 of 32-pixel cells: 30 columns, 17 rows (the top one in part).
    EXPECT_EQ(ground->getDrawnTileCount(), 30 * 17);
    EXPECT_EQ(Director::getInstance()->getRenderer()->getBatchCount(), 1);

    map->setPosition(-6000, 0);
    runFrames(1);
    EXPECT_EQ(ground->getDrawnTileCount(), 0);

    // On the play plane (z 230, about twice the size) only about a quarter of that shows. A magenta
    // backdrop shows wherever the map leaves a gap.
    RefPtr<TMXTiledMap> keep(map);
    map->removeFromParent();
    Sprite* backdrop = Sprite::create();
    backdrop->setTextureRect(Rect(0, 0, 960, 540));
    backdrop->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
    backdrop->setColor(Color3B(255, 0, 255));
    scene_->addChild(backdrop);
    Layer* plane = Layer::create();
    plane->setPositionZ(230);
    plane->setPosition(-300.37f, -400.61f);
    plane->addChild(map);
    map->setPosition(Vec2::ZERO);
    scene_->addChild(plane);
    runFrames(1);
    const float s = Director::getInstance()->getRenderer()->perspectiveScale(230);
    const int columns = static_cast<int>(std::ceil(960 / s / 32)) + 1;
    const int rows = static_cast<int>(std::ceil(540 / s / 32)) + 1;
    EXPECT_GT(ground->getDrawnTileCount(), 0);
    EXPECT_LE(ground->getDrawnTileCount(), columns * rows);
    // Neighbouring tiles meet exactly at this fractional scale and offset: the opaque map covers the
    // whole frame.
    int gaps = 0;
    for (int y = 0; y < 540; ++y)
        for (int x = 0; x < 960; ++x) {
            Pixel c = pixel(x, y);
            if (c.r == 255 && c.g == 0 && c.b == 255) ++gaps;
        }
    EXPECT_EQ(gaps, 0);
}

namespace {

// Tile 1 of quads.png shows four quadrants: red top-left, green top-right, blue bottom-left and white
// bottom-right.
const Pixel RED{255, 0, 0, 255}, GREEN{0, 255, 0, 255}, BLUE{0, 0, 255, 255}, WHITE{255, 255, 255, 255};

struct Quadrants {
    Pixel topLeft, topRight, bottomLeft, bottomRight;
};

// Quadrants of a 32-pixel cell whose lower-left corner is on screen at (x, y).
template <typename Frame>
::testing::AssertionResult showsQuadrants(Frame frame, int x, int y, const Quadrants& q) {
    struct {
        int dx, dy;
        Pixel want;
        const char* name;
    } checks[] = {{8, 24, q.topLeft, "top-left"},
                  {24, 24, q.topRight, "top-right"},
                  {8, 8, q.bottomLeft, "bottom-left"},
                  {24, 8, q.bottomRight, "bottom-right"}};
    for (const auto& c : checks) {
        auto result = colorNear(frame(x + c.dx, y + c.dy), c.want);
        if (!result) return result << " in the " << c.name << " quadrant of the cell at " << x << "," << y;
    }
    return ::testing::AssertionSuccess();
}

// The top row of grid_csv.tmx holds tile 1 with every flip combination, in this order. What the map
// editor shows for each: horizontal mirrors left-right, vertical top-bottom, diagonal swaps the
// picture's x and y (top-right and bottom-left trade places) before the other two.
const Quadrants FLIPPED[8] = {
    {RED, GREEN, BLUE, WHITE},  // none
    {GREEN, RED, WHITE, BLUE},  // H
    {BLUE, WHITE, RED, GREEN},  // V
    {WHITE, BLUE, GREEN, RED},  // H+V
    {RED, BLUE, GREEN, WHITE},  // D
    {BLUE, RED, WHITE, GREEN},  // D+H (a quarter turn clockwise)
    {GREEN, WHITE, RED, BLUE},  // D+V (a quarter turn anticlockwise)
    {WHITE, GREEN, BLUE, RED},  // D+H+V
};

}  // namespace

TEST_F(TmxMapTest, TmxFlippedTilesShowTheirPictureTurnedAsTheEditorDoes) {
    TMXTiledMap* map = TMXTiledMap::create(projectTestFile("engine/data/tmx/grid_csv.tmx"));
    ASSERT_NE(map, nullptr);
    map->setScale(4);  // 32-pixel cells
    map->setPosition(40, 40);
    scene_->addChild(map);
    runFrames(1);
    auto frame = [this](int x, int y) { return pixel(x, y); };
    // Top row of the three: lower-left corner at y = 40 + 2 × 32.
    for (int i = 0; i < 8; ++i)
        EXPECT_TRUE(showsQuadrants(frame, 40 + 32 * i, 104, FLIPPED[i])) << i;

    // The same on the perspective plane, where tiles are snapped to the pixel grid.
    RefPtr<TMXTiledMap> keep(map);
    Layer* plane = Layer::create();
    plane->setPositionZ(230);
    map->removeFromParent();
    map->setScale(2);  // about 4 on screen
    map->setPosition(300, 250);
    plane->addChild(map);
    scene_->addChild(plane);
    runFrames(1);
    const Renderer* renderer = Director::getInstance()->getRenderer();
    for (int i = 0; i < 8; ++i) {
        Vec2 corner = renderer->project(Vec2(300 + 16.0f * i, 250 + 32.0f), 230);
        Vec2 far = renderer->project(Vec2(300 + 16.0f * (i + 1), 250 + 48.0f), 230);
        int cx = static_cast<int>(corner.x), cy = static_cast<int>(corner.y);
        int w = static_cast<int>(far.x - corner.x), h = static_cast<int>(far.y - corner.y);
        EXPECT_TRUE(colorNear(pixel(cx + w / 4, cy + 3 * h / 4), FLIPPED[i].topLeft)) << i;
        EXPECT_TRUE(colorNear(pixel(cx + 3 * w / 4, cy + 3 * h / 4), FLIPPED[i].topRight)) << i;
        EXPECT_TRUE(colorNear(pixel(cx + w / 4, cy + h / 4), FLIPPED[i].bottomLeft)) << i;
        EXPECT_TRUE(colorNear(pixel(cx + 3 * w / 4, cy + h / 4), FLIPPED[i].bottomRight)) << i;
    }
}

TEST_F(TmxMapTest, TmxMirroredAndTurnedMapsCarryTheirTilesAlong) {
    TMXTiledMap* mirrored = TMXTiledMap::create(projectTestFile("engine/data/tmx/grid_csv.tmx"));
    TMXTiledMap* turned = TMXTiledMap::create(projectTestFile("engine/data/tmx/grid_csv.tmx"));
    ASSERT_TRUE(mirrored && turned);
    // Mirrored left-right about x = 400: the cell of column 0, row 0 spans x 368..400.
    mirrored->setScale(-4, 4);
    mirrored->setPosition(400, 40);
    scene_->addChild(mirrored);
    // A quarter turn clockwise about the origin at (600, 400): column 0, row 0 (map y 16..24) lands
    // at x 600 + 64..96, y 400 - 0..32.
    turned->setScale(4);
    turned->setRotation(90);
    turned->setPosition(600, 400);
    scene_->addChild(turned);
    runFrames(1);
    auto frame = [this](int x, int y) { return pixel(x, y); };
    EXPECT_TRUE(showsQuadrants(frame, 368, 104, {GREEN, RED, WHITE, BLUE}));
    // Diagonal + horizontal (column 5) mirrored: the plain mirror of a clockwise turn.
    EXPECT_TRUE(showsQuadrants(frame, 400 - 32 * 6, 104, {RED, BLUE, GREEN, WHITE}));
    EXPECT_TRUE(showsQuadrants(frame, 664, 368, {BLUE, RED, WHITE, GREEN}));
}
