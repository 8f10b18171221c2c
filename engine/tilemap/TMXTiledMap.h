#pragma once

#include <string>
#include <vector>

#include "engine/base/RefPtr.h"
#include "engine/base/Value.h"
#include "engine/scene/Node.h"
#include "engine/tilemap/TMXLayer.h"
#include "engine/tilemap/TMXMapInfo.h"
#include "engine/tilemap/TMXObjectGroup.h"

namespace engine {

// A tile map loaded from a TMX file. Its visible tile layers become TMXLayer children in file order,
// each with local z = tag = its running index among the visible layers (a layer without any tile is
// not created but still takes its index; hidden layers take none). Object groups are kept as data.
// Anchor (0, 0); content size = the largest layer. Tileset pictures are nearest-filtered.
class TMXTiledMap : public Node {
public:
    // Null, with a message on stderr naming the file and the problem, if the map cannot be read or
    // one of its tileset pictures cannot be loaded.
    static TMXTiledMap* create(const std::string& tmxFile);
    // As create, but a map that cannot be read (missing, damaged, a tileset picture missing) gives an
    // empty map instead: no layers, no objects, no size. The problem is reported the same way.
    static TMXTiledMap* createOrEmpty(const std::string& tmxFile);

    // Null if there is no such layer.
    TMXLayer* getLayer(const std::string& layerName) const;
    // Null if there is no such group.
    TMXObjectGroup* getObjectGroup(const std::string& groupName) const;
    const std::vector<RefPtr<TMXObjectGroup>>& getObjectGroups() const { return objectGroups_; }

    // Width and height in tiles.
    const Size& getMapSize() const { return mapSize_; }
    // Width and height of a tile in pixels.
    const Size& getTileSize() const { return tileSize_; }
    const std::string& getFileName() const { return fullPath_; }

    const ValueMap& getProperties() const { return properties_; }
    Value getProperty(const std::string& name) const;
    // The properties given to a tile of a tileset, as a ValueMap; null if it has none.
    Value getPropertiesForGID(uint32_t gid) const;

private:
    TMXTiledMap() = default;
    bool initWithFile(const std::string& tmxFile, std::string& error);
    // The tileset pictures that visible layers need, in tileset order (null for unused ones).
    bool loadTilesetTextures(TMXMapInfo& info, std::vector<Texture2D*>& textures, std::string& error) const;

    std::string fullPath_;
    Size mapSize_;
    Size tileSize_;
    std::vector<RefPtr<TMXObjectGroup>> objectGroups_;
    ValueMap properties_;
    std::map<uint32_t, ValueMap> tileProperties_;
};

}  // namespace engine
