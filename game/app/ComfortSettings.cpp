#include "game/app/ComfortSettings.h"

#include <algorithm>

#include "engine/platform/GLView.h"
#include "engine/platform/UserDefault.h"
#include "engine/scene/Director.h"

namespace vastomer {

namespace {

engine::UserDefault* store() {
    return engine::UserDefault::getInstance();
}

}  // namespace

ComfortSettings::TextSpeed ComfortSettings::getTextSpeed() {
    int value = store()->getIntegerForKey(TEXT_SPEED_KEY, static_cast<int>(TextSpeed::NORMAL));
    // A value written by hand outside the three reads as normal.
    if (value < static_cast<int>(TextSpeed::SLOW) || value > static_cast<int>(TextSpeed::INSTANT))
        return TextSpeed::NORMAL;
    return static_cast<TextSpeed>(value);
}

void ComfortSettings::setTextSpeed(TextSpeed speed) {
    store()->setIntegerForKey(TEXT_SPEED_KEY, static_cast<int>(speed));
}

float ComfortSettings::typingInterval() {
    switch (getTextSpeed()) {
        case TextSpeed::SLOW:
            return SLOW_INTERVAL;
        case TextSpeed::INSTANT:
            return 0.0f;
        case TextSpeed::NORMAL:
            break;
    }
    return NORMAL_INTERVAL;
}

bool ComfortSettings::isShakeFlashReduced() {
    return store()->getBoolForKey(REDUCE_SHAKE_FLASH_KEY, false);
}

void ComfortSettings::setShakeFlashReduced(bool reduced) {
    store()->setBoolForKey(REDUCE_SHAKE_FLASH_KEY, reduced);
}

float ComfortSettings::shakeDistance(float distance) {
    return isShakeFlashReduced() ? 0.0f : distance;
}

uint8_t ComfortSettings::flashOpacity(uint8_t opacity) {
    if (!isShakeFlashReduced()) return opacity;
    return static_cast<uint8_t>(opacity / REDUCED_FLASH_DIVISOR);
}

bool ComfortSettings::isPauseOnFocusLoss() {
    return store()->getBoolForKey(PAUSE_ON_FOCUS_LOSS_KEY, true);
}

void ComfortSettings::setPauseOnFocusLoss(bool pause) {
    store()->setBoolForKey(PAUSE_ON_FOCUS_LOSS_KEY, pause);
}

bool ComfortSettings::isIntegerScaling() {
    return store()->getBoolForKey(INTEGER_SCALING_KEY, false);
}

void ComfortSettings::setIntegerScaling(bool integer) {
    store()->setBoolForKey(INTEGER_SCALING_KEY, integer);
    if (engine::Director* director = engine::Director::peekInstance())
        applyScaling(director->getOpenGLView());
}

void ComfortSettings::applyScaling(engine::GLView* view) {
    if (view) view->setIntegerScaling(isIntegerScaling());
}

bool ComfortSettings::isScreenshotKeyEnabled() {
    return store()->getBoolForKey(SCREENSHOT_KEY_KEY, true);
}

void ComfortSettings::setScreenshotKeyEnabled(bool enabled) {
    store()->setBoolForKey(SCREENSHOT_KEY_KEY, enabled);
}

}  // namespace vastomer
