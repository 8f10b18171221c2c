// Names of keys and pad buttons as the options screen shows them, and as input scripts write them.
#include <string>

#include <gtest/gtest.h>

#include "game/input/ControllerKey.h"
#include "game/input/KeyInputManager.h"
#include "game/input/KeyNames.h"

using vastomer::KeyInputManager;
using vastomer::ControllerKey::DPAD_RIGHT;

namespace {

TEST(KeyNamesTest, NamesFollowTheTablesAndScriptNamesAreUnambiguous) {
    EXPECT_EQ(KeyInputManager::keyName(6), "ESC");
    EXPECT_EQ(KeyInputManager::keyName(36), "KEPAD-HOME");
    EXPECT_EQ(KeyInputManager::keyName(61), "'");
    EXPECT_EQ(KeyInputManager::keyName(67), "'");
    EXPECT_EQ(KeyInputManager::keyName(120), "\\");
    EXPECT_EQ(KeyInputManager::keyName(156), "\xC2\xA5");
    EXPECT_EQ(KeyInputManager::keyName(165), "PLAY");
    EXPECT_EQ(KeyInputManager::keyName(0), "");
    EXPECT_EQ(KeyInputManager::keyName(166), "");
    EXPECT_EQ(KeyInputManager::buttonName(1021), "START");
    EXPECT_EQ(KeyInputManager::buttonName(DPAD_RIGHT), "");
    EXPECT_EQ(KeyInputManager::buttonName(1024), "");
    EXPECT_EQ(vastomer::KeyNames::buttonForIndex(6), vastomer::ControllerKey::PAUSE);
    EXPECT_EQ(vastomer::KeyNames::buttonForIndex(14), vastomer::ControllerKey::NONE);
    // Every key has a script name that reads back as that key.
    for (int code = 1; code <= 165; ++code) {
        std::string name = vastomer::KeyNames::scriptKeyName(code);
        int back = name[0] == '#' ? std::stoi(name.substr(1)) : vastomer::KeyNames::keyCodeForName(name);
        EXPECT_EQ(back, code) << name;
    }
    EXPECT_EQ(vastomer::KeyNames::scriptKeyName(61), "#61");
    EXPECT_EQ(vastomer::KeyNames::keyCodeForName("'"), 0);
    EXPECT_EQ(vastomer::KeyNames::keyCodeForName("z"), 149);
    EXPECT_EQ(vastomer::KeyNames::keyCodeForName("Z"), 118);
}

}  // namespace
