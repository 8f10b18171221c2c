#include "engine/base/Ref.h"

#include <cassert>

#include "engine/base/AutoreleasePool.h"

namespace engine {

Ref::~Ref() {
    if (weakCell_) *weakCell_ = nullptr;
}

void Ref::retain() {
    assert(refCount_ > 0 && "retain on a destroyed object");
    ++refCount_;
}

void Ref::release() {
    assert(refCount_ > 0 && "release on a destroyed object");
    if (--refCount_ == 0) delete this;
}

Ref* Ref::autorelease() {
    AutoreleasePool::getInstance().addObject(this);
    return this;
}

const std::shared_ptr<Ref*>& Ref::weakCell() {
    if (!weakCell_) weakCell_ = std::make_shared<Ref*>(this);
    return weakCell_;
}

}  // namespace engine
