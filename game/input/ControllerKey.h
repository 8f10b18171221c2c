#pragma once

namespace vastomer {

// Game-pad button values as the bindings store them (the numbering the options screen shows).
namespace ControllerKey {
constexpr int BUTTON_A = 1004;
constexpr int BUTTON_B = 1005;
constexpr int BUTTON_C = 1006;
constexpr int BUTTON_X = 1007;
constexpr int BUTTON_Y = 1008;
constexpr int BUTTON_Z = 1009;
constexpr int DPAD_UP = 1010;
constexpr int DPAD_DOWN = 1011;
constexpr int DPAD_LEFT = 1012;
constexpr int DPAD_RIGHT = 1013;
constexpr int LEFT_SHOULDER = 1015;
constexpr int RIGHT_SHOULDER = 1016;
constexpr int LEFT_TRIGGER = 1017;
constexpr int RIGHT_TRIGGER = 1018;
constexpr int LEFT_THUMBSTICK = 1019;
constexpr int RIGHT_THUMBSTICK = 1020;
constexpr int START = 1021;
constexpr int SELECT = 1022;
constexpr int PAUSE = 1023;
// No button.
constexpr int NONE = 1024;
}  // namespace ControllerKey

}  // namespace vastomer
