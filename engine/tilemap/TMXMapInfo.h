#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <vector>

#include "engine/base/Geometry.h"
#include "engine/base/RefPtr.h"
#include "engine/base/Value.h"
#include "engine/tilemap/TMXObjectGroup.h"
#include "engine/tilemap/TMXTilesetInfo.h"

namespace engine {

// One tile layer as the file describes it.
struct TMXLayerInfo {
    std::string name;
    int columns = 0;
    int rows = 0;
    // columns × rows values, row by row from the top left, flag bits included.
    std::vector<uint32_t> gids;
    bool visible = true;
    uint8_t opacity = 255;
    ValueMap properties;
};

// Everything a tile map file holds, as read by TMXParser.
struct TMXMapInfo {
    std::string fullPath;
    Size mapSize;                          // in tiles
    Size tileSize;                         // in pixels
    std::vector<TMXTilesetInfo> tilesets;  // in file order
    std::vector<TMXLayerInfo> layers;      // tile layers in file order, hidden ones included
    std::vector<RefPtr<TMXObjectGroup>> objectGroups;
    ValueMap properties;
    std::map<uint32_t, ValueMap> tileProperties;  // by gid
};

}  // namespace engine
