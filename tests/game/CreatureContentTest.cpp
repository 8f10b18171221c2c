// The creatures' content in the built resource tree, read with the game's loaders: every creature
// the stage maps place, that the staged grapple events name or that another creature summons shows
// every state the game plays for it; its attack scripts raise events of the right shape that name
// weapons, bullets, effects and characters that exist; its AI and action tables exist and speak only
// known words; every way it catches Quorin has a grapple event; every staged drama has its four shots
// in every wear; and a stage's creatures are worth what a stage should be.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <regex>
#include <set>
#include <string>
#include <vector>

#include "engine/tilemap/TMXTiledMap.h"
#include "game/data/MasterText.h"
#include "game/scenario/CompositeAnimation.h"
#include "game/scenario/NSpriteAnimationManager.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TestPaths.h"

using vastomer::AnimationCommand;
using vastomer::AnimationElement;
using vastomer::CompositeAnimation;
using vastomer::MasterLine;
using vastomer::MasterText;
using vastomer::NSpriteAnimationManager;

namespace {

// The states an enemy shows whatever its tables say: waiting, moving (walk and run share RUN), hurt,
// defeated; ATTACK comes with the numbers its action tables use.
constexpr int WAIT = 1, RUN = 3, DAMAGE = 8, DOWN = 9, ATTACK = 10;
const int PLAIN_STATES[] = {WAIT, RUN, DAMAGE, DOWN};
// The grapple situations whose drama animations are made.
const std::set<int> STAGED_SITUATIONS = {1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 100, 101, 102};
constexpr int SHOTS = 4, WEARS = 9;
constexpr int BOSS_SCORE_FACTOR = 10;

const std::set<std::string> AI_WORDS = {"DEAFULT", "DISTANCE_P_G", "DISTANCE_P_L", "HP_P",
                                        "HP_S",    "COUNT",        "CONT_W",       "CONT_P",
                                        "BACKPOS", "DISTANCE_T_G", "DISTANCE_T_L"};
const std::set<std::string> ACTION_WORDS = {"WAIT",    "MOVE",       "MOVE_JUMP", "JUMP",       "FLIP",
                                            "ATTACK",  "BACKTOBASE", "CHANGEAI",  "SWITCHWALK", "COUNTRESET",
                                            "SUICIDE", "VMOVE",      "LOCKAI"};
const std::set<std::string> SUMMON_PLACES = {"player", "playerX", "playerY", "direct", "abs"};

const NSpriteAnimationManager& names() {
    return *NSpriteAnimationManager::getInstance();
}

std::string fourDigits(int number) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d", number);
    return text;
}

// The file a drama script line names without ".cma" plays for the worn wear: the name, "_", the wear
// plus one in two digits, ".cma".
std::string costumed(const std::string& name, int wear) {
    char suffix[32];
    std::snprintf(suffix, sizeof suffix, "_%02d.cma", wear + 1);
    return name + suffix;
}

std::string dramaName(int situation, int shot) {
    char text[48];
    std::snprintf(text, sizeof text, "anime/drama/DRAMA_%03d_%02d", situation, shot);
    return text;
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t at = text.find(separator); at != std::string::npos; at = text.find(separator, start)) {
        fields.push_back(text.substr(start, at - start));
        start = at + 1;
    }
    fields.push_back(text.substr(start));
    return fields;
}

int number(const std::string& text) {
    return MasterText::leadingInt(text).value;
}

// One line of an AI or action table, with where it stands.
struct TableLine {
    std::string file;
    MasterLine line;
    std::string where() const { return file + ":" + std::to_string(line.number); }
};

class CreatureContentTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        scene_ = engine::Scene::create();
        engine::Director::getInstance()->runWithScene(scene_);
        data_ = vastomer::DataManager::getInstance();
        ASSERT_NE(data_, nullptr);
        readMarkers();
        findCreatures();
    }
    void TearDown() override {
        for (auto& [name, surface] : pictures_)
            SDL_FreeSurface(surface);
        GameFixture::TearDown();
    }

    // The "enemy" and "groupBoss" markers of every shipped part of every stage, by stage.
    void readMarkers() {
        for (int stage : data_->getStageNumbers())
            for (int part : data_->getStageRecord(stage).parts) {
                char file[48];
                std::snprintf(file, sizeof file, "data/map/md_%04d_%02d.tmx", stage, part);
                if (!engine::FileUtils::getInstance()->isFileExist(file)) continue;
                engine::TMXTiledMap* map = engine::TMXTiledMap::create(file);
                if (!map) {
                    ADD_FAILURE() << file << " does not load";
                    continue;
                }
                engine::RefPtr<engine::TMXTiledMap> keep(map);
                ++stageParts_[stage];
                const engine::TMXObjectGroup* group = map->getObjectGroup("object");
                if (!group) continue;
                for (const engine::Value& value : group->getObjects()) {
                    const engine::ValueMap& object = value.asValueMap();
                    auto text = [&](const char* key) {
                        auto it = object.find(key);
                        return it == object.end() || it->second.isNull() ? std::string()
                                                                         : it->second.asString();
                    };
                    if (text("name") != "enemy" && text("name") != "groupBoss") continue;
                    markers_[stage].push_back({number(text("type")), text("isBoss") == "true"});
                }
            }
    }

    // The creatures to check: those on the maps, those of the staged grapple events, and whatever
    // they summon, followed to the end.
    void findCreatures() {
        std::vector<int> pending;
        for (const auto& [stage, list] : markers_)
            for (const Marker& marker : list)
                pending.push_back(marker.id);
        for (const vastomer::CombineEntry& entry : data_->getAllCombines())
            if (STAGED_SITUATIONS.count(entry.dramaNo)) pending.push_back(entry.characterId);
        while (!pending.empty()) {
            const int id = pending.back();
            pending.pop_back();
            if (!creatures_.insert(id).second) continue;
            for (const std::string& file : stateFiles(id))
                for (const AnimationElement& event : events(file, "summon")) {
                    const std::vector<std::string> f = split(event.secondText, ':');
                    if (f.size() >= 4) pending.push_back(number(f[3]));
                }
        }
    }

    // The text of a resource, or false when the tree does not hold it.
    static bool readResource(const std::string& name, std::string& text) {
        auto* files = engine::FileUtils::getInstance();
        const std::string path = files->fullPathForFilename(name);
        if (path.empty()) return false;
        text = files->getStringFromFile(path);
        return true;
    }
    static std::string aiFile(int id) { return "master/ai/ai_master_" + fourDigits(id) + ".data"; }
    static std::string actionFile(int id) {
        return "master/action/action_master_" + fourDigits(id) + ".data";
    }

    // The lines of a table; fails the test when the tree does not hold it.
    std::vector<TableLine> table(const std::string& name) {
        std::vector<TableLine> lines;
        std::string text;
        if (!readResource(name, text)) {
            ADD_FAILURE() << name << " is not in the runtime tree";
            return lines;
        }
        for (MasterLine& line : MasterText::readLines(text))
            lines.push_back({name, std::move(line)});
        return lines;
    }

    // The AI tables a creature can follow: its own and those its actions switch to.
    std::set<int> aiTables(int creature) {
        std::set<int> found;
        std::vector<int> pending = {data_->getCharacterMaster(creature).aiId};
        while (!pending.empty()) {
            const int ai = pending.back();
            pending.pop_back();
            if (!found.insert(ai).second) continue;
            for (int action : actionTablesOf(ai))
                for (const TableLine& row : table(actionFile(action)))
                    if (row.line.fields.size() >= 3 && row.line.fields[1] == "CHANGEAI")
                        pending.push_back(number(row.line.fields[2]));
        }
        return found;
    }
    std::set<int> actionTablesOf(int ai) {
        std::set<int> found;
        for (const TableLine& row : table(aiFile(ai)))
            if (row.line.fields.size() >= 2) found.insert(number(row.line.fields[1]));
        return found;
    }
    // The attack numbers a creature's action tables order.
    std::set<int> attackNumbers(int creature) {
        std::set<int> found;
        for (int ai : aiTables(creature))
            for (int action : actionTablesOf(ai))
                for (const TableLine& row : table(actionFile(action)))
                    if (row.line.fields.size() >= 2 && row.line.fields[1] == "ATTACK")
                        found.insert(row.line.fields.size() >= 3 ? number(row.line.fields[2]) : 0);
        return found;
    }

    // Every animation file the game may open for a creature: its plain states and, for each attack
    // number, the script by either way of naming it (with and without the variant before it).
    std::vector<std::string> stateFiles(int creature) {
        std::vector<std::string> files;
        for (int state : PLAIN_STATES)
            files.push_back(names().getCharacterAnimationFile(creature, state, 0));
        for (int attack : attackNumbers(creature)) {
            files.push_back(names().getCharacterAnimationFile(creature, ATTACK, 0, attack));
            files.push_back("anime/" + fourDigits(creature) + "_ATTACK_" + std::to_string(attack) + ".cma");
        }
        return files;
    }

    // Loads a script of the runtime tree through the game's loader; fails the test (and returns null)
    // when the tree does not hold it, it does not load, or it names a picture, cell or sound the tree
    // does not have.
    CompositeAnimation* load(const std::string& file) {
        auto cached = loaded_.find(file);
        if (cached != loaded_.end()) return cached->second;
        CompositeAnimation* node = nullptr;
        if (!std::filesystem::exists(testsupport::runtimeDir() + "/res/" + file)) {
            ADD_FAILURE() << file << " is not in the runtime tree";
        } else {
            engine::MessageBox::clearShown();
            node = CompositeAnimation::create();
            scene_->addChild(node);
            if (node->load(file)) {
                for (const auto& [frame, list] : node->getTimeline().frames)
                    for (const AnimationElement& element : list)
                        checkNames(file, element);
            } else {
                ADD_FAILURE() << file << " does not load: " << shown();
                node = nullptr;
            }
        }
        loaded_[file] = node;
        return node;
    }
    void checkNames(const std::string& file, const AnimationElement& element) {
        if (element.type == AnimationCommand::PLAYSE) {
            EXPECT_FALSE(engine::FileUtils::getInstance()->fullPathForFilename(element.soundFile).empty())
                << file << ":" << element.line << " plays " << element.soundFile << ", which is missing";
            return;
        }
        if (element.type != AnimationCommand::PAINT && element.type != AnimationCommand::CHANGE) return;
        SDL_Surface* sheet = picture(element.image.file);
        if (!sheet) {
            ADD_FAILURE() << file << ":" << element.line << " shows " << element.image.file
                          << ", which is missing";
            return;
        }
        if (element.image.isWholePicture()) return;
        const int cells = (sheet->w / element.image.cellWidth) * (sheet->h / element.image.cellHeight);
        EXPECT_LT(element.image.cellIndex, cells)
            << file << ":" << element.line << " shows a cell past the end";
    }
    SDL_Surface* picture(const std::string& name) {
        auto found = pictures_.find(name);
        if (found != pictures_.end()) return found->second;
        const std::string path = engine::FileUtils::getInstance()->fullPathForFilename(name);
        SDL_Surface* surface = path.empty() ? nullptr : IMG_Load(path.c_str());
        pictures_[name] = surface;
        return surface;
    }
    static std::string shown() {
        std::string all;
        for (const auto& box : engine::MessageBox::getShown())
            all += box.message + "\n";
        return all.empty() ? "no message" : all;
    }

    // The FUNC events of a script (all of them with an empty name).
    std::vector<AnimationElement> events(const std::string& file, const std::string& name = "") {
        std::vector<AnimationElement> found;
        CompositeAnimation* node = load(file);
        if (!node) return found;
        for (const auto& [frame, list] : node->getTimeline().frames)
            for (const AnimationElement& element : list)
                if (element.type == AnimationCommand::FUNC && (name.empty() || element.firstText == name))
                    found.push_back(element);
        return found;
    }

    // What a creature's attacks hold or fire: melee weapon tags and bullets.
    struct Arsenal {
        std::set<int> meleeWeapons, bullets;
    };
    Arsenal arsenal(int creature) {
        Arsenal a;
        for (const std::string& file : stateFiles(creature))
            for (const AnimationElement& event : events(file)) {
                const std::vector<std::string> f = split(event.secondText, ':');
                if (event.firstText == "grapplebody" && f.size() == 9) a.meleeWeapons.insert(number(f[8]));
                if (event.firstText == "shootbody" && f.size() == 4)
                    a.bullets.insert(data_->getWeaponMaster(number(f[3])).bulletId);
                if (event.firstText == "tentacle" && f.size() == 9) a.bullets.insert(number(f[0]));
            }
        return a;
    }

    struct Marker {
        int id;
        bool isBoss;
    };
    vastomer::DataManager* data_ = nullptr;
    engine::Scene* scene_ = nullptr;
    std::map<int, std::vector<Marker>> markers_;
    std::map<int, int> stageParts_;
    std::set<int> creatures_;
    std::map<std::string, CompositeAnimation*> loaded_;
    std::map<std::string, SDL_Surface*> pictures_;
};

