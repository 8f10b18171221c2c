#pragma once

namespace engine {

// Surface and mass properties of a shape. A shape weighs density × area; the restitution and the
// friction of a contact are the products of the two shapes' values.
struct PhysicsMaterial {
    float density = 0.0f;
    float restitution = 0.0f;
    float friction = 0.0f;

    constexpr PhysicsMaterial() = default;
    constexpr PhysicsMaterial(float aDensity, float aRestitution, float aFriction)
        : density(aDensity), restitution(aRestitution), friction(aFriction) {}
};

// The material of shapes made without one.
inline constexpr PhysicsMaterial PHYSICSBODY_MATERIAL_DEFAULT{0.1f, 0.5f, 0.5f};

// Stands for "no limit" in velocity limits and similar settings.
inline constexpr float PHYSICS_INFINITY = 3.402823466e+38f;

}  // namespace engine
