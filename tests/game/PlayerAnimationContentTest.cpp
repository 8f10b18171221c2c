// Quorin's animation content in the built resource tree: every body motion the player shows in
// every wear, every weapon's combo and shot scripts with the events that make hit boxes and bullets,
// the bullets and hit effects the tables name, her portraits, and the Spirit-burst particles.
// The weapon numbers, animation numbers, bullets and effects are read from the master tables, so a
// new weapon or wear row fails here until its art exists.
#include <SDL.h>
#include <SDL_image.h>

#include <cstdio>
#include <filesystem>
#include <map>
#include <set>
#include <sstream>
#include <vector>

#include "engine/scene/ParticleSystemQuad.h"
#include "engine/scene/ParticleTextures.h"
#include "game/scenario/CompositeAnimation.h"
#include "game/scenario/NSpriteAnimationManager.h"
#include "tests/support/GameFixture.h"
#include "tests/support/TestPaths.h"

using vastomer::AnimationCommand;
using vastomer::AnimationElement;
using vastomer::CompositeAnimation;
using vastomer::NSpriteAnimationManager;
using vastomer::WeaponMaster;

namespace {

constexpr int WEAR_COUNT = 9;
constexpr int PLAYER = 0;
// Player weapons: melee 0-9, shot 10-19 (higher numbers belong to the creatures).
constexpr int LAST_PLAYER_WEAPON = 19;
// The states shown whatever the weapon: WAIT ... DOWN, ENTICE, FLING.
const int PLAIN_STATES[] = {1, 2, 3, 4, 5, 6, 7, 8, 9, 17, 18};
constexpr int GRAPPLE = 11, GRAPPLE_JUMP = 12, SHOOT = 13, SHOOT_JUMP = 14, SHOOT_FULL = 15,
              SHOOT_FULL_JUMP = 16;
// The player's body box ends this far above the lower edge of her node (48 high, box 40).
constexpr float GROUND_ABOVE_NODE_EDGE = 4.0f;
constexpr float NODE_HALF_WIDTH = 16.0f, NODE_HALF_HEIGHT = 24.0f;
constexpr int SPROUTLING = 1;

const NSpriteAnimationManager& names() {
    return *NSpriteAnimationManager::getInstance();
}

std::vector<std::string> split(const std::string& text, char separator) {
    std::vector<std::string> fields;
    std::stringstream in(text);
    std::string field;
    while (std::getline(in, field, separator))
        fields.push_back(field);
    return fields;
}

class PlayerAnimationContentTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        scene_ = engine::Scene::create();
        engine::Director::getInstance()->runWithScene(scene_);
        for (const auto& [id, row] : data()->getMasterTables().weaponRows()) {
            if (id < 0 || id > LAST_PLAYER_WEAPON) continue;
            (row.record.hasBullet ? shotWeapons_ : grappleWeapons_).push_back(row.record);
        }
    }
    void TearDown() override {
        for (auto& [name, surface] : pictures_)
            SDL_FreeSurface(surface);
        GameFixture::TearDown();
    }

    static vastomer::DataManager* data() { return vastomer::DataManager::getInstance(); }

    // Loads a script of the runtime tree; fails the test (and returns null) when the file is not in
    // the tree, does not load, or names a picture, cell or sound the tree does not have.
    CompositeAnimation* load(const std::string& file) {
        if (!std::filesystem::exists(testsupport::runtimeDir() + "/res/" + file)) {
            ADD_FAILURE() << file << " is not in the runtime tree";
            return nullptr;
        }
        engine::MessageBox::clearShown();
        CompositeAnimation* node = CompositeAnimation::create();
        scene_->addChild(node);
        if (!node->load(file)) {
            ADD_FAILURE() << file << " does not load: " << shown();
            return nullptr;
        }
        for (const auto& [frame, list] : node->getTimeline().frames)
            for (const AnimationElement& element : list)
                checkNames(file, element);
        return node;
    }

    void checkNames(const std::string& file, const AnimationElement& element) {
        auto* files = engine::FileUtils::getInstance();
        if (element.type == AnimationCommand::PLAYSE) {
            EXPECT_FALSE(files->fullPathForFilename(element.soundFile).empty())
                << file << ":" << element.line << " plays " << element.soundFile << ", which is missing";
            return;
        }
        if (element.type != AnimationCommand::PAINT && element.type != AnimationCommand::CHANGE) return;
        SDL_Surface* picture = this->picture(element.image.file);
        if (!picture) {
            ADD_FAILURE() << file << ":" << element.line << " shows " << element.image.file
                          << ", which is missing";
            return;
        }
        if (element.image.isWholePicture()) return;
        const int cells = (picture->w / element.image.cellWidth) * (picture->h / element.image.cellHeight);
        EXPECT_LT(element.image.cellIndex, cells)
            << file << ":" << element.line << " shows a cell past the end of " << element.image.file;
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

    static std::vector<AnimationElement> events(const CompositeAnimation* node, const std::string& name) {
        std::vector<AnimationElement> found;
        for (const auto& [frame, list] : node->getTimeline().frames)
            for (const AnimationElement& element : list)
                if (element.type == AnimationCommand::FUNC && element.firstText == name)
                    found.push_back(element);
        return found;
    }
    static int count(const CompositeAnimation* node, AnimationCommand type) {
        int n = 0;
        for (const auto& [frame, list] : node->getTimeline().frames)
            for (const AnimationElement& element : list)
                n += element.type == type;
        return n;
    }

    // The body motions a wear needs: the plain states, every combo step of every melee weapon and
    // every shot of every shot weapon, on the ground and in the air.
    std::vector<std::string> bodyFiles(int wear) const {
        std::vector<std::string> files;
        for (int state : PLAIN_STATES)
            files.push_back(names().getCharacterAnimationFile(PLAYER, state, wear));
        for (const WeaponMaster& weapon : grappleWeapons_)
            for (int anim : {weapon.attackAnim1, weapon.attackAnim2, weapon.attackAnim3})
                for (int state : {GRAPPLE, GRAPPLE_JUMP})
                    files.push_back(names().getCharacterAnimationFile(PLAYER, state, wear, anim));
        for (const WeaponMaster& weapon : shotWeapons_)
            for (int state : {SHOOT, SHOOT_JUMP, SHOOT_FULL, SHOOT_FULL_JUMP})
                files.push_back(names().getCharacterAnimationFile(PLAYER, state, wear, weapon.attackAnim1));
        return files;
    }

    // A weapon script with the body script it is played over.
    struct Pair {
        int weapon;
        std::string body, script;
        bool airborne;
    };
    std::vector<Pair> grapplePairs() const {
        std::vector<Pair> pairs;
        for (const WeaponMaster& w : grappleWeapons_)
            for (int anim : {w.attackAnim1, w.attackAnim2, w.attackAnim3})
                for (bool air : {false, true})
                    pairs.push_back(
                        {w.id,
                         names().getCharacterAnimationFile(PLAYER, air ? GRAPPLE_JUMP : GRAPPLE, 0, anim),
                         names().getWeaponAnimationFile(w.id, anim, air), air});
        return pairs;
    }
    // Shot scripts: 00 with the full draw (no chain of shots yet), 01 with a quick follow-up.
    std::vector<Pair> shotPairs() const {
        std::vector<Pair> pairs;
        for (const WeaponMaster& w : shotWeapons_)
            for (bool air : {false, true}) {
                pairs.push_back({w.id,
                                 names().getCharacterAnimationFile(PLAYER, air ? SHOOT_FULL_JUMP : SHOOT_FULL,
                                                                   0, w.attackAnim1),
                                 names().getWeaponAnimationFile(w.id, 0, air), air});
                pairs.push_back(
                    {w.id,
                     names().getCharacterAnimationFile(PLAYER, air ? SHOOT_JUMP : SHOOT, 0, w.attackAnim1),
                     names().getWeaponAnimationFile(w.id, 1, air), air});
            }
        return pairs;
    }

    engine::Scene* scene_ = nullptr;
    std::vector<WeaponMaster> grappleWeapons_, shotWeapons_;
    std::map<std::string, SDL_Surface*> pictures_;
};

