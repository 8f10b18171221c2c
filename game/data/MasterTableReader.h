#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/data/Diagnostics.h"
#include "game/data/MasterRecords.h"

namespace vastomer {

// Turns the text of each master table into its records, in file order, with their line numbers.
// Lines with too few columns, or with a numeric column that holds no number or one beyond 32 bits,
// are skipped; every problem met goes to `diagnostics` (when given) under the name `file`.
class MasterTableReader {
public:
    static MasterRows<CharacterMaster> readCharacters(std::string_view text, const std::string& file,
                                                      Diagnostics* diagnostics = nullptr);
    static MasterRows<WearMaster> readWear(std::string_view text, const std::string& file,
                                           Diagnostics* diagnostics = nullptr);
    static MasterRows<WeaponMaster> readWeapons(std::string_view text, const std::string& file,
                                                Diagnostics* diagnostics = nullptr);
    static MasterRows<BulletMaster> readBullets(std::string_view text, const std::string& file,
                                                Diagnostics* diagnostics = nullptr);
    static MasterRows<ShopLineupEntry> readShopLineup(std::string_view text, const std::string& file,
                                                      Diagnostics* diagnostics = nullptr);
    static MasterRows<HintEntry> readHints(std::string_view text, const std::string& file,
                                           Diagnostics* diagnostics = nullptr);
    static MasterRows<CombineEntry> readCombines(std::string_view text, const std::string& file,
                                                 Diagnostics* diagnostics = nullptr);
    static MasterRows<SituationEntry> readSituations(std::string_view text, const std::string& file,
                                                     Diagnostics* diagnostics = nullptr);

    // "master/memory_backgrounds.data", read by the memory gallery: one number a line. Carriage
    // returns are trimmed per line; lines that are not numbers are skipped (and reported).
    static MasterRows<int> readMemoryBackgrounds(std::string_view text, const std::string& file,
                                                 Diagnostics* diagnostics = nullptr);

    // Wear effect keywords the game acts on; "none" marks wear without an effect.
    static bool isKnownWearEffect(const std::string& effect);
};

}  // namespace vastomer
