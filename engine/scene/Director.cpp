#include "engine/scene/Director.h"

#include "engine/actions/ActionManager.h"
#include "engine/audio/AudioEngine.h"
#include "engine/base/AutoreleasePool.h"
#include "engine/events/EventDispatcher.h"
#include "engine/render/Renderer.h"
#include "engine/render/TextureCache.h"
#include "engine/scene/Scheduler.h"

namespace engine {

namespace {
Director* g_director = nullptr;

// What drawing does to the tree besides drawing: children of shown nodes are put in z order.
void sortShownTree(Node* node) {
    if (!node->isVisible()) return;
    node->sortAllChildren();
    for (Node* child : node->getChildren())
        sortShownTree(child);
}
}  // namespace

Director* Director::getInstance() {
    if (!g_director) g_director = new Director();
    return g_director;
}

Director* Director::peekInstance() {
    return g_director;
}

void Director::destroyInstance() {
    if (!g_director) return;
    Director* director = g_director;
    if (director->runningScene_) {
        director->runningScene_->onExitTransitionDidStart();
        director->runningScene_->onExit();
        director->runningScene_->cleanup();
    }
    director->runningScene_.reset();
    director->nextScene_.reset();
    AutoreleasePool::getInstance().clear();
    director->actionManager_->removeAllActions();
    director->eventDispatcher_->removeAllEventListeners();
    AutoreleasePool::getInstance().clear();
    // Textures belong to the view's renderer: drop them before the view.
    director->textureCache_.reset();
    director->renderer_.reset();
    director->view_.reset();
    AutoreleasePool::getInstance().clear();
    g_director = nullptr;
    delete director;
}

Director::Director()
    : scheduler_(std::make_unique<Scheduler>()),
      actionManager_(std::make_unique<ActionManager>()),
      eventDispatcher_(std::make_unique<EventDispatcher>()) {
    scheduler_->setActionManager(actionManager_.get());
}

Director::~Director() = default;

void Director::setOpenGLView(GLView* view) {
    if (view == view_.get()) return;
    textureCache_.reset();
    renderer_.reset();
    view_ = view;
    if (view_) {
        renderer_ = std::make_unique<Renderer>(view_->getSDLRenderer(), view_->getDesignResolutionSize());
        textureCache_ = std::make_unique<TextureCache>(view_->getSDLRenderer());
    }
}

Size Director::getWinSize() const {
    return view_ ? view_->getDesignResolutionSize() : Size(960.0f, 540.0f);
}

void Director::runWithScene(Scene* scene) {
    if (!scene || runningScene_) return;
    runningScene_ = scene;
    scene->onEnter();
    scene->onEnterTransitionDidFinish();
}

void Director::replaceScene(Scene* scene) {
    if (!runningScene_) {
        runWithScene(scene);
        return;
    }
    nextScene_ = scene;
}

void Director::mainLoop() {
    if (!animating_) return;
    ++frame_;
    if (frameBegin_) frameBegin_(frame_);
    if (view_) {
        view_->pollEvents(*eventDispatcher_);
        if (view_->windowShouldClose()) ended_ = true;
    }
    if (!paused_) scheduler_->update(FRAME_TIME);
    if (nextScene_) {
        RefPtr<Scene> outgoing = runningScene_;
        runningScene_ = nextScene_;
        nextScene_.reset();
        outgoing->onExitTransitionDidStart();
        outgoing->onExit();
        outgoing->cleanup();
        runningScene_->onEnter();
        runningScene_->onEnterTransitionDidFinish();
    }
    if (runningScene_ && !paused_) runningScene_->stepPhysics(FRAME_TIME);
    AudioEngine::tick();
    if (!drawFilter_ || drawFilter_(frame_) || !captures_.empty()) {
        drawScene();
        if (frameDrawn_) frameDrawn_(frame_);
        serveCaptures();
    } else if (runningScene_) {
        sortShownTree(runningScene_);
    }
    if (view_) view_->present();
    AutoreleasePool::getInstance().clear();
}

void Director::captureNextFrame(const std::string& path, std::function<void(bool)> done) {
    captures_.emplace_back(path, std::move(done));
}

void Director::serveCaptures() {
    auto captures = std::move(captures_);
    captures_.clear();
    for (auto& capture : captures) {
        bool written = view_ && view_->saveFrameToPNG(capture.first);
        if (capture.second) capture.second(written);
    }
}

void Director::drawScene() {
    if (!renderer_) return;
    renderer_->beginFrame();
    if (runningScene_) runningScene_->visit(*renderer_, DrawContext{});
    renderer_->endFrame();
}

}  // namespace engine
