// The content of the creatures of the Sunken Conservatory and the Clocktower Heart, the Gardener and
// the people of the story scenes, as the built resource tree holds it: every motion the game or a
// scene plays loads and plays through the game's own animation loader; every attack event carries
// the fields its reader needs and names weapons, bullets and characters that exist; the AI and action
// tables use the words the interpreter knows and name tables and attacks that exist; bullets and hit
// effects are there; every grapple event has its drama scripts for all five tiers and its drama
// animations for every shot and every wear.
#include <gtest/gtest.h>

#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/platform/FileUtils.h"
#include "engine/platform/MessageBox.h"
#include "engine/scene/Scene.h"
#include "game/data/DataSource.h"
#include "game/data/MasterTables.h"
#include "game/data/MasterText.h"
#include "game/scenario/CompositeAnimation.h"
#include "game/scenario/NSpriteAnimationManager.h"
#include "tests/support/GameFixture.h"

using vastomer::AnimationCommand;
using vastomer::AnimationElement;
using vastomer::CompositeAnimation;
using vastomer::MasterTable;
using vastomer::MasterTables;
using vastomer::MasterText;
using vastomer::NSpriteAnimationManager;

namespace {

// Character states by the numbers the file names are built from.
constexpr int WAIT = 1, WALK = 2, RUN = 3, JUMPPRE = 4, JUMP = 5, FALLING = 6, LANDING = 7, DAMAGE = 8,
              DOWN = 9;
constexpr int WEARS = 9;

// A creature: its id, the attack numbers its action tables use, and whether it leaves the ground.
struct Creature {
    int id;
    std::vector<int> attacks;
    bool jumps;
};
const std::vector<Creature>& creatures() {
    static const std::vector<Creature> all = {
        {4, {1}, true},  {5, {1}, false},    {6, {1, 2}, false}, {7, {1, 2}, false},
        {8, {1}, false}, {9, {1, 2}, false}, {22, {1}, false},   {102, {1, 2, 3, 4, 5, 6, 7, 8}, true}};
    return all;
}
// The grapple situations of these creatures, and those that end the game (the boss's).
const std::vector<int> SITUATIONS = {4, 5, 6, 7, 8, 9, 10, 11, 102};

const NSpriteAnimationManager& names() {
    return *NSpriteAnimationManager::getInstance();
}
std::string padded(int number, int digits) {
    return NSpriteAnimationManager::padded(number, digits);
}
std::string attackFile(int id, int attack) {
    return "anime/" + padded(id, 4) + "_ATTACK_" + std::to_string(attack) + ".cma";
}

class CastContentTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        scene_ = engine::Scene::create();
        engine::Director::getInstance()->runWithScene(scene_);
        for (MasterTable table : MasterTables::all())
            tables_.load(table, vastomer::DataSource::searchPaths());
    }

    // Loads a file of the runtime tree and steps through every frame of it; null (with a failure)
    // when it does not load or shows an error box on the way.
    CompositeAnimation* playThrough(const std::string& file) {
        engine::MessageBox::clearShown();
        CompositeAnimation* node = CompositeAnimation::create();
        scene_->addChild(node);
        if (!node->load(file)) {
            ADD_FAILURE() << file << " does not load " << shown();
            return nullptr;
        }
        node->play();
        for (int frame = 0; frame <= node->getLastFrame(); ++frame)
            node->step();
        EXPECT_EQ(shown(), "") << file;
        return node;
    }
    static std::string shown() {
        std::string all;
        for (const auto& box : engine::MessageBox::getShown())
            all += box.message + "\n";
        return all;
    }
    static std::vector<AnimationElement> elements(const CompositeAnimation* node, AnimationCommand type) {
        std::vector<AnimationElement> found;
        for (const auto& [frame, list] : node->getTimeline().frames)
            for (const AnimationElement& element : list)
                if (element.type == type) found.push_back(element);
        return found;
    }
    static bool exists(const std::string& name) {
        return !engine::FileUtils::getInstance()->fullPathForFilename(name).empty();
    }
    static std::string read(const std::string& name) {
        auto* files = engine::FileUtils::getInstance();
        return files->getStringFromFile(files->fullPathForFilename(name));
    }

    engine::Scene* scene_ = nullptr;
    MasterTables tables_;
};

