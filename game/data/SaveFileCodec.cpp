#include "game/data/SaveFileCodec.h"

#include <algorithm>
#include <vector>

#include "game/data/MasterText.h"

namespace vastomer {

namespace {

std::string number(long long value) {
    return MasterText::intText(value);
}

// A saved integer: the leading number of the trimmed text, which must fit in 32 bits.
bool readInt(std::string_view text, int& out) {
    LeadingInt read = MasterText::leadingInt(MasterText::trim(text));
    if (read.status != LeadingInt::Status::OK) return false;
    out = read.value;
    return true;
}

// Reads one line of the file; `report` names the line for every item it drops.
class LineReader {
public:
    LineReader(ProgressState& state, const SaveFileCodec::Checks& checks, std::string& language,
               std::function<void(const std::string&)> report)
        : s_(state), checks_(checks), language_(language), report_(std::move(report)) {}

    void read(const std::string& line) {
        pieces_ = MasterText::split(line, ':');
        value_ = pieces_.size() > 1 ? pieces_[1] : std::string();
        using Handler = void (LineReader::*)();
        static const std::pair<const char*, Handler> kKeys[] = {
            {"tutorialflags:", &LineReader::tutorialFlags},
            {"progress:", &LineReader::progress},
            {"stagescore:", &LineReader::stageScores},
            {"situations:", &LineReader::situations},
            {"weapon:", &LineReader::weapons},
            {"wear:", &LineReader::wear},
            {"equipped:", &LineReader::equipped},
            {"cmp:", &LineReader::sp},
            {"clp:", &LineReader::lp},
            {"score:", &LineReader::score},
            {"userVar:", &LineReader::userVars},
            {"nc:", &LineReader::language},
            {"read:", &LineReader::readScripts}};
        for (const auto& key : kKeys) {
            if (MasterText::startsWith(line, key.first)) {
                (this->*key.second)();
                return;
            }
        }
        report_("no known key; line ignored");
    }

private:
    std::vector<std::string> items() const { return MasterText::split(MasterText::trim(value_), ','); }

    void drop(const std::string& what, const std::string& item) {
        report_(what + " \"" + item + "\" dropped");
    }

    void tutorialFlags() {
        std::vector<std::string> values = items();
        for (std::size_t i = 0; i < values.size() && i < s_.tutorialFlags.size(); ++i)
            s_.tutorialFlags[i] = MasterText::trim(values[i]) != "0";
    }

    void progress() {
        std::string text = MasterText::trim(value_);
        int value = 0;
        if (!MasterText::isNumber(text)) {
            if (!text.empty()) report_("progress \"" + text + "\" is not a number; read as 0");
            s_.progress = 0;
        } else if (!readInt(text, value)) {
            drop("progress", text);
        } else {
            s_.progress = value;
        }
    }

    // "a@b" items: false when the item has no two halves or they are not numbers.
    bool readPair(const std::string& item, int& first, std::string& second) {
        std::vector<std::string> halves = MasterText::split(item, '@');
        if (halves.size() < 2 || !readInt(halves[0], first)) return false;
        second = MasterText::trim(halves[1]);
        return true;
    }

    void stageScores() {
        s_.stageBestScores.clear();
        for (const std::string& item : items()) {
            int stage = 0;
            int points = 0;
            std::string second;
            if (readPair(item, stage, second) && readInt(second, points))
                s_.stageBestScores[stage] = points;
            else
                drop("stage score", item);
        }
    }

    void situations() {
        s_.situations.clear();
        for (const std::string& item : items()) {
            int drama = 0;
            std::string flag;
            if (readPair(item, drama, flag))
                s_.situations[drama] = flag != "0";
            else
                drop("situation", item);
        }
    }

    // Owned items join the new game's ones, without repeats, in the file's order.
    void weapons() {
        readIds("weapon", [this](int id) { s_.addWeapon(id); });
    }
    void wear() {
        readIds("wear", [this](int id) { s_.addWear(id); });
    }
    template <typename Add>
    void readIds(const char* what, Add add) {
        for (const std::string& item : items()) {
            int id = 0;
            if (readInt(item, id))
                add(id);
            else
                drop(what, item);
        }
    }

    void equipped() {
        std::vector<std::string> values = items();
        int ids[3] = {0, 0, 0};
        if (values.size() < 3 || !readInt(values[0], ids[0]) || !readInt(values[1], ids[1]) ||
            !readInt(values[2], ids[2])) {
            drop("equipment", MasterText::trim(value_));
            return;
        }
        auto exists = [](const std::function<bool(int)>& check, int id) { return !check || check(id); };
        s_.equippedWeapon1 =
            exists(checks_.weaponExists, ids[0]) ? ids[0] : ProgressState::kFirstGrappleWeapon;
        s_.equippedWeapon2 = exists(checks_.weaponExists, ids[1]) ? ids[1] : ProgressState::kFirstShotWeapon;
        s_.equippedWear = exists(checks_.wearExists, ids[2]) ? ids[2] : ProgressState::kFirstWear;
    }

