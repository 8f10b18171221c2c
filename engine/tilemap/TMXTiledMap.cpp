#include "engine/tilemap/TMXTiledMap.h"

#include <algorithm>
#include <cstdio>

#include "engine/tilemap/TMXParser.h"
#include "engine/tilemap/TMXTilesetPicture.h"

namespace engine {

TMXTiledMap* TMXTiledMap::create(const std::string& tmxFile) {
    auto* map = new TMXTiledMap();
    std::string error;
    if (!map->initWithFile(tmxFile, error)) {
        std::fprintf(stderr, "TMX map %s: %s\n", tmxFile.c_str(), error.c_str());
        delete map;
        return nullptr;
    }
    map->autorelease();
    return map;
}

TMXTiledMap* TMXTiledMap::createOrEmpty(const std::string& tmxFile) {
    if (TMXTiledMap* map = create(tmxFile)) return map;
    auto* empty = new TMXTiledMap();
    if (!empty->Node::init()) {
        delete empty;
        return nullptr;
    }
    empty->setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);
    empty->autorelease();
    return empty;
}

bool TMXTiledMap::initWithFile(const std::string& tmxFile, std::string& error) {
    if (!Node::init()) return false;
    TMXMapInfo info;
    if (!TMXParser::parseFile(tmxFile, info, error)) return false;
    std::vector<Texture2D*> textures;
    if (!loadTilesetTextures(info, textures, error)) return false;

    fullPath_ = info.fullPath;
    mapSize_ = info.mapSize;
    tileSize_ = info.tileSize;
    objectGroups_ = std::move(info.objectGroups);
    properties_ = std::move(info.properties);
    tileProperties_ = std::move(info.tileProperties);
    setAnchorPoint(Vec2::ANCHOR_BOTTOM_LEFT);

    Size size;
    int index = 0;
    for (const TMXLayerInfo& layerInfo : info.layers) {
        if (!layerInfo.visible) continue;
        TMXLayer* layer = TMXLayer::create(layerInfo, tileSize_, info.tilesets, textures);
        if (layer) {
            addChild(layer, index, index);
            size.width = std::max(size.width, layer->getContentSize().width);
            size.height = std::max(size.height, layer->getContentSize().height);
        }
        ++index;
    }
    setContentSize(size);
    return true;
}

bool TMXTiledMap::loadTilesetTextures(TMXMapInfo& info, std::vector<Texture2D*>& textures,
                                      std::string& error) const {
    textures.assign(info.tilesets.size(), nullptr);
    // Which tilesets the visible layers use: the largest first gid not above each gid.
    std::vector<bool> used(info.tilesets.size(), false);
    for (const TMXLayerInfo& layer : info.layers) {
        if (!layer.visible) continue;
        for (uint32_t value : layer.gids) {
            int owner = TMXTilesetInfo::indexForGid(info.tilesets, value);
            if (owner >= 0) used[owner] = true;
        }
    }
    for (std::size_t t = 0; t < info.tilesets.size(); ++t) {
        TMXTilesetInfo& tileset = info.tilesets[t];
        if (!used[t]) continue;
        if (tileset.imagePath.empty()) {
            std::fprintf(stderr, "TMX map %s: tileset '%s' has no single picture; its tiles are not drawn\n",
                         info.fullPath.c_str(), tileset.name.c_str());
            continue;
        }
        textures[t] = TMXTilesetPicture::load(tileset);
        if (!textures[t]) {
            error = "cannot load the picture " + tileset.imagePath + " of tileset '" + tileset.name + "'";
            return false;
        }
    }
    return true;
}

TMXLayer* TMXTiledMap::getLayer(const std::string& layerName) const {
    for (Node* child : children_) {
        auto* layer = dynamic_cast<TMXLayer*>(child);
        if (layer && layer->getLayerName() == layerName) return layer;
    }
    return nullptr;
}

TMXObjectGroup* TMXTiledMap::getObjectGroup(const std::string& groupName) const {
    if (groupName.empty()) return nullptr;
    for (const auto& group : objectGroups_)
        if (group->getGroupName() == groupName) return group.get();
    return nullptr;
}

Value TMXTiledMap::getProperty(const std::string& name) const {
    auto found = properties_.find(name);
    return found == properties_.end() ? Value() : found->second;
}

Value TMXTiledMap::getPropertiesForGID(uint32_t gid) const {
    auto found = tileProperties_.find(gid & TMXFlippedMask);
    return found == tileProperties_.end() ? Value() : Value(found->second);
}

}  // namespace engine
