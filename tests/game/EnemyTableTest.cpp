// The creatures' AI and action tables as the readers take them: the columns of a row and their
// defaults, rows of the wrong width, unknown words and bad numbers (reported with file and line), the
// shape of a timeline, and the data manager's cache that reads each file once, a missing one too.
#include <gtest/gtest.h>

#include "game/data/ActionTableReader.h"
#include "game/data/AiTableReader.h"
#include "game/data/EnemyTableCache.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

using namespace vastomer;

namespace {

std::string messages(const Diagnostics& diagnostics) {
    std::string all;
    for (const Diagnostic& entry : diagnostics.entries())
        all += Diagnostics::format(entry) + "\n";
    return all;
}

}  // namespace

TEST(EnemyTableReadingTest, AiRowsOfTwoColumnsTakeTheDefaultsAndValuesAreTruncated) {
    Diagnostics diagnostics;
    const AiTable table = AiTableReader::parse(
        "// a comment line\r\n"
        "DISTANCE_P_L,11,0,1,80.9\r\n"
        "\r\n"
        "HP_S,12,10,0,0,extra,columns\n"
        "DEAFULT,13\n"
        "COUNT,7,0,120,-150.7\n",
        "ai.data", &diagnostics, 4);
    EXPECT_TRUE(diagnostics.empty()) << messages(diagnostics);
    EXPECT_EQ(table.id, 4);
    ASSERT_EQ(table.rows.size(), 4u);
    EXPECT_EQ(table.rows[0].condition, AiCondition::DISTANCE_P_L);
    EXPECT_EQ(table.rows[0].actionTableId, 11);
    EXPECT_EQ(table.rows[0].param2, 1);
    EXPECT_EQ(table.rows[0].value, 80) << "a decimal value is truncated toward zero";
    EXPECT_EQ(table.rows[0].line, 2) << "lines count comments and empty lines";
    EXPECT_EQ(table.rows[1].param1, 10) << "columns past the fifth are ignored";
    EXPECT_EQ(table.rows[2].condition, AiCondition::DEAFULT);
    EXPECT_EQ(table.rows[2].param1, -1);
    EXPECT_EQ(table.rows[2].param2, -1);
    EXPECT_EQ(table.rows[2].value, -1);
    EXPECT_EQ(table.rows[3].value, -150);
}

