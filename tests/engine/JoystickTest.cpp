// Game pads as the engine sees them: connecting, sampling, ranges and slots.
#include <cmath>

#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/platform/Joystick.h"

using engine::Joystick;

namespace {

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
