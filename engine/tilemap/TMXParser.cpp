#include "engine/tilemap/TMXParser.h"

#include <algorithm>
#include <cstring>
#include <pugixml.hpp>

#include "engine/base/NumberText.h"
#include "engine/platform/FileUtils.h"
#include "engine/tilemap/TMXTileDecoder.h"

namespace engine {

namespace {

// Larger than any stage; keeps a damaged size from asking for gigabytes.
constexpr long long kMaxCells = 1 << 24;

std::string directoryOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    return slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
}

std::string resolveBeside(const std::string& directory, const std::string& name) {
    return FileUtils::isAbsolutePath(name) ? name : directory + name;
}

bool loadXml(const std::string& fullPath, pugi::xml_document& document, std::string& error) {
    std::string text = FileUtils::getInstance()->getStringFromFile(fullPath);
    if (text.empty()) {
        error = "cannot read " + fullPath;
        return false;
    }
    pugi::xml_parse_result parsed = document.load_buffer(text.data(), text.size());
    if (!parsed) {
        error = fullPath + ": not well-formed XML: " + parsed.description() + " at byte " +
                std::to_string(parsed.offset);
        return false;
    }
    return true;
}

// A required positive whole number attribute.
bool positiveAttribute(const pugi::xml_node& node, const char* name, int& out, std::string& error) {
    if (!NumberText::parseInt(node.attribute(name).value(), out) || out <= 0) {
        error = std::string("<") + node.name() + "> needs a positive '" + name + "' (got '" +
                node.attribute(name).value() + "')";
        return false;
    }
    return true;
}

// "ff00ff" or "#ff00ff".
bool parseColour(std::string text, Color3B& out) {
    if (!text.empty() && text[0] == '#') text.erase(0, 1);
    if (text.size() != 6) return false;
    uint32_t value = 0;
    for (char c : text) {
        int digit = (c >= '0' && c <= '9')   ? c - '0'
                    : (c >= 'a' && c <= 'f') ? c - 'a' + 10
                    : (c >= 'A' && c <= 'F') ? c - 'A' + 10
                                             : -1;
        if (digit < 0) return false;
        value = value << 4 | static_cast<uint32_t>(digit);
    }
    out = Color3B(static_cast<uint8_t>(value >> 16), static_cast<uint8_t>(value >> 8),
                  static_cast<uint8_t>(value));
    return true;
}

// An attribute as text, or null when absent.
Value textOrNull(const pugi::xml_attribute& attribute) {
    return attribute ? Value(std::string(attribute.value())) : Value();
}

ValueVector parsePoints(const char* text) {
    ValueVector points;
    std::string_view rest(text);
    while (!rest.empty()) {
        std::size_t start = rest.find_first_not_of(" \t\r\n");
        if (start == std::string_view::npos) break;
        rest.remove_prefix(start);
        std::size_t end = rest.find_first_of(" \t\r\n");
        std::string_view pair = rest.substr(0, end);
        std::size_t comma = pair.find(',');
        ValueMap point;
        point["x"] = Value(NumberText::leadingInt(pair.substr(0, comma)));
        point["y"] =
            Value(comma == std::string_view::npos ? 0 : NumberText::leadingInt(pair.substr(comma + 1)));
        points.emplace_back(std::move(point));
        rest.remove_prefix(end == std::string_view::npos ? rest.size() : end);
    }
    return points;
}

}  // namespace

bool TMXParser::parseFile(const std::string& file, TMXMapInfo& out, std::string& error) {
    out = TMXMapInfo();
    if (file.empty()) {
        error = "no file name given";
        return false;
    }
    out.fullPath = FileUtils::getInstance()->fullPathForFilename(file);
    if (out.fullPath.empty()) {
        error = "file not found";
        return false;
    }
    pugi::xml_document document;
    if (!loadXml(out.fullPath, document, error)) return false;
    pugi::xml_node map = document.child("map");
    if (!map) {
        error = "no <map> element";
        return false;
    }
    return parseMap(map, out, error);
}

