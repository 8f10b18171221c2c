#pragma once

#include <string>
#include <vector>

namespace engine {
class Node;
}

namespace vastomer {

class BulletCharacter;
class CharacterSprite;

// Turns the events that attack animations raise into what they make: "grapplebody" a short-lived
// melee sensor that moves with the character, "shootbody" a bullet, "summon" a further character
// and "tentacle" a segment of a chain of bullets (the last two: SpawnEvents). The player's weapon
// animations and the creatures' attack animations both come here; their parameter text is split at
// ":". An event with too few fields makes nothing and says so on stderr.
//
//   grapplebody  NAME:FRAMES:WIDTH:HEIGHT:OFFSETX:OFFSETY:ANCHORX:ANCHORY[:WEAPON]
//   shootbody    MUZZLEX:MUZZLEY:NAME[:WEAPON]
//
// `weaponNumber` stands for the weapon number of the text when it is 0 or more (the player passes
// its equipped weapon); with -1 the number in the text is used (and a shot must name it). Events of
// other names are left to `handle`'s caller (false).
class AttackEvents {
public:
    static constexpr const char* GRAPPLE_EVENT = "grapplebody";
    static constexpr const char* SHOOT_EVENT = "shootbody";

    // True when the event was one of the four above (made or refused for bad parameters).
    static bool handle(CharacterSprite* character, const std::string& event, const std::string& parameters,
                       int weaponNumber, const std::string& animationFile = std::string());

    // The melee sensor: a node named NAME with that anchor and size, at the character's centre plus
    // the offset and the character's weapon offset, tagged with the weapon number, added to the
    // character (it turns with the facing) and removed after FRAMES frames. Null for bad fields.
    static engine::Node* makeMeleeBody(CharacterSprite* character, const std::vector<std::string>& fields,
                                       int weaponNumber);
    // The bullet of the weapon's record, at the muzzle (measured from the character's lower-left
    // corner when it faces left, mirrored when it faces right), facing as the character faces, in the
    // character's parent. Null when the weapon fires no bullet or the fields are bad.
    static BulletCharacter* makeBullet(CharacterSprite* character, const std::vector<std::string>& fields,
                                       int weaponNumber);
    // The character a melee sensor belongs to (its parent), or null.
    static CharacterSprite* ownerOf(engine::Node* meleeBody);

    static std::vector<std::string> split(const std::string& text, char separator);
};

}  // namespace vastomer
