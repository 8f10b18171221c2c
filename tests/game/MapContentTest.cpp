// The tile maps of the built resource tree, read with the engine's TMX reader: every map the game
// names is there and loads with both object groups and one start marker; its tiles are drawn tiles
// of its tilesets; the collision boxes cover exactly the tiles marked solid, so what the player sees
// is what she stands on; no column lets a character fall out of the map; move sensors lead to parts
// of the stage and to appear points that exist; creatures exist in the character table and the boss
// part holds one boss (an "enemy" with isBoss, or a group boss with its minions); markers stand clear
// of the ground; every tile marked solid is fully opaque, so no backdrop shows through the ground.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "engine/tilemap/TMXParser.h"
#include "engine/tilemap/TMXTiledMap.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TestPaths.h"

namespace {

constexpr int TILE = 16;
const char* const TILE_LAYERS[] = {"base", "objectA", "objectB", "NEAR"};

// A rectangle or point of an object group, in map space (origin at the lower left).
struct MapObject {
    std::string name;
    std::string type;
    float x = 0, y = 0, w = 0, h = 0;
    bool isBoss = false;

    bool isPoint() const { return w == 0 && h == 0; }
    // The point lies inside the rectangle, not on its border.
    bool holds(float px, float py) const { return px > x && px < x + w && py > y && py < y + h; }
    bool overlaps(const MapObject& o) const {
        return x < o.x + o.w && o.x < x + w && y < o.y + o.h && o.y < y + h;
    }
};

struct ShippedMap {
    std::string file;  // as the game names it: "data/map/md_0001_02.tmx"
    int stage = -1;
    int part = -1;
    engine::TMXMapInfo info;
    bool loaded = false;
    bool hasCollisionGroup = false;
    bool hasObjectGroup = false;
    std::vector<MapObject> boxes;    // the "collision" group
    std::vector<MapObject> markers;  // the "object" group
    int columns() const { return static_cast<int>(info.mapSize.width); }
    int rows() const { return static_cast<int>(info.mapSize.height); }
};

bool isDecimal(const std::string& text) {
    return !text.empty() && text.size() < 10 && text.find_first_not_of("0123456789") == std::string::npos;
}

std::vector<MapObject> readGroup(const engine::TMXTiledMap& map, const char* group) {
    std::vector<MapObject> objects;
    const engine::TMXObjectGroup* found = map.getObjectGroup(group);
    if (!found) return objects;
    for (const engine::Value& value : found->getObjects()) {
        const engine::ValueMap& object = value.asValueMap();
        auto text = [&](const char* key) {
            auto it = object.find(key);
            return it == object.end() || it->second.isNull() ? std::string() : it->second.asString();
        };
        auto number = [&](const char* key) {
            auto it = object.find(key);
            return it == object.end() ? 0.0f : it->second.asFloat();
        };
        MapObject o;
        o.name = text("name");
        o.type = text("type");
        o.x = number("x");
        o.y = number("y");
        o.w = number("width");
        o.h = number("height");
        o.isBoss = text("isBoss") == "true";
        objects.push_back(o);
    }
    return objects;
}

class MapContentTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        data_ = vastomer::DataManager::getInstance();
        ASSERT_NE(data_, nullptr);
        const std::filesystem::path folder =
            std::filesystem::path(testsupport::runtimeDir()) / "res/data/map";
        ASSERT_TRUE(std::filesystem::is_directory(folder)) << folder;
        std::set<std::string> names;
        for (const auto& entry : std::filesystem::directory_iterator(folder))
            if (entry.path().extension() == ".tmx") names.insert(entry.path().filename().string());
        for (const std::string& name : names)
            maps_.push_back(load("data/map/" + name));
    }

    void TearDown() override {
        for (auto& [path, picture] : pictures_)
            SDL_FreeSurface(picture);
        GameFixture::TearDown();
    }

    ShippedMap load(const std::string& file) {
        ShippedMap map;
        map.file = file;
        static const std::regex pattern("data/map/md_([0-9]{4})_([0-9]{2})\\.tmx");
        std::smatch match;
        if (std::regex_match(file, match, pattern)) {
            map.stage = std::stoi(match[1]);
            map.part = std::stoi(match[2]);
        }
        std::string error;
        if (!engine::TMXParser::parseFile(file, map.info, error)) {
            ADD_FAILURE() << file << ": " << error;
            return map;
        }
        engine::TMXTiledMap* tiled = engine::TMXTiledMap::create(file);
        if (!tiled) {
            ADD_FAILURE() << file << " does not load";
            return map;
        }
        engine::RefPtr<engine::TMXTiledMap> keep(tiled);
        map.loaded = true;
        map.hasCollisionGroup = tiled->getObjectGroup("collision") != nullptr;
        map.hasObjectGroup = tiled->getObjectGroup("object") != nullptr;
        map.boxes = readGroup(*tiled, "collision");
        map.markers = readGroup(*tiled, "object");
        return map;
    }

    // The picture of a tileset, loaded once (null, with a failure, when it cannot be read).
    SDL_Surface* picture(const std::string& path) {
        auto found = pictures_.find(path);
        if (found != pictures_.end()) return found->second;
        SDL_Surface* loaded = IMG_Load(path.c_str());
        SDL_Surface* argb = loaded ? SDL_ConvertSurfaceFormat(loaded, SDL_PIXELFORMAT_ARGB8888, 0) : nullptr;
        if (loaded) SDL_FreeSurface(loaded);
        if (!argb) ADD_FAILURE() << "cannot read the tileset picture " << path;
        pictures_[path] = argb;
        return argb;
    }

    static bool tileHasPixels(SDL_Surface* argb, int left, int top, int size) {
        for (int y = top; y < top + size && y < argb->h; ++y) {
            const auto* row =
                reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
            for (int x = left; x < left + size && x < argb->w; ++x)
                if ((row[x] >> 24) != 0) return true;
        }
        return false;
    }

    // The pixels of a tile that are not fully opaque.
    static int seeThroughPixels(SDL_Surface* argb, int left, int top, int size) {
        int count = 0;
        for (int y = top; y < top + size && y < argb->h; ++y) {
            const auto* row =
                reinterpret_cast<const Uint32*>(static_cast<const Uint8*>(argb->pixels) + y * argb->pitch);
            for (int x = left; x < left + size && x < argb->w; ++x)
                count += (row[x] >> 24) != 0xFF;
        }
        return count;
    }

    const ShippedMap* find(int stage, int part) const {
        for (const ShippedMap& map : maps_)
            if (map.stage == stage && map.part == part) return &map;
        return nullptr;
    }

    bool isStageMap(const ShippedMap& map) const {
        return map.stage >= 0 && data_->getStageRecord(map.stage).stageNumber != -1;
    }

    static std::vector<const MapObject*> named(const ShippedMap& map, const std::string& name) {
        std::vector<const MapObject*> found;
        for (const MapObject& marker : map.markers)
            if (marker.name == name) found.push_back(&marker);
        return found;
    }

    vastomer::DataManager* data_ = nullptr;
    std::vector<ShippedMap> maps_;
    std::map<std::string, SDL_Surface*> pictures_;
};