TEST_F(CreatureContentTest, EveryCreatureShowsEveryStateTheGamePlaysForIt) {
    ASSERT_FALSE(markers_.empty()) << "no stage map places a creature";
    for (int id : {1, 2, 3, 100, 101, 21})
        EXPECT_TRUE(creatures_.count(id)) << "creature " << id << " is not among the checked ones";
    for (int creature : creatures_) {
        SCOPED_TRACE("creature " + std::to_string(creature));
        ASSERT_TRUE(data_->getMasterTables().hasCharacter(creature));
        EXPECT_NE(data_->getCharacterMaster(creature).aiId, 0) << "it has no AI table";
        for (const std::string& file : stateFiles(creature)) {
            CompositeAnimation* node = load(file);
            if (node) {
                EXPECT_GE(node->getLastFrame(), 1) << file;
            }
        }
    }
}

TEST_F(CreatureContentTest, AttackEventsHaveTheirFieldsAndNameWhatExists) {
    const auto& tables = data_->getMasterTables();
    std::set<int> effects, bullets;
    int seen = 0;
    for (int creature : creatures_)
        for (const std::string& file : stateFiles(creature))
            for (const AnimationElement& event : events(file)) {
                ++seen;
                const std::string where = file + ":" + std::to_string(event.line) + " " + event.secondText;
                const std::vector<std::string> f = split(event.secondText, ':');
                if (event.firstText == "grapplebody") {
                    // body name : frames : width : height : offset x : offset y : anchor x : anchor y :
                    // weapon
                    ASSERT_TRUE(f.size() == 8 || f.size() == 9) << where;
                    ASSERT_EQ(f.size(), 9u) << where << ": a creature's body needs its weapon number";
                    EXPECT_TRUE(f[0] == "enemygrapple" || f[0] == "enemyHeal") << where;
                    EXPECT_GE(number(f[1]), 3) << where << ": the body must live long enough to be touched";
                    EXPECT_GT(number(f[2]), 0) << where;
                    EXPECT_GT(number(f[3]), 0) << where;
                    const int weapon = number(f[8]);
                    ASSERT_TRUE(tables.hasWeapon(weapon)) << where;
                    EXPECT_FALSE(data_->getWeaponMaster(weapon).hasBullet) << where;
                    EXPECT_GT(data_->getWeaponMaster(weapon).power, 0) << where;
                    EXPECT_GT(weapon, 19) << where << ": weapons 0-19 are Quorin's";
                    effects.insert(data_->getWeaponMaster(weapon).hitEffect);
                } else if (event.firstText == "shootbody") {
                    // muzzle x : muzzle y : spawn kind : weapon
                    ASSERT_EQ(f.size(), 4u) << where;
                    EXPECT_EQ(f[2], "enemyBullet") << where;
                    const int weapon = number(f[3]);
                    ASSERT_TRUE(tables.hasWeapon(weapon)) << where;
                    ASSERT_TRUE(data_->getWeaponMaster(weapon).hasBullet) << where;
                    EXPECT_GT(weapon, 19) << where << ": weapons 0-19 are Quorin's";
                    bullets.insert(data_->getWeaponMaster(weapon).bulletId);
                } else if (event.firstText == "summon") {
                    // dx : dy : name : character : facing : place [: ally]
                    ASSERT_TRUE(f.size() == 6 || f.size() == 7) << where;
                    EXPECT_TRUE(tables.hasCharacter(number(f[3]))) << where;
                    EXPECT_GE(number(f[4]), 0) << where;
                    EXPECT_LE(number(f[4]), 4) << where;
                    EXPECT_TRUE(SUMMON_PLACES.count(f[5])) << where << ": the summoner's own place is meant";
                } else if (event.firstText == "tentacle") {
                    // bullet : kind : place : dx : dy : step mode : sx : sy : hit points
                    ASSERT_EQ(f.size(), 9u) << where;
                    bullets.insert(number(f[0]));
                    EXPECT_GT(number(f[8]), 0) << where;
                } else {
                    ADD_FAILURE() << where << ": no attack event is called " << event.firstText;
                }
            }
    EXPECT_GT(seen, 0);
    for (int bullet : bullets) {
        ASSERT_TRUE(tables.hasBullet(bullet)) << "bullet " << bullet;
        load(names().getBulletAnimationFile(bullet));
        effects.insert(data_->getBulletMaster(bullet).hitEffect);
    }
    for (int effect : effects) {
        EXPECT_GE(effect, 1) << "creature hits use the effects 1-20";
        EXPECT_LE(effect, 20) << "creature hits use the effects 1-20";
        load(names().getEffectAnimationFile(effect));
    }
}

