#include "game/menu/StoryController.h"

#include <cstdio>

#include "engine/events/EventDispatcher.h"
#include "engine/physics/EventListenerPhysicsContact.h"
#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsContact.h"
#include "engine/physics/PhysicsShape.h"
#include "engine/physics/PhysicsWorld.h"
#include "engine/scene/Director.h"
#include "game/character/CharacterSprite.h"
#include "game/data/DataManager.h"
#include "game/menu/StoryScene.h"
#include "game/play/PlayController.h"
#include "game/scenario/QuorinScenarioController.h"
#include "game/scenario/QuorinScenarioEngine.h"

namespace vastomer {

bool StoryController::init() {
    return AbstractController::init();
}

StoryController::~StoryController() {
    if (contactListener_) {
        if (engine::Director* director = engine::Director::peekInstance())
            director->getEventDispatcher()->removeEventListener(contactListener_);
    }
}

void StoryController::setScene(NLayer* scene) {
    scene_ = dynamic_cast<StoryScene*>(scene);
}

QuorinScenarioEngine* StoryController::getScenarioEngine() const {
    return engine_.get();
}

QuorinScenarioController* StoryController::getScenarioController() const {
    return scenarioController_.get();
}

StoryScene* StoryController::getStoryScene() const {
    return scene_.get();
}

MessageWindow* StoryController::getStoryMessageWindow() const {
    StoryScene* scene = scene_.get();
    return scene ? scene->getMessageWindow() : nullptr;
}

void StoryController::start() {
    contactListener_ = engine::EventListenerPhysicsContact::create();
    contactListener_->onContactBegin = [this](engine::PhysicsContact& contact) {
        routeContact(contact, true);
        return true;
    };
    contactListener_->onContactSeparate = [this](engine::PhysicsContact& contact) {
        routeContact(contact, false);
    };
    engine::Director* director = engine::Director::getInstance();
    director->getEventDispatcher()->addEventListenerWithFixedPriority(contactListener_, CONTACT_PRIORITY);
    if (engine::Scene* running = director->getRunningScene())
        if (engine::PhysicsWorld* world = running->getPhysicsWorld()) world->setSpeed(1.0f);
    scheduleUpdate();
    const std::string file = chooseScript();
    if (file.empty() || !playScript(file)) {
        if (!file.empty()) std::fprintf(stderr, "quorin: %s cannot be played\n", file.c_str());
        noScript();
    }
}

void StoryController::stop() {
    setActive(false);
    unscheduleUpdate();
    if (contactListener_) {
        engine::Director::getInstance()->getEventDispatcher()->removeEventListener(contactListener_);
        contactListener_.reset();
    }
    if (QuorinScenarioEngine* engine = engine_.get()) engine->unscheduleUpdate();
}

void StoryController::update(float /*dt*/) {}

bool StoryController::playScript(const std::string& file) {
    StoryScene* scene = scene_.get();
    DataManager* data = DataManager::getInstance();
    if (!scene || !data) return false;
    QuorinScenarioEngine* engine = QuorinScenarioEngine::create();
    QuorinScenarioController* controller = QuorinScenarioController::create();
    if (!engine || !controller) return false;
    engine->setCameraTarget(scene->getCameraTarget());
    engine->setActionMap(scene->getActionMap());
    engine->setMessageWindow(scene->getMessageWindow());
    engine->setReadBefore(data->isRead(file));
    controller->setFadeNode(scene->getCurtain());
    engine->setController(controller);
    controller->setEngine(engine);
    if (!engine->loadScript(false, file)) return false;
    addChild(engine);
    addChild(controller);
    engine_ = engine;
    scenarioController_ = controller;
    scenarioStarting(file, engine);
    engine::WeakRef<StoryController> self(this);
    engine->start([self, file](QuorinScenarioEngine*) {
        StoryController* story = self.get();
        if (!story) return;
        engine::RefPtr<StoryController> keepAlive(story);
        // Read once: a later visit may fast-forward what was read.
        if (DataManager* manager = DataManager::getInstance()) manager->markRead(file);
        story->scenarioFinished();
        story->scriptEnded();
    });
    return true;
}

void StoryController::removeScenario() {
    engine::RefPtr<QuorinScenarioEngine> engine(engine_.get());
    engine::RefPtr<QuorinScenarioController> controller(scenarioController_.get());
    engine_ = nullptr;
    scenarioController_ = nullptr;
    if (controller) {
        controller->stop();
        controller->removeFromParent();
    }
    if (engine) {
        engine->unscheduleUpdate();
        engine->removeFromParent();
    }
}

void StoryController::routeContact(engine::PhysicsContact& contact, bool begin) {
    const engine::PhysicsContactData* data = contact.getContactData();
    const PlayController::ContactPair pair = PlayController::characterFirst(PlayController::orderPair(
        contact.getShapeA(), contact.getShapeB(), data ? data->normal : engine::Vec2::ZERO));
    engine::Node* node = pair.first && pair.first->getBody() ? pair.first->getBody()->getNode() : nullptr;
    auto* character = dynamic_cast<CharacterSprite*>(node);
    if (!character) return;
    engine::RefPtr<CharacterSprite> keep(character);
    if (begin) {
        character->onContactBegin(pair.first, pair.other, pair.normal.x, pair.normal.y);
    } else {
        character->onContactSeparate(pair.first, pair.other, pair.normal.x, pair.normal.y);
    }
}

}  // namespace vastomer
