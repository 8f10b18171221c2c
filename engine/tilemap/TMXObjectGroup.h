#pragma once

#include <string>

#include "engine/base/Geometry.h"
#include "engine/base/Ref.h"
#include "engine/base/Value.h"

namespace engine {

// An object group of a tile map: its objects, each a ValueMap with the keys "name", "type", "x",
// "y", "width", "height", "gid", "id", "rotation" and the object's own properties (as text).
// Positions are in the map node's space (origin at the lower left); see TMXParser for the details.
class TMXObjectGroup : public Ref {
public:
    static TMXObjectGroup* create();

    const std::string& getGroupName() const { return groupName_; }
    void setGroupName(const std::string& name) { groupName_ = name; }
    // Pixel offset added to every object (the group's x/y attributes times the tile size).
    const Vec2& getPositionOffset() const { return positionOffset_; }
    void setPositionOffset(const Vec2& offset) { positionOffset_ = offset; }

    // Every entry is a Value holding a ValueMap, in file order.
    const ValueVector& getObjects() const { return objects_; }
    void addObject(ValueMap object) { objects_.emplace_back(std::move(object)); }
    // The first object with that name; an empty map if there is none.
    ValueMap getObject(const std::string& name) const;

    const ValueMap& getProperties() const { return properties_; }
    void setProperties(ValueMap properties) { properties_ = std::move(properties); }
    // The group's own property; a null Value if it has none of that name.
    Value getProperty(const std::string& name) const;

private:
    TMXObjectGroup() = default;

    std::string groupName_;
    Vec2 positionOffset_;
    ValueVector objects_;
    ValueMap properties_;
};

}  // namespace engine