TEST_F(CastContentTest, EveryCreatureStateTheGamePlaysLoadsAndPlays) {
    for (const Creature& creature : creatures()) {
        SCOPED_TRACE("character " + std::to_string(creature.id));
        EXPECT_TRUE(tables_.hasCharacter(creature.id));
        std::vector<int> states = {WAIT, WALK, RUN, DAMAGE, DOWN};
        if (creature.jumps) states.insert(states.end(), {JUMPPRE, JUMP, FALLING, LANDING});
        for (int state : states)
            playThrough(names().getCharacterAnimationFile(creature.id, state, 0));
        for (int attack : creature.attacks) {
            playThrough(attackFile(creature.id, attack));
            playThrough(names().getCharacterAnimationFile(creature.id, 10, 0, attack));
        }
    }
}

TEST_F(CastContentTest, TheStoryCastHasTheMotionsOfTheirScenes) {
    for (int id : {200, 201, 202})
        for (int state : {WAIT, WALK, RUN})
            playThrough(names().getCharacterAnimationFile(id, state, 0));
    for (const char* extra : {"0200_LAUGH_0", "0201_BOW_0", "0201_PRAY_0", "0202_WITHER_0", "0202_BECKON_0"})
        playThrough(std::string("anime/") + extra + ".cma");
    EXPECT_EQ(tables_.getCharacterMaster(200).name, "SHOPOWNER");

    // Mr. Kettle's kettle puffs steam while he waits.
    CompositeAnimation* idle = playThrough(names().getCharacterAnimationFile(200, WAIT, 0));
    ASSERT_NE(idle, nullptr);
    bool steam = false;
    for (AnimationCommand type : {AnimationCommand::PAINT, AnimationCommand::CHANGE})
        for (const AnimationElement& element : elements(idle, type))
            steam = steam || element.image.file == "effects.png";
    EXPECT_TRUE(steam);
}

// Checks one attack event against the tables; `chain` counts the segments of the tentacle chain
// being made, and `meleeWeapons` collects the weapons of the melee bodies.
struct EventCheck {
    const MasterTables& tables;
    std::string where;
    int chain = 0;
    std::set<int> meleeWeapons;

