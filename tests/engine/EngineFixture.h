#pragma once

#include <SDL.h>
#include <gtest/gtest.h>

#include "engine/base/AutoreleasePool.h"
#include "engine/base/Color.h"
#include "engine/platform/FileUtils.h"
#include "engine/platform/HeadlessView.h"
#include "engine/scene/Director.h"
#include "engine/scene/Scene.h"

// A fresh director drawing headless into a 960 × 540 frame, for each test. The resource root is an
// empty folder: engine tests name their files (ENGINE_TEST_FONT, shared test data) by full path.
class EngineTest : public ::testing::Test {
protected:
    void SetUp() override {
        engine::Director::destroyInstance();
        auto* files = engine::FileUtils::getInstance();
        files->resetToDefaults();
        files->setResourceRoot(ENGINE_TEST_RESOURCE_ROOT);
        view_ = engine::HeadlessView::create();
        ASSERT_NE(view_, nullptr);
        engine::Director::getInstance()->setOpenGLView(view_);
        scene_ = createScene();
        engine::Director::getInstance()->runWithScene(scene_);
    }

    // The scene each test runs in; fixtures needing another kind (with physics) override it.
    virtual engine::Scene* createScene() { return engine::Scene::create(); }

    void TearDown() override { engine::Director::destroyInstance(); }

    void runFrames(int count) {
        for (int i = 0; i < count; ++i)
            engine::Director::getInstance()->mainLoop();
    }

    // Colour of a pixel of the last drawn frame; (x, y) in design units with y up.
    engine::Color4B pixel(int x, int yUp) const {
        SDL_Surface* s = view_->getFrameSurface();
        int y = s->h - 1 - yUp;
        Uint32 v = static_cast<const Uint32*>(s->pixels)[y * (s->pitch / 4) + x];
        return engine::Color4B(static_cast<uint8_t>(v >> 16), static_cast<uint8_t>(v >> 8),
                               static_cast<uint8_t>(v), static_cast<uint8_t>(v >> 24));
    }

    engine::HeadlessView* view_ = nullptr;
    engine::Scene* scene_ = nullptr;
};

// Colour channels within a tolerance (drawing goes through 8-bit blending).
inline ::testing::AssertionResult colorNear(const engine::Color4B& actual, const engine::Color4B& expected,
                                            int tolerance = 2) {
    auto off = [&](int a, int b) { return a - b > tolerance || b - a > tolerance; };
    if (off(actual.r, expected.r) || off(actual.g, expected.g) || off(actual.b, expected.b))
        return ::testing::AssertionFailure()
               << "got (" << int(actual.r) << "," << int(actual.g) << "," << int(actual.b) << ") expected ("
               << int(expected.r) << "," << int(expected.g) << "," << int(expected.b) << ")";
    return ::testing::AssertionSuccess();
}
