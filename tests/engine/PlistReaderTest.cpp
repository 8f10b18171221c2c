// Property lists, the format of particle definitions: every value kind, and what is not a dictionary.
#include <string>

#include <gtest/gtest.h>

#include "engine/base/PlistReader.h"

using namespace engine;

TEST(PlistReaderTest, ReadsEveryValueKindLocaleIndependently) {
    const char* xml =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
        "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\"><dict>\n"
        "  <key>count</key><integer>-12</integer>\n"
        "  <key>big</key><integer>5000000000</integer>\n"
        "  <key>rate</key><real>0.19740000367164612</real>\n"
        "  <key>whole</key><real>1000</real>\n"
        "  <key>on</key><true/><key>off</key><false/>\n"
        "  <key>name</key><string>Comet &amp; tail</string>\n"
        "  <key>when</key><date>2024-01-01T00:00:00Z</date>\n"
        "  <key>blob</key><data>AAEC</data>\n"
        "  "
        "<key>list</key><array><integer>1</integer><string>two</string><dict><key>x</key><real>3.5</real></"
        "dict></array>\n"
        "</dict></plist>\n";
    ValueMap dict;
    std::string error;
    ASSERT_TRUE(PlistReader::readDictionaryFromString(xml, dict, error)) << error;
    EXPECT_EQ(dict.at("count").getType(), Value::Type::INTEGER);
    EXPECT_EQ(dict.at("count").asInt(), -12);
    EXPECT_DOUBLE_EQ(dict.at("big").asDouble(), 5000000000.0);
    EXPECT_EQ(dict.at("rate").getType(), Value::Type::DOUBLE);
    EXPECT_DOUBLE_EQ(dict.at("rate").asDouble(), 0.19740000367164612);
    EXPECT_EQ(dict.at("whole").asInt(), 1000);
    EXPECT_TRUE(dict.at("on").asBool());
    EXPECT_EQ(dict.at("off").getType(), Value::Type::BOOLEAN);
    EXPECT_FALSE(dict.at("off").asBool());
    EXPECT_EQ(dict.at("name").asString(), "Comet & tail");
    EXPECT_EQ(dict.at("when").asString(), "2024-01-01T00:00:00Z");
    EXPECT_EQ(dict.at("blob").asString(), "AAEC");
    const ValueVector& list = dict.at("list").asValueVector();
    ASSERT_EQ(list.size(), 3u);
    EXPECT_EQ(list[1].asString(), "two");
    EXPECT_DOUBLE_EQ(list[2].asValueMap().at("x").asDouble(), 3.5);
}

TEST(PlistReaderTest, RefusesWhatIsNotADictionaryList) {
    ValueMap dict;
    std::string error;
    EXPECT_FALSE(PlistReader::readDictionaryFromString("<plist><dict><key>a</key>", dict, error));
    EXPECT_NE(error.find("not well-formed"), std::string::npos) << error;
    EXPECT_FALSE(PlistReader::readDictionaryFromString("<plist><array/></plist>", dict, error));
    EXPECT_FALSE(
        PlistReader::readDictionaryFromString("<plist><dict><real>1</real></dict></plist>", dict, error));
    EXPECT_NE(error.find("without a <key>"), std::string::npos) << error;
    EXPECT_FALSE(PlistReader::readDictionaryFromString("<plist><dict><key>a</key><thing/></dict></plist>",
                                                       dict, error));
    std::string deep = "<plist><dict><key>a</key>";
    for (int i = 0; i < 200; ++i)
        deep += "<array>";
    for (int i = 0; i < 200; ++i)
        deep += "</array>";
    deep += "</dict></plist>";
    EXPECT_FALSE(PlistReader::readDictionaryFromString(deep, dict, error));
    EXPECT_NE(error.find("too deep"), std::string::npos) << error;
}
