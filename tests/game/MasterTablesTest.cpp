// The text rules every master and stage table shares, checked on the real table loaders.
#include <gtest/gtest.h>

#include "game/data/Diagnostics.h"
#include "game/data/MasterTableReader.h"
#include "game/data/MasterTables.h"
#include "game/data/MasterText.h"

using namespace vastomer;

namespace {

const char* const WEAPON_LINE = "0,IRON_FAN,12,24,20,24,28,24,-1,1,0,1,2,3,0";

bool mentions(const Diagnostics& diagnostics, int line, const std::string& text) {
    for (const Diagnostic& entry : diagnostics.entries())
        if (entry.line == line && entry.message.find(text) != std::string::npos) return true;
    return false;
}

}  // namespace

TEST(MasterTablesTest, EmptyFieldsCollapseAndLaterColumnsShift) {
    std::vector<MasterLine> lines = MasterText::readLines("5,,7\n");
    ASSERT_EQ(lines.size(), 1u);
    EXPECT_EQ(lines[0].fields, (std::vector<std::string>{"5", "7"}));

    // A wear line with an empty hpBonus moves the effect into lpBonus and is one column short.
    Diagnostics diagnostics;
    auto rows = MasterTableReader::readWear("1,,10,0,saintfield\n", "wear", &diagnostics);
    EXPECT_TRUE(rows.empty());
    EXPECT_TRUE(mentions(diagnostics, 1, "has 4 columns, needs 5"));
}

TEST(MasterTablesTest, OnlyLeadingSlashesMakeAComment) {
    auto rows = MasterTableReader::readSituations("//1,hidden\n2,left//right\n 3,indented\n", "s");
    ASSERT_EQ(rows.size(), 2u);
    EXPECT_EQ(rows[0].record.id, 2);
    EXPECT_EQ(rows[0].record.text, "left//right");
    EXPECT_EQ(rows[1].record.id, 3);  // leading blank before a number is allowed
}

TEST(MasterTablesTest, CrLfReadsLikeLfAndLinesKeepTheirPhysicalNumbers) {
    std::string lf = "// weapons\n\n" + std::string(WEAPON_LINE) + "\n\n// more\n" +
                     "3,TWIN,7,10,16,24,20,20,-1,4,0,10,11,12,0\n";
    std::string crlf;
    for (char c : lf)
        crlf += c == '\n' ? std::string("\r\n") : std::string(1, c);
    auto a = MasterTableReader::readWeapons(lf, "w");
    auto b = MasterTableReader::readWeapons(crlf, "w");
    ASSERT_EQ(a.size(), 2u);
    ASSERT_EQ(b.size(), 2u);
    EXPECT_EQ(a[1].line, 6);
    EXPECT_EQ(b[1].line, 6);
    EXPECT_EQ(b[1].record.name, "TWIN");
    EXPECT_EQ(b[1].record.reloadTime, 0);
    EXPECT_EQ(b[0].record.name, a[0].record.name);
}

TEST(MasterTablesTest, NumbersAreReadFromTheStartOfAField) {
    Diagnostics diagnostics;
    auto rows = MasterTableReader::readShopLineup(
        "12abc, 3000 ,wear\n"     // digits then letters: the digits, reported
        "-4,+1500,weapon\n"       // signs
        "abc,100,weapon\n"        // no number: skipped
        "1,99999999999,weapon\n"  // beyond 32 bits: skipped
        "2,2147483647,weapon\n",  // the largest int is fine
        "shop", &diagnostics);
    ASSERT_EQ(rows.size(), 3u);
    EXPECT_EQ(rows[0].record.itemId, 12);
    EXPECT_EQ(rows[0].record.price, 3000);
    EXPECT_TRUE(rows[0].record.isWear);
    EXPECT_TRUE(mentions(diagnostics, 1, "read as 12"));
    EXPECT_EQ(rows[1].record.itemId, -4);
    EXPECT_EQ(rows[1].record.price, 1500);
    EXPECT_TRUE(mentions(diagnostics, 3, "\"abc\" is not a number; line skipped"));
    EXPECT_TRUE(mentions(diagnostics, 4, "does not fit in 32 bits"));
    EXPECT_EQ(rows[2].record.price, 2147483647);

    auto bullets = MasterTableReader::readBullets("1,5,6,1,20,8.5,.25,0\n", "b");
    ASSERT_EQ(bullets.size(), 1u);
    EXPECT_FLOAT_EQ(bullets[0].record.size.width, 8.5f);
    EXPECT_FLOAT_EQ(bullets[0].record.size.height, 0.25f);
}

TEST(MasterTablesTest, BooleansAreTrueOnlyForLowerCaseTrue) {
    Diagnostics diagnostics;
    auto rows = MasterTableReader::readCombines("5,0,5,TRUE,true,1,false,yes\n", "c", &diagnostics);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_FALSE(rows[0].record.gameOverFlag);
    EXPECT_TRUE(rows[0].record.attachFlag);
    EXPECT_FALSE(rows[0].record.enemyVisibleFlag);
    EXPECT_FALSE(rows[0].record.redirectFlag);
    EXPECT_TRUE(mentions(diagnostics, 1, "\"TRUE\" is neither true nor false"));
}

