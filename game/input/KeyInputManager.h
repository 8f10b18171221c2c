#pragma once

#include <map>
#include <string>
#include <vector>

#include "engine/base/RefPtr.h"
#include "engine/base/SingletonSlot.h"
#include "engine/events/EventListenerKeyboard.h"
#include "engine/scene/Node.h"
#include "game/input/KeyActionType.h"

namespace vastomer {

// Reduces the keyboard and one game pad to the eleven game actions. Controllers poll isActionOn in
// their update, act, and call clearActions so that one press acts once. The bindings and the choice
// between keyboard and game pad are kept in the settings store.
class KeyInputManager : public engine::Node {
public:
    static constexpr int KEYBOARD_PRIORITY = -254;
    static constexpr float STICK_THRESHOLD = 0.5f;

    // The one instance, made on first use (GameServices makes and destroys it in the program's order).
    static KeyInputManager* getInstance();
    static void destroyInstance();

    bool init() override;
    void update(float dt) override;

    // Whether the action is down; for ANY, whether any action is down.
    bool isActionOn(KeyActionType action) const;
    // Releases every action and forgets the last key, so that a key held across the call acts once.
    void clearActions();
    // Whether a key or button bound to the action is physically down now (for ANY, any action).
    // Unlike isActionOn it ignores clearActions: a press held across a clear still counts, which is
    // how holding a key (to fast-forward text, say) is told from pressing it.
    bool isActionHeld(KeyActionType action) const;

    bool isJoystickConnected() const { return joystickConnected_; }
    // Whether any pad is plugged in now; when none is, game-pad mode falls back to the keyboard.
    bool isJoystickPresent();

    int getKeyBinding(KeyActionType action) const;     // 0 when none
    int getButtonBinding(KeyActionType action) const;  // ControllerKey::NONE when none

    static std::string keyName(int keyCode);
    static std::string buttonName(int buttonValue);

    void loadBindings();
    void saveBindings();

    // The options screen edits these directly to capture and apply new bindings.
    bool isGamepadMode() const { return gamepadMode_; }
    void setGamepadMode(bool gamepadMode);
    std::map<KeyActionType, int>& getKeyBindings() { return keyBindings_; }
    const std::map<KeyActionType, int>& getKeyBindings() const { return keyBindings_; }
    std::map<KeyActionType, int>& getButtonBindings() { return buttonBindings_; }
    const std::map<KeyActionType, int>& getButtonBindings() const { return buttonBindings_; }
    int getLastKey() const { return lastKey_; }
    void setLastKey(int keyCode) { lastKey_ = keyCode; }
    int getLastButton() const { return lastButton_; }
    void setLastButton(int buttonValue) { lastButton_ = buttonValue; }
    const std::map<KeyActionType, bool>& getPressed() const { return pressed_; }

    // Capturing a new binding reads one device whatever the mode: a key pressed on the keyboard
    // (also in game-pad mode, where keys act as nothing) or any known button of the first pad (also
    // in keyboard mode, where the pad is not polled). beginCapture forgets what came before; a pad
    // button counts only once every button held at the start has been let go.
    void beginCapture();
    void endCapture();
    bool isCapturing() const { return capturing_; }
    // The key pressed since beginCapture (0 for none), forgotten once taken.
    int takeCapturedKey();
    // The first known pad button pressed since beginCapture; ControllerKey::NONE for none.
    int pollCapturedButton();
    // Whether any known button of the first pad is down now.
    bool isAnyPadButtonDown() const;

    // The binding rows in the order the pad is matched and the options screen lists them.
    static const std::vector<KeyActionType>& bindingRows();
    static std::string actionName(KeyActionType action);
    static int defaultKey(KeyActionType action);
    static int defaultButton(KeyActionType action);
    // Settings store keys of an action's bindings ("KeyActionType::OK", "ButtonActionType::OK").
    static std::string keySettingName(KeyActionType action);
    static std::string buttonSettingName(KeyActionType action);

    void onKeyPressed(int keyCode);
    void onKeyReleased(int keyCode);

protected:
    friend class engine::SingletonSlot<KeyInputManager>;
    KeyInputManager() = default;
    ~KeyInputManager() override;

private:
    // The action a key stands for, or 0 when none (escape stands for PAUSE unless it is bound).
    int actionForKey(int keyCode) const;
    static int firstPresentJoystick();
    void followPadPlugging(bool padPresent);
    void fallBackToKeyboard();
    void pollGamepad();
    void registerKeyboardListener();

    bool gamepadMode_ = false;
    bool joystickConnected_ = false;
    // Game-pad mode was left because the last pad went away; a pad plugged in again resumes it.
    bool resumePadWhenPlugged_ = false;
    std::map<KeyActionType, bool> pressed_;
    std::map<KeyActionType, bool> held_;
    std::map<KeyActionType, int> keyBindings_;
    std::map<KeyActionType, int> buttonBindings_;
    int lastKey_ = 0;
    int lastButton_ = 1024;
    bool capturing_ = false;
    int capturedKey_ = 0;
    bool padReleasedSinceCapture_ = false;
    engine::RefPtr<engine::EventListenerKeyboard> keyboardListener_;
};

}  // namespace vastomer
