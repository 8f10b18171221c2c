#pragma once

#include <vector>

namespace engine {

class Ref;

// Objects handed over with `autorelease` are released when the pool drains at the end of each frame.
class AutoreleasePool {
public:
    static AutoreleasePool& getInstance();

    void addObject(Ref* object);
    // Releases every object added so far; objects autoreleased while draining wait for the next drain.
    void clear();
    bool contains(const Ref* object) const;
    std::size_t size() const { return objects_.size(); }

private:
    std::vector<Ref*> objects_;
};

}  // namespace engine
