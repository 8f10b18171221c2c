#include "game/data/AiTableReader.h"

#include <cmath>

#include "game/data/Keywords.h"
#include "game/data/MasterColumns.h"
#include "game/data/MasterText.h"

namespace vastomer {

namespace {

const Keyword<AiCondition> CONDITION_WORDS[] = {{"DEAFULT", AiCondition::DEAFULT},
                                                {"DISTANCE_P_G", AiCondition::DISTANCE_P_G},
                                                {"DISTANCE_P_L", AiCondition::DISTANCE_P_L},
                                                {"HP_P", AiCondition::HP_P},
                                                {"HP_S", AiCondition::HP_S},
                                                {"COUNT", AiCondition::COUNT},
                                                {"CONT_W", AiCondition::CONT_W},
                                                {"CONT_P", AiCondition::CONT_P},
                                                {"BACKPOS", AiCondition::BACKPOS},
                                                {"DISTANCE_T_G", AiCondition::DISTANCE_T_G},
                                                {"DISTANCE_T_L", AiCondition::DISTANCE_T_L}};

constexpr std::size_t SHORT_ROW = 2;
constexpr std::size_t FULL_ROW = 5;

}  // namespace

bool AiTableReader::conditionOf(const std::string& word, AiCondition& condition) {
    return valueOfKeyword(CONDITION_WORDS, word, AiCondition::DEAFULT, condition);
}

const char* AiTableReader::wordOf(AiCondition condition) {
    return keywordOf(CONDITION_WORDS, condition, "DEAFULT");
}

AiTable AiTableReader::parse(std::string_view text, const std::string& fileName, Diagnostics* diagnostics,
                             int id) {
    AiTable table;
    table.id = id;
    for (const MasterLine& line : MasterText::readLines(text)) {
        MasterColumns columns(line, fileName, diagnostics, "row skipped");
        if (!columns.require(SHORT_ROW)) continue;
        if (columns.count() > SHORT_ROW && columns.count() < FULL_ROW)
            columns.note("has " + MasterText::intText(static_cast<long long>(columns.count())) +
                         " columns: a row has 2 or at least 5; the missing ones read as -1");
        AiRow row;
        row.line = line.number;
        const std::string word = columns.text(0, "condition");
        if (!conditionOf(word, row.condition))
            columns.note("condition \"" + word + "\" is not a known word; read as DEAFULT");
        row.actionTableId = columns.integer(1, "action table");
        if (columns.count() > 2) row.param1 = columns.integer(2, "param1");
        if (columns.count() > 3) row.param2 = columns.integer(3, "param2");
        if (columns.count() > 4) {
            const float value = columns.real(4, "value");
            // A row already failed keeps its unread value: the number may not fit in an int at all.
            if (!columns.good()) {
            } else if (!(std::fabs(value) < 2147483520.0f)) {
                columns.fail("value (column 5): " + line.fields[4] + " does not fit in 32 bits; row skipped");
            } else {
                row.value = static_cast<int>(value);  // truncated toward zero: 150.7 reads as 150
            }
        }
        if (columns.good()) table.rows.push_back(row);
    }
    return table;
}

}  // namespace vastomer
