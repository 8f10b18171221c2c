#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "game/data/DataSource.h"
#include "game/data/Diagnostics.h"
#include "game/data/StageRecord.h"

namespace vastomer {

// One row of the stage index "master/stages_master.data".
struct StageIndexRow {
    int line = 0;
    int stageNumber = 0;
    int requiredProgress = 0;
};

// A stage file as read, with the physical line of each of its five data lines (for reports).
struct StageFile {
    StageRecord record;
    int lines[5] = {0, 0, 0, 0, 0};
};

// The stage index and the per-stage files "master/stage/stage_NNNN.data": which stages exist, in
// which order they are listed, and each one's record.
class StageTables {
public:
    static constexpr const char* kIndexFile = "master/stages_master.data";
    // "master/stage/stage_0001.data" for stage 1.
    static std::string stageFileName(int stage);

    // Reads the index and every stage file it lists through `source`, replacing what was held.
    // A missing index leaves no stages; a stage whose file is missing or unreadable stays listed
    // but has no record.
    void load(const DataSource& source, Diagnostics* diagnostics = nullptr);

    // Rows of an index text; lines with too few columns or a non-number are skipped.
    static std::vector<StageIndexRow> readIndex(std::string_view text, const std::string& file,
                                                Diagnostics* diagnostics = nullptr);
    // A stage file; false (and reported) when one of its five data lines is missing or holds no number.
    static bool readStageFile(std::string_view text, const std::string& file, StageFile& out,
                              Diagnostics* diagnostics = nullptr);

    const std::vector<int>& getStageNumbers() const { return stageNumbers_; }
    // The record, or the default one (stageNumber -1).
    StageRecord getStageRecord(int stage) const;
    bool hasStage(int stage) const { return records_.count(stage) > 0; }
    const std::map<int, StageRecord>& records() const { return records_; }

private:
    std::vector<int> stageNumbers_;
    std::map<int, StageRecord> records_;
};

}  // namespace vastomer
