#pragma once

#include "engine/actions/Action.h"
#include "engine/base/RefPtr.h"
#include "engine/base/SingletonSlot.h"
#include "engine/scene/Scene.h"
#include "engine/scene/Sprite.h"
#include "game/app/AbstractController.h"
#include "game/app/NLayer.h"
#include "game/app/SceneId.h"
#include "game/app/SceneParam.h"
#include "game/app/TransitionKind.h"

namespace vastomer {

// The one engine scene the game runs in, with the physics world every screen shares. It holds the
// manager singletons as children and swaps the screens (layer and controller) with a fade through
// black: 0.5 s to black, swap, 0.5 s back, and the new controller starts 1.0 s after the request.
class SceneManager : public engine::Scene {
public:
    static constexpr float DESIGN_WIDTH = 960.0f;
    static constexpr float DESIGN_HEIGHT = 540.0f;
    static constexpr int CURTAIN_Z = 800;
    static constexpr int OUTGOING_Z = 5;
    static constexpr float FADE_TIME = 0.5f;
    static constexpr float IMMEDIATE_DELAY = 0.01f;

    // The one instance, made on first use (GameServices makes and destroys it in the program's order).
    static SceneManager* getInstance();
    // The instance if there is one, without making it.
    static SceneManager* peekInstance();
    static void destroyInstance();

    bool init() override;
    // Shows the first screen (the splash screen unless setFirstScene chose another), without a fade.
    void onEnter() override;
    // The screen onEnter shows first, and the record it is given (the developer entry starts a stage).
    void setFirstScene(SceneId id, SceneParam param = SceneParam());

    // Switches to the screen of `id`. With a null controller the factory makes it. A request made while
    // a change is still running is carried out when that change has finished (the latest one wins).
    // False when the screen could not be created: the current screen then stays, its controller active.
    bool changeScene(SceneId id, TransitionKind kind, AbstractController* controller, SceneParam param);
    // The screen of the id, scaled and centred for the manager; null when it could not be created.
    virtual NLayer* createSceneLayer(SceneId id);
    virtual AbstractController* createController(SceneId id);

    NLayer* getCurrentLayer() const { return currentLayer_; }
    AbstractController* getCurrentController() const { return currentController_; }
    // The id of the current layer; 0 before the first change.
    int getCurrentSceneId() const { return currentSceneId_; }
    // The id of the screen shown before the current one; 0 when there was none.
    int getPreviousSceneId() const { return previousSceneId_; }
    bool isChanging() const { return changing_; }
    bool hasPendingChange() const { return hasPending_; }

    virtual float getLayerScale() const { return layerScale_; }
    virtual engine::Sprite* getCurtain() const { return curtain_; }
    virtual void setCurtain(engine::Sprite* curtain) { curtain_ = curtain; }
    virtual engine::Sprite* getBackgroundSprite() const { return backgroundSprite_; }
    virtual void setBackgroundSprite(engine::Sprite* sprite) { backgroundSprite_ = sprite; }
    virtual bool isKeepBgmOnChange() const { return keepBgmOnChange_; }
    virtual void setKeepBgmOnChange(bool keep) { keepBgmOnChange_ = keep; }

protected:
    friend class engine::SingletonSlot<SceneManager>;
    SceneManager() = default;
    // Adds the key-input, data and strings managers as children so they live in the running scene.
    virtual bool attachManagers();

private:
    struct Request {
        SceneId id = SceneId::SPLASH;
        TransitionKind kind = TransitionKind::FadeThroughBlack;
        engine::RefPtr<AbstractController> controller;
        SceneParam param;
    };

    bool performChange(SceneId id, TransitionKind kind, AbstractController* controller, SceneParam param);
    engine::FiniteTimeAction* createOutAction(TransitionKind kind);
    engine::FiniteTimeAction* createInAction(TransitionKind kind);
    void stopBgmUnlessKept();
    void finishChange();

    engine::RefPtr<NLayer> currentLayer_;
    engine::RefPtr<AbstractController> currentController_;
    float layerScale_ = 1.0f;
    engine::Sprite* curtain_ = nullptr;
    engine::Sprite* backgroundSprite_ = nullptr;
    bool keepBgmOnChange_ = false;

    int currentSceneId_ = 0;
    int previousSceneId_ = 0;
    SceneId firstScene_ = SceneId::SPLASH;
    SceneParam firstParam_;
    bool changing_ = false;
    bool hasPending_ = false;
    Request pending_;
    bool initialisingBase_ = false;
};

}  // namespace vastomer
