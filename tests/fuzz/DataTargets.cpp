// Fuzz entries of the text formats a person edits by hand: the save file, the settings store, the
// master and stage tables, the string tables, the input scripts, the scenario scripts, the drama
// parts and the creatures' AI and action tables.
#include <cstdlib>
#include <map>
#include <string>

#include "engine/platform/UserDefault.h"
#include "game/data/ActionTableReader.h"
#include "game/data/AiTableReader.h"
#include "game/data/Diagnostics.h"
#include "game/data/MasterTableReader.h"
#include "game/data/MasterTables.h"
#include "game/data/ProgressState.h"
#include "game/data/SaveFileCodec.h"
#include "game/data/StageTables.h"
#include "game/data/StringsFile.h"
#include "game/harness/InputScript.h"
#include "game/scenario/DramaScript.h"
#include "game/scenario/ScenarioScriptParser.h"
#include "tests/fuzz/FuzzTargets.h"

namespace fuzzing {

namespace {

// A property every input must keep; its failure is reported as a crash with the input saved.
void require(bool condition) {
    if (!condition) std::abort();
}

// What the save reader starts from: a new game over three stages.
vastomer::ProgressState newGame() {
    vastomer::ProgressState state;
    state.reset({1, 2, 3});
    return state;
}

// Reads a save text over a new game with the same checks as the game (weapons and wear below 40).
std::string readAndWriteSave(std::string_view text, vastomer::Diagnostics* diagnostics) {
    vastomer::SaveFileCodec::Checks checks;
    checks.weaponExists = [](int id) { return id >= 0 && id < 40; };
    checks.wearExists = [](int id) { return id >= 0 && id < 40; };
    vastomer::ProgressState state = newGame();
    std::string language = "en";
    vastomer::SaveFileCodec::read(text, state, checks, language, "r.quorin.sav", diagnostics);
    return vastomer::SaveFileCodec::write(state, language);
}

}  // namespace

void fuzzSaveFile(std::string_view input) {
    vastomer::Diagnostics diagnostics;
    // Whatever was read, saving it and reading the save back keeps every value.
    const std::string saved = readAndWriteSave(input, &diagnostics);
    require(readAndWriteSave(saved, nullptr) == saved);
    for (const vastomer::Diagnostic& entry : diagnostics.entries())
        require(entry.line >= 0 && !vastomer::Diagnostics::format(entry).empty());
}

void fuzzSettings(std::string_view input) {
    // Every pair read survives the store writing its file and reading it again.
    const std::map<std::string, std::string> values = engine::UserDefault::readEntries(input);
    require(engine::UserDefault::readEntries(engine::UserDefault::writeEntries(values)) == values);
}

void fuzzMasterTables(std::string_view input) {
    vastomer::Diagnostics diagnostics;
    vastomer::MasterTables tables;
    for (vastomer::MasterTable table : vastomer::MasterTables::all())
        tables.loadText(table, input, vastomer::MasterTables::fileName(table), &diagnostics);
    vastomer::MasterTableReader::readMemoryBackgrounds(input, "master/memory_backgrounds.data", &diagnostics);
    // The look-ups the game makes with ids and indexes taken from the tables themselves.
    for (const auto& [id, row] : tables.weaponRows()) {
        tables.getWeaponMaster(id);
        tables.getBulletMaster(row.record.bulletId);
    }
    for (int index = -1; index <= tables.getShopLineupCount(); ++index)
        tables.getShopLineupEntry(index);
    for (int index = -1; index <= tables.getSituationCount(); ++index)
        tables.getSituation(index);
    for (int index = -1; index <= tables.getHintCount(); ++index)
        tables.getHint(index);
    tables.getAllCombines();
}

void fuzzStageTables(std::string_view input) {
    vastomer::Diagnostics diagnostics;
    vastomer::StageTables::readIndex(input, vastomer::StageTables::kIndexFile, &diagnostics);
    vastomer::StageFile stage;
    vastomer::StageTables::readStageFile(input, "master/stage/stage_0001.data", stage, &diagnostics);
}

void fuzzStrings(std::string_view input) {
    std::map<std::string, std::string> table;
    vastomer::StringsFile::addTo(vastomer::StringsFile::parse(input), table);
}

void fuzzInputScript(std::string_view input) {
    vastomer::InputScript script;
    std::string error;
    if (!vastomer::InputScript::parse(std::string(input), "fuzz.txt", script, error)) {
        require(error.rfind("fuzz.txt:", 0) == 0);
        return;
    }
    // A recording of the parsed events reads back as the same events.
    std::string recorded;
    for (const vastomer::InputEvent& event : script.getEvents())
        recorded += vastomer::InputScript::formatEvent(event) + "\n";
    vastomer::InputScript again;
    require(vastomer::InputScript::parse(recorded, "again.txt", again, error));
    require(again.getEvents() == script.getEvents());
}

void fuzzScenarioScript(std::string_view input) {
    vastomer::Diagnostics diagnostics;
    vastomer::ScenarioScriptParser::parse(input, "fuzz.bks", "scenario/fuzz.bks", &diagnostics);
}

void fuzzDramaScript(std::string_view input) {
    vastomer::Diagnostics diagnostics;
    vastomer::DramaScript::parse(input, "drama/fuzz.bds", &diagnostics);
}

void fuzzEnemyTables(std::string_view input) {
    // One text read as both kinds: the two readers share their row rules, and a seed of either kind
    // reaches the other's error paths.
    vastomer::Diagnostics diagnostics;
    vastomer::AiTableReader::parse(input, "master/ai/ai_master_9999.data", &diagnostics, 9999);
    vastomer::ActionTableReader::parse(input, "master/action/action_master_9999.data", &diagnostics, 9999);
}

}  // namespace fuzzing
