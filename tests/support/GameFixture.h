#pragma once

#include <string>

#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/audio/AudioEngine.h"
#include "engine/events/EventDispatcher.h"
#include "engine/events/EventKeyboard.h"
#include "engine/platform/FileUtils.h"
#include "engine/platform/HeadlessView.h"
#include "engine/platform/Joystick.h"
#include "engine/platform/MessageBox.h"
#include "engine/platform/UserDefault.h"
#include "engine/scene/Director.h"
#include "game/app/AppDelegate.h"
#include "game/app/GameServices.h"
#include "game/app/SceneManager.h"
#include "game/audio/NAudioManager.h"
#include "game/data/DataManager.h"
#include "game/data/StringsManager.h"
#include "game/input/KeyInputManager.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

// A fresh engine and fresh game singletons for each test: headless frame, silent audio that logs,
// settings and saves in a scratch folder, no game pads, and the built resource tree on the search paths.
class GameFixture : public ::testing::Test {
protected:
    void SetUp() override {
        resetGame();
        auto* files = engine::FileUtils::getInstance();
        files->resetToDefaults();
        files->setResourceRoot(testsupport::runtimeDir());
        for (const std::string& path : AppDelegate::searchPaths())
            files->addSearchPath(path);
        files->setWritablePath(dataDir_.path());
        engine::UserDefault::getInstance()->reload();
        unplugAllPads();
        engine::AudioEngine::useNullBackend();
        engine::AudioEngine::clearLog();
        engine::MessageBox::setHeadless(true);
        engine::MessageBox::clearShown();
        view_ = engine::HeadlessView::create();
        ASSERT_NE(view_, nullptr);
        engine::Director::getInstance()->setOpenGLView(view_);
    }

    void TearDown() override {
        resetGame();
        unplugAllPads();
        engine::FileUtils::getInstance()->resetToDefaults();
        engine::UserDefault::getInstance()->reload();
    }

    static void resetGame() {
        vastomer::GameServices::destroy();
        engine::Director::destroyInstance();
    }

    static void unplugAllPads() {
        auto* joystick = engine::Joystick::getInstance();
        joystick->setDevicesEnabled(false);
        for (int i = 0; i < engine::Joystick::MAX_SLOTS; ++i)
            joystick->injectDisconnect(i);
        joystick->sampleDevices();
    }

    // The game's scene, running, with the splash screen on.
    vastomer::SceneManager* startGame() {
        if (!vastomer::GameServices::create()) return nullptr;
        vastomer::SceneManager* scene = vastomer::SceneManager::getInstance();
        engine::Director::getInstance()->runWithScene(scene);
        return scene;
    }

    // Frames run as the main loop runs them (the view samples the pads at the start of each).
    void runFrames(int count) {
        for (int i = 0; i < count; ++i)
            engine::Director::getInstance()->mainLoop();
    }
    uint64_t frame() const { return engine::Director::getInstance()->getTotalFrames(); }

    static void sendKey(int keyCode, bool down) {
        engine::EventKeyboard event(static_cast<engine::KeyCode>(keyCode), down);
        engine::Director::getInstance()->getEventDispatcher()->dispatchEvent(&event);
    }

    testsupport::TempFolder dataDir_;
    engine::HeadlessView* view_ = nullptr;
};
