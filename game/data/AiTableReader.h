#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "game/data/Diagnostics.h"

namespace vastomer {

// The condition of an AI row. The keywords are the table's own words, "DEAFULT" included.
enum class AiCondition {
    DEAFULT = 0,       // the fallback row
    DISTANCE_P_G = 1,  // the player is further than `value` (and on the side param2 asks for)
    DISTANCE_P_L = 2,  // the player is nearer than `value` (and on the side param2 asks for)
    HP_P = 3,          // the player's HP <= param1
    HP_S = 4,          // the creature's own HP <= param1
    COUNT = 5,         // the interpreter's frame counter == param2
    CONT_W = 6,        // touching a "ground" or "wall" body
    CONT_P = 7,        // touching the player
    BACKPOS = 8,       // standing exactly at the x where the interpreter was last started
    DISTANCE_T_G = 9,  // |x - param1| > value
    DISTANCE_T_L = 10  // |x - param1| < value
};

// One line of an AI table: while its condition holds, its action table runs.
struct AiRow {
    AiCondition condition = AiCondition::DEAFULT;
    int actionTableId = -1;
    int param1 = -1;
    int param2 = -1;
    int value = -1;  // read as a decimal, truncated toward zero
    int line = 0;    // physical line in its file (for messages)
};

// "master/ai/ai_master_NNNN.data": the conditions of one creature's behaviour, in file order.
struct AiTable {
    int id = -1;  // -1: the file was not found
    std::vector<AiRow> rows;
};

// Reads AI tables: the master text format, one row a line of 2 columns (condition, action table) or
// at least 5 (condition, action table, param1, param2, value; more are ignored). A line of 3 or 4
// columns is read with the 2-column defaults for what it lacks, and reported. An unknown keyword reads
// as "DEAFULT"; a line whose numbers cannot be read is skipped. Every problem goes to `diagnostics`
// (when given) under `fileName`, with its line.
class AiTableReader {
public:
    static AiTable parse(std::string_view text, const std::string& fileName, Diagnostics* diagnostics,
                         int id = 0);

    // The condition of a keyword; false (and DEAFULT) for a word that is none.
    static bool conditionOf(const std::string& word, AiCondition& condition);
    static const char* wordOf(AiCondition condition);
};

}  // namespace vastomer
