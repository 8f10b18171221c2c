#pragma once

#include <array>

#include "engine/base/Geometry.h"
#include "engine/base/Ref.h"
#include "engine/physics/PhysicsMaterial.h"

struct cpShape;
struct cpSpace;

namespace engine {

class PhysicsBody;

// A box belonging to a body: its geometry (centred at an offset from the body's origin), its
// material and the masks that decide which contacts it reports and which it collides with.
//
// Masks: a pair reports contacts when each shape's category meets the other's contact-test mask;
// it collides when both groups are the same non-zero value and positive, or otherwise when each
// shape's category meets the other's collision mask. Mask changes made while the world steps take
// effect once the step is over (an open contact keeps the decision made when it began).
//
// A box of zero area never reaches the physics library: it keeps its masks and mass but touches
// nothing. The same holds while the node's scale squashes the box flat.
class PhysicsShape : public Ref {
public:
    static PhysicsShape* createBox(const Size& size,
                                   const PhysicsMaterial& material = PHYSICSBODY_MATERIAL_DEFAULT,
                                   const Vec2& offset = Vec2::ZERO);
    ~PhysicsShape() override;

    // The body holding the shape, or null.
    PhysicsBody* getBody() const { return body_; }
    int getTag() const { return tag_; }
    void setTag(int tag) { tag_ = tag; }
    const PhysicsMaterial& getMaterial() const { return material_; }
    const Size& getSize() const { return size_; }
    const Vec2& getOffset() const { return offset_; }
    // Unscaled area, and the mass and moment (about the body's origin) it contributes.
    float getArea() const { return size_.width * size_.height; }
    float getMass() const { return material_.density * getArea(); }
    float getMoment() const;
    // Corners in the body's frame, counter-clockwise, with the node's scale applied.
    std::array<Vec2, 4> getPoints() const;
    // False while the box has no area (it is then kept out of the simulation).
    bool isSolid() const;
    // True while the shape takes part in the simulation of a world.
    bool isInSpace() const { return inSpace_; }

    void setCategoryBitmask(int bitmask);
    int getCategoryBitmask() const { return category_; }
    void setCollisionBitmask(int bitmask);
    int getCollisionBitmask() const { return collision_; }
    void setContactTestBitmask(int bitmask);
    int getContactTestBitmask() const { return contactTest_; }
    void setGroup(int group);
    int getGroup() const { return group_; }

    // Whether a pair of shapes reports contacts, and whether it collides.
    static bool shouldNotify(const PhysicsShape& a, const PhysicsShape& b);
    static bool shouldCollide(const PhysicsShape& a, const PhysicsShape& b);

private:
    friend class PhysicsBody;

    PhysicsShape(const Size& size, const PhysicsMaterial& material, const Vec2& offset);
    // Runs a change now, or after the step when the body's world is stepping.
    template <typename Change>
    void change(Change&& apply);

    // Creates the library shape on the body's library body.
    void attach(PhysicsBody* body);
    void detach();
    // Scale of the node (with its ancestors); re-shapes the polygon, keeping it counter-clockwise.
    void setScale(float scaleX, float scaleY);
    // Puts the shape into the space or takes it out, following whether it has area.
    void enterSpace(cpSpace* space);
    void leaveSpace();
    cpShape* getCPShape() const { return shape_; }
    void applyFilter();

    PhysicsBody* body_ = nullptr;
    cpShape* shape_ = nullptr;
    cpSpace* space_ = nullptr;
    bool inSpace_ = false;
    Size size_;
    Vec2 offset_;
    PhysicsMaterial material_;
    float scaleX_ = 1.0f, scaleY_ = 1.0f;
    int tag_ = 0;
    int category_ = ~0;
    int collision_ = ~0;
    int contactTest_ = 0;
    int group_ = 0;
};

}  // namespace engine
