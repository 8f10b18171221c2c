#pragma once

#include <map>
#include <string>

#include "game/data/ActionTableReader.h"
#include "game/data/AiTableReader.h"
#include "game/data/DataSource.h"
#include "game/data/Diagnostics.h"

namespace vastomer {

// The creatures' AI and action tables, read on first use and kept by number for the whole run. A table
// whose file is missing is remembered as missing (id -1, no rows), so no file is looked for twice.
// References stay valid as long as the cache lives: entries are never replaced or dropped.
class EnemyTableCache {
public:
    // "master/ai/ai_master_0012.data" and "master/action/action_master_0305.data".
    static std::string aiFileName(int id);
    static std::string actionFileName(int id);

    // Reads through `source`; problems found while reading go to `diagnostics` when given, else to
    // stderr (the game's content report).
    explicit EnemyTableCache(DataSource source, Diagnostics* diagnostics = nullptr);

    const AiTable& getAiTable(int id);
    const ActionTable& getActionTable(int id);
    // How many files have been looked for (found or not), for tests of the cache.
    int getReadCount() const { return readCount_; }

private:
    bool read(const std::string& name, std::string& text, std::string& shownPath);
    void report(Diagnostics& found);

    DataSource source_;
    Diagnostics* diagnostics_;
    std::map<int, AiTable> aiTables_;
    std::map<int, ActionTable> actionTables_;
    int readCount_ = 0;
};

}  // namespace vastomer
