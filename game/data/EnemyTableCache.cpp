#include "game/data/EnemyTableCache.h"

#include <cstdio>

namespace vastomer {

namespace {

std::string fourDigits(int id) {
    char text[16];
    std::snprintf(text, sizeof text, "%04d", id);
    return text;
}

}  // namespace

std::string EnemyTableCache::aiFileName(int id) {
    return "master/ai/ai_master_" + fourDigits(id) + ".data";
}

std::string EnemyTableCache::actionFileName(int id) {
    return "master/action/action_master_" + fourDigits(id) + ".data";
}

EnemyTableCache::EnemyTableCache(DataSource source, Diagnostics* diagnostics)
    : source_(std::move(source)), diagnostics_(diagnostics) {}

bool EnemyTableCache::read(const std::string& name, std::string& text, std::string& shownPath) {
    ++readCount_;
    return source_.read(name, text, shownPath);
}

void EnemyTableCache::report(Diagnostics& found) {
    for (const Diagnostic& entry : found.entries()) {
        if (diagnostics_) {
            diagnostics_->report(entry.file, entry.line, entry.message);
        } else {
            std::fprintf(stderr, "quorin: %s\n", Diagnostics::format(entry).c_str());
        }
    }
}

const AiTable& EnemyTableCache::getAiTable(int id) {
    auto found = aiTables_.find(id);
    if (found != aiTables_.end()) return found->second;
    AiTable table;
    std::string text;
    std::string path;
    if (read(aiFileName(id), text, path)) {
        Diagnostics problems;
        table = AiTableReader::parse(text, path, &problems, id);
        report(problems);
    }
    return aiTables_.emplace(id, std::move(table)).first->second;
}

const ActionTable& EnemyTableCache::getActionTable(int id) {
    auto found = actionTables_.find(id);
    if (found != actionTables_.end()) return found->second;
    ActionTable table;
    std::string text;
    std::string path;
    if (read(actionFileName(id), text, path)) {
        Diagnostics problems;
        table = ActionTableReader::parse(text, path, &problems, id);
        report(problems);
    }
    return actionTables_.emplace(id, std::move(table)).first->second;
}

}  // namespace vastomer