TEST(EnemyTableReadingTest, BadAiRowsAreReportedWithTheirLine) {
    Diagnostics diagnostics;
    const AiTable table = AiTableReader::parse(
        "DISTANCE,11,0,1,80\n"  // unknown word: read as the fallback row
        "HP_S,12,10\n"          // 3 columns: read, the rest -1
        "HP_P\n"                // 1 column: skipped
        "COUNT,x,0,0,0\n"       // no number: skipped
        "COUNT,5,0,0,99999999999.5\n",
        "ai_master_0009.data", &diagnostics);
    ASSERT_EQ(table.rows.size(), 2u);
    EXPECT_EQ(table.rows[0].condition, AiCondition::DEAFULT);
    EXPECT_EQ(table.rows[1].condition, AiCondition::HP_S);
    EXPECT_EQ(table.rows[1].param1, 10);
    EXPECT_EQ(table.rows[1].param2, -1);
    const std::string text = messages(diagnostics);
    EXPECT_NE(text.find("ai_master_0009.data:1: condition \"DISTANCE\" is not a known word"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("ai_master_0009.data:2: has 3 columns"), std::string::npos) << text;
    EXPECT_NE(text.find("ai_master_0009.data:3: has 1 columns, needs 2"), std::string::npos) << text;
    EXPECT_NE(text.find("ai_master_0009.data:4: action table (column 2): \"x\" is not a number"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("ai_master_0009.data:5:"), std::string::npos) << "a value beyond 32 bits: " << text;
}

TEST(EnemyTableReadingTest, ActionTablesAreTimelinesOfSteps) {
    Diagnostics diagnostics;
    const ActionTable table = ActionTableReader::parse(
        "0,SWITCHWALK\n"
        "0,MOVE,0,true,-\n"
        "60,FLIP,0,false,250\n"
        "30,ATTACK,2,false,-,ignored\n",
        "action.data", &diagnostics, 7);
    EXPECT_TRUE(diagnostics.empty()) << messages(diagnostics);
    EXPECT_EQ(table.id, 7);
    EXPECT_EQ(table.lastStep, 60);
    ASSERT_EQ(table.steps.size(), 3u);
    const std::vector<ActionRow>& first = table.steps.at(0);
    ASSERT_EQ(first.size(), 2u) << "a step may hold several rows, in file order";
    EXPECT_EQ(first[0].action, ActionKind::SWITCHWALK);
    EXPECT_EQ(first[0].param, 0);
    EXPECT_FALSE(first[0].flag);
    EXPECT_EQ(first[0].text, "");
    EXPECT_EQ(first[1].action, ActionKind::MOVE);
    EXPECT_TRUE(first[1].flag);
    EXPECT_EQ(table.steps.at(30)[0].param, 2);
    EXPECT_FLOAT_EQ(table.steps.at(60)[0].number, 250.0f);
    EXPECT_EQ(ActionTableReader::parse("", "empty.data", nullptr).lastStep, 0) << "at least 0";
}

TEST(EnemyTableReadingTest, BadActionRowsAreReadSoundlyAndReported) {
    Diagnostics diagnostics;
    const ActionTable table = ActionTableReader::parse(
        "0,DANCE\n"              // unknown word: WAIT
        "1,ATTACK,3\n"           // 3 columns: flag false, no text
        "2,FLIP,0,false,left\n"  // a FLIP towards a text that is no number faces x 0
        "-4,JUMP\n"              // never runs: skipped
        "five,JUMP\n"            // no step number: skipped
        "3,LOCKAI,0,yes,-\n",    // a flag that is not "true" is false
        "action_master_0042.data", &diagnostics);
    EXPECT_EQ(table.steps.at(0)[0].action, ActionKind::WAIT);
    EXPECT_EQ(table.steps.at(1)[0].param, 3);
    EXPECT_FALSE(table.steps.at(1)[0].flag);
    EXPECT_FLOAT_EQ(table.steps.at(2)[0].number, 0.0f);
    EXPECT_EQ(table.steps.at(2)[0].text, "left");
    EXPECT_FALSE(table.steps.at(3)[0].flag);
    EXPECT_EQ(table.steps.size(), 4u);
    EXPECT_EQ(table.lastStep, 3);
    const std::string text = messages(diagnostics);
    for (int line = 1; line <= 6; ++line)
        EXPECT_NE(text.find("action_master_0042.data:" + std::to_string(line) + ":"), std::string::npos)
            << "line " << line << ":\n"
            << text;
    EXPECT_NE(text.find("faces x 0"), std::string::npos) << text;
    EXPECT_FLOAT_EQ(ActionTableReader::numberIn("250abc"), 0.0f) << "the whole text must be a number";
    EXPECT_FLOAT_EQ(ActionTableReader::numberIn("-12.5"), -12.5f);
}

TEST(EnemyTableCacheTest, ReadsEachFileOnceAndRemembersAMissingOne) {
    testsupport::TempFolder folder;
    testsupport::writeFile(folder / "master/ai/ai_master_0012.data", "DEAFULT,305\n");
    testsupport::writeFile(folder / "master/action/action_master_0305.data", "0,WAIT\n60,FLIP\n");
    Diagnostics diagnostics;
    EnemyTableCache cache(DataSource::folder(folder.path()), &diagnostics);
    EXPECT_EQ(EnemyTableCache::aiFileName(12), "master/ai/ai_master_0012.data");
    EXPECT_EQ(EnemyTableCache::actionFileName(305), "master/action/action_master_0305.data");

    const AiTable& ai = cache.getAiTable(12);
    EXPECT_EQ(ai.id, 12);
    ASSERT_EQ(ai.rows.size(), 1u);
    EXPECT_EQ(cache.getActionTable(305).lastStep, 60);
    const AiTable& missing = cache.getAiTable(77);
    EXPECT_EQ(missing.id, -1);
    EXPECT_TRUE(missing.rows.empty());
    EXPECT_EQ(cache.getActionTable(78).id, -1);
    EXPECT_EQ(cache.getReadCount(), 4);

    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(&cache.getAiTable(12), &ai) << "the same table, read once";
        cache.getAiTable(77);
        cache.getActionTable(78);
    }
    EXPECT_EQ(cache.getReadCount(), 4) << "a missing file is not looked for again";
    EXPECT_TRUE(diagnostics.empty());

    testsupport::writeFile(folder / "master/ai/ai_master_0013.data", "NEAR,1\n");
    cache.getAiTable(13);
    ASSERT_EQ(diagnostics.size(), 1u);
    EXPECT_NE(Diagnostics::format(diagnostics.entries()[0]).find("ai_master_0013.data:1:"),
              std::string::npos);
}
