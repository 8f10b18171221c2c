#pragma once

#include <cstdint>

namespace engine {

struct Color3B {
    uint8_t r = 255;
    uint8_t g = 255;
    uint8_t b = 255;

    constexpr Color3B() = default;
    constexpr Color3B(uint8_t ar, uint8_t ag, uint8_t ab) : r(ar), g(ag), b(ab) {}
    bool operator==(const Color3B& o) const { return r == o.r && g == o.g && b == o.b; }
    bool operator!=(const Color3B& o) const { return !(*this == o); }

    static const Color3B WHITE;
    static const Color3B BLACK;
    static const Color3B RED;
    static const Color3B GREEN;
    static const Color3B BLUE;
    static const Color3B YELLOW;
    static const Color3B GRAY;
};

inline constexpr Color3B Color3B::WHITE{255, 255, 255};
inline constexpr Color3B Color3B::BLACK{0, 0, 0};
inline constexpr Color3B Color3B::RED{255, 0, 0};
inline constexpr Color3B Color3B::GREEN{0, 255, 0};
inline constexpr Color3B Color3B::BLUE{0, 0, 255};
inline constexpr Color3B Color3B::YELLOW{255, 255, 0};
inline constexpr Color3B Color3B::GRAY{166, 166, 166};

struct Color4B {
    uint8_t r = 255;
    uint8_t g = 255;
    uint8_t b = 255;
    uint8_t a = 255;

    constexpr Color4B() = default;
    constexpr Color4B(uint8_t ar, uint8_t ag, uint8_t ab, uint8_t aa) : r(ar), g(ag), b(ab), a(aa) {}
    constexpr explicit Color4B(const Color3B& c, uint8_t aa = 255) : r(c.r), g(c.g), b(c.b), a(aa) {}
    bool operator==(const Color4B& o) const { return r == o.r && g == o.g && b == o.b && a == o.a; }
    bool operator!=(const Color4B& o) const { return !(*this == o); }

    static const Color4B WHITE;
    static const Color4B BLACK;
};

inline constexpr Color4B Color4B::WHITE{255, 255, 255, 255};
inline constexpr Color4B Color4B::BLACK{0, 0, 0, 255};

struct Color4F {
    float r = 1.0f;
    float g = 1.0f;
    float b = 1.0f;
    float a = 1.0f;

    constexpr Color4F() = default;
    constexpr Color4F(float ar, float ag, float ab, float aa) : r(ar), g(ag), b(ab), a(aa) {}
};

}  // namespace engine
