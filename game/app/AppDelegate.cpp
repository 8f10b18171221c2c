#include "game/app/AppDelegate.h"

#include <algorithm>

#include "engine/platform/FileUtils.h"
#include "engine/platform/WindowView.h"
#include "engine/scene/Director.h"
#include "game/app/ComfortSettings.h"
#include "game/app/GameServices.h"
#include "game/app/SceneManager.h"
#include "game/data/DataManager.h"
#include "game/data/StringsManager.h"

namespace {

constexpr float kDesignWidth = 960.0f;
constexpr float kDesignHeight = 540.0f;

}  // namespace

// The engine picks the pixel formats of its renderers itself (8-bit colour channels and alpha).
void AppDelegate::initGLContextAttrs() {}

const std::vector<std::string>& AppDelegate::searchPaths() {
    static const std::vector<std::string> paths = {"res",
                                                   "res/data",
                                                   "res/images",
                                                   "res/images/mapchip",
                                                   "res/images/character",
                                                   "res/images/weapon",
                                                   "res/images/effect",
                                                   "res/images/ui",
                                                   "res/images/bullet",
                                                   "res/fonts",
                                                   "res/audio"};
    return paths;
}

std::string AppDelegate::windowTitleFor(const std::string& languageCode) {
    if (auto* strings = vastomer::StringsManager::getInstance()) {
        std::string title = strings->getString(TITLE_KEY);
        if (title != TITLE_KEY && !title.empty()) return title;
    }
    return languageCode == "ja" ? TITLE_JA : TITLE_EN;
}

bool AppDelegate::applicationDidFinishLaunching() {
    engine::Director* director = engine::Director::getInstance();
    if (!director->getOpenGLView()) {
        engine::WindowView* view =
            engine::WindowView::createWithRect("...", engine::Rect(0, 0, kDesignWidth, kDesignHeight), 1.0f);
        if (!view) return false;
        director->setOpenGLView(view);
    }
    director->setDisplayStats(false);
    director->setAnimationInterval(1.0 / 60.0);

    engine::GLView* view = director->getOpenGLView();
    view->setDesignResolutionSize(kDesignWidth, kDesignHeight, engine::ResolutionPolicy::NO_BORDER);
    director->setContentScaleFactor(std::min(kDesignHeight / kDesignHeight, kDesignWidth / kDesignWidth));

    for (const std::string& path : searchPaths())
        engine::FileUtils::getInstance()->addSearchPath(path);

    if (!vastomer::GameServices::create()) return false;
    vastomer::ComfortSettings::applyScaling(view);
    screenshotKey_.install();
    vastomer::SceneManager* scene = vastomer::SceneManager::getInstance();
    if (startStage_ > 0) {
        vastomer::DataManager::getInstance()->setCurrentStage(startStage_);
        scene->setFirstScene(vastomer::SceneId::PLAY, vastomer::SceneParam{startPart_, 0, ""});
    } else if (startScene_ > 0) {
        scene->setFirstScene(static_cast<vastomer::SceneId>(startScene_));
    }

    std::string language = vastomer::StringsManager::getInstance()->getLanguage();
    windowTitle_ = windowTitleFor(language);
    view->setWindowTitle(windowTitle_);

    director->runWithScene(scene);
    return true;
}

void AppDelegate::retitleWindow() {
    auto* app = dynamic_cast<AppDelegate*>(engine::Application::getInstance());
    if (!app) return;
    app->windowTitle_ = windowTitleFor(vastomer::StringsManager::getInstance()->getLanguage());
    if (engine::GLView* view = engine::Director::getInstance()->getOpenGLView())
        view->setWindowTitle(app->windowTitle_);
}

void AppDelegate::applicationDidEnterBackground() {
    if (pausedInBackground_ || !vastomer::ComfortSettings::isPauseOnFocusLoss()) return;
    engine::Director* director = engine::Director::getInstance();
    // A game paused for another reason stays as it is when the window comes back.
    if (director->isPaused()) return;
    director->pause();
    pausedInBackground_ = true;
}

void AppDelegate::applicationWillEnterForeground() {
    if (!pausedInBackground_) return;
    pausedInBackground_ = false;
    engine::Director::getInstance()->resume();
}
