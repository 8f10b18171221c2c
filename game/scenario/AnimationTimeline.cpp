#include "game/scenario/AnimationTimeline.h"

#include <algorithm>

namespace vastomer {

const std::vector<AnimationElement>* AnimationTimeline::elementsAt(int frame) const {
    auto found = frames.find(frame);
    return found == frames.end() ? nullptr : &found->second;
}

void AnimationTimeline::add(const AnimationElement& element) {
    frames[element.frame].push_back(element);
    lastFrame = std::max(lastFrame, element.frame);
}

}  // namespace vastomer
