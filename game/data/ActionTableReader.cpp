#include "game/data/ActionTableReader.h"

#include <algorithm>

#include "game/data/Keywords.h"
#include "game/data/MasterColumns.h"
#include "game/data/MasterText.h"

namespace vastomer {

namespace {

const Keyword<ActionKind> ACTION_WORDS[] = {{"WAIT", ActionKind::WAIT},
                                            {"MOVE", ActionKind::MOVE},
                                            {"MOVE_JUMP", ActionKind::MOVE_JUMP},
                                            {"JUMP", ActionKind::JUMP},
                                            {"FLIP", ActionKind::FLIP},
                                            {"ATTACK", ActionKind::ATTACK},
                                            {"BACKTOBASE", ActionKind::BACKTOBASE},
                                            {"CHANGEAI", ActionKind::CHANGEAI},
                                            {"SWITCHWALK", ActionKind::SWITCHWALK},
                                            {"COUNTRESET", ActionKind::COUNTRESET},
                                            {"SUICIDE", ActionKind::SUICIDE},
                                            {"VMOVE", ActionKind::VMOVE},
                                            {"LOCKAI", ActionKind::LOCKAI}};

constexpr std::size_t SHORT_ROW = 2;
constexpr std::size_t FULL_ROW = 5;

}  // namespace

bool ActionTableReader::actionOf(const std::string& word, ActionKind& action) {
    return valueOfKeyword(ACTION_WORDS, word, ActionKind::WAIT, action);
}

const char* ActionTableReader::wordOf(ActionKind action) {
    return keywordOf(ACTION_WORDS, action, "WAIT");
}

float ActionTableReader::numberIn(const std::string& text) {
    if (!MasterText::isNumber(text)) return 0.0f;
    float value = 0.0f;
    bool trailing = false;
    return MasterText::leadingFloat(text, value, trailing) ? value : 0.0f;
}

ActionTable ActionTableReader::parse(std::string_view text, const std::string& fileName,
                                     Diagnostics* diagnostics, int id) {
    ActionTable table;
    table.id = id;
    for (const MasterLine& line : MasterText::readLines(text)) {
        MasterColumns columns(line, fileName, diagnostics, "row skipped");
        if (!columns.require(SHORT_ROW)) continue;
        if (columns.count() > SHORT_ROW && columns.count() < FULL_ROW)
            columns.note("has " + MasterText::intText(static_cast<long long>(columns.count())) +
                         " columns: a row has 2 or at least 5; the missing ones take param 0, flag false "
                         "and no text");
        ActionRow row;
        row.line = line.number;
        row.step = columns.integer(0, "step");
        if (columns.good() && row.step < 0)
            columns.fail("step " + line.fields[0] + " never runs; row skipped");
        const std::string word = columns.text(1, "action");
        if (!actionOf(word, row.action))
            columns.note("action \"" + word + "\" is not a known word; read as WAIT");
        if (columns.count() > 2) row.param = columns.integer(2, "param");
        if (columns.count() > 3) row.flag = columns.flag(3, "flag");
        if (columns.count() > 4) {
            row.text = columns.text(4, "text");
            row.number = numberIn(row.text);
            if (row.action == ActionKind::FLIP && !row.flag && !MasterText::isNumber(row.text))
                columns.note("FLIP faces the x in its text, and \"" + row.text +
                             "\" is not a number; it "
                             "faces x 0");
        }
        if (!columns.good()) continue;
        table.lastStep = std::max(table.lastStep, row.step);
        table.steps[row.step].push_back(std::move(row));
    }
    return table;
}

}  // namespace vastomer
