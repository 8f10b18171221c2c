#include "game/app/SceneManager.h"

#include <algorithm>
#include <utility>

#include "engine/actions/CallFunc.h"
#include "engine/actions/CallFuncN.h"
#include "engine/actions/DelayTime.h"
#include "engine/actions/FadeTo.h"
#include "engine/actions/RemoveSelf.h"
#include "engine/actions/Sequence.h"
#include "engine/actions/Spawn.h"
#include "engine/actions/TargetedAction.h"
#include "engine/base/SingletonSlot.h"
#include "engine/physics/PhysicsWorld.h"
#include "engine/platform/Joystick.h"
#include "game/app/SceneFactory.h"
#include "game/audio/NAudioManager.h"
#include "game/data/DataManager.h"
#include "game/data/StringsManager.h"
#include "game/input/KeyInputManager.h"

namespace vastomer {

SceneManager* SceneManager::getInstance() {
    return engine::SingletonSlot<SceneManager>::get();
}

SceneManager* SceneManager::peekInstance() {
    return engine::SingletonSlot<SceneManager>::peek();
}

void SceneManager::destroyInstance() {
    engine::SingletonSlot<SceneManager>::destroy([](SceneManager* manager) { manager->stopAllActions(); });
}

bool SceneManager::init() {
    // The engine's initWithPhysics builds on init(): that inner call only does the base scene's work.
    if (initialisingBase_) return Scene::init();
    initialisingBase_ = true;
    bool sceneReady = Scene::initWithPhysics();
    initialisingBase_ = false;
    if (!sceneReady) return false;

    // Wakes the game-pad layer so that pads plugged in before start-up are seen from the first poll.
    for (int i = 0; i < engine::Joystick::MAX_SLOTS; ++i)
        engine::Joystick::getInstance()->isPresent(i);

    // The world every screen shares; the play screen's bodies fall in it.
    if (auto* world = getPhysicsWorld()) world->setGravity(engine::Vec2(0.0f, -10.0f));

    const engine::Size& size = getContentSize();
    const engine::Vec2 centre(size.width / 2, size.height / 2);
    curtain_ = engine::Sprite::create();
    curtain_->setTextureRect(engine::Rect(0, 0, DESIGN_WIDTH, DESIGN_HEIGHT));
    curtain_->setColor(engine::Color3B(0, 0, 0));
    curtain_->setOpacity(0);
    curtain_->setPosition(centre);
    addChild(curtain_, CURTAIN_Z);

    backgroundSprite_ = engine::Sprite::create();
    backgroundSprite_->setTextureRect(engine::Rect(0, 0, size.width, size.height));
    backgroundSprite_->setColor(engine::Color3B(150, 150, 150));
    backgroundSprite_->setOpacity(255);
    backgroundSprite_->setPosition(centre);
    addChild(backgroundSprite_, 0);

    layerScale_ = std::min(size.height / DESIGN_HEIGHT, size.width / DESIGN_WIDTH);
    return attachManagers();
}

bool SceneManager::attachManagers() {
    KeyInputManager* input = KeyInputManager::getInstance();
    if (!input) return false;
    addChild(input);
    DataManager* data = DataManager::getInstance();
    if (!data) return false;
    addChild(data);
    StringsManager* strings = StringsManager::getInstance();
    if (!strings) return false;
    addChild(strings);
    return true;
}

void SceneManager::onEnter() {
    Scene::onEnter();
    if (!currentLayer_ && !changing_)
        changeScene(firstScene_, TransitionKind::Immediate, nullptr, firstParam_);
}

void SceneManager::setFirstScene(SceneId id, SceneParam param) {
    firstScene_ = id;
    firstParam_ = std::move(param);
}

NLayer* SceneManager::createSceneLayer(SceneId id) {
    NLayer* layer = SceneFactory::createLayer(id);
    if (!layer) return nullptr;
    layer->setScale(layerScale_);
    layer->ignoreAnchorPointForPosition(false);
    layer->setAnchorPoint(engine::Vec2(0.5f, 0.5f));
    return layer;
}

AbstractController* SceneManager::createController(SceneId id) {
    return SceneFactory::createController(id);
}

bool SceneManager::changeScene(SceneId id, TransitionKind kind, AbstractController* controller,
                               SceneParam param) {
    if (changing_) {
        // Two changes at once would interleave their fades and start controllers twice; the later
        // request waits for the running change instead, so it is neither lost nor doubled.
        pending_ = Request{id, kind, controller, std::move(param)};
        hasPending_ = true;
        return true;
    }
    return performChange(id, kind, controller, std::move(param));
}

bool SceneManager::performChange(SceneId id, TransitionKind kind, AbstractController* controller,
                                 SceneParam param) {
    const bool keepBgmBefore = keepBgmOnChange_;
    // The controller comes first: its init may set keepBgmOnChange.
    engine::RefPtr<AbstractController> incomingController = controller ? controller : createController(id);
    engine::RefPtr<NLayer> layer = createSceneLayer(id);
    if (!layer) {
        // Nothing changes: the screen stays usable and the music setting stays as it was.
        keepBgmOnChange_ = keepBgmBefore;
        if (currentController_) currentController_->setActive(true);
        return false;
    }
    if (kind == TransitionKind::FadeThroughBlack) curtain_->setOpacity(0);
    engine::FiniteTimeAction* outAction = createOutAction(kind);
    engine::FiniteTimeAction* inAction = createInAction(kind);

    const engine::Size& size = getContentSize();
    layer->setPosition(size.width / 2, size.height / 2);
    layer->setLocalZOrder(0);
    changing_ = true;

    auto giveScene = engine::CallFunc::create([this]() {
        if (currentController_) currentController_->setScene(currentLayer_);
    });
    auto startController = engine::CallFunc::create([this]() {
        if (currentController_) currentController_->start();
        finishChange();
    });

    engine::RefPtr<NLayer> outgoing = currentLayer_;
    if (outgoing) {
        outgoing->setLocalZOrder(OUTGOING_Z);
        outgoing->handOver(layer);
        currentLayer_ = layer;
        previousSceneId_ = currentSceneId_;
        currentSceneId_ = static_cast<int>(id);
        if (currentController_) {
            engine::RefPtr<AbstractController> leaving = currentController_;
            currentController_.reset();
            leaving->setActive(false);
            leaving->stop();
            leaving->removeFromParent();
        }
        if (incomingController) {
            currentController_ = incomingController;
            addChild(incomingController);
        }
        addChild(layer);
        layer->setSceneParam(std::move(param));
        layer->setupScene();
        runAction(engine::Sequence::create(
            {engine::Spawn::create({giveScene, engine::TargetedAction::create(outgoing, outAction),
                                    engine::TargetedAction::create(layer, inAction)}),
             startController}));
    } else {
        currentLayer_ = layer;
        previousSceneId_ = currentSceneId_;
        currentSceneId_ = static_cast<int>(id);
        addChild(layer);
        layer->setSceneParam(std::move(param));
        layer->setupScene();
        if (incomingController) {
            currentController_ = incomingController;
            addChild(incomingController);
        }
        runAction(engine::Sequence::create({giveScene, engine::TargetedAction::create(layer, inAction),
                                            engine::DelayTime::create(0.0f), startController}));
    }
    return true;
}

engine::FiniteTimeAction* SceneManager::createOutAction(TransitionKind kind) {
    if (kind == TransitionKind::FadeThroughBlack) {
        return engine::Sequence::create({engine::DelayTime::create(FADE_TIME),
                                         engine::CallFuncN::create([](engine::Node* node) {
                                             if (auto* layer = dynamic_cast<NLayer*>(node))
                                                 layer->stopSceneActions();
                                         }),
                                         engine::RemoveSelf::create(), engine::DelayTime::create(FADE_TIME)});
    }
    return engine::RemoveSelf::create();
}

engine::FiniteTimeAction* SceneManager::createInAction(TransitionKind kind) {
    if (kind == TransitionKind::FadeThroughBlack) {
        return engine::Sequence::create(
            {engine::TargetedAction::create(curtain_, engine::FadeTo::create(FADE_TIME, 255)),
             engine::CallFuncN::create([this](engine::Node* node) {
                 node->setVisible(true);
                 stopBgmUnlessKept();
             }),
             engine::TargetedAction::create(curtain_, engine::FadeTo::create(FADE_TIME, 0)),
             engine::CallFuncN::create([](engine::Node* node) {
                 if (auto* layer = dynamic_cast<NLayer*>(node)) layer->startScene();
             })});
    }
    // Every other kind (2 and 3 have no transition of their own) swaps at once.
    return engine::Sequence::create(
        {engine::DelayTime::create(IMMEDIATE_DELAY), engine::CallFuncN::create([this](engine::Node* node) {
             if (auto* layer = dynamic_cast<NLayer*>(node)) layer->startScene();
             stopBgmUnlessKept();
         })});
}

void SceneManager::stopBgmUnlessKept() {
    if (!keepBgmOnChange_) NAudioManager::getInstance()->stopBgm();
}

void SceneManager::finishChange() {
    changing_ = false;
    if (!hasPending_) return;
    Request request = std::move(pending_);
    pending_ = Request();
    hasPending_ = false;
    performChange(request.id, request.kind, request.controller, std::move(request.param));
}

}  // namespace vastomer