TEST_F(PlayerAnimationContentTest, EveryWearHasEveryBodyMotionOnTheSameTimeline) {
    ASSERT_EQ(grappleWeapons_.size(), 4u);
    ASSERT_EQ(shotWeapons_.size(), 4u);
    std::vector<std::string> wearZero = bodyFiles(0);
    std::map<std::string, std::pair<int, float>> timing;
    for (int wear = 0; wear < WEAR_COUNT; ++wear) {
        ASSERT_TRUE(data()->getMasterTables().hasWear(wear)) << "wear " << wear;
        std::vector<std::string> files = bodyFiles(wear);
        for (std::size_t i = 0; i < files.size(); ++i) {
            CompositeAnimation* node = load(files[i]);
            if (!node) continue;
            // Each wear swaps the parts' pictures, never the timing.
            const auto length = std::make_pair(node->getLastFrame(), node->getInterval());
            if (wear == 0)
                timing[wearZero[i]] = length;
            else
                EXPECT_EQ(length, timing[wearZero[i]]) << files[i] << " is timed unlike " << wearZero[i];
            node->removeFromParent();
        }
    }
}

TEST_F(PlayerAnimationContentTest, EveryComboStepKeepsStepWithItsBodyAndMakesOneHitBox) {
    for (const Pair& pair : grapplePairs()) {
        CompositeAnimation* body = load(pair.body);
        CompositeAnimation* weapon = load(pair.script);
        if (!body || !weapon) continue;
        EXPECT_EQ(body->getLastFrame(), weapon->getLastFrame()) << pair.script;
        EXPECT_EQ(body->getInterval(), weapon->getInterval()) << pair.script;
        EXPECT_GE(count(weapon, AnimationCommand::PLAYSE), 1) << pair.script << " makes no sound";
        std::vector<AnimationElement> hits = events(weapon, "grapplebody");
        ASSERT_EQ(hits.size(), 1u) << pair.script;
        // body name : frames : width : height : offset x : offset y : anchor x : anchor y [: weapon]
        std::vector<std::string> f = split(hits[0].secondText, ':');
        ASSERT_TRUE(f.size() == 8 || f.size() == 9) << pair.script << ": " << hits[0].secondText;
        EXPECT_EQ(f[0], "grappleBody") << pair.script;
        EXPECT_GE(std::stoi(f[1]), 3) << pair.script << ": the box must live long enough to be touched";
        EXPECT_GT(std::stoi(f[2]), 0) << pair.script;
        EXPECT_GT(std::stoi(f[3]), 0) << pair.script;
        EXPECT_LT(std::stof(f[4]), 0.0f) << pair.script << ": the hit lands in front of her (she faces left)";
        // The hit comes after the wind-up and before the script ends.
        EXPECT_GT(hits[0].frame, 0) << pair.script;
        EXPECT_LT(hits[0].frame, weapon->getLastFrame()) << pair.script;
    }
}

