// Drama parts: how a .bds script is read (and what a line that cannot be read becomes), the file
// names of costumed animations and portraits, and a part played in a message window: its pauses,
// its lines waiting for OK, and the parts that must end even though they show nothing.
#include "game/data/Diagnostics.h"
#include "game/scenario/CompositeAnimation.h"
#include "game/scenario/DramaPart.h"
#include "game/scenario/DramaScript.h"
#include "tests/support/MessageFixture.h"

using namespace vastomer;

namespace {

class DramaPartTest : public MessageFixture {
protected:
    // A part of `text`, in a window, on the screen, started; `ended` is set by its end.
    DramaPart* startPart(const std::string& text) {
        window_ = addWindow();
        DramaPart* part = DramaPart::create();
        part->setScript(DramaScript::parse(text, "test.bds", nullptr), "test.bds");
        part->setMessageWindow(window_);
        part->setPosition(480, 270);
        scene_->addChild(part, OVERLAY_Z - 1);
        part->start([this](DramaPart*) { ++ended_; });
        return part;
    }

    void tap(int key) {
        press(key);
        runFrames(1);
        release(key);
        runFrames(1);
    }

    MessageWindow* window_ = nullptr;
    int ended_ = 0;
};

}  // namespace

TEST(DramaScriptTest, RecordsAreReadByTheirFormsAndUnreadableLinesDoNothing) {
    Diagnostics diagnostics;
    DramaScript script = DramaScript::parse(
        "// a comment\r\n"
        "\r\n"
        " TITLE_KEY , SUBTITLE_KEY \r\n"
        "ANIME,catch,anime/drama/DRAMA_001_01,0.5,0,10,-4,3,false,true\r\n"
        "ANIME,far,anime/x.cma,left,0,10,-4,3,true,false,true\r\n"
        "ANIME,REMOVE,catch\r\n"
        "MESSAGE,1,DRAMA_001_01_01,3:12,true,false\r\n"
        "MESSAGE,x,KEY\r\n"
        "MESSAGE,,END\r\n"
        "WAIT,0.5\r\n"
        "WAIT,soon\r\n"
        "ANIME,short,anime/x.cma,0,0\r\n"
        "JUMP,high\r\n",
        "test.bds", &diagnostics);
    EXPECT_EQ(script.title, "TITLE_KEY");
    EXPECT_EQ(script.subtitle, "SUBTITLE_KEY");
    ASSERT_EQ(script.records.size(), 10u);
    const DramaPartData& catchIt = script.records[0];
    EXPECT_EQ(catchIt.type, DramaPartData::ANIME);
    EXPECT_EQ(catchIt.line, 4);
    EXPECT_EQ(catchIt.anchor, engine::Vec2(0.5f, 0));
    EXPECT_EQ(catchIt.position, engine::Vec2(10, -4));
    EXPECT_EQ(catchIt.z, 3);
    EXPECT_TRUE(catchIt.noWait);
    EXPECT_FALSE(catchIt.loop);
    EXPECT_TRUE(catchIt.costumed) << "no .cma: the wear completes the name";
    const DramaPartData& far = script.records[1];
    EXPECT_EQ(far.position, engine::Vec2(0, 0)) << "a word among the numbers places it at the origin";
    EXPECT_EQ(far.z, 0);
    EXPECT_TRUE(far.loop);
    EXPECT_TRUE(far.relative);
    EXPECT_FALSE(far.costumed);
    EXPECT_EQ(script.records[2].type, DramaPartData::ANIME_REMOVE);
    EXPECT_EQ(script.records[2].name, "catch");
    const DramaPartData& line = script.records[3];
    EXPECT_EQ(line.type, DramaPartData::MESSAGE);
    EXPECT_EQ(line.speaker, 1);
    EXPECT_EQ(line.textKey, "DRAMA_001_01_01");
    EXPECT_EQ(line.picture, "3:12");
    EXPECT_TRUE(line.left);
    EXPECT_EQ(script.records[4].type, DramaPartData::NOTHING) << "too few fields";
    EXPECT_EQ(script.records[5].type, DramaPartData::MESSAGE_END) << "empty fields are dropped";
    EXPECT_EQ(script.records[6].type, DramaPartData::WAIT);
    EXPECT_EQ(script.records[6].seconds, 0.5f);
    EXPECT_EQ(script.records[7].type, DramaPartData::NOTHING);
    EXPECT_EQ(script.records[8].type, DramaPartData::NOTHING);
    EXPECT_EQ(script.records[9].type, DramaPartData::NOTHING);
    std::vector<int> lines;
    for (const Diagnostic& entry : diagnostics.entries())
        lines.push_back(entry.line);
    EXPECT_EQ(lines, (std::vector<int>{5, 8, 11, 12, 13}));
}