TEST_F(MapContentTest, EveryMapTheGameNamesIsShippedAndLoadsWithBothGroupsAndOneStart) {
    std::set<std::string> shipped;
    for (const ShippedMap& map : maps_)
        shipped.insert(map.file);
    std::vector<std::string> expected = {"data/map/md_9999_01.tmx", "data/map/md_9999_02.tmx",
                                         "data/map/md_9999_03.tmx", "data/map/md_9998_01.tmx",
                                         "data/map/md_9998_02.tmx", "data/map/md_9998_03.tmx"};
    const std::vector<int> stages = data_->getStageNumbers();
    ASSERT_FALSE(stages.empty());
    for (int stage : stages) {
        const vastomer::StageRecord record = data_->getStageRecord(stage);
        ASSERT_EQ(record.stageNumber, stage);
        for (int part : record.parts) {
            char name[40];
            std::snprintf(name, sizeof name, "data/map/md_%04d_%02d.tmx", stage, part);
            expected.push_back(name);
        }
    }
    for (const std::string& file : expected)
        EXPECT_TRUE(shipped.count(file)) << file << " is missing from the resource tree";

    for (const ShippedMap& map : maps_) {
        SCOPED_TRACE(map.file);
        ASSERT_TRUE(map.loaded);
        EXPECT_TRUE(map.hasCollisionGroup);
        EXPECT_TRUE(map.hasObjectGroup);
        int starts = 0;
        for (const MapObject& marker : map.markers)
            starts += marker.type == "start";
        EXPECT_EQ(starts, 1);
        EXPECT_EQ(map.info.tileSize.width, TILE);
        EXPECT_EQ(map.info.tileSize.height, TILE);
        if (map.stage >= 0 && map.stage < 9000) {
            const vastomer::StageRecord record = data_->getStageRecord(map.stage);
            EXPECT_NE(record.stageNumber, -1) << "no stage " << map.stage;
            EXPECT_TRUE(record.parts.count(map.part)) << "part " << map.part << " is not listed";
        }
    }
}