TEST(MasterTablesTest, RepeatedKeyKeepsTheLaterLine) {
    MasterTables tables;
    Diagnostics diagnostics;
    tables.loadText(MasterTable::CHARACTER,
                    "3,FIRST,10,24,24,16,20,4,-12,8,8,0,1,5,1,false,false,60\n"
                    "3,SECOND,20,24,24,16,20,4,-12,8,8,0,1,5,1,false,false,60\n",
                    "characters", &diagnostics);
    EXPECT_EQ(tables.getCharacterMaster(3).name, "SECOND");
    EXPECT_EQ(tables.getCharacterMaster(3).hp, 20);
    EXPECT_TRUE(mentions(diagnostics, 2, "repeats line 1"));
}

TEST(MasterTablesTest, CharacterColumnsFollowTheirOddOrder) {
    auto rows = MasterTableReader::readCharacters(
        "7,SENTRY,36,32,40,24,30,5,-12,9,11,99,3,10,7,true,true,150\n", "c");
    ASSERT_EQ(rows.size(), 1u);
    const CharacterMaster& c = rows[0].record;
    EXPECT_EQ(c.bodyHeight, 30);
    EXPECT_EQ(c.moveSpeed, 5);
    EXPECT_EQ(c.motionA, -12);
    EXPECT_EQ(c.jumpPower, 9);
    EXPECT_EQ(c.motionC, 11);  // column 10
    EXPECT_EQ(c.spare, 99);    // column 11
    EXPECT_EQ(c.motionB, 3);   // column 12
    EXPECT_EQ(c.attack, 10);
    EXPECT_EQ(c.aiId, 7);
    EXPECT_TRUE(c.flying);
    EXPECT_TRUE(c.flag2);
    EXPECT_EQ(c.score, 150);
}

TEST(MasterTablesTest, OptionalColumns) {
    auto weapons =
        MasterTableReader::readWeapons(std::string(WEAPON_LINE) + "\n" + WEAPON_LINE + ",heavy\n", "w");
    ASSERT_EQ(weapons.size(), 2u);
    EXPECT_EQ(weapons[0].record.trait, "");
    EXPECT_EQ(weapons[1].record.trait, "heavy");
    EXPECT_FALSE(weapons[0].record.hasBullet);

    Diagnostics diagnostics;
    auto bullets = MasterTableReader::readBullets(
        "1,5,6,1,20,8,4,0\n"        // 8 columns: no velocity
        "2,5,6,1,20,8,4,3,-4\n"     // 9 columns: half a velocity is ignored, the bullet stays
        "3,5,6,1,20,8,4,3,-4,6\n",  // 10 columns: velocity
        "b", &diagnostics);
    ASSERT_EQ(bullets.size(), 3u);
    EXPECT_FLOAT_EQ(bullets[0].record.velocity.x, 0.0f);
    EXPECT_FLOAT_EQ(bullets[1].record.velocity.x, 0.0f);
    EXPECT_TRUE(mentions(diagnostics, 2, "velocity needs two columns"));
    EXPECT_FLOAT_EQ(bullets[2].record.velocity.x, -4.0f);
    EXPECT_FLOAT_EQ(bullets[2].record.velocity.y, 6.0f);
}