TEST_F(CreatureContentTest, EveryTableTheCreaturesFollowExistsAndSpeaksKnownWords) {
    std::set<int> ais, actions;
    for (int creature : creatures_)
        for (int ai : aiTables(creature)) {
            ais.insert(ai);
            for (int action : actionTablesOf(ai))
                actions.insert(action);
        }
    ASSERT_FALSE(ais.empty());
    for (int ai : ais) {
        const std::vector<TableLine> rows = table(aiFile(ai));
        EXPECT_FALSE(rows.empty()) << aiFile(ai) << " has no rows";
        for (const TableLine& row : rows) {
            const auto& f = row.line.fields;
            ASSERT_TRUE(f.size() == 2 || f.size() >= 5) << row.where() << ": 2 columns or at least 5";
            EXPECT_TRUE(AI_WORDS.count(f[0])) << row.where() << ": no condition is called " << f[0];
            if ((f[0] == "DISTANCE_P_G" || f[0] == "DISTANCE_P_L") && f.size() >= 5) {
                const int side = number(f[3]);
                EXPECT_TRUE(side == -1 || side == 0 || side == 1) << row.where() << ": side " << side;
                EXPECT_GT(number(f[4]), 0) << row.where();
            }
        }
    }
    for (int action : actions) {
        const std::vector<TableLine> rows = table(actionFile(action));
        EXPECT_FALSE(rows.empty()) << actionFile(action) << " has no rows";
        int lastLock = -1, lastUnlock = -1;
        bool ends = false;  // a table that defeats its creature may keep the lock
        for (const TableLine& row : rows) {
            const auto& f = row.line.fields;
            ASSERT_TRUE(f.size() == 2 || f.size() >= 5) << row.where() << ": 2 columns or at least 5";
            EXPECT_TRUE(MasterText::leadingInt(f[0]).status == vastomer::LeadingInt::Status::OK)
                << row.where();
            EXPECT_TRUE(ACTION_WORDS.count(f[1])) << row.where() << ": no action is called " << f[1];
            const bool flag = f.size() >= 5 && f[3] == "true";
            if (f[1] == "FLIP" && f.size() >= 5 && !flag) {
                EXPECT_TRUE(MasterText::isNumber(f[4])) << row.where() << ": a FLIP faces the x in its text";
            }
            if (f[1] == "LOCKAI") (flag ? lastLock : lastUnlock) = number(f[0]);
            ends = ends || f[1] == "SUICIDE";
            if (f[1] == "CHANGEAI") {
                std::string text;
                EXPECT_TRUE(readResource(aiFile(number(f[2])), text)) << row.where();
            }
        }
        if (lastLock >= 0 && !ends) {
            EXPECT_GT(lastUnlock, lastLock) << actionFile(action) << " locks its AI for good";
        }
    }
}

