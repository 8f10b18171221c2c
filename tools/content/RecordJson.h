#pragma once

#include <nlohmann/json.hpp>

#include "game/data/MasterRecords.h"
#include "game/data/StageRecord.h"

namespace content {

// The records the loaders produce, as JSON objects with their field names, for `quorin-content dump`.
class RecordJson {
public:
    static nlohmann::json of(const vastomer::CharacterMaster& record);
    static nlohmann::json of(const vastomer::WearMaster& record);
    static nlohmann::json of(const vastomer::WeaponMaster& record);
    static nlohmann::json of(const vastomer::BulletMaster& record);
    static nlohmann::json of(const vastomer::ShopLineupEntry& record);
    static nlohmann::json of(const vastomer::HintEntry& record);
    static nlohmann::json of(const vastomer::CombineEntry& record);
    static nlohmann::json of(const vastomer::SituationEntry& record);
    static nlohmann::json of(const vastomer::StageRecord& record);

    // A record with the line it was read from.
    template <typename Record>
    static nlohmann::json of(const vastomer::MasterRow<Record>& row) {
        nlohmann::json json = of(row.record);
        json["line"] = row.line;
        return json;
    }
};

}  // namespace content
