#pragma once

#include <memory>

#include "engine/base/Ref.h"

namespace engine {

// Non-owning pointer that reads null once the object it points to has been destroyed.
// Used for lists of nodes that other nodes own (characters on a map, sprites of a script).
template <typename T>
class WeakRef {
public:
    WeakRef() = default;
    WeakRef(T* object) {  // NOLINT(google-explicit-constructor)
        if (object) cell_ = object->weakCell();
    }

    T* get() const { return cell_ && *cell_ ? static_cast<T*>(*cell_) : nullptr; }
    T* operator->() const { return get(); }
    explicit operator bool() const { return get() != nullptr; }
    bool operator==(const WeakRef& other) const { return get() == other.get(); }

private:
    std::shared_ptr<Ref*> cell_;
};

}  // namespace engine