TEST(DramaScriptTest, CostumedAnimationsAndPortraitsTakeTheEquippedWear) {
    EXPECT_EQ(DramaScript::costumedFile("anime/drama/DRAMA_001_01", 0), "anime/drama/DRAMA_001_01_01.cma");
    EXPECT_EQ(DramaScript::costumedFile("anime/drama/DRAMA_001_01", 8), "anime/drama/DRAMA_001_01_09.cma");
    EXPECT_EQ(DramaScript::portraitFile("3:12", 0), "cf_03_01_12.png");
    EXPECT_EQ(DramaScript::portraitFile("0:5", 2), "cf_00_03_05.png");
    EXPECT_EQ(DramaScript::portraitFile("-", 0), "") << "a creature has no portrait";
    EXPECT_EQ(DramaScript::portraitFile("3:", 0), "");
}

TEST_F(DramaPartTest, APartWithOnlyItsHeaderOrNothingAtAllEndsInItsFirstUpdate) {
    DramaPart* header = startPart("TITLE,SUBTITLE\n");
    DramaPart* empty = startPart("");
    runFrames(1);
    EXPECT_EQ(ended_, 2);
    EXPECT_TRUE(header->isFinished());
    EXPECT_TRUE(empty->isFinished());
}

TEST_F(DramaPartTest, APauseThenALineShowsTheLineInTheFrameAfterThePause) {
    DramaPart* part = startPart("T,S\nWAIT,0.5\nMESSAGE,0,DRAMA_001_01_01,0:1,true,false\nMESSAGE,END\n");
    runFrames(1);
    ASSERT_TRUE(part->isTimedWait());
    int frames = 1;
    while (part->isTimedWait() && frames < 60) {
        runFrames(1);
        ++frames;
    }
    EXPECT_EQ(frames, 31) << "0.5 s of frames after the frame that started it";
    EXPECT_EQ(window_->getTextKey(), "") << "never in the frame the pause ends";
    runFrames(1);
    EXPECT_EQ(window_->getTextKey(), "DRAMA_001_01_01");
    EXPECT_TRUE(window_->isOpen()) << "the window opens for the first line";
    EXPECT_EQ(window_->getPictureFile(true), "cf_00_01_01.png");
    EXPECT_EQ(part->getWaitDescription(), "message (typing)");
}

TEST_F(DramaPartTest, ALineWaitsForOkAndTheWindowClosesAtTheEnd) {
    DramaPart* part = startPart("T,S\nMESSAGE,1,DRAMA_001_01_02,-,false,false\nMESSAGE,END\n");
    runFrames(3);
    tap(KEY_Z);
    EXPECT_EQ(part->getWaitDescription(), "message (key OK)");
    EXPECT_TRUE(window_->isNextCursorShown());
    EXPECT_FALSE(window_->isLeft()) << "the creature speaks from the right";
    EXPECT_EQ(window_->getPictureFile(false), "") << "and has no portrait";
    runFrames(20);
    EXPECT_EQ(ended_, 0);
    tap(KEY_Z);
    for (int i = 0; i < 30 && ended_ == 0; ++i)
        runFrames(1);
    EXPECT_EQ(ended_, 1);
    EXPECT_FALSE(window_->isOpen());
}

TEST_F(DramaPartTest, AnAnimationIsWaitedForUnlessItsFileIsMissingOrItSaysNotTo) {
    DramaPart* part = startPart(
        "T,S\n"
        "ANIME,gone,anime/drama/NO_SUCH,0,0,0,0,1,false,false\n"
        "ANIME,catch,anime/drama/DRAMA_001_01,0,0,0,0,1,false,false\n"
        "ANIME,loop,anime/drama/DRAMA_001_02,0,0,4,0,2,true,true\n"
        "ANIME,REMOVE,catch\n");
    runFrames(1);
    EXPECT_EQ(part->getWaitDescription(), "animation catch") << "the missing one was passed by";
    CompositeAnimation* catchIt = part->getAnimation("catch");
    ASSERT_NE(catchIt, nullptr);
    EXPECT_EQ(catchIt->getFileName(), "anime/drama/DRAMA_001_01_01.cma");
    for (int i = 0; i < 600 && !part->isFinished(); ++i)
        runFrames(1);
    ASSERT_TRUE(part->isFinished());
    EXPECT_EQ(part->getAnimation("catch"), nullptr);
    ASSERT_NE(part->getAnimation("loop"), nullptr);
    EXPECT_EQ(part->getAnimation("loop")->getPosition(), engine::Vec2(4, 0));
    EXPECT_TRUE(part->getAnimation("loop")->isLoop());
}
