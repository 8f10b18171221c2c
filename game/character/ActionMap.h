#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "engine/base/Geometry.h"
#include "engine/base/Value.h"
#include "engine/base/WeakRef.h"
#include "engine/scene/Node.h"
#include "engine/scene/Sprite.h"

namespace engine {
class TMXObjectGroup;
class TMXTiledMap;
}  // namespace engine

namespace vastomer {

class CharacterSprite;

// One object of a map's "collision" or "object" group.
struct MapObjectRecord {
    std::string type;
    std::string name;
    int width = 0;  // truncated toward zero
    int height = 0;
    float x = 0.0f;  // lower-left corner in the map's node space
    float y = 0.0f;
    bool isBoss = false;  // "object" group only
    float rotate = 0.0f;  // degrees, "collision" group only
    int objectId = 0;     // the map editor's object id, for messages
};

// The stage currently on screen: one TMX map with its tile layers in drawing order, the static boxes
// of its "collision" group, the markers of its "object" group (start point, numbered appear points,
// creature spawns, part-change and scenario sensors) and the characters that live on it.
//
// Drawing order inside the map: "base" 2, "objectA" 3, back layer 4, character layer 5, front layer
// 6, "objectB" 7, "NEAR" 8; other tile layers keep the z the file gives them.
//
// A map that cannot be read is an empty map (nothing is drawn, no bodies, no markers); a missing
// object group reads as an empty one. Characters are listed weakly: one that is gone (defeated and
// removed) drops out of the list by itself, and the list keeps the order they were added in.
class ActionMap : public engine::Node {
public:
    static constexpr int BASE_Z = 2;
    static constexpr int OBJECT_A_Z = 3;
    static constexpr int BACK_LAYER_Z = 4;
    static constexpr int CHARACTER_LAYER_Z = 5;
    static constexpr int FRONT_LAYER_Z = 6;
    static constexpr int OBJECT_B_Z = 7;
    static constexpr int NEAR_Z = 8;

    static ActionMap* create();
    bool init() override;

    // Replaces the map (and every body and character on the old one). False when the file could not
    // be read: the map is then empty, with its three layers ready.
    bool loadMap(const std::string& path);
    // Static boxes from the "collision" group; "type" "collision" makes a box report contacts.
    void buildCollision();
    // Clears the character list and reads the "object" group's markers.
    void readObjects();
    // Registers a character that the caller has placed and added to a layer already.
    void addCharacter(CharacterSprite* character, bool withoutGroupCallback = false);
    // Takes a character off the list (it stays where it is in the node tree).
    void removeCharacter(CharacterSprite* character);

    const std::string& getMapFile() const { return mapFile_; }
    // The loaded tile map, or null (nothing loaded, or the file could not be read).
    engine::TMXTiledMap* getTiledMap() const { return tiledMap_; }
    // The node holding the layers, bodies and sensors (the tile map, or an empty node in its place).
    engine::Node* getMapRoot() const { return mapRoot_; }
    engine::Sprite* getCharacterLayer() const { return characterLayer_; }
    engine::Sprite* getBackLayer() const { return backLayer_; }
    engine::Sprite* getFrontLayer() const { return frontLayer_; }
    const engine::Vec2& getStartPosition() const { return startPosition_; }
    // The appear point of that number, or the start position when there is none.
    engine::Vec2 getAppearPosition(int id) const;
    const std::map<int, engine::Vec2>& getAppearPoints() const { return appearPoints_; }
    int getMarkerCharacterCount() const { return markerCharacterCount_; }
    bool isGroupBossPresent() const { return groupBossPresent_; }
    // Creature markers ("enemy", "groupBoss") the last readObjects found, made or not.
    int getCreatureMarkerCount() const { return creatureMarkers_; }
    bool isActionLocked() const { return actionLocked_; }

    void setActionLocked(bool locked);
    // Freezes the physics world and every character (and the reverse).
    void pauseCharacters();
    void resumeCharacters();
    // The first character whose boss flag is set, or null.
    CharacterSprite* getBoss();
    bool hasCharacterNamed(const std::string& name);
    void forEachCharacter(const std::function<void(CharacterSprite*)>& function);
    void landAllCharacters();
    bool allCharactersLanded();
    // The characters still alive, in the order they were added.
    std::vector<CharacterSprite*> getCharacters();
    // Takes every listed character off the map and empties the list (the screen is going away).
    void removeAllCharacters();

    // --- numbers in marker texts ---
    // The whole text matches ^[-+]?[0-9]*.?[0-9]+$ (the dot stands for any one character).
    static bool isNumber(const std::string& text);
    // The leading decimal integer (blanks and a sign first allowed). False without digits or when
    // it does not fit in 32 bits.
    static bool toInt(const std::string& text, int& value);
    // The marker number of a text: its integer when isNumber holds and it can be read, else 0.
    // `problem` (when given) is set when the text looks like a number but cannot be read.
    static int numberIn(const std::string& text, bool* problem = nullptr);
    // The records of an object group, in file order; an absent group gives none.
    static std::vector<MapObjectRecord> readRecords(const engine::TMXObjectGroup* group, bool collisionGroup);

protected:
    ActionMap() = default;

private:
    void clearMap();
    void addSensor(const MapObjectRecord& record, const std::string& bodyName, int bodyTag, int nodeTag);
    void spawnMarkerCreature(const MapObjectRecord& record, const std::string& kind);
    // Deals the group boss one point when one of its minions falls (its invincibility after a hit
    // does not swallow the point).
    void giveGroupCallback(CharacterSprite* character);
    void prune();
    void reportMarker(const MapObjectRecord& record, const std::string& message) const;

    std::string mapFile_;
    engine::TMXTiledMap* tiledMap_ = nullptr;
    engine::Node* mapRoot_ = nullptr;
    std::vector<engine::WeakRef<CharacterSprite>> characters_;
    engine::Sprite* characterLayer_ = nullptr;
    engine::Sprite* backLayer_ = nullptr;
    engine::Sprite* frontLayer_ = nullptr;
    engine::Vec2 startPosition_;
    std::map<int, engine::Vec2> appearPoints_;
    int markerCharacterCount_ = -1;
    bool groupBossPresent_ = false;
    bool actionLocked_ = false;
    int creatureMarkers_ = 0;
};

}  // namespace vastomer
