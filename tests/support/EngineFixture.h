#pragma once

#include <gtest/gtest.h>

#include "engine/base/AutoreleasePool.h"
#include "engine/platform/FileUtils.h"
#include "engine/platform/HeadlessView.h"
#include "engine/scene/Director.h"
#include "engine/scene/Scene.h"
#include "tests/support/Pixel.h"
#include "tests/support/TestPaths.h"

// A fresh director drawing headless into a 960 × 540 frame, with the built resource tree on the
// search path, for each test.
class EngineFixture : public ::testing::Test {
protected:
    void SetUp() override {
        engine::Director::destroyInstance();
        auto* files = engine::FileUtils::getInstance();
        files->resetToDefaults();
        files->setResourceRoot(testsupport::runtimeDir());
        files->addSearchPath("res");
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
    testsupport::Pixel pixel(int x, int yUp) const {
        const SDL_Surface* frame = view_->getFrameSurface();
        return testsupport::readPixel(frame, x, frame->h - 1 - yUp);
    }

    engine::HeadlessView* view_ = nullptr;
    engine::Scene* scene_ = nullptr;
};
