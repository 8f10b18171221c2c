// The stage map: layer order, collision boxes, the object group's markers and sensor tags, broken and
// incomplete maps, the marker numbers, and the weakly held character list.
#include "engine/physics/PhysicsBody.h"
#include "engine/tilemap/TMXTiledMap.h"
#include "tests/support/CharacterFixture.h"

using namespace vastomer;

namespace {

struct Body {
    std::string name;
    int bodyTag;
    int nodeTag;
    int contactTest;
    int collision;
    engine::Rect rect;
};

std::vector<Body> bodiesOf(ActionMap* map) {
    std::vector<Body> bodies;
    for (engine::Node* node : map->getMapRoot()->getChildren()) {
        engine::PhysicsBody* body = node->getPhysicsBody();
        if (!body) continue;
        bodies.push_back({body->getName(), body->getTag(), node->getTag(), body->getContactTestBitmask(),
                          body->getCollisionBitmask(),
                          engine::Rect(node->getPosition(), node->getContentSize())});
    }
    return bodies;
}

}  // namespace

using ActionMapTest = CharacterFixture;

TEST_F(ActionMapTest, MarkersGiveTheStartAppearPointsAndSensorTags) {
    testing::internal::CaptureStderr();
    ASSERT_TRUE(map_->loadMap("data/map/markers.tmx"));
    map_->buildCollision();
    map_->readObjects();
    const std::string errors = testing::internal::GetCapturedStderr();

    EXPECT_EQ(map_->getStartPosition(), engine::Vec2(30, 40));
    EXPECT_EQ(map_->getAppearPosition(2), engine::Vec2(120, 44)) << "a later appear point replaces one";
    EXPECT_EQ(map_->getAppearPosition(3), engine::Vec2(130, 40)) << "\"+3\" is the number 3";
    EXPECT_EQ(map_->getAppearPosition(7), map_->getStartPosition()) << "a missing one falls back";

    std::vector<std::pair<int, int>> moves;
    int scenarioTag = -100;
    for (const Body& body : bodiesOf(map_)) {
        if (body.name == "move") {
            moves.emplace_back(body.bodyTag, body.nodeTag);
            EXPECT_EQ(body.contactTest, 1);
            EXPECT_EQ(body.collision, 0) << "sensors stop nothing";
        }
        if (body.name == "scenario") scenarioTag = body.nodeTag;
    }
    EXPECT_EQ(moves, (std::vector<std::pair<int, int>>{{12, -1}, {3, 2}, {0, -1}, {0, -1}}));
    EXPECT_EQ(scenarioTag, 7);
    EXPECT_NE(errors.find("markers.tmx: object"), std::string::npos) << "an overflowing number is reported";
    EXPECT_NE(errors.find("99999999999"), std::string::npos);

    // "abc" is no creature; 1, 101 (the group boss) and 2 are, each with its running index.
    EXPECT_EQ(map_->getCreatureMarkerCount(), 3 + 1);
    EXPECT_EQ(map_->getMarkerCharacterCount(), 3);
    EXPECT_TRUE(map_->isGroupBossPresent());
    std::vector<int> ids, indexes;
    for (CharacterSprite* character : map_->getCharacters()) {
        ids.push_back(character->getCharacterId());
        indexes.push_back(character->getSpawnIndex());
    }
    EXPECT_EQ(ids, (std::vector<int>{1, 101, 2}));
    EXPECT_EQ(indexes, (std::vector<int>{0, 1, 2}));
    CharacterSprite* boss = map_->getBoss();
    ASSERT_NE(boss, nullptr);
    EXPECT_EQ(boss->getSpawnKind(), "groupBoss");
    EXPECT_EQ(boss->getPhysicsBody()->getCollisionBitmask(), 0) << "the group boss touches nothing";
    EXPECT_EQ(boss->getPhysicsBody()->getContactTestBitmask(), 0);
    EXPECT_FALSE(boss->getDefeatCallback()) << "the boss is not its own minion";
    for (CharacterSprite* character : map_->getCharacters()) {
        if (character != boss) {
            EXPECT_TRUE(character->getDefeatCallback()) << character->getCharacterId();
        }
    }
}

TEST_F(ActionMapTest, CollisionBoxesNeedAreaAndReportContactsOnlyWhenTypedCollision) {
    ASSERT_TRUE(map_->loadMap("data/map/markers.tmx"));
    map_->buildCollision();
    std::vector<Body> boxes;
    for (const Body& body : bodiesOf(map_))
        boxes.push_back(body);
    ASSERT_EQ(boxes.size(), 2u) << "boxes of width or height 0 make no body";
    EXPECT_EQ(boxes[0].name, "ground");
    EXPECT_EQ(boxes[0].contactTest, 1);
    EXPECT_EQ(boxes[0].rect.origin, engine::Vec2(0, 0));
    EXPECT_EQ(boxes[0].rect.size, engine::Size(320, 16));
    EXPECT_EQ(boxes[1].name, "wall");
    EXPECT_EQ(boxes[1].contactTest, 0) << "type \"decor\" collides but reports nothing";
    EXPECT_NE(boxes[1].collision, 0);
}

