#include "game/character/EnemyFactory.h"

#include "game/character/EnemyCharacter.h"

namespace vastomer {

CharacterSprite* EnemyFactory::create(int characterId, int index, const std::string& spawnKind, int variant) {
    return EnemyCharacter::create(characterId, index, spawnKind, variant);
}

}  // namespace vastomer