TEST_F(MapContentTest, TileLayersUseDrawnTilesOfTheirTilesets) {
    for (const ShippedMap& map : maps_) {
        SCOPED_TRACE(map.file);
        if (!map.loaded) continue;
        for (const engine::TMXTilesetInfo& tileset : map.info.tilesets) {
            SDL_Surface* argb = picture(tileset.imagePath);
            if (!argb) continue;
            EXPECT_EQ(tileset.imageSize.width, argb->w) << tileset.name << ": the .tsx states another size";
            EXPECT_EQ(tileset.imageSize.height, argb->h) << tileset.name << ": the .tsx states another size";
        }
        std::set<std::string> present;
        for (const engine::TMXLayerInfo& layer : map.info.layers) {
            present.insert(layer.name);
            for (std::size_t i = 0; i < layer.gids.size(); ++i) {
                const uint32_t gid = layer.gids[i] & engine::TMXFlippedMask;
                if (gid == 0) continue;
                const int col = static_cast<int>(i) % layer.columns,
                          row = static_cast<int>(i) / layer.columns;
                const int owner = engine::TMXTilesetInfo::indexForGid(map.info.tilesets, gid);
                if (owner < 0) {
                    ADD_FAILURE() << layer.name << " (" << col << ", " << row << "): gid " << gid
                                  << " belongs to no tileset";
                    continue;
                }
                engine::TMXTilesetInfo tileset = map.info.tilesets[owner];
                SDL_Surface* argb = picture(tileset.imagePath);
                if (!argb) continue;
                tileset.imageSize = engine::Size(static_cast<float>(argb->w), static_cast<float>(argb->h));
                if (!tileset.containsGid(gid)) {
                    ADD_FAILURE() << layer.name << " (" << col << ", " << row << "): gid " << gid
                                  << " lies beyond the picture of " << tileset.name;
                    continue;
                }
                const engine::Rect rect = tileset.getRectForGid(gid);
                EXPECT_TRUE(tileHasPixels(argb, static_cast<int>(rect.origin.x),
                                          static_cast<int>(rect.origin.y), TILE))
                    << layer.name << " (" << col << ", " << row << "): tile " << gid - tileset.firstGid
                    << " of " << tileset.name << " is blank";
            }
        }
        for (const char* name : TILE_LAYERS)
            EXPECT_TRUE(present.count(name)) << "no tile layer " << name;
    }
}

