#include "game/harness/InputScriptPlayer.h"

#include <algorithm>
#include <cstddef>

#include "engine/events/EventDispatcher.h"
#include "engine/events/EventKeyboard.h"
#include "engine/platform/Joystick.h"
#include "engine/scene/Director.h"

namespace vastomer {

void InputScriptPlayer::applyFrame(uint64_t frame) {
    while (next_ < events_.size() && events_[next_].frame <= frame)
        apply(events_[next_++]);
}

void InputScriptPlayer::append(const std::vector<InputEvent>& events) {
    for (const InputEvent& event : events) {
        auto at =
            std::upper_bound(events_.begin() + static_cast<std::ptrdiff_t>(next_), events_.end(), event,
                             [](const InputEvent& a, const InputEvent& b) { return a.frame < b.frame; });
        events_.insert(at, event);
    }
}

void InputScriptPlayer::apply(const InputEvent& event) {
    auto* joystick = engine::Joystick::getInstance();
    switch (event.kind) {
        case InputEvent::Kind::KEY_DOWN:
        case InputEvent::Kind::KEY_UP: {
            engine::EventKeyboard key(static_cast<engine::KeyCode>(event.code),
                                      event.kind == InputEvent::Kind::KEY_DOWN);
            engine::Director::getInstance()->getEventDispatcher()->dispatchEvent(&key);
            break;
        }
        case InputEvent::Kind::PAD_CONNECT:
            if (padSlot_ >= 0) {
                joystick->injectConnect(padSlot_);
                break;
            }
            // The first slot that holds no pad.
            for (int slot = 0; slot < engine::Joystick::MAX_SLOTS; ++slot) {
                if (!joystick->isPresent(slot) && joystick->injectConnect(slot)) {
                    padSlot_ = slot;
                    break;
                }
            }
            break;
        case InputEvent::Kind::PAD_DISCONNECT:
            if (padSlot_ >= 0) joystick->injectDisconnect(padSlot_);
            padSlot_ = -1;
            break;
        case InputEvent::Kind::PAD_BUTTON:
            if (padSlot_ >= 0) joystick->injectButton(padSlot_, event.code, event.down);
            break;
        case InputEvent::Kind::PAD_AXIS:
            if (padSlot_ >= 0) joystick->injectAxis(padSlot_, event.code, event.value);
            break;
    }
}

}  // namespace vastomer
