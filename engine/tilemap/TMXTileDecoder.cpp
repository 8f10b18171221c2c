#include "engine/tilemap/TMXTileDecoder.h"

#include <cstring>
#include <pugixml.hpp>

#include "engine/base/Base64.h"
#include "engine/base/Inflate.h"

namespace engine {

namespace {

bool isSpace(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// A gid as written in text: decimal digits, at most 4294967295.
bool parseGid(const char*& p, uint32_t& out) {
    if (*p < '0' || *p > '9') return false;
    uint64_t value = 0;
    while (*p >= '0' && *p <= '9') {
        value = value * 10 + static_cast<uint64_t>(*p - '0');
        if (value > 0xFFFFFFFFull) return false;
        ++p;
    }
    out = static_cast<uint32_t>(value);
    return true;
}

std::string countMismatch(std::size_t got, std::size_t expected) {
    return "layer data holds " + std::to_string(got) + " tiles, expected " + std::to_string(expected);
}

}  // namespace

bool TMXTileDecoder::decode(const pugi::xml_node& data, std::size_t count, std::vector<uint32_t>& out,
                            std::string& error) {
    out.clear();
    std::string encoding = data.attribute("encoding").value();
    std::string compression = data.attribute("compression").value();
    if (data.child("chunk")) {
        error = "layer data in chunks (infinite maps) is not supported";
        return false;
    }
    if (encoding.empty()) {
        if (!compression.empty()) {
            error = "compression '" + compression + "' without base64 encoding";
            return false;
        }
        return decodeXml(data, count, out, error);
    }
    if (encoding == "csv") {
        if (!compression.empty()) {
            error = "compression '" + compression + "' on csv data";
            return false;
        }
        return decodeCsv(data.child_value(), count, out, error);
    }
    if (encoding == "base64") return decodeBase64(data.child_value(), compression, count, out, error);
    error = "unknown layer encoding '" + encoding + "'";
    return false;
}

bool TMXTileDecoder::decodeXml(const pugi::xml_node& data, std::size_t count, std::vector<uint32_t>& out,
                               std::string& error) {
    out.reserve(count);
    for (pugi::xml_node tile = data.child("tile"); tile; tile = tile.next_sibling("tile")) {
        if (out.size() == count) {
            error = "layer data holds more than " + std::to_string(count) + " tiles";
            out.clear();
            return false;
        }
        uint32_t gid = 0;
        const char* text = tile.attribute("gid").value();
        if (*text != '\0' && (!parseGid(text, gid) || *text != '\0')) {
            error = std::string("bad tile gid '") + tile.attribute("gid").value() + "'";
            out.clear();
            return false;
        }
        out.push_back(gid);
    }
    if (out.size() != count) {
        error = countMismatch(out.size(), count);
        out.clear();
        return false;
    }
    return true;
}

bool TMXTileDecoder::decodeCsv(const char* text, std::size_t count, std::vector<uint32_t>& out,
                               std::string& error) {
    out.reserve(count);
    const char* p = text;
    while (isSpace(*p))
        ++p;
    while (*p != '\0') {
        uint32_t gid = 0;
        if (!parseGid(p, gid)) {
            error = "bad csv layer data near '" + std::string(p, strnlen(p, 12)) + "'";
            out.clear();
            return false;
        }
        if (out.size() == count) {
            error = "layer data holds more than " + std::to_string(count) + " tiles";
            out.clear();
            return false;
        }
        out.push_back(gid);
        while (isSpace(*p))
            ++p;
        if (*p == ',') {
            ++p;
            while (isSpace(*p))
                ++p;
            // Editors end every line but the last with a comma; a comma at the very end is tolerated.
            if (*p == '\0') break;
        } else if (*p != '\0') {
            error = "bad csv layer data near '" + std::string(p, strnlen(p, 12)) + "'";
            out.clear();
            return false;
        }
    }
    if (out.size() != count) {
        error = countMismatch(out.size(), count);
        out.clear();
        return false;
    }
    return true;
}

bool TMXTileDecoder::decodeBase64(const char* text, const std::string& compression, std::size_t count,
                                  std::vector<uint32_t>& out, std::string& error) {
    std::vector<uint8_t> bytes;
    if (!Base64::decode(text, bytes)) {
        error = "layer data is not valid base64";
        return false;
    }
    const std::size_t expectedBytes = count * 4;
    if (compression == "zlib" || compression == "gzip") {
        std::vector<uint8_t> inflated;
        if (!Inflate::decompress(bytes.data(), bytes.size(), expectedBytes, inflated)) {
            error = "layer data: damaged " + compression + " stream, or more than " + std::to_string(count) +
                    " tiles in it";
            return false;
        }
        bytes.swap(inflated);
    } else if (!compression.empty()) {
        error = "unsupported layer compression '" + compression + "'";
        return false;
    }
    if (bytes.size() != expectedBytes) {
        error = "layer data holds " + std::to_string(bytes.size()) + " bytes, expected " +
                std::to_string(expectedBytes) + " (" + std::to_string(count) + " tiles)";
        return false;
    }
    out.resize(count);
    for (std::size_t i = 0; i < count; ++i) {
        const uint8_t* b = bytes.data() + i * 4;
        out[i] = static_cast<uint32_t>(b[0]) | static_cast<uint32_t>(b[1]) << 8 |
                 static_cast<uint32_t>(b[2]) << 16 | static_cast<uint32_t>(b[3]) << 24;
    }
    return true;
}

}  // namespace engine