TEST_F(MapContentTest, CollisionBoxesCoverExactlyTheSolidTiles) {
    for (const ShippedMap& map : maps_) {
        SCOPED_TRACE(map.file);
        if (!map.loaded) continue;
        const int cols = map.columns(), rows = map.rows();
        // How many "ground" and "wall" boxes cover each tile; rows counted from the top.
        std::vector<int> cover(static_cast<std::size_t>(cols * rows), 0);
        for (const MapObject& box : map.boxes) {
            SCOPED_TRACE(box.name + " at (" + std::to_string(box.x) + ", " + std::to_string(box.y) + ")");
            EXPECT_TRUE(box.name == "ground" || box.name == "wall" || box.name == "safenet");
            EXPECT_EQ(box.type, "collision");
            EXPECT_GT(box.w, 0);
            EXPECT_GT(box.h, 0);
            const bool aligned = static_cast<int>(box.x) % TILE == 0 && static_cast<int>(box.y) % TILE == 0 &&
                                 static_cast<int>(box.w) % TILE == 0 && static_cast<int>(box.h) % TILE == 0;
            EXPECT_TRUE(aligned) << "boxes follow the tile grid";
            if (!aligned || box.name == "safenet") continue;
            const int c0 = static_cast<int>(box.x) / TILE, c1 = c0 + static_cast<int>(box.w) / TILE;
            const int rTop = rows - (static_cast<int>(box.y + box.h) / TILE);
            const int rEnd = rows - static_cast<int>(box.y) / TILE;
            EXPECT_TRUE(c0 >= 0 && c1 <= cols && rTop >= 0 && rEnd <= rows) << "box leaves the map";
            for (int r = std::max(0, rTop); r < std::min(rows, rEnd); ++r)
                for (int c = std::max(0, c0); c < std::min(cols, c1); ++c)
                    ++cover[static_cast<std::size_t>(r * cols + c)];
        }
        const engine::TMXLayerInfo* base = nullptr;
        for (const engine::TMXLayerInfo& layer : map.info.layers)
            if (layer.name == "base") base = &layer;
        ASSERT_NE(base, nullptr);
        int wrong = 0;
        for (int r = 0; r < rows && wrong < 5; ++r) {
            for (int c = 0; c < cols && wrong < 5; ++c) {
                const uint32_t gid =
                    base->gids[static_cast<std::size_t>(r * cols + c)] & engine::TMXFlippedMask;
                auto properties = map.info.tileProperties.find(gid);
                const bool solid = properties != map.info.tileProperties.end() &&
                                   properties->second.count("solid") &&
                                   properties->second.at("solid").asString() == "true";
                const int covered = cover[static_cast<std::size_t>(r * cols + c)];
                if (covered != (solid ? 1 : 0)) {
                    ++wrong;
                    ADD_FAILURE() << "tile (" << c << ", " << r << ") is " << (solid ? "solid" : "not solid")
                                  << " but lies in " << covered << " ground or wall boxes";
                }
            }
        }
    }
}

TEST_F(MapContentTest, EverySolidTileIsFullyOpaque) {
    std::set<std::pair<std::string, uint32_t>> checked;  // tileset picture, tile number
    for (const ShippedMap& map : maps_) {
        SCOPED_TRACE(map.file);
        if (!map.loaded) continue;
        for (const auto& [gid, properties] : map.info.tileProperties) {
            auto solid = properties.find("solid");
            if (solid == properties.end() || solid->second.asString() != "true") continue;
            const int owner = engine::TMXTilesetInfo::indexForGid(map.info.tilesets, gid);
            ASSERT_GE(owner, 0) << "gid " << gid << " belongs to no tileset";
            engine::TMXTilesetInfo tileset = map.info.tilesets[owner];
            if (!checked.insert({tileset.imagePath, gid - tileset.firstGid}).second) continue;
            SDL_Surface* argb = picture(tileset.imagePath);
            if (!argb) continue;
            tileset.imageSize = engine::Size(static_cast<float>(argb->w), static_cast<float>(argb->h));
            if (!tileset.containsGid(gid)) {
                ADD_FAILURE() << "solid tile " << gid - tileset.firstGid << " lies beyond the picture of "
                              << tileset.name;
                continue;
            }
            const engine::Rect rect = tileset.getRectForGid(gid);
            EXPECT_EQ(seeThroughPixels(argb, static_cast<int>(rect.origin.x), static_cast<int>(rect.origin.y),
                                       TILE),
                      0)
                << "solid tile " << gid - tileset.firstGid << " of " << tileset.name
                << " has see-through pixels: the backdrop would show through the ground";
        }
    }
    EXPECT_FALSE(checked.empty()) << "no tileset marks a solid tile";
}

