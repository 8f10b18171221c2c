#include "tests/fuzz/FuzzTargets.h"

namespace fuzzing {

const std::vector<FuzzTarget>& fuzzTargets() {
    static const std::vector<FuzzTarget> targets = {
        {"save", fuzzSaveFile},       {"settings", fuzzSettings}, {"tables", fuzzMasterTables},
        {"stages", fuzzStageTables},  {"strings", fuzzStrings},   {"input", fuzzInputScript},
        {"bks", fuzzScenarioScript},  {"bds", fuzzDramaScript},   {"enemy", fuzzEnemyTables},
        {"cma", fuzzAnimationScript}, {"tmx", fuzzTmxMap},        {"tsx", fuzzTmxTileset},
        {"plist", fuzzParticles},     {"mp3", fuzzMp3Length},     {"rig", fuzzRig},
    };
    return targets;
}

const FuzzTarget* findFuzzTarget(const std::string& name) {
    for (const FuzzTarget& target : fuzzTargets())
        if (name == target.name) return &target;
    return nullptr;
}

}  // namespace fuzzing
