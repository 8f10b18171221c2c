#pragma once

#include <map>
#include <string>
#include <utility>
#include <vector>

#include "game/data/DataSource.h"
#include "game/data/Diagnostics.h"
#include "game/data/MasterRecords.h"

namespace vastomer {

// The master tables the data manager reads at start-up.
enum class MasterTable { CHARACTER, WEAR, WEAPON, BULLET, SITUATION, SHOP_LINEUP, HINT, COMBINE };

// Holds the master tables in memory and answers look-ups by id or index. Keyed tables keep the last
// line of a repeated key; list tables keep every line in file order. Look-ups return copies, and the
// default record of its type for an id or index that is not there.
class MasterTables {
public:
    // Every table, in the order the game loads them (the stage tables come between BULLET and SITUATION).
    static const std::vector<MasterTable>& all();
    // The resource name of a table, for example "master/weapon_master.data".
    static const char* fileName(MasterTable table);

    // Reads one table through `source`, replacing what it held. A missing file leaves it empty.
    void load(MasterTable table, const DataSource& source, Diagnostics* diagnostics = nullptr);
    // Reads one table from text (what `load` does once the file is read).
    void loadText(MasterTable table, std::string_view text, const std::string& file,
                  Diagnostics* diagnostics = nullptr);

    CharacterMaster getCharacterMaster(int id) const;
    WearMaster getWearMaster(int id) const;
    WeaponMaster getWeaponMaster(int id) const;
    BulletMaster getBulletMaster(int id) const;
    bool hasCharacter(int id) const { return characters_.count(id) > 0; }
    bool hasWear(int id) const { return wear_.count(id) > 0; }
    bool hasWeapon(int id) const { return weapons_.count(id) > 0; }
    bool hasBullet(int id) const { return bullets_.count(id) > 0; }

    // A negative or too large index gives the "none" entry (isWear false, itemId -1).
    ShopLineupEntry getShopLineupEntry(int index) const;
    int getShopLineupCount() const { return static_cast<int>(shopLineup_.size()); }
    ShopLineupEntry findShopLineupEntry(int itemId, bool isWear) const;

    // The event for (character, key), or the "no event" record.
    CombineEntry getCombine(int characterId, int key) const;
    std::vector<CombineEntry> getCombinesOf(int characterId) const;
    std::vector<CombineEntry> getAllCombines() const;

    // Out of range gives {0, ""}.
    SituationEntry getSituation(int index) const;
    int getSituationCount() const { return static_cast<int>(situations_.size()); }

    int getHintCount() const { return static_cast<int>(hints_.size()); }
    HintEntry getHint(int index) const;

    // The tables with the line each record came from, for the content tool.
    const std::map<int, MasterRow<CharacterMaster>>& characterRows() const { return characters_; }
    const std::map<int, MasterRow<WearMaster>>& wearRows() const { return wear_; }
    const std::map<int, MasterRow<WeaponMaster>>& weaponRows() const { return weapons_; }
    const std::map<int, MasterRow<BulletMaster>>& bulletRows() const { return bullets_; }
    const MasterRows<ShopLineupEntry>& shopLineupRows() const { return shopLineup_; }
    const MasterRows<HintEntry>& hintRows() const { return hints_; }
    const std::map<std::pair<int, int>, MasterRow<CombineEntry>>& combineRows() const { return combines_; }
    const MasterRows<SituationEntry>& situationRows() const { return situations_; }

private:
    std::map<int, MasterRow<CharacterMaster>> characters_;
    std::map<int, MasterRow<WearMaster>> wear_;
    std::map<int, MasterRow<WeaponMaster>> weapons_;
    std::map<int, MasterRow<BulletMaster>> bullets_;
    MasterRows<ShopLineupEntry> shopLineup_;
    MasterRows<HintEntry> hints_;
    std::map<std::pair<int, int>, MasterRow<CombineEntry>> combines_;
    MasterRows<SituationEntry> situations_;
};

}  // namespace vastomer
