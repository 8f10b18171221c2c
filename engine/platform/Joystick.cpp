#include "engine/platform/Joystick.h"

#include <cmath>

namespace engine {

namespace {

// SDL's game-controller buttons in the order of the polled button array.
const SDL_GameControllerButton kButtonOrder[Joystick::BUTTON_COUNT] = {SDL_CONTROLLER_BUTTON_A,
                                                                       SDL_CONTROLLER_BUTTON_B,
                                                                       SDL_CONTROLLER_BUTTON_X,
                                                                       SDL_CONTROLLER_BUTTON_Y,
                                                                       SDL_CONTROLLER_BUTTON_LEFTSHOULDER,
                                                                       SDL_CONTROLLER_BUTTON_RIGHTSHOULDER,
                                                                       SDL_CONTROLLER_BUTTON_BACK,
                                                                       SDL_CONTROLLER_BUTTON_START,
                                                                       SDL_CONTROLLER_BUTTON_LEFTSTICK,
                                                                       SDL_CONTROLLER_BUTTON_RIGHTSTICK,
                                                                       SDL_CONTROLLER_BUTTON_DPAD_UP,
                                                                       SDL_CONTROLLER_BUTTON_DPAD_RIGHT,
                                                                       SDL_CONTROLLER_BUTTON_DPAD_DOWN,
                                                                       SDL_CONTROLLER_BUTTON_DPAD_LEFT};

// SDL's axes in the order of the polled axis array. SDL's stick y already grows downwards.
const SDL_GameControllerAxis kAxisOrder[Joystick::AXIS_COUNT] = {
    SDL_CONTROLLER_AXIS_LEFTX,  SDL_CONTROLLER_AXIS_LEFTY,       SDL_CONTROLLER_AXIS_RIGHTX,
    SDL_CONTROLLER_AXIS_RIGHTY, SDL_CONTROLLER_AXIS_TRIGGERLEFT, SDL_CONTROLLER_AXIS_TRIGGERRIGHT};

bool isTrigger(int axis) {
    return axis >= 4;
}

float clampAxis(int axis, float value) {
    if (!std::isfinite(value)) return 0.0f;
    float low = isTrigger(axis) ? 0.0f : -1.0f;
    return value < low ? low : (value > 1.0f ? 1.0f : value);
}

bool validSlot(int index) {
    return index >= 0 && index < Joystick::MAX_SLOTS;
}

}  // namespace

Joystick* Joystick::getInstance() {
    static Joystick instance;
    return &instance;
}

bool Joystick::isPresent(int index) {
    startDevices();
    return validSlot(index) && polled_[index].present;
}

const std::vector<unsigned char>& Joystick::getButtons(int index) {
    startDevices();
    return validSlot(index) ? polled_[index].buttons : noButtons_;
}

const std::vector<float>& Joystick::getAxes(int index) {
    startDevices();
    return validSlot(index) ? polled_[index].axes : noAxes_;
}

void Joystick::sampleDevices() {
    startDevices();
    for (Slot& slot : live_) {
        if (slot.device) readDevice(slot);
    }
    copyLiveToPolled();
}

void Joystick::copyLiveToPolled() {
    for (int i = 0; i < MAX_SLOTS; ++i) {
        const Slot& slot = live_[i];
        Polled& polled = polled_[i];
        polled.present = slot.present;
        if (slot.present) {
            polled.buttons.assign(slot.buttons.begin(), slot.buttons.end());
            polled.axes.assign(slot.axes.begin(), slot.axes.end());
        } else {
            polled.buttons.clear();
            polled.axes.clear();
        }
    }
}

void Joystick::readDevice(Slot& slot) {
    for (int b = 0; b < BUTTON_COUNT; ++b) {
        slot.buttons[b] = SDL_GameControllerGetButton(slot.device, kButtonOrder[b]) ? 1 : 0;
    }
    for (int a = 0; a < AXIS_COUNT; ++a) {
        // Raw values run from -32768 to 32767 (triggers 0 to 32767).
        float value = static_cast<float>(SDL_GameControllerGetAxis(slot.device, kAxisOrder[a])) / 32767.0f;
        slot.axes[a] = clampAxis(a, value);
    }
}

void Joystick::handleEvent(const SDL_Event& event) {
    if (event.type != SDL_CONTROLLERDEVICEADDED && event.type != SDL_CONTROLLERDEVICEREMOVED) return;
    startDevices();
    if (!devicesStarted_) return;
    if (event.type == SDL_CONTROLLERDEVICEADDED) {
        openDevice(event.cdevice.which);  // a device index
        return;
    }
    for (Slot& slot : live_) {
        if (slot.device && slot.instanceId == event.cdevice.which) closeSlot(slot);  // an instance id
    }
}

void Joystick::setDevicesEnabled(bool enabled) {
    devicesEnabled_ = enabled;
    if (!enabled) stopDevices();
}

void Joystick::startDevices() {
    if (!devicesEnabled_ || devicesStarted_) return;
    devicesStarted_ = true;
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        devicesEnabled_ = false;  // no controller support: behave as a headless run
        devicesStarted_ = false;
        return;
    }
    // Pads attached before start-up are present from the first query on, as with a library that
    // scans devices when it starts. SDL also reports them as added later; openDevice skips those.
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        openDevice(i);
    for (Slot& slot : live_) {
        if (slot.device) readDevice(slot);
    }
    copyLiveToPolled();
}

void Joystick::stopDevices() {
    if (!devicesStarted_) return;
    for (Slot& slot : live_) {
        if (slot.device) closeSlot(slot);
    }
    devicesStarted_ = false;
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    copyLiveToPolled();
}

void Joystick::openDevice(int deviceIndex) {
    if (!SDL_IsGameController(deviceIndex)) return;
    SDL_JoystickID id = SDL_JoystickGetDeviceInstanceID(deviceIndex);
    for (const Slot& slot : live_) {
        if (slot.device && slot.instanceId == id) return;
    }
    for (Slot& slot : live_) {
        if (slot.present) continue;
        slot.device = SDL_GameControllerOpen(deviceIndex);
        if (!slot.device) return;
        slot.present = true;
        slot.instanceId = id;
        slot.buttons.fill(0);
        slot.axes.fill(0.0f);
        return;
    }
}

void Joystick::closeSlot(Slot& slot) {
    if (slot.device) SDL_GameControllerClose(slot.device);
    slot = Slot{};
}

Joystick::Slot* Joystick::virtualSlot(int index) {
    if (!validSlot(index) || live_[index].device) return nullptr;
    return &live_[index];
}

bool Joystick::injectConnect(int index) {
    Slot* slot = virtualSlot(index);
    if (!slot) return false;
    *slot = Slot{};
    slot->present = true;
    return true;
}

bool Joystick::injectDisconnect(int index) {
    Slot* slot = virtualSlot(index);
    if (!slot) return false;
    *slot = Slot{};
    return true;
}

bool Joystick::injectButton(int index, int button, bool down) {
    Slot* slot = virtualSlot(index);
    if (!slot || !slot->present || button < 0 || button >= BUTTON_COUNT) return false;
    slot->buttons[button] = down ? 1 : 0;
    return true;
}

bool Joystick::injectAxis(int index, int axis, float value) {
    Slot* slot = virtualSlot(index);
    if (!slot || !slot->present || axis < 0 || axis >= AXIS_COUNT) return false;
    slot->axes[axis] = clampAxis(axis, value);
    return true;
}

}  // namespace engine