    void check(const std::string& name, const std::string& text) {
        const std::vector<std::string> f = MasterText::split(text, ':');
        SCOPED_TRACE(where + ": " + name + " " + text);
        if (name == "grapplebody") {
            ASSERT_EQ(f.size(), 9u);
            EXPECT_EQ(f[0], "enemygrapple");
            EXPECT_GT(std::stoi(f[1]), 0);
            const int weapon = std::stoi(f[8]);
            ASSERT_TRUE(tables.hasWeapon(weapon));
            EXPECT_FALSE(tables.getWeaponMaster(weapon).hasBullet);
            EXPECT_GE(tables.getWeaponMaster(weapon).power, 4);
            EXPECT_LE(tables.getWeaponMaster(weapon).power, 15);
            expectEffect(tables.getWeaponMaster(weapon).hitEffect);
            meleeWeapons.insert(weapon);
        } else if (name == "shootbody") {
            ASSERT_EQ(f.size(), 4u);
            EXPECT_EQ(f[2], "enemyBullet");
            const int weapon = std::stoi(f[3]);
            ASSERT_TRUE(tables.hasWeapon(weapon));
            ASSERT_TRUE(tables.getWeaponMaster(weapon).hasBullet);
            expectBullet(tables.getWeaponMaster(weapon).bulletId);
        } else if (name == "summon") {
            ASSERT_TRUE(f.size() == 6u || f.size() == 7u);
            const int id = std::stoi(f[3]);
            EXPECT_TRUE(tables.hasCharacter(id));
            EXPECT_TRUE(
                exists(NSpriteAnimationManager::getInstance()->getCharacterAnimationFile(id, WAIT, 0)));
            EXPECT_GE(std::stoi(f[4]), 0);
            EXPECT_LE(std::stoi(f[4]), 4);
            static const std::set<std::string> references = {"player", "playerX", "playerY", "direct", "abs"};
            EXPECT_TRUE(references.count(f[5]));
        } else if (name == "tentacle") {
            ASSERT_EQ(f.size(), 9u);
            expectBullet(std::stoi(f[0]));
            const vastomer::BulletMaster segment = tables.getBulletMaster(std::stoi(f[0]));
            EXPECT_EQ(segment.hp, 0) << "a segment passes through walls; its lifetime is the event's";
            EXPECT_EQ(segment.speed, 0) << "a segment stands where it is made";
            EXPECT_EQ(f[1], "enemyBullet");
            if (f[2] == "ABS") {
                chain = 0;
            } else {
                EXPECT_EQ(f[2], "PREV");
                EXPECT_GT(chain, 0) << "a chain starts at the body, then follows its last segment";
            }
            EXPECT_EQ(f[5], "PLAYER");
            EXPECT_GT(std::stoi(f[8]), 0);
            ++chain;
        } else {
            ADD_FAILURE() << "no attack event is called " << name;
        }
    }
    void expectBullet(int bullet) {
        ASSERT_TRUE(tables.hasBullet(bullet)) << bullet;
        EXPECT_TRUE(exists(NSpriteAnimationManager::getInstance()->getBulletAnimationFile(bullet)));
        expectEffect(tables.getBulletMaster(bullet).hitEffect);
    }
    static bool exists(const std::string& name) {
        return !engine::FileUtils::getInstance()->fullPathForFilename(name).empty();
    }
    static void expectEffect(int effect) {
        EXPECT_TRUE(exists(NSpriteAnimationManager::getInstance()->getEffectAnimationFile(effect))) << effect;
    }
};

TEST_F(CastContentTest, AttackEventsHaveTheirFieldsAndNameWhatExists) {
    for (const Creature& creature : creatures()) {
        EventCheck check{tables_, "", 0, {}};
        for (int attack : creature.attacks) {
            check.where = attackFile(creature.id, attack);
            CompositeAnimation* node = playThrough(check.where);
            ASSERT_NE(node, nullptr);
            check.chain = 0;
            const auto events = elements(node, AnimationCommand::FUNC);
            const bool wrath = creature.id == 102 && attack == 5;  // the turn between phases
            EXPECT_EQ(events.empty(), wrath) << check.where;
            for (const AnimationElement& event : events)
                check.check(event.firstText, event.secondText);
        }
        // Whatever catches her in melee is also a grapple event of the creature.
        for (int weapon : check.meleeWeapons)
            EXPECT_NE(tables_.getCombine(creature.id, weapon).dramaNo, -1)
                << "character " << creature.id << " weapon " << weapon;
    }
    EXPECT_TRUE(tables_.getCombine(9, 30).bulletFlag) << "the Golem's chain catches her";
    EXPECT_EQ(tables_.getCombine(9, 30).dramaNo, 10);
}

TEST_F(CastContentTest, BulletsFlyForwardAndHitEffectsEndEmpty) {
    for (int bullet : {21, 22, 23, 30, 31, 32}) {
        ASSERT_TRUE(tables_.hasBullet(bullet)) << bullet;
        const vastomer::BulletMaster record = tables_.getBulletMaster(bullet);
        if (record.moveType == 3) {
            EXPECT_GT(record.velocity.x, 0) << bullet << " flies backwards";
        }
        playThrough(names().getBulletAnimationFile(bullet));
    }
    for (int effect = 15; effect <= 20; ++effect) {
        CompositeAnimation* node = playThrough(names().getEffectAnimationFile(effect));
        ASSERT_NE(node, nullptr);
        for (engine::Node* child : node->getChildren())
            EXPECT_EQ(child->getOpacity(), 0) << "effect " << effect << " leaves something drawn";
    }
}

