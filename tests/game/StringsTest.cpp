// The strings tables: file format, language choice, look-ups.
#include "engine/platform/Application.h"
#include "game/data/StringsFile.h"
#include "tests/support/Files.h"
#include "tests/support/GameFixture.h"
#include "tests/support/ScopedEnv.h"
#include "tests/support/TempFolder.h"

using vastomer::GameServices;
using vastomer::StringsManager;

namespace {

// An application that only tells the system language the game asks for.
class LanguageOnlyApp : public engine::Application {
public:
    explicit LanguageOnlyApp(const std::string& code) {
        engine::LaunchOptions options;
        options.language = code;
        setLaunchOptions(options);
    }
    bool applicationDidFinishLaunching() override { return true; }
};

class StringsTest : public GameFixture {
protected:
    void SetUp() override {
        GameFixture::SetUp();
        auto* files = engine::FileUtils::getInstance();
        files->setResourceRoot(resources_.path());
        files->setSearchPaths({"res/data"});
    }
    void write(const std::string& name, const std::string& text) {
        testsupport::writeFile(resources_ / ("res/data/strings/" + name), text);
    }
    StringsManager* strings() { return StringsManager::getInstance(); }

    testsupport::TempFolder resources_;
};

TEST_F(StringsTest, SystemLanguageOnlyExactlyJaSelectsJapanese) {
    write("system_ja.strings", "HELLO;こんにちは\n");
    write("system_en.strings", "HELLO;Hello\n");
    struct Case {
        const char* code;
        const char* language;
    } cases[] = {{"ja", "ja"}, {"ja-JP", "en"}, {"ja_JP", "en"}, {"en", "en"}, {"de", "en"}, {"", "en"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.code);
        LanguageOnlyApp app(c.code);
        testsupport::ScopedEnv env("LC_ALL", std::string("C"));
        GameServices::destroy();
        EXPECT_EQ(strings()->getLanguage(), c.language);
        EXPECT_EQ(strings()->getString("HELLO"), std::string(c.language) == "ja" ? "こんにちは" : "Hello");
    }
}

TEST_F(StringsTest, FileFormatRules) {
    write("system_en.strings",
          "// header; with a semicolon\n"
          "\n"
          "TITLE;System title\n"
          "SHARED;from system\n"
          "THREE;second;third piece\n"
          ";;LEADING;after empty pieces\n"
          "NOTEXT\n"
          "NOTEXT2;;\n"
          "MULTI;line one\\nline two\n"
          "AGAIN;first\n"
          "AGAIN;second\n");
    write("scenario_en.strings", "SHARED;from scenario\nSTORY;Once upon a time\n");
    LanguageOnlyApp app("en");
    EXPECT_EQ(strings()->getString("TITLE"), "System title");
    EXPECT_EQ(strings()->getString("SHARED"), "from scenario");
    EXPECT_EQ(strings()->getString("STORY"), "Once upon a time");
    EXPECT_EQ(strings()->getString("THREE"), "second");
    EXPECT_EQ(strings()->getString("LEADING"), "after empty pieces");
    EXPECT_EQ(strings()->getString("MULTI"), "line one\\nline two") << "escapes are kept as written";
    EXPECT_EQ(strings()->getString("AGAIN"), "second");
    // A key without text holds an empty text (it does not show its key).
    EXPECT_EQ(strings()->getTable().count("NOTEXT"), 1u);
    EXPECT_EQ(strings()->getString("NOTEXT"), "");
    EXPECT_EQ(strings()->getString("NOTEXT2"), "");
    EXPECT_EQ(strings()->getTable().count("// header"), 0u);
    EXPECT_EQ(strings()->getString("MISSING_KEY"), "MISSING_KEY");
}

TEST_F(StringsTest, CarriageReturnsStayInTextsButBlankLinesStayEmpty) {
    write("system_en.strings",
          "\xEF\xBB\xBF"
          "FIRST;one\r\n\r\nSECOND;two;\r\n");
    LanguageOnlyApp app("en");
    EXPECT_EQ(strings()->getString("FIRST"), "one\r");
    EXPECT_EQ(strings()->getString("SECOND"), "two");
    EXPECT_EQ(strings()->getTable().size(), 2u) << "a line holding only a carriage return is empty";
}

TEST_F(StringsTest, LanguageListAndCharacterNames) {
    write("system_ja.strings", "CHARA_NAME_0007;七\nCHARA_NAME_12345;五桁\n");
    LanguageOnlyApp app("ja");
    EXPECT_EQ(strings()->getLanguageIndex("en"), 1);
    EXPECT_EQ(strings()->getLanguageIndex("ja"), 0);
    EXPECT_EQ(strings()->getLanguageIndex(""), 0);
    EXPECT_EQ(strings()->getLanguageIndex("fr"), -1);
    EXPECT_EQ(strings()->getLanguageAt(1), "en");
    EXPECT_EQ(strings()->getLanguageAt(2), "");
    EXPECT_EQ(strings()->getLanguageAt(-1), "");
    EXPECT_EQ(strings()->getCharacterName(7), "七");
    EXPECT_EQ(strings()->getCharacterName(12345), "五桁");
    EXPECT_EQ(strings()->getCharacterName(42), "CHARA_NAME_0042");
}

TEST_F(StringsTest, FailedLanguageChangeKeepsTheLanguageAndItsTexts) {
    write("system_ja.strings", "HELLO;こんにちは\n");
    write("scenario_ja.strings", "STORY;むかしむかし\n");
    write("system_fr.strings", "HELLO;Bonjour\n");
    LanguageOnlyApp app("ja");
    ASSERT_EQ(strings()->getLanguage(), "ja");
    EXPECT_FALSE(strings()->setLanguage("en")) << "no English system file here";
    EXPECT_EQ(strings()->getLanguage(), "ja");
    EXPECT_EQ(strings()->getString("HELLO"), "こんにちは");
    EXPECT_EQ(strings()->getString("STORY"), "むかしむかし");
    // Only the languages the game offers are taken, whatever files lie around.
    EXPECT_FALSE(strings()->setLanguage("fr"));
    EXPECT_FALSE(strings()->setLanguage("../strings/system_ja"));
    EXPECT_EQ(strings()->getLanguage(), "ja");
    EXPECT_EQ(strings()->getLanguageIndex(), 0);

    write("system_en.strings", "HELLO;Hello\n");
    EXPECT_TRUE(strings()->setLanguage("en"));
    EXPECT_EQ(strings()->getString("HELLO"), "Hello");
    EXPECT_EQ(strings()->getString("STORY"), "STORY") << "the Japanese story texts are gone";
}

TEST(StringsFileTest, EntriesKeepTheirLineNumbers) {
    auto entries = vastomer::StringsFile::parse("// c\nA;a\n\nB\nC;c;x\n");
    ASSERT_EQ(entries.size(), 3u);
    EXPECT_EQ(entries[0].line, 2);
    EXPECT_TRUE(entries[0].hasText);
    EXPECT_EQ(entries[1].key, "B");
    EXPECT_EQ(entries[1].line, 4);
    EXPECT_FALSE(entries[1].hasText);
    EXPECT_EQ(entries[2].text, "c");
}

}  // namespace
