#include "game/app/AppDelegate.h"

#include "engine/platform/FileUtils.h"
#include "engine/platform/WindowView.h"
#include "engine/scene/Director.h"

void AppDelegate::initGLContextAttrs() {}

bool AppDelegate::applicationDidFinishLaunching() {
    engine::Director* director = engine::Director::getInstance();
    if (!director->getOpenGLView()) {
        engine::WindowView* view = engine::WindowView::createWithRect("...", engine::Rect(0, 0, 960, 540), 1.0f);
        if (!view) return false;
        director->setOpenGLView(view);
    }
    director->setDisplayStats(false);
    director->setAnimationInterval(1.0 / 60.0);
    director->getOpenGLView()->setDesignResolutionSize(960, 540, engine::ResolutionPolicy::NO_BORDER);
    director->setContentScaleFactor(1.0f);
    for (const char* path : {"res", "res/data", "res/images", "res/images/mapchip", "res/images/character",
                             "res/images/weapon", "res/images/effect", "res/images/ui", "res/images/bullet",
                             "res/fonts", "res/audio"})
        engine::FileUtils::getInstance()->addSearchPath(path);
    director->runWithScene(engine::Scene::create());
    return true;
}

void AppDelegate::applicationDidEnterBackground() { engine::Director::getInstance()->stopAnimation(); }

void AppDelegate::applicationWillEnterForeground() { engine::Director::getInstance()->startAnimation(); }