bool TMXParser::parseMap(const pugi::xml_node& map, TMXMapInfo& info, std::string& error) {
    std::string orientation = map.attribute("orientation").value();
    if (!orientation.empty() && orientation != "orthogonal") {
        error = "orientation '" + orientation + "' is not supported (orthogonal maps only)";
        return false;
    }
    if (NumberText::leadingInt(map.attribute("infinite").value()) != 0) {
        error = "infinite maps are not supported";
        return false;
    }
    int columns = 0, rows = 0, tileW = 0, tileH = 0;
    if (!positiveAttribute(map, "width", columns, error) || !positiveAttribute(map, "height", rows, error) ||
        !positiveAttribute(map, "tilewidth", tileW, error) ||
        !positiveAttribute(map, "tileheight", tileH, error))
        return false;
    if (static_cast<long long>(columns) * rows > kMaxCells) {
        error = "map of " + std::to_string(columns) + " x " + std::to_string(rows) + " tiles is too large";
        return false;
    }
    info.mapSize = Size(static_cast<float>(columns), static_cast<float>(rows));
    info.tileSize = Size(static_cast<float>(tileW), static_cast<float>(tileH));
    info.properties = readProperties(map);

    const std::string directory = directoryOf(info.fullPath);
    for (pugi::xml_node node = map.first_child(); node; node = node.next_sibling()) {
        if (std::strcmp(node.name(), "tileset") == 0 && !parseTileset(node, directory, info, error))
            return false;
    }
    return parseLayers(map, true, 1.0f, info, error);
}

bool TMXParser::parseTileset(const pugi::xml_node& node, const std::string& mapDirectory, TMXMapInfo& info,
                             std::string& error) {
    TMXTilesetInfo tileset;
    int firstGid = 0;
    if (!positiveAttribute(node, "firstgid", firstGid, error)) return false;
    tileset.firstGid = static_cast<uint32_t>(firstGid);
    const char* source = node.attribute("source").value();
    if (*source == '\0') return readTilesetBody(node, mapDirectory, tileset, info, error);

    std::string path = resolveBeside(mapDirectory, source);
    if (!FileUtils::getInstance()->isFileExist(path)) {
        error = "tileset file " + path + " not found";
        return false;
    }
    pugi::xml_document document;
    if (!loadXml(path, document, error)) return false;
    pugi::xml_node external = document.child("tileset");
    if (!external) {
        error = path + ": no <tileset> element";
        return false;
    }
    return readTilesetBody(external, directoryOf(path), tileset, info, error);
}

bool TMXParser::readTilesetBody(const pugi::xml_node& node, const std::string& directory,
                                TMXTilesetInfo& tileset, TMXMapInfo& info, std::string& error) {
    tileset.name = node.attribute("name").value();
    int tileW = 0, tileH = 0;
    if (!positiveAttribute(node, "tilewidth", tileW, error) ||
        !positiveAttribute(node, "tileheight", tileH, error))
        return false;
    tileset.tileSize = Size(static_cast<float>(tileW), static_cast<float>(tileH));
    tileset.spacing = std::max(0, NumberText::leadingInt(node.attribute("spacing").value()));
    tileset.margin = std::max(0, NumberText::leadingInt(node.attribute("margin").value()));
    if (pugi::xml_node image = node.child("image")) {
        const char* source = image.attribute("source").value();
        if (*source != '\0') tileset.imagePath = resolveBeside(directory, source);
        tileset.imageSize =
            Size(static_cast<float>(NumberText::leadingInt(image.attribute("width").value())),
                 static_cast<float>(NumberText::leadingInt(image.attribute("height").value())));
        if (pugi::xml_attribute trans = image.attribute("trans")) {
            if (!parseColour(trans.value(), tileset.transparentColor)) {
                error = std::string("bad transparent colour '") + trans.value() + "'";
                return false;
            }
            tileset.hasTransparentColor = true;
        }
    }
    for (pugi::xml_node tile = node.child("tile"); tile; tile = tile.next_sibling("tile")) {
        ValueMap properties = readProperties(tile);
        if (!properties.empty())
            info.tileProperties[tileset.firstGid + static_cast<uint32_t>(NumberText::leadingLong(
                                                       tile.attribute("id").value()))] =
                std::move(properties);
    }
    info.tilesets.push_back(std::move(tileset));
    return true;
}

bool TMXParser::parseLayers(const pugi::xml_node& parent, bool visible, float opacity, TMXMapInfo& info,
                            std::string& error) {
    for (pugi::xml_node node = parent.first_child(); node; node = node.next_sibling()) {
        const char* name = node.name();
        if (std::strcmp(name, "layer") == 0) {
            if (!parseLayer(node, visible, opacity, info, error)) return false;
        } else if (std::strcmp(name, "objectgroup") == 0) {
            parseObjectGroup(node, info);
        } else if (std::strcmp(name, "group") == 0) {
            bool groupVisible =
                visible && NumberText::leadingInt(node.attribute("visible").as_string("1")) != 0;
            float groupOpacity = opacity;
            if (pugi::xml_attribute attribute = node.attribute("opacity"))
                groupOpacity *=
                    std::clamp(static_cast<float>(NumberText::leadingDouble(attribute.value())), 0.0f, 1.0f);
            if (!parseLayers(node, groupVisible, groupOpacity, info, error)) return false;
        }
    }
    return true;
}

