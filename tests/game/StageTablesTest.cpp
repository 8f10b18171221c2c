// Stage index and stage files, the stage queries, and the bookkeeping of a stage clear.
#include <cstdio>

#include <gtest/gtest.h>

#include "game/data/StageTables.h"
#include "tests/support/DataFixture.h"

using namespace vastomer;

namespace {

bool mentions(const Diagnostics& diagnostics, int line, const std::string& text) {
    for (const Diagnostic& entry : diagnostics.entries())
        if (entry.line == line && entry.message.find(text) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(StageTablesFileTest, CommentsAndEmptyLinesDoNotCount) {
    StageFile plain;
    StageFile commented;
    ASSERT_TRUE(StageTables::readStageFile("2,Glasshouse\n3,1,2,2\n1\n4\n3\n", "a", plain));
    ASSERT_TRUE(StageTables::readStageFile("// one\n// two\r\n\n// three\n\n2,Glasshouse\n3,1,2,2\n1\n4\n3\n",
                                           "b", commented));
    EXPECT_EQ(commented.record.stageNumber, 2);
    EXPECT_EQ(commented.record.label, "Glasshouse");
    EXPECT_EQ(commented.record.parts, (std::set<int>{1, 2, 3}));
    EXPECT_EQ(commented.record.startPart, plain.record.startPart);
    EXPECT_EQ(commented.record.bossPart, 4);
    EXPECT_EQ(commented.record.nextStage, 3);
    EXPECT_EQ(commented.lines[0], 6);
    EXPECT_EQ(commented.lines[4], 10);
}

TEST(StageTablesFileTest, SingleNumberLinesReadTheLeadingNumber) {
    StageFile stage;
    Diagnostics diagnostics;
    ASSERT_TRUE(
        StageTables::readStageFile("1,Street\n1,2\n2,the rooftops\n 1\n-1,none\n", "s", stage, &diagnostics));
    EXPECT_EQ(stage.record.startPart, 2);
    EXPECT_EQ(stage.record.bossPart, 1);
    EXPECT_EQ(stage.record.nextStage, -1);
    EXPECT_TRUE(diagnostics.empty());
}

TEST(StageTablesFileTest, ABrokenStageFileIsRefusedWithItsLine) {
    struct Case {
        const char* text;
        int line;
        const char* message;
    } cases[] = {
        {"1,Street\n1,x,3\n1\n4\n2\n", 2, "\"x\" is not a number; the stage is not loaded"},
        {"x,Street\n1,2\n1\n4\n2\n", 1, "is not a number"},
        {"1,Street\n1,2\nstart\n4\n2\n", 3, "start part"},
        {"1,Street\n1,2\n1\n4\n99999999999\n", 5, "does not fit in 32 bits"},
        {"1,Street\n1,2\n1\n// no boss line\n", 0, "needs 5 (boss part is missing)"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        StageFile stage;
        Diagnostics diagnostics;
        EXPECT_FALSE(StageTables::readStageFile(c.text, "s", stage, &diagnostics));
        EXPECT_TRUE(mentions(diagnostics, c.line, c.message));
    }
}

TEST(StageTablesFileTest, AuthorsHearOfPartsThatDoNotFit) {
    StageFile stage;
    Diagnostics diagnostics;
    ASSERT_TRUE(StageTables::readStageFile("1\n1,2,3\n5\n3\n2\nextra\n", "s", stage, &diagnostics));
    EXPECT_TRUE(mentions(diagnostics, 1, "no label"));
    EXPECT_TRUE(mentions(diagnostics, 3, "start part 5 is not among the parts"));
    EXPECT_TRUE(mentions(diagnostics, 6, "after the fifth are ignored"));
}

class StageTablesTest : public DataFixture {};

TEST_F(StageTablesTest, AStageWithoutAFileStaysListedWithoutARecord) {
    writeFixtureTables();
    write("master/stages_master.data", "// stages\n1,0\n4,3,extra column\n2,1\n");
    DataManager* data = start();
    EXPECT_EQ(data->getStageNumbers(), (std::vector<int>{1, 4, 2}));
    EXPECT_EQ(data->getStageRecord(4).stageNumber, -1);
    EXPECT_EQ(data->getStageRecord(2).requiredProgress, 1);
    EXPECT_EQ(data->getStageRecord(2).nextStage, 3);
    EXPECT_EQ(data->getStageBestScores(), (std::map<int, int>{{1, 0}, {2, 0}, {4, 0}}));

    StageTables stages;
    Diagnostics diagnostics;
    stages.load(DataSource::searchPaths(), &diagnostics);
    EXPECT_TRUE(mentions(diagnostics, 3, "master/stage/stage_0004.data not found"));
    EXPECT_FALSE(diagnostics.entries().empty());
}

TEST_F(StageTablesTest, NoIndexMeansNoStages) {
    writeFixtureTables();
    write("master/stages_master.data", "");
    std::remove((resources_ / "res/data/master/stages_master.data").c_str());
    DataManager* data = start();
    EXPECT_TRUE(data->getStageNumbers().empty());
    EXPECT_NE(saveText().find("stagescore:\n"), std::string::npos);
}

TEST_F(StageTablesTest, StagesOpenWithProgressAndUnknownStagesNever) {
    writeFixtureTables();
    DataManager* data = start();
    EXPECT_TRUE(data->isStageOpen(1));
    EXPECT_FALSE(data->isStageOpen(2));
    data->setProgress(1);
    EXPECT_TRUE(data->isStageOpen(2));
    data->setProgress(1000);
    EXPECT_FALSE(data->isStageOpen(9));
    EXPECT_FALSE(data->isStageOpen(-1));
}

TEST_F(StageTablesTest, FirstClearOpensTheNextStageAndSavesIt) {
    writeFixtureTables();
    DataManager* data = start();
    data->setCurrentStage(1);
    data->addScore(3200);
    EXPECT_EQ(data->finishStage(), 2);
    EXPECT_EQ(data->getProgress(), 1);
    EXPECT_EQ(data->getStageScore(1), 3200);
    // The raised progress is already in the file.
    EXPECT_NE(saveText().find("progress:1\n"), std::string::npos);
    EXPECT_NE(saveText().find("stagescore:1@3200,"), std::string::npos);

    // Replaying stage 1 neither lowers nor raises progress; a lower or equal total keeps the best.
    data->setTotalScore(3000);
    EXPECT_EQ(data->onStageClear(), 2);
    EXPECT_EQ(data->getProgress(), 1);
    EXPECT_EQ(data->getStageScore(1), 3200);
    data->setTotalScore(3200);
    EXPECT_EQ(data->finishStage(), 2);
    EXPECT_EQ(data->getStageScore(1), 3200);
    data->setTotalScore(5000);
    data->finishStage();
    EXPECT_EQ(data->getStageScore(1), 5000);

    // A later stage that is already far behind does not lower progress either.
    data->setProgress(2);
    data->setCurrentStage(1);
    EXPECT_EQ(data->finishStage(), 2);
    EXPECT_EQ(data->getProgress(), 2);
}

TEST_F(StageTablesTest, TheLastStageLeadsNowhere) {
    writeFixtureTables();
    DataManager* data = start();
    data->setProgress(2);
    data->setCurrentStage(3);
    data->setTotalScore(7000);
    EXPECT_EQ(data->finishStage(), -1);
    EXPECT_EQ(data->getProgress(), 2);
    EXPECT_EQ(data->getStageScore(3), 7000);
    EXPECT_NE(saveText().find("3@7000"), std::string::npos);
}

TEST_F(StageTablesTest, ANextStageWithoutARecordRaisesNothing) {
    writeFixtureTables();
    writeStage(3, 4);  // stage 4 is not in the index
    DataManager* data = start();
    data->setProgress(2);
    data->setCurrentStage(3);
    EXPECT_EQ(data->finishStage(), -1);
    EXPECT_EQ(data->finishStage(), -1);
    EXPECT_EQ(data->getProgress(), 2);
}

TEST_F(StageTablesTest, ANextStageThatNeedsMoreProgressIsNotOfferedYet) {
    writeFixtureTables();
    write("master/stages_master.data", "1,0\n2,3\n3,2\n");
    DataManager* data = start();
    data->setCurrentStage(1);
    EXPECT_EQ(data->finishStage(), -1);
    EXPECT_EQ(data->getProgress(), 1);
}

TEST_F(StageTablesTest, TheNextStageIsTheOneTheClearedStageNames) {
    writeFixtureTables();
    // Stage 2's own file carries another number inside; the index and stage 1's file call it 2.
    write("master/stage/stage_0002.data", "7,Glasshouse\n1,2,3,4\n1\n4\n3\n");
    DataManager* data = start();
    data->setCurrentStage(1);
    EXPECT_EQ(data->finishStage(), 2);
    EXPECT_EQ(data->getProgress(), 1);
    EXPECT_TRUE(data->isStageOpen(2));
    // A second clear neither raises progress again nor offers anything else.
    EXPECT_EQ(data->finishStage(), 2);
    EXPECT_EQ(data->getProgress(), 1);
}
