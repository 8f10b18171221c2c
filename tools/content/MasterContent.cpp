// Master tables: every table under "master/" checked with the game's loaders, the memory gallery's
// background list, references between the tables, and `dump` of any one table.
#include <map>
#include <string>

#include "game/data/MasterTableReader.h"
#include "game/data/MasterTables.h"
#include "tools/content/ContentKinds.h"
#include "tools/content/RecordJson.h"
#include "tools/content/ReferenceCheck.h"

using namespace vastomer;

namespace content {

namespace {

constexpr const char* MEMORY_BACKGROUNDS = "master/memory_backgrounds.data";

// "weapon_master" for "master/weapon_master.data".
std::string baseName(const std::string& path) {
    std::string name = path.substr(path.find_last_of('/') + 1);
    std::size_t dot = name.rfind(".data");
    return dot == std::string::npos || dot + 5 != name.size() ? name : name.substr(0, dot);
}

template <typename Map>
nlohmann::json keyedRows(const Map& table) {
    nlohmann::json out = nlohmann::json::array();
    for (const auto& entry : table)
        out.push_back(RecordJson::of(entry.second));
    return out;
}

template <typename Record>
nlohmann::json listRows(const MasterRows<Record>& rows) {
    nlohmann::json out = nlohmann::json::array();
    for (const auto& row : rows)
        out.push_back(RecordJson::of(row));
    return out;
}

nlohmann::json tableJson(const MasterTables& tables, MasterTable table) {
    switch (table) {
        case MasterTable::CHARACTER:
            return keyedRows(tables.characterRows());
        case MasterTable::WEAR:
            return keyedRows(tables.wearRows());
        case MasterTable::WEAPON:
            return keyedRows(tables.weaponRows());
        case MasterTable::BULLET:
            return keyedRows(tables.bulletRows());
        case MasterTable::SITUATION:
            return listRows(tables.situationRows());
        case MasterTable::SHOP_LINEUP:
            return listRows(tables.shopLineupRows());
        case MasterTable::HINT:
            return listRows(tables.hintRows());
        case MasterTable::COMBINE:
            return keyedRows(tables.combineRows());
    }
    return nlohmann::json::array();
}

void checkMasterTables(const ContentContext& context, Diagnostics& diagnostics) {
    MasterTables tables;
    for (MasterTable table : MasterTables::all())
        tables.load(table, context.resources, &diagnostics);

    std::string text;
    std::string path;
    if (!context.resources.read(MEMORY_BACKGROUNDS, text, path)) {
        diagnostics.report(MEMORY_BACKGROUNDS, 0,
                           "not found; the memory gallery cannot open its selection window");
    } else if (MasterTableReader::readMemoryBackgrounds(text, path, &diagnostics).empty()) {
        diagnostics.report(path, 0, "lists no background");
    }
}

bool dumpTable(const std::string& kind, const std::string& path, const std::string& text,
               const ContentContext&, nlohmann::json& out, Diagnostics& diagnostics) {
    std::string name = kind == "master" ? baseName(path) : baseName(kind);
    if (name == baseName(MEMORY_BACKGROUNDS)) {
        out = nlohmann::json::array();
        for (const auto& row : MasterTableReader::readMemoryBackgrounds(text, path, &diagnostics))
            out.push_back(row.record);
        return true;
    }
    for (MasterTable table : MasterTables::all()) {
        if (baseName(MasterTables::fileName(table)) != name) continue;
        MasterTables tables;
        tables.loadText(table, text, path, &diagnostics);
        out = tableJson(tables, table);
        return true;
    }
    diagnostics.report(path, 0, "\"" + name + "\" is not the name of a master table");
    return false;
}

}  // namespace

void registerMasterContent(ContentRegistry& registry) {
    registry.addCheck(
        {"master", "every master table and the memory gallery's background list", checkMasterTables});
    registry.addCheck({"references", "ids that one table names and another must hold", checkReferences});

    ContentDump dump;
    dump.summary = "a master table (KIND \"master\" takes the table from the file's name)";
    dump.kinds.push_back("master");
    for (MasterTable table : MasterTables::all()) {
        dump.kinds.push_back(baseName(MasterTables::fileName(table)));
        dump.kinds.push_back(baseName(MasterTables::fileName(table)) + ".data");
    }
    dump.kinds.push_back(baseName(MEMORY_BACKGROUNDS));
    dump.kinds.push_back(baseName(MEMORY_BACKGROUNDS) + ".data");
    dump.run = dumpTable;
    registry.addDump(dump);
}

}  // namespace content
