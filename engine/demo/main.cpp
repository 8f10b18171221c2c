// engine-demo: shows what the engine layer draws, without the game.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/demo/DemoApp.h"

int main(int argc, char** argv) {
    engine::LaunchOptions options;
    std::string error;
    const std::vector<engine::LaunchOptions::Declared> declared = {
        {"scene", true, false}, {"map", true, false}, {"particles", true, false}};
    if (!engine::LaunchOptions::parse(argc, argv, declared, options, error)) {
        std::fprintf(stderr, "engine-demo: %s (try --help)\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::printf(
            "usage: engine-demo [--scene showcase|actions|perspective|tilemap|particles]\n"
            "                   [--headless] [--frames N] [--screenshot FRAME:FILE]... [--res DIR]\n"
            "                   [--map FILE.tmx]          (tilemap scene; or QUORIN_DEMO_MAP)\n"
            "                   [--particles FILE.plist]  (particles scene; or QUORIN_DEMO_PARTICLES)\n");
        return 0;
    }
    std::string scene = options.has("scene") ? options.value("scene") : "showcase";
    engine_demo::DemoApp app(scene);
    app.setLaunchOptions(options);
    return app.run();
}
