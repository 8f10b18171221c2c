// The options screen, driven by keys (and a virtual pad): where it returns to, the sound page's
// undo, binding capture from either device, duplicate bindings, the language, and the reset.
#include "engine/platform/Joystick.h"
#include "engine/platform/UserDefault.h"
#include "game/audio/NAudioManager.h"
#include "game/character/PlayerCharacter.h"
#include "game/data/DataManager.h"
#include "game/data/StringsManager.h"
#include "game/input/KeyInputManager.h"
#include "game/menu/OptionController.h"
#include "game/menu/OptionScene.h"
#include "tests/support/HubFixture.h"

using vastomer::DataManager;
using vastomer::KeyActionType;
using vastomer::KeyInputManager;
using vastomer::OptionController;
using vastomer::OptionScene;
using vastomer::SceneId;
namespace key = hubtest;

namespace {

constexpr int Q_KEY = 140;  // q
constexpr int PAD = 0;
constexpr int PAD_A = 0;  // OK
constexpr int PAD_Y = 3;

class OptionScreenTest : public HubFixture {
protected:
    OptionScene* options() const { return shown<OptionScene>(); }
    OptionController* optionController() const { return controller<OptionController>(); }
    bool isOn(int scene) {
        return runUntil([this, scene] { return sceneId() == scene; }, 150);
    }
    // From the main menu into the controls page.
    void openControls() {
        taps(key::DOWN, 2);
        tap(key::OK);
        ASSERT_EQ(options()->getPage(), OptionScene::CONTROLS);
    }
    void padButton(int button, bool down) {
        engine::Joystick::getInstance()->injectButton(PAD, button, down);
        runFrames(1);
    }
    // The stick pushed for one frame (one step of the cursor) and let go.
    void stick(int axis, float value, int after = 8) {
        engine::Joystick::getInstance()->injectAxis(PAD, axis, value);
        runFrames(1);
        engine::Joystick::getInstance()->injectAxis(PAD, axis, 0.0f);
        runFrames(after);
    }
    void padTap(int button, int after = 6) {
        padButton(button, true);
        padButton(button, false);
        runFrames(after);
    }
};

TEST_F(OptionScreenTest, OpenedFromTheHubTheLastRowReturnsToTheHub) {
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::OPTION), nullptr);
    EXPECT_FALSE(options()->isOpenedFromTitle());
    tap(key::UP);
    EXPECT_EQ(options()->getRow(), OptionScene::BACK_ROW) << "the main menu wraps";
    tap(key::OK);
    EXPECT_TRUE(isOn(static_cast<int>(SceneId::WORLD_MAP)));
}

TEST_F(OptionScreenTest, OpenedFromTheTitleCancelReturnsToTheTitle) {
    writeSave(key::saveText());
    vastomer::SceneManager* manager = startAt(SceneId::TITLE);
    ASSERT_NE(manager, nullptr);
    manager->changeScene(SceneId::OPTION, vastomer::TransitionKind::FadeThroughBlack, nullptr, {});
    ASSERT_TRUE(isOn(static_cast<int>(SceneId::OPTION)));
    runFrames(70);
    EXPECT_TRUE(options()->isOpenedFromTitle());
    tap(key::CANCEL);
    EXPECT_TRUE(isOn(static_cast<int>(SceneId::TITLE)));
}

TEST_F(OptionScreenTest, AVolumeLoweredAndCancelledIsRestoredAndStoredAgain) {
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::OPTION), nullptr);
    vastomer::NAudioManager* audio = vastomer::NAudioManager::getInstance();
    ASSERT_FLOAT_EQ(audio->getBgmVolume(), 1.0f);
    tap(key::DOWN);
    tap(key::OK);
    ASSERT_EQ(options()->getPage(), OptionScene::SOUND);
    taps(key::LEFT, 5);
    EXPECT_FLOAT_EQ(audio->getBgmVolume(), 0.95f);
    EXPECT_FLOAT_EQ(engine::UserDefault::getInstance()->getFloatForKey("BGMVolume", -1.0f), 0.95f);
    EXPECT_EQ(options()->getValueTexts().front(), "< 95% >");
    tap(key::CANCEL);
    EXPECT_EQ(options()->getPage(), OptionScene::MENU);
    EXPECT_EQ(options()->getRow(), 1) << "the cursor is back on the sound row";
    EXPECT_FLOAT_EQ(audio->getBgmVolume(), 1.0f);
    EXPECT_FLOAT_EQ(engine::UserDefault::getInstance()->getFloatForKey("BGMVolume", -1.0f), 1.0f);

    // Confirming keeps the new value.
    tap(key::OK);
    tap(key::DOWN);
    taps(key::LEFT, 3);
    tap(key::DOWN);
    tap(key::OK);
    EXPECT_FLOAT_EQ(audio->getSeVolume(), 0.67f);
    EXPECT_EQ(options()->getPage(), OptionScene::MENU);
}

