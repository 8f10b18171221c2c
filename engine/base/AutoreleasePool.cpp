#include "engine/base/AutoreleasePool.h"

#include <algorithm>

#include "engine/base/Ref.h"

namespace engine {

AutoreleasePool& AutoreleasePool::getInstance() {
    static AutoreleasePool pool;
    return pool;
}

void AutoreleasePool::addObject(Ref* object) {
    objects_.push_back(object);
}

void AutoreleasePool::clear() {
    std::vector<Ref*> draining;
    draining.swap(objects_);
    for (Ref* object : draining)
        object->release();
}

bool AutoreleasePool::contains(const Ref* object) const {
    return std::find(objects_.begin(), objects_.end(), object) != objects_.end();
}

}  // namespace engine
