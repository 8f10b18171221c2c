#pragma once

#include <string>

namespace vastomer {

class CharacterSprite;

// Makes the creatures that map markers (and, later, summons and scenes) ask for. This is the one
// place that knows how a creature is built: ActionMap only places what comes back, gives it the map's
// lock state and lists it.
//
// The creatures themselves are not in the game yet: until `create` builds an EnemyCharacter
// (character id, running index, spawn kind "enemy" or "groupBoss", animation variant), every marker
// makes nothing, and the first request of a run says so on stderr.
class EnemyFactory {
public:
    // The creature (autoreleased, not yet placed or added anywhere), or null when none can be made.
    static CharacterSprite* create(int characterId, int index, const std::string& spawnKind, int variant);

    // Whether a request has been refused (and reported) in this run.
    static bool hasReportedMissingCreatures();
};

}  // namespace vastomer
