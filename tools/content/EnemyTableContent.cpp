// The creatures' AI and action tables: `check` reads every table under master/ai and master/action
// with the game's readers (unknown words, bad numbers, rows of the wrong width) and follows what they
// name (an AI row's action table, a CHANGEAI's AI table, a character record's AI table) to tables
// that must exist; `dump ai FILE` and `dump action FILE` show what the game reads.
#include <map>
#include <set>
#include <string>

#include "engine/platform/FileUtils.h"
#include "game/data/ActionTableReader.h"
#include "game/data/AiTableReader.h"
#include "game/data/EnemyTableCache.h"
#include "game/data/MasterTables.h"
#include "game/data/MasterText.h"
#include "tools/content/ContentKinds.h"

using namespace vastomer;

namespace content {

namespace {

// The number of "ai_master_0012.data" (with `prefix` "ai_master_"); false for other names.
bool tableNumber(const std::string& path, const std::string& prefix, int& number) {
    const std::string name = path.substr(path.find_last_of('/') + 1);
    const std::string suffix = ".data";
    if (!MasterText::startsWith(name, prefix) || name.size() <= prefix.size() + suffix.size() ||
        name.compare(name.size() - suffix.size(), suffix.size(), suffix) != 0)
        return false;
    const std::string digits = name.substr(prefix.size(), name.size() - prefix.size() - suffix.size());
    const LeadingInt read = MasterText::leadingInt(digits);
    if (read.status != LeadingInt::Status::OK || read.trailing) return false;
    number = read.value;
    return true;
}

std::string number(int value) {
    return MasterText::intText(value);
}

// Every table of one kind in the resource tree, read with the game's reader: number -> (path, table).
template <typename Table, typename Parse>
std::map<int, std::pair<std::string, Table>> readAll(const std::string& folder, const std::string& prefix,
                                                     Diagnostics& diagnostics, Parse parse) {
    engine::FileUtils* files = engine::FileUtils::getInstance();
    std::map<int, std::pair<std::string, Table>> tables;
    for (const std::string& path : files->listFilesRecursively("res")) {
        int id = 0;
        if (path.find(folder) == std::string::npos || !tableNumber(path, prefix, id)) continue;
        Table table = parse(files->getStringFromFile(path), path, &diagnostics, id);
        tables[id] = {path, std::move(table)};
    }
    return tables;
}

void checkEnemyTables(const ContentContext& context, Diagnostics& diagnostics) {
    const auto ais = readAll<AiTable>("/master/ai/", "ai_master_", diagnostics, AiTableReader::parse);
    const auto actions =
        readAll<ActionTable>("/master/action/", "action_master_", diagnostics, ActionTableReader::parse);

    for (const auto& [id, entry] : ais) {
        const auto& [path, table] = entry;
        if (table.rows.empty()) diagnostics.report(path, 0, "has no rows: the creature never acts");
        for (const AiRow& row : table.rows)
            if (row.actionTableId != -1 && !actions.count(row.actionTableId))
                diagnostics.report(path, row.line,
                                   "action table " + number(row.actionTableId) + " (" +
                                       EnemyTableCache::actionFileName(row.actionTableId) +
                                       ") does not exist");
    }
    for (const auto& [id, entry] : actions) {
        const auto& [path, table] = entry;
        if (table.steps.empty()) diagnostics.report(path, 0, "has no rows: it orders nothing");
        for (const auto& [step, rows] : table.steps)
            for (const ActionRow& row : rows)
                if (row.action == ActionKind::CHANGEAI && !ais.count(row.param))
                    diagnostics.report(path, row.line,
                                       "AI table " + number(row.param) + " (" +
                                           EnemyTableCache::aiFileName(row.param) + ") does not exist");
    }

    // The creatures' own AI tables (0: the character is steered by nothing).
    MasterTables masters;
    std::string text;
    std::string path = MasterTables::fileName(MasterTable::CHARACTER);
    context.resources.read(path, text, path);
    masters.loadText(MasterTable::CHARACTER, text, path);
    for (const auto& [id, row] : masters.characterRows())
        if (row.record.aiId != 0 && !ais.count(row.record.aiId))
            diagnostics.report(path, row.line,
                               "character " + number(id) + " names AI table " + number(row.record.aiId) +
                                   " (" + EnemyTableCache::aiFileName(row.record.aiId) +
                                   "), which does not exist");
}

nlohmann::json aiJson(const AiTable& table) {
    nlohmann::json rows = nlohmann::json::array();
    for (const AiRow& row : table.rows)
        rows.push_back({{"line", row.line},
                        {"condition", AiTableReader::wordOf(row.condition)},
                        {"actionTable", row.actionTableId},
                        {"param1", row.param1},
                        {"param2", row.param2},
                        {"value", row.value}});
    return {{"rows", rows}};
}

nlohmann::json actionJson(const ActionTable& table) {
    nlohmann::json rows = nlohmann::json::array();
    for (const auto& [step, list] : table.steps)
        for (const ActionRow& row : list)
            rows.push_back({{"line", row.line},
                            {"step", row.step},
                            {"action", ActionTableReader::wordOf(row.action)},
                            {"param", row.param},
                            {"flag", row.flag},
                            {"text", row.text}});
    return {{"lastStep", table.lastStep}, {"rows", rows}};
}

bool dumpEnemyTable(const std::string& kind, const std::string& path, const std::string& text,
                    const ContentContext&, nlohmann::json& out, Diagnostics& diagnostics) {
    if (kind == "ai") {
        out = aiJson(AiTableReader::parse(text, path, &diagnostics));
    } else {
        out = actionJson(ActionTableReader::parse(text, path, &diagnostics));
    }
    return true;
}

}  // namespace

void registerEnemyTableContent(ContentRegistry& registry) {
    registry.addCheck({"creature tables",
                       "every AI and action table: known words, numbers, row widths, and the tables they "
                       "name",
                       checkEnemyTables});
    registry.addDump({{"ai", "action"},
                      "\"ai\": an AI table (master/ai/ai_master_NNNN.data); \"action\": an action table "
                      "(master/action/action_master_NNNN.data)",
                      dumpEnemyTable});
}

}  // namespace content
