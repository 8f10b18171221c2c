#include "game/data/StageTables.h"

#include <cstdio>

#include "game/data/MasterColumns.h"
#include "game/data/MasterText.h"

namespace vastomer {

namespace {

const char* const kNotLoaded = "the stage is not loaded";
const char* const kLineNames[5] = {"stage number and label", "parts", "start part", "boss part",
                                   "next stage"};

// Lines 3 to 5 hold one number each; the whole line is read by the leading-number rule, so text after
// a comma is a remark. Text glued to the number is reported but ignored.
bool readSingleNumber(const MasterLine& line, const char* name, const std::string& file,
                      Diagnostics* diagnostics, int& out) {
    LeadingInt read = MasterText::leadingInt(line.text);
    auto report = [&](const std::string& message) {
        if (diagnostics) diagnostics->report(file, line.number, std::string(name) + ": " + message);
    };
    if (read.status != LeadingInt::Status::OK) {
        report("\"" + line.text + "\"" +
               (read.status == LeadingInt::Status::OUT_OF_RANGE ? " does not fit in 32 bits"
                                                                : " is not a number") +
               "; the stage is not loaded");
        return false;
    }
    if (!line.fields.empty() && MasterText::leadingInt(line.fields[0]).trailing)
        report("\"" + line.fields[0] + "\" read as " + MasterText::intText(read.value) +
               ", the rest is ignored");
    out = read.value;
    return true;
}

}  // namespace

std::string StageTables::stageFileName(int stage) {
    char digits[16];
    std::snprintf(digits, sizeof(digits), "%04d", stage);
    return std::string("master/stage/stage_") + digits + ".data";
}

std::vector<StageIndexRow> StageTables::readIndex(std::string_view text, const std::string& file,
                                                  Diagnostics* diagnostics) {
    std::vector<StageIndexRow> rows;
    for (const MasterLine& line : MasterText::readLines(text)) {
        MasterColumns columns(line, file, diagnostics);
        if (!columns.require(2)) continue;
        StageIndexRow row;
        row.line = line.number;
        row.stageNumber = columns.integer(0, "stage");
        row.requiredProgress = columns.integer(1, "requiredProgress");
        if (columns.good()) rows.push_back(row);
    }
    return rows;
}

bool StageTables::readStageFile(std::string_view text, const std::string& file, StageFile& out,
                                Diagnostics* diagnostics) {
    std::vector<MasterLine> lines = MasterText::readLines(text);
    if (lines.size() < 5) {
        if (diagnostics)
            diagnostics->report(file, 0,
                                "has " + MasterText::intText(static_cast<long long>(lines.size())) +
                                    " data lines, needs 5 (" + kLineNames[lines.size()] +
                                    " is missing); the stage is not loaded");
        return false;
    }
    StageFile stage;
    for (int i = 0; i < 5; ++i)
        stage.lines[i] = lines[static_cast<std::size_t>(i)].number;

    MasterColumns first(lines[0], file, diagnostics, kNotLoaded);
    stage.record.stageNumber = first.integer(0, "stage number");
    if (first.count() >= 2)
        stage.record.label = first.text(1, "label");
    else
        first.note("the stage has no label");
    if (!first.good()) return false;

    MasterColumns parts(lines[1], file, diagnostics, kNotLoaded);
    for (std::size_t i = 0; i < parts.count(); ++i)
        stage.record.parts.insert(parts.integer(i, "part"));
    if (!parts.good()) return false;

    if (!readSingleNumber(lines[2], kLineNames[2], file, diagnostics, stage.record.startPart) ||
        !readSingleNumber(lines[3], kLineNames[3], file, diagnostics, stage.record.bossPart) ||
        !readSingleNumber(lines[4], kLineNames[4], file, diagnostics, stage.record.nextStage))
        return false;

    if (diagnostics) {
        auto checkPart = [&](int part, int line, const char* name) {
            if (stage.record.parts.count(part) == 0)
                diagnostics->report(
                    file, line,
                    std::string(name) + " " + MasterText::intText(part) + " is not among the parts");
        };
        checkPart(stage.record.startPart, stage.lines[2], "start part");
        checkPart(stage.record.bossPart, stage.lines[3], "boss part");
        if (lines.size() > 5)
            diagnostics->report(file, lines[5].number, "data lines after the fifth are ignored");
    }
    out = stage;
    return true;
}

void StageTables::load(const DataSource& source, Diagnostics* diagnostics) {
    stageNumbers_.clear();
    records_.clear();
    std::string text;
    std::string indexPath;
    if (!source.read(kIndexFile, text, indexPath)) {
        if (diagnostics) diagnostics->report(kIndexFile, 0, "not found; the game has no stages");
        return;
    }
    std::map<int, std::pair<std::string, StageFile>> files;  // for the reports below
    for (const StageIndexRow& row : readIndex(text, indexPath, diagnostics)) {
        stageNumbers_.push_back(row.stageNumber);
        std::string name = stageFileName(row.stageNumber);
        std::string stageText;
        std::string stagePath;
        if (!source.read(name, stageText, stagePath)) {
            if (diagnostics)
                diagnostics->report(
                    indexPath, row.line,
                    "stage " + MasterText::intText(row.stageNumber) + ": " + name + " not found");
            continue;
        }
        StageFile stage;
        if (!readStageFile(stageText, stagePath, stage, diagnostics)) continue;
        if (diagnostics && records_.count(row.stageNumber))
            diagnostics->report(indexPath, row.line,
                                "stage " + MasterText::intText(row.stageNumber) + " is listed twice");
        if (diagnostics && stage.record.stageNumber != row.stageNumber)
            diagnostics->report(stagePath, stage.lines[0],
                                "the file says stage " + MasterText::intText(stage.record.stageNumber) +
                                    " but the index lists it as " + MasterText::intText(row.stageNumber));
        stage.record.requiredProgress = row.requiredProgress;
        records_[row.stageNumber] = stage.record;
        files[row.stageNumber] = std::make_pair(stagePath, stage);
    }
    if (!diagnostics) return;
    for (const auto& entry : files) {
        int next = entry.second.second.record.nextStage;
        if (next != -1 && records_.count(next) == 0)
            diagnostics->report(entry.second.first, entry.second.second.lines[4],
                                "next stage " + MasterText::intText(next) + " has no record");
    }
}

StageRecord StageTables::getStageRecord(int stage) const {
    auto found = records_.find(stage);
    return found == records_.end() ? StageRecord() : found->second;
}

}  // namespace vastomer
