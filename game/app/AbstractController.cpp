#include "game/app/AbstractController.h"

namespace vastomer {

bool AbstractController::init() {
    if (!Node::init()) return false;
    active_ = true;
    return true;
}

void AbstractController::setScene(NLayer* /*scene*/) {}

void AbstractController::start() {
    scheduleUpdate();
}

void AbstractController::stop() {}

}  // namespace vastomer
