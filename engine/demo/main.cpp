// engine-demo: shows what the engine layer draws, without the game.
#include <cstdio>

#include "DemoApp.h"

int main(int argc, char** argv) {
    engine::LaunchOptions options;
    std::string error;
    if (!engine::LaunchOptions::parse(argc, argv, {{"scene", true, false}, {"map", true, false}, {"particles", true, false}}, options, error)) {
        std::fprintf(stderr, "engine-demo: %s (try --help)\n", error.c_str());
        return 2;
    }
    if (options.help) {
        std::printf(
            "usage: engine-demo [--scene showcase|actions|perspective|tilemap|particles] [--headless] [--frames N]\n"
            "                   [--screenshot FRAME:FILE]... [--res DIR]\n"
            "                   [--map FILE.tmx] [--particles FILE.plist]   (for the tilemap and particles scenes)\n");
        return 0;
    }
    std::string scene = options.has("scene") ? options.value("scene") : "showcase";
    engine_demo::DemoApp app(scene);
    app.setLaunchOptions(options);
    return app.run();
}
