#pragma once

#include "engine/scene/Node.h"

namespace engine {

// A screen-sized node whose origin sits at its position (anchor ignored for placement).
class Layer : public Node {
public:
    static Layer* create();
    bool init() override;

protected:
    Layer();
};

}  // namespace engine