TEST_F(PlayerAnimationContentTest, GroundComboHitsReachDownToTheSmallestCreature) {
    // A Sproutling standing on the same ground is as high as its body box; its top is that far
    // above the ground, and the ground is 20 pixels below her centre.
    const float creatureTop = static_cast<float>(data()->getCharacterMaster(SPROUTLING).bodyHeight);
    ASSERT_GT(creatureTop, 0.0f);
    for (const Pair& pair : grapplePairs()) {
        if (pair.airborne) continue;
        CompositeAnimation* weapon = load(pair.script);
        if (!weapon) continue;
        for (const AnimationElement& hit : events(weapon, "grapplebody")) {
            std::vector<std::string> f = split(hit.secondText, ':');
            ASSERT_GE(f.size(), 8u);
            const float height = std::stof(f[3]), offsetY = std::stof(f[5]), anchorY = std::stof(f[7]);
            const float bottomAboveGround =
                offsetY - anchorY * height + (NODE_HALF_HEIGHT - GROUND_ABOVE_NODE_EDGE);
            EXPECT_LT(bottomAboveGround, creatureTop - 4.0f) << pair.script << ": " << hit.secondText;
        }
    }
}

TEST_F(PlayerAnimationContentTest, EveryShotKeepsStepWithItsBodyAndFiresFromTheMuzzle) {
    std::map<std::string, double> seconds;
    for (const Pair& pair : shotPairs()) {
        CompositeAnimation* body = load(pair.body);
        CompositeAnimation* weapon = load(pair.script);
        if (!body || !weapon) continue;
        EXPECT_EQ(body->getLastFrame(), weapon->getLastFrame()) << pair.script;
        EXPECT_EQ(body->getInterval(), weapon->getInterval()) << pair.script;
        EXPECT_GE(count(weapon, AnimationCommand::PLAYSE), 1) << pair.script << " makes no sound";
        std::vector<AnimationElement> shots = events(weapon, "shootbody");
        ASSERT_GE(shots.size(), 1u) << pair.script;
        for (const AnimationElement& shot : shots) {
            // muzzle x : muzzle y : spawn kind : weapon number
            std::vector<std::string> f = split(shot.secondText, ':');
            ASSERT_EQ(f.size(), 4u) << pair.script << ": " << shot.secondText;
            EXPECT_LT(std::stof(f[0]), NODE_HALF_WIDTH) << pair.script << ": the muzzle is in front of her";
            EXPECT_EQ(f[2], "bulletBody") << pair.script;
            EXPECT_EQ(std::stoi(f[3]), pair.weapon) << pair.script;
            EXPECT_EQ(shot.frame, shots[0].frame) << pair.script << ": one blast, one frame";
        }
        seconds[pair.script] = weapon->getInterval() * (weapon->getLastFrame() + 1);
    }
    // A quick follow-up shot never takes longer than the full draw.
    for (const WeaponMaster& w : shotWeapons_)
        for (bool air : {false, true})
            EXPECT_LE(seconds[names().getWeaponAnimationFile(w.id, 1, air)],
                      seconds[names().getWeaponAnimationFile(w.id, 0, air)])
                << "weapon " << w.id;
}