// The words the AI and action interpreter reads (anything else reads as DEAFULT or WAIT).
const std::set<std::string> CONDITIONS = {"DEAFULT", "DISTANCE_P_G", "DISTANCE_P_L", "HP_P",
                                          "HP_S",    "COUNT",        "CONT_W",       "CONT_P",
                                          "BACKPOS", "DISTANCE_T_G", "DISTANCE_T_L"};
const std::set<std::string> ACTIONS = {"WAIT",    "MOVE",       "MOVE_JUMP", "JUMP",       "FLIP",
                                       "ATTACK",  "BACKTOBASE", "CHANGEAI",  "SWITCHWALK", "COUNTRESET",
                                       "SUICIDE", "VMOVE",      "LOCKAI"};

std::string aiFile(int id) {
    return "master/ai/ai_master_" + padded(id, 4) + ".data";
}
std::string actionFile(int id) {
    return "master/action/action_master_" + padded(id, 4) + ".data";
}

TEST_F(CastContentTest, AiAndActionTablesUseKnownWordsAndNameWhatExists) {
    for (const Creature& creature : creatures()) {
        const int owner = creature.id;
        std::vector<int> pending = {tables_.getCharacterMaster(owner).aiId};
        std::set<int> seen;
        while (!pending.empty()) {
            const int ai = pending.back();
            pending.pop_back();
            if (!seen.insert(ai).second) continue;
            SCOPED_TRACE(aiFile(ai));
            ASSERT_TRUE(exists(aiFile(ai)));
            const auto rows = MasterText::readLines(read(aiFile(ai)));
            ASSERT_FALSE(rows.empty());
            bool otherRowSeen = false;
            for (const auto& row : rows) {
                SCOPED_TRACE("line " + std::to_string(row.number));
                const auto& f = row.fields;
                ASSERT_TRUE(f.size() == 2 || f.size() >= 5);
                EXPECT_TRUE(CONDITIONS.count(f[0])) << f[0];
                // The phase change comes first, so no other row can hold it back.
                if (f[0] == "HP_S") {
                    EXPECT_FALSE(otherRowSeen);
                }
                otherRowSeen = otherRowSeen || f[0] != "HP_S";
                const int table = std::stoi(f[1]);
                ASSERT_TRUE(exists(actionFile(table))) << actionFile(table);
                const auto actions = MasterText::readLines(read(actionFile(table)));
                ASSERT_FALSE(actions.empty()) << actionFile(table);
                // A COUNT row holds for one frame: its table must lock the AI until it has run.
                if (f[0] == "COUNT") {
                    EXPECT_TRUE(actions.front().fields.size() >= 4 && actions.front().fields[0] == "0" &&
                                actions.front().fields[1] == "LOCKAI" && actions.front().fields[3] == "true")
                        << actionFile(table);
                }
                int locks = 0;
                for (const auto& action : actions) {
                    SCOPED_TRACE(actionFile(table) + ":" + std::to_string(action.number));
                    const auto& a = action.fields;
                    ASSERT_TRUE(a.size() == 2 || a.size() >= 5);
                    EXPECT_TRUE(MasterText::isNumber(a[0]));
                    EXPECT_TRUE(ACTIONS.count(a[1])) << a[1];
                    if (a[1] == "ATTACK") {
                        EXPECT_TRUE(exists(attackFile(owner, std::stoi(a[2]))));
                    }
                    if (a[1] == "CHANGEAI") pending.push_back(std::stoi(a[2]));
                    if (a[1] == "LOCKAI") locks += a.size() >= 5 && a[3] == "true" ? 1 : -1;
                    if (a[1] == "FLIP" && a.size() >= 5 && a[3] != "true") {
                        EXPECT_TRUE(MasterText::isNumber(a[4])) << "FLIP towards an x needs a number";
                    }
                }
                EXPECT_EQ(locks, 0) << actionFile(table) << " leaves the AI locked";
            }
        }
    }
}

