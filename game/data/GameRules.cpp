#include "game/data/GameRules.h"

#include <algorithm>
#include <climits>

namespace vastomer {

namespace {

int saturate(long long value) {
    return static_cast<int>(std::clamp<long long>(value, INT_MIN, INT_MAX));
}

int truncated(double value) {
    return static_cast<int>(std::clamp(value, static_cast<double>(INT_MIN), static_cast<double>(INT_MAX)));
}

bool wearIs(const WearMaster& wear, const char* effect) {
    return wear.effect == effect;
}

}  // namespace

int GameRules::adjustDamageTaken(int damage, int difficulty, const std::string& wearEffect) {
    if (damage < 1) return damage;
    int result = damage;
    if (difficulty == kEasy)
        result = damage / 2;
    else if (difficulty == kHard)
        result = truncated(damage * 1.5);
    result = std::max(result, 1);
    if (wearEffect == "saintfield") result = truncated(result * 0.75);
    return result;
}

int GameRules::adjustDamageDealt(int damage, bool boosted, int difficulty) {
    if (damage < 1) return damage;
    long long result = damage;
    if (boosted) result *= 2;
    if (difficulty == kEasy) result *= 2;
    return saturate(result);
}

int GameRules::spGainFor(int attack, const WearMaster& wear) {
    long long gain = static_cast<long long>(attack) * 10 + wear.spBonus;
    if (wearIs(wear, "mpincrup") || wearIs(wear, "powerarmor"))
        gain *= 2;
    else if (wearIs(wear, "buttnaked"))
        gain *= 5;
    return saturate(gain);
}

int GameRules::lpGain(const WearMaster& wear) {
    long long gain = static_cast<long long>(wear.lpBonus) * 10 + 5;
    if (wearIs(wear, "lustup"))
        gain *= 2;
    else if (wearIs(wear, "buttnaked"))
        gain *= 10;
    if (gain < 1) gain = 15;
    return saturate(gain);
}

int GameRules::lpTier(int lp) {
    if (lp >= 500) return 500;
    if (lp > 450) return 450;
    if (lp > 250) return 250;
    if (lp > 100) return 100;
    return 0;
}

std::string GameRules::powerRankKey(int power) {
    if (power >= 21) return "STATUS_WEAPON_S";
    if (power >= 16) return "STATUS_WEAPON_A";
    if (power >= 11) return "STATUS_WEAPON_B";
    if (power >= 6) return "STATUS_WEAPON_C";
    if (power >= 4) return "STATUS_WEAPON_D";
    return "STATUS_WEAPON_E";
}

std::string GameRules::intervalRankKey(int interval) {
    if (interval >= 91) return "STATUS_WEAPON_E";
    if (interval >= 71) return "STATUS_WEAPON_D";
    if (interval >= 51) return "STATUS_WEAPON_C";
    if (interval >= 31) return "STATUS_WEAPON_B";
    if (interval >= 11) return "STATUS_WEAPON_A";
    return "STATUS_WEAPON_S";
}

HintEntry GameRules::pickHint(const std::vector<HintEntry>& hints, const std::function<int(int)>& draw,
                              const std::function<int(int)>& bestScore, int equippedWear) {
    // The last hint of the table is never drawn, so a table of one hint has none to give.
    const int drawable = static_cast<int>(hints.size()) - 1;
    if (drawable < 1) return HintEntry();
    auto drawHint = [&]() -> const HintEntry& {
        int index = std::clamp(draw(drawable), 0, drawable - 1);
        return hints[static_cast<std::size_t>(index)];
    };
    auto conditionsMet = [&](const HintEntry& hint) {
        return bestScore(hint.needCleared) > 0 && bestScore(hint.notCleared) == 0 &&
               (hint.needWear == -1 || hint.needWear == equippedWear);
    };

    // One draw and up to 100 more. Every draw, the first one included, must meet both stage
    // conditions: a hint about a later stage is never shown before that stage's prerequisite clear.
    for (int attempt = 0; attempt <= 100; ++attempt) {
        const HintEntry& hint = drawHint();
        if (hint.scriptNo != -1 && conditionsMet(hint)) return hint;
    }
    return HintEntry();
}

}  // namespace vastomer
