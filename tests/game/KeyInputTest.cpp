// Keys and the game pad reduced to game actions, in the running game scene.
#include "game/input/ControllerKey.h"
#include "game/input/KeyNames.h"
#include "tests/support/GameFixture.h"

using vastomer::KeyActionType;
using vastomer::KeyInputManager;
using vastomer::ControllerKey::DPAD_RIGHT;

namespace {

constexpr int ESCAPE = 6;
constexpr int LEFT_ARROW = 26;
constexpr int UP_ARROW = 28;
constexpr int KEY_D = 127;
constexpr int KEY_X = 147;
constexpr int KEY_Z = 149;
constexpr int PAD_BUTTON_A = 0;  // joystick index of A
constexpr int PAD_BUTTON_DPAD_RIGHT = 11;

class KeyInputTest : public GameFixture {
protected:
    KeyInputManager* input() { return KeyInputManager::getInstance(); }

    // Plugs a pad into slot 0 and lets one frame see it.
    void plugPad() {
        engine::Joystick::getInstance()->injectConnect(0);
        runFrames(1);
    }
    void padButton(int index, bool down) {
        engine::Joystick::getInstance()->injectButton(0, index, down);
        runFrames(1);
    }
    void padAxis(int axis, float value) {
        engine::Joystick::getInstance()->injectAxis(0, axis, value);
        runFrames(1);
    }
};

TEST_F(KeyInputTest, DefaultKeysConfirmCancelMoveAndPause) {
    ASSERT_NE(startGame(), nullptr);
    runFrames(1);
    EXPECT_FALSE(input()->isGamepadMode());
    struct Case {
        int key;
        KeyActionType action;
    } cases[] = {{KEY_Z, KeyActionType::OK},        {KEY_X, KeyActionType::CANCEL},
                 {LEFT_ARROW, KeyActionType::LEFT}, {UP_ARROW, KeyActionType::UP},
                 {KEY_D, KeyActionType::PAUSE},     {ESCAPE, KeyActionType::PAUSE}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.key);
        sendKey(c.key, true);
        EXPECT_TRUE(input()->isActionOn(c.action));
        EXPECT_TRUE(input()->isActionOn(KeyActionType::ANY));
        EXPECT_EQ(input()->getLastKey(), c.key);
        sendKey(c.key, false);
        EXPECT_FALSE(input()->isActionOn(c.action));
        EXPECT_FALSE(input()->isActionOn(KeyActionType::ANY));
        EXPECT_EQ(input()->getLastKey(), 0);
    }
    // An unbound key is remembered as the last key but presses nothing.
    sendKey(59, true);
    EXPECT_EQ(input()->getLastKey(), 59);
    EXPECT_FALSE(input()->isActionOn(KeyActionType::ANY));
}

TEST_F(KeyInputTest, FirstBindingInMatchOrderWinsAndBoundEscapeIsNotPause) {
    ASSERT_NE(startGame(), nullptr);
    auto& keys = input()->getKeyBindings();
    keys[KeyActionType::OK] = LEFT_ARROW;  // LEFT is matched before OK
    sendKey(LEFT_ARROW, true);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::LEFT));
    EXPECT_FALSE(input()->isActionOn(KeyActionType::OK));
    sendKey(LEFT_ARROW, false);

    keys[KeyActionType::OK] = ESCAPE;
    sendKey(ESCAPE, true);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::OK));
    EXPECT_FALSE(input()->isActionOn(KeyActionType::PAUSE));
    sendKey(ESCAPE, false);
    EXPECT_FALSE(input()->isActionOn(KeyActionType::OK));
}

