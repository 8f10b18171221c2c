#pragma once

#include "engine/base/Geometry.h"
#include "engine/base/WeakRef.h"
#include "engine/scene/Node.h"
#include "game/data/ActionTableReader.h"
#include "game/data/AiTableReader.h"

namespace vastomer {

class CharacterSprite;

// The small interpreter that steers a creature. Its AI table is an ordered list of conditions, each
// naming an action table to run while it holds; an action table is a timeline of orders, one step a
// frame (walk, fly, jump, turn, attack, return to base, switch AI, die). Each creature owns one as a
// child node and calls `tick` once a frame while it may act.
//
// The running table changes only when a different one is selected (its step restarts at 0); a table
// selected again and again keeps its step, so a looping timeline carries on across frames. A sequence
// that has begun runs to its end even after its condition fails. LOCKAI freezes the choice and the
// frame counter until a later LOCKAI (flag false) releases it.
class CharacterActionPettern : public engine::Node {
public:
    static constexpr int FRAME_COUNTER_LIMIT = 9999;
    // A flyer following the player's height climbs or sinks only when she is this far above or below.
    static constexpr int FOLLOW_HEIGHT_MARGIN = 30;

    static CharacterActionPettern* create(int aiId);
    using engine::Node::init;
    virtual bool init(int aiId);

    // Starts (or restarts) it: it acts from the next tick, remembers the owner's position and counts
    // frames from 0.
    void start();
    // One frame: picks the action table by the AI table and runs its current step.
    virtual void tick(float dt);

    virtual int getStep() const { return step_; }
    virtual int getFrameCounter() const { return frameCounter_; }
    virtual CharacterSprite* getOwner() const;
    // The creature it drives (not owned: the interpreter is the creature's child).
    virtual void setOwner(CharacterSprite* owner);
    virtual bool isHalted() const { return halted_; }
    virtual void setHalted(bool halted) { halted_ = halted; }
    int getAiId() const { return aiId_; }
    int getCurrentTableId() const { return currentTableId_; }
    bool isAiLocked() const { return aiLocked_; }
    const engine::Vec2& getSavedPosition() const { return savedPosition_; }

    // Whether a row's condition holds now for this interpreter's owner (false while the AI is locked).
    bool holds(const AiRow& row) const;
    // Carries out one order on the owner.
    void execute(const ActionRow& row);

protected:
    CharacterActionPettern() = default;

private:
    void runCurrentTable();
    bool playerInFront(float playerX, int side) const;

    int aiId_ = 0;
    engine::Vec2 savedPosition_;
    bool aiLocked_ = false;
    int currentTableId_ = -1;
    int step_ = 0;
    int frameCounter_ = 0;
    engine::WeakRef<CharacterSprite> owner_;
    bool halted_ = true;
};

}  // namespace vastomer
