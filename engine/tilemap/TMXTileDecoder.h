#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace pugi {
class xml_node;
}

namespace engine {

// Reads the tiles of a layer's <data> element in any of the encodings map editors write: plain XML
// <tile gid=".."/> elements, csv, base64 of little-endian 32-bit values, and base64 of a zlib or gzip
// stream of them.
class TMXTileDecoder {
public:
    // Exactly `count` values (flag bits kept), or false with a message in `error`: an unknown encoding
    // or compression, bad base64 or csv, a damaged stream, or any other number of tiles.
    static bool decode(const pugi::xml_node& data, std::size_t count, std::vector<uint32_t>& out,
                       std::string& error);

private:
    static bool decodeXml(const pugi::xml_node& data, std::size_t count, std::vector<uint32_t>& out,
                          std::string& error);
    static bool decodeCsv(const char* text, std::size_t count, std::vector<uint32_t>& out,
                          std::string& error);
    static bool decodeBase64(const char* text, const std::string& compression, std::size_t count,
                             std::vector<uint32_t>& out, std::string& error);
};

}  // namespace engine
