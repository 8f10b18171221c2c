#pragma once

#include <string>

namespace vastomer {

class CharacterSprite;

// Makes the creatures that map markers, summons and scenes ask for. This is the one place that knows
// how a creature is built: ActionMap only places what comes back, gives it the map's lock state and
// lists it.
class EnemyFactory {
public:
    // The creature (an EnemyCharacter, autoreleased, not yet placed or added anywhere) of character
    // record `characterId`, with its running index, its spawn kind ("enemy", "groupBoss", or a
    // scene's label: its body name) and its animation variant; null (and a message) when there is no
    // such character record.
    static CharacterSprite* create(int characterId, int index, const std::string& spawnKind, int variant);
};

}  // namespace vastomer
