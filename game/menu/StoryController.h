#pragma once

#include <string>

#include "engine/base/RefPtr.h"
#include "engine/base/WeakRef.h"
#include "engine/physics/EventListenerPhysicsContact.h"
#include "game/app/AbstractController.h"
#include "game/scenario/ScenarioHost.h"

namespace engine {
class PhysicsContact;
}  // namespace engine

namespace vastomer {

class QuorinScenarioController;
class QuorinScenarioEngine;
class StoryScene;

// Base of the controllers of the screens that host one story scene (demo, hint): when the screen
// starts it plays the script the screen chooses on the screen's stage, and routes the stage's
// contacts to its characters (so that they land) as the play screen does. What happens at the end is
// the screen's.
class StoryController : public AbstractController, public ScenarioHost {
public:
    static constexpr int CONTACT_PRIORITY = -254;

    bool init() override;
    ~StoryController() override;
    void setScene(NLayer* scene) override;
    void start() override;
    void stop() override;
    void update(float dt) override;

    QuorinScenarioEngine* getScenarioEngine() const override;
    MessageWindow* getStoryMessageWindow() const override;
    QuorinScenarioController* getScenarioController() const;
    StoryScene* getStoryScene() const;

protected:
    StoryController() = default;

    // The script to play; empty when there is none to show (then `noScript` runs instead).
    virtual std::string chooseScript() = 0;
    virtual void noScript() = 0;
    // The script has ended; the engine and its controller are still there.
    virtual void scriptEnded() = 0;
    // Takes the engine and its controller off the screen.
    void removeScenario();

private:
    bool playScript(const std::string& file);
    void routeContact(engine::PhysicsContact& contact, bool begin);

    engine::WeakRef<StoryScene> scene_;
    engine::RefPtr<engine::EventListenerPhysicsContact> contactListener_;
    engine::WeakRef<QuorinScenarioEngine> engine_;
    engine::WeakRef<QuorinScenarioController> scenarioController_;
};

}  // namespace vastomer
