#pragma once

#include <nlohmann/json.hpp>

#include "game/scenario/AnimationTimeline.h"

namespace content {

// An animation script's timeline as JSON: the header, then every frame with its elements in file
// order, each element with the fields its command uses.
class AnimationJson {
public:
    static nlohmann::json of(const vastomer::AnimationTimeline& timeline);
    static nlohmann::json of(const vastomer::AnimationElement& element);
};

}  // namespace content
