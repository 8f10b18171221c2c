// Composite animations loaded from real script files and played headless: timing, looping, the
// elements' effects on sprites and pixels, sounds and events, and the loader's error boxes.
#include <vector>

#include "engine/audio/AudioEngine.h"
#include "game/scenario/AnimationSprites.h"
#include "tests/support/AnimationFixture.h"
#include "tests/support/Mp3Frames.h"

using engine::MessageBox;
using vastomer::CompositeAnimation;

namespace {

const std::string RED = "sheet.png:16:16:0";

class CompositeAnimationTest : public AnimationFixture {
protected:
    void SetUp() override {
        AnimationFixture::SetUp();
        writeQuadrantSheet("sheet.png");
    }
};

TEST_F(CompositeAnimationTest, AnElementAtFrameThreeDrawsAtTheFourthIntervalAndFinishesOneLater) {
    CompositeAnimation* node = animation(script("late", paintLine(3, 7, RED)));
    int finished = 0;
    node->play([&](CompositeAnimation* done) {
        EXPECT_EQ(done, node);
        ++finished;
    });
    runFrames(23);  // an interval of 0.1 s is six frames: three intervals and five frames
    EXPECT_EQ(node->getChildrenCount(), 0u);
    EXPECT_EQ(node->getCurrentFrame(), 3);
    runFrames(1);
    ASSERT_EQ(node->getChildrenCount(), 1u);
    EXPECT_NE(node->getChildByTag(7), nullptr);
    EXPECT_EQ(pixel(480, 270).r, 255) << "drawn in the same frame";
    runFrames(5);
    EXPECT_EQ(finished, 0);
    runFrames(1);
    EXPECT_EQ(finished, 1);
    runFrames(30);
    EXPECT_EQ(finished, 1) << "a non-looping animation stops";
    EXPECT_EQ(node->getChildrenCount(), 1u) << "and keeps its last picture";
    EXPECT_FALSE(node->isUpdateScheduled());
}

TEST_F(CompositeAnimationTest, IntervalsLandOnWholeFrames) {
    // 1/60 s steps add up to 0.05, 0.1 and 1/12 s exactly on the 3rd, 6th and 5th frame.
    for (const auto& [interval, frames] : std::vector<std::pair<std::string, int>>{
             {"0.05", 3}, {"0.1", 6}, {"0.0833333", 5}, {"0.0666667", 4}}) {
        CompositeAnimation* node =
            animation(script("i" + std::to_string(frames), paintLine(1, 1, RED), interval));
        node->play();
        runFrames(frames * 2 - 1);
        EXPECT_EQ(node->getChildrenCount(), 0u) << interval;
        runFrames(1);
        EXPECT_EQ(node->getChildrenCount(), 1u) << interval;
        node->removeFromParent();
    }
}

TEST_F(CompositeAnimationTest, ALoopClearsItsChildrenWhenItWrapsAndReportsEachPass) {
    CompositeAnimation* node = animation(
        script("loop", paintLine(0, 1, RED, -20) + paintLine(1, 2, "sheet.png:16:16:1", 20), "0.05"));
    int passes = 0;
    node->play([&](CompositeAnimation*) { ++passes; }, true);
    runFrames(6);
    EXPECT_EQ(node->getChildrenCount(), 2u);
    runFrames(3);  // the interval after the last frame: the end is passed, frame 0 again
    EXPECT_EQ(passes, 1);
    ASSERT_EQ(node->getChildrenCount(), 1u);
    EXPECT_NE(node->getChildByTag(1), nullptr);
    EXPECT_EQ(node->getCurrentFrame(), 1);
    runFrames(9);
    EXPECT_EQ(passes, 2);
    EXPECT_TRUE(MessageBox::getShown().empty()) << lastBox();
}

TEST_F(CompositeAnimationTest, StepShowsTheFirstFrameAtOnceAndPausingHolds) {
    CompositeAnimation* node = animation(script("step", paintLine(0, 1, RED) + paintLine(1, 2, RED)));
    node->play(nullptr, true);
    node->step();
    EXPECT_EQ(node->getChildrenCount(), 1u);
    node->setPaused(true);
    runFrames(20);
    EXPECT_EQ(node->getCurrentFrame(), 1);
    node->setPaused(false);
    runFrames(6);
    EXPECT_EQ(node->getChildrenCount(), 2u);
}

TEST_F(CompositeAnimationTest, ALockedAnimationIgnoresPlay) {
    CompositeAnimation* node = animation(script("locked", paintLine(0, 1, RED)));
    node->setLocked(true);
    bool called = false;
    node->play([&](CompositeAnimation*) { called = true; }, true);
    runFrames(30);
    EXPECT_EQ(node->getChildrenCount(), 0u);
    EXPECT_FALSE(node->isLoop());
    EXPECT_FALSE(called);
    node->setLocked(false);
    node->play();
    runFrames(6);
    EXPECT_EQ(node->getChildrenCount(), 1u);
}

TEST_F(CompositeAnimationTest, AFinishCallbackMayStartAnotherScriptOnTheSameNode) {
    const std::string second = script("second", paintLine(0, 5, RED) + paintLine(3, 6, RED));
    CompositeAnimation* node = animation(script("first", paintLine(0, 1, RED)));
    node->play([&](CompositeAnimation* done) {
        done->load(second);
        done->play(nullptr, true);
    });
    runFrames(12);  // frame 0, then the end: the callback swaps the script
    EXPECT_EQ(node->getFileName(), second);
    EXPECT_TRUE(node->isUpdateScheduled()) << "the new playback is not stopped by the old one's end";
    runFrames(24);
    EXPECT_NE(node->getChildByTag(6), nullptr);
}

TEST_F(CompositeAnimationTest, CellsAreCutRowByRowAndWholePicturesShowWhole) {
    CompositeAnimation* cells = animation(script(
        "cells", paintLine(0, 1, "sheet.png:16:16:2", -40) + paintLine(0, 2, "sheet.png:16:16:1", 40)));
    CompositeAnimation* whole = animation(script("whole", paintLine(0, 1, "sheet.png", 0, 60)));
    cells->play();
    whole->play();
    runFrames(6);
    testsupport::Pixel left = pixel(440, 270), right = pixel(520, 270);
    EXPECT_EQ((std::vector<int>{left.r, left.g, left.b}), (std::vector<int>{0, 0, 255}))
        << "cell 2: bottom left";
    EXPECT_EQ((std::vector<int>{right.r, right.g, right.b}), (std::vector<int>{0, 255, 0}))
        << "cell 1: top right";
    auto* sprite = static_cast<engine::Sprite*>(whole->getChildByTag(1));
    EXPECT_EQ(sprite->getContentSize().width, 32.0f);
    testsupport::Pixel topLeft = pixel(472, 338), bottomRight = pixel(487, 323);
    EXPECT_EQ(topLeft.r, 255);
    EXPECT_EQ(topLeft.g, 0);
    EXPECT_EQ(bottomRight.g, 255);
    EXPECT_EQ(bottomRight.b, 0);
}

TEST_F(CompositeAnimationTest, ACellFarBeyondThePictureIsNotFoundWhateverItsIndexOrHeight) {
    // Rows past the picture, with products far beyond 32 bits: never a cell, never a wrapped check.
    const vastomer::AnimationImage far[] = {{"sheet.png", 16, 16, 2147483647},
                                            {"sheet.png", 16, 1073741824, 2},
                                            {"sheet.png", 1, 2147483647, 2147483647}};
    for (const vastomer::AnimationImage& image : far) {
        engine::Rect rect;
        EXPECT_FALSE(vastomer::AnimationSprites::cellRect(image, 32, 32, rect))
            << image.cellWidth << ":" << image.cellHeight << ":" << image.cellIndex;
    }
    CompositeAnimation* node = animation(script("far", paintLine(0, 1, "sheet.png:16:1073741824:2")));
    node->play();
    runFrames(7);
    EXPECT_EQ(node->getChildByTag(1), nullptr);
    EXPECT_NE(lastBox().find("Sprite not found. id:1"), std::string::npos) << lastBox();
}

TEST_F(CompositeAnimationTest, SpritePropertiesFollowPaintChangeMoveAndRemove) {
    const std::string lines =
        "0,paint,3,sheet.png:16:16:0,4,5,2.9,2,0.5,0,1,30,true,false,ADD,-,10,-,-\n"
        "1,Change,3,sheet.png:16:16:3,6,7,-1,1,1,0.5,0.5,0,false,true,COLOR,1,2,3,128\n"
        "2,move,3,ignored,8,9,4,1,1,0.25,0.75,45,SUB,-,-,-,300,true,true\n"
        "3,MOVE,3,-,8,9,4,1,1,0.25,0.75,45,screen,-,-,-,-,false,false\n"
        "4,remove,3\n";
    CompositeAnimation* node = animation(script("props", lines));
    node->play();
    runFrames(6);
    auto* sprite = dynamic_cast<engine::Sprite*>(node->getChildByTag(3));
    ASSERT_NE(sprite, nullptr);
    EXPECT_EQ(sprite->getPosition(), engine::Vec2(4, 5));
    EXPECT_EQ(sprite->getLocalZOrder(), 2) << "z truncated";
    EXPECT_EQ(sprite->getScaleX(), 2.0f);
    EXPECT_EQ(sprite->getScaleY(), 0.5f);
    EXPECT_EQ(sprite->getAnchorPoint(), engine::Vec2(0.0f, 1.0f));
    EXPECT_EQ(sprite->getRotation(), 30.0f);
    EXPECT_TRUE(sprite->isFlippedX());
    EXPECT_EQ(sprite->getBlendFunc(), engine::BlendFunc::ADDITIVE);
    EXPECT_EQ(sprite->getColor(), engine::Color3B(255, 10, 255)) << "\"-\" reads 255";
    EXPECT_EQ(sprite->getOpacity(), 255);
    EXPECT_TRUE(sprite->getTexture()->isAliased());
    runFrames(6);
    EXPECT_EQ(sprite->getTextureRect().origin, engine::Vec2(16, 16)) << "CHANGE cuts cell 3";
    EXPECT_EQ(sprite->getLocalZOrder(), -1);
    EXPECT_TRUE(sprite->isFlippedY());
    EXPECT_EQ(sprite->getBlendFunc(), engine::BlendFunc::ALPHA_NON_PREMULTIPLIED) << "COLOR blends normally";
    EXPECT_EQ(sprite->getColor(), engine::Color3B(1, 2, 3));
    EXPECT_EQ(sprite->getOpacity(), 128);
    runFrames(6);
    EXPECT_EQ(sprite->getTextureRect().origin, engine::Vec2(16, 16)) << "MOVE keeps the picture";
    EXPECT_EQ(sprite->getRotation(), 45.0f);
    EXPECT_EQ(sprite->getBlendFunc(), (engine::BlendFunc{engine::gl::ZERO, engine::gl::ONE_MINUS_SRC_COLOR}));
    EXPECT_EQ(sprite->getOpacity(), 255) << "held at 255";
    EXPECT_TRUE(sprite->isFlippedX() && sprite->isFlippedY()) << "MOVE reads its flips from fields 17 and 18";
    runFrames(6);
    EXPECT_EQ(sprite->getBlendFunc(), (engine::BlendFunc{engine::gl::ONE_MINUS_DST_COLOR, engine::gl::ONE}));
    runFrames(6);
    EXPECT_EQ(node->getChildrenCount(), 0u);
    EXPECT_TRUE(MessageBox::getShown().empty()) << lastBox();
}

TEST_F(CompositeAnimationTest, APictureFolderIsPutBeforeEveryPicture) {
    writeQuadrantSheet("set/sheet.png");
    CompositeAnimation* node = animation(script("folder", paintLine(0, 1, "sheet.png:16:16:3")));
    node->setPictureFolder("set/");
    node->play();
    runFrames(6);
    auto* sprite = dynamic_cast<engine::Sprite*>(node->getChildByTag(1));
    ASSERT_NE(sprite, nullptr) << lastBox();
    EXPECT_NE(sprite->getTexture()->getPath().find("images/set/sheet.png"), std::string::npos);
}

TEST_F(CompositeAnimationTest, SoundsStartAndStopThroughTheAudioManager) {
    write("audio/se/long.mp3", testsupport::silentMp3(200));
    CompositeAnimation* node =
        animation(script("sound", "0,PLAYSE,4,audio/se/long.mp3,0.5\n2,STOPSE,4\n3,STOPSE,9\n"));
    node->play();
    runFrames(6);
    ASSERT_EQ(node->getSoundIds().count(4), 1u);
    const int id = node->getSoundIds().at(4);
    std::vector<std::string> operations;
    for (const auto& entry : engine::AudioEngine::getLog())
        if (entry.id == id) operations.push_back(entry.operation);
    EXPECT_EQ(operations, std::vector<std::string>{"play2d"});
    runFrames(18);
    operations.clear();
    for (const auto& entry : engine::AudioEngine::getLog())
        if (entry.id == id) operations.push_back(entry.operation + ":" + entry.path);
    EXPECT_EQ(operations, (std::vector<std::string>{"play2d:audio/se/long.mp3", "stop:audio/se/long.mp3"}));
    EXPECT_TRUE(node->getSoundIds().empty());
    EXPECT_TRUE(MessageBox::getShown().empty()) << "a sound id never started stops nothing: " << lastBox();
}

TEST_F(CompositeAnimationTest, EventsReachTheOwnerWithBothTexts) {
    CompositeAnimation* node = animation(script("event", "1,FUNC,grapplebody,grappleBody:4:28:24\n"));
    std::vector<std::string> seen;
    node->setOnEvent([&](CompositeAnimation* from, const std::string& name, const std::string& parameter) {
        EXPECT_EQ(from, node);
        seen.push_back(name + "|" + parameter);
    });
    node->play();
    runFrames(12);
    EXPECT_EQ(seen, std::vector<std::string>{"grapplebody|grappleBody:4:28:24"});
}

TEST_F(CompositeAnimationTest, FaultyElementsAreReportedAndSkippedWhilePlaybackGoesOn) {
    const std::string lines = paintLine(0, 1, RED) + paintLine(0, 2, "missing.png") +
                              paintLine(0, 3, "sheet.png:16:16:9") +
                              "1,REMOVE,1\n2,MOVE,1,-,0,0,0,1,1,0,0,0,0,-,-,-,-,x,x\n" + paintLine(3, 4, RED);
    const std::string file = script("faulty", lines);
    CompositeAnimation* node = animation(file);
    node->play();
    runFrames(24);
    std::vector<std::string> messages;
    for (const auto& shown : MessageBox::getShown()) {
        EXPECT_EQ(shown.title, "ANIMATION ERROR");
        messages.push_back(shown.message);
    }
    EXPECT_EQ(messages, (std::vector<std::string>{"Sprite not found. id:2 file:" + file,
                                                  "Sprite not found. id:3 file:" + file,
                                                  "Undefined tag. id:1 file:" + file}));
    EXPECT_NE(node->getChildByTag(4), nullptr) << "later frames still play";

    // A child with the tag that is no sprite, and a PAINT over a tag already there.
    MessageBox::clearShown();
    CompositeAnimation* other = animation(script(
        "cast", paintLine(0, 1, RED) + paintLine(2, 8, RED) + "1,MOVE,8,-,0,0,0,1,1,0,0,0,0,-,-,-,-,x,x\n"));
    other->play();
    runFrames(6);
    other->addChild(engine::Node::create(), 0, 8);
    runFrames(12);
    ASSERT_EQ(MessageBox::getShown().size(), 2u);
    EXPECT_EQ(MessageBox::getShown()[0].message, "cast error.");
    EXPECT_EQ(MessageBox::getShown()[1].message, "ERROR. id:8 file:anime/cast.cma");
}

}  // namespace
