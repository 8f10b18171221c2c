#pragma once

#include <cstdint>

namespace engine {

// Blend factors by their OpenGL enum values, as content files (particle plists) store them.
namespace gl {
constexpr uint32_t ZERO = 0;
constexpr uint32_t ONE = 1;
constexpr uint32_t SRC_COLOR = 0x0300;
constexpr uint32_t ONE_MINUS_SRC_COLOR = 0x0301;
constexpr uint32_t SRC_ALPHA = 0x0302;
constexpr uint32_t ONE_MINUS_SRC_ALPHA = 0x0303;
constexpr uint32_t DST_ALPHA = 0x0304;
constexpr uint32_t ONE_MINUS_DST_ALPHA = 0x0305;
constexpr uint32_t DST_COLOR = 0x0306;
constexpr uint32_t ONE_MINUS_DST_COLOR = 0x0307;
}  // namespace gl

struct BlendFunc {
    uint32_t src = gl::SRC_ALPHA;
    uint32_t dst = gl::ONE_MINUS_SRC_ALPHA;

    bool operator==(const BlendFunc& o) const { return src == o.src && dst == o.dst; }
    bool operator!=(const BlendFunc& o) const { return !(*this == o); }

    static const BlendFunc ALPHA_PREMULTIPLIED;
    static const BlendFunc ALPHA_NON_PREMULTIPLIED;
    static const BlendFunc ADDITIVE;
    static const BlendFunc DISABLE;
};

inline constexpr BlendFunc BlendFunc::ALPHA_PREMULTIPLIED{gl::ONE, gl::ONE_MINUS_SRC_ALPHA};
inline constexpr BlendFunc BlendFunc::ALPHA_NON_PREMULTIPLIED{gl::SRC_ALPHA, gl::ONE_MINUS_SRC_ALPHA};
inline constexpr BlendFunc BlendFunc::ADDITIVE{gl::SRC_ALPHA, gl::ONE};
inline constexpr BlendFunc BlendFunc::DISABLE{gl::ONE, gl::ZERO};

}  // namespace engine
