#pragma once

#include <memory>

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
    ~Scene() override;

    // The world of a scene made with physics, else null.
    PhysicsWorld* getPhysicsWorld() const { return physicsWorld_.get(); }
    // Steps the physics world (if any) by dt.
    virtual void stepPhysics(float dt);
    // Draws the tree, then the physics debug outlines when they are enabled.
    void visit(Renderer& renderer, const DrawContext& parent) override;

protected:
    Scene();

private:
    std::unique_ptr<PhysicsWorld> physicsWorld_;
};

}  // namespace engine
