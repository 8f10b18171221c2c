// The story content of the built resource tree, read line by line the way the scenario and drama
// loaders cut it: every scenario script (.bks) and drama part (.bds) line is a command the game knows
// with the fields its form needs; every text key is in both languages and fits the message window;
// every picture, animation, map, sound and script a line names is in the tree for every wear; every
// part, scenario sensor, hint, grapple event and situation with drama animations has its script.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

#include "game/app/AppDelegate.h"
#include "game/data/MasterText.h"
#include "game/data/StringsFile.h"
#include "tests/support/TestPaths.h"

namespace {

namespace fs = std::filesystem;
using vastomer::MasterText;

constexpr int WEARS = 9;                // wear 0-8: the middle number of a costumed file is 01-09
constexpr int MESSAGE_LINES = 3;        // the window shows three lines under the name plate
constexpr int MESSAGE_COLUMNS_JA = 46;  // 23 full-width characters (the window mirrored, picture right)
constexpr int MESSAGE_COLUMNS_EN = 50;
constexpr int TELOP_COLUMNS = 56;  // one line across the caption band
const char* const LANGUAGES[] = {"ja", "en"};

// The number with at least `width` digits, zero-padded.
std::string padded(int value, int width) {
    std::string digits = std::to_string(value);
    return std::string(digits.size() < static_cast<size_t>(width) ? width - digits.size() : 0, '0') + digits;
}

std::string readText(const fs::path& path) {
    std::ifstream in(path, std::ios::binary);
    std::stringstream text;
    text << in.rdbuf();
    return text.str();
}

// The runtime tree and the game's resource search paths.
struct Tree {
    fs::path root = testsupport::runtimeDir();
    // Every search path under which the name exists, in search order.
    std::vector<fs::path> resolve(const std::string& name) const {
        std::vector<fs::path> found;
        for (const std::string& base : AppDelegate::searchPaths())
            if (fs::is_regular_file(root / base / name)) found.push_back(root / base / name);
        return found;
    }
    bool has(const std::string& name) const { return !resolve(name).empty(); }
    std::string read(const std::string& name) const {
        auto found = resolve(name);
        return found.empty() ? std::string() : readText(found.front());
    }
    // Every file under res/ with the extension, relative to res/.
    std::vector<std::string> filesEndingIn(const std::string& extension) const {
        std::vector<std::string> files;
        for (const auto& entry : fs::recursive_directory_iterator(root / "res"))
            if (entry.is_regular_file() && entry.path().extension() == extension)
                files.push_back(fs::relative(entry.path(), root / "res").generic_string());
        std::sort(files.begin(), files.end());
        return files;
    }
};

// Cuts at one separator keeping empty pieces, so that an empty field can be reported instead of
// silently moving the later fields forward as the loaders do.
std::vector<std::string> cut(const std::string& line, char separator, bool trim) {
    std::vector<std::string> pieces;
    std::string piece;
    std::istringstream in(line);
    while (std::getline(in, piece, separator))
        pieces.push_back(trim ? MasterText::trim(piece) : piece);
    if (!line.empty() && line.back() == separator) pieces.emplace_back();
    return pieces;
}

bool isPlainNumber(const std::string& text) {
    static const std::regex number("^[-+]?[0-9]+(\\.[0-9]+)?$");
    return std::regex_match(text, number);
}

bool oneOf(const std::string& text, std::initializer_list<const char*> words) {
    for (const char* word : words)
        if (text == word) return true;
    return false;
}

using Fields = std::vector<std::string>;

// What the scripts refer to, gathered while checking them.
struct References {
    std::map<std::string, std::string> messageKeys;  // key -> where it is used
    std::map<std::string, std::string> otherKeys;    // telop captions, drama headers
    std::map<int, std::string> speakers;
    std::map<std::string, std::string> files;     // plain resource names
    std::map<std::string, std::string> costumed;  // names that get "_NN.cma" or a wear number
};

// One script file being checked: its problems and its window state.
struct Checker {
    std::string file;
    int line = 0;
    std::vector<std::string>& problems;
    References& refs;
    bool windowOpen = false;

    void problem(const std::string& what) { problems.push_back(where() + ": " + what); }
    std::string where() const { return file + ":" + std::to_string(line); }

