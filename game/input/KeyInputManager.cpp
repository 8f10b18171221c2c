#include "game/input/KeyInputManager.h"

#include <cmath>

#include "engine/events/EventDispatcher.h"
#include "engine/platform/Joystick.h"
#include "engine/platform/UserDefault.h"
#include "engine/scene/Director.h"
#include "game/input/ControllerKey.h"
#include "game/input/KeyNames.h"

namespace vastomer {

namespace {

constexpr int kEscapeKey = 6;

struct ActionDefaults {
    KeyActionType action;
    const char* name;
    int key;
    int button;
};

const ActionDefaults kDefaults[] = {
    {KeyActionType::UP, "UP", 28, ControllerKey::DPAD_UP},
    {KeyActionType::DOWN, "DOWN", 29, ControllerKey::DPAD_DOWN},
    {KeyActionType::LEFT, "LEFT", 26, ControllerKey::DPAD_LEFT},
    {KeyActionType::RIGHT, "RIGHT", 27, ControllerKey::DPAD_RIGHT},
    {KeyActionType::OK, "OK", 149, ControllerKey::BUTTON_A},
    {KeyActionType::CANCEL, "CANCEL", 147, ControllerKey::BUTTON_X},
    {KeyActionType::BUTTON3, "BUTTON3", 126, ControllerKey::BUTTON_B},
    {KeyActionType::BUTTON4, "BUTTON4", 145, ControllerKey::BUTTON_Y},
    {KeyActionType::BUTTON5, "BUTTON5", 124, ControllerKey::LEFT_SHOULDER},
    {KeyActionType::BUTTON6, "BUTTON6", 142, ControllerKey::RIGHT_SHOULDER},
    {KeyActionType::PAUSE, "PAUSE", 127, ControllerKey::START},
};

const ActionDefaults* defaultsOf(KeyActionType action) {
    for (const auto& entry : kDefaults)
        if (entry.action == action) return &entry;
    return nullptr;
}

// The order in which a key is matched against the bindings: the first action bound to it wins.
const KeyActionType kKeyMatchOrder[] = {
    KeyActionType::LEFT,    KeyActionType::RIGHT,   KeyActionType::UP,      KeyActionType::DOWN,
    KeyActionType::OK,      KeyActionType::CANCEL,  KeyActionType::BUTTON3, KeyActionType::BUTTON4,
    KeyActionType::BUTTON5, KeyActionType::BUTTON6, KeyActionType::PAUSE};

const char* kGamepadModeKey = "GamepadMode";

// A stick axis as -1, 0 or 1: halves round away from zero, so 0.5 already counts as pushed.
int stickDirection(float value) {
    if (!std::isfinite(value)) return 0;
    if (value >= KeyInputManager::STICK_THRESHOLD) return 1;
    if (value <= -KeyInputManager::STICK_THRESHOLD) return -1;
    return 0;
}

}  // namespace

KeyInputManager* KeyInputManager::getInstance() {
    return engine::SingletonSlot<KeyInputManager>::get();
}

void KeyInputManager::destroyInstance() {
    // Stops its updates and listeners and leaves the scene it was attached to (if that still runs).
    engine::SingletonSlot<KeyInputManager>::destroy([](engine::Node* manager) {
        manager->cleanup();
        manager->removeFromParent();
    });
}

KeyInputManager::~KeyInputManager() {
    if (keyboardListener_ && engine::Director::peekInstance())
        engine::Director::getInstance()->getEventDispatcher()->removeEventListener(keyboardListener_);
}

bool KeyInputManager::init() {
    if (!Node::init()) return false;
    loadBindings();
    clearActions();
    registerKeyboardListener();
    joystickConnected_ = firstPresentJoystick() >= 0;
    if (!joystickConnected_) {
        // Whatever was stored: without a pad the keyboard is used. A pad plugged in later brings
        // the stored choice back.
        resumePadWhenPlugged_ = gamepadMode_;
        gamepadMode_ = false;
    }
    scheduleUpdate();
    return true;
}

void KeyInputManager::registerKeyboardListener() {
    auto* dispatcher = engine::Director::getInstance()->getEventDispatcher();
    if (keyboardListener_) dispatcher->removeEventListener(keyboardListener_);
    keyboardListener_ = engine::EventListenerKeyboard::create();
    keyboardListener_->onKeyPressed = [this](engine::KeyCode code, engine::Event*) {
        onKeyPressed(static_cast<int>(code));
    };
    keyboardListener_->onKeyReleased = [this](engine::KeyCode code, engine::Event*) {
        onKeyReleased(static_cast<int>(code));
    };
    dispatcher->addEventListenerWithFixedPriority(keyboardListener_, KEYBOARD_PRIORITY);
}

const std::vector<KeyActionType>& KeyInputManager::bindingRows() {
    static const std::vector<KeyActionType> rows = {
        KeyActionType::OK,      KeyActionType::CANCEL,  KeyActionType::BUTTON3, KeyActionType::BUTTON4,
        KeyActionType::BUTTON5, KeyActionType::BUTTON6, KeyActionType::PAUSE,   KeyActionType::UP,
        KeyActionType::DOWN,    KeyActionType::LEFT,    KeyActionType::RIGHT};
    return rows;
}

std::string KeyInputManager::actionName(KeyActionType action) {
    if (action == KeyActionType::ANY) return "ANY";
    const ActionDefaults* entry = defaultsOf(action);
    return entry ? entry->name : "";
}

int KeyInputManager::defaultKey(KeyActionType action) {
    const ActionDefaults* entry = defaultsOf(action);
    return entry ? entry->key : 0;
}

int KeyInputManager::defaultButton(KeyActionType action) {
    const ActionDefaults* entry = defaultsOf(action);
    return entry ? entry->button : ControllerKey::NONE;
}

std::string KeyInputManager::keySettingName(KeyActionType action) {
    return "KeyActionType::" + actionName(action);
}

std::string KeyInputManager::buttonSettingName(KeyActionType action) {
    return "ButtonActionType::" + actionName(action);
}

std::string KeyInputManager::keyName(int keyCode) {
    return KeyNames::keyName(keyCode);
}

std::string KeyInputManager::buttonName(int buttonValue) {
    return KeyNames::buttonName(buttonValue);
}

bool KeyInputManager::isActionOn(KeyActionType action) const {
    if (action == KeyActionType::ANY) {
        for (const auto& entry : pressed_)
            if (entry.second) return true;
        return false;
    }
    auto found = pressed_.find(action);
    return found != pressed_.end() && found->second;
}

bool KeyInputManager::isActionHeld(KeyActionType action) const {
    for (const auto& entry : held_)
        if (entry.second && (action == KeyActionType::ANY || entry.first == action)) return true;
    return false;
}

void KeyInputManager::clearActions() {
    for (KeyActionType action : bindingRows())
        pressed_[action] = false;
    lastKey_ = 0;
}

int KeyInputManager::getKeyBinding(KeyActionType action) const {
    auto found = keyBindings_.find(action);
    return found == keyBindings_.end() ? 0 : found->second;
}

int KeyInputManager::getButtonBinding(KeyActionType action) const {
    auto found = buttonBindings_.find(action);
    return found == buttonBindings_.end() ? ControllerKey::NONE : found->second;
}

void KeyInputManager::setGamepadMode(bool gamepadMode) {
    gamepadMode_ = gamepadMode;
    resumePadWhenPlugged_ = false;
}

void KeyInputManager::loadBindings() {
    auto* settings = engine::UserDefault::getInstance();
    keyBindings_.clear();
    buttonBindings_.clear();
    if (settings->getIntegerForKey(keySettingName(KeyActionType::OK), -1) == -1) {
        for (KeyActionType action : bindingRows()) {
            keyBindings_[action] = defaultKey(action);
            buttonBindings_[action] = defaultButton(action);
        }
        return;
    }
    gamepadMode_ = settings->getBoolForKey(kGamepadModeKey, false);
    // A binding missing from the file (an older or hand-edited one) falls back to that action's
    // default rather than to "no key".
    for (KeyActionType action : bindingRows())
        keyBindings_[action] = settings->getIntegerForKey(keySettingName(action), defaultKey(action));
    for (KeyActionType action : bindingRows())
        buttonBindings_[action] =
            settings->getIntegerForKey(buttonSettingName(action), defaultButton(action));
}

void KeyInputManager::saveBindings() {
    auto* settings = engine::UserDefault::getInstance();
    settings->setBoolForKey(kGamepadModeKey, gamepadMode_);
    for (KeyActionType action : bindingRows())
        settings->setIntegerForKey(keySettingName(action), getKeyBinding(action));
    for (KeyActionType action : bindingRows())
        settings->setIntegerForKey(buttonSettingName(action), getButtonBinding(action));
    settings->flush();
}

int KeyInputManager::actionForKey(int keyCode) const {
    // Code 0 is what unknown keys send; it never stands for a binding.
    if (keyCode == 0) return 0;
    for (KeyActionType action : kKeyMatchOrder)
        if (getKeyBinding(action) == keyCode) return static_cast<int>(action);
    if (keyCode == kEscapeKey) return static_cast<int>(KeyActionType::PAUSE);
    return 0;
}

void KeyInputManager::onKeyPressed(int keyCode) {
    if (capturing_ && keyCode != 0) capturedKey_ = keyCode;
    if (gamepadMode_) return;
    if (int action = actionForKey(keyCode)) {
        pressed_[static_cast<KeyActionType>(action)] = true;
        held_[static_cast<KeyActionType>(action)] = true;
    }
    lastKey_ = keyCode;
}

void KeyInputManager::onKeyReleased(int keyCode) {
    if (gamepadMode_) return;
    if (int action = actionForKey(keyCode)) {
        pressed_[static_cast<KeyActionType>(action)] = false;
        held_[static_cast<KeyActionType>(action)] = false;
    }
    lastKey_ = 0;
}

void KeyInputManager::beginCapture() {
    capturing_ = true;
    capturedKey_ = 0;
    padReleasedSinceCapture_ = !isAnyPadButtonDown();
}

void KeyInputManager::endCapture() {
    capturing_ = false;
    capturedKey_ = 0;
}

int KeyInputManager::takeCapturedKey() {
    int key = capturedKey_;
    capturedKey_ = 0;
    return key;
}

bool KeyInputManager::isAnyPadButtonDown() const {
    int pad = firstPresentJoystick();
    if (pad < 0) return false;
    const auto& buttons = engine::Joystick::getInstance()->getButtons(pad);
    for (std::size_t index = 0; index < buttons.size(); ++index)
        if (buttons[index] != 0 && KeyNames::buttonForIndex(static_cast<int>(index)) != ControllerKey::NONE)
            return true;
    return false;
}

int KeyInputManager::pollCapturedButton() {
    if (!capturing_) return ControllerKey::NONE;
    int pad = firstPresentJoystick();
    if (pad < 0) return ControllerKey::NONE;
    if (!padReleasedSinceCapture_) {
        // The button that opened the prompt is still held: it must not assign itself.
        padReleasedSinceCapture_ = !isAnyPadButtonDown();
        return ControllerKey::NONE;
    }
    const auto& buttons = engine::Joystick::getInstance()->getButtons(pad);
    for (std::size_t index = 0; index < buttons.size(); ++index) {
        int button = KeyNames::buttonForIndex(static_cast<int>(index));
        if (buttons[index] != 0 && button != ControllerKey::NONE) return button;
    }
    return ControllerKey::NONE;
}

int KeyInputManager::firstPresentJoystick() {
    auto* joystick = engine::Joystick::getInstance();
    for (int i = 0; i < engine::Joystick::MAX_SLOTS; ++i)
        if (joystick->isPresent(i)) return i;
    return -1;
}

bool KeyInputManager::isJoystickPresent() {
    bool present = firstPresentJoystick() >= 0;
    followPadPlugging(present);
    return present;
}

void KeyInputManager::fallBackToKeyboard() {
    // Nothing the pad held may stay down: its releases would never be seen in keyboard mode.
    clearActions();
    held_.clear();
    lastButton_ = ControllerKey::NONE;
    gamepadMode_ = false;
    resumePadWhenPlugged_ = true;
}

void KeyInputManager::followPadPlugging(bool padPresent) {
    if (gamepadMode_ && !padPresent) {
        fallBackToKeyboard();
    } else if (!gamepadMode_ && padPresent && resumePadWhenPlugged_) {
        clearActions();
        held_.clear();
        gamepadMode_ = true;
        resumePadWhenPlugged_ = false;
    }
}

void KeyInputManager::update(float dt) {
    Node::update(dt);
    followPadPlugging(firstPresentJoystick() >= 0);
    if (gamepadMode_) pollGamepad();
}

void KeyInputManager::pollGamepad() {
    int pad = firstPresentJoystick();
    if (pad < 0) return;
    auto* joystick = engine::Joystick::getInstance();
    const auto& buttons = joystick->getButtons(pad);
    const auto& axes = joystick->getAxes(pad);
    if (buttons.empty()) return;

    bool boundButtonDown = false;
    held_.clear();
    for (std::size_t index = 0; index < buttons.size(); ++index) {
        int button = KeyNames::buttonForIndex(static_cast<int>(index));
        if (button == ControllerKey::NONE) continue;  // a button of no known kind presses nothing
        bool down = buttons[index] != 0;
        for (KeyActionType action : bindingRows()) {
            if (getButtonBinding(action) != button) continue;
            pressed_[action] = down;
            if (down) {
                held_[action] = true;
                boundButtonDown = true;
                lastButton_ = button;
            }
        }
    }
    if (!boundButtonDown) lastButton_ = ControllerKey::NONE;

    // The left stick adds to the D-pad: a pushed direction presses, the centre leaves the buttons' state.
    if (axes.size() >= 1) {
        int x = stickDirection(axes[0]);
        if (x == 1) pressed_[KeyActionType::RIGHT] = held_[KeyActionType::RIGHT] = true;
        if (x == -1) pressed_[KeyActionType::LEFT] = held_[KeyActionType::LEFT] = true;
    }
    if (axes.size() >= 2) {
        int y = stickDirection(axes[1]);
        if (y == 1) pressed_[KeyActionType::DOWN] = held_[KeyActionType::DOWN] = true;
        if (y == -1) pressed_[KeyActionType::UP] = held_[KeyActionType::UP] = true;
    }
}

}  // namespace vastomer
