// quorin-content over the string tables: what `check` reports and what `dump strings` shows.
#include <gtest/gtest.h>
#include <nlohmann/json.hpp>

#include "tests/support/Files.h"
#include "tests/support/ProgramRun.h"
#include "tests/support/TempFolder.h"
#include "tests/support/TestPaths.h"

namespace {

using Output = testsupport::ProgramRun;

// Runs quorin-content with the arguments and collects what it prints.
Output contentTool(const std::vector<std::string>& args) {
    return testsupport::runProgram(testsupport::buildProgram("quorin-content"), args);
}

// The lines of the output that are about string tables.
std::vector<std::string> stringsLines(const std::string& out) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < out.size()) {
        std::size_t end = out.find('\n', start);
        if (end == std::string::npos) end = out.size();
        std::string line = out.substr(start, end - start);
        if (line.find("strings/") != std::string::npos) lines.push_back(line);
        start = end + 1;
    }
    return lines;
}

TEST(ContentStringsTest, ShippedTablesHaveNoProblems) {
    Output result = contentTool({"check", "--res", testsupport::runtimeDir()});
    EXPECT_TRUE(stringsLines(result.out).empty()) << result.out;
}

TEST(ContentStringsTest, CheckReportsWhatAuthorsMustFix) {
    testsupport::TempFolder root;
    const std::string dir = root / "res/data/strings/";
    testsupport::writeFile(dir + "system_ja.strings",
                           "// 見出し\n"
                           "TITLE;題名\n"
                           "ONLY_JA;日本語だけ\n"
                           "EMPTY\n"
                           "TITLE;もう一度\n");
    testsupport::writeFile(dir + "system_en.strings",
                           "TITLE;Title\r\n"
                           "EMPTY;Empty\r\n"
                           "CUT;one;two\r\n");
    testsupport::writeFile(dir + "scenario_ja.strings", "CUT;切れない\nSTORY;むかし\n");
    testsupport::writeFile(dir + "scenario_en.strings", "STORY;Once\n");
    Output result = contentTool({"check", "--res", root.path()});
    EXPECT_EQ(result.exitCode, 1);
    std::vector<std::string> expected = {
        "res/data/strings/system_ja.strings:4: key 'EMPTY' has no text",
        "res/data/strings/system_ja.strings:5: key 'TITLE' repeats line 2 of this file and replaces its text",
        "res/data/strings/system_en.strings:1: line ends with a carriage return, which the game keeps in the "
        "text; "
        "save the file with LF line ends",
        "res/data/strings/system_en.strings:3: text of 'CUT' stops at a ';' (a text cannot hold one); the "
        "rest is "
        "dropped",
        "res/data/strings/system_ja.strings:3: key 'ONLY_JA' has no text in \"en\" (the game would show the "
        "key)",
    };
    EXPECT_EQ(stringsLines(result.out), expected) << result.out;
}

TEST(ContentStringsTest, MissingLanguageIsReported) {
    testsupport::TempFolder root;
    testsupport::writeFile(root / "res/data/strings/system_ja.strings", "A;あ\n");
    Output result = contentTool({"check", "--res", root.path()});
    EXPECT_EQ(result.exitCode, 1);
    std::vector<std::string> lines = stringsLines(result.out);
    ASSERT_FALSE(lines.empty());
    EXPECT_EQ(lines[0], "strings/system_en.strings: missing: the game cannot show this language");
}

TEST(ContentStringsTest, DumpShowsTheTableTheGameReads) {
    testsupport::TempFolder root;
    testsupport::writeFile(root / "t.strings", "// c\nB;bee;ignored\nA;a\\nb\nEMPTY\nA;later\n");
    Output result = contentTool({"dump", "strings", root / "t.strings", "--res", testsupport::runtimeDir()});
    ASSERT_EQ(result.exitCode, 0);
    EXPECT_EQ(nlohmann::json::parse(result.out),
              (nlohmann::json{{"A", "later"}, {"B", "bee"}, {"EMPTY", ""}}));
}

}  // namespace
