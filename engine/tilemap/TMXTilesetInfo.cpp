#include "engine/tilemap/TMXTilesetInfo.h"

#include <cmath>

namespace engine {

namespace {

int tilesAlong(float imageExtent, int margin, int spacing, float tileExtent) {
    float step = tileExtent + static_cast<float>(spacing);
    if (step <= 0.0f) return 0;
    float count = std::floor((imageExtent - static_cast<float>(margin) + static_cast<float>(spacing)) / step);
    return count > 0.0f ? static_cast<int>(count) : 0;
}

}  // namespace

int TMXTilesetInfo::getColumns() const {
    return tilesAlong(imageSize.width, margin, spacing, tileSize.width);
}

uint32_t TMXTilesetInfo::getTileCount() const {
    int rows = tilesAlong(imageSize.height, margin, spacing, tileSize.height);
    return static_cast<uint32_t>(getColumns()) * static_cast<uint32_t>(rows);
}

bool TMXTilesetInfo::containsGid(uint32_t gid) const {
    gid &= TMXFlippedMask;
    return gid >= firstGid && gid - firstGid < getTileCount();
}

Rect TMXTilesetInfo::getRectForGid(uint32_t gid) const {
    uint32_t local = (gid & TMXFlippedMask) - firstGid;
    uint32_t columns = static_cast<uint32_t>(getColumns());
    if (columns == 0) return Rect(0, 0, tileSize.width, tileSize.height);
    float x = static_cast<float>(local % columns) * (tileSize.width + static_cast<float>(spacing)) +
              static_cast<float>(margin);
    float y = static_cast<float>(local / columns) * (tileSize.height + static_cast<float>(spacing)) +
              static_cast<float>(margin);
    return Rect(x, y, tileSize.width, tileSize.height);
}

int TMXTilesetInfo::indexForGid(const std::vector<TMXTilesetInfo>& tilesets, uint32_t gid) {
    gid &= TMXFlippedMask;
    int owner = -1;
    if (gid == 0) return owner;
    for (std::size_t t = 0; t < tilesets.size(); ++t)
        if (tilesets[t].firstGid <= gid && (owner < 0 || tilesets[t].firstGid > tilesets[owner].firstGid))
            owner = static_cast<int>(t);
    return owner;
}

}  // namespace engine