TEST_F(KeyInputTest, KeyHeldAcrossClearActsOnceButHeldPadButtonPressesAgain) {
    ASSERT_NE(startGame(), nullptr);
    sendKey(KEY_Z, true);
    runFrames(1);
    input()->clearActions();
    runFrames(3);
    EXPECT_FALSE(input()->isActionOn(KeyActionType::OK)) << "a held key presses only on its key-down";
    EXPECT_EQ(input()->getLastKey(), 0);
    sendKey(KEY_Z, false);
    sendKey(KEY_Z, true);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::OK));
    sendKey(KEY_Z, false);

    plugPad();
    input()->setGamepadMode(true);
    padButton(PAD_BUTTON_A, true);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::OK));
    EXPECT_EQ(input()->getLastButton(), vastomer::ControllerKey::BUTTON_A);
    input()->clearActions();
    EXPECT_FALSE(input()->isActionOn(KeyActionType::OK));
    runFrames(1);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::OK)) << "a held button is polled again";
    padButton(PAD_BUTTON_A, false);
    EXPECT_FALSE(input()->isActionOn(KeyActionType::OK));
    EXPECT_EQ(input()->getLastButton(), vastomer::ControllerKey::NONE);
}

TEST_F(KeyInputTest, GamepadModeIgnoresKeysAndLeavesLastKey) {
    ASSERT_NE(startGame(), nullptr);
    plugPad();
    sendKey(KEY_X, true);
    sendKey(KEY_X, false);
    input()->setGamepadMode(true);
    sendKey(KEY_Z, true);
    EXPECT_FALSE(input()->isActionOn(KeyActionType::OK));
    EXPECT_EQ(input()->getLastKey(), 0);
    input()->setLastKey(KEY_X);
    sendKey(KEY_Z, false);
    EXPECT_EQ(input()->getLastKey(), KEY_X);
}

TEST_F(KeyInputTest, StickPressesFromHalfWayAndCentreLeavesTheDpad) {
    ASSERT_NE(startGame(), nullptr);
    plugPad();
    input()->setGamepadMode(true);
    padAxis(0, 0.49f);
    EXPECT_FALSE(input()->isActionOn(KeyActionType::RIGHT));
    padAxis(0, 0.5f);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::RIGHT));
    padAxis(0, 0.0f);
    EXPECT_FALSE(input()->isActionOn(KeyActionType::RIGHT));

    padButton(PAD_BUTTON_DPAD_RIGHT, true);
    padAxis(0, 0.8f);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::RIGHT));
    padAxis(0, 0.0f);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::RIGHT)) << "the D-pad still holds it";
    padButton(PAD_BUTTON_DPAD_RIGHT, false);
    EXPECT_FALSE(input()->isActionOn(KeyActionType::RIGHT));

    padAxis(0, -0.5f);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::LEFT));
    padAxis(0, 0.0f);
    padAxis(1, -0.5f);  // y grows downwards
    EXPECT_TRUE(input()->isActionOn(KeyActionType::UP));
    padAxis(1, 0.6f);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::DOWN));
    EXPECT_FALSE(input()->isActionOn(KeyActionType::UP));
    padAxis(2, 1.0f);  // the right stick moves nothing
    padAxis(1, 0.0f);
    EXPECT_FALSE(input()->isActionOn(KeyActionType::ANY));
}

TEST_F(KeyInputTest, UnpluggingTheLastPadReleasesEverythingAndFallsBackToKeys) {
    ASSERT_NE(startGame(), nullptr);
    plugPad();
    input()->setGamepadMode(true);
    padButton(PAD_BUTTON_A, true);
    padAxis(0, 1.0f);
    ASSERT_TRUE(input()->isActionOn(KeyActionType::OK));
    ASSERT_TRUE(input()->isActionOn(KeyActionType::RIGHT));

    engine::Joystick::getInstance()->injectDisconnect(0);
    runFrames(1);
    EXPECT_FALSE(input()->isGamepadMode());
    EXPECT_FALSE(input()->isActionOn(KeyActionType::ANY));
    EXPECT_EQ(input()->getLastButton(), vastomer::ControllerKey::NONE);
    sendKey(KEY_Z, true);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::OK)) << "the keyboard works at once";
    sendKey(KEY_Z, false);

    // Plugging a pad in again brings the chosen game-pad mode back.
    plugPad();
    EXPECT_TRUE(input()->isGamepadMode());
    padButton(PAD_BUTTON_A, true);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::OK));
}

