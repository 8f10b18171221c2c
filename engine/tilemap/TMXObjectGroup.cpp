#include "engine/tilemap/TMXObjectGroup.h"

namespace engine {

TMXObjectGroup* TMXObjectGroup::create() {
    auto* group = new TMXObjectGroup();
    group->autorelease();
    return group;
}

ValueMap TMXObjectGroup::getObject(const std::string& name) const {
    for (const Value& object : objects_) {
        const ValueMap& map = object.asValueMap();
        auto found = map.find("name");
        if (found != map.end() && found->second.asString() == name) return map;
    }
    return ValueMap();
}

Value TMXObjectGroup::getProperty(const std::string& name) const {
    auto found = properties_.find(name);
    return found == properties_.end() ? Value() : found->second;
}

}  // namespace engine