TEST(MasterTablesTest, ShortLinesAreSkippedAndReportedInEveryTable) {
    struct Case {
        MasterTable table;
        const char* shortLine;
        const char* needs;
    } cases[] = {
        {MasterTable::CHARACTER, "1,SPROUT,12,24,24,16,20,4,-12,8,8,0,1,5,1,false,false", "needs 18"},
        {MasterTable::WEAR, "1,10,0,0", "needs 5"},
        {MasterTable::WEAPON, "0,IRON_FAN,12,24,20,24,28,24,-1,1,0,1,2,3", "needs 15"},
        {MasterTable::BULLET, "1,5,6,1,20,8,4", "needs 8"},
        {MasterTable::SHOP_LINEUP, "1,3000", "needs 3"},
        {MasterTable::HINT, "1,1,0", "needs 4"},
        {MasterTable::COMBINE, "5,0,5,false,true,false,false", "needs 8"},
        {MasterTable::SITUATION, "12", "needs 2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(MasterTables::fileName(c.table));
        MasterTables tables;
        Diagnostics diagnostics;
        tables.loadText(c.table, std::string("// header\n") + c.shortLine + "\n", "t", &diagnostics);
        EXPECT_TRUE(mentions(diagnostics, 2, c.needs));
        EXPECT_EQ(tables.getShopLineupCount() + tables.getHintCount() + tables.getSituationCount() +
                      static_cast<int>(tables.characterRows().size() + tables.wearRows().size() +
                                       tables.weaponRows().size() + tables.bulletRows().size() +
                                       tables.combineRows().size()),
                  0);
    }
}

TEST(MasterTablesTest, HintColumnTwoMustBeANumber) {
    Diagnostics diagnostics;
    auto rows = MasterTableReader::readHints("1,1,x,-1\n2,1,7,3\n", "h", &diagnostics);
    ASSERT_EQ(rows.size(), 1u);
    EXPECT_EQ(rows[0].record.scriptNo, 2);
    EXPECT_EQ(rows[0].record.notCleared, 3);
    EXPECT_EQ(rows[0].record.needWear, -1);
    EXPECT_TRUE(mentions(diagnostics, 1, "is not a number"));
}

TEST(MasterTablesTest, UnknownKeywordsAreReportedButKept) {
    Diagnostics diagnostics;
    MasterTables tables;
    tables.loadText(MasterTable::WEAR, "1,0,0,0,saintfeld\n2,0,0,0,lustup\n", "wear", &diagnostics);
    tables.loadText(MasterTable::SHOP_LINEUP, "1,100,armour\n", "shop", &diagnostics);
    EXPECT_EQ(tables.getWearMaster(1).effect, "saintfeld");
    EXPECT_FALSE(tables.getShopLineupEntry(0).isWear);
    EXPECT_EQ(diagnostics.size(), 2u);
}

TEST(MasterTablesTest, MemoryBackgroundsKeepTheirOwnRules) {
    Diagnostics diagnostics;
    auto rows = MasterTableReader::readMemoryBackgrounds("// list\r\n1\r\n\n  2 \n1.5\nx5\nthree\n", "bg",
                                                         &diagnostics);
    std::vector<int> values;
    for (const auto& row : rows)
        values.push_back(row.record);
    EXPECT_EQ(values, (std::vector<int>{1, 2, 1}));
    EXPECT_EQ(rows[1].line, 4);
    EXPECT_TRUE(mentions(diagnostics, 6, "x5"));
    EXPECT_TRUE(mentions(diagnostics, 7, "three"));
}

TEST(MasterTablesTest, NumberPatternIsTheGamesLooseOne) {
    // ^[-+]?[0-9]*.?[0-9]+$ with the dot standing for any one character but a line break.
    struct Case {
        const char* text;
        bool number;
    } cases[] = {{"0", true},     {"12", true},    {"-3", true},    {"+7", true},    {"1.5", true},
                 {".5", true},    {"-.5", true},   {"1x5", true},   {"x5", true},    {"++5", true},
                 {"--1", true},   {" 12", true},   {"007", true},   {"5.", false},   {"5x", false},
                 {"", false},     {"-", false},    {"1..5", false}, {"12 ", false},  {"a", false},
                 {"1\n5", false}, {"1\r5", false}, {"x 5", false},  {"1.5.5", false}};
    for (const Case& c : cases)
        EXPECT_EQ(MasterText::isNumber(c.text), c.number) << c.text;
}

TEST(MasterTablesTest, LookupsOfMissingIdsGiveDefaultRecords) {
    MasterTables tables;
    EXPECT_EQ(tables.getCharacterMaster(9).id, 0);
    EXPECT_EQ(tables.getWearMaster(9).id, -1);
    WeaponMaster weapon = tables.getWeaponMaster(9);
    EXPECT_EQ(weapon.id, -1);
    EXPECT_EQ(weapon.bulletId, -1);
    EXPECT_EQ(weapon.attackAnim2, 1);
    EXPECT_EQ(weapon.attackAnim3, 2);
    EXPECT_EQ(tables.getBulletMaster(9).hitEffect, -1);
    EXPECT_EQ(tables.getShopLineupEntry(-1).itemId, -1);
    EXPECT_EQ(tables.getShopLineupEntry(0).itemId, -1);
    CombineEntry none = tables.getCombine(1, 0);
    EXPECT_EQ(none.dramaNo, -1);
    EXPECT_EQ(none.characterId, -1);
    EXPECT_TRUE(none.attachFlag);
    EXPECT_EQ(tables.getSituation(3).id, 0);
}

TEST(MasterTablesTest, CombinesAreOrderedByCharacterThenKey) {
    MasterTables tables;
    tables.loadText(MasterTable::COMBINE,
                    "9,30,10,false,false,true,false,false\n"
                    "9,0,9,false,false,false,false,false\n"
                    "2,0,2,false,true,false,false,false\n",
                    "c");
    std::vector<CombineEntry> of9 = tables.getCombinesOf(9);
    ASSERT_EQ(of9.size(), 2u);
    EXPECT_EQ(of9[0].key, 0);
    EXPECT_EQ(of9[1].key, 30);
    EXPECT_EQ(tables.getAllCombines().front().characterId, 2);
    EXPECT_EQ(tables.getCombine(9, 30).dramaNo, 10);
    EXPECT_TRUE(tables.getCombinesOf(4).empty());
}
