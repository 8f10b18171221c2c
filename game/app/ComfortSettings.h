#pragma once

#include <cstdint>

namespace engine {
class GLView;
}

namespace vastomer {

// The player's comfort choices, kept in the settings store beside the volumes and bindings, read
// whenever they are needed (nothing is cached, so a change made on the options screen holds at once
// everywhere):
//   "Comfort::TextSpeed"          0 slow, 1 normal, 2 instant: how typed messages appear
//   "Comfort::ReduceShakeFlash"   screen shakes are left out and flashes are dimmed
//   "Comfort::PauseOnFocusLoss"   the game stops while its window is in the background
//   "Comfort::IntegerScaling"     the 960 × 540 frame is shown only at whole multiples, letterboxed
//   "Comfort::ScreenshotKey"      F12 saves the screen as a PNG in the data folder
class ComfortSettings {
public:
    enum class TextSpeed : int { SLOW = 0, NORMAL = 1, INSTANT = 2 };

    static constexpr const char* TEXT_SPEED_KEY = "Comfort::TextSpeed";
    static constexpr const char* REDUCE_SHAKE_FLASH_KEY = "Comfort::ReduceShakeFlash";
    static constexpr const char* PAUSE_ON_FOCUS_LOSS_KEY = "Comfort::PauseOnFocusLoss";
    static constexpr const char* INTEGER_SCALING_KEY = "Comfort::IntegerScaling";
    static constexpr const char* SCREENSHOT_KEY_KEY = "Comfort::ScreenshotKey";

    // Seconds per typed character at each speed (a frame is 1/60 s: slow shows one every third
    // frame, normal one a frame); instant shows a message whole.
    static constexpr float SLOW_INTERVAL = 0.045f;
    static constexpr float NORMAL_INTERVAL = 0.01f;
    // Flashes keep this share of their opacity when reduced.
    static constexpr int REDUCED_FLASH_DIVISOR = 4;

    static TextSpeed getTextSpeed();
    static void setTextSpeed(TextSpeed speed);
    // The typing interval of the current speed; 0 for instant.
    static float typingInterval();
    static bool isTextInstant() { return getTextSpeed() == TextSpeed::INSTANT; }

    static bool isShakeFlashReduced();
    static void setShakeFlashReduced(bool reduced);
    // How far a screen shake of `distance` points may move the screen: 0 when reduced.
    static float shakeDistance(float distance);
    // The opacity a flash of `opacity` may reach.
    static uint8_t flashOpacity(uint8_t opacity);

    static bool isPauseOnFocusLoss();
    static void setPauseOnFocusLoss(bool pause);

    static bool isIntegerScaling();
    // Stores the choice and applies it to the director's view.
    static void setIntegerScaling(bool integer);
    // Gives the view the stored scaling (the program does this once its view exists).
    static void applyScaling(engine::GLView* view);

    static bool isScreenshotKeyEnabled();
    static void setScreenshotKeyEnabled(bool enabled);
};

}  // namespace vastomer
