#pragma once

// The message window, its caption and the dialog, headless in the running game scene over a plain
// backdrop, with the built resource tree (pictures, fonts, sounds).

#include <cstdlib>
#include <string>

#include "engine/scene/Sprite.h"
#include "game/scenario/MessageAdvance.h"
#include "game/scenario/MessageWindow.h"
#include "game/scenario/NCaption.h"
#include "tests/support/GameFixture.h"

class MessageFixture : public GameFixture {
protected:
    static constexpr int KEY_Z = 149;      // OK by default
    static constexpr int KEY_X = 147;      // CANCEL by default
    static constexpr int OVERLAY_Z = 900;  // over the screens and their fade curtain

    void SetUp() override {
        GameFixture::SetUp();
        scene_ = startGame();
        ASSERT_NE(scene_, nullptr);
        engine::Sprite* backdrop = engine::Sprite::create();
        backdrop->setTextureRect(engine::Rect(0, 0, 960, 540));
        backdrop->setAnchorPoint(engine::Vec2::ZERO);
        backdrop->setColor(engine::Color3B(38, 40, 74));
        scene_->addChild(backdrop, OVERLAY_Z - 1);
    }

    vastomer::MessageWindow* addWindow() {
        vastomer::MessageWindow* window = vastomer::MessageWindow::create();
        EXPECT_NE(window, nullptr);
        if (window) scene_->addChild(window, OVERLAY_Z);
        return window;
    }

    // Frames, each followed by the message's input step as its owner runs it.
    void frames(int count, vastomer::MessageAdvance* advance = nullptr) {
        for (int i = 0; i < count; ++i) {
            runFrames(1);
            if (advance) advance->update();
        }
    }
    static void press(int key) { sendKey(key, true); }
    static void release(int key) { sendKey(key, false); }

    // Effects the null audio backend was asked to play, by file.
    static int timesPlayed(const std::string& path) {
        int count = 0;
        for (const auto& entry : engine::AudioEngine::getLog())
            if (entry.operation == "play2d" && entry.path == path) ++count;
        return count;
    }

    // Keeps the last frame as a picture when QUORIN_SHOTS names a folder (for looking at by eye).
    void keepShot(const std::string& name) {
        if (const char* folder = std::getenv("QUORIN_SHOTS"))
            view_->saveFrameToPNG(std::string(folder) + "/" + name + ".png");
    }

    // Colour of a pixel of the last frame; (x, y) in design units with y up.
    engine::Color4B pixel(int x, int yUp) const {
        SDL_Surface* s = view_->getFrameSurface();
        int y = s->h - 1 - yUp;
        Uint32 v = static_cast<const Uint32*>(s->pixels)[y * (s->pitch / 4) + x];
        return engine::Color4B(static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                               static_cast<uint8_t>(v), 255);
    }
    // Pixels of a rectangle darker than `level` in every channel (text ink on the paper).
    int darkPixels(int x0, int y0, int x1, int y1, int level = 80) const {
        int count = 0;
        for (int y = y0; y < y1; ++y)
            for (int x = x0; x < x1; ++x) {
                engine::Color4B c = pixel(x, y);
                if (c.r < level && c.g < level && c.b < level) ++count;
            }
        return count;
    }

    vastomer::SceneManager* scene_ = nullptr;
};