    // The line has `low` to `high` fields after the keyword and plain numbers at the given positions;
    // true when the field count is right.
    bool form(const Fields& f, size_t low, size_t high, std::initializer_list<size_t> numbers = {}) {
        const size_t count = f.size() - 1;
        if (count < low || count > high) {
            problem(f[0] + (f.size() > 1 ? " " + f[1] : "") + " needs " + std::to_string(low) +
                    (high != low ? " to " + std::to_string(high) : "") + " fields, has " +
                    std::to_string(count));
        }
        for (size_t i : numbers)
            if (i < f.size() && !isPlainNumber(f[i]))
                problem("field " + std::to_string(i) + " '" + f[i] + "' is no number");
        return count >= low && count <= high;
    }
    // The field at i, when present, is one of the words.
    void word(const Fields& f, size_t i, std::initializer_list<const char*> words) {
        if (i < f.size() && !oneOf(f[i], words))
            problem("field " + std::to_string(i) + " '" + f[i] + "' is not a word the game knows here");
    }
    void message(const std::string& key) {
        if (!windowOpen) problem("message " + key + " while the window is closed");
        refs.messageKeys.emplace(key, where());
    }
    void resource(const std::string& name) { refs.files.emplace(name, where()); }
    void motion(const std::string& name) {
        if (!oneOf(name, {"WALK", "RUN", "WAIT"})) resource(name);
    }

