#pragma once

// Small helpers shared by the state dump's sections: numbers as they read back, points, and the
// screen and controller on show.

#include <charconv>

#include <nlohmann/json.hpp>

#include "engine/base/Geometry.h"
#include "game/app/SceneManager.h"

namespace vastomer::dump {

// A float as the shortest decimal that reads back as it : 0.7 rather than 0.699999988079071.
inline double shortNumber(float value) {
    char text[32];
    auto written = std::to_chars(text, text + sizeof text, value);
    double number = 0.0;
    std::from_chars(text, written.ptr, number);
    return number;
}

inline nlohmann::json point(const engine::Vec2& p) {
    return nlohmann::json::array({shortNumber(p.x), shortNumber(p.y)});
}

// The screen on show when it is a T, else null.
template <typename T>
T* currentLayer() {
    SceneManager* manager = SceneManager::peekInstance();
    return manager ? dynamic_cast<T*>(manager->getCurrentLayer()) : nullptr;
}

// The controller in charge when it is a T, else null.
template <typename T>
T* currentController() {
    SceneManager* manager = SceneManager::peekInstance();
    return manager ? dynamic_cast<T*>(manager->getCurrentController()) : nullptr;
}

}  // namespace vastomer::dump