TEST_F(PlayerAnimationContentTest, LevelShotsFromTheGroundHitTheSmallestCreature) {
    const float creatureTop = static_cast<float>(data()->getCharacterMaster(SPROUTLING).bodyHeight);
    ASSERT_GT(creatureTop, 0.0f);
    for (const Pair& pair : shotPairs()) {
        if (pair.airborne) continue;
        const auto bullet = data()->getBulletMaster(data()->getWeaponMaster(pair.weapon).bulletId);
        ASSERT_NE(bullet.id, -1) << "weapon " << pair.weapon;
        CompositeAnimation* weapon = load(pair.script);
        if (!weapon) continue;
        bool oneInTheMiddle = false;
        for (const AnimationElement& shot : events(weapon, "shootbody")) {
            std::vector<std::string> f = split(shot.secondText, ':');
            ASSERT_EQ(f.size(), 4u);
            // The bullet is centred on the muzzle and flies level.
            const float centre = std::stof(f[1]) - GROUND_ABOVE_NODE_EDGE;
            const float half = bullet.size.height / 2.0f;
            EXPECT_GT(centre + half, 0.0f) << pair.script << ": a shot into the ground";
            EXPECT_LT(centre - half, creatureTop)
                << pair.script << ": " << shot.secondText << " flies over it";
            oneInTheMiddle = oneInTheMiddle || (centre - half >= 0.0f && centre + half <= creatureTop);
        }
        EXPECT_TRUE(oneInTheMiddle) << pair.script
                                    << ": no bullet passes wholly through a Sproutling's height";
    }
}

