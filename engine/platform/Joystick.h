#pragma once

#include <SDL.h>

#include <array>
#include <vector>

namespace engine {

// Game pads offered for polling, 16 slots. Each present pad reports 14 buttons (0/1) in the standard
// layout: 0 A, 1 B, 2 X, 3 Y, 4 left shoulder, 5 right shoulder, 6 back, 7 start, 8 left stick,
// 9 right stick, 10 up, 11 right, 12 down, 13 left; and 6 axes: 0 left x (right positive), 1 left y
// (down positive), 2 right x, 3 right y (-1..1), 4 left trigger, 5 right trigger (0..1).
//
// Real pads come from SDL's game-controller layer (with its mapping database) and are hot-plugged
// through handleEvent. Tests and input scripts inject virtual pads into free slots instead. Either way
// the live state is copied into the polled arrays by sampleDevices(), once a frame, so a frame sees
// one consistent snapshot.
class Joystick {
public:
    static constexpr int MAX_SLOTS = 16;
    static constexpr int BUTTON_COUNT = 14;
    static constexpr int AXIS_COUNT = 6;

    static Joystick* getInstance();

    Joystick(const Joystick&) = delete;
    Joystick& operator=(const Joystick&) = delete;

    // The snapshot taken by the last sampleDevices(). A slot that is not present has no buttons and
    // no axes (empty arrays); an index outside 0..15 reads as not present.
    bool isPresent(int index);
    const std::vector<unsigned char>& getButtons(int index);
    const std::vector<float>& getAxes(int index);

    // Copies the live state of every slot into the polled arrays.
    void sampleDevices();
    // Takes SDL_CONTROLLERDEVICEADDED / SDL_CONTROLLERDEVICEREMOVED; other events are ignored.
    void handleEvent(const SDL_Event& event);

    // Real devices are enabled by default and SDL's game-controller layer starts at the first query,
    // opening the pads already attached. Disabling closes them and stops that layer; a headless run
    // disables devices before any query, so the layer is never started.
    void setDevicesEnabled(bool enabled);
    bool areDevicesEnabled() const { return devicesEnabled_; }

    // Virtual pads, in slots that hold no real device (the calls return false otherwise). They change the
    // live state: the polled arrays follow at the next sampleDevices().
    bool injectConnect(int index);
    bool injectDisconnect(int index);
    bool injectButton(int index, int button, bool down);
    bool injectAxis(int index, int axis, float value);

private:
    struct Slot {
        bool present = false;
        SDL_GameController* device = nullptr;  // null for a virtual pad
        SDL_JoystickID instanceId = -1;
        std::array<unsigned char, BUTTON_COUNT> buttons{};
        std::array<float, AXIS_COUNT> axes{};
    };
    struct Polled {
        bool present = false;
        std::vector<unsigned char> buttons;
        std::vector<float> axes;
    };

    // Never destroyed before exit, where SDL may already have released the devices.
    Joystick() = default;
    ~Joystick() = default;

    void startDevices();
    void stopDevices();
    void openDevice(int deviceIndex);
    void closeSlot(Slot& slot);
    void readDevice(Slot& slot);
    void copyLiveToPolled();
    Slot* virtualSlot(int index);

    bool devicesEnabled_ = true;
    bool devicesStarted_ = false;
    std::array<Slot, MAX_SLOTS> live_{};
    std::array<Polled, MAX_SLOTS> polled_{};
    const std::vector<unsigned char> noButtons_{};
    const std::vector<float> noAxes_{};
};

}  // namespace engine
