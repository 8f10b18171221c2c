#pragma once

#include <functional>
#include <string>
#include <vector>

#include "game/data/MasterRecords.h"

namespace vastomer {

// The game rules computed from the tables and the progress: damage adjustments by difficulty and wear,
// special-point and LP gains, the LP tier, weapon rank letters and the hint picker. Pure functions;
// the data manager feeds them its state. Results that would leave the int range saturate.
class GameRules {
public:
    static constexpr int kEasy = 0;
    static constexpr int kHard = 2;

    // Damage the player takes: halved on easy, ×1.5 on hard, at least 1, then ×0.75 with "saintfield".
    static int adjustDamageTaken(int damage, int difficulty, const std::string& wearEffect);
    // Damage the player deals: doubled while boosted, doubled again on easy.
    static int adjustDamageDealt(int damage, bool boosted, int difficulty);
    // Special points for defeating an enemy of this attack.
    static int spGainFor(int attack, const WearMaster& wear);
    static int lpGain(const WearMaster& wear);
    // 500, 450, 250, 100 or 0: the LP step reached.
    static int lpTier(int lp);
    // String keys of the rank letters "STATUS_WEAPON_S" .. "STATUS_WEAPON_E".
    static std::string powerRankKey(int power);
    static std::string intervalRankKey(int interval);

    // Draws hints with `draw(n)` (a number below n) over all but the last one and returns the first
    // the player may see, or the all -1 entry. `bestScore(stage)` is 0 for a stage without a score.
    static HintEntry pickHint(const std::vector<HintEntry>& hints, const std::function<int(int)>& draw,
                              const std::function<int(int)>& bestScore, int equippedWear);
};

}  // namespace vastomer
