// quorin: the game's program.
#include <cstdio>
#include <string>
#include <vector>

#include "engine/scene/Director.h"
#include "game/app/AppDelegate.h"
#include "game/app/GameServices.h"
#include "game/harness/Harness.h"

namespace {

const char* kUsage =
    "usage: quorin [options]\n"
    "  --headless               run without a window or sound device (drawn off-screen)\n"
    "  --frames N               exit after frame N has been drawn (frames count from 1)\n"
    "  --screenshot FRAME:FILE  save frame FRAME as a PNG picture (may be repeated)\n"
    "  --res DIR                resource root (default: Resources next to the program)\n"
    "  --data-dir DIR           folder for the save file and settings (default: ~/.local/share/quorin)\n"
    "  --lang CODE              the system language the game is told (ja, en, ...)\n"
    "  --input FILE             play an input script: one event a line, 'FRAME down|up|tap KEY' or\n"
    "                           'FRAME pad connect|disconnect', 'FRAME pad button I down|up',\n"
    "                           'FRAME pad axis I VALUE'; '#' starts a comment line\n"
    "  --record FILE            write the keys and game-pad events of this session as an input script\n"
    "  --dump-state FILE        write the game's state as JSON when the run ends\n"
    "  --draw-every-frame       headless: draw every frame (by default only the frames a --screenshot\n"
    "                           saves are drawn; the game runs the same either way)\n"
    "  --stage N                start stage N at once, without the menus (the saved progress, or a new\n"
    "                           game when there is no save)\n"
    "  --part P                 with --stage: start at part P instead of the stage's start part\n"
    "  --soak SECONDS           press random keys and pad buttons for SECONDS of game time, then\n"
    "                           report frames, screens and memory (with --seed N; --record keeps it)\n"
    "  --seed N                 the soak's random seed (default 1)\n"
    "  --control                between frames, read input-script lines, 'dump' (prints '@state JSON')\n"
    "                           and 'run N' (play on to frame N) from the standard input, for bots\n"
    "  --scene ID               start on screen ID at once (3 options, 4 hub, 5 shop, 7 status, 8 gallery)\n"
    "  --help                   show this text\n";

// A whole positive number, or -1.
int positiveNumber(const std::string& text) {
    if (text.empty() || text.size() > 9) return -1;
    for (char c : text)
        if (c < '0' || c > '9') return -1;
    int value = std::stoi(text);
    return value > 0 ? value : -1;
}

}  // namespace

int main(int argc, char** argv) {
    engine::LaunchOptions options;
    std::string error;
    std::vector<engine::LaunchOptions::Declared> declared = vastomer::Harness::declaredOptions();
    declared.push_back({"stage", true, false});
    declared.push_back({"part", true, false});
    declared.push_back({"scene", true, false});
    if (!engine::LaunchOptions::parse(argc, argv, declared, options, error)) {
        std::fprintf(stderr, "quorin: %s\n%s", error.c_str(), kUsage);
        return 2;
    }
    if (options.help) {
        std::fputs(kUsage, stdout);
        return 0;
    }
    int stage = 0;
    int part = 0;
    if (options.has("stage")) {
        stage = positiveNumber(options.value("stage"));
        if (stage < 0) {
            std::fprintf(stderr, "quorin: --stage needs a stage number above 0, not \"%s\"\n",
                         options.value("stage").c_str());
            return 2;
        }
    }
    if (options.has("part")) {
        part = positiveNumber(options.value("part"));
        if (part < 0 || stage == 0) {
            std::fprintf(stderr, "quorin: --part needs --stage and a part number above 0\n");
            return 2;
        }
    }
    int scene = 0;
    if (options.has("scene")) {
        scene = positiveNumber(options.value("scene"));
        if (scene < 0 || stage > 0) {
            std::fprintf(stderr, "quorin: --scene needs a screen number above 0, and no --stage\n");
            return 2;
        }
    }
    vastomer::Harness harness;
    if (!harness.prepare(options, error)) {
        std::fprintf(stderr, "%s\n", error.c_str());
        return 2;
    }
    // A soak run ends by itself after its frames unless --frames says otherwise.
    if (harness.getSoakFrames() > 0 && options.frames == 0) options.frames = harness.getSoakFrames();
    AppDelegate app;
    app.setLaunchOptions(options);
    if (stage > 0) app.setStartStage(stage, part);
    if (scene > 0) app.setStartScene(scene);
    harness.install();
    int status = app.run();
    if (!harness.finish(error)) {
        std::fprintf(stderr, "quorin: %s\n", error.c_str());
        if (status == 0) status = 1;
    }
    // Everything the game made goes before the engine that holds its scene.
    vastomer::GameServices::destroy();
    engine::Director::destroyInstance();
    return status;
}
