#include "tools/animview/AnimViewApp.h"

#include <algorithm>
#include <cstdio>

#include <SDL.h>

#include "engine/platform/FileUtils.h"
#include "engine/scene/Director.h"
#include "engine/scene/Scene.h"
#include "engine/scene/Sprite.h"
#include "game/app/AppDelegate.h"

namespace animview {

bool AnimViewApp::applicationDidFinishLaunching() {
    engine::FileUtils* files = engine::FileUtils::getInstance();
    for (const std::string& path : AppDelegate::searchPaths())
        files->addSearchPath(path);

    engine::Director* director = engine::Director::getInstance();
    const engine::Size screen = director->getWinSize();
    engine::Scene* scene = engine::Scene::create();

    engine::Sprite* background = engine::Sprite::create();
    background->setTextureRect(engine::Rect(0, 0, screen.width, screen.height));
    background->setAnchorPoint(engine::Vec2::ZERO);
    background->setColor(options_.background);
    scene->addChild(background, -1);

    engine::Node* holder = engine::Node::create();
    holder->setPosition(screen.width / 2, screen.height / 2);
    holder->setScale(options_.facingRight ? -options_.scale : options_.scale, options_.scale);
    scene->addChild(holder);
    origin_ = engine::Vec2(screen.width / 2, screen.height / 2);

    if (options_.guide) {
        engine::Sprite* line = engine::Sprite::create();
        line->setTextureRect(engine::Rect(0, 0, screen.width, 1));
        line->setColor(engine::Color3B(200, 40, 40));
        line->setOpacity(160);
        line->setPosition(0, origin_.y + options_.guideY * options_.scale);
        line->setAnchorPoint(engine::Vec2(0, 1));
        scene->addChild(line, 1);
    }

    int z = 0;
    for (const std::string& file : options_.files) {
        vastomer::CompositeAnimation* animation = vastomer::CompositeAnimation::create();
        if (!animation->load(file)) {
            std::fprintf(stderr, "quorin-animview: cannot load %s\n", file.c_str());
            return false;
        }
        holder->addChild(animation, z++);
        animations_.push_back(animation);
    }
    for (vastomer::CompositeAnimation* animation : animations_) {
        animation->play(nullptr, options_.loop);
        animation->step();
    }

    const vastomer::CompositeAnimation* first = animations_.front();
    if (!options_.strip.empty()) {
        const float margin = 2.0f * static_cast<float>(options_.margin);
        const int tileWidth = static_cast<int>(std::min(
            (static_cast<float>(first->getTimeline().width) + margin) * options_.scale, screen.width));
        const int tileHeight = static_cast<int>(std::min(
            (static_cast<float>(first->getTimeline().height) + margin) * options_.scale, screen.height));
        if (!strip_.begin(tileWidth, tileHeight, options_.columns, first->getLastFrame() + 1)) return false;
    }
    shotTaken_.assign(options_.frameShots.size(), false);

    director->runWithScene(scene);
    director->setFrameDrawnCallback([this](uint64_t frame) { frameDrawn(frame); });
    return true;
}

bool AnimViewApp::picturesPending() const {
    if (strip_.isActive() && !stripSaved_) return true;
    return std::find(shotTaken_.begin(), shotTaken_.end(), false) != shotTaken_.end();
}

void AnimViewApp::frameDrawn(uint64_t frame) {
    engine::Director* director = engine::Director::getInstance();
    engine::GLView* view = director->getOpenGLView();
    for (const auto& shot : getLaunchOptions().screenshots)
        if (shot.first == frame) view->saveFrameToPNG(shot.second);

    const vastomer::CompositeAnimation* first = animations_.front();
    const int drawn = first->getCurrentFrame() - 1;
    const bool fresh = !firstPassDone_ && drawn != lastDrawn_ && drawn >= 0;
    if (drawn < lastDrawn_ || first->getCurrentFrame() > first->getLastFrame() + 1) firstPassDone_ = true;
    if (fresh) {
        lastDrawn_ = drawn;
        for (std::size_t i = 0; i < options_.frameShots.size(); ++i) {
            if (options_.frameShots[i].first == drawn && !shotTaken_[i]) {
                view->saveFrameToPNG(options_.frameShots[i].second);
                shotTaken_[i] = true;
            }
        }
        if (strip_.isActive() && !stripSaved_) {
            SDL_Surface* pixels = view->readPixels();
            const int screenHeight = static_cast<int>(director->getWinSize().height);
            strip_.capture(pixels, static_cast<int>(origin_.x), screenHeight - static_cast<int>(origin_.y),
                           drawn);
            if (pixels) SDL_FreeSurface(pixels);
            if (drawn == first->getLastFrame()) {
                stripSaved_ = true;
                if (!strip_.save(options_.strip))
                    std::fprintf(stderr, "quorin-animview: cannot write %s\n", options_.strip.c_str());
            }
        }
        if (drawn == first->getLastFrame()) firstPassDone_ = true;
    }
    // A frame asked for beyond the script's end is never drawn: nothing more will come.
    if (firstPassDone_ && !getLaunchOptions().frames && view->isHeadless()) {
        for (std::size_t i = 0; i < shotTaken_.size(); ++i)
            if (!shotTaken_[i])
                std::fprintf(stderr, "quorin-animview: %s has no frame %d\n", options_.files.front().c_str(),
                             options_.frameShots[i].first);
        director->end();
    }
}

}  // namespace animview