    void sp() { readGauge("special points", s_.sp, ProgressState::kSpMax); }
    void lp() { readGauge("LP", s_.lp, ProgressState::kLpMax); }
    void readGauge(const char* what, int& target, int max) {
        int value = 0;
        if (!readInt(value_, value)) return drop(what, value_);
        target = std::clamp(value, 0, max);
    }

    void score() {
        int points = 0;
        int total = 0;
        if (pieces_.size() < 3 || !readInt(pieces_[1], points) || !readInt(pieces_[2], total))
            return drop("score line", value_);
        s_.score = std::max(points, 0);
        s_.totalScore = std::max(total, 0);
    }

    void userVars() {
        for (const std::string& item : items()) {
            std::vector<std::string> halves = MasterText::split(item, ';');
            int value = 0;
            std::string name = halves.empty() ? std::string() : MasterText::trim(halves[0]);
            if (halves.size() >= 2 && ProgressState::isValidUserVarName(name) && readInt(halves[1], value))
                s_.userVars[name] = value;
            else
                drop("user variable", item);
        }
    }

    void language() {
        std::string code = MasterText::trim(value_);
        if (!code.empty()) language_ = code;
    }

    void readScripts() {
        for (const std::string& name : MasterText::split(value_, ','))
            s_.readScripts.insert(name);
    }

    ProgressState& s_;
    const SaveFileCodec::Checks& checks_;
    std::string& language_;
    std::function<void(const std::string&)> report_;
    std::vector<std::string> pieces_;
    std::string value_;
};

}  // namespace

std::string SaveFileCodec::write(const ProgressState& state, const std::string& language) {
    std::string out;
    auto list = [&out](const std::vector<std::string>& items, bool commaAfterEach) {
        for (std::size_t i = 0; i < items.size(); ++i) {
            if (i > 0 && !commaAfterEach) out += ',';
            out += items[i];
            if (commaAfterEach) out += ',';
        }
        out += '\n';
    };
    std::vector<std::string> items;

    out += "progress:" + number(state.progress) + "\n";
    for (bool flag : state.tutorialFlags)
        items.push_back(flag ? "1" : "0");
    out += "tutorialflags:";
    list(items, false);

    items.clear();
    for (const auto& entry : state.stageBestScores)
        items.push_back(number(entry.first) + "@" + number(entry.second));
    out += "stagescore:";
    list(items, false);

    items.clear();
    for (const auto& entry : state.situations)
        items.push_back(number(entry.first) + (entry.second ? "@1" : "@0"));
    out += "situations:";
    list(items, false);

    items.clear();
    for (int id : state.ownedWeapons)
        items.push_back(number(id));
    out += "weapon:";
    list(items, true);

    items.clear();
    for (int id : state.ownedWear)
        items.push_back(number(id));
    out += "wear:";
    list(items, true);

    out += "equipped:" + number(state.equippedWeapon1) + "," + number(state.equippedWeapon2) + "," +
           number(state.equippedWear) + "\n";
    out += "cmp:" + number(state.sp) + "\n";
    out += "clp:" + number(state.lp) + "\n";
    out += "score:" + number(state.score) + ":" + number(state.totalScore) + "\n";

    items.clear();
    for (const auto& entry : state.userVars)
        if (ProgressState::isValidUserVarName(entry.first))
            items.push_back(entry.first + ";" + number(entry.second));
    out += "userVar:";
    list(items, false);

    items.clear();
    for (const std::string& name : state.readScripts)
        if (ProgressState::isValidScriptName(name)) items.push_back(name);
    out += "read:";
    list(items, false);

    bool languageFits = language.find_first_of(":\n\r") == std::string::npos;
    out += "nc:" + (languageFits ? language : std::string()) + "\n";
    return out;
}

void SaveFileCodec::read(std::string_view text, ProgressState& state, const Checks& checks,
                         std::string& language, const std::string& file, Diagnostics* diagnostics) {
    int lineNumber = 0;
    LineReader reader(state, checks, language, [&](const std::string& message) {
        if (diagnostics) diagnostics->report(file, lineNumber, message);
    });
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) end = text.size();
        ++lineNumber;
        std::string line;
        for (std::size_t i = start; i < end; ++i)
            if (text[i] != '\r') line.push_back(text[i]);
        start = end + 1;
        if (!line.empty()) reader.read(line);
    }
}

}  // namespace vastomer
