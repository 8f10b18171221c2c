#pragma once

#include <set>
#include <string>

namespace vastomer {

// One stage: its parts (maps md_SSSS_PP), where play starts, where the boss waits, what unlocks it and
// which stage follows. A `stageNumber` of -1 marks a stage that has no record.
struct StageRecord {
    int stageNumber = -1;
    std::string label;  // free text from the stage file; no play logic reads it
    std::set<int> parts;
    int startPart = 0;
    int bossPart = 0;
    int requiredProgress = 0;  // from the stage index
    int nextStage = -1;
};

}  // namespace vastomer
