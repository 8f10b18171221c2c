#pragma once

#include <functional>
#include <string>

#include "engine/base/WeakRef.h"
#include "game/app/AbstractController.h"

namespace vastomer {

class QuorinScenarioEngine;

// Pairs a scenario engine with the screen's fade node (a black curtain) for the scenes a screen
// hosts: the engine's FADE commands go through `fade`, and hosts may start a script through
// `playScenario`. It reads no input itself.
class QuorinScenarioController : public AbstractController {
public:
    using FinishedCallback = std::function<void(QuorinScenarioEngine*)>;

    static QuorinScenarioController* create();

    void update(float dt) override;
    // Inactive, and its update no longer runs.
    void stop() override;

    // Loads `file` into the engine (replacing what it held) and starts it with `onFinished`. Nothing
    // happens, and the callback never runs, without an engine or when the file cannot be loaded;
    // false then.
    bool playScenario(const std::string& file, FinishedCallback onFinished);
    // Fades the fade node to `opacity` over `seconds`, then calls `done`; without a fade node `done`
    // runs at once.
    void fade(float seconds, uint8_t opacity, std::function<void()> done);

    virtual QuorinScenarioEngine* getEngine() const;
    virtual void setEngine(QuorinScenarioEngine* engine);
    virtual engine::Node* getFadeNode() const { return fadeNode_.get(); }
    virtual void setFadeNode(engine::Node* node) { fadeNode_ = node; }

protected:
    QuorinScenarioController() = default;

private:
    engine::WeakRef<QuorinScenarioEngine> engine_;
    engine::WeakRef<engine::Node> fadeNode_;
};

}  // namespace vastomer
