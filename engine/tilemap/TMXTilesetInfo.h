#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "engine/base/Color.h"
#include "engine/base/Geometry.h"

namespace engine {

// Bits a tile layer stores above a tile's gid.
enum TMXTileFlags : uint32_t {
    TMXTileHorizontalFlag = 0x80000000u,
    TMXTileVerticalFlag = 0x40000000u,
    TMXTileDiagonalFlag = 0x20000000u,
    TMXTileRotatedHexFlag = 0x10000000u,
    TMXFlippedAll = 0xF0000000u,
    TMXFlippedMask = 0x0FFFFFFFu,
};

// A tileset of a map: one picture cut into equal tiles, numbered from `firstGid` row by row.
class TMXTilesetInfo {
public:
    std::string name;
    uint32_t firstGid = 1;
    Size tileSize;  // pixels, may differ from the map's tile size
    int spacing = 0;
    int margin = 0;
    std::string imagePath;  // full path of the picture; empty for tilesets without one
    Size imageSize;         // pixels (taken from the loaded picture when there is one)
    bool hasTransparentColor = false;
    Color3B transparentColor;  // pixels of this colour become transparent
    // By tile (gid − firstGid): the tile has no transparent pixel. Known once the picture is loaded.
    std::vector<bool> opaqueTiles;

    // Tiles per picture row: floor((imageW − margin + spacing) / (tileW + spacing)).
    int getColumns() const;
    // Tiles the picture holds.
    uint32_t getTileCount() const;
    // True if the gid (flags removed) names a tile of the picture.
    bool containsGid(uint32_t gid) const;
    // Where a tile sits in the picture, in pixels with the origin at the top left.
    Rect getRectForGid(uint32_t gid) const;

    // Index of the tileset a gid (flags removed) belongs to: the one with the largest first gid not
    // above it; -1 for gid 0 or a gid below every tileset.
    static int indexForGid(const std::vector<TMXTilesetInfo>& tilesets, uint32_t gid);
};

}  // namespace engine
