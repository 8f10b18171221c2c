#pragma once

#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "game/data/Diagnostics.h"

namespace vastomer {

// What an action row orders. The keywords are the table's own words; 6 has none.
enum class ActionKind {
    WAIT = 0,
    MOVE = 1,
    MOVE_JUMP = 2,
    JUMP = 3,
    FLIP = 4,
    ATTACK = 5,
    BACKTOBASE = 7,
    CHANGEAI = 8,
    SWITCHWALK = 9,
    COUNTRESET = 10,
    SUICIDE = 11,
    VMOVE = 12,
    LOCKAI = 13
};

// One line of an action table: an order given on its step.
struct ActionRow {
    int step = 0;
    ActionKind action = ActionKind::WAIT;
    int param = 0;
    bool flag = false;
    std::string text;
    // The text as a decimal number: 0 when the text is not a number (what a FLIP faces towards).
    float number = 0.0f;
    int line = 0;  // physical line in its file (for messages)
};

// "master/action/action_master_NNNN.data": a timeline of one step a frame. Steps without rows are
// frames in which nothing new is ordered.
struct ActionTable {
    int id = -1;                                  // -1: the file was not found
    int lastStep = 0;                             // the largest step number, at least 0
    std::map<int, std::vector<ActionRow>> steps;  // step -> its rows in file order
};

// Reads action tables: the master text format, one row a line of 2 columns (step, action) or at least
// 5 (step, action, param, flag, text; more are ignored). A line of 3 or 4 columns is read with the
// 2-column defaults for what it lacks, and reported. An unknown keyword reads as WAIT; a line whose
// numbers cannot be read is skipped, and so is a negative step (it would never run). Every problem goes
// to `diagnostics` (when given) under `fileName`, with its line.
class ActionTableReader {
public:
    static ActionTable parse(std::string_view text, const std::string& fileName, Diagnostics* diagnostics,
                             int id = 0);

    // The action of a keyword; false (and WAIT) for a word that is none.
    static bool actionOf(const std::string& word, ActionKind& action);
    static const char* wordOf(ActionKind action);
    // A decimal read from a whole text that passes the game's number test; 0 for any other text.
    static float numberIn(const std::string& text);
};

}  // namespace vastomer