TEST_F(CreatureContentTest, EveryWayACreatureCatchesQuorinHasAGrappleEvent) {
    const auto& tables = data_->getMasterTables();
    std::set<int> situations;
    for (int i = 0; i < tables.getSituationCount(); ++i)
        situations.insert(tables.getSituation(i).id);
    for (int creature : creatures_) {
        SCOPED_TRACE("creature " + std::to_string(creature));
        const vastomer::CombineEntry body = tables.getCombine(creature, 0);
        EXPECT_NE(body.dramaNo, -1) << "touching it catches nobody";
        const Arsenal a = arsenal(creature);
        for (int weapon : a.meleeWeapons)
            EXPECT_NE(tables.getCombine(creature, weapon).dramaNo, -1) << "weapon " << weapon;
        for (int bullet : a.bullets) {
            const vastomer::CombineEntry shot = tables.getCombine(creature, bullet);
            EXPECT_NE(shot.dramaNo, -1) << "bullet " << bullet;
            EXPECT_TRUE(shot.bulletFlag) << "bullet " << bullet;
        }
        for (const vastomer::CombineEntry& entry : tables.getCombinesOf(creature)) {
            EXPECT_TRUE(situations.count(entry.dramaNo)) << "situation " << entry.dramaNo;
            EXPECT_TRUE(STAGED_SITUATIONS.count(entry.dramaNo))
                << "situation " << entry.dramaNo << " is not staged";
            EXPECT_FALSE(entry.key == 0 && entry.bulletFlag) << "a body contact is no bullet";
        }
    }
}

