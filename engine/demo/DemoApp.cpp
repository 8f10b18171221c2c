#include "engine/demo/DemoApp.h"

#include <cstdio>

#include "engine/demo/DemoScenes.h"
#include "engine/platform/FileUtils.h"
#include "engine/scene/Director.h"

namespace engine_demo {

bool DemoApp::applicationDidFinishLaunching() {
    engine::FileUtils::getInstance()->addSearchPath("res");
    engine::Scene* scene = DemoScenes::create(sceneName_);
    if (!scene) {
        std::fprintf(stderr, "engine-demo: unknown scene '%s'\n", sceneName_.c_str());
        return false;
    }
    engine::Director::getInstance()->runWithScene(scene);
    return true;
}

}  // namespace engine_demo
