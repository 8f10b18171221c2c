// The story scripts: `check` reads every scenario script (.bks) and drama part (.bds) with the game's
// own readers and checks what their lines name: string keys in both languages, characters, maps,
// scripts, pictures, animations and sounds, the words of the commands, and variables that a
// condition reads but no script ever sets. `dump bks FILE` and `dump bds FILE` show what the game
// reads from one script.
//
// Pictures, animations and sounds are made by the build: they are checked in a built tree (one that
// holds PNG files) and passed over in the source tree.
#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "engine/platform/FileUtils.h"
#include "game/data/MasterTables.h"
#include "game/data/MasterText.h"
#include "game/data/StringsFile.h"
#include "game/data/StringsManager.h"
#include "game/scenario/DramaScript.h"
#include "game/scenario/ScenarioScriptParser.h"
#include "game/scenario/ScenarioTalkCommands.h"
#include "tools/content/ContentKinds.h"

using namespace vastomer;

namespace content {

namespace {

const char* const LANGUAGES[] = {"ja", "en"};

bool endsWith(const std::string& text, const std::string& suffix) {
    return text.size() >= suffix.size() &&
           text.compare(text.size() - suffix.size(), suffix.size(), suffix) == 0;
}

bool found(const std::string& name) {
    return !engine::FileUtils::getInstance()->fullPathForFilename(name).empty();
}

// A variable a script reads or sets, and where.
struct VariableUse {
    std::string file;
    int line = 0;
};

// What the checks of every script share: the tables they look names up in, and the variables seen.
class StoryChecker {
public:
    StoryChecker(const ContentContext& context, Diagnostics& diagnostics) : diagnostics_(diagnostics) {
        for (const char* code : LANGUAGES) {
            for (const std::string& name :
                 {StringsManager::systemFileName(code), StringsManager::scenarioFileName(code)}) {
                std::string text;
                std::string shown;
                if (!context.resources.read(name, text, shown)) continue;
                for (const StringsEntry& entry : StringsFile::parse(text))
                    keys_[code].insert(entry.key);
            }
        }
        for (MasterTable table : {MasterTable::CHARACTER, MasterTable::WEAR}) {
            std::string text;
            std::string shown;
            if (context.resources.read(MasterTables::fileName(table), text, shown))
                tables_.loadText(table, text, shown);
        }
        for (const auto& entry : tables_.wearRows())
            wears_.push_back(entry.first);
        if (wears_.empty()) wears_.push_back(0);
        for (const std::string& path : engine::FileUtils::getInstance()->listFilesRecursively("res"))
            if (endsWith(path, ".png")) built_ = true;
    }

    void checkScenario(const std::string& path, const std::string& text) {
        const std::string name = "scenario/" + path.substr(path.rfind('/') + 1);
        for (const ScenarioCommand& command : ScenarioScriptParser::parse(text, name, path, &diagnostics_))
            checkCommand(path, command);
    }

    void checkDrama(const std::string& path, const std::string& text) {
        DramaScript script = DramaScript::parse(text, path, &diagnostics_);
        if (script.hasHeader) {
            key(path, script.headerLine, script.title);
            if (!script.subtitle.empty()) key(path, script.headerLine, script.subtitle);
        }
        for (const DramaPartData& record : script.records) {
            if (record.type == DramaPartData::MESSAGE) {
                key(path, record.line, record.textKey);
                key(path, record.line, StringsManager::characterNameKey(record.speaker));
                if (record.picture != "-" && DramaScript::portraitFile(record.picture, 0).empty())
                    report(path, record.line, "picture '" + record.picture + "' is neither A:B nor -");
                if (!DramaScript::portraitFile(record.picture, 0).empty())
                    perWear(path, record.line, "picture",
                            [&](int wear) { return DramaScript::portraitFile(record.picture, wear); });
            } else if (record.type == DramaPartData::ANIME) {
                if (!record.costumed) {
                    animation(path, record.line, record.file);
                    continue;
                }
                perWear(path, record.line, "animation",
                        [&](int wear) { return DramaScript::costumedFile(record.file, wear); });
            }
        }
    }

