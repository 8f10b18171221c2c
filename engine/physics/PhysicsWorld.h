#pragma once

#include <functional>
#include <memory>
#include <vector>

#include "engine/base/Geometry.h"
#include "engine/base/RefPtr.h"

struct cpSpace;

namespace engine {

class PhysicsBody;
class PhysicsContactHandler;
class Renderer;
class Scene;

// The physics world of a scene made with Scene::createWithPhysics: a Chipmunk space stepped once
// a frame, after the scheduler and before drawing.
//
// A frame (update): changes still waiting are applied; every body is placed where its node is;
// the space steps once by dt × speed (speed 0 freezes every body, 1 is normal time); changes asked
// for during the step are applied in call order; every node that moved is placed where its body
// went. Contact callbacks (EventListenerPhysicsContact) run inside the step; separations of one
// step come in the order the contacts began.
//
// While the space is locked (inside a step or a contact callback), joining, leaving and every
// other change to bodies and shapes waits and is applied in call order once it is unlocked.
class PhysicsWorld {
public:
    static constexpr int DEBUGDRAW_NONE = 0;
    static constexpr int DEBUGDRAW_SHAPE = 1;
    static constexpr int DEBUGDRAW_ALL = 0xFFFF;

    explicit PhysicsWorld(Scene& scene);
    ~PhysicsWorld();
    PhysicsWorld(const PhysicsWorld&) = delete;
    PhysicsWorld& operator=(const PhysicsWorld&) = delete;

    Scene& getScene() const { return scene_; }
    // Default (0, -98).
    void setGravity(const Vec2& gravity);
    Vec2 getGravity() const { return gravity_; }
    // Scales the length of each step; negative or non-finite values are ignored.
    void setSpeed(float speed);
    float getSpeed() const { return speed_; }
    // Draws the outline of every shape over the scene when not DEBUGDRAW_NONE (the default).
    void setDebugDrawMask(int mask) { debugDrawMask_ = mask; }
    int getDebugDrawMask() const { return debugDrawMask_; }

    // Bodies in the order they joined.
    const std::vector<PhysicsBody*>& getAllBodies() const { return bodies_; }
    PhysicsBody* getBody(int tag) const;
    void removeBody(PhysicsBody* body);
    void removeBody(int tag);
    void removeAllBodies();

    // One frame of the world (called by the scene).
    void update(float dt);
    // True inside a step or a contact callback: changes wait until it is over.
    bool isLocked() const;
    void debugDraw(Renderer& renderer) const;

private:
    friend class PhysicsBody;

    cpSpace* getSpace() const { return space_; }
    // A node with a body entered the scene.
    void addBody(PhysicsBody* body);
    // Takes a body of this world out of it (now, or once the step is over).
    void detachBody(PhysicsBody* body);
    // Runs a change at once, or queues it while the space is locked; afterwards delivers the
    // separations it caused and applies what their callbacks asked for.
    void perform(std::function<void()> change);
    void defer(std::function<void()> change);
    void settle();
    void placeBodies();
    void placeNodes();

    // A body being stepped this frame and its depth in the scene (nodes are written parents first).
    struct StepEntry {
        RefPtr<PhysicsBody> body;
        int depth;
    };

    Scene& scene_;
    cpSpace* space_ = nullptr;
    std::unique_ptr<PhysicsContactHandler> contacts_;
    std::vector<PhysicsBody*> bodies_;
    std::vector<StepEntry> stepping_;
    std::vector<std::function<void()>> pending_;
    std::size_t nextPending_ = 0;
    Vec2 gravity_{0.0f, -98.0f};
    float speed_ = 1.0f;
    int debugDrawMask_ = DEBUGDRAW_NONE;
    int dispatchLock_ = 0;
    bool settling_ = false;
};

}  // namespace engine
