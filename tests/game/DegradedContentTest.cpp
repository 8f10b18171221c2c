// Content that is missing or damaged in the runtime tree: the game reports each file once, with its
// path, and carries on with a stand-in (a placeholder picture, silence, an empty map, an animation
// that does nothing), whether it runs as the program or inside a test.
#include <filesystem>
#include <string>
#include <vector>

#include "engine/render/TextureCache.h"
#include "engine/scene/Scene.h"
#include "engine/scene/Sprite.h"
#include "engine/tilemap/TMXTiledMap.h"
#include "game/scenario/CompositeAnimation.h"
#include "tests/support/Files.h"
#include "tests/support/GameFixture.h"
#include "tests/support/Pixel.h"
#include "tests/support/ProgramRun.h"

namespace fs = std::filesystem;

namespace {

// Bytes that start like a picture and then are not one (a cut, overwritten file).
const char JUNK_BYTES[] = "\x89PNG\r\n\x1a\n\0\0\xff\xfe junk, not what the name says";
const std::string JUNK(JUNK_BYTES, sizeof JUNK_BYTES - 1);

// Counts the lines of `text` that hold `needle`.
int linesWith(const std::string& text, const std::string& needle) {
    int count = 0;
    std::size_t at = 0;
    while ((at = text.find(needle, at)) != std::string::npos) {
        ++count;
        at += needle.size();
    }
    return count;
}

// A copy of the built runtime tree (its fonts linked, not copied) with one file of each kind removed
// and one of each kind overwritten with junk.
class DamagedTree {
public:
    DamagedTree() {
        const fs::path from = fs::path(testsupport::runtimeDir()) / "res";
        const fs::path to = fs::path(root_.path()) / "res";
        fs::create_directories(to);
        for (const fs::directory_entry& entry : fs::directory_iterator(from)) {
            const fs::path target = to / entry.path().filename();
            if (entry.path().filename() == "fonts")
                fs::create_directory_symlink(entry.path(), target);
            else
                fs::copy(entry.path(), target, fs::copy_options::recursive);
        }
    }

    const std::string& root() const { return root_.path(); }
    std::string path(const std::string& name) const { return root_ / ("res/" + name); }
    void remove(const std::string& name) const { fs::remove(path(name)); }
    void corrupt(const std::string& name) const { testsupport::writeFile(path(name), JUNK); }
    bool has(const std::string& name) const { return fs::exists(path(name)); }

private:
    testsupport::TempFolder root_;
};

TEST(DegradedContentProgramTest, TheGameRunsItsScreensWithADamagedTreeAndTellsEachFileOnce) {
    DamagedTree tree;
    tree.corrupt("images/ui/vastomer_logo_s.png");  // the splash screen's only picture
    tree.remove("data/master/weapon_master.data");
    tree.corrupt("data/master/stages_master.data");
    tree.corrupt("data/strings/system_en.strings");
    testsupport::TempFolder scratch;
    testsupport::writeFile(
        scratch / "input.txt",
        "# keys and a pad through the splash and title screens\n"
        "20 pad connect\n40 tap z\n60 tap ESC\n200 pad button 0 down\n202 pad button 0 up\n"
        "260 tap z\n300 pad disconnect\n320 tap x\n");
    const testsupport::ProgramRun run = testsupport::runProgram(
        testsupport::buildProgram("quorin"),
        {"--headless", "--res", tree.root(), "--data-dir", scratch / "data", "--lang", "en", "--input",
         scratch / "input.txt", "--frames", "420", "--dump-state", scratch / "state.json"});
    ASSERT_EQ(run.exitCode, 0) << run.describe();
    EXPECT_EQ(linesWith(run.err, tree.path("images/ui/vastomer_logo_s.png")), 1) << run.err;
    EXPECT_EQ(linesWith(run.err, "master/weapon_master.data"), 1) << run.err;
    EXPECT_GE(linesWith(run.err, "master/stages_master.data"), 1) << run.err;
    const std::string state = testsupport::readFile(scratch / "state.json");
    EXPECT_NE(state.find("\"frame\": 420"), std::string::npos) << state;
    // The splash screen finished, the title's first entry started a new game: the opening.
    EXPECT_NE(state.find("\"scene\": 9"), std::string::npos) << state;
}

// The loaders of the kinds the screens above do not reach yet, inside the game.
class DegradedContentTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        auto* files = engine::FileUtils::getInstance();
        files->setResourceRoot(tree_.root());
        files->setSearchPaths(AppDelegate::searchPaths());
        scene_ = engine::Scene::create();
        engine::Director::getInstance()->runWithScene(scene_);
        runFrames(1);
    }

    DamagedTree tree_;
    engine::Scene* scene_ = nullptr;
};