TEST_F(OptionScreenTest, AKeyBoundTwiceIsRefusedAndTheOldBindingsStay) {
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::OPTION), nullptr);
    openControls();
    tap(key::DOWN);
    tap(key::OK);
    ASSERT_TRUE(optionController()->isWaitingForInput());
    tap(key::CANCEL);  // x, already CANCEL's key
    EXPECT_FALSE(optionController()->isWaitingForInput());
    EXPECT_EQ(options()->getPendingKeys()[0], key::CANCEL);
    taps(key::DOWN, 11);
    ASSERT_EQ(options()->getRow(), 12);
    clearSounds();
    tap(key::OK);
    EXPECT_EQ(lastSound(), "cursor22.mp3");
    EXPECT_EQ(KeyInputManager::getInstance()->getKeyBinding(KeyActionType::OK), key::OK);

    // A free key applies; leaving stores it.
    taps(key::UP, 11);
    tap(key::OK);
    tap(Q_KEY);
    taps(key::DOWN, 11);
    tap(key::OK);
    EXPECT_EQ(KeyInputManager::getInstance()->getKeyBinding(KeyActionType::OK), Q_KEY);
    tap(key::DOWN);
    tap(Q_KEY);
    ASSERT_EQ(options()->getPage(), OptionScene::MENU);
    taps(key::UP, 3);
    tap(Q_KEY);
    EXPECT_TRUE(isOn(static_cast<int>(SceneId::WORLD_MAP)));
    EXPECT_EQ(engine::UserDefault::getInstance()->getIntegerForKey("KeyActionType::OK", -1), Q_KEY);
}

TEST_F(OptionScreenTest, EscapeGivesUpTheKeyPromptAndUnappliedEditsAreDropped) {
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::OPTION), nullptr);
    openControls();
    tap(key::DOWN);
    tap(key::OK);
    ASSERT_TRUE(options()->isPromptShown());
    tap(key::ESCAPE);
    EXPECT_FALSE(optionController()->isWaitingForInput());
    EXPECT_FALSE(options()->isPromptShown());
    EXPECT_EQ(options()->getPendingKeys()[0], key::OK);
    tap(key::OK);
    tap(Q_KEY);
    EXPECT_EQ(options()->getPendingKeys()[0], Q_KEY);
    tap(key::CANCEL);
    EXPECT_EQ(options()->getPage(), OptionScene::MENU);
    EXPECT_EQ(options()->getPendingKeys()[0], key::OK) << "the preview shows the bindings in force";
    EXPECT_EQ(KeyInputManager::getInstance()->getKeyBinding(KeyActionType::OK), key::OK);
}

TEST_F(OptionScreenTest, InPadModeTheKeyboardPageStillCapturesAKeyAndThePadPageAButton) {
    writeSave(key::saveText());
    engine::Joystick::getInstance()->injectConnect(PAD);
    ASSERT_NE(startAt(SceneId::OPTION), nullptr);
    KeyInputManager* input = KeyInputManager::getInstance();
    input->setGamepadMode(true);
    // Everything by pad: down twice, A on the controls row.
    stick(1, 1.0f);
    stick(1, 1.0f);
    padTap(PAD_A);
    ASSERT_EQ(options()->getPage(), OptionScene::CONTROLS);
    EXPECT_TRUE(options()->isPadPage());
    // To the keyboard list: LEFT on the mode row.
    stick(0, -1.0f);
    ASSERT_FALSE(options()->isPadPage());
    stick(1, 1.0f);
    padTap(PAD_A);
    ASSERT_TRUE(optionController()->isWaitingForInput());
    tap(Q_KEY);
    EXPECT_FALSE(optionController()->isWaitingForInput()) << "a keyboard key is read in pad mode";
    EXPECT_EQ(options()->getPendingKeys()[0], Q_KEY);

    // The pad list in keyboard mode: a pad button is read although the pad is not polled.
    input->setGamepadMode(false);
    tap(key::UP);
    tap(key::RIGHT);
    ASSERT_TRUE(options()->isPadPage());
    tap(key::DOWN);
    tap(key::OK);
    ASSERT_TRUE(optionController()->isWaitingForInput());
    padTap(PAD_Y);
    EXPECT_FALSE(optionController()->isWaitingForInput());
    EXPECT_EQ(options()->getPendingButtons()[0], 1008);

    // And the keyboard's CANCEL gives the pad prompt up.
    tap(key::OK);
    ASSERT_TRUE(optionController()->isWaitingForInput());
    tap(key::CANCEL);
    EXPECT_FALSE(optionController()->isWaitingForInput());
    EXPECT_EQ(options()->getPendingButtons()[0], 1008);
}

