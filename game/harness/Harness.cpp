#include "game/harness/Harness.h"

#include "engine/scene/Director.h"
#include "game/harness/GameStateSections.h"

namespace vastomer {

const std::vector<engine::LaunchOptions::Declared>& Harness::declaredOptions() {
    static const std::vector<engine::LaunchOptions::Declared> options = {{"input", true, false},
                                                                         {"record", true, false},
                                                                         {"dump-state", true, false},
                                                                         {"draw-every-frame", false, false}};
    return options;
}

bool Harness::prepare(const engine::LaunchOptions& options, std::string& error) {
    if (options.has("input")) {
        InputScript script;
        if (!InputScript::load(options.value("input"), script, error)) return false;
        player_ = std::make_unique<InputScriptPlayer>(script);
    }
    if (options.has("record")) {
        recorder_ = std::make_unique<InputRecorder>();
        if (!recorder_->open(options.value("record"), error)) return false;
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
    if (!player_ && !recorder_) return;
    engine::Director::getInstance()->setFrameBeginCallback([this](uint64_t frame) { beginFrame(frame); });
}

void Harness::beginFrame(uint64_t frame) {
    // The pads as the game saw them in the frame before; then this frame's scripted events.
    if (recorder_) recorder_->observePads(frame - 1);
    if (player_) player_->applyFrame(frame);
}

bool Harness::finish(std::string& error) {
    engine::Director* director = engine::Director::getInstance();
    director->setFrameBeginCallback(nullptr);
    director->setFrameDrawFilter(nullptr);
    if (recorder_) {
        recorder_->observePads(director->getTotalFrames());
        recorder_->close();
    }
    // A game that never started has no state to tell.
    if (dumpPath_.empty() || !director->getRunningScene()) return true;
    return stateDump_.writeToFile(dumpPath_, error);
}

}  // namespace vastomer