TEST_F(CastContentTest, EveryGrappleEventHasItsDramaScriptsAndAnimations) {
    std::set<int> situations;
    for (const Creature& creature : creatures())
        for (const auto& event : tables_.getCombinesOf(creature.id))
            situations.insert(event.dramaNo);
    EXPECT_EQ(situations, std::set<int>(SITUATIONS.begin(), SITUATIONS.end()));

    for (int situation : SITUATIONS) {
        const std::string number = padded(situation, 3);
        const bool endsTheGame = situation == 102;
        for (int tier = 1; tier <= 5; ++tier) {
            const std::string file = "dramaPart_" + number + "_" + padded(tier, 2) + ".bds";
            SCOPED_TRACE(file);
            const std::string folder = tier <= 3 ? "drama/" : "data/drama/";
            ASSERT_TRUE(exists(folder + file));
            std::set<std::string> shots;
            bool header = true;
            for (const std::string& line : MasterText::split(read(folder + file), '\n')) {
                if (MasterText::startsWith(line, "//")) continue;
                const auto f = MasterText::split(line, ',');
                if (header) {
                    EXPECT_EQ(f.at(0), "MEMORY_SITUATIONNAME_" + number);
                    header = false;
                } else if (f.size() > 2 && f[0] == "ANIME" && f[1] != "REMOVE") {
                    EXPECT_TRUE(MasterText::startsWith(f[2], "anime/drama/DRAMA_" + number + "_")) << f[2];
                    shots.insert(f[2].substr(f[2].size() - 2));
                }
            }
            EXPECT_TRUE(shots.count("01") && shots.count("02")) << "the catch and the struggle";
            // She breaks free, except when the Gardener's catch ends the game.
            EXPECT_EQ(shots.count("03") == 1, !(endsTheGame && tier <= 3));
            if (tier == 3 || tier == 5) {
                EXPECT_TRUE(shots.count("04")) << "held tight";
            }
        }
        double struggle = 0;
        for (int shot = 1; shot <= 4; ++shot)
            for (int wear = 1; wear <= WEARS; ++wear) {
                const std::string file =
                    "anime/drama/DRAMA_" + number + "_" + padded(shot, 2) + "_" + padded(wear, 2) + ".cma";
                CompositeAnimation* node = CompositeAnimation::create();
                scene_->addChild(node);
                ASSERT_TRUE(node->load(file)) << file;
                bool inHerWear = false;
                for (const AnimationElement& element : elements(node, AnimationCommand::PAINT))
                    inHerWear =
                        inHerWear || element.image.file == "parts_quorin_n" + std::to_string(wear) + ".png";
                EXPECT_TRUE(inHerWear) << file << " shows Quorin in wear " << wear - 1;
                const double seconds = node->getInterval() * (node->getLastFrame() + 1);
                if (shot == 1 || shot == 3) {
                    EXPECT_GE(seconds, 0.5) << file;
                    EXPECT_LE(seconds, 1.0) << file;
                }
                if (shot == 2) struggle = seconds;
                if (shot == 4) {
                    EXPECT_GT(seconds, struggle) << file << ": held tight is slower than the struggle";
                }
                node->removeFromParent();
            }
        // One costume of each shot played through, pictures and all.
        for (int shot = 1; shot <= 4; ++shot)
            playThrough("anime/drama/DRAMA_" + number + "_" + padded(shot, 2) + "_" +
                        padded(situation % WEARS + 1, 2) + ".cma");
    }
}

}  // namespace
