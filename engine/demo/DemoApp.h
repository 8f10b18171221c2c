#pragma once

#include <string>

#include "engine/platform/Application.h"

namespace engine_demo {

class DemoApp : public engine::Application {
public:
    explicit DemoApp(std::string sceneName)
        : engine::Application({"engine-demo", "engine-demo"}), sceneName_(std::move(sceneName)) {}
    bool applicationDidFinishLaunching() override;

private:
    std::string sceneName_;
};

}  // namespace engine_demo
