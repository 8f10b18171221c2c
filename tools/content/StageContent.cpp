// Stage tables: the stage index with every stage file it lists, checked and dumped with the game's
// loader.
#include <string>

#include "game/data/StageTables.h"
#include "tools/content/ContentKinds.h"
#include "tools/content/RecordJson.h"

using namespace vastomer;

namespace content {

namespace {

void checkStages(const ContentContext& context, Diagnostics& diagnostics) {
    StageTables stages;
    stages.load(context.resources, &diagnostics);
    if (stages.getStageNumbers().empty() && diagnostics.empty())
        diagnostics.report(StageTables::kIndexFile, 0, "lists no stage");
}

// The index at `path`, and its stage files in the folder "stage/" beside it, as the game finds them.
bool dumpIndex(const std::string& path, const std::string& text, nlohmann::json& out,
               Diagnostics& diagnostics) {
    std::string folder = path.substr(0, path.find_last_of('/') + 1);
    DataSource beside([&](const std::string& name, std::string& content, std::string& shownPath) {
        if (name == StageTables::kIndexFile) {
            content = text;
            shownPath = path;
            return true;
        }
        const std::string prefix = "master/";
        return name.compare(0, prefix.size(), prefix) == 0 &&
               DataSource::folder(folder).read(name.substr(prefix.size()), content, shownPath);
    });
    StageTables stages;
    stages.load(beside, &diagnostics);
    nlohmann::json records = nlohmann::json::array();
    for (int stage : stages.getStageNumbers())
        if (stages.hasStage(stage)) records.push_back(RecordJson::of(stages.getStageRecord(stage)));
    out = {{"stageNumbers", stages.getStageNumbers()}, {"stages", records}};
    return true;
}

bool dumpStage(const std::string& kind, const std::string& path, const std::string& text,
               const ContentContext&, nlohmann::json& out, Diagnostics& diagnostics) {
    if (kind == "stages") return dumpIndex(path, text, out, diagnostics);
    StageFile stage;
    if (!StageTables::readStageFile(text, path, stage, &diagnostics)) return false;
    out = RecordJson::of(stage.record);
    out.erase("requiredProgress");  // comes from the index, not from the stage file
    return true;
}

}  // namespace

void registerStageContent(ContentRegistry& registry) {
    registry.addCheck({"stages", "the stage index and every stage file it lists", checkStages});
    registry.addDump({{"stages", "stage"},
                      "\"stages\": the stage index with the stage files beside it; \"stage\": one stage file",
                      dumpStage});
}

}  // namespace content