    void scenarioLine(const Fields& f);
    void talk(const Fields& f);
    void dramaLine(const Fields& f, std::set<std::string>& animations);
};

void Checker::talk(const Fields& f) {
    const std::string sub = f.size() > 1 ? f[1] : "";
    const std::string third = f.size() > 2 ? f[2] : "";
    if (sub == "SPEAKER" && third == "NAME") {
        if (form(f, 3, 3, {3})) refs.speakers.emplace(std::stoi(f[3]), where());
    } else if (sub == "SPEAKER" && third == "SPRITE") {
        if (form(f, 4, 6)) refs.costumed.emplace(f[4], where());
        word(f, 3, {"LEFT", "RIGHT"});
        word(f, 6, {"DEACTIVE"});
    } else if (sub == "SPEAKER" && third == "CLEAR") {
        form(f, 3, 4);
        word(f, 3, {"LEFT", "RIGHT"});
    } else if (sub == "SPEAKER") {
        problem("TALK SPEAKER needs NAME, SPRITE or CLEAR");
    } else if (sub == "START") {
        form(f, 1, 2);
        word(f, 2, {"LEFT", "RIGHT"});
        if (windowOpen) problem("TALK START while the window is open");
        windowOpen = true;
    } else if (sub == "END") {
        form(f, 1, 2);
        if (!windowOpen) problem("TALK END while the window is closed");
        windowOpen = false;
    } else if (sub == "CLEAR") {
        form(f, 1, 1);
    } else if (form(f, 1, 3)) {
        word(f, 2, {"LEFT", "RIGHT", "AUTO"});
        word(f, 3, {"LEFT", "RIGHT", "AUTO"});
        message(sub);
    }
}

void Checker::scenarioLine(const Fields& f) {
    const std::string& command = f[0];
    const std::string sub = f.size() > 1 ? f[1] : "";
    if (command == "CAM") {
        if (sub == "CHARA")
            form(f, 3, 3, {3});
        else if (sub == "RELATIVE")
            form(f, 4, 4, {2, 3, 4});
        else if (sub == "CENTER")
            form(f, 2, 2, {2});
        else
            form(f, 3, 3, {1, 2, 3});
    } else if (command == "TALK") {
        talk(f);
    } else if (command == "SOUND" || command == "BGM") {
        if (sub == "STOP")
            form(f, 1, 1);
        else if (form(f, 2, 2, {2}))
            resource(sub);
    } else if (command == "CHARA") {
        if (sub == "GEN") {
            form(f, 6, 6, {2, 4, 5});
            word(f, 6, {"true", "false"});
        } else if (sub == "MOVE") {
            if (form(f, 5, 7, {3, 4, 5}) && f.size() >= 7 && f[6] != "WAIT") motion(f[6]);
            word(f, 7, {"WAIT"});
        } else if (sub == "ANIME") {
            if (form(f, 3, 4)) motion(f[3]);
            word(f, 4, {"WAIT"});
        } else if (sub == "REMOVE") {
            form(f, 2, 2);
        } else if (sub == "VISIBLE") {
            form(f, 3, 3);
            word(f, 3, {"TRUE", "FALSE"});
        } else if (sub == "SETZ") {
            form(f, 3, 3, {3});
        } else {
            problem("CHARA needs GEN, MOVE, REMOVE, ANIME, VISIBLE or SETZ");
        }
    } else if (command == "ANIME") {
        if (sub == "GEN") {
            const bool atPoint = f.size() == 10;  // the other form names a character to stand by
            if (form(f, atPoint ? 9 : 10, atPoint ? 9 : 10,
                     atPoint ? std::initializer_list<size_t>{4, 5, 6}
                             : std::initializer_list<size_t>{5, 6, 7}))
                resource(f[2]);
            word(f, atPoint ? 8 : 9, {"BACK", "OVER", "CHARA"});
        } else if (sub == "MOVE") {
            form(f, 5, 6, {3, 4, 5});
        } else if (sub == "CLEAR") {
            form(f, 2, 2);
        } else if (sub == "SETZ") {
            form(f, 3, 3, {3});
        } else {
            problem("ANIME needs GEN, MOVE, CLEAR or SETZ");
        }
    } else if (command == "CHANGEMAP") {
        if (form(f, 1, 1)) resource(sub);
    } else if (command == "FADE") {
        form(f, 2, 2, {2});
        word(f, 1, {"IN", "OUT"});
    } else if (command == "SPRITE") {
        if (sub == "CLEAR") {
            form(f, 2, 2);
        } else {
            if (form(f, 8, 8, {3, 4, 5, 6})) resource(f[2]);
            word(f, 7, {"BACK", "CHARA", "OVER", "CONTENTS"});
        }
    } else if (command == "PARTICLE") {
        if (form(f, 4, 4, {2, 3, 4})) resource(sub);
    } else if (command == "WAIT") {
        if (sub == "KEY") {
            form(f, 2, 2);
            word(f, 2, {"ALL", "UP", "DOWN", "LEFT", "RIGHT", "OK", "CANCEL", "BUTTON3", "BUTTON4", "PAUSE"});
        } else if (form(f, 1, 1, {1}) && isPlainNumber(sub) && std::stof(sub) <= 0) {
            problem("a wait of no time never ends");
        }
    } else if (command == "VAR") {
        if (f.size() == 3 && f[2] == "R") return;
        form(f, 2, 3, {2});
        word(f, 3, {"+", "-"});
    } else if (command == "COND") {
        if (form(f, 4, 4, {3})) resource(f[4]);
        word(f, 2, {"==", "!=", ">", ">=", "<", "<="});
    } else if (command == "TELOP") {
        if (form(f, 1, 1)) refs.otherKeys.emplace(sub, where());
    } else if (command != "FUNC" && command != "ENDING") {
        problem("'" + command + "' is no scenario command");
    }
}

void Checker::dramaLine(const Fields& f, std::set<std::string>& animations) {
    const std::string sub = f.size() > 1 ? f[1] : "";
    if (f[0] == "ANIME" && sub == "REMOVE") {
        if (form(f, 2, 2) && !animations.erase(f[2])) problem("removes '" + f[2] + "', which is not playing");
    } else if (f[0] == "ANIME") {
        const bool complete = form(f, 9, 10, {3, 4, 5, 6, 7});
        for (size_t flag = 8; flag <= 10; ++flag)
            word(f, flag, {"true", "false"});
        if (!complete) return;
        if (!animations.insert(sub).second) problem("animation '" + sub + "' is already playing");
        if (f[2].find(".cma") == std::string::npos)
            refs.costumed.emplace(f[2], where());
        else
            resource(f[2]);
    } else if (f[0] == "MESSAGE" && sub == "END") {
        form(f, 1, 1);
        if (!windowOpen) problem("MESSAGE END while the window is closed");
        windowOpen = false;
    } else if (f[0] == "MESSAGE") {
        const bool complete = form(f, 5, 5, {1});
        word(f, 4, {"true", "false"});
        word(f, 5, {"true", "false"});
        if (!complete) return;
        static const std::regex picture("^[0-9]+:[0-9]+$");
        if (f[3] != "-" && !std::regex_match(f[3], picture))
            problem("picture '" + f[3] + "' is neither A:B nor -");
        else if (f[3] != "-")
            refs.costumed.emplace("drama:" + f[3], where());
        if (isPlainNumber(f[1])) refs.speakers.emplace(std::stoi(f[1]), where());
        windowOpen = true;  // a message opens the window when it is closed
        message(f[2]);
    } else if (f[0] == "WAIT") {
        form(f, 1, 1, {1});
    } else {
        problem("'" + f[0] + "' is no drama record");
    }
}

// Checks every script of one kind in the tree; returns the problems found.
std::vector<std::string> checkScripts(const Tree& tree, const std::string& extension, References& refs) {
    std::vector<std::string> problems;
    for (const std::string& name : tree.filesEndingIn(extension)) {
        Checker checker{name, 0, problems, refs};
        std::set<std::string> animations;
        bool header = true, ended = false;
        std::istringstream in(readText(tree.root / "res" / name));
        std::string text;
        while (std::getline(in, text)) {
            ++checker.line;
            text.erase(std::remove(text.begin(), text.end(), '\r'), text.end());
            if (text.empty() || MasterText::startsWith(text, "//")) continue;
            std::vector<std::string> f = cut(text, extension == ".bks" ? ';' : ',', extension == ".bds");
            if (std::find(f.begin(), f.end(), "") != f.end())
                checker.problem("an empty field (the game drops it and shifts the rest)");
            f.erase(std::remove(f.begin(), f.end(), ""), f.end());
            if (f.empty()) continue;
            if (ended) checker.problem("nothing runs after ENDING");
            if (extension == ".bks") {
                checker.scenarioLine(f);
                ended = ended || f[0] == "ENDING";
            } else if (header) {
                header = false;
                if (f.size() != 2) checker.problem("the header needs two fields");
                for (const std::string& key : f)
                    refs.otherKeys.emplace(key, checker.where());
            } else {
                checker.dramaLine(f, animations);
            }
        }
        if (checker.windowOpen) checker.problem("the message window is still open at the end");
    }
    return problems;
}

// The texts of both languages, as the strings manager holds them (system, then scenario).
std::map<std::string, std::map<std::string, std::string>> loadTexts(const Tree& tree) {
    std::map<std::string, std::map<std::string, std::string>> texts;
    for (const char* code : LANGUAGES)
        for (const char* file : {"system_", "scenario_"})
            vastomer::StringsFile::addTo(
                vastomer::StringsFile::parse(tree.read(std::string("strings/") + file + code + ".strings")),
                texts[code]);
    return texts;
}

// Display columns of a UTF-8 line: full-width (from U+1100 on) characters count two.
int columns(const std::string& text) {
    int count = 0;
    for (size_t i = 0; i < text.size();) {
        unsigned char lead = static_cast<unsigned char>(text[i]);
        size_t length = lead < 0x80 ? 1 : lead < 0xE0 ? 2 : lead < 0xF0 ? 3 : 4;
        count += length >= 3 ? 2 : 1;
        i += length;
    }
    return count;
}

struct Scripts {
    Tree tree;
    References refs;
    std::vector<std::string> scenarioProblems = checkScripts(tree, ".bks", refs);
    std::vector<std::string> dramaProblems = checkScripts(tree, ".bds", refs);
};

const Scripts& scripts() {
    static const Scripts all;
    return all;
}

std::string joined(const std::vector<std::string>& lines) {
    std::string out;
    for (const std::string& line : lines)
        out += line + "\n";
    return out;
}

TEST(StoryContentTest, ScenarioScriptsUseKnownCommandsWithTheFieldsTheyNeed) {
    ASSERT_FALSE(scripts().tree.filesEndingIn(".bks").empty())
        << "no scenario scripts in " << testsupport::runtimeDir();
    EXPECT_TRUE(scripts().scenarioProblems.empty()) << joined(scripts().scenarioProblems);
}

TEST(StoryContentTest, DramaPartsUseKnownRecordsWithTheFieldsTheyNeed) {
    ASSERT_FALSE(scripts().tree.filesEndingIn(".bds").empty())
        << "no drama parts in " << testsupport::runtimeDir();
    EXPECT_TRUE(scripts().dramaProblems.empty()) << joined(scripts().dramaProblems);
}

TEST(StoryContentTest, TheCheckReportsLinesTheGameWouldMisread) {
    std::vector<std::string> problems;
    References refs;
    Checker checker{"x.bks", 0, problems, refs};
    checker.scenarioLine({"CAM", "CHARA", "PLAYER"});
    checker.scenarioLine({"talk", "KEY"});
    checker.scenarioLine({"WAIT", "0"});
    checker.scenarioLine({"TALK", "KEY"});
    checker.scenarioLine({"FADE", "IN", "half"});
    std::set<std::string> playing;
    checker.dramaLine({"ANIME", "REMOVE", "catch"}, playing);
    checker.dramaLine({"MESSAGE", "0", "KEY", "portrait", "true", "false"}, playing);
    EXPECT_EQ(problems.size(), 7u) << joined(problems);
}

TEST(StoryContentTest, EveryTextKeyIsInBothLanguagesAndFitsTheWindow) {
    const auto texts = loadTexts(scripts().tree);
    const References& refs = scripts().refs;
    for (const char* code : LANGUAGES) {
        const auto& table = texts.at(code);
        const int limit = std::string(code) == "ja" ? MESSAGE_COLUMNS_JA : MESSAGE_COLUMNS_EN;
        for (const auto& [key, where] : refs.messageKeys) {
            auto found = table.find(key);
            if (found == table.end()) {
                ADD_FAILURE() << where << ": no " << code << " text for " << key;
                continue;
            }
            std::vector<std::string> lines = cut(found->second, '_', false);
            EXPECT_LE(lines.size(), static_cast<size_t>(MESSAGE_LINES)) << code << " " << key;
            for (const std::string& line : lines)
                EXPECT_LE(columns(line), limit)
                    << code << " " << key << ": '" << line << "' is too wide for the window";
        }
        for (const auto& [key, where] : refs.otherKeys) {
            auto found = table.find(key);
            if (found == table.end()) {
                ADD_FAILURE() << where << ": no " << code << " text for " << key;
            } else if (MasterText::startsWith(key, "TELOP_")) {
                EXPECT_LE(columns(found->second), TELOP_COLUMNS) << code << " " << key;
            }
        }
        for (const auto& [number, where] : refs.speakers)
            EXPECT_TRUE(table.count("CHARA_NAME_" + padded(number, 4)))
                << where << ": no " << code << " name for speaker " << number;
    }
}

TEST(StoryContentTest, EveryFileAScriptNamesIsInTheTree) {
    const Scripts& all = scripts();
    for (const auto& [name, where] : all.refs.files)
        EXPECT_TRUE(all.tree.has(name)) << where << ": " << name << " is missing";
    for (const auto& [name, where] : all.refs.costumed) {
        if (MasterText::startsWith(name, "anime/drama/")) continue;  // checked with the drama animations
        static const std::regex picture("^(drama:)?([0-9]+):([0-9]+)$");
        std::smatch parts;
        const bool split = std::regex_match(name, parts, picture);
        if (!split && name.find(".png") == std::string::npos) {
            ADD_FAILURE() << where << ": '" << name << "' is no picture";
            continue;
        }
        for (int wear = 1; wear <= WEARS; ++wear) {
            std::string file = !split ? name
                               : parts[1].matched
                                   ? "cf_" + padded(std::stoi(parts[2]), 2) + "_" + padded(wear, 2) + "_" +
                                         padded(std::stoi(parts[3]), 2) + ".png"
                                   : "character/cf_" + parts[2].str() + "_" + padded(wear, 2) + "_" +
                                         parts[3].str() + ".png";
            EXPECT_TRUE(all.tree.has(file)) << where << ": " << file << " is missing";
        }
    }
}

TEST(StoryContentTest, DramaAnimationsExistForEveryWear) {
    const Scripts& all = scripts();
    if (!fs::is_directory(all.tree.root / "res/anime/drama"))
        GTEST_SKIP() << "the drama animations are not in this tree yet";
    for (const auto& [name, where] : all.refs.costumed) {
        if (!MasterText::startsWith(name, "anime/drama/")) continue;
        for (int wear = 1; wear <= WEARS; ++wear)
            EXPECT_TRUE(all.tree.has(name + "_" + padded(wear, 2) + ".cma"))
                << where << ": " << name << " wear " << wear;
    }
}

TEST(StoryContentTest, EveryScriptIsFoundUnderExactlyOneSearchPath) {
    const Tree& tree = scripts().tree;
    for (const std::string& file : tree.filesEndingIn(".bks"))
        EXPECT_EQ(tree.resolve("scenario/" + fs::path(file).filename().string()).size(), 1u) << file;
    for (const std::string& file : tree.filesEndingIn(".bds"))
        for (const char* folder : {"drama/", "data/drama/"})
            EXPECT_EQ(tree.resolve(folder + fs::path(file).filename().string()).size(), 1u) << folder << file;
}

// The data lines of a master or stage table, as fields.
std::vector<std::vector<std::string>> tableRows(const Tree& tree, const std::string& name) {
    std::vector<std::vector<std::string>> rows;
    for (const auto& line : MasterText::readLines(tree.read(name)))
        rows.push_back(line.fields);
    return rows;
}

// The objects of a map's "object" group with the given name: their "type" values.
std::vector<int> mapObjectTypes(const Tree& tree, const std::string& map, const std::string& name) {
    std::vector<int> types;
    const std::string text = tree.read(map);
    static const std::regex object("<object [^>]*name=\"([^\"]*)\" type=\"([0-9]+)\"");
    for (auto it = std::sregex_iterator(text.begin(), text.end(), object); it != std::sregex_iterator(); ++it)
        if ((*it)[1] == name) types.push_back(std::stoi((*it)[2]));
    return types;
}

TEST(StoryContentTest, EveryPartHasItsEntryScriptAndEverySensorItsAside) {
    const Tree& tree = scripts().tree;
    auto stages = tableRows(tree, "master/stages_master.data");
    ASSERT_FALSE(stages.empty());
    for (const auto& stage : stages) {
        const int number = std::stoi(stage[0]);
        auto rows = tableRows(tree, "master/stage/stage_" + padded(number, 4) + ".data");
        ASSERT_GE(rows.size(), 2u) << "stage " << number;
        for (const std::string& part : rows[1]) {
            EXPECT_TRUE(tree.has("scenario/wop_" + padded(number, 4) + "_" + padded(std::stoi(part), 4) +
                                 "_0001.bks"))
                << "stage " << number << " part " << part;
            const std::string map =
                "data/map/md_" + padded(number, 4) + "_" + padded(std::stoi(part), 2) + ".tmx";
            ASSERT_TRUE(tree.has(map)) << map;
            for (int sensor : mapObjectTypes(tree, map, "scenario"))
                EXPECT_TRUE(tree.has("scenario/oim_" + padded(number, 4) + "_" + padded(std::stoi(part), 4) +
                                     "_" + padded(sensor, 4) + ".bks"))
                    << map << " sensor " << sensor;
        }
    }
    EXPECT_TRUE(tree.has("scenario/opening.bks"));
    EXPECT_TRUE(tree.has("scenario/shop_tutorial.bks"));
    for (int stage = 1; stage <= 3; ++stage)
        EXPECT_TRUE(tree.has("scenario/sed_" + padded(stage, 4) + ".bks"));
}

TEST(StoryContentTest, EveryHintHasItsScript) {
    const Tree& tree = scripts().tree;
    auto hints = tableRows(tree, "master/hint_master.data");
    ASSERT_GE(hints.size(), 2u);
    for (const auto& hint : hints)
        EXPECT_TRUE(tree.has("scenario/hint_" + padded(std::stoi(hint[0]), 4) + ".bks")) << hint[0];
}

// The five drama parts of a situation: tiers 1-3 for play, 4 and 5 for the gallery only.
void expectFiveTiers(const Tree& tree, int situation, const std::string& why) {
    for (int tier = 1; tier <= 5; ++tier)
        EXPECT_TRUE(tree.has(std::string(tier <= 3 ? "drama/" : "data/drama/") + "dramaPart_" +
                             padded(situation, 3) + "_" + padded(tier, 2) + ".bds"))
            << why << ": situation " << situation << " tier " << tier;
}

TEST(StoryContentTest, EveryGrappleEventAndGallerySituationHasItsDramaParts) {
    const Tree& tree = scripts().tree;
    const auto events = tableRows(tree, "master/combine_master.data");
    ASSERT_FALSE(events.empty());
    for (const auto& event : events)
        expectFiveTiers(tree, std::stoi(event[2]), "creature " + event[0] + " key " + event[1]);
    const auto situations = tableRows(tree, "master/situation_master.data");
    ASSERT_FALSE(situations.empty());
    for (const auto& situation : situations)
        expectFiveTiers(tree, std::stoi(situation[0]), "the gallery");
}

TEST(StoryContentTest, EverySituationWithDramaAnimationsHasItsFiveTiers) {
    const Tree& tree = scripts().tree;
    const fs::path folder = tree.root / "res/anime/drama";
    if (!fs::is_directory(folder)) GTEST_SKIP() << "the drama animations are not in this tree yet";
    static const std::regex animation("^DRAMA_([0-9]{3})_[0-9]{2}_[0-9]{2}\\.cma$");
    std::set<int> situations;
    for (const auto& entry : fs::directory_iterator(folder)) {
        const std::string name = entry.path().filename().string();
        std::smatch parts;
        if (std::regex_match(name, parts, animation)) situations.insert(std::stoi(parts[1]));
    }
    ASSERT_FALSE(situations.empty()) << "no drama animations in " << folder;
    for (int situation : situations)
        expectFiveTiers(tree, situation, "anime/drama/DRAMA_" + padded(situation, 3));
}

}  // namespace
