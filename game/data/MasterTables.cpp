#include "game/data/MasterTables.h"

#include <climits>

#include "game/data/MasterTableReader.h"
#include "game/data/MasterText.h"

namespace vastomer {

namespace {

std::string keyText(int key) {
    return MasterText::intText(key);
}
std::string keyText(const std::pair<int, int>& key) {
    return "(" + MasterText::intText(key.first) + ", " + MasterText::intText(key.second) + ")";
}

// Stores rows under their key; a repeated key keeps the later line, and says so.
template <typename Key, typename Record, typename KeyOf>
void index(std::map<Key, MasterRow<Record>>& table, MasterRows<Record> rows, const std::string& file,
           Diagnostics* diagnostics, KeyOf keyOf) {
    table.clear();
    for (MasterRow<Record>& row : rows) {
        Key key = keyOf(row.record);
        auto found = table.find(key);
        if (found != table.end() && diagnostics)
            diagnostics->report(file, row.line,
                                "id " + keyText(key) + " repeats line " +
                                    MasterText::intText(found->second.line) + "; this line replaces it");
        table[key] = std::move(row);
    }
}

template <typename Record>
Record recordAt(const MasterRows<Record>& rows, int index, const Record& none) {
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size()) return none;
    return rows[static_cast<std::size_t>(index)].record;
}

template <typename Record>
Record recordWithId(const std::map<int, MasterRow<Record>>& table, int id) {
    auto found = table.find(id);
    return found == table.end() ? Record() : found->second.record;
}

}  // namespace

const std::vector<MasterTable>& MasterTables::all() {
    static const std::vector<MasterTable> kOrder = {
        MasterTable::CHARACTER, MasterTable::WEAR,        MasterTable::WEAPON, MasterTable::BULLET,
        MasterTable::SITUATION, MasterTable::SHOP_LINEUP, MasterTable::HINT,   MasterTable::COMBINE};
    return kOrder;
}

const char* MasterTables::fileName(MasterTable table) {
    switch (table) {
        case MasterTable::CHARACTER:
            return "master/character_master.data";
        case MasterTable::WEAR:
            return "master/wear_master.data";
        case MasterTable::WEAPON:
            return "master/weapon_master.data";
        case MasterTable::BULLET:
            return "master/bullet_master.data";
        case MasterTable::SITUATION:
            return "master/situation_master.data";
        case MasterTable::SHOP_LINEUP:
            return "master/shoplineup_master.data";
        case MasterTable::HINT:
            return "master/hint_master.data";
        case MasterTable::COMBINE:
            return "master/combine_master.data";
    }
    return "";
}

void MasterTables::load(MasterTable table, const DataSource& source, Diagnostics* diagnostics) {
    std::string text;
    std::string path;
    if (!source.read(fileName(table), text, path)) {
        if (diagnostics) diagnostics->report(fileName(table), 0, "not found; the table stays empty");
        text.clear();
        path = fileName(table);
    }
    loadText(table, text, path, diagnostics);
}

void MasterTables::loadText(MasterTable table, std::string_view text, const std::string& file,
                            Diagnostics* diagnostics) {
    auto byId = [](const auto& record) { return record.id; };
    switch (table) {
        case MasterTable::CHARACTER:
            index(characters_, MasterTableReader::readCharacters(text, file, diagnostics), file, diagnostics,
                  byId);
            break;
        case MasterTable::WEAR:
            index(wear_, MasterTableReader::readWear(text, file, diagnostics), file, diagnostics, byId);
            break;
        case MasterTable::WEAPON:
            index(weapons_, MasterTableReader::readWeapons(text, file, diagnostics), file, diagnostics, byId);
            break;
        case MasterTable::BULLET:
            index(bullets_, MasterTableReader::readBullets(text, file, diagnostics), file, diagnostics, byId);
            break;
        case MasterTable::SITUATION:
            situations_ = MasterTableReader::readSituations(text, file, diagnostics);
            break;
        case MasterTable::SHOP_LINEUP:
            shopLineup_ = MasterTableReader::readShopLineup(text, file, diagnostics);
            break;
        case MasterTable::HINT:
            hints_ = MasterTableReader::readHints(text, file, diagnostics);
            break;
        case MasterTable::COMBINE:
            index(combines_, MasterTableReader::readCombines(text, file, diagnostics), file, diagnostics,
                  [](const CombineEntry& entry) { return std::make_pair(entry.characterId, entry.key); });
            break;
    }
}

CharacterMaster MasterTables::getCharacterMaster(int id) const {
    return recordWithId(characters_, id);
}
WearMaster MasterTables::getWearMaster(int id) const {
    return recordWithId(wear_, id);
}
WeaponMaster MasterTables::getWeaponMaster(int id) const {
    return recordWithId(weapons_, id);
}
BulletMaster MasterTables::getBulletMaster(int id) const {
    return recordWithId(bullets_, id);
}

ShopLineupEntry MasterTables::getShopLineupEntry(int index) const {
    return recordAt(shopLineup_, index, ShopLineupEntry());
}

ShopLineupEntry MasterTables::findShopLineupEntry(int itemId, bool isWear) const {
    for (const auto& row : shopLineup_)
        if (row.record.itemId == itemId && row.record.isWear == isWear) return row.record;
    return ShopLineupEntry();
}

CombineEntry MasterTables::getCombine(int characterId, int key) const {
    auto found = combines_.find(std::make_pair(characterId, key));
    return found == combines_.end() ? CombineEntry() : found->second.record;
}

std::vector<CombineEntry> MasterTables::getCombinesOf(int characterId) const {
    std::vector<CombineEntry> entries;
    for (auto it = combines_.lower_bound(std::make_pair(characterId, INT_MIN));
         it != combines_.end() && it->first.first == characterId; ++it)
        entries.push_back(it->second.record);
    return entries;
}

std::vector<CombineEntry> MasterTables::getAllCombines() const {
    std::vector<CombineEntry> entries;
    for (const auto& entry : combines_)
        entries.push_back(entry.second.record);
    return entries;
}

SituationEntry MasterTables::getSituation(int index) const {
    return recordAt(situations_, index, SituationEntry());
}

HintEntry MasterTables::getHint(int index) const {
    return recordAt(hints_, index, HintEntry());
}

}  // namespace vastomer
