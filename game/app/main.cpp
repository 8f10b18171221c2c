// quorin: the game's program.
#include <cstdio>
#include <string>

#include "game/app/AppDelegate.h"

namespace {

const char* kUsage =
    "usage: quorin [options]\n"
    "  --headless               run without a window or sound device (drawn off-screen)\n"
    "  --frames N               exit after frame N has been drawn (frames count from 1)\n"
    "  --screenshot FRAME:FILE  save frame FRAME as a PNG picture (may be repeated)\n"
    "  --res DIR                resource root (default: Resources next to the program)\n"
    "  --data-dir DIR           folder for the save file and settings (default: ~/.local/share/quorin)\n"
    "  --lang CODE              the system language the game is told (ja, en, ...)\n"
    "  --help                   show this text\n";

}  // namespace

int main(int argc, char** argv) {
    engine::LaunchOptions options;
    std::string error;
    if (!engine::LaunchOptions::parse(argc, argv, {}, options, error)) {
        std::fprintf(stderr, "quorin: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    AppDelegate app;
    app.setLaunchOptions(options);
    return app.run();
}
