#pragma once

#include <functional>
#include <map>
#include <string>

#include "engine/scene/Node.h"
#include "game/scenario/AnimationTimeline.h"

namespace vastomer {

// A node that plays a ".cma" animation script: sprites cut from sprite sheets, placed and changed
// frame by frame, with sound effects and named events for its owner. Characters, weapons,
// bullets, effects, scenario set pieces and drama parts are all made of these.
//
// Playback advances one script frame per interval, counted on the per-frame update (every frame
// is 1/60 s). Frame 0 clears the children first; after the last frame one more interval passes,
// then `onFinished` runs and the animation either stops (keeping its last picture) or starts over.
class CompositeAnimation : public engine::Node {
public:
    using FinishedCallback = std::function<void(CompositeAnimation*)>;
    using EventCallback = std::function<void(CompositeAnimation*, const std::string&, const std::string&)>;

    static constexpr const char* ERROR_TITLE = "ANIMATION ERROR";

    static CompositeAnimation* create();

    // Reads a script (through the resource search paths; each file is parsed once per run). False
    // when the file is missing or broken; a broken file's first mistake is shown in an error box the
    // first time it is asked for. The timeline is replaced either way: after a failure it is empty
    // and the file name is forgotten. Playing an empty timeline finishes on the next frame.
    bool load(const std::string& file);
    // Starts from frame 0. Ignored entirely while locked.
    void play(FinishedCallback onFinished = nullptr, bool loop = false);
    void stop();
    // Advances one frame at once (the owner shows a new animation's first frame in the same frame).
    void step();
    void update(float dt) override;

    virtual int getCurrentFrame() const { return currentFrame_; }
    virtual int getLastFrame() const { return timeline_.lastFrame; }
    virtual const std::string& getAnimationName() const { return timeline_.name; }
    // The file of the last successful load; empty after a failed one.
    virtual const std::string& getFileName() const { return fileName_; }
    virtual float getInterval() const { return static_cast<float>(timeline_.interval); }
    virtual void setInterval(float seconds) { timeline_.interval = seconds; }
    virtual bool isPaused() const { return paused_; }
    virtual void setPaused(bool paused) { paused_ = paused; }
    virtual bool isLoop() const { return loop_; }
    virtual void setLoop(bool loop) { loop_ = loop; }
    virtual bool isLocked() const { return locked_; }
    virtual void setLocked(bool locked) { locked_ = locked; }
    virtual const FinishedCallback& getOnFinished() const { return onFinished_; }
    virtual void setOnFinished(FinishedCallback callback) { onFinished_ = std::move(callback); }
    virtual const EventCallback& getOnEvent() const { return onEvent_; }
    virtual void setOnEvent(EventCallback callback) { onEvent_ = std::move(callback); }
    // Put before every picture name of the image fields.
    virtual const std::string& getPictureFolder() const { return pictureFolder_; }
    virtual void setPictureFolder(const std::string& folder) { pictureFolder_ = folder; }

    const AnimationTimeline& getTimeline() const { return timeline_; }
    // Audio ids of the sounds started by PLAYSE lines, by the script's sound id.
    const std::map<int, int>& getSoundIds() const { return soundIds_; }

protected:
    CompositeAnimation() = default;

private:
    void advance();
    void finishEmpty();
    void applyFrame(int frame);
    void apply(const AnimationElement& element);
    void applySprite(const AnimationElement& element);
    void report(const std::string& message) const;

    AnimationTimeline timeline_;
    std::string fileName_;
    std::string pictureFolder_;
    int currentFrame_ = 0;
    double elapsed_ = 0.0;
    bool paused_ = false;
    bool loop_ = false;
    bool locked_ = false;
    FinishedCallback onFinished_;
    EventCallback onEvent_;
    std::map<int, int> soundIds_;
    // Changes whenever playback is restarted, stopped or given another script, so that a step
    // notices when a callback it called did so.
    unsigned generation_ = 0;
};

}  // namespace vastomer
