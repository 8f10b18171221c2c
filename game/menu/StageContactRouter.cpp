#include "game/menu/StageContactRouter.h"

#include "engine/events/EventDispatcher.h"
#include "engine/physics/EventListenerPhysicsContact.h"
#include "engine/physics/PhysicsBody.h"
#include "engine/physics/PhysicsContact.h"
#include "engine/physics/PhysicsShape.h"
#include "engine/physics/PhysicsWorld.h"
#include "engine/scene/Director.h"
#include "game/character/CharacterSprite.h"
#include "game/play/PlayController.h"

namespace vastomer {

namespace {

CharacterSprite* characterOf(engine::PhysicsShape* shape) {
    if (!shape || !shape->getBody()) return nullptr;
    return dynamic_cast<CharacterSprite*>(shape->getBody()->getNode());
}

PlayController::ContactPair ordered(engine::PhysicsContact& contact) {
    const engine::PhysicsContactData* data = contact.getContactData();
    return PlayController::orderPair(contact.getShapeA(), contact.getShapeB(),
                                     data ? data->normal : engine::Vec2::ZERO);
}

}  // namespace

StageContactRouter::~StageContactRouter() {
    uninstall();
}

void StageContactRouter::install() {
    uninstall();
    listener_ = engine::EventListenerPhysicsContact::create();
    listener_->onContactBegin = [](engine::PhysicsContact& contact) { return onContactBegin(contact); };
    listener_->onContactSeparate = [](engine::PhysicsContact& contact) { onContactSeparate(contact); };
    engine::Director* director = engine::Director::getInstance();
    director->getEventDispatcher()->addEventListenerWithFixedPriority(listener_, PRIORITY);
    if (engine::Scene* running = director->getRunningScene())
        if (engine::PhysicsWorld* world = running->getPhysicsWorld()) world->setSpeed(1.0f);
}

void StageContactRouter::uninstall() {
    if (!listener_) return;
    if (engine::Director* director = engine::Director::peekInstance())
        director->getEventDispatcher()->removeEventListener(listener_);
    listener_.reset();
}

bool StageContactRouter::onContactBegin(engine::PhysicsContact& contact) {
    const PlayController::ContactPair pair = ordered(contact);
    if (CharacterSprite* character = characterOf(pair.first))
        character->onContactBegin(pair.first, pair.other, pair.normal.x, pair.normal.y);
    return true;
}

void StageContactRouter::onContactSeparate(engine::PhysicsContact& contact) {
    const PlayController::ContactPair pair = ordered(contact);
    if (CharacterSprite* character = characterOf(pair.first))
        character->onContactSeparate(pair.first, pair.other, pair.normal.x, pair.normal.y);
}

}  // namespace vastomer
