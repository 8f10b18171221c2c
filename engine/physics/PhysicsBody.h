#pragma once

#include <functional>
#include <string>
#include <vector>

#include "engine/base/Geometry.h"
#include "engine/base/Ref.h"
#include "engine/physics/PhysicsMaterial.h"
#include "engine/physics/PhysicsNodeLink.h"

struct cpBody;

namespace engine {

class Node;
class PhysicsShape;
class PhysicsWorld;

// A rigid body made of boxes, attached to a node with Node::setPhysicsBody. It joins the physics
// world of the scene when its node enters the running scene and leaves when the node exits; each
// frame it is placed where its node is before the world steps, and the node follows it after.
//
// Mass and moment start as the sums over the shapes (mass 1 and moment 200 when the shapes weigh
// nothing). A body that is not dynamic is kinematic: it weighs nothing to the solver, ignores
// gravity and forces, moves by its own velocity only and pushes dynamic bodies away. Mass and
// moment set meanwhile are kept and take effect when it becomes dynamic again.
//
// While the world steps (inside contact callbacks) changes that touch the simulation (joining or
// leaving the world, type, mass, moment, shapes, masks) wait until the step is over and are then
// applied in the order they were asked for. Values that are not finite are ignored.
class PhysicsBody : public Ref {
public:
    static PhysicsBody* create();
    static PhysicsBody* createBox(const Size& size,
                                  const PhysicsMaterial& material = PHYSICSBODY_MATERIAL_DEFAULT,
                                  const Vec2& offset = Vec2::ZERO);
    ~PhysicsBody() override;

    // --- shapes ---
    PhysicsShape* addShape(PhysicsShape* shape, bool addMassAndMoment = true);
    void removeShape(PhysicsShape* shape, bool reduceMassAndMoment = true);
    void removeAllShapes(bool reduceMassAndMoment = true);
    const std::vector<PhysicsShape*>& getShapes() const { return shapes_; }
    PhysicsShape* getFirstShape() const { return shapes_.empty() ? nullptr : shapes_.front(); }
    PhysicsShape* getShape(int tag) const;

    // --- motion ---
    void setVelocity(const Vec2& velocity);
    Vec2 getVelocity() const;
    void setAngularVelocity(float radiansPerSecond);
    float getAngularVelocity() const;
    // Caps the speed after gravity and forces are added each step (PHYSICS_INFINITY: no cap).
    void setVelocityLimit(float limit);
    float getVelocityLimit() const { return velocityLimit_; }
    void setAngularVelocityLimit(float limit);
    float getAngularVelocityLimit() const { return angularVelocityLimit_; }
    // A force acts during the next step only; `offset` is a point in the body's frame.
    void applyForce(const Vec2& force, const Vec2& offset = Vec2::ZERO);
    void resetForces();
    // Changes the velocity at once by impulse / mass.
    void applyImpulse(const Vec2& impulse, const Vec2& offset = Vec2::ZERO);
    // Sets the torque of the next step.
    void applyTorque(float torque);

    // --- mass and type ---
    // Ignored unless mass > 0.
    void setMass(float mass);
    float getMass() const { return mass_; }
    // Ignored unless moment > 0. Used while rotation is enabled and the body is dynamic.
    void setMoment(float moment);
    float getMoment() const { return moment_; }
    void setDynamic(bool dynamic);
    bool isDynamic() const { return dynamic_; }
    void setRotationEnable(bool enable);
    bool isRotationEnabled() const { return rotationEnabled_; }
    void setGravityEnable(bool enable) { gravityEnabled_ = enable; }
    bool isGravityEnabled() const { return gravityEnabled_; }

    // --- masks (applied to every shape, see PhysicsShape) ---
    void setCategoryBitmask(int bitmask);
    int getCategoryBitmask() const { return category_; }
    void setCollisionBitmask(int bitmask);
    int getCollisionBitmask() const { return collision_; }
    void setContactTestBitmask(int bitmask);
    int getContactTestBitmask() const { return contactTest_; }
    void setGroup(int group);
    int getGroup() const { return group_; }

    // --- identity ---
    void setName(const std::string& name) { name_ = name; }
    const std::string& getName() const { return name_; }
    void setTag(int tag) { tag_ = tag; }
    int getTag() const { return tag_; }

    // The node the body is attached to; null once detached or once the node is destroyed.
    Node* getNode() const { return link_.getNode(); }
    // The world the body belongs to (also while its joining or leaving waits for a step to end).
    PhysicsWorld* getWorld() const { return world_; }
    // World position of the body (the centre of its node's content box after a step) and its
    // rotation in degrees, clockwise.
    Vec2 getPosition() const;
    float getRotation() const;
    // Takes the body out of its world (now, or once the step is over).
    void removeFromWorld();

    // --- called by Node ---
    void attachToNode(Node* node);
    void detachFromNode();
    void onNodeEnter();
    void onNodeExit();
    void onNodeDestroyed();

private:
    friend class PhysicsWorld;
    friend class PhysicsShape;

    PhysicsBody();
    // Runs a change now, or after the step when the body's world is stepping. Motion changes
    // (velocity, forces) run now unless structural changes are already waiting, to keep call order.
    void change(std::function<void()> apply);
    void motionChange(const std::function<void()>& apply);
    bool isSpaceLocked() const;

    // Brings the library body in line with the type, mass and moment asked for.
    void applyType(bool dynamic);
    void applyMass();
    void addMassAndMoment(float mass, float moment);
    void setShapesScale(float scaleX, float scaleY);
    // Leaves the world if in one (the node's exit and destruction: nothing to report).
    void leaveWorld();
    // Joining and leaving the space (world side).
    void enterSpace(PhysicsWorld* world);
    void leaveSpace();
    bool isInSpace() const { return spaceWorld_ != nullptr; }
    cpBody* getCPBody() const { return body_; }
    PhysicsNodeLink& getLink() { return link_; }

    cpBody* body_ = nullptr;
    std::vector<PhysicsShape*> shapes_;
    PhysicsNodeLink link_;
    PhysicsWorld* world_ = nullptr;
    PhysicsWorld* spaceWorld_ = nullptr;
    int pendingChanges_ = 0;
    std::string name_;
    int tag_ = 0;
    float mass_ = 1.0f;
    float moment_ = 200.0f;
    bool massDefault_ = true;
    bool momentDefault_ = true;
    bool dynamic_ = true;
    bool rotationEnabled_ = true;
    bool gravityEnabled_ = true;
    float velocityLimit_ = PHYSICS_INFINITY;
    float angularVelocityLimit_ = PHYSICS_INFINITY;
    float scaleX_ = 1.0f, scaleY_ = 1.0f;
    int category_ = ~0;
    int collision_ = ~0;
    int contactTest_ = 0;
    int group_ = 0;
};

}  // namespace engine
