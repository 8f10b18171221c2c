#pragma once

#include "engine/actions/Action.h"
#include "engine/base/Geometry.h"
#include "engine/base/RefPtr.h"
#include "engine/scene/Node.h"

namespace engine {

// Keeps a followed node at the screen centre by moving the target (normally the node holding the
// world): target position = half the screen size + offset - followed position, optionally clamped
// to a boundary rectangle. Done once the followed node leaves the running scene.
class Follow : public Action {
public:
    static Follow* create(Node* followed, const Rect& boundary = Rect::ZERO);
    static Follow* createWithOffset(Node* followed, float offsetX, float offsetY,
                                    const Rect& boundary = Rect::ZERO);

    void step(float dt) override;
    bool isDone() const override;
    void stop() override;

private:
    Follow() = default;
    void init(Node* followed, float offsetX, float offsetY, const Rect& boundary);

    RefPtr<Node> followed_;
    Vec2 halfScreen_;
    bool boundarySet_ = false;
    bool fullyCovered_ = false;
    float left_ = 0, right_ = 0, top_ = 0, bottom_ = 0;
};

}  // namespace engine