TEST_F(DegradedContentTest, AMissingOrDamagedPictureShowsThePlaceholderAndIsToldOnce) {
    tree_.remove("images/effect/swing_arc.png");
    tree_.corrupt("images/effect/effects.png");
    testing::internal::CaptureStderr();
    for (const char* name : {"images/effect/swing_arc.png", "images/effect/effects.png"}) {
        for (int time = 0; time < 3; ++time) {
            engine::Sprite* sprite = engine::Sprite::create(name);
            ASSERT_NE(sprite, nullptr) << name;
            EXPECT_EQ(sprite->getTexture(),
                      engine::Director::getInstance()->getTextureCache()->getPlaceholder());
            sprite->setScale(4);
            sprite->setPosition(480, 270);
            scene_->addChild(sprite);
        }
    }
    runFrames(1);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(linesWith(err, "images/effect/swing_arc.png"), 1) << err;
    EXPECT_EQ(linesWith(err, tree_.path("images/effect/effects.png")), 1) << err;
    const testsupport::Pixel shown = testsupport::readPixel(view_->getFrameSurface(), 480 - 31, 270 - 31);
    EXPECT_EQ((std::vector<int>{shown.r, shown.g, shown.b}), (std::vector<int>{255, 0, 255}));
}

TEST_F(DegradedContentTest, AMissingOrDamagedSoundIsSilenceAndIsToldOnce) {
    tree_.remove("audio/se/bloom01.mp3");
    tree_.corrupt("audio/se/bom26_c.mp3");
    testing::internal::CaptureStderr();
    for (int time = 0; time < 3; ++time) {
        EXPECT_EQ(engine::AudioEngine::play2d("audio/se/bloom01.mp3"), engine::AudioEngine::INVALID_AUDIO_ID);
        EXPECT_EQ(engine::AudioEngine::play2d("audio/se/bom26_c.mp3"), engine::AudioEngine::INVALID_AUDIO_ID);
        runFrames(1);
    }
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(linesWith(err, "bloom01.mp3"), 1) << err;
    EXPECT_EQ(linesWith(err, tree_.path("audio/se/bom26_c.mp3")), 1) << err;
}

TEST_F(DegradedContentTest, AMissingOrDamagedMapGivesAnEmptyMap) {
    tree_.remove("data/map/md_0001_01.tmx");
    tree_.corrupt("data/map/md_0001_02.tmx");
    tree_.corrupt("data/map/mapchip_stage02.tsx");
    testing::internal::CaptureStderr();
    for (const char* name :
         {"data/map/md_0001_01.tmx", "data/map/md_0001_02.tmx", "data/map/md_0002_01.tmx"}) {
        engine::TMXTiledMap* map = engine::TMXTiledMap::createOrEmpty(name);
        ASSERT_NE(map, nullptr) << name;
        EXPECT_TRUE(map->getChildren().empty()) << name;
        EXPECT_EQ(map->getObjectGroup("objects"), nullptr) << name;
        scene_->addChild(map);
    }
    runFrames(2);
    const std::string err = testing::internal::GetCapturedStderr();
    for (const char* name : {"md_0001_01.tmx", "md_0001_02.tmx", "md_0002_01.tmx"})
        EXPECT_GE(linesWith(err, name), 1) << name << " was not reported: " << err;
}

TEST_F(DegradedContentTest, AMissingOrDamagedAnimationDoesNothingAndFinishes) {
    tree_.remove("anime/EFFECT_0001.cma");
    tree_.corrupt("anime/EFFECT_0002.cma");
    int finished = 0;
    testing::internal::CaptureStderr();
    for (int time = 0; time < 2; ++time) {
        for (const char* name : {"anime/EFFECT_0001.cma", "anime/EFFECT_0002.cma"}) {
            vastomer::CompositeAnimation* animation = vastomer::CompositeAnimation::create();
            EXPECT_FALSE(animation->load(name));
            scene_->addChild(animation);
            animation->play([&finished](vastomer::CompositeAnimation*) { ++finished; });
        }
    }
    runFrames(3);
    const std::string err = testing::internal::GetCapturedStderr();
    EXPECT_EQ(finished, 4);
    EXPECT_EQ(linesWith(err, "anime/EFFECT_0001.cma"), 1) << err;
    // The damaged script is told in the game's error box, once.
    ASSERT_EQ(engine::MessageBox::getShown().size(), 1u);
    EXPECT_EQ(engine::MessageBox::getShown()[0].title, vastomer::CompositeAnimation::ERROR_TITLE);
    EXPECT_NE(engine::MessageBox::getShown()[0].message.find("EFFECT_0002.cma"), std::string::npos);
}

}  // namespace
