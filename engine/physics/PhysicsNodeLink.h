#pragma once

#include "engine/base/AffineTransform.h"
#include "engine/base/Geometry.h"

struct cpBody;

namespace engine {

class Node;
class PhysicsWorld;

// Keeps a body and its node in step. Before a physics step the body is placed at the world
// position of the centre of the node's content box (as it was when the body was attached), turned
// by the rotations of the node and its ancestors; after the step the node is placed where the body
// went, in its parent's space.
//
// Bodies live in scene coordinates, in the library's double precision, and are only moved from
// their nodes when the game moved something. The link remembers the node's local transform and its
// parent's world transform from the last time body and node agreed:
// - the node itself changed (the game set its position, rotation, scale or anchor), or an ancestor
//   turned or scaled: the body is teleported to the node;
// - only ancestors moved, by a translation (a camera scrolling the layer that holds the map): the
//   body is shifted by exactly that translation. Every body under that layer gets the same shift,
//   so their relative places, their velocities and their open contacts are kept;
// - nothing changed: the body is left alone, so steps accumulate at full precision.
// After a step the node is written only if the body moved or turned during it.
class PhysicsNodeLink {
public:
    // The ancestors' share of a node's placement.
    struct Ancestry {
        AffineTransform parentToWorld;
        float rotation = 0.0f;  // sum of the ancestors' rotations, degrees
        float scaleX = 1.0f;    // products of the ancestors' scales
        float scaleY = 1.0f;
        int depth = 0;
        bool underBody = false;  // an ancestor carries a body of `world`
    };
    // The same for every child of `parent`.
    static Ancestry ancestryOf(const Node* parent, const PhysicsWorld* world);

    // Records the centre of the node's content box, as it is now.
    void attach(Node* node);
    void detach();
    Node* getNode() const { return node_; }
    // Makes the next placement start from the node whatever it remembers.
    void invalidate() { synced_ = false; }
    bool isSynced() const { return synced_; }

    // Before a step: follows the node's changes (see above) and notes where the body stands.
    void placeBody(cpBody* body, const Ancestry& ancestry);
    // After a step: moves the node to the body if the body moved or turned during the step.
    void placeNode(cpBody* body, const Ancestry& ancestry);

private:
    void remember(const Ancestry& ancestry);
    Vec2 centreOffset() const;

    Node* node_ = nullptr;
    Vec2 centre_;
    bool synced_ = false;
    AffineTransform local_;
    AffineTransform parent_;
    float rotation_ = 0.0f;
    double stepX_ = 0.0, stepY_ = 0.0, stepAngle_ = 0.0;
};

}  // namespace engine
