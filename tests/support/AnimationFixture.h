#pragma once

#include <filesystem>
#include <string>

#include <SDL.h>
#include <SDL_image.h>

#include "engine/scene/Scene.h"
#include "game/scenario/CompositeAnimation.h"
#include "game/scenario/NSpriteAnimationManager.h"
#include "tests/support/Files.h"
#include "tests/support/GameFixture.h"
#include "tests/support/Pixel.h"

// Composite animations played headless: scripts and pictures written into a scratch resource root
// (searched as the game searches), a running scene to hold the animations, and pixel reads of the
// frame drawn last.
class AnimationFixture : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        auto* files = engine::FileUtils::getInstance();
        files->setResourceRoot(root_.path());
        files->setSearchPaths(AppDelegate::searchPaths());
        scene_ = engine::Scene::create();
        engine::Director::getInstance()->runWithScene(scene_);
    }

    // Writes a file under the scratch root's res/ folder; files are looked for and parsed afresh.
    void write(const std::string& name, const std::string& text) {
        testsupport::writeFile(root_ / ("res/" + name), text);
        engine::FileUtils::getInstance()->purgeCachedEntries();
        vastomer::NSpriteAnimationManager::getInstance()->getScriptCache().clear();
    }
    // A script anime/NAME.cma with a header of interval 0.1 s above the given element lines.
    std::string script(const std::string& name, const std::string& lines,
                       const std::string& interval = "0.1") {
        write("anime/" + name + ".cma", name + ",32,32," + interval + "\n" + lines);
        return "anime/" + name + ".cma";
    }

    // A 32 x 32 picture of four 16 x 16 cells: red, green (top), blue, yellow (bottom).
    void writeQuadrantSheet(const std::string& name) {
        SDL_Surface* surface = SDL_CreateRGBSurfaceWithFormat(0, 32, 32, 32, SDL_PIXELFORMAT_ARGB8888);
        const Uint32 colours[4] = {
            SDL_MapRGB(surface->format, 255, 0, 0), SDL_MapRGB(surface->format, 0, 255, 0),
            SDL_MapRGB(surface->format, 0, 0, 255), SDL_MapRGB(surface->format, 255, 255, 0)};
        for (int cell = 0; cell < 4; ++cell) {
            SDL_Rect rect{(cell % 2) * 16, (cell / 2) * 16, 16, 16};
            SDL_FillRect(surface, &rect, colours[cell]);
        }
        const std::string path = root_ / ("res/images/" + name);
        std::filesystem::create_directories(std::filesystem::path(path).parent_path());
        IMG_SavePNG(surface, path.c_str());
        SDL_FreeSurface(surface);
    }

    // A loaded animation added to the scene at the screen centre.
    vastomer::CompositeAnimation* animation(const std::string& file) {
        vastomer::CompositeAnimation* node = vastomer::CompositeAnimation::create();
        EXPECT_TRUE(node->load(file)) << file;
        node->setPosition(480, 270);
        scene_->addChild(node);
        return node;
    }

    // Colour of a pixel of the last drawn frame; (x, y) in design units with y up.
    testsupport::Pixel pixel(int x, int yUp) const {
        const SDL_Surface* frame = view_->getFrameSurface();
        return testsupport::readPixel(frame, x, frame->h - 1 - yUp);
    }

    static std::vector<engine::MessageBox::Shown> boxes() { return engine::MessageBox::getShown(); }
    static std::string lastBox() {
        const auto& shown = engine::MessageBox::getShown();
        return shown.empty() ? std::string() : shown.back().title + ": " + shown.back().message;
    }

    testsupport::TempFolder root_;
    engine::Scene* scene_ = nullptr;
};

// A PAINT line of a whole picture or cell at (x, y) with the colour fields given.
inline std::string paintLine(int frame, int id, const std::string& image, int x = 0, int y = 0,
                             const std::string& colour = "-,-,-,-", const std::string& blend = "0") {
    return std::to_string(frame) + ",PAINT," + std::to_string(id) + "," + image + "," + std::to_string(x) +
           "," + std::to_string(y) + ",0,1,1,0.5,0.5,0,false,false," + blend + "," + colour + "\n";
}
