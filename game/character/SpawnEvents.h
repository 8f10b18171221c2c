#pragma once

#include <string>
#include <vector>

namespace vastomer {

class BulletCharacter;
class CharacterSprite;

// What the "summon" and "tentacle" events of an attack animation make (AttackEvents hands them here):
//
//   summon    DX:DY:NAME:CHARACTER:FACING:PLACE[:ally]
//   tentacle  BULLET:KIND:PLACE:DX:DY:STEPMODE:SX:SY:HP
//
// A summon is a further creature (or, with "ally", a plain character named NAME that acts on nothing
// by itself) placed by PLACE ("player", "playerX", "playerY", "direct", "abs", else the summoner's
// place) and facing by FACING (1 opposite the summoner, 2 left when the player is to its right, 3
// left, 4 right, else as the summoner); it joins the summoner's map, and the summoner is its partner.
// It is made only while the play screen is shown.
//
// A tentacle event makes one segment of a chain of short-lived bullets that grows from the character
// towards the player: PLACE "ABS" measures from the character's lower-left corner (mirrored when it
// faces right), "PREV" from the last segment, anything else is map coordinates; step mode "PLAYER"
// steps SX across and SY up or down towards the player, "PREV" repeats the last step. A segment lives
// HP frames.
class SpawnEvents {
public:
    static constexpr const char* SUMMON_EVENT = "summon";
    static constexpr const char* TENTACLE_EVENT = "tentacle";
    static constexpr std::size_t SUMMON_FIELDS = 6;
    static constexpr std::size_t TENTACLE_FIELDS = 9;

    // The summoned character, added to the map; null when it is not made (no play screen, a
    // character that cannot be made, too few fields).
    static CharacterSprite* summon(CharacterSprite* summoner, const std::vector<std::string>& fields);
    // The new segment, in the character's parent; null when none is made (too few fields, no parent,
    // a bullet number without a record).
    static BulletCharacter* tentacle(CharacterSprite* character, const std::vector<std::string>& fields);
};

}  // namespace vastomer
