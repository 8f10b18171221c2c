#include "engine/platform/MessageBox.h"

#include <SDL.h>

#include <cstdio>

namespace engine {

MessageBox::State& MessageBox::state() {
    static State instance;
    return instance;
}

void MessageBox::show(const std::string& message, const std::string& title) {
    state().shown.push_back({title, message});
    // A dialog needs a display; without one (or when it fails) the text still reaches stderr.
    if (!state().headless &&
        SDL_ShowSimpleMessageBox(SDL_MESSAGEBOX_ERROR, title.c_str(), message.c_str(), nullptr) == 0) {
        return;
    }
    std::fprintf(stderr, "%s: %s\n", title.c_str(), message.c_str());
}

void MessageBox::setHeadless(bool headless) {
    state().headless = headless;
}

bool MessageBox::isHeadless() {
    return state().headless;
}

const std::vector<MessageBox::Shown>& MessageBox::getShown() {
    return state().shown;
}

void MessageBox::clearShown() {
    state().shown.clear();
}

}  // namespace engine
