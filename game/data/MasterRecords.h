#pragma once

#include <string>
#include <vector>

#include "engine/base/Geometry.h"

namespace vastomer {

// The records of the master tables under "master/". Default-constructed records are the ones the
// look-ups return for a missing id or index.

// "master/character_master.data": the player and every enemy.
struct CharacterMaster {
    int id = 0;
    std::string name;  // record name; the stage map looks for "player", scenes find characters by it
    int hp = 0;
    int width = 0;  // node size in pixels
    int height = 0;
    int bodyWidth = 0;  // physics box in pixels
    int bodyHeight = 0;
    int moveSpeed = 0;
    int motionA = 0;    // lower bound of the vertical drive
    int jumpPower = 0;  // upper bound of the vertical drive and the push of a jump
    int spare = 0;      // kept, unused
    int motionB = 0;    // walk acceleration per step; flight acceleration of a flyer
    int motionC = 0;    // frames a held jump keeps pushing
    int attack = 0;     // contact damage to the player; base of the SP gain when defeated
    int aiId = 0;       // AI table that drives an enemy
    bool flying = false;
    bool flag2 = false;  // kept, unused
    int score = 0;       // points for defeating it (ten times for a boss)
};

// "master/wear_master.data".
struct WearMaster {
    int id = -1;
    int hpBonus = 0;
    int spBonus = 0;
    int lpBonus = 0;
    std::string effect;  // "saintfield", "mpincrup", "powerarmor", "buttnaked", "lustup", "speedup", ...
};

// "master/weapon_master.data".
struct WeaponMaster {
    int id = -1;
    std::string name;  // name key
    int power = 0;     // attack power when the weapon fires no bullet
    int interval = 0;  // time between attacks; smaller is faster
    engine::Vec2 offset;
    engine::Size size;
    int bulletId = -1;
    bool hasBullet = false;  // bulletId != -1
    int hitEffect = 0;       // "anime/EFFECT_" number shown where it hits
    int magazineSize = 0;
    int attackAnim1 = 0;
    int attackAnim2 = 1;
    int attackAnim3 = 2;
    int reloadTime = 0;  // frames
    std::string trait;   // "heavy" slows the player; empty for none
};

// "master/bullet_master.data".
struct BulletMaster {
    int id = -1;
    int hitEffect = -1;
    int power = 0;
    int hp = 0;
    float speed = 0.0f;
    engine::Size size;  // physics box
    int moveType = 0;   // with 3 the bullet moves by `velocity`
    engine::Vec2 velocity;
};

// "master/shoplineup_master.data": what the shop sells, in file order.
struct ShopLineupEntry {
    bool isWear = false;
    int itemId = -1;
    int price = 0;
};

// "master/hint_master.data": hint scripts and when they may be shown.
struct HintEntry {
    int scriptNo = -1;     // "scenario/hint_NNNN.bks"
    int needCleared = -1;  // a stage that must have a best score above 0
    int notCleared = -1;   // a stage whose best score must still be 0; -1 for none
    int needWear = -1;     // always -1 (any wear)
};

// "master/combine_master.data": grapple events, keyed by (characterId, key). The default record is
// "no event" (dramaNo -1).
struct CombineEntry {
    int characterId = -1;
    int key = 0;  // the enemy's weapon or bullet number, or its animation variant for a body contact
    bool gameOverFlag = false;
    int dramaNo = -1;
    bool attachFlag = true;
    bool enemyVisibleFlag = false;
    bool bulletFlag = false;
    bool redirectFlag = false;
};

// "master/situation_master.data": the memory gallery's situations, in file order.
struct SituationEntry {
    int id = 0;
    std::string text;
};

// A record read from a table, with the physical line it came from (for the content tool's reports).
template <typename Record>
struct MasterRow {
    int line = 0;
    Record record;
};

template <typename Record>
using MasterRows = std::vector<MasterRow<Record>>;

}  // namespace vastomer