    // Conditions on variables that no script sets can only ever take one way.
    void checkVariables() {
        for (const auto& [variable, reads] : reads_) {
            if (sets_.count(variable)) continue;
            for (const VariableUse& use : reads)
                report(use.file, use.line, "variable '" + variable + "' is read here but no script sets it");
        }
    }

private:
    void checkCommand(const std::string& path, const ScenarioCommand& c) {
        const int line = c.line;
        const std::string& word = c.textAt(0);
        if (c.name == "TALK") {
            if (word == "SPEAKER") {
                if (c.textAt(1) == "NAME") key(path, line, StringsManager::characterNameKey(c.intAt(2)));
                if (c.textAt(1) == "SPRITE") picture(path, line, c.textAt(3));
                if (c.textAt(1) != "NAME") side(path, line, c.textAt(2));
            } else if (word == "START") {
                if (c.argCount() > 1) side(path, line, c.textAt(1));
            } else if (word != "END" && word != "CLEAR") {
                key(path, line, word);
                for (std::size_t i = 1; i < c.argCount(); ++i)
                    if (c.textAt(i) != "LEFT" && c.textAt(i) != "RIGHT" && c.textAt(i) != "AUTO")
                        report(path, line, "unknown flag '" + c.textAt(i) + "' (LEFT, RIGHT or AUTO)");
            }
        } else if (c.name == "TELOP") {
            key(path, line, word);
        } else if ((c.name == "SOUND" || c.name == "BGM") && word != "STOP") {
            generated(path, line, word, "sound");
        } else if (c.name == "CHARA") {
            checkCharacter(path, c);
        } else if (c.name == "ANIME" && word == "GEN") {
            animation(path, line, c.textAt(1));
            const std::size_t base = c.arg(3).hasText ? 4 : 3;
            layer(path, line, c.textAt(base + 4), false);
            const std::string& mode = c.textAt(base + 5);
            if (mode != "WAIT" && mode != "LOOP" && mode != "THROUGH" && mode != "ONCE")
                report(path, line, "mode '" + mode + "' plays once and stays (WAIT, LOOP, THROUGH or ONCE)");
        } else if (c.name == "SPRITE" && word != "CLEAR") {
            generated(path, line, c.textAt(1), "picture");
            layer(path, line, c.textAt(6), true);
        } else if (c.name == "PARTICLE") {
            if (!found(word)) report(path, line, "particles '" + word + "' not found");
        } else if (c.name == "CHANGEMAP") {
            if (!found(word)) report(path, line, "map '" + word + "' not found");
        } else if (c.name == "FADE") {
            if (word != "IN" && word != "OUT")
                report(path, line, "direction '" + word + "' does nothing (IN or OUT)");
        } else if (c.name == "WAIT") {
            checkWait(path, c);
        } else if (c.name == "VAR") {
            if (c.textAt(1) != "R") sets_.insert(word);
            if (c.argCount() > 2 && c.textAt(2) != "+" && c.textAt(2) != "-")
                report(path, line, "operator '" + c.textAt(2) + "' sets the value (+ or -)");
        } else if (c.name == "COND") {
            static const std::set<std::string> comparisons = {"==", "!=", ">", ">=", "<", "<="};
            if (!comparisons.count(c.textAt(1)))
                report(path, line, "comparison '" + c.textAt(1) + "' is never true (==, !=, >, >=, <, <=)");
            if (!found(c.textAt(3))) report(path, line, "script '" + c.textAt(3) + "' not found");
            if (word != "HP" && word != "MP" && word != "LP") reads_[word].push_back(VariableUse{path, line});
        }
    }

    void checkCharacter(const std::string& path, const ScenarioCommand& c) {
        const std::string& word = c.textAt(0);
        if (word == "GEN") {
            if (c.intAt(1) != 0 && !tables_.hasCharacter(c.intAt(1)))
                report(path, c.line, "character " + std::to_string(c.intAt(1)) + " has no record");
        } else if (word == "ANIME") {
            const std::string& motion = c.textAt(2);
            if (motion != "WALK" && motion != "RUN" && motion != "WAIT") animation(path, c.line, motion);
        } else if (word == "MOVE" && c.argCount() > 5) {
            const std::string& motion = c.textAt(5);
            if (motion != "WALK" && motion != "RUN" && motion != "WAIT") animation(path, c.line, motion);
        }
    }

    void checkWait(const std::string& path, const ScenarioCommand& c) {
        if (c.textAt(0) == "KEY") {
            static const std::set<std::string> words = {"ALL", "UP",     "DOWN",    "LEFT",    "RIGHT",
                                                        "OK",  "CANCEL", "BUTTON3", "BUTTON4", "PAUSE"};
            if (!words.count(c.textAt(1)))
                report(path, c.line, "key word '" + c.textAt(1) + "' waits for nothing");
        } else if (!(c.floatAt(0) > 0.0f)) {
            report(path, c.line, "a wait of 0 seconds or less waits for nothing");
        }
    }

    void key(const std::string& path, int line, const std::string& name) {
        for (const char* code : LANGUAGES)
            if (!keys_[code].count(name))
                report(path, line, "string key '" + name + "' has no text in \"" + code + "\"");
    }

    void side(const std::string& path, int line, const std::string& word) {
        if (word != "LEFT" && word != "RIGHT")
            report(path, line, "side '" + word + "' counts as LEFT (LEFT or RIGHT)");
    }

    void layer(const std::string& path, int line, const std::string& word, bool contents) {
        if (word == "BACK" || word == "CHARA" || word == "OVER" || (contents && word == "CONTENTS")) return;
        report(path, line,
               "layer '" + word + "' is none of " +
                   (contents ? "BACK, CHARA, OVER, CONTENTS" : "BACK, CHARA, OVER"));
    }