TEST_F(MapContentTest, NoColumnLetsACharacterFallOutOfTheMap) {
    for (const ShippedMap& map : maps_) {
        SCOPED_TRACE(map.file);
        if (!map.loaded) continue;
        const float height = static_cast<float>(map.rows() * TILE);
        for (int c = 0; c < map.columns(); ++c) {
            const float middle = static_cast<float>(c * TILE + TILE / 2);
            bool caught = false;
            for (const MapObject& box : map.boxes)
                caught = caught || (middle > box.x && middle < box.x + box.w);
            EXPECT_TRUE(caught) << "column " << c << " has nothing to land on, not even a safety net";
        }
        if (!isStageMap(map)) continue;
        // Stage parts keep the player in with a wall up to the top of the map at each end of the
        // ground she can reach (scenery may go on beyond it, for the camera).
        bool left = false, right = false;
        for (const MapObject& wall : map.boxes) {
            if (wall.name != "wall" || wall.y + wall.h < height) continue;
            bool allRight = true, allLeft = true;
            for (const MapObject& marker : map.markers) {
                allRight = allRight && marker.x >= wall.x + wall.w;
                allLeft = allLeft && marker.x + marker.w <= wall.x;
            }
            left = left || allRight;
            right = right || allLeft;
        }
        EXPECT_TRUE(left) << "no wall up to the top left of every marker";
        EXPECT_TRUE(right) << "no wall up to the top right of every marker";
    }
}

TEST_F(MapContentTest, MoveSensorsLeadToPartsOfTheStageAndToAppearPointsThatExist) {
    int sensors = 0;
    for (const ShippedMap& map : maps_) {
        SCOPED_TRACE(map.file);
        if (!map.loaded) continue;
        std::set<int> appears, scenarios;
        for (const MapObject* appear : named(map, "appear")) {
            EXPECT_TRUE(isDecimal(appear->type)) << "appear point of type '" << appear->type << "'";
            EXPECT_TRUE(appears.insert(std::atoi(appear->type.c_str())).second)
                << "appear " << appear->type << " twice";
        }
        for (const MapObject* scenario : named(map, "scenario")) {
            EXPECT_TRUE(isDecimal(scenario->type) && std::atoi(scenario->type.c_str()) >= 1)
                << "scenario sensor of type '" << scenario->type << "'";
            EXPECT_TRUE(scenarios.insert(std::atoi(scenario->type.c_str())).second)
                << "scenario " << scenario->type << " twice";
            EXPECT_TRUE(scenario->w > 0 && scenario->h > 0) << "scenario sensor without a size";
        }
        const std::vector<const MapObject*> moves = named(map, "move");
        if (!isStageMap(map)) {
            EXPECT_TRUE(moves.empty()) << "only stage parts lead to other parts";
            continue;
        }
        const vastomer::StageRecord record = data_->getStageRecord(map.stage);
        for (const MapObject* move : moves) {
            ++sensors;
            SCOPED_TRACE("move " + move->type);
            EXPECT_TRUE(move->w > 0 && move->h > 0) << "move sensor without a size";
            const std::size_t colon = move->type.find(':');
            const std::string partText = move->type.substr(0, colon);
            const std::string appearText = colon == std::string::npos ? "" : move->type.substr(colon + 1);
            ASSERT_TRUE(isDecimal(partText));
            const int part = std::atoi(partText.c_str());
            EXPECT_TRUE(record.parts.count(part))
                << "part " << part << " is not a part of stage " << map.stage;
            const ShippedMap* target = find(map.stage, part);
            ASSERT_NE(target, nullptr) << "no map for part " << part;
            if (colon == std::string::npos) continue;
            ASSERT_TRUE(isDecimal(appearText));
            bool found = false;
            for (const MapObject* appear : named(*target, "appear"))
                found = found || appear->type == appearText;
            EXPECT_TRUE(found) << target->file << " has no appear point " << appearText;
        }
    }
    EXPECT_GT(sensors, 0);
}

