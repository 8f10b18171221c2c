// Loading ".cma" scripts: what loads, and the error box (title, wording, physical line number) for
// every kind of broken script; the collecting mode the content tool uses finds every mistake.
#include "game/scenario/AnimationScriptParser.h"
#include "tests/support/AnimationFixture.h"

using engine::MessageBox;
using vastomer::AnimationCommand;
using vastomer::AnimationScriptError;
using vastomer::AnimationScriptParser;
using vastomer::AnimationTimeline;
using vastomer::CompositeAnimation;

namespace {

const std::string PAINT1 = "0,PAINT,1,a.png,0,0,0,1,1,0.5,0.5,0,false,false,0,-,-,-,-\n";

class AnimationScriptLoadTest : public AnimationFixture {
protected:
    // Loads a script of the given text; returns the one error box it showed ("" for none).
    std::string loadError(const std::string& text) {
        write("anime/broken.cma", text);
        MessageBox::clearShown();
        CompositeAnimation* node = CompositeAnimation::create();
        const bool loaded = node->load("anime/broken.cma");
        const auto& shown = MessageBox::getShown();
        EXPECT_LE(shown.size(), 1u);
        EXPECT_EQ(loaded, shown.empty());
        if (shown.empty()) return "";
        EXPECT_EQ(shown[0].title, "ANIMATION ERROR");
        EXPECT_EQ(node->getLastFrame(), -1) << "a failed load leaves nothing to play";
        return shown[0].message;
    }
};

TEST_F(AnimationScriptLoadTest, BrokenScriptsFailWithTheirMessageAndPhysicalLine) {
    const std::string at = " file:anime/broken.cma";
    EXPECT_EQ(loadError("x,1,1\n"), "Corrupt script. line:1" + at);
    EXPECT_EQ(loadError(""), "Corrupt script. line:1" + at) << "no header at all";
    EXPECT_EQ(loadError("x,1,1,0.1\n\n" + PAINT1 + "\n// note\n" + PAINT1), "Duplicate id [1]. line:6" + at);
    EXPECT_EQ(loadError("x,1,1,0.1\n" + PAINT1 + "0,CHANGE,2,a.png,0,0,0,1,1,0,0,0,false,false,0,-,-,-,-\n"),
              "Undefined id [2]. line:3" + at);
    EXPECT_EQ(loadError("x,1,1,0.1\n\n\n3,MOVE,5,-,0,0,0,1,1,0,0,0,0,-,-,-,-,false,false\n"),
              "Undefined id [5]. line:4" + at);
    EXPECT_EQ(loadError("x,1,1,0.1\n4,remove,9\n"), "Undefined id [9]. line:2" + at);
    EXPECT_EQ(loadError("x,1,1,0.1\n" + PAINT1 + "2,jump,1\n"), "Corrupt script [JUMP]. line:3" + at);
    EXPECT_EQ(loadError("x,1,1,0.1\r\n\r\n7\r\n"), "Corrupt script. line:3" + at) << "fewer than two fields";
    EXPECT_EQ(loadError("x,1,1,0.1\n0,PAINT,1,a.png:16:16\n"),
              "Missing fields [PAINT needs 19, found 4]. line:2" + at);
    EXPECT_EQ(loadError("x,1,1,0.1\n" + PAINT1 + "1,MOVE,1,-,0,0,0,1,1,0,0,0,0,-,-,-,-,false\n"),
              "Missing fields [MOVE needs 19, found 18]. line:3" + at);
    EXPECT_EQ(loadError("x,1,1,0.1\n0,PLAYSE,1,se.mp3\n"),
              "Missing fields [PLAYSE needs 5, found 4]. line:2" + at);
    EXPECT_EQ(loadError("x,1,1,0.1\n0,FUNC,shootbody,\n"),
              "Missing fields [FUNC needs 4, found 3]. line:2" + at)
        << "empty fields are dropped before counting";
    EXPECT_EQ(loadError("x,1,1,0.1\n0,REMOVE\n"), "Missing fields [REMOVE needs 3, found 2]. line:2" + at);
    EXPECT_EQ(loadError("x,1,1,0.1\n0,PAINT,1,a.png:16:0:2,0,0,0,1,1,0.5,0.5,0,false,false,0,-,-,-,-\n"),
              "Corrupt image [a.png:16:0:2]. line:2" + at);
}

TEST_F(AnimationScriptLoadTest, MissingFilesFailQuietly) {
    CompositeAnimation* node = CompositeAnimation::create();
    EXPECT_FALSE(node->load("anime/none.cma"));
    EXPECT_FALSE(node->load(""));
    EXPECT_TRUE(MessageBox::getShown().empty());
    EXPECT_EQ(node->getFileName(), "") << "a failed load keeps no name";
}

TEST_F(AnimationScriptLoadTest, AFileIsParsedOnceAndAFailureIsRememberedWithoutASecondBox) {
    write("anime/bad.cma", "x,1,1,0.1\n4,remove,9\n");
    const std::string good = "anime/good.cma";
    write(good, "good,8,8,0.1\n" + PAINT1);
    CompositeAnimation* node = CompositeAnimation::create();
    ASSERT_TRUE(node->load(good));
    EXPECT_EQ(node->getFileName(), good);
    EXPECT_FALSE(node->load("anime/bad.cma"));
    EXPECT_EQ(node->getFileName(), "") << "no name is left behind by a failure";
    EXPECT_EQ(MessageBox::getShown().size(), 1u);
    EXPECT_FALSE(node->load("anime/bad.cma"));
    EXPECT_EQ(MessageBox::getShown().size(), 1u) << "a broken file is told once";

    // Once parsed, a script no longer depends on its file; a missing one stays missing.
    EXPECT_FALSE(node->load("anime/late.cma"));
    std::filesystem::remove(root_ / "res/anime/good.cma");
    testsupport::writeFile(root_ / "res/anime/late.cma", "late,8,8,0.1\n" + PAINT1);
    engine::FileUtils::getInstance()->purgeCachedEntries();
    EXPECT_TRUE(node->load(good));
    EXPECT_EQ(node->getLastFrame(), 0);
    EXPECT_FALSE(node->load("anime/late.cma"));
}

TEST_F(AnimationScriptLoadTest, AnEmptyOrMissingTimelineFinishesOnItsFirstFrame) {
    write("anime/header.cma", "header,8,8,0.1\n");
    for (const std::string file : {"anime/header.cma", "anime/none.cma"}) {
        SCOPED_TRACE(file);
        CompositeAnimation* node = CompositeAnimation::create();
        scene_->addChild(node);
        node->load(file);
        int finished = 0;
        node->play([&finished](CompositeAnimation*) { ++finished; }, true);
        node->step();
        EXPECT_EQ(finished, 0) << "never inside the call that started it";
        runFrames(1);
        EXPECT_EQ(finished, 1);
        runFrames(10);
        EXPECT_EQ(finished, 1) << "even a looping play ends";
        node->removeFromParent();
    }
}

TEST_F(AnimationScriptLoadTest, ReadsHeaderElementsInAnyCaseAndDashColours) {
    write("anime/ok.cma",
          "walk,32,48,0.05\n"
          "// a comment line\n"
          "0,paint,2,parts.png:16:16:5,-3.5,4,10.9,1,-1,0.5,0.125,-30,true,false,add,-,20,-,-\n"
          "\n"
          "2,Move,2,anything,1,2,3,1,1,0,0,15,exclution,-,-,-,128,false,true\n"
          "2,playse,3,audio/se/a.mp3,0.75\n"
          "5,func,shootbody,2:30:bulletBody:10\n"
          "7,Remove,2\n");
    CompositeAnimation* node = CompositeAnimation::create();
    ASSERT_TRUE(node->load("anime/ok.cma")) << lastBox();
    const AnimationTimeline& t = node->getTimeline();
    EXPECT_EQ(t.name, "walk");
    EXPECT_EQ(node->getContentSize(), engine::Size(32, 48));
    EXPECT_DOUBLE_EQ(t.interval, 0.05);
    EXPECT_EQ(t.lastFrame, 7);
    EXPECT_EQ(t.frames.size(), 4u);
    const auto& paint = t.frames.at(0).at(0);
    EXPECT_EQ(paint.type, AnimationCommand::PAINT);
    EXPECT_EQ(paint.line, 3);
    EXPECT_EQ(paint.image.file, "parts.png");
    EXPECT_EQ(paint.image.cellIndex, 5);
    EXPECT_FLOAT_EQ(paint.x, -3.5f);
    EXPECT_FLOAT_EQ(paint.scaleY, -1.0f);
    EXPECT_FLOAT_EQ(paint.rotation, -30.0f);
    EXPECT_TRUE(paint.flipX);
    EXPECT_EQ(paint.blendMode, 2);
    EXPECT_EQ((std::vector<int>{paint.red, paint.green, paint.blue, paint.opacity}),
              (std::vector<int>{255, 20, 255, 255}));
    const auto& move = t.frames.at(2).at(0);
    EXPECT_EQ(move.blendMode, 6);
    EXPECT_EQ(move.opacity, 128);
    EXPECT_TRUE(move.flipY);
    const auto& sound = t.frames.at(2).at(1);
    EXPECT_EQ(sound.soundFile, "audio/se/a.mp3");
    EXPECT_FLOAT_EQ(sound.volume, 0.75f);
    EXPECT_EQ(t.frames.at(5).at(0).secondText, "2:30:bulletBody:10");
    EXPECT_TRUE(MessageBox::getShown().empty());
}

TEST(AnimationScriptParserTest, CollectingFindsEveryMistakeWithItsLine) {
    const std::string text = "x,1,1,0.1\n" + PAINT1 + PAINT1 + "\n1,JUMP,1\n2,MOVE,4\n3,CHANGE,7," +
                             "a.png,0,0,0,1,1,0,0,0,false,false,0,-,-,-,-\n4,REMOVE,1\n";
    AnimationTimeline timeline;
    std::vector<AnimationScriptError> errors;
    EXPECT_FALSE(AnimationScriptParser::parse(text, timeline, AnimationScriptParser::Mode::COLLECT_ALL_ERRORS,
                                              errors));
    std::vector<std::pair<int, std::string>> found;
    for (const auto& error : errors)
        found.emplace_back(error.line, error.reason);
    EXPECT_EQ(found, (std::vector<std::pair<int, std::string>>{{3, "Duplicate id [1]"},
                                                               {5, "Corrupt script [JUMP]"},
                                                               {6, "Missing fields [MOVE needs 19, found 3]"},
                                                               {7, "Undefined id [7]"}}));
    EXPECT_EQ(timeline.lastFrame, 4) << "the sound lines are kept";

    errors.clear();
    EXPECT_FALSE(AnimationScriptParser::parse(text, timeline,
                                              AnimationScriptParser::Mode::STOP_AT_FIRST_ERROR, errors));
    ASSERT_EQ(errors.size(), 1u);
    EXPECT_EQ(errors[0].gameMessage("f.cma"), "Duplicate id [1]. line:3 file:f.cma");
    EXPECT_EQ(timeline.lastFrame, -1);
}

}  // namespace
