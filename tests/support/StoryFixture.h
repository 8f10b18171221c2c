#pragma once

// Story scenes on a headless stage: the tests' stage 1 (PlayFixture) with scripts written on the
// spot and played through the play controller, and the keys, sounds and waits the tests look at.

#include <cstdlib>
#include <functional>
#include <string>

#include "game/scenario/DramaPart.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/NCaption.h"
#include "game/scenario/QuorinScenarioController.h"
#include "game/scenario/QuorinScenarioEngine.h"
#include "tests/support/Files.h"
#include "tests/support/PlayFixture.h"
#include "tests/support/TempFolder.h"

class StoryFixture : public PlayFixture {
protected:
    static constexpr int KEY_Z = playtest::OK;
    static constexpr int KEY_X = playtest::CANCEL;

    // Stage 1 of the test maps, played until the player stands and takes input (its story read).
    void startPlaying() {
        ASSERT_NE(startStage(1), nullptr);
        ASSERT_TRUE(runUntilPlayable());
    }

    // Writes a script (lines joined by line feeds) into a scratch folder; returns its path, by which
    // the game finds it.
    std::string writeScript(const std::string& name, const std::string& text) {
        const std::string path = scripts_ / name;
        testsupport::writeFile(path, text);
        return path;
    }
    // Writes and plays a script through the play controller; false when it did not start.
    bool play(const std::string& text, std::function<void()> onEnd = nullptr,
              const std::string& name = "scene.bks") {
        lastScript_ = writeScript(name, text);
        return controller()->startScenario(lastScript_, 0, std::move(onEnd), true);
    }

    vastomer::QuorinScenarioEngine* engine() const {
        return controller() ? controller()->getScenarioEngine() : nullptr;
    }
    vastomer::MessageWindow* window() const { return scene() ? scene()->getMessageWindow() : nullptr; }
    bool scenarioRunning() const { return engine() != nullptr; }

    // Runs frames until `done` holds; false after `limit` frames.
    bool runUntil(const std::function<bool()>& done, int limit = 600) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            runFrames(1);
        }
        return done();
    }
    // Presses and releases a key over two frames.
    void tap(int key) {
        sendKey(key, true);
        runFrames(1);
        sendKey(key, false);
        runFrames(1);
    }
    // Taps OK every few frames until `done` holds; false after `limit` taps.
    bool tapOkUntil(const std::function<bool()>& done, int limit = 200) {
        for (int i = 0; i < limit; ++i) {
            if (done()) return true;
            tap(KEY_Z);
            runFrames(2);
        }
        return done();
    }

    // Keeps the last frame as a picture when QUORIN_SHOTS names a folder (for looking at by eye).
    void keepShot(const std::string& name) {
        if (const char* folder = std::getenv("QUORIN_SHOTS"))
            view_->saveFrameToPNG(std::string(folder) + "/" + name + ".png");
    }

    // Effects the null audio backend was asked to play, by file.
    static int timesPlayed(const std::string& path) {
        int count = 0;
        for (const auto& entry : engine::AudioEngine::getLog())
            if (entry.operation == "play2d" && entry.path == path) ++count;
        return count;
    }

    testsupport::TempFolder scripts_;
    std::string lastScript_;
};
