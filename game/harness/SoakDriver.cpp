#include "game/harness/SoakDriver.h"

#include <algorithm>
#include <cstdio>
#include <random>
#include <vector>

#include <unistd.h>

#include "game/harness/InputScript.h"

namespace vastomer {

namespace {

// The keys the game answers to; anything else is ignored by every screen.
const char* const KEYS[] = {"LEFT", "RIGHT", "UP", "DOWN", "z", "x", "c", "a", "s", "SPACE", "RETURN", "ESC"};
constexpr int PAD_BUTTONS = 8;
constexpr int PAD_AXES = 2;

std::string line(uint64_t frame, const std::string& what) {
    return std::to_string(frame) + " " + what + "\n";
}

}  // namespace

std::string SoakDriver::makeScript(uint64_t frames, uint64_t seed) {
    std::mt19937_64 random(seed);
    auto between = [&random](uint64_t low, uint64_t high) { return low + random() % (high - low + 1); };
    std::string script =
        "# soak input, seed " + std::to_string(seed) + "\n" + InputScript::KEEP_RUNNING + "\n";
    bool padPlugged = false;
    uint64_t nextPadChange = between(120, 1200);
    for (uint64_t frame = between(5, 40); frame < frames;) {
        if (frame >= nextPadChange) {
            script += line(frame, padPlugged ? "pad disconnect" : "pad connect");
            padPlugged = !padPlugged;
            nextPadChange = frame + between(300, 3000);
        }
        const uint64_t hold = random() % 4 == 0 ? between(12, 40) : between(2, 10);
        const uint64_t release = std::min(frame + hold, frames - 1);
        if (padPlugged && random() % 3 == 0) {
            if (random() % 2 == 0) {
                const std::string button = "pad button " + std::to_string(random() % PAD_BUTTONS);
                script += line(frame, button + " down") + line(release, button + " up");
            } else {
                const std::string axis = "pad axis " + std::to_string(random() % PAD_AXES);
                const int hundredths = static_cast<int>(between(0, 200)) - 100;
                char value[16];
                std::snprintf(value, sizeof value, "%.2f", hundredths / 100.0);
                script += line(frame, axis + " " + value) + line(release, axis + " 0");
            }
        } else {
            const std::string key = KEYS[random() % (sizeof KEYS / sizeof KEYS[0])];
            script += line(frame, "down " + key) + line(release, "up " + key);
            // Now and then a second key while the first is held (a direction and an action).
            if (random() % 4 == 0 && release > frame + 2) {
                const std::string other = KEYS[random() % (sizeof KEYS / sizeof KEYS[0])];
                if (other != key) script += line(frame + 1, "down " + other) + line(release, "up " + other);
            }
        }
        frame = release + between(3, 60);
    }
    return script;
}

void SoakDriver::observeFrame(uint64_t frame, int sceneId) {
    screens_.insert(sceneId);
    if (frame == WARM_UP_FRAMES) startKilobytes_ = residentKilobytes();
    endKilobytes_ = residentKilobytes();
}

std::string SoakDriver::report(uint64_t frames) const {
    std::string text = "soak: " + std::to_string(frames) + " frames, screens";
    for (int screen : screens_)
        text += " " + std::to_string(screen);
    char memory[160];
    const double change = startKilobytes_ > 0
                              ? 100.0 * static_cast<double>(endKilobytes_ - startKilobytes_) / startKilobytes_
                              : 0.0;
    std::snprintf(memory, sizeof memory, ", memory %ld KB at the start, %ld KB at the end (%+.1f %%)",
                  startKilobytes_, endKilobytes_, change);
    return text + memory;
}

long SoakDriver::residentKilobytes() {
    long pages = 0, resident = 0;
    if (std::FILE* statm = std::fopen("/proc/self/statm", "r")) {
        if (std::fscanf(statm, "%ld %ld", &pages, &resident) != 2) resident = 0;
        std::fclose(statm);
    }
    return resident * (::sysconf(_SC_PAGESIZE) / 1024);
}

}  // namespace vastomer
