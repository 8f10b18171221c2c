#pragma once

#include "engine/base/Geometry.h"

namespace engine {

// 2D affine map: x' = a*x + c*y + tx, y' = b*x + d*y + ty.
struct AffineTransform {
    float a = 1.0f, b = 0.0f, c = 0.0f, d = 1.0f;
    float tx = 0.0f, ty = 0.0f;

    static const AffineTransform IDENTITY;

    Vec2 apply(const Vec2& p) const { return {a * p.x + c * p.y + tx, b * p.x + d * p.y + ty}; }
    Vec2 applyToVector(const Vec2& v) const { return {a * v.x + c * v.y, b * v.x + d * v.y}; }

    // this ∘ other: apply `other` first, then this.
    AffineTransform concat(const AffineTransform& o) const {
        return {a * o.a + c * o.b, b * o.a + d * o.b,        a * o.c + c * o.d,
                b * o.c + d * o.d, a * o.tx + c * o.ty + tx, b * o.tx + d * o.ty + ty};
    }

    AffineTransform inverse() const {
        float det = a * d - b * c;
        if (det == 0.0f) return IDENTITY;
        float inv = 1.0f / det;
        return {d * inv, -b * inv, -c * inv, a * inv, (c * ty - d * tx) * inv, (b * tx - a * ty) * inv};
    }

    bool isAxisAligned() const { return b == 0.0f && c == 0.0f; }
};

inline constexpr AffineTransform AffineTransform::IDENTITY{};

}  // namespace engine
