#include "game/harness/InputRecorder.h"

#include "engine/events/EventDispatcher.h"
#include "engine/platform/Joystick.h"
#include "engine/scene/Director.h"
#include "game/harness/InputScript.h"

namespace vastomer {

InputRecorder::~InputRecorder() {
    close();
}

bool InputRecorder::open(const std::string& path, std::string& error, bool keepRunning) {
    out_.open(path, std::ios::binary | std::ios::trunc);
    if (!out_) {
        error = path + ": cannot write the recording";
        return false;
    }
    out_ << "# Quorin input recording: FRAME down|up KEY, FRAME pad ...\n";
    if (keepRunning) out_ << InputScript::KEEP_RUNNING << "\n";
    out_.flush();
    return true;
}

void InputRecorder::attach() {
    if (listener_ || !out_.is_open()) return;
    listener_ = engine::EventListenerKeyboard::create();
    listener_->onKeyPressed = [this](engine::KeyCode code, engine::Event*) {
        recordKey(static_cast<int>(code), true);
    };
    listener_->onKeyReleased = [this](engine::KeyCode code, engine::Event*) {
        recordKey(static_cast<int>(code), false);
    };
    engine::Director::getInstance()->getEventDispatcher()->addEventListenerWithFixedPriority(
        listener_, KEYBOARD_PRIORITY);
}

void InputRecorder::recordKey(int keyCode, bool down) {
    InputEvent event;
    event.frame = engine::Director::getInstance()->getTotalFrames();
    event.kind = down ? InputEvent::Kind::KEY_DOWN : InputEvent::Kind::KEY_UP;
    event.code = keyCode;
    write(InputScript::formatEvent(event));
}

void InputRecorder::observePads(uint64_t frame) {
    if (!out_.is_open() || frame == 0) return;
    auto* joystick = engine::Joystick::getInstance();
    int pad = -1;
    for (int slot = 0; slot < engine::Joystick::MAX_SLOTS && pad < 0; ++slot)
        if (joystick->isPresent(slot)) pad = slot;

    InputEvent event;
    event.frame = frame;
    if (pad < 0) {
        if (padPresent_) {
            event.kind = InputEvent::Kind::PAD_DISCONNECT;
            write(InputScript::formatEvent(event));
        }
        padPresent_ = false;
        return;
    }
    if (!padPresent_) {
        event.kind = InputEvent::Kind::PAD_CONNECT;
        write(InputScript::formatEvent(event));
        // A freshly plugged pad starts with everything released.
        buttons_.assign(engine::Joystick::BUTTON_COUNT, 0);
        axes_.assign(engine::Joystick::AXIS_COUNT, 0.0f);
        padPresent_ = true;
    }
    const auto& buttons = joystick->getButtons(pad);
    const auto& axes = joystick->getAxes(pad);
    for (std::size_t i = 0; i < buttons.size() && i < buttons_.size(); ++i) {
        if (buttons[i] == buttons_[i]) continue;
        buttons_[i] = buttons[i];
        event.kind = InputEvent::Kind::PAD_BUTTON;
        event.code = static_cast<int>(i);
        event.down = buttons[i] != 0;
        write(InputScript::formatEvent(event));
    }
    for (std::size_t i = 0; i < axes.size() && i < axes_.size(); ++i) {
        if (axes[i] == axes_[i]) continue;
        axes_[i] = axes[i];
        event.kind = InputEvent::Kind::PAD_AXIS;
        event.code = static_cast<int>(i);
        event.value = axes[i];
        write(InputScript::formatEvent(event));
    }
}

void InputRecorder::close() {
    if (listener_) {
        if (engine::Director::peekInstance())
            engine::Director::getInstance()->getEventDispatcher()->removeEventListener(listener_);
        listener_.reset();
    }
    if (out_.is_open()) out_.close();
}

void InputRecorder::write(const std::string& line) {
    out_ << line << '\n';
    out_.flush();
}

}  // namespace vastomer
