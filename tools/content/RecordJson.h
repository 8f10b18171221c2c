#pragma once

#include <nlohmann/json.hpp>

#include "game/data/MasterRecords.h"
#include "game/data/StageRecord.h"

namespace vastomer {

// The records the loaders produce, as JSON objects with their field names, for `quorin-content dump`.
class RecordJson {
public:
    static nlohmann::json of(const CharacterMaster& record);
    static nlohmann::json of(const WearMaster& record);
    static nlohmann::json of(const WeaponMaster& record);
    static nlohmann::json of(const BulletMaster& record);
    static nlohmann::json of(const ShopLineupEntry& record);
    static nlohmann::json of(const HintEntry& record);
    static nlohmann::json of(const CombineEntry& record);
    static nlohmann::json of(const SituationEntry& record);
    static nlohmann::json of(const StageRecord& record);

    // A record with the line it was read from.
    template <typename Record>
    static nlohmann::json of(const MasterRow<Record>& row) {
        nlohmann::json json = of(row.record);
        json["line"] = row.line;
        return json;
    }
};

}  // namespace vastomer
