#pragma once

#include <type_traits>

#include "engine/base/Ref.h"

namespace engine {

// The one instance behind a class's getInstance / destroyInstance pair.
//
// get() makes the instance on first use (`new T`, then `init()` when T has one, dropping it again if
// init fails) and keeps it until take() hands it back. T befriends SingletonSlot<T> when its
// constructor is not public. Reference-counted instances are retained once by being made; plain
// ones are owned by the slot.
template <typename T>
class SingletonSlot {
public:
    static T* get() {
        T*& slot = instance();
        if (!slot) {
            T* made = new T();
            if (!initialise(made)) {
                dispose(made);
                return nullptr;
            }
            slot = made;
        }
        return slot;
    }

    // The instance, or null when there is none; never makes one.
    static T* peek() { return instance(); }

    // Empties the slot and returns what it held, so that the caller can tear it down; the next get()
    // makes a fresh instance.
    static T* take() {
        T* held = instance();
        instance() = nullptr;
        return held;
    }

    // Takes the instance out of the slot, lets `teardown` detach it from whatever still refers to it,
    // then frees it. Does nothing when there is no instance.
    template <typename Teardown>
    static void destroy(Teardown teardown) {
        T* held = take();
        if (!held) return;
        teardown(held);
        dispose(held);
    }
    static void destroy() { dispose(take()); }

    // Frees an instance taken from the slot: released when reference counted, deleted otherwise.
    static void dispose(T* held) {
        if (!held) return;
        if constexpr (std::is_base_of_v<Ref, T>)
            held->release();
        else
            delete held;
    }

private:
    static T*& instance() {
        static T* slot = nullptr;
        return slot;
    }

    template <typename U>
    static auto initialiseImpl(U* made, int) -> decltype(made->init()) {
        return made->init();
    }
    template <typename U>
    static bool initialiseImpl(U*, long) {
        return true;
    }
    static bool initialise(T* made) { return initialiseImpl<T>(made, 0); }
};

}  // namespace engine
