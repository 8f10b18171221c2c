#pragma once

#include <vector>

#include "engine/platform/Application.h"
#include "game/scenario/CompositeAnimation.h"
#include "tools/animview/AnimViewOptions.h"
#include "tools/animview/FrameStrip.h"

namespace animview {

// Plays animation scripts centred on a plain background. The first script's frames are counted:
// its frame 0 shows in the first frame of the run (it is stepped at once, as the game steps a new
// motion), and pictures asked for by animation frame are taken when that frame is first drawn.
// Without --frames a headless run ends once the first script has been through once and every
// picture is taken.
class AnimViewApp : public engine::Application {
public:
    explicit AnimViewApp(AnimViewOptions options)
        : engine::Application({"quorin-animview", "quorin-animview"}), options_(std::move(options)) {}

    bool applicationDidFinishLaunching() override;

private:
    void frameDrawn(uint64_t frame);
    bool picturesPending() const;

    AnimViewOptions options_;
    std::vector<vastomer::CompositeAnimation*> animations_;  // owned by the scene
    engine::Vec2 origin_;  // where the animations' origin is, on the screen (y down)
    FrameStrip strip_;
    bool stripSaved_ = false;
    std::vector<bool> shotTaken_;
    int lastDrawn_ = -1;  // the first script's frame drawn last
    bool firstPassDone_ = false;
};

}  // namespace animview