TEST_F(ActionMapTest, TileLayersAndCharacterLayersAreDrawnInTheirOrder) {
    engine::TMXTiledMap* tiled = map_->getTiledMap();
    ASSERT_NE(tiled, nullptr);
    EXPECT_EQ(tiled->getLayer("base")->getLocalZOrder(), ActionMap::BASE_Z);
    EXPECT_EQ(map_->getBackLayer()->getLocalZOrder(), 4);
    EXPECT_EQ(map_->getCharacterLayer()->getLocalZOrder(), 5);
    EXPECT_EQ(map_->getFrontLayer()->getLocalZOrder(), 6);
    EXPECT_EQ(map_->getCharacterLayer()->getParent(), tiled);
}

TEST_F(ActionMapTest, AMapThatCannotBeReadIsAnEmptyMap) {
    CharacterSprite* walker = spawn(1, {100, 60});
    ASSERT_NE(walker, nullptr);
    engine::WeakRef<CharacterSprite> old(walker);
    testing::internal::CaptureStderr();
    EXPECT_FALSE(map_->loadMap("data/map/md_0042_01.tmx"));
    map_->buildCollision();
    map_->readObjects();
    const std::string errors = testing::internal::GetCapturedStderr();
    EXPECT_NE(errors.find("md_0042_01.tmx"), std::string::npos);
    EXPECT_EQ(map_->getMapFile(), "data/map/md_0042_01.tmx");
    EXPECT_EQ(map_->getTiledMap(), nullptr);
    ASSERT_NE(map_->getCharacterLayer(), nullptr) << "the layers are there for the player";
    EXPECT_TRUE(bodiesOf(map_).empty());
    EXPECT_EQ(map_->getStartPosition(), engine::Vec2::ZERO);
    runFrames(2);
    EXPECT_FALSE(old) << "the old map's characters went with it";

    testing::internal::CaptureStderr();
    EXPECT_TRUE(map_->loadMap("data/map/no_groups.tmx"));
    map_->buildCollision();
    map_->readObjects();
    EXPECT_NE(testing::internal::GetCapturedStderr().find("no object group"), std::string::npos);
    EXPECT_TRUE(bodiesOf(map_).empty());
    EXPECT_EQ(map_->getMarkerCharacterCount(), 0);
}

TEST_F(ActionMapTest, MarkerNumbersFollowThePatternAndTheLeadingInteger) {
    EXPECT_TRUE(ActionMap::isNumber("12"));
    EXPECT_TRUE(ActionMap::isNumber("-3"));
    EXPECT_TRUE(ActionMap::isNumber("1.5"));
    EXPECT_TRUE(ActionMap::isNumber("1a5")) << "the pattern's dot stands for any character";
    EXPECT_FALSE(ActionMap::isNumber("abc"));
    EXPECT_FALSE(ActionMap::isNumber(""));
    EXPECT_TRUE(ActionMap::isNumber("3:2"));
    EXPECT_FALSE(ActionMap::isNumber("3::2"));
    EXPECT_EQ(ActionMap::numberIn("1.5"), 1);
    EXPECT_EQ(ActionMap::numberIn("-3"), -3);
    EXPECT_EQ(ActionMap::numberIn("x"), 0);
    bool problem = false;
    EXPECT_EQ(ActionMap::numberIn(".5", &problem), 0);
    EXPECT_TRUE(problem) << "looks like a number but has no leading digits";
    EXPECT_EQ(ActionMap::numberIn("2147483648", &problem), 0);
    EXPECT_TRUE(problem);
    EXPECT_EQ(ActionMap::numberIn("-2147483648", &problem), -2147483647 - 1);
    EXPECT_FALSE(problem);
}

TEST_F(ActionMapTest, CharactersAreHeldWeaklyAndLandingChecksStopAtTheFirstAirborne) {
    CharacterSprite* first = spawn(1, {100, 60});
    CharacterSprite* second = spawn(1, {200, 60});
    CharacterSprite* third = spawn(1, {300, 200});
    ASSERT_TRUE(settle(first));
    ASSERT_TRUE(settle(second));
    third->setPosition(300.0f, 250.0f);
    third->setGravityActive(false);
    // The first airborne character ends the walk: the ones after it are not touched.
    CharacterSprite* fourth = spawn(1, {400, 250});
    fourth->setGravityActive(false);
    EXPECT_FALSE(map_->allCharactersLanded());
    EXPECT_TRUE(third->isGravityActive());
    EXPECT_FALSE(fourth->isGravityActive());

    second->setIsBoss(true);
    EXPECT_EQ(map_->getBoss(), second);
    EXPECT_TRUE(map_->hasCharacterNamed("SPROUTLING"));
    EXPECT_TRUE(map_->hasCharacterNamed("enemy"));
    EXPECT_FALSE(map_->hasCharacterNamed("GATETOAD"));
    second->removeFromParent();
    runFrames(1);
    EXPECT_EQ(map_->getCharacters().size(), 3u) << "a character gone from the map drops out of the list";
    EXPECT_EQ(map_->getBoss(), nullptr);

    map_->setActionLocked(true);
    for (CharacterSprite* c : map_->getCharacters())
        EXPECT_TRUE(c->isActionLocked());
    map_->pauseCharacters();
    EXPECT_TRUE(first->isPaused());
    map_->resumeCharacters();
    EXPECT_FALSE(first->isPaused());
    map_->landAllCharacters();
    EXPECT_TRUE(map_->allCharactersLanded());
}