TEST_F(MapContentTest, CreaturesExistAndEachBossPartHoldsOneBoss) {
    for (const ShippedMap& map : maps_) {
        SCOPED_TRACE(map.file);
        if (!map.loaded) continue;
        int bosses = 0;
        for (const MapObject& marker : map.markers) {
            if (marker.name == "enemy" || marker.name == "groupBoss") {
                EXPECT_TRUE(isDecimal(marker.type)) << marker.name << " of type '" << marker.type << "'";
                const int id = std::atoi(marker.type.c_str());
                EXPECT_TRUE(data_->getMasterTables().hasCharacter(id)) << "no character " << id;
                EXPECT_NE(id, 0) << "the player is never placed by a marker";
            }
            // A group boss is a boss by its marker alone; an "enemy" marker becomes one by its property.
            const bool boss = marker.isBoss || marker.name == "groupBoss";
            if (boss) {
                ++bosses;
                EXPECT_TRUE(marker.name == "enemy" || marker.name == "groupBoss")
                    << marker.name << " marked isBoss";
                EXPECT_GE(std::atoi(marker.type.c_str()), 100) << "bosses have ids 100-109";
                EXPECT_LE(std::atoi(marker.type.c_str()), 109) << "bosses have ids 100-109";
            }
        }
        const bool bossPart = isStageMap(map) && data_->getStageRecord(map.stage).bossPart == map.part;
        EXPECT_EQ(bosses, bossPart ? 1 : 0);
    }
}

// A group boss never collides, so the player cannot strike it: it loses a point for each "enemy" on
// its map that falls. Its hall must hold enough of them to pace the fight, and none of them may be a
// boss (the points go to the first boss on the map).
TEST_F(MapContentTest, GroupBossHallsHoldEnoughMinions) {
    constexpr int MIN_MINIONS = 8;
    int halls = 0;
    for (const ShippedMap& map : maps_) {
        SCOPED_TRACE(map.file);
        if (!map.loaded) continue;
        const std::vector<const MapObject*> groupBosses = named(map, "groupBoss");
        if (groupBosses.empty()) continue;
        ++halls;
        EXPECT_EQ(groupBosses.size(), 1u) << "one group boss to a hall";
        int minions = 0;
        for (const MapObject* enemy : named(map, "enemy")) {
            EXPECT_FALSE(enemy->isBoss) << "a hall with a group boss holds no other boss";
            ++minions;
        }
        EXPECT_GE(minions, MIN_MINIONS);
    }
    EXPECT_GT(halls, 0) << "no shipped map has a group boss";
}

TEST_F(MapContentTest, MarkersStandClearOfTheGroundInsideTheMap) {
    for (const ShippedMap& map : maps_) {
        SCOPED_TRACE(map.file);
        if (!map.loaded) continue;
        const float width = static_cast<float>(map.columns() * TILE);
        const float height = static_cast<float>(map.rows() * TILE);
        for (const MapObject& marker : map.markers) {
            SCOPED_TRACE(marker.name + " " + marker.type + " at (" + std::to_string(marker.x) + ", " +
                         std::to_string(marker.y) + ")");
            EXPECT_TRUE(marker.x >= 0 && marker.y >= 0 && marker.x + marker.w <= width &&
                        marker.y + marker.h <= height)
                << "outside the map";
            for (const MapObject& box : map.boxes) {
                if (marker.isPoint()) {
                    EXPECT_FALSE(box.holds(marker.x, marker.y))
                        << "inside the " << box.name << " box at (" << box.x << ", " << box.y << ")";
                } else if (box.name != "safenet") {
                    EXPECT_FALSE(marker.overlaps(box))
                        << "sensor overlaps the " << box.name << " box at (" << box.x << ", " << box.y << ")";
                }
            }
        }
    }
}

}  // namespace
