#include <SDL.h>
#include <gtest/gtest.h>

#include <cmath>

#include "engine/platform/Joystick.h"
#include "engine/platform/MessageBox.h"
#include "engine/platform/SystemLanguage.h"
#include "tests/support/ScopedEnv.h"

using engine::Joystick;
using engine::MessageBox;
using engine::SystemLanguage;
using testsupport::ScopedEnv;

namespace {

// ---- system language ----

TEST(SystemLanguageTest, TakesTheLanguagePartOfALocaleName) {
    const std::pair<const char*, const char*> cases[] = {
        {"ja_JP.UTF-8", "ja"}, {"en_US.UTF-8", "en"}, {"de_DE@euro", "de"},    {"fr", "fr"},
        {"pt_BR", "pt"},       {"JA_jp", "ja"},       {"ast_ES.UTF-8", "ast"}, {"zh_TW.Big5", "zh"},
    };
    for (const auto& [locale, code] : cases)
        EXPECT_EQ(SystemLanguage::codeFromLocale(locale), code) << locale;
}

TEST(SystemLanguageTest, NeutralOrOddLocalesMeanEnglish) {
    for (const char* locale : {"", "C", "POSIX", "C.UTF-8", "x", "12_34", "_JP", ".UTF-8", "toolong_XX"}) {
        EXPECT_EQ(SystemLanguage::codeFromLocale(locale), "en") << locale;
    }
}

TEST(SystemLanguageTest, TheFirstNonEmptyVariableDecides) {
    ScopedEnv all("LC_ALL", std::string("ja_JP.UTF-8"));
    ScopedEnv messages("LC_MESSAGES", std::string("de_DE.UTF-8"));
    ScopedEnv lang("LANG", std::string("fr_FR.UTF-8"));
    EXPECT_EQ(SystemLanguage::currentCode(), "ja");
    {
        ScopedEnv emptyAll("LC_ALL", std::string(""));
        EXPECT_EQ(SystemLanguage::currentCode(), "de");
        ScopedEnv noMessages("LC_MESSAGES", std::nullopt);
        EXPECT_EQ(SystemLanguage::currentCode(), "fr");
        ScopedEnv noLang("LANG", std::nullopt);
        EXPECT_EQ(SystemLanguage::currentCode(), "en");
    }
}

// ---- message box ----

TEST(MessageBoxTest, HeadlessBoxesGoToStderrAndTheList) {
    MessageBox::setHeadless(true);
    MessageBox::clearShown();
    testing::internal::CaptureStderr();
    MessageBox::show("cannot read anime/x.cma", "ANIMATION ERROR");
    MessageBox::show("second", "T");
    std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(err, "ANIMATION ERROR: cannot read anime/x.cma\nT: second\n");
    ASSERT_EQ(MessageBox::getShown().size(), 2u);
    EXPECT_EQ(MessageBox::getShown()[0].title, "ANIMATION ERROR");
    EXPECT_EQ(MessageBox::getShown()[0].message, "cannot read anime/x.cma");
    EXPECT_EQ(MessageBox::getShown()[1].title, "T");
    MessageBox::clearShown();
    EXPECT_TRUE(MessageBox::getShown().empty());
}

TEST(MessageBoxTest, FormatCharactersArePrintedAsText) {
    MessageBox::setHeadless(true);
    testing::internal::CaptureStderr();
    MessageBox::show("100% %s %n", "%d");
    EXPECT_EQ(testing::internal::GetCapturedStderr(), "%d: 100% %s %n\n");
    MessageBox::clearShown();
}

// ---- joystick ----

class JoystickTest : public ::testing::Test {
protected:
    void SetUp() override {
        pads->setDevicesEnabled(false);
        for (int i = 0; i < Joystick::MAX_SLOTS; ++i)
            pads->injectDisconnect(i);
        pads->sampleDevices();
    }
    void TearDown() override { SetUp(); }

