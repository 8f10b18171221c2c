#pragma once

#include <memory>

namespace engine {

// Intrusive reference count shared by every engine object. Objects start with one reference;
// `autorelease` hands that reference to the current frame's pool, which drops it when the frame ends.
class Ref {
public:
    Ref(const Ref&) = delete;
    Ref& operator=(const Ref&) = delete;
    virtual ~Ref();

    void retain();
    void release();
    Ref* autorelease();
    unsigned int getReferenceCount() const { return refCount_; }

    // Shared cell that outlives the object and reads null once it is destroyed (see WeakRef).
    const std::shared_ptr<Ref*>& weakCell();

protected:
    Ref() = default;

private:
    unsigned int refCount_ = 1;
    std::shared_ptr<Ref*> weakCell_;
};

}  // namespace engine
