// Object groups of a map: positions turned to a lower-left origin, sizes, names, types and
// properties as the game reads them (tests/engine/data/tmx/stage.tmx: 10 × 8 cells of 16 pixels,
// so the map is 128 high).
#include <string>

#include "engine/scene/TMXTiledMap.h"
#include "tests/support/EngineFixture.h"
#include "tests/support/TestPaths.h"

using namespace engine;
using testsupport::projectTestFile;

namespace {

class TmxObjectGroupTest : public EngineFixture {
protected:
    void SetUp() override {
        EngineFixture::SetUp();
        map_ = TMXTiledMap::create(projectTestFile("engine/data/tmx/stage.tmx"));
        ASSERT_NE(map_, nullptr);
    }

    // The object of a group with the given "id" attribute.
    ValueMap object(const std::string& group, const std::string& id) const {
        for (const Value& entry : map_->getObjectGroup(group)->getObjects()) {
            const ValueMap& object = entry.asValueMap();
            if (object.at("id").asString() == id) return object;
        }
        ADD_FAILURE() << "no object " << id << " in " << group;
        return ValueMap();
    }

    TMXTiledMap* map_ = nullptr;
};

// x, y, width, height as the game reads them.
::testing::AssertionResult placed(const ValueMap& o, float x, float y, float w, float h) {
    float got[4] = {o.at("x").asFloat(), o.at("y").asFloat(), o.at("width").asFloat(),
                    o.at("height").asFloat()};
    if (got[0] == x && got[1] == y && got[2] == w && got[3] == h) return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "got (" << got[0] << ", " << got[1] << ", " << got[2] << ", " << got[3] << ") expected (" << x
           << ", " << y << ", " << w << ", " << h << ")";
}

}  // namespace

TEST_F(TmxObjectGroupTest, RectanglesGetTheirLowerLeftCornerInMapSpace) {
    TMXObjectGroup* collision = map_->getObjectGroup("collision");
    ASSERT_NE(collision, nullptr);
    EXPECT_EQ(collision->getGroupName(), "collision");
    ASSERT_EQ(collision->getObjects().size(), 3u);
    // y = 128 − tmxY − tmxHeight.
    EXPECT_TRUE(placed(object("collision", "1"), 0, 0, 160, 16));
    // Fractions are dropped before converting: x 32.7 → 32; y 128 − 40 − 48 = 40.
    EXPECT_TRUE(placed(object("collision", "2"), 32, 40, 16, 48));
    // A polygon has no size: y 128 − 64.
    EXPECT_TRUE(placed(object("collision", "3"), 48, 64, 0, 0));
}

TEST_F(TmxObjectGroupTest, GroupOffsetShiftsEveryObjectByWholeTiles) {
    // The "object" group has x 1, y 2: +16 in x, −32 in y.
    TMXObjectGroup* markers = map_->getObjectGroup("object");
    ASSERT_NE(markers, nullptr);
    EXPECT_EQ(markers->getPositionOffset(), Vec2(16, 32));
    EXPECT_TRUE(placed(object("object", "4"), 36, 6, 0, 0));    // point: 128 − 90 − 32
    EXPECT_TRUE(placed(object("object", "5"), 80, 0, 16, 16));  // 128 − 80 − 32 − 16
    EXPECT_TRUE(placed(object("object", "6"), 116, 68, 8, 8));  // 128 − 20 − 32 − 8
    // A tile object, which the editor anchors at its bottom, ends up one height low, as map content
    // expects (128 − 56 − 32 − 8).
    EXPECT_TRUE(placed(object("object", "7"), 56, 32, 8, 8));
    // Negative fractions are cut towards zero: y 128 − (−3) − 32 − 3.
    EXPECT_FLOAT_EQ(object("object", "8").at("y").asFloat(), 96);
}

TEST_F(TmxObjectGroupTest, NamesTypesAndPropertiesReadAsText) {
    ValueMap wall = object("collision", "2");
    EXPECT_EQ(wall.at("name").asString(), "wall");
    EXPECT_EQ(wall.at("type").asString(), "collision") << "newer editors write class=";
    EXPECT_EQ(wall.at("rotate").getType(), Value::Type::STRING);
    EXPECT_FLOAT_EQ(wall.at("rotate").asFloat(), 15);
    EXPECT_EQ(object("object", "6").at("type").asString(), "7") << "type wins over class";
    EXPECT_EQ(object("object", "5").at("type").asString(), "12");
    EXPECT_TRUE(object("object", "5").at("isBoss").asBool());
    EXPECT_EQ(object("object", "5").at("gid").getType(), Value::Type::NONE);

    ValueMap tile = object("object", "7");
    EXPECT_TRUE(tile.at("name").isNull());
    EXPECT_EQ(tile.at("name").asString(), "");
    EXPECT_TRUE(tile.at("type").isNull());
    EXPECT_EQ(tile.at("gid").asString(), "2");

    ValueMap note = object("object", "8");
    EXPECT_EQ(note.at("x").asString(), "999") << "a property named like a built-in key replaces it";
    EXPECT_DOUBLE_EQ(note.at("rotation").asDouble(), 45.5);
    EXPECT_EQ(note.at("text").asString(), "first line\nsecond line");
    EXPECT_DOUBLE_EQ(object("collision", "1").at("rotation").asDouble(), 0.0);
}

TEST_F(TmxObjectGroupTest, PolygonAndPolylinePointsStayRelativeAndYDown) {
    const ValueVector& points = object("collision", "3").at("points").asValueVector();
    ASSERT_EQ(points.size(), 3u);
    EXPECT_EQ(points[1].asValueMap().at("x").asInt(), 32);
    EXPECT_EQ(points[1].asValueMap().at("y").asInt(), 16);
    const ValueVector& line = object("object", "8").at("polylinePoints").asValueVector();
    ASSERT_EQ(line.size(), 2u);
    EXPECT_EQ(line[1].asValueMap().at("y").asInt(), -4);
}

TEST_F(TmxObjectGroupTest, LookupByNameAndGroupProperties) {
    TMXObjectGroup* markers = map_->getObjectGroup("object");
    ASSERT_NE(markers, nullptr);
    EXPECT_EQ(markers->getObject("enemy").at("id").asString(), "5");
    EXPECT_TRUE(markers->getObject("nobody").empty());
    EXPECT_EQ(markers->getProperty("kind").asString(), "markers");
    EXPECT_TRUE(markers->getProperty("missing").isNull());
    EXPECT_EQ(map_->getObjectGroups().size(), 2u);
}
