// Reading ".bks" scenario scripts into their typed command lists.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "game/data/DataSource.h"
#include "game/data/Diagnostics.h"
#include "game/scenario/ScenarioScript.h"
#include "game/scenario/ScenarioScriptParser.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

using vastomer::DataSource;
using vastomer::Diagnostics;
using vastomer::ScenarioCommand;
using vastomer::ScenarioScript;
using vastomer::ScenarioScriptParser;
using vastomer::ScenarioValue;

namespace {

class ScenarioScriptTest : public ::testing::Test {
protected:
    std::vector<ScenarioCommand> parse(const std::string& text) {
        diagnostics_.clear();
        return ScenarioScriptParser::parse(text, "scenario/test.bks", "test.bks", &diagnostics_);
    }
    // The one command of a one-line script.
    ScenarioCommand one(const std::string& line) {
        std::vector<ScenarioCommand> commands = parse(line);
        EXPECT_EQ(commands.size(), 1u) << line;
        return commands.empty() ? ScenarioCommand() : commands.front();
    }
    std::vector<std::string> messages() const {
        std::vector<std::string> out;
        for (const auto& entry : diagnostics_.entries())
            out.push_back(Diagnostics::format(entry));
        return out;
    }

    Diagnostics diagnostics_;
};

::testing::AssertionResult isText(const ScenarioValue& value, const std::string& text) {
    if (value.hasText && !value.hasInt && !value.hasFloat && value.text == text)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "not the text '" << text << "' (text '" << value.text << "', flags " << value.hasText
           << value.hasInt << value.hasFloat << ")";
}
::testing::AssertionResult isInt(const ScenarioValue& value, int number) {
    if (value.hasInt && !value.hasText && !value.hasFloat && value.intValue == number && value.text.empty())
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure() << "not the integer " << number << " (got " << value.intValue << ")";
}
::testing::AssertionResult isFloat(const ScenarioValue& value, float number) {
    if (value.hasFloat && !value.hasText && !value.hasInt && value.floatValue == number)
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "not the number " << number << " (got " << value.floatValue << ")";
}

TEST_F(ScenarioScriptTest, CrLfLineEndsReadExactlyLikeLineFeeds) {
    const std::string lf = "// opening\nTALK;START;LEFT\nTALK;MSG_0001;AUTO\n\nWAIT;0.5\nTALK;END\n";
    std::string crlf;
    for (char c : lf) {
        if (c == '\n') crlf += '\r';
        crlf += c;
    }
    std::vector<ScenarioCommand> a = parse(lf);
    std::vector<ScenarioCommand> b = parse(crlf);
    ASSERT_EQ(a.size(), 4u);
    ASSERT_EQ(b.size(), a.size());
    for (std::size_t i = 0; i < a.size(); ++i) {
        EXPECT_EQ(a[i].name, b[i].name);
        EXPECT_EQ(a[i].line, b[i].line);
        ASSERT_EQ(a[i].args.size(), b[i].args.size());
        for (std::size_t k = 0; k < a[i].args.size(); ++k)
            EXPECT_EQ(a[i].args[k].text, b[i].args[k].text);
    }
    EXPECT_TRUE(isText(b[1].arg(1), "AUTO"));  // no carriage return left on the last field
    EXPECT_EQ(b[2].line, 5);                   // physical lines, empty ones counted
    EXPECT_TRUE(diagnostics_.empty());
}

TEST_F(ScenarioScriptTest, CommentsAreWholeLinesAndDoubleSemicolonsAreOneSeparator) {
    std::vector<ScenarioCommand> commands =
        parse("//TALK;MSG_SKIPPED\nTALK;;MSG_0002\nTALK;MSG A // not a comment;;RIGHT;\n;;\n");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_TRUE(isText(commands[0].arg(0), "MSG_0002"));
    EXPECT_EQ(commands[0].argCount(), 1u);
    EXPECT_TRUE(isText(commands[1].arg(0), "MSG A // not a comment"));
    EXPECT_TRUE(isText(commands[1].arg(1), "RIGHT"));
    EXPECT_EQ(commands[1].argCount(), 2u);
}

TEST_F(ScenarioScriptTest, OptionalFieldsAreReadWhenTheLineReachesThem) {
    EXPECT_EQ(one("TALK;SPEAKER;SPRITE;LEFT;00:01").argCount(), 4u);
    ScenarioCommand sprite = one("TALK;SPEAKER;SPRITE;RIGHT;01:02;ANIME;DEACTIVE");
    ASSERT_EQ(sprite.argCount(), 6u);
    EXPECT_TRUE(isText(sprite.arg(4), "ANIME"));
    EXPECT_TRUE(isText(sprite.arg(5), "DEACTIVE"));

    EXPECT_EQ(one("TALK;START").argCount(), 1u);
    EXPECT_TRUE(isText(one("TALK;START;RIGHT").arg(1), "RIGHT"));
    EXPECT_EQ(one("TALK;SPEAKER;CLEAR;LEFT;x").argCount(), 4u);
    EXPECT_EQ(one("TALK;MSG;LEFT;AUTO").argCount(), 3u);

    ScenarioCommand move = one("CHARA;MOVE;PLAYER;-40;0;1.5;WALK;WAIT");
    ASSERT_EQ(move.argCount(), 7u);
    EXPECT_TRUE(isInt(move.arg(2), -40));
    EXPECT_TRUE(isFloat(move.arg(4), 1.5f));
    EXPECT_TRUE(isText(move.arg(6), "WAIT"));
    EXPECT_EQ(one("CHARA;MOVE;PLAYER;-40;0;1.5").argCount(), 5u);

    ScenarioCommand add = one("VAR;visits;1;+");
    EXPECT_TRUE(isInt(add.arg(1), 1));
    EXPECT_TRUE(isText(add.arg(2), "+"));
    EXPECT_TRUE(isText(one("VAR;visits;R").arg(1), "R"));
    // A hidden character needs no flag: without one it is hidden.
    EXPECT_EQ(one("CHARA;VISIBLE;aoi").argCount(), 2u);
    EXPECT_TRUE(diagnostics_.empty());
}

TEST_F(ScenarioScriptTest, CameraTimesBelowZeroBecomeZero) {
    ScenarioCommand point = one("CAM;100;-20;0.5");
    EXPECT_TRUE(isInt(point.arg(0), 100));
    EXPECT_TRUE(isInt(point.arg(1), -20));
    EXPECT_TRUE(isFloat(point.arg(2), 0.5f));
    EXPECT_TRUE(isFloat(one("CAM;100;-20;-1").arg(2), 0.0f));
    EXPECT_TRUE(isFloat(one("CAM;CHARA;PLAYER;-1").arg(2), 0.0f));
    EXPECT_TRUE(isFloat(one("CAM;CENTER;-0.5").arg(1), 0.0f));
    ScenarioCommand relative = one("CAM;RELATIVE;16;-8;-1");
    EXPECT_TRUE(isInt(relative.arg(2), -8));
    EXPECT_TRUE(isFloat(relative.arg(3), 0.0f));
    // Other times keep their sign; the engine treats them as at once.
    EXPECT_TRUE(isFloat(one("CHARA;MOVE;aoi;8;0;-1").arg(4), -1.0f));
    EXPECT_TRUE(diagnostics_.empty());
}

TEST_F(ScenarioScriptTest, ShortLinesAreDroppedAndReportedWithTheirLine) {
    std::vector<ScenarioCommand> commands = parse(
        "TALK;START\n"
        "CAM;CHARA;PLAYER\n"  // no seconds
        "TALK;SPEAKER;SPRITE;LEFT\n"
        "ANIME;GEN;a.cma;id;1;2;3;true;BACK\n"  // nine fields: neither form
        "SPRITE;bg;back.png;0;0\n"
        "SOUND;se/cursor20.mp3\n"
        "COND;HP;>=;1\n"
        "WAIT\n"
        "TALK;END\n");
    ASSERT_EQ(commands.size(), 2u);
    EXPECT_TRUE(isText(commands[1].arg(0), "END"));
    EXPECT_EQ(commands[1].line, 9);
    std::vector<std::string> reported = messages();
    ASSERT_EQ(reported.size(), 7u);
    EXPECT_EQ(reported[0],
              "test.bks:2: CAM: CAM;CHARA;character;seconds needs 4 fields, the line has 3; line skipped");
    EXPECT_EQ(reported[6].rfind("test.bks:8: WAIT:", 0), 0u) << reported[6];
}

TEST_F(ScenarioScriptTest, FieldsThatAreNoNumbersReadAsZeroWithAMessage) {
    EXPECT_TRUE(isFloat(one("WAIT;soon").arg(0), 0.0f));
    EXPECT_EQ(messages().at(0), "test.bks:1: WAIT: field 1 (seconds) 'soon' is not a number; reads as 0");
    EXPECT_TRUE(isInt(one("VAR;count;3.7").arg(1), 3));
    EXPECT_TRUE(diagnostics_.empty());
    // The number test lets a letter through in its middle position; the leading number is read.
    EXPECT_TRUE(isInt(one("VAR;count;1x5").arg(1), 1));
    EXPECT_TRUE(isInt(one("VAR;count;a5").arg(1), 0));
    EXPECT_EQ(diagnostics_.size(), 1u);
    // Fields read without the test must still begin with a number.
    EXPECT_TRUE(isInt(one("CAM;RELATIVE;4;up;0").arg(2), 0));
    EXPECT_TRUE(isFloat(one("CAM;CENTER;slowly").arg(1), 0.0f));
    EXPECT_TRUE(isFloat(one("CAM;CENTER;2s").arg(1), 2.0f));
    // Numbers beyond what the value holds.
    EXPECT_TRUE(isInt(one("VAR;count;99999999999").arg(1), 0));
    EXPECT_TRUE(isFloat(one("CAM;CENTER;" + std::string(60, '9')).arg(1), 0.0f));
    EXPECT_EQ(diagnostics_.size(), 1u);
    EXPECT_TRUE(isInt(one("CHARA;GEN;;0;PLAYER;x;120;true").arg(3), 0));
}

TEST_F(ScenarioScriptTest, TheAnimationFormIsChosenByTheFieldCount) {
    ScenarioCommand atPoint = one("ANIME;GEN;lamp.cma;lamp1;200;96;3;true;BACK;LOOP");
    ASSERT_EQ(atPoint.argCount(), 9u);
    EXPECT_TRUE(isInt(atPoint.arg(3), 200));
    EXPECT_TRUE(isText(atPoint.arg(8), "LOOP"));
    ScenarioCommand beside = one("ANIME;GEN;spark.cma;s1;42;0;16;5;false;CHARA;THROUGH");
    ASSERT_EQ(beside.argCount(), 10u);
    EXPECT_TRUE(isText(beside.arg(3), "42"));  // the character, even when it reads as a number
    EXPECT_TRUE(isInt(beside.arg(4), 0));
    EXPECT_TRUE(isText(beside.arg(9), "THROUGH"));
}

TEST_F(ScenarioScriptTest, UnknownWordsAreReportedAndKeywordsAreCaseSensitive) {
    std::vector<ScenarioCommand> commands =
        parse("talk;MSG_0001\nTALK;SPEAKER;VOICE;3\nCHARA;JUMP;aoi\nFUNC;x;y\n");
    ASSERT_EQ(commands.size(), 3u);
    EXPECT_EQ(commands[0].name, "TALK");
    EXPECT_EQ(commands[0].argCount(), 1u);  // the values read before the unknown word
    EXPECT_TRUE(isText(commands[0].arg(0), "SPEAKER"));
    EXPECT_EQ(commands[1].argCount(), 0u);
    EXPECT_EQ(commands[2].name, "FUNC");
    EXPECT_EQ(commands[2].argCount(), 0u);
    std::vector<std::string> reported = messages();
    ASSERT_EQ(reported.size(), 3u);
    EXPECT_EQ(reported[0], "test.bks:1: unknown command 'talk'; line skipped");
    // Reading past a command's values gives the empty value, never another field.
    EXPECT_FALSE(commands[1].arg(5).hasText);
    EXPECT_EQ(commands[1].intAt(5), 0);
    EXPECT_TRUE(ScenarioScriptParser::isKeyword("ENDING"));
    EXPECT_FALSE(ScenarioScriptParser::isKeyword("ending"));
}

TEST_F(ScenarioScriptTest, EveryFormKeepsItsValueKinds) {
    ScenarioCommand sprite = one("SPRITE;bg;back.png;0;-12;3;300;BACK;true");
    EXPECT_TRUE(isInt(sprite.arg(5), 300));  // the engine keeps the low 8 bits
    EXPECT_TRUE(isText(sprite.arg(7), "true"));
    ScenarioCommand particle = one("PARTICLE;p.plist;10.5;20;1");
    EXPECT_TRUE(isFloat(particle.arg(1), 10.5f));
    EXPECT_TRUE(isFloat(particle.arg(3), 1.0f));
    ScenarioCommand gen = one("CHARA;GEN;0;PLAYER;120;64;true");
    EXPECT_TRUE(isInt(gen.arg(1), 0));
    EXPECT_TRUE(isText(gen.arg(2), "PLAYER"));
    ScenarioCommand cond = one("COND;HP;>=;1;scenario/after.bks");
    EXPECT_TRUE(isInt(cond.arg(2), 1));
    EXPECT_TRUE(isText(cond.arg(3), "scenario/after.bks"));
    EXPECT_TRUE(isFloat(one("BGM;audio/bgm/a.mp3;0.8").arg(1), 0.8f));
    EXPECT_TRUE(isText(one("WAIT;KEY;OK").arg(1), "OK"));
    EXPECT_TRUE(isInt(one("TALK;SPEAKER;NAME;7").arg(2), 7));
    EXPECT_TRUE(isFloat(one("FADE;OUT;0.5").arg(1), 0.5f));
    EXPECT_TRUE(isInt(one("ANIME;SETZ;lamp1;-2").arg(2), -2));
    EXPECT_EQ(one("ENDING").argCount(), 0u);
    // Fields beyond the form are ignored, and said so.
    EXPECT_EQ(one("TELOP;PLACE_01;extra").argCount(), 1u);
    EXPECT_EQ(diagnostics_.size(), 1u);
}

TEST_F(ScenarioScriptTest, LoadingReplacesOrAppendsAndAMissingFileLoadsNothing) {
    testsupport::TempFolder folder;
    testsupport::writeFile(folder / "scenario/a.bks", "TALK;START\r\nTALK;MSG_A\r\n");
    testsupport::writeFile(folder / "scenario/b.bks", "TALK;MSG_B\nTALK;END\n");
    DataSource source = DataSource::folder(folder.path());
    ScenarioScript script;
    Diagnostics diagnostics;
    ASSERT_TRUE(script.load("scenario/a.bks", false, source, &diagnostics));
    ASSERT_TRUE(script.load("scenario/b.bks", true, source, &diagnostics));
    ASSERT_EQ(script.size(), 4u);
    EXPECT_EQ(script.getScriptName(), "scenario/b.bks");
    EXPECT_EQ(script.at(1).file, "scenario/a.bks");
    EXPECT_EQ(script.at(2).file, "scenario/b.bks");
    // Appending a missing file keeps everything.
    EXPECT_FALSE(script.load("scenario/none.bks", true, source, &diagnostics));
    EXPECT_EQ(script.size(), 4u);
    EXPECT_EQ(script.getScriptName(), "scenario/b.bks");
    // Replacing with a missing one leaves the list empty.
    EXPECT_FALSE(script.load("scenario/none.bks", false, source, &diagnostics));
    EXPECT_TRUE(script.empty());
    EXPECT_TRUE(script.load("scenario/a.bks", false, source, &diagnostics));
    EXPECT_EQ(script.size(), 2u);
    EXPECT_TRUE(diagnostics.empty());
}

}  // namespace
