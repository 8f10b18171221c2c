#pragma once

#include "engine/scene/Node.h"

namespace engine {

class PhysicsWorld;

// The root of what the director draws. A scene made with physics owns a physics world that steps
// once a frame after the updates.
class Scene : public Node {
public:
    static Scene* create();
    static Scene* createWithPhysics();

    bool init() override;
    virtual bool initWithPhysics();

    // Steps the physics world (if any) by dt.
    virtual void stepPhysics(float dt);

protected:
    Scene();
};

}  // namespace engine