    Joystick* pads = Joystick::getInstance();
};

TEST_F(JoystickTest, DisabledDevicesNeverStartTheControllerLayer) {
    for (int i = 0; i < Joystick::MAX_SLOTS; ++i)
        EXPECT_FALSE(pads->isPresent(i));
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
    SDL_Event added{};
    added.type = SDL_CONTROLLERDEVICEADDED;
    added.cdevice.which = 0;
    pads->handleEvent(added);
    pads->sampleDevices();
    EXPECT_FALSE(pads->isPresent(0));
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
}

TEST_F(JoystickTest, AConnectedPadShowsAfterTheNextSample) {
    ASSERT_TRUE(pads->injectConnect(3));
    EXPECT_FALSE(pads->isPresent(3));
    pads->sampleDevices();
    EXPECT_TRUE(pads->isPresent(3));
    EXPECT_FALSE(pads->isPresent(2));
    EXPECT_EQ(pads->getButtons(3), std::vector<unsigned char>(Joystick::BUTTON_COUNT, 0));
    EXPECT_EQ(pads->getAxes(3), std::vector<float>(Joystick::AXIS_COUNT, 0.0f));
    EXPECT_TRUE(pads->getButtons(2).empty());
    EXPECT_TRUE(pads->getAxes(2).empty());
}

TEST_F(JoystickTest, ButtonsAndAxesAreSnapshotOncePerSample) {
    pads->injectConnect(0);
    pads->injectButton(0, 0, true);
    pads->injectButton(0, 13, true);
    pads->injectAxis(0, 0, 0.5f);
    pads->injectAxis(0, 1, -1.0f);
    pads->sampleDevices();
    EXPECT_EQ(pads->getButtons(0)[0], 1);
    EXPECT_EQ(pads->getButtons(0)[13], 1);
    EXPECT_EQ(pads->getButtons(0)[1], 0);
    EXPECT_EQ(pads->getAxes(0)[0], 0.5f);
    EXPECT_EQ(pads->getAxes(0)[1], -1.0f);

    pads->injectButton(0, 0, false);  // not seen until the next frame's sample
    EXPECT_EQ(pads->getButtons(0)[0], 1);
    pads->sampleDevices();
    EXPECT_EQ(pads->getButtons(0)[0], 0);
    EXPECT_EQ(pads->getButtons(0)[13], 1);
}

TEST_F(JoystickTest, AxisValuesAreKeptInRange) {
    pads->injectConnect(1);
    pads->injectAxis(1, 0, 1.5f);
    pads->injectAxis(1, 3, -7.0f);
    pads->injectAxis(1, 4, -0.5f);  // triggers rest at 0
    pads->injectAxis(1, 5, 2.0f);
    pads->injectAxis(1, 2, std::nanf(""));
    pads->sampleDevices();
    std::vector<float> expected = {1.0f, 0.0f, 0.0f, -1.0f, 0.0f, 1.0f};
    EXPECT_EQ(pads->getAxes(1), expected);
}

TEST_F(JoystickTest, DisconnectClearsTheStateAndReconnectStartsAtRest) {
    pads->injectConnect(5);
    pads->injectButton(5, 7, true);
    pads->injectAxis(5, 2, -0.75f);
    pads->sampleDevices();
    ASSERT_TRUE(pads->injectDisconnect(5));
    pads->sampleDevices();
    EXPECT_FALSE(pads->isPresent(5));
    EXPECT_TRUE(pads->getButtons(5).empty());
    EXPECT_TRUE(pads->getAxes(5).empty());
    EXPECT_FALSE(pads->injectButton(5, 7, true));  // nothing to press on

    pads->injectConnect(5);
    pads->sampleDevices();
    EXPECT_EQ(pads->getButtons(5), std::vector<unsigned char>(Joystick::BUTTON_COUNT, 0));
    EXPECT_EQ(pads->getAxes(5), std::vector<float>(Joystick::AXIS_COUNT, 0.0f));
}

TEST_F(JoystickTest, IndicesOutsideTheSlotsAreRejected) {
    EXPECT_FALSE(pads->injectConnect(-1));
    EXPECT_FALSE(pads->injectConnect(Joystick::MAX_SLOTS));
    EXPECT_FALSE(pads->isPresent(-1));
    EXPECT_FALSE(pads->isPresent(Joystick::MAX_SLOTS));
    EXPECT_TRUE(pads->getButtons(Joystick::MAX_SLOTS).empty());
    EXPECT_TRUE(pads->getAxes(-3).empty());
    pads->injectConnect(0);
    EXPECT_FALSE(pads->injectButton(0, -1, true));
    EXPECT_FALSE(pads->injectButton(0, Joystick::BUTTON_COUNT, true));
    EXPECT_FALSE(pads->injectAxis(0, Joystick::AXIS_COUNT, 1.0f));
    pads->sampleDevices();
    EXPECT_EQ(pads->getButtons(0), std::vector<unsigned char>(Joystick::BUTTON_COUNT, 0));
}

TEST_F(JoystickTest, EnablingDevicesWithoutPadsKeepsVirtualPads) {
    pads->injectConnect(2);
    pads->setDevicesEnabled(true);  // no game pad is attached to a test machine
    pads->sampleDevices();
    EXPECT_TRUE(pads->isPresent(2));
    pads->setDevicesEnabled(false);
    EXPECT_EQ(SDL_WasInit(SDL_INIT_GAMECONTROLLER), 0u);
    EXPECT_TRUE(pads->isPresent(2));
}

}  // namespace
