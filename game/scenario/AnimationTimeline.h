#pragma once

#include <map>
#include <string>
#include <vector>

#include "game/scenario/AnimationElement.h"

namespace vastomer {

// What an animation script holds: its header and its element lines by frame, in file order.
struct AnimationTimeline {
    std::string name;
    int width = 0;
    int height = 0;
    double interval = 0.0;  // seconds per frame
    std::map<int, std::vector<AnimationElement>> frames;
    int lastFrame = -1;  // the highest frame number; -1 when nothing is loaded

    void clear() { *this = AnimationTimeline(); }
    bool isEmpty() const { return lastFrame < 0; }
    // The elements of a frame; null for a frame without lines.
    const std::vector<AnimationElement>* elementsAt(int frame) const;
    void add(const AnimationElement& element);
};

}  // namespace vastomer
