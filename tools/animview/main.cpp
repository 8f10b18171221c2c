// quorin-animview: plays ".cma" animation scripts on a plain background and takes pictures of
// their frames, headless or in a window.
#include <cstdio>
#include <string>

#include "engine/scene/Director.h"
#include "tools/animview/AnimViewApp.h"

int main(int argc, char** argv) {
    engine::LaunchOptions launch;
    std::string error;
    if (!engine::LaunchOptions::parse(argc, argv, animview::AnimViewOptions::declared(), launch, error)) {
        std::fprintf(stderr, "quorin-animview: %s (try --help)\n", error.c_str());
        return 2;
    }
    if (launch.help) {
        std::printf("%s", animview::AnimViewOptions::usage().c_str());
        return 0;
    }
    animview::AnimViewOptions options;
    if (!animview::AnimViewOptions::read(launch, options, error)) {
        std::fprintf(stderr, "quorin-animview: %s (try --help)\n", error.c_str());
        return 2;
    }
    animview::AnimViewApp app(options);
    app.setLaunchOptions(launch);
    const int status = app.run();
    engine::Director::destroyInstance();
    return status;
}
