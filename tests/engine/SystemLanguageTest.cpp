// The language the system asks for, from the locale variables.
#include <optional>
#include <string>
#include <utility>

#include <gtest/gtest.h>

#include "engine/platform/SystemLanguage.h"
#include "tests/support/ScopedEnv.h"

using engine::SystemLanguage;
using testsupport::ScopedEnv;

namespace {

TEST(SystemLanguageTest, TakesTheLanguagePartOfALocaleName) {
    const std::pair<const char*, const char*> cases[] = {
        {"ja_JP.UTF-8", "ja"}, {"en_US.UTF-8", "en"}, {"de_DE@euro", "de"},    {"fr", "fr"},
        {"pt_BR", "pt"},       {"JA_jp", "ja"},       {"ast_ES.UTF-8", "ast"}, {"zh_TW.Big5", "zh"},
    };
    for (const auto& [locale, code] : cases)
        EXPECT_EQ(SystemLanguage::codeFromLocale(locale), code) << locale;
}

TEST(SystemLanguageTest, NeutralOrOddLocalesMeanEnglish) {
    for (const char* locale : {"", "C", "POSIX", "C.UTF-8", "x", "12_34", "_JP", ".UTF-8", "toolong_XX"}) {
        EXPECT_EQ(SystemLanguage::codeFromLocale(locale), "en") << locale;
    }
}

TEST(SystemLanguageTest, TheFirstNonEmptyVariableDecides) {
    ScopedEnv all("LC_ALL", std::string("ja_JP.UTF-8"));
    ScopedEnv messages("LC_MESSAGES", std::string("de_DE.UTF-8"));
    ScopedEnv lang("LANG", std::string("fr_FR.UTF-8"));
    EXPECT_EQ(SystemLanguage::currentCode(), "ja");
    {
        ScopedEnv emptyAll("LC_ALL", std::string(""));
        EXPECT_EQ(SystemLanguage::currentCode(), "de");
        ScopedEnv noMessages("LC_MESSAGES", std::nullopt);
        EXPECT_EQ(SystemLanguage::currentCode(), "fr");
        ScopedEnv noLang("LANG", std::nullopt);
        EXPECT_EQ(SystemLanguage::currentCode(), "en");
    }
}

}  // namespace
