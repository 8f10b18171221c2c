#pragma once

#include "engine/base/WeakRef.h"
#include "game/app/AbstractController.h"
#include "game/data/ProgressState.h"
#include "game/menu/StageContactRouter.h"
#include "game/scenario/ScenarioHost.h"

namespace vastomer {

class MemoryScene;

// Runs the gallery: the selection window, the replay and the option window it pauses into. During a
// replay OK turns the drama's pages; CANCEL (or PAUSE) pauses it into the option window. When the
// part ends the selection comes back. A replay never changes the player's progress: everything the
// gallery puts on (the wear above all) is taken back when it is left, so the save written on the hub
// is the one written before.
class MemoryController : public AbstractController, public ScenarioHost {
public:
    static constexpr float INPUT_PAUSE = 0.05f;

    static MemoryController* create();
    bool init() override;
    void setScene(NLayer* scene) override;
    void start() override;
    void stop() override;
    void update(float dt) override;

    MemoryScene* getScene() const;
    bool isSituationWindowOpen() const { return situationWindowOpen_; }
    bool isOptionWindowOpen() const { return optionWindowOpen_; }
    int getSavedWear() const { return savedWear_; }

    // --- the replay (ScenarioHost): the gallery plays drama parts only ---
    QuorinScenarioEngine* getScenarioEngine() const override { return nullptr; }
    MessageWindow* getStoryMessageWindow() const override;
    DramaPart* getDramaPart() const override;

protected:
    MemoryController() = default;

private:
    void handleSituationWindow();
    void handleOptionWindow();
    void openOptionWindow();
    void closeOptionWindow(bool resume);
    void play();
    void leave();
    void pauseInput(float seconds);

    engine::WeakRef<MemoryScene> scene_;
    StageContactRouter router_;
    bool situationWindowOpen_ = true;
    bool optionWindowOpen_ = false;
    int savedWear_ = 0;
    bool snapshotTaken_ = false;
    ProgressState snapshot_;
};

}  // namespace vastomer
