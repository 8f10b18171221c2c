#pragma once

#include <string>

#include "engine/tilemap/TMXMapInfo.h"

namespace pugi {
class xml_node;
}

namespace engine {

// Reads an orthogonal TMX map: its tilesets (embedded, or external .tsx files named relative to the
// map), tile layers in file order (layers inside group layers included, taking the group's visibility
// and opacity), object groups and properties.
//
// Objects follow the conventions map content is made for: x, y, width and height are read as integers
// (fractions dropped) and the position is turned to a lower-left origin in map space:
//   x = tmxX + offsetX,  y = mapRows × tileHeight − tmxY − offsetY − tmxHeight,
// where the offset is the group's x/y attributes times the tile size. "name", "type" (or, when absent,
// the newer "class"), "gid" and "id" are text and null when the attribute is missing; "rotation" is a
// number; custom properties are text and overwrite built-in keys of the same name. Polygons and
// polylines add "points" / "polylinePoints": integer {x, y} maps relative to the object, y down.
class TMXParser {
public:
    // False with a message in `error` for a missing or malformed file, an unsupported orientation,
    // a missing external tileset, or tile data that cannot be read.
    static bool parseFile(const std::string& file, TMXMapInfo& out, std::string& error);

private:
    static bool parseMap(const pugi::xml_node& map, TMXMapInfo& info, std::string& error);
    static bool parseTileset(const pugi::xml_node& node, const std::string& mapDirectory, TMXMapInfo& info,
                             std::string& error);
    static bool readTilesetBody(const pugi::xml_node& tileset, const std::string& directory,
                                TMXTilesetInfo& out, TMXMapInfo& info, std::string& error);
    static bool parseLayers(const pugi::xml_node& parent, bool visible, float opacity, TMXMapInfo& info,
                            std::string& error);
    static bool parseLayer(const pugi::xml_node& node, bool visible, float opacity, TMXMapInfo& info,
                           std::string& error);
    static void parseObjectGroup(const pugi::xml_node& node, TMXMapInfo& info);
    static ValueMap parseObject(const pugi::xml_node& node, const TMXObjectGroup& group,
                                const TMXMapInfo& info);
    static ValueMap readProperties(const pugi::xml_node& owner);
};

}  // namespace engine
