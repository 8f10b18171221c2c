#include <cmath>
#include <filesystem>
#include <limits>

#include <gtest/gtest.h>

#include "engine/platform/FileUtils.h"
#include "engine/platform/UserDefault.h"
#include "tests/support/Files.h"
#include "tests/support/TempFolder.h"

using engine::FileUtils;
using engine::UserDefault;
using testsupport::readFile;
using testsupport::TempFolder;
using testsupport::writeFile;

namespace {

class UserDefaultTest : public ::testing::Test {
protected:
    void SetUp() override {
        FileUtils::getInstance()->resetToDefaults();
        FileUtils::getInstance()->setWritablePath(dir.path());
        settings->reload();
    }
    void TearDown() override {
        FileUtils::getInstance()->resetToDefaults();
        FileUtils::getInstance()->setWritablePath(dir.path());
        settings->reload();  // forget this test's values before the folder goes
    }

    std::string file() const { return dir / "UserDefault.xml"; }
    // Replaces the settings file and reads it again, as at the next start.
    void restartWith(const std::string& content) {
        writeFile(file(), content);
        settings->reload();
    }

    UserDefault* settings = UserDefault::getInstance();
    TempFolder dir;
};

const std::vector<std::string>& oddKeys() {
    static const std::vector<std::string> keys = {"KeyActionType::OK",
                                                  "ButtonActionType::PAUSE",
                                                  "a \"quoted\" key",
                                                  "it's",
                                                  "<tag>",
                                                  "a & b",
                                                  "&amp;",
                                                  "with  spaces ",
                                                  " ",
                                                  "\xE9\x9F\xB3\xE9\x87\x8F",  // UTF-8 text
                                                  "line\nbreak\ttab\rreturn",
                                                  "]]>",
                                                  "1starts-with-digit"};
    return keys;
}

TEST_F(UserDefaultTest, MissingKeysGiveTheDefaults) {
    EXPECT_TRUE(settings->getBoolForKey("none", true));
    EXPECT_FALSE(settings->getBoolForKey("none"));
    EXPECT_EQ(settings->getIntegerForKey("none", -1), -1);
    EXPECT_EQ(settings->getFloatForKey("none", 0.7f), 0.7f);
    EXPECT_EQ(settings->getDoubleForKey("none", 2.5), 2.5);
    EXPECT_EQ(settings->getStringForKey("none", "fallback"), "fallback");
    EXPECT_FALSE(std::filesystem::exists(file()));  // reading never creates the file
}

TEST_F(UserDefaultTest, EveryTypeRoundTripsThroughTheFileWithOddKeys) {
    int n = 0;
    for (const std::string& key : oddKeys()) {
        settings->setIntegerForKey(key + "/int", 100 + n);
        settings->setBoolForKey(key + "/bool", n % 2 == 0);
        settings->setFloatForKey(key + "/float", 0.1f * static_cast<float>(n));
        settings->setDoubleForKey(key + "/double", 1.0 / (n + 3));
        settings->setStringForKey(key + "/string", "value of " + key);
        ++n;
    }
    settings->reload();
    n = 0;
    for (const std::string& key : oddKeys()) {
        SCOPED_TRACE(key);
        EXPECT_EQ(settings->getIntegerForKey(key + "/int", -1), 100 + n);
        EXPECT_EQ(settings->getBoolForKey(key + "/bool", n % 2 != 0), n % 2 == 0);
        EXPECT_EQ(settings->getFloatForKey(key + "/float", -1.0f), 0.1f * static_cast<float>(n));
        EXPECT_EQ(settings->getDoubleForKey(key + "/double", -1.0), 1.0 / (n + 3));
        EXPECT_EQ(settings->getStringForKey(key + "/string"), "value of " + key);
        ++n;
    }
}

TEST_F(UserDefaultTest, ExtremeNumbersRoundTrip) {
    settings->setIntegerForKey("min", std::numeric_limits<int>::min());
    settings->setIntegerForKey("max", std::numeric_limits<int>::max());
    settings->setFloatForKey("tiny", 1e-30f);
    settings->setDoubleForKey("third", 1.0 / 3.0);
    settings->setDoubleForKey("negative", -1234.5e100);
    settings->reload();
    EXPECT_EQ(settings->getIntegerForKey("min"), std::numeric_limits<int>::min());
    EXPECT_EQ(settings->getIntegerForKey("max"), std::numeric_limits<int>::max());
    EXPECT_EQ(settings->getFloatForKey("tiny"), 1e-30f);
    EXPECT_EQ(settings->getDoubleForKey("third"), 1.0 / 3.0);
    EXPECT_EQ(settings->getDoubleForKey("negative"), -1234.5e100);
}

TEST_F(UserDefaultTest, EntriesAreStoredWithTheKeyAsAnAttribute) {
    settings->setIntegerForKey("KeyActionType::OK", 164);
    settings->setFloatForKey("SEVolume", 0.7f);
    settings->setBoolForKey("GamepadMode", true);
    std::string text = readFile(file());
    EXPECT_NE(text.find("<userDefaultRoot>"), std::string::npos) << text;
    EXPECT_NE(text.find("<entry key=\"KeyActionType::OK\" value=\"164\" />"), std::string::npos) << text;
    EXPECT_NE(text.find("<entry key=\"SEVolume\" value=\"0.7\" />"), std::string::npos) << text;
    EXPECT_NE(text.find("<entry key=\"GamepadMode\" value=\"true\" />"), std::string::npos) << text;
}

TEST_F(UserDefaultTest, EverySetIsOnDiskAtOnce) {
    settings->setIntegerForKey("BGMVolume", 3);
    EXPECT_NE(readFile(file()).find("value=\"3\""), std::string::npos);
    settings->setIntegerForKey("BGMVolume", 4);
    EXPECT_NE(readFile(file()).find("value=\"4\""), std::string::npos);
    EXPECT_EQ(testsupport::listFolder(dir.path()), std::vector<std::string>{"UserDefault.xml"});
}

TEST_F(UserDefaultTest, ValuesAreReadLeniently) {
    restartWith(
        "<userDefaultRoot>"
        "<entry key='int' value=' 12abc'/><entry key='neg' value='-7.9'/><entry key='word' value='abc'/>"
        "<entry key='float' value='2.5e1x'/><entry key='huge' value='99999999999'/>"
        "<entry key='True' value='True'/><entry key='one' value='1'/><entry key='empty' value=''/>"
        "</userDefaultRoot>");
    EXPECT_EQ(settings->getIntegerForKey("int", -1), 12);
    EXPECT_EQ(settings->getIntegerForKey("neg", -1), -7);
    EXPECT_EQ(settings->getIntegerForKey("word", -1), 0);
    EXPECT_EQ(settings->getIntegerForKey("huge", -1), std::numeric_limits<int>::max());
    EXPECT_EQ(settings->getDoubleForKey("float", -1), 25.0);
    EXPECT_EQ(settings->getFloatForKey("word", -1), 0.0f);
    EXPECT_FALSE(settings->getBoolForKey("True", true));  // only the exact word "true"
    EXPECT_FALSE(settings->getBoolForKey("one", true));
    EXPECT_EQ(settings->getIntegerForKey("empty", 42), 42);  // an empty value counts as missing
    EXPECT_EQ(settings->getStringForKey("empty", "def"), "def");
}

TEST_F(UserDefaultTest, DeletedKeysAreGoneAfterARestart) {
    settings->setIntegerForKey("keep", 1);
    settings->setIntegerForKey("drop", 2);
    settings->deleteValueForKey("drop");
    settings->deleteValueForKey("never-there");
    EXPECT_EQ(settings->getIntegerForKey("drop", -1), -1);
    settings->reload();
    EXPECT_EQ(settings->getIntegerForKey("drop", -1), -1);
    EXPECT_EQ(settings->getIntegerForKey("keep", -1), 1);
}

TEST_F(UserDefaultTest, ADamagedFileReadsAsEmptyAndIsKeptUntilTheNextSet) {
    const std::string damaged = "<userDefaultRoot><entry key=\"BGMVolume\" value=\"0.5\"/><entry key=";
    restartWith(damaged);
    EXPECT_EQ(settings->getFloatForKey("BGMVolume", 1.0f), 1.0f);
    settings->flush();
    EXPECT_EQ(readFile(file()), damaged);

    settings->setFloatForKey("SEVolume", 0.25f);
    settings->reload();
    EXPECT_EQ(settings->getFloatForKey("SEVolume"), 0.25f);
    EXPECT_EQ(settings->getFloatForKey("BGMVolume", 1.0f), 1.0f);
}

TEST_F(UserDefaultTest, UnreadableContentNeverCrashes) {
    for (const std::string& content :
         {std::string(""), std::string("\xff\xfe\x00garbage", 10), std::string("not xml at all"),
          std::string("<other><entry key='a' value='1'/></other>"), std::string("<?xml version='1.0'?>")}) {
        restartWith(content);
        EXPECT_EQ(settings->getIntegerForKey("a", -1), -1);
    }
}

TEST_F(UserDefaultTest, EntriesWithoutAKeyAreSkipped) {
    restartWith(
        "<userDefaultRoot><entry value='1'/><item key='b' value='2'/><entry key='c' value='3'/>"
        "<entry key='d'/></userDefaultRoot>");
    EXPECT_EQ(settings->getIntegerForKey("b", -1), -1);
    EXPECT_EQ(settings->getIntegerForKey("c", -1), 3);
    EXPECT_EQ(settings->getIntegerForKey("d", -1), -1);
}

TEST_F(UserDefaultTest, AFailedWriteKeepsTheOldFileAndRetriesOnTheNextSet) {
    settings->setIntegerForKey("level", 1);
    std::string before = readFile(file());
    FileUtils::getInstance()->setWriteFaultForTesting(FileUtils::WriteFault::RENAME);
    settings->setIntegerForKey("level", 2);
    FileUtils::getInstance()->setWriteFaultForTesting(FileUtils::WriteFault::NONE);
    EXPECT_FALSE(settings->lastWriteSucceeded());
    EXPECT_EQ(readFile(file()), before);
    EXPECT_EQ(settings->getIntegerForKey("level"), 2);  // the running program keeps the new value

    settings->setIntegerForKey("level", 2);  // same value, but the file is behind: written now
    EXPECT_TRUE(settings->lastWriteSucceeded());
    settings->reload();
    EXPECT_EQ(settings->getIntegerForKey("level"), 2);
}

TEST_F(UserDefaultTest, TheFileFollowsTheWritablePathOnReload) {
    settings->setIntegerForKey("here", 1);
    TempFolder other;
    FileUtils::getInstance()->setWritablePath(other.path());
    settings->reload();
    EXPECT_EQ(settings->getFilePath(), other / "UserDefault.xml");
    EXPECT_EQ(settings->getIntegerForKey("here", -1), -1);
}

}  // namespace
