#pragma once

#include <string>
#include <vector>

#include <SDL.h>
#include <SDL_image.h>
#include <zlib.h>

#include "engine/base/Value.h"
#include "engine/scene/ParticleSystemQuad.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

// Building blocks for particle definitions written in the tests.

// A definition of white particles of `size` that stay where they are born and live `life` seconds;
// emission rate = maxParticles / life.
inline engine::ValueMap stillParticles(int maxParticles, double life, double size) {
    engine::ValueMap d;
    d["maxParticles"] = engine::Value(maxParticles);
    d["particleLifespan"] = engine::Value(life);
    d["duration"] = engine::Value(-1.0);
    d["startParticleSize"] = engine::Value(size);
    d["finishParticleSize"] = engine::Value(-1.0);
    for (const char* key : {"startColorRed", "startColorGreen", "startColorBlue", "startColorAlpha",
                            "finishColorRed", "finishColorGreen", "finishColorBlue", "finishColorAlpha"})
        d[key] = engine::Value(1.0);
    d["blendFuncSource"] = engine::Value(770);
    d["blendFuncDestination"] = engine::Value(771);
    return d;
}

inline std::string base64Of(const std::vector<uint8_t>& bytes) {
    static const char alphabet[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789+/";
    std::string text;
    for (std::size_t i = 0; i < bytes.size(); i += 3) {
        uint32_t group = static_cast<uint32_t>(bytes[i]) << 16;
        if (i + 1 < bytes.size()) group |= static_cast<uint32_t>(bytes[i + 1]) << 8;
        if (i + 2 < bytes.size()) group |= bytes[i + 2];
        text += alphabet[(group >> 18) & 63];
        text += alphabet[(group >> 12) & 63];
        text += i + 1 < bytes.size() ? alphabet[(group >> 6) & 63] : '=';
        text += i + 2 < bytes.size() ? alphabet[group & 63] : '=';
    }
    return text;
}

// zlib (or gzip) framing around `bytes`.
inline std::vector<uint8_t> compressed(const std::vector<uint8_t>& bytes, bool gzip) {
    z_stream stream{};
    deflateInit2(&stream, Z_BEST_COMPRESSION, Z_DEFLATED, gzip ? 15 + 16 : 15, 8, Z_DEFAULT_STRATEGY);
    std::vector<uint8_t> out(deflateBound(&stream, static_cast<uLong>(bytes.size())) + 32);
    stream.next_in = const_cast<Bytef*>(bytes.data());
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = out.data();
    stream.avail_out = static_cast<uInt>(out.size());
    deflate(&stream, Z_FINISH);
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

// The bytes of a PNG file of one opaque colour; with `right` set, its right half has that colour.
inline std::vector<uint8_t> solidPng(int size, uint8_t r, uint8_t g, uint8_t b,
                                     const SDL_Color* right = nullptr) {
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, size, size, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(s, nullptr, SDL_MapRGBA(s->format, r, g, b, 255));
    if (right) {
        SDL_Rect half{size / 2, 0, size - size / 2, size};
        SDL_FillRect(s, &half, SDL_MapRGBA(s->format, right->r, right->g, right->b, 255));
    }
    testsupport::TempFolder folder;
    const std::string path = folder / "solid.png";
    IMG_SavePNG(s, path.c_str());
    SDL_FreeSurface(s);
    const std::string bytes = testsupport::readFile(path);
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}

// A system made from `definition`, placed at `position` under `parent`; null if it cannot be made.
inline engine::ParticleSystemQuad* addSystem(engine::Node* parent, const engine::ValueMap& definition,
                                             engine::Vec2 position) {
    engine::ParticleSystemQuad* system = engine::ParticleSystemQuad::create(definition);
    if (!system) return nullptr;
    system->setPosition(position);
    parent->addChild(system);
    return system;
}
