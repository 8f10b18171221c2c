#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/base/WeakRef.h"
#include "engine/scene/Node.h"
#include "game/scenario/DramaScript.h"
#include "game/scenario/MessageAdvance.h"

namespace vastomer {

class CompositeAnimation;
class MessageWindow;

// A short staged scene played without the stage: composite animations placed on this node, lines of
// dialogue in a message window and pauses, read from a drama part script (".bds"). The play screen
// plays one when a creature catches Quorin; the memory gallery replays them. The owner gives it a
// window, starts it, and removes it after its end callback.
//
// It runs its records in order, one frame after another wait ends. An animation waits for its end
// (unless marked not to), a message for the player to read it (the next-page cursor and OK, as in
// the story scenes), a pause for its time. An animation whose file is missing, a message without a
// window and a part without records end at once, so a part always finishes.
class DramaPart : public engine::Node {
public:
    using FinishedCallback = std::function<void(DramaPart*)>;
    using AnimationCallback = std::function<void(DramaPart*, const DramaPartData&, CompositeAnimation*)>;

    static DramaPart* create();

    // Reads the script through the resource search paths (problems go to stderr). False when there
    // is no such file; the part then holds nothing.
    bool load(const std::string& file);
    // Uses a script read already (`file` names it in reports).
    void setScript(DramaScript script, const std::string& file);
    void start(FinishedCallback onFinished);
    // Holds the part and its animations (the gallery pauses a part while its windows are open).
    void setPaused(bool paused);
    void update(float dt) override;
    void execute(const DramaPartData& record);

    virtual const std::string& getTitle() const { return script_.title; }
    virtual const std::string& getSubtitle() const { return script_.subtitle; }
    virtual MessageWindow* getMessageWindow() const { return messageWindow_.get(); }
    virtual void setMessageWindow(MessageWindow* window) { messageWindow_ = window; }
    virtual const FinishedCallback& getOnFinished() const { return onFinished_; }
    virtual void setOnFinished(FinishedCallback callback) { onFinished_ = std::move(callback); }
    void setOnAnimation(AnimationCallback callback) { onAnimation_ = std::move(callback); }
    // Read in an earlier play: OK held (or CANCEL) fast-forwards its lines.
    void setReadBefore(bool readBefore) { advance_.setReadBefore(readBefore); }

    const std::string& getFile() const { return file_; }
    const std::vector<DramaPartData>& getRecords() const { return script_.records; }
    std::size_t getIndex() const { return index_; }
    bool isRunning() const { return running_; }
    bool isPaused() const { return paused_; }
    bool isWaiting() const { return waiting_; }
    bool isTimedWait() const { return timedWait_; }
    float getRemaining() const { return remaining_; }
    bool isFinished() const { return finished_; }
    // What the part waits on ("animation catch", "message (key OK)", "seconds", "window closing"), or
    // empty.
    std::string getWaitDescription() const;
    CompositeAnimation* getAnimation(const std::string& name) const;
    std::vector<std::string> getAnimationNames() const;

protected:
    DramaPart() = default;

private:
    std::function<void()> block(const std::string& what);
    void showAnimation(const DramaPartData& record);
    void removeAnimation(const std::string& name);
    void showMessage(const DramaPartData& record);
    void finish();

    DramaScript script_;
    std::string file_;
    std::size_t index_ = 0;
    bool running_ = false;
    bool paused_ = false;
    bool waiting_ = false;
    bool timedWait_ = false;
    float remaining_ = 0.0f;
    bool finished_ = false;
    std::string waitWhat_;
    unsigned blockTicket_ = 0;
    engine::WeakRef<MessageWindow> messageWindow_;
    std::map<std::string, engine::WeakRef<CompositeAnimation>> animations_;
    FinishedCallback onFinished_;
    AnimationCallback onAnimation_;
    MessageAdvance advance_;
};

}  // namespace vastomer
