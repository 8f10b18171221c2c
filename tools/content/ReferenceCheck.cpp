#include "tools/content/ReferenceCheck.h"

#include <map>
#include <string>

#include "game/data/MasterTables.h"
#include "game/data/MasterText.h"
#include "game/data/ProgressState.h"
#include "game/data/StageTables.h"

using namespace vastomer;

namespace content {

namespace {

std::string number(int value) {
    return MasterText::intText(value);
}

// The tables read quietly (their own problems are the "master" check's), with the path of each.
struct LoadedTables {
    MasterTables tables;
    std::map<MasterTable, std::string> paths;
};

LoadedTables loadQuietly(const DataSource& resources) {
    LoadedTables loaded;
    for (MasterTable table : MasterTables::all()) {
        std::string text;
        std::string path = MasterTables::fileName(table);
        resources.read(MasterTables::fileName(table), text, path);
        loaded.tables.loadText(table, text, path);
        loaded.paths[table] = path;
    }
    return loaded;
}

}  // namespace

void checkReferences(const ContentContext& context, Diagnostics& diagnostics) {
    LoadedTables loaded = loadQuietly(context.resources);
    const MasterTables& tables = loaded.tables;
    StageTables stages;
    stages.load(context.resources);

    const std::string& weapons = loaded.paths[MasterTable::WEAPON];
    for (const auto& entry : tables.weaponRows()) {
        const WeaponMaster& weapon = entry.second.record;
        if (weapon.hasBullet && !tables.hasBullet(weapon.bulletId))
            diagnostics.report(weapons, entry.second.line,
                               "bullet " + number(weapon.bulletId) + " has no record");
    }

    const std::string& shop = loaded.paths[MasterTable::SHOP_LINEUP];
    for (const auto& row : tables.shopLineupRows()) {
        bool known =
            row.record.isWear ? tables.hasWear(row.record.itemId) : tables.hasWeapon(row.record.itemId);
        if (!known)
            diagnostics.report(shop, row.line,
                               std::string(row.record.isWear ? "wear " : "weapon ") +
                                   number(row.record.itemId) + " has no record");
    }

    const std::string& combines = loaded.paths[MasterTable::COMBINE];
    for (const auto& entry : tables.combineRows())
        if (!tables.hasCharacter(entry.second.record.characterId))
            diagnostics.report(combines, entry.second.line,
                               "character " + number(entry.second.record.characterId) + " has no record");

    const std::string& hints = loaded.paths[MasterTable::HINT];
    for (const auto& row : tables.hintRows()) {
        if (!stages.hasStage(row.record.needCleared))
            diagnostics.report(hints, row.line, "stage " + number(row.record.needCleared) + " has no record");
        if (row.record.notCleared != -1 && !stages.hasStage(row.record.notCleared))
            diagnostics.report(hints, row.line, "stage " + number(row.record.notCleared) + " has no record");
    }
    if (tables.getHintCount() == 1)
        diagnostics.report(hints, 0, "has one hint, which is never drawn: the last line is the spare one");

    const std::string& characters = loaded.paths[MasterTable::CHARACTER];
    if (!tables.hasCharacter(0))
        diagnostics.report(characters, 0, "has no player character (id 0)");
    else if (tables.getCharacterMaster(0).name != "player")
        diagnostics.report(characters, tables.characterRows().at(0).line,
                           "the player character (id 0) must be named \"player\"");
    for (int id : {ProgressState::kFirstGrappleWeapon, ProgressState::kFirstShotWeapon})
        if (!tables.hasWeapon(id))
            diagnostics.report(weapons, 0, "has no weapon " + number(id) + ", which a new game owns");
    if (!tables.hasWear(ProgressState::kFirstWear))
        diagnostics.report(loaded.paths[MasterTable::WEAR], 0, "has no wear 0, which a new game owns");
}

}  // namespace content
