#include "engine/platform/SystemLanguage.h"

#include <cstdlib>

namespace engine {

std::string SystemLanguage::currentCode() {
    for (const char* variable : {"LC_ALL", "LC_MESSAGES", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value && *value) return codeFromLocale(value);
    }
    return codeFromLocale("");
}

std::string SystemLanguage::codeFromLocale(const std::string& locale) {
    // A locale name is language[_territory][.codeset][@modifier].
    std::string language = locale.substr(0, locale.find_first_of("_.@"));
    if (language == "C" || language == "POSIX") return "en";
    if (language.size() < 2 || language.size() > 3) return "en";
    for (char& c : language) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
        if (c < 'a' || c > 'z') return "en";
    }
    return language;
}

}  // namespace engine
