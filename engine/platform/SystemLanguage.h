#pragma once

#include <string>

namespace engine {

// The user's language as a lower-case ISO 639 code ("ja", "en"), read from the environment only
// (the process locale is never changed, so number formatting stays locale-independent).
class SystemLanguage {
public:
    // From the first non-empty of LC_ALL, LC_MESSAGES and LANG.
    static std::string currentCode();
    // The language part of a locale name: "ja_JP.UTF-8" → "ja", "de" → "de";
    // "C", "POSIX", "" and names without a language part → "en".
    static std::string codeFromLocale(const std::string& locale);
};

}  // namespace engine
