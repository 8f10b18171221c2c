// The string tables: `check` finds keys that one language has and the other lacks, keys without a
// text, texts cut short by a semicolon, repeated keys and carriage returns; `dump strings FILE` shows
// the key → text table the game reads from one file.
#include <map>
#include <string>
#include <vector>

#include "game/data/StringsFile.h"
#include "game/data/StringsManager.h"
#include "tools/content/ContentKinds.h"

using namespace vastomer;

namespace content {

namespace {

const char* LANGUAGES[] = {"ja", "en"};

// Where a key's text comes from in one language (the later file wins, as in the game).
struct KeySource {
    std::string file;
    int line = 0;
};

void checkFile(const std::string& shownPath, const std::string& text, std::map<std::string, KeySource>& keys,
               Diagnostics& diagnostics) {
    // Carriage returns stay in the texts the game shows; one report per file is enough to fix it.
    int lineNumber = 1;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && (i + 1 == text.size() || text[i + 1] == '\n')) {
            diagnostics.report(shownPath, lineNumber,
                               "line ends with a carriage return, which the game keeps in the text; save the "
                               "file with LF line ends");
            break;
        }
        if (text[i] == '\n') ++lineNumber;
    }
    std::map<std::string, int> seen;
    for (const StringsEntry& entry : StringsFile::parse(text)) {
        if (!entry.hasText) diagnostics.report(shownPath, entry.line, "key '" + entry.key + "' has no text");
        if (entry.ignoredPieces > 0)
            diagnostics.report(shownPath, entry.line,
                               "text of '" + entry.key +
                                   "' stops at a ';' (a text cannot hold one); the rest is "
                                   "dropped");
        auto again = seen.find(entry.key);
        if (again != seen.end())
            diagnostics.report(shownPath, entry.line,
                               "key '" + entry.key + "' repeats line " + std::to_string(again->second) +
                                   " of this file and replaces its text");
        seen[entry.key] = entry.line;
        keys[entry.key] = KeySource{shownPath, entry.line};
    }
}

void checkStrings(const ContentContext& context, Diagnostics& diagnostics) {
    std::map<std::string, std::map<std::string, KeySource>> keysByLanguage;
    std::map<std::string, std::string> systemFileOf;
    for (const char* code : LANGUAGES) {
        auto& keys = keysByLanguage[code];
        std::string text;
        std::string shownPath;
        const std::string systemName = StringsManager::systemFileName(code);
        systemFileOf[code] = systemName;
        if (context.resources.read(systemName, text, shownPath)) {
            systemFileOf[code] = shownPath;
            checkFile(shownPath, text, keys, diagnostics);
        } else {
            diagnostics.report(systemName, 0, "missing: the game cannot show this language");
        }
        if (context.resources.read(StringsManager::scenarioFileName(code), text, shownPath))
            checkFile(shownPath, text, keys, diagnostics);
    }
    for (const char* code : LANGUAGES) {
        for (const char* other : LANGUAGES) {
            if (std::string(code) == other) continue;
            for (const auto& [key, source] : keysByLanguage[code]) {
                if (keysByLanguage[other].count(key)) continue;
                diagnostics.report(
                    source.file, source.line,
                    "key '" + key + "' has no text in \"" + other + "\" (the game would show the key)");
            }
        }
    }
}

bool dumpStrings(const std::string&, const std::string& path, const std::string& text, const ContentContext&,
                 nlohmann::json& out, Diagnostics& diagnostics) {
    std::map<std::string, KeySource> keys;
    checkFile(path, text, keys, diagnostics);
    std::map<std::string, std::string> table;
    StringsFile::addTo(StringsFile::parse(text), table);
    out = nlohmann::json::object();
    for (const auto& [key, value] : table)
        out[key] = value;
    return true;
}

}  // namespace

void registerStringsContent(ContentRegistry& registry) {
    registry.addCheck({"strings",
                       "the Japanese and English string tables: keys in one language only, keys "
                       "without text",
                       checkStrings});
    registry.addDump(
        {{"strings"}, "a string table (.strings) as the key -> text table the game reads", dumpStrings});
}

}  // namespace content