    void picture(const std::string& path, int line, const std::string& field) {
        if (ScenarioTalkCommands::pictureFile(field, 0) == "-.png") {
            report(path, line, "picture '" + field + "' is neither a .png nor AA:FF");
            return;
        }
        perWear(path, line, "picture",
                [&](int wear) { return ScenarioTalkCommands::pictureFile(field, wear); });
    }

    // A file the build makes for every wear: one report names the wears it is missing for.
    void perWear(const std::string& path, int line, const char* what,
                 const std::function<std::string(int)>& fileFor) {
        if (!built_) return;
        std::string missing;
        std::string first;
        int count = 0;
        for (int wear : wears_) {
            const std::string file = fileFor(wear);
            if (found(file)) continue;
            if (first.empty()) first = file;
            missing += (count++ ? ", " : "") + std::to_string(wear);
        }
        if (count == 0) return;
        report(path, line,
               std::string(what) + " '" + first + "' not found" +
                   (count == static_cast<int>(wears_.size()) ? std::string(" (nor for any other wear)")
                                                             : " (wear " + missing + ")"));
    }

    void animation(const std::string& path, int line, const std::string& file) {
        generated(path, line, file, "animation");
    }

    // A file the build makes, looked for only in a built tree.
    void generated(const std::string& path, int line, const std::string& file, const char* what) {
        if (built_ && !found(file)) report(path, line, std::string(what) + " '" + file + "' not found");
    }

    void report(const std::string& path, int line, const std::string& message) {
        diagnostics_.report(path, line, message);
    }

    Diagnostics& diagnostics_;
    std::map<std::string, std::set<std::string>> keys_;
    MasterTables tables_;
    std::vector<int> wears_;
    bool built_ = false;
    std::map<std::string, std::vector<VariableUse>> reads_;
    std::set<std::string> sets_;
};

void checkStory(const ContentContext& context, Diagnostics& diagnostics) {
    engine::FileUtils* files = engine::FileUtils::getInstance();
    StoryChecker checker(context, diagnostics);
    for (const std::string& path : files->listFilesRecursively("res")) {
        if (endsWith(path, ".bks")) checker.checkScenario(path, files->getStringFromFile(path));
        if (endsWith(path, ".bds")) checker.checkDrama(path, files->getStringFromFile(path));
    }
    checker.checkVariables();
}

nlohmann::json valueJson(const ScenarioValue& value) {
    if (value.hasInt) return value.intValue;
    if (value.hasFloat) return value.floatValue;
    return value.text;
}

bool dumpScenario(const std::string&, const std::string& path, const std::string& text, const ContentContext&,
                  nlohmann::json& out, Diagnostics& diagnostics) {
    out = nlohmann::json::array();
    for (const ScenarioCommand& command : ScenarioScriptParser::parse(text, path, path, &diagnostics)) {
        nlohmann::json args = nlohmann::json::array();
        for (const ScenarioValue& value : command.args)
            args.push_back(valueJson(value));
        out.push_back({{"line", command.line}, {"command", command.name}, {"args", args}});
    }
    return true;
}

bool dumpDrama(const std::string&, const std::string& path, const std::string& text, const ContentContext&,
               nlohmann::json& out, Diagnostics& diagnostics) {
    DramaScript script = DramaScript::parse(text, path, &diagnostics);
    static const char* const TYPES[] = {"nothing", "anime", "anime remove", "message", "message end", "wait"};
    nlohmann::json records = nlohmann::json::array();
    for (const DramaPartData& r : script.records) {
        nlohmann::json record = {{"line", r.line}, {"type", TYPES[r.type]}};
        if (r.type == DramaPartData::ANIME || r.type == DramaPartData::ANIME_REMOVE) record["name"] = r.name;
        if (r.type == DramaPartData::ANIME) {
            record.update({{"file", r.file},
                           {"costumed", r.costumed},
                           {"anchor", {r.anchor.x, r.anchor.y}},
                           {"position", {r.position.x, r.position.y}},
                           {"z", r.z},
                           {"loop", r.loop},
                           {"noWait", r.noWait},
                           {"relative", r.relative}});
        } else if (r.type == DramaPartData::MESSAGE) {
            record.update({{"speaker", r.speaker},
                           {"key", r.textKey},
                           {"picture", r.picture},
                           {"left", r.left},
                           {"noWait", r.noWait}});
        } else if (r.type == DramaPartData::WAIT) {
            record["seconds"] = r.seconds;
        }
        records.push_back(record);
    }
    out = {{"title", script.title}, {"subtitle", script.subtitle}, {"records", records}};
    return true;
}

}  // namespace

void registerStoryContent(ContentRegistry& registry) {
    registry.addCheck({"story",
                       "every scenario script (.bks) and drama part (.bds): unknown commands and words, "
                       "field counts, string keys missing in a language, characters, maps and scripts, and "
                       "(in a built tree) pictures, animations and sounds; variables read but never set",
                       checkStory});
    registry.addDump(
        {{"bks"}, "a scenario script (.bks): the commands the game reads, with their values", dumpScenario});
    registry.addDump({{"bds"}, "a drama part (.bds): the header and the records the game reads", dumpDrama});
}

}  // namespace content