bool TMXParser::parseLayer(const pugi::xml_node& node, bool visible, float opacity, TMXMapInfo& info,
                           std::string& error) {
    TMXLayerInfo layer;
    layer.name = node.attribute("name").value();
    layer.columns = static_cast<int>(info.mapSize.width);
    layer.rows = static_cast<int>(info.mapSize.height);
    if ((node.attribute("width") && !positiveAttribute(node, "width", layer.columns, error)) ||
        (node.attribute("height") && !positiveAttribute(node, "height", layer.rows, error)))
        return false;
    if (static_cast<long long>(layer.columns) * layer.rows > kMaxCells) {
        error = "layer '" + layer.name + "' is too large";
        return false;
    }
    layer.visible = visible && NumberText::leadingInt(node.attribute("visible").as_string("1")) != 0;
    double layerOpacity = 1.0;
    if (pugi::xml_attribute attribute = node.attribute("opacity"))
        layerOpacity = NumberText::leadingDouble(attribute.value());
    layer.opacity = static_cast<uint8_t>(255.0 * std::clamp(layerOpacity * opacity, 0.0, 1.0));
    layer.properties = readProperties(node);
    pugi::xml_node data = node.child("data");
    if (!data) {
        error = "layer '" + layer.name + "' has no <data>";
        return false;
    }
    std::size_t count = static_cast<std::size_t>(layer.columns) * static_cast<std::size_t>(layer.rows);
    if (!TMXTileDecoder::decode(data, count, layer.gids, error)) {
        error = "layer '" + layer.name + "': " + error;
        return false;
    }
    info.layers.push_back(std::move(layer));
    return true;
}

void TMXParser::parseObjectGroup(const pugi::xml_node& node, TMXMapInfo& info) {
    TMXObjectGroup* group = TMXObjectGroup::create();
    group->setGroupName(node.attribute("name").value());
    group->setPositionOffset(Vec2(
        static_cast<float>(NumberText::leadingDouble(node.attribute("x").value())) * info.tileSize.width,
        static_cast<float>(NumberText::leadingDouble(node.attribute("y").value())) * info.tileSize.height));
    group->setProperties(readProperties(node));
    for (pugi::xml_node object = node.child("object"); object; object = object.next_sibling("object"))
        group->addObject(parseObject(object, *group, info));
    info.objectGroups.emplace_back(group);
}

ValueMap TMXParser::parseObject(const pugi::xml_node& node, const TMXObjectGroup& group,
                                const TMXMapInfo& info) {
    ValueMap object;
    object["name"] = textOrNull(node.attribute("name"));
    pugi::xml_attribute type = node.attribute("type");
    object["type"] = textOrNull(type ? type : node.attribute("class"));
    object["gid"] = textOrNull(node.attribute("gid"));
    object["id"] = textOrNull(node.attribute("id"));
    // Whole numbers: map content relies on fractions being dropped, not rounded.
    int x = NumberText::leadingInt(node.attribute("x").value());
    int y = NumberText::leadingInt(node.attribute("y").value());
    int width = NumberText::leadingInt(node.attribute("width").value());
    int height = NumberText::leadingInt(node.attribute("height").value());
    const Vec2& offset = group.getPositionOffset();
    float mapHeight = info.mapSize.height * info.tileSize.height;
    object["x"] = Value(static_cast<float>(x) + offset.x);
    object["y"] = Value(mapHeight - static_cast<float>(y) - offset.y - static_cast<float>(height));
    object["width"] = Value(static_cast<float>(width));
    object["height"] = Value(static_cast<float>(height));
    object["rotation"] = Value(NumberText::leadingDouble(node.attribute("rotation").value()));
    if (pugi::xml_node polygon = node.child("polygon"))
        object["points"] = Value(parsePoints(polygon.attribute("points").value()));
    if (pugi::xml_node polyline = node.child("polyline"))
        object["polylinePoints"] = Value(parsePoints(polyline.attribute("points").value()));
    for (auto& [key, value] : readProperties(node))
        object[key] = value;
    return object;
}

ValueMap TMXParser::readProperties(const pugi::xml_node& owner) {
    ValueMap properties;
    for (pugi::xml_node property = owner.child("properties").child("property"); property;
         property = property.next_sibling("property")) {
        pugi::xml_attribute value = property.attribute("value");
        // Multi-line text is written as the element's content instead of an attribute.
        properties[property.attribute("name").value()] =
            Value(std::string(value ? value.value() : property.child_value()));
    }
    return properties;
}

}  // namespace engine
