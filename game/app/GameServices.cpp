#include "game/app/GameServices.h"

#include "game/app/SceneManager.h"
#include "game/audio/NAudioManager.h"
#include "game/data/DataManager.h"
#include "game/data/StringsManager.h"
#include "game/input/KeyInputManager.h"
#include "game/scenario/NSpriteAnimationManager.h"

namespace vastomer {

bool GameServices::create() {
    NAudioManager::getInstance();
    NSpriteAnimationManager::getInstance();
    return SceneManager::getInstance() != nullptr;
}

void GameServices::destroy() {
    SceneManager::destroyInstance();
    StringsManager::destroyInstance();
    DataManager::destroyInstance();
    KeyInputManager::destroyInstance();
    NSpriteAnimationManager::destroyInstance();
    NAudioManager::destroyInstance();
}

}  // namespace vastomer
