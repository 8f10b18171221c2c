#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace fuzzing {

// One loader as the fuzzer drives it: `run` feeds it one input and must return normally whatever
// the bytes are; a crash, a sanitizer report, a hang or a runaway allocation inside it is a fault
// of the loader. The same entry serves the libFuzzer program and the regression replay test.
struct FuzzTarget {
    const char* name;  // the folder of its corpus, dictionary and regression inputs
    void (*run)(std::string_view input);
};

// Every target, in a fixed order.
const std::vector<FuzzTarget>& fuzzTargets();
// The target called `name`, or null.
const FuzzTarget* findFuzzTarget(const std::string& name);

// The loaders' entries (DataTargets.cpp, ContentTargets.cpp).
void fuzzSaveFile(std::string_view input);
void fuzzSettings(std::string_view input);
void fuzzMasterTables(std::string_view input);
void fuzzStageTables(std::string_view input);
void fuzzStrings(std::string_view input);
void fuzzInputScript(std::string_view input);
void fuzzScenarioScript(std::string_view input);
void fuzzDramaScript(std::string_view input);
void fuzzEnemyTables(std::string_view input);
void fuzzAnimationScript(std::string_view input);
void fuzzTmxMap(std::string_view input);
void fuzzTmxTileset(std::string_view input);
void fuzzParticles(std::string_view input);
void fuzzMp3Length(std::string_view input);
void fuzzRig(std::string_view input);

}  // namespace fuzzing