TEST_F(CreatureContentTest, EveryStagedSituationHasFourShotsInEveryWear) {
    static const std::regex quorinSheet("parts_quorin_n([0-9])\\.png");
    for (int situation : STAGED_SITUATIONS) {
        double seconds[SHOTS + 1] = {};
        for (int shot = 1; shot <= SHOTS; ++shot) {
            const std::string name = dramaName(situation, shot);
            int lastFrame = -1;
            float interval = 0.0f;
            for (int wear = 0; wear < WEARS; ++wear) {
                const std::string file = costumed(name, wear);
                CompositeAnimation* node = load(file);
                if (!node) continue;
                // Each wear draws her from its own sheet, on the same timeline.
                std::set<int> sheets;
                for (const auto& [frame, list] : node->getTimeline().frames)
                    for (const AnimationElement& element : list) {
                        std::smatch match;
                        if (std::regex_match(element.image.file, match, quorinSheet))
                            sheets.insert(std::stoi(match[1]));
                    }
                EXPECT_EQ(sheets, std::set<int>{wear + 1}) << file;
                if (wear == 0) {
                    lastFrame = node->getLastFrame();
                    interval = node->getInterval();
                } else {
                    EXPECT_EQ(node->getLastFrame(), lastFrame) << file;
                    EXPECT_EQ(node->getInterval(), interval) << file;
                }
            }
            seconds[shot] = interval * (lastFrame + 1);
        }
        SCOPED_TRACE("situation " + std::to_string(situation));
        EXPECT_GE(seconds[1], 0.5) << "the catch";
        EXPECT_LE(seconds[1], 1.0) << "the catch";
        EXPECT_GE(seconds[2], 0.8) << "the struggle";
        EXPECT_LE(seconds[2], 1.25) << "the struggle";
        EXPECT_GE(seconds[3], 0.5) << "breaking free";
        EXPECT_LE(seconds[3], 1.0) << "breaking free";
        EXPECT_GT(seconds[4], seconds[2]) << "held tight is slower than the struggle";
    }
}

TEST_F(CreatureContentTest, AStageWithAllItsMapsIsWorthWhatAStageShouldBe) {
    int judged = 0;
    for (const auto& [stage, list] : markers_) {
        if (stageParts_[stage] != static_cast<int>(data_->getStageRecord(stage).parts.size())) continue;
        int score = 0;
        for (const Marker& marker : list)
            score += data_->getCharacterMaster(marker.id).score * (marker.isBoss ? BOSS_SCORE_FACTOR : 1);
        EXPECT_GE(score, 3000) << "stage " << stage;
        EXPECT_LE(score, 8000) << "stage " << stage;
        ++judged;
    }
    EXPECT_GT(judged, 0) << "no stage has all its maps";
}

}  // namespace