TEST_F(PlayerAnimationContentTest, EveryBulletAndHitEffectTheTablesNameHasItsScript) {
    const auto& tables = data()->getMasterTables();
    std::set<int> effects = {9001};
    for (const auto& [id, row] : tables.weaponRows()) {
        effects.insert(row.record.hitEffect);
        if (row.record.hasBullet) {
            EXPECT_TRUE(tables.hasBullet(row.record.bulletId))
                << "weapon " << id << " fires a bullet with no row";
        }
    }
    ASSERT_FALSE(tables.bulletRows().empty());
    for (const auto& [id, row] : tables.bulletRows()) {
        effects.insert(row.record.hitEffect);
        CompositeAnimation* node = load(names().getBulletAnimationFile(id));
        if (node) {
            EXPECT_GE(count(node, AnimationCommand::PAINT), 1) << "bullet " << id << " shows nothing";
        }
    }
    for (int effect : effects) {
        CompositeAnimation* node = load(names().getEffectAnimationFile(effect));
        if (!node || effect == 9001) continue;
        // A hit effect plays once and ends with nothing drawn, so nothing lingers on the target.
        bool finished = false;
        engine::MessageBox::clearShown();
        node->play([&](CompositeAnimation*) { finished = true; });
        runFrames(static_cast<int>(node->getInterval() * (node->getLastFrame() + 2) * 60.0) + 2);
        EXPECT_TRUE(finished) << "effect " << effect;
        EXPECT_TRUE(engine::MessageBox::getShown().empty()) << "effect " << effect << ": " << shown();
        for (engine::Node* child : node->getChildren())
            EXPECT_EQ(child->getOpacity(), 0) << "effect " << effect << " leaves a picture drawn";
    }
}

TEST_F(PlayerAnimationContentTest, EveryWearHasItsPartSheetAndFivePortraits) {
    for (int wear = 0; wear < WEAR_COUNT; ++wear) {
        SDL_Surface* sheet = picture("parts_quorin_w" + std::to_string(wear) + ".png");
        ASSERT_NE(sheet, nullptr) << "wear " << wear;
        EXPECT_EQ(sheet->w, 128);
        EXPECT_EQ(sheet->h, 32);
        for (int face = 1; face <= 5; ++face) {
            char name[32];
            std::snprintf(name, sizeof name, "cf_00_%02d_%02d.png", wear + 1, face);
            SDL_Surface* portrait = picture(name);
            ASSERT_NE(portrait, nullptr) << name;
            EXPECT_EQ(portrait->w, 96) << name;
            EXPECT_EQ(portrait->h, 128) << name;
        }
    }
}

TEST_F(PlayerAnimationContentTest, SpiritBurstFlamesRiseWithoutEndAndStayFew) {
    // The game makes two systems from this file, behind and in front of her.
    engine::ParticleSystemQuad* back =
        engine::ParticleSystemQuad::create("particle/particle_specialmode.plist");
    engine::ParticleSystemQuad* front =
        engine::ParticleSystemQuad::create("particle/particle_specialmode.plist");
    ASSERT_NE(back, nullptr);
    ASSERT_NE(front, nullptr);
    EXPECT_EQ(back->getDuration(), engine::ParticleSystem::DURATION_INFINITY);
    EXPECT_LE(back->getTotalParticles() + front->getTotalParticles(), 60);
    EXPECT_NE(back->getTexture(), engine::ParticleTextures::fallbackDot()) << "its flame picture is missing";

    engine::Sprite* backdrop = engine::Sprite::create();
    backdrop->setTextureRect(engine::Rect(0, 0, 960, 540));
    backdrop->setAnchorPoint(engine::Vec2::ZERO);
    backdrop->setColor(engine::Color3B(0, 0, 0));
    scene_->addChild(backdrop, -1);
    back->setPosition(480, 270);
    front->setPosition(480, 270);
    scene_->addChild(back, 5);
    scene_->addChild(front, 15);
    runFrames(300);  // five seconds: still burning
    EXPECT_TRUE(back->isActive());
    EXPECT_GT(back->getParticleCount(), 0);

    // More flame is drawn above the emitter than below it.
    SDL_Surface* frame = view_->getFrameSurface();
    int above = 0, below = 0;
    for (int y = 0; y < frame->h; ++y)
        for (int x = 400; x < 560; ++x) {
            const Uint32 v = static_cast<const Uint32*>(frame->pixels)[y * (frame->pitch / 4) + x];
            if ((v & 0xFFFFFF) == 0) continue;
            (y < frame->h / 2 ? above : below) += 1;
        }
    EXPECT_GT(above, 0);
    EXPECT_GT(above, below);
}

}  // namespace
