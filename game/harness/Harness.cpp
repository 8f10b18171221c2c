#include "game/harness/Harness.h"

#include <cstdio>
#include <cstdlib>

#include "engine/scene/Director.h"
#include "game/app/SceneManager.h"
#include "game/harness/GameStateSections.h"

namespace vastomer {

namespace {
// A day of game time: far more than any soak needs, and frame counts stay well inside 64 bits.
constexpr unsigned long long MAX_SOAK_SECONDS = 86400;
}  // namespace

const std::vector<engine::LaunchOptions::Declared>& Harness::declaredOptions() {
    static const std::vector<engine::LaunchOptions::Declared> options = {
        {"input", true, false},      {"record", true, false},
        {"dump-state", true, false}, {"draw-every-frame", false, false},
        {"soak", true, false},       {"seed", true, false},
        {"control", false, false}};
    return options;
}

bool Harness::prepare(const engine::LaunchOptions& options, std::string& error) {
    if (options.has("soak")) {
        if (options.has("input")) {
            error = "quorin: --soak plays input of its own; it cannot be used with --input";
            return false;
        }
        const std::string seconds = options.value("soak"), seed = options.value("seed");
        char* end = nullptr;
        const unsigned long long length = std::strtoull(seconds.c_str(), &end, 10);
        if (seconds.empty() || *end != '\0' || length == 0 || length > MAX_SOAK_SECONDS) {
            error = "quorin: --soak needs a number of seconds from 1 to " + std::to_string(MAX_SOAK_SECONDS);
            return false;
        }
        const unsigned long long seedValue = seed.empty() ? 1 : std::strtoull(seed.c_str(), &end, 10);
        if (!seed.empty() && *end != '\0') {
            error = "quorin: --seed needs a whole number";
            return false;
        }
        soakFrames_ = length * 60;
        InputScript script;
        if (!InputScript::parse(SoakDriver::makeScript(soakFrames_, seedValue), "soak", script, error))
            return false;
        player_ = std::make_unique<InputScriptPlayer>(script);
        keepRunning_ = script.isKeepRunning();
        soak_ = std::make_unique<SoakDriver>();
    }
    if (options.has("input")) {
        InputScript script;
        if (!InputScript::load(options.value("input"), script, error)) return false;
        player_ = std::make_unique<InputScriptPlayer>(script);
        keepRunning_ = script.isKeepRunning();
    }
    if (options.has("control")) {
        if (soak_) {
            error = "quorin: --control and --soak both play input; use one";
            return false;
        }
        if (!player_) player_ = std::make_unique<InputScriptPlayer>(InputScript());
        control_ = std::make_unique<ControlChannel>(stdin, stdout);
    }
    if (options.has("record")) {
        recorder_ = std::make_unique<InputRecorder>();
        if (!recorder_->open(options.value("record"), error, keepRunning_)) return false;
    }
    dumpPath_ = options.value("dump-state");
    drawOnlyScreenshots_ = options.headless && !options.has("draw-every-frame");
    for (const auto& shot : options.screenshots)
        screenshotFrames_.insert(shot.first);
    GameStateSections::addTo(stateDump_);
    return true;
}

void Harness::install() {
    if (drawOnlyScreenshots_) {
        // Nobody sees a headless frame that is not saved: the pixels are the one thing skipped.
        std::set<uint64_t> frames = screenshotFrames_;
        engine::Director::getInstance()->setFrameDrawFilter(
            [frames](uint64_t frame) { return frames.count(frame) != 0; });
    }
    if (recorder_) recorder_->attach();
    if (!player_ && !recorder_ && !soak_) return;
    engine::Director::getInstance()->setFrameBeginCallback([this](uint64_t frame) { beginFrame(frame); });
    if (keepRunning_) {
        // A soak (and its replay) plays for as long as it was asked to: the title's End entry leads
        // back to the title.
        engine::Director::getInstance()->setEndFilter([]() {
            if (SceneManager* scenes = SceneManager::peekInstance())
                scenes->changeScene(SceneId::TITLE, TransitionKind::FadeThroughBlack, nullptr, SceneParam());
            return false;
        });
    }
}

void Harness::beginFrame(uint64_t frame) {
    // The pads as the game saw them in the frame before; then this frame's scripted events.
    if (recorder_) recorder_->observePads(frame - 1);
    if (control_ && control_->isOpen()) {
        std::string error;
        if (!control_->serve(frame, *player_, stateDump_, error))
            std::fprintf(stderr, "quorin: %s; the run plays on without control\n", error.c_str());
    }
    if (player_) player_->applyFrame(frame);
    if (soak_) {
        SceneManager* scene = SceneManager::getInstance();
        soak_->observeFrame(frame, scene ? scene->getCurrentSceneId() : 0);
    }
}

bool Harness::finish(std::string& error) {
    engine::Director* director = engine::Director::getInstance();
    director->setFrameBeginCallback(nullptr);
    director->setFrameDrawFilter(nullptr);
    director->setEndFilter(nullptr);
    if (recorder_) {
        recorder_->observePads(director->getTotalFrames());
        recorder_->close();
    }
    if (soak_) std::printf("%s\n", soak_->report(director->getTotalFrames()).c_str());
    // A game that never started has no state to tell.
    if (dumpPath_.empty() || !director->getRunningScene()) return true;
    return stateDump_.writeToFile(dumpPath_, error);
}

}  // namespace vastomer