TEST_F(OptionScreenTest, AStickHeldDownStepsTheCursorAtAReadablePace) {
    writeSave(key::saveText());
    engine::Joystick::getInstance()->injectConnect(PAD);
    ASSERT_NE(startAt(SceneId::OPTION), nullptr);
    KeyInputManager::getInstance()->setGamepadMode(true);
    engine::Joystick::getInstance()->injectAxis(PAD, 1, 1.0f);
    runFrames(3 * OptionController::REPEAT_FRAMES);
    engine::Joystick::getInstance()->injectAxis(PAD, 1, 0.0f);
    runFrames(2);
    EXPECT_EQ(options()->getRow(), 3);
}

TEST_F(OptionScreenTest, AResetAsksFirstThenWritesANewGameAndTheNewGameLoadout) {
    writeSave(key::saveText({{"progress", "2"},
                             {"weapon", "0,10,1,11,"},
                             {"wear", "0,5,"},
                             {"equipped", "1,11,5"},
                             {"score", "4000:9000"},
                             {"read", "scenario/wop_0001_0001_0001.bks"}}));
    ASSERT_NE(startAt(SceneId::OPTION), nullptr);
    vastomer::PlayerCharacter* player = DataManager::getInstance()->getPlayerCharacter();
    player->setShotWeaponId(11);
    taps(key::DOWN, 4);
    tap(key::OK, 20);
    ASSERT_EQ(options()->getPage(), OptionScene::RESET);
    tap(key::OK, 20);
    EXPECT_EQ(options()->getPage(), OptionScene::MENU) << "No comes first";
    EXPECT_EQ(DataManager::getInstance()->getScore(), 4000);
    tap(key::OK, 20);
    tap(key::UP);
    tap(key::OK);
    EXPECT_TRUE(isOn(static_cast<int>(SceneId::TITLE)));
    std::string save = readSave();
    EXPECT_NE(save.find("progress:2\n"), std::string::npos) << "progress is kept";
    EXPECT_NE(save.find("weapon:0,10,\n"), std::string::npos);
    EXPECT_NE(save.find("equipped:0,10,0\n"), std::string::npos);
    EXPECT_NE(save.find("score:0:0\n"), std::string::npos);
    EXPECT_NE(save.find("read:scenario/wop_0001_0001_0001.bks\n"), std::string::npos);
    EXPECT_EQ(player->getShotWeaponId(), 10);
    EXPECT_EQ(player->getGrappleWeaponId(), 0);
    EXPECT_EQ(player->getAmmoMax(), 8);
}

TEST_F(OptionScreenTest, AChosenLanguageShowsAtOnceAndAConfirmedOneIsSaved) {
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::OPTION), nullptr);
    ASSERT_EQ(vastomer::StringsManager::getInstance()->getLanguage(), "en");
    tap(key::OK);
    tap(key::RIGHT);
    tap(key::OK);
    EXPECT_EQ(vastomer::StringsManager::getInstance()->getLanguage(), "ja") << "applied at once";
    EXPECT_EQ(options()->getRowTexts()[1], "決定");
    tap(key::CANCEL);
    EXPECT_EQ(vastomer::StringsManager::getInstance()->getLanguage(), "en") << "taken back";
    tap(key::OK);
    tap(key::RIGHT);
    tap(key::DOWN);
    tap(key::OK);
    EXPECT_EQ(vastomer::StringsManager::getInstance()->getLanguage(), "ja");
    EXPECT_EQ(options()->getPage(), OptionScene::MENU);
    EXPECT_NE(readSave().find("nc:ja"), std::string::npos);
}

TEST_F(OptionScreenTest, TheDifficultyPageOpensOnTheDifficultyInForce) {
    writeSave(key::saveText());
    ASSERT_NE(startAt(SceneId::OPTION), nullptr);
    DataManager::getInstance()->setDifficulty(2);
    taps(key::DOWN, 3);
    EXPECT_EQ(options()->getDifficultyCursor(), 2);
    tap(key::OK);
    tap(key::RIGHT);
    EXPECT_EQ(options()->getDifficultyCursor(), 0) << "wraps";
    tap(key::DOWN);
    tap(key::OK);
    EXPECT_EQ(DataManager::getInstance()->getDifficulty(), 0);
}

}  // namespace
