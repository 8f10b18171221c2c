#pragma once

#include <algorithm>
#include <cmath>

namespace engine {

// Points and vectors in design units, origin at the lower left, y up.
struct Vec2 {
    float x = 0.0f;
    float y = 0.0f;

    constexpr Vec2() = default;
    constexpr Vec2(float ax, float ay) : x(ax), y(ay) {}

    static const Vec2 ZERO;
    static const Vec2 ANCHOR_MIDDLE;
    static const Vec2 ANCHOR_BOTTOM_LEFT;

    Vec2 operator+(const Vec2& o) const { return {x + o.x, y + o.y}; }
    Vec2 operator-(const Vec2& o) const { return {x - o.x, y - o.y}; }
    Vec2 operator-() const { return {-x, -y}; }
    Vec2 operator*(float s) const { return {x * s, y * s}; }
    Vec2 operator/(float s) const { return {x / s, y / s}; }
    Vec2& operator+=(const Vec2& o) {
        x += o.x;
        y += o.y;
        return *this;
    }
    Vec2& operator-=(const Vec2& o) {
        x -= o.x;
        y -= o.y;
        return *this;
    }
    Vec2& operator*=(float s) {
        x *= s;
        y *= s;
        return *this;
    }
    bool operator==(const Vec2& o) const { return x == o.x && y == o.y; }
    bool operator!=(const Vec2& o) const { return !(*this == o); }

    float length() const { return std::sqrt(x * x + y * y); }
    float lengthSquared() const { return x * x + y * y; }
    float distance(const Vec2& o) const { return (*this - o).length(); }
    float dot(const Vec2& o) const { return x * o.x + y * o.y; }
    Vec2 getNormalized() const {
        float l = length();
        return l > 0.0f ? Vec2{x / l, y / l} : Vec2{};
    }
};

inline constexpr Vec2 Vec2::ZERO{0.0f, 0.0f};
inline constexpr Vec2 Vec2::ANCHOR_MIDDLE{0.5f, 0.5f};
inline constexpr Vec2 Vec2::ANCHOR_BOTTOM_LEFT{0.0f, 0.0f};

struct Size {
    float width = 0.0f;
    float height = 0.0f;

    constexpr Size() = default;
    constexpr Size(float w, float h) : width(w), height(h) {}

    static const Size ZERO;

    Size operator*(float s) const { return {width * s, height * s}; }
    Size operator/(float s) const { return {width / s, height / s}; }
    bool operator==(const Size& o) const { return width == o.width && height == o.height; }
    bool operator!=(const Size& o) const { return !(*this == o); }
    bool equals(const Size& o) const { return *this == o; }
};

inline constexpr Size Size::ZERO{0.0f, 0.0f};

struct Rect {
    Vec2 origin;
    Size size;

    constexpr Rect() = default;
    constexpr Rect(float x, float y, float w, float h) : origin(x, y), size(w, h) {}
    constexpr Rect(const Vec2& o, const Size& s) : origin(o), size(s) {}

    static const Rect ZERO;

    float getMinX() const { return origin.x; }
    float getMaxX() const { return origin.x + size.width; }
    float getMidX() const { return origin.x + size.width * 0.5f; }
    float getMinY() const { return origin.y; }
    float getMaxY() const { return origin.y + size.height; }
    float getMidY() const { return origin.y + size.height * 0.5f; }
    bool equals(const Rect& o) const { return origin == o.origin && size == o.size; }
    bool operator==(const Rect& o) const { return equals(o); }
    bool containsPoint(const Vec2& p) const {
        return p.x >= getMinX() && p.x <= getMaxX() && p.y >= getMinY() && p.y <= getMaxY();
    }
    bool intersectsRect(const Rect& r) const {
        return !(getMaxX() < r.getMinX() || r.getMaxX() < getMinX() || getMaxY() < r.getMinY() ||
                 r.getMaxY() < getMinY());
    }
};

inline constexpr Rect Rect::ZERO{0.0f, 0.0f, 0.0f, 0.0f};

}  // namespace engine
