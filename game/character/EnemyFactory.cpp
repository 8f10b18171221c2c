#include "game/character/EnemyFactory.h"

#include <cstdio>

namespace vastomer {

namespace {
// Reported once per run: a map full of markers would otherwise repeat the same line for each one.
bool g_reportedMissing = false;
}  // namespace

CharacterSprite* EnemyFactory::create(int characterId, int /*index*/, const std::string& spawnKind,
                                      int /*variant*/) {
    if (!g_reportedMissing) {
        g_reportedMissing = true;
        std::fprintf(stderr,
                     "quorin: creatures are not in the game yet: %s markers (first: character %d) make "
                     "nothing\n",
                     spawnKind.c_str(), characterId);
    }
    return nullptr;
}

bool EnemyFactory::hasReportedMissingCreatures() {
    return g_reportedMissing;
}

}  // namespace vastomer