TEST_F(KeyInputTest, StoredGamepadModeWithoutPadStartsOnTheKeyboard) {
    auto* settings = engine::UserDefault::getInstance();
    settings->setBoolForKey("GamepadMode", true);
    settings->setIntegerForKey("KeyActionType::OK", KEY_Z);
    ASSERT_NE(startGame(), nullptr);
    EXPECT_FALSE(input()->isJoystickConnected());
    EXPECT_FALSE(input()->isGamepadMode());
    EXPECT_FALSE(input()->isJoystickPresent());
    sendKey(KEY_Z, true);
    EXPECT_TRUE(input()->isActionOn(KeyActionType::OK));
}

TEST_F(KeyInputTest, StoredPadModeWithPadPresentAtStartUsesThePad) {
    engine::Joystick::getInstance()->injectConnect(0);
    engine::Joystick::getInstance()->sampleDevices();
    engine::UserDefault::getInstance()->setBoolForKey("GamepadMode", true);
    engine::UserDefault::getInstance()->setIntegerForKey("KeyActionType::OK", KEY_Z);
    ASSERT_NE(startGame(), nullptr);
    EXPECT_TRUE(input()->isJoystickConnected());
    EXPECT_TRUE(input()->isGamepadMode());
}

TEST_F(KeyInputTest, BindingsRoundTripAndMissingOnesTakeTheirDefault) {
    auto* settings = engine::UserDefault::getInstance();
    ASSERT_NE(startGame(), nullptr);
    EXPECT_EQ(settings->getIntegerForKey("KeyActionType::OK", -1), -1) << "nothing is stored until saved";
    input()->getKeyBindings()[KeyActionType::OK] = 59;
    input()->getButtonBindings()[KeyActionType::PAUSE] = vastomer::ControllerKey::SELECT;
    input()->setGamepadMode(true);
    input()->saveBindings();
    EXPECT_EQ(settings->getIntegerForKey("KeyActionType::OK", 0), 59);
    EXPECT_EQ(settings->getIntegerForKey("KeyActionType::RIGHT", 0), 27);
    EXPECT_EQ(settings->getIntegerForKey("ButtonActionType::PAUSE", 0), vastomer::ControllerKey::SELECT);
    EXPECT_EQ(settings->getIntegerForKey("ButtonActionType::UP", 0), vastomer::ControllerKey::DPAD_UP);
    EXPECT_TRUE(settings->getBoolForKey("GamepadMode", false));

    // An older or hand-edited file lacks some keys: each missing one is that action's default.
    settings->deleteValueForKey("KeyActionType::CANCEL");
    settings->deleteValueForKey("ButtonActionType::OK");
    settings->setIntegerForKey("KeyActionType::BUTTON3", 60);
    input()->loadBindings();
    EXPECT_EQ(input()->getKeyBinding(KeyActionType::OK), 59);
    EXPECT_EQ(input()->getKeyBinding(KeyActionType::CANCEL), KEY_X);
    EXPECT_EQ(input()->getKeyBinding(KeyActionType::BUTTON3), 60);
    EXPECT_EQ(input()->getButtonBinding(KeyActionType::OK), vastomer::ControllerKey::BUTTON_A);
    EXPECT_EQ(input()->getButtonBinding(KeyActionType::PAUSE), vastomer::ControllerKey::SELECT);
    EXPECT_TRUE(input()->isGamepadMode());
}

TEST_F(KeyInputTest, UnknownKeysNeverPressAnAction) {
    ASSERT_NE(startGame(), nullptr);
    // Keys the platform cannot name arrive as code 0; an action bound to 0 ("no key") stays up.
    input()->getKeyBindings()[KeyActionType::BUTTON6] = 0;
    sendKey(0, true);
    EXPECT_FALSE(input()->isActionOn(KeyActionType::ANY));
}

}  // namespace
